#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "mainwindow/main.h"

class SettingsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
    }
    std::unique_ptr<TForm1> form;
};

TEST_F(SettingsTest, WithoutTournamentWritesAreIgnoredAndReadsGiveTheDefault) {
    SetSetting("AutoSave", "true");
    EXPECT_EQ(form->Ein.Cells(Ein_Name, 1), "");
    EXPECT_EQ(GetSetting("AutoSave", "false"), "false");
}

TEST_F(SettingsTest, FirstKeyTakesRowOneThenRowsAreAdded) {
    form->AktTurNr = 2;
    SetSetting("AutoSave", "true");
    EXPECT_EQ(form->Ein.RowCount(), 2);
    EXPECT_EQ(form->Ein.Rows(1).ToVector(), (std::vector<std::string>{"2", "6", "AutoSave", "", "true"}));
    SetSetting("AutoSave Min", "15");
    EXPECT_EQ(form->Ein.RowCount(), 3);
    EXPECT_EQ(GetSetting("AutoSave Min", "10"), "15");
    SetSetting("AutoSave", "false");
    EXPECT_EQ(form->Ein.RowCount(), 3);
    EXPECT_EQ(form->Ein.Rows(1).ToVector(), (std::vector<std::string>{"2", "6", "AutoSave", "", "false"}));
}

TEST_F(SettingsTest, EmptyValueIsNotTheDefaultAndKeysAreCaseSensitive) {
    form->AktTurNr = 1;
    SetSetting("Wertung1", "");
    EXPECT_EQ(GetSetting("Wertung1", "Punkte"), "");
    EXPECT_EQ(GetSetting("wertung1", "Punkte"), "Punkte");
    EXPECT_EQ(GetSetting("AWertung", "1"), "1");
    EXPECT_EQ(GetSetting("AWertung", "0"), "0");
}

TEST_F(SettingsTest, TournamentChangeFlag) {
    form->AktTurNr = 1;
    setTurChanged(true);
    EXPECT_EQ(Get(form->Turnier, 9, 1, true), "true");
    setTurChanged(false);
    EXPECT_EQ(Get(form->Turnier, 9, 1, true), "");
}
