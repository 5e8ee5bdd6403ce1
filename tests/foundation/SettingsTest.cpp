#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/SortGrid.h"
#include "foundation/Tables.h"
#include "foundation/TurnierStore.h"
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

// Settings are read by key many times a redraw, so their rows are indexed; whatever changes the
// table Ein (not only SetSetting) must show at the next read.
TEST_F(SettingsTest, ReadsFollowEveryChangeOfTheTableNotOnlySetSetting) {
    form->AktTurNr = 1;
    SetSetting(*form, "AWertung", "3");
    SetSetting(*form, "Spalte Datum", "Off");
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "3");

    Put(form->Ein, Ein_Wert, 1, "5", true);
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "5") << "a value written into the table";
    Put(form->Ein, Ein_Name, 2, "Spalte Feld", true);
    EXPECT_EQ(GetSetting(*form, "Spalte Datum", "On"), "On") << "a key renamed in the table";
    EXPECT_EQ(GetSetting(*form, "Spalte Feld", "On"), "Off");

    form->Ein.SetRowCount(4);
    Put(form->Ein, Ein_Name, 3, "AWertung", true);
    Put(form->Ein, Ein_Wert, 3, "7", true);
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "5") << "of two rows with one key the first counts";
    sortGrid(form->Ein, Ein_Wert, true);
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "5") << "after sorting the rows, still the first";
    form->Ein.MoveRow(3, 1);
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "7");

    form->Ein.SetRowCount(2);
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "7");
    EXPECT_EQ(GetSetting(*form, "Spalte Feld", "On"), "On") << "a row cut off holds no setting";
    Put(form->Ein, Ein_Name, 5, "AutoSave", true);
    Put(form->Ein, Ein_Wert, 5, "true", true);
    EXPECT_EQ(GetSetting(*form, "AutoSave", "false"), "false") << "a row beyond the table holds none either";

    ClearTables(*form);
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "1") << "another tournament's settings come with its rows";
    SetSetting(*form, "AWertung", "2");
    EXPECT_EQ(form->Ein.RowCount(), 2);
    EXPECT_EQ(GetSetting(*form, "AWertung", "1"), "2");
}
