#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "LightForm.h"

class SettingsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<LightForm>();
    }
    std::unique_ptr<LightForm> form;
};

TEST_F(SettingsTest, WithoutTournamentWritesAreIgnoredAndReadsGiveTheDefault) {
    SetSetting(*form, "AutoSave", "true");
    EXPECT_EQ(form->Ein.Cells(Ein_Name, 1), "");
    EXPECT_EQ(GetSetting(*form, "AutoSave", "false"), "false");
}

TEST_F(SettingsTest, FirstKeyTakesRowOneThenRowsAreAdded) {
    form->AktTurNr = 2;
    SetSetting(*form, "AutoSave", "true");
    EXPECT_EQ(form->Ein.RowCount(), 2);
    EXPECT_EQ(form->Ein.Rows(1).ToVector(), (std::vector<std::string>{"2", "6", "AutoSave", "", "true"}));
    SetSetting(*form, "AutoSave Min", "15");
    EXPECT_EQ(form->Ein.RowCount(), 3);
    EXPECT_EQ(GetSetting(*form, "AutoSave Min", "10"), "15");
    SetSetting(*form, "AutoSave", "false");
    EXPECT_EQ(form->Ein.RowCount(), 3);
    EXPECT_EQ(form->Ein.Rows(1).ToVector(), (std::vector<std::string>{"2", "6", "AutoSave", "", "false"}));
}

TEST_F(SettingsTest, EmptyValueIsNotTheDefaultAndKeysAreCaseSensitive) {
    form->AktTurNr = 1;
    SetSetting(*form, "Wertung1", "");
    EXPECT_EQ(GetSetting(*form, "Wertung1", "Punkte"), "");
    EXPECT_EQ(GetSetting(*form, "wertung1", "Punkte"), "Punkte");
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "1");
    EXPECT_EQ(GetSetting(*form, "AWertung", "0"), "0");
}

TEST_F(SettingsTest, TournamentChangeFlag) {
    form->AktTurNr = 1;
    setTurChanged(*form, true);
    EXPECT_EQ(Get(form->Turnier, 9, 1, true), "true");
    setTurChanged(*form, false);
    EXPECT_EQ(Get(form->Turnier, 9, 1, true), "");
}
