#include <gtest/gtest.h>

#include <random>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"

using namespace turnier_builder;

class TurnierStoreTest : public ProgramTest {
protected:
    LightForm form;

    int MasterRows() const { return form.XMasterGrid.RowCount() - 1; }
    std::string Master(int column, int row) const { return form.XMasterGrid.Cells(column, row); }
};

// --- packing and removing ---

TEST_F(TurnierStoreTest, PackingIntoAnEmptyMasterFillsRowOneInTableOrder) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddRow(form, TabelleEin, {"ZeitSpiele", "", "true"});
    AddRow(form, TabelleSpielplan, {"1", "", "1"});
    AddRow(form, TabelleGruppe, {"1", "", "1", "A"});
    AddRow(form, TabelleUkSound, {"1"});
    AddRow(form, TabellePlatz, {"1", "1"});
    AddRow(form, TabelleTeams, {"1", "", "", "", "Adler"});
    TurToMaster(form, 1);
    ASSERT_EQ(MasterRows(), 7);
    const char* kinds[] = {"1", "2", "4", "3", "5", "7", "6"};
    for (int r = 1; r <= 7; ++r) {
        EXPECT_EQ(Master(0, r), "1");
        EXPECT_EQ(Master(1, r), kinds[r - 1]) << "row " << r;
    }
    EXPECT_EQ(Master(Teams_Name, 4), "Adler");
}

TEST_F(TurnierStoreTest, CopyingSkipsBlankRowsAndParkingEmptiesTheTables) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AppendTurToMaster(form);
    EXPECT_EQ(MasterRows(), 1);
    EXPECT_EQ(Master(1, 1), "1");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "Stadtpokal");
    TurToMaster(form, 1);
    EXPECT_EQ(MasterRows(), 2) << "packing never removes a row";
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "") << "parked, the rows are no longer in the tables";
}

TEST_F(TurnierStoreTest, RemovingTheLastTournamentLeavesOneBlankRow) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    TurToMaster(form, 1);
    DeleteTurFromMaster(form, 1);
    EXPECT_EQ(form.XMasterGrid.RowCount(), 2);
    for (int c = 0; c < 31; ++c) EXPECT_EQ(Master(c, 1), "") << c;
}

TEST_F(TurnierStoreTest, RemovingOneTournamentKeepsTheOthersInTheirOrder) {
    // Tournaments 1, 2 and 3 parked with their rows interleaved as repeated loads leave them.
    TSortGrid& master = form.XMasterGrid;
    std::mt19937 random(7);
    const int rows = 300;
    master.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        master.SetCells(0, r, IntToStr(1 + static_cast<int>(random() % 3)));
        master.SetCells(1, r, "4");
        master.SetCells(4, r, IntToStr(r));
    }
    std::vector<std::string> expected;
    for (int r = 1; r <= rows; ++r)
        if (master.Cells(0, r) != "2") expected.push_back(master.Cells(4, r));
    DeleteTurFromMaster(form, 2);
    ASSERT_EQ(master.RowCount(), static_cast<int>(expected.size()) + 1);
    for (int r = 1; r < master.RowCount(); ++r) {
        EXPECT_NE(master.Cells(0, r), "2");
        EXPECT_EQ(master.Cells(4, r), expected[static_cast<size_t>(r - 1)]);
    }
    EXPECT_EQ(master.Cells(4, rows), "") << "rows cut off are gone";
}

TEST_F(TurnierStoreTest, TakingATournamentDropsItsRowsOfUnknownKinds) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    OpenTurnier(form, "Kreisliga", "KL");
    TurToMaster(form, 2);
    const int bad = form.XMasterGrid.RowCount();
    form.XMasterGrid.SetRowCount(bad + 1);
    form.XMasterGrid.SetCells(0, bad, "1");
    form.XMasterGrid.SetCells(1, bad, "9");
    ClearAll(form, false);
    TakeTurFromMaster(form, 1);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "Stadtpokal");
    EXPECT_EQ(form.Gruppe.RowCount(), 2);
    EXPECT_EQ(form.Teams.RowCount(), 5);
    EXPECT_EQ(form.Spielplan.RowCount(), 3);
    EXPECT_EQ(form.Platz.RowCount(), 2);
    EXPECT_EQ(form.Platz.Cells(0, 1), "");
    ASSERT_EQ(form.XMasterGrid.RowCount(), 2);
    EXPECT_EQ(Master(Turnier_Name, 1), "Kreisliga");
}

// --- lookup lists and cached settings ---

TEST_F(TurnierStoreTest, ListsNameGroupsTeamsFieldsAndRoundsByNumber) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "2");
    AddSmallStructure(form, "B", " [EMPTY]");
    AddRow(form, TabelleSpielplan, {"5", "", "5", "1", "1", "1"});
    LoadTurSettings(form);
    EXPECT_EQ(form.XAGruppBez.Items.ToVector(), (std::vector<std::string>{"[EMPTY]", "A", "B"}));
    EXPECT_EQ(form.XAGruppName.Items.ToVector(),
              (std::vector<std::string>{"[EMPTY]", "Vorrunde A", "Vorrunde B"}));
    EXPECT_EQ(form.XARunden.Items.ToVector(), (std::vector<std::string>{"[EMPTY]", "Runde 1 ( Vorrunde )"}));
    EXPECT_EQ(form.AnzRunden, 1);
    EXPECT_EQ(form.XAFelder.Items.ToVector(), (std::vector<std::string>{" [EMPTY]", "2", "1"}));
    EXPECT_EQ(form.XATeams.Items.Count(), 9);
    EXPECT_EQ(form.XATeams.Items[0], "Neutrales Schiedsgericht");
    EXPECT_EQ(form.XATeams.Items[5], "Team 1");
    EXPECT_EQ(form.calls.back(), "doTurnierBaum()");
}

TEST_F(TurnierStoreTest, MissingColumnWidthsGetTheirDefaultsAndStoredOnesStay) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddRow(form, TabelleEin, {"SpielSpalte3", "", "99"});
    LoadTurSettings(form);
    EXPECT_EQ(form.Ein.RowCount() - 1, 19);
    EXPECT_EQ(GetSetting(form, "SpielSpalte0", ""), "16");
    EXPECT_EQ(GetSetting(form, "SpielSpalte3", ""), "99");
    EXPECT_EQ(GetSetting(form, "SpielSpalte9", ""), "166");
    EXPECT_EQ(GetSetting(form, "PlatzSpalte5", ""), "85");
    EXPECT_EQ(GetSetting(form, "EndPlatzSpalte2", ""), "300");
}

TEST_F(TurnierStoreTest, CachedValuesComeFromTheSettingsWithTheirDefaults) {
    OpenTurnier(form, "Stadtpokal", "SP");
    Put(form.Turnier, Turnier_Score, 1, "Tore", true);
    Put(form.Turnier, Turnier_Score2, 1, "alt", true);
    SetSetting(form, "Wertung2", "Sätze");
    SetSetting(form, "ZeitSpiele", "false");
    SetSetting(form, "MinusPunkte", "true");
    SetSetting(form, "Beamer_Dir", "/srv/beamer");
    form.Beamer.ModuleOn = true;
    LoadTurSettings(form);
    EXPECT_EQ(form.TeamTyp, "Mannschaft");
    EXPECT_EQ(form.TeamTyps, "Mannschaften");
    EXPECT_EQ(form.Wertung1, "Tore");
    EXPECT_EQ(form.Wertung2, "Sätze");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Score2, 1), "Sätze");
    EXPECT_FALSE(form.XZeitSpiele.Checked());
    EXPECT_FALSE(form.MinusAnzeigen);
    EXPECT_FALSE(form.Beamer.ModuleOn);
    EXPECT_EQ(form.Beamer.Directory(), "/srv/beamer\\data\\");
    EXPECT_EQ(form.Beamer.Bezeichnung(), "Stadtpokal");
}

// --- emptying and the changed marks ---

TEST_F(TurnierStoreTest, ClearAllWithMasterEmptiesEverythingAndLeavesNoBlankRowsBehind) {
    OpenTurnier(form, "Stadtpokal", "SP");
    AddSmallStructure(form, "A", "1");
    OpenTurnier(form, "Kreisliga", "KL");
    LoadTurSettings(form);
    form.XPlan1.SetRowCount(5);
    form.XPlan1.SetCells(3, 4, "x");
    ClearAll(form, true);
    EXPECT_EQ(form.XMasterGrid.RowCount(), 2);
    EXPECT_EQ(Master(0, 1), "");
    EXPECT_EQ(form.XComboBox1.Items.Count(), 0);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Name, 1), "");
    EXPECT_EQ(form.XPlan1.RowCount(), 2);
    EXPECT_EQ(form.XAGruppBez.Items.ToVector(), std::vector<std::string>{"[EMPTY]"});
    // A tournament packed afterwards starts at row 1 again.
    form.AktTurNr = form.AnzTurniere = 0;
    OpenTurnier(form, "Neu", "N");
    TurToMaster(form, 1);
    EXPECT_EQ(MasterRows(), 1);
}

TEST_F(TurnierStoreTest, AnyTournamentChangedLooksAtTheParkedOnesToo) {
    OpenTurnier(form, "Stadtpokal", "SP");
    OpenTurnier(form, "Kreisliga", "KL");
    EXPECT_FALSE(AnyTurnierChanged(form));
    form.XMasterGrid.SetCells(Turnier_Changes, MasterTurnierRow(form, 1), "true");
    EXPECT_TRUE(AnyTurnierChanged(form));
    form.XMasterGrid.SetCells(Turnier_Changes, MasterTurnierRow(form, 1), "");
    Put(form.Turnier, Turnier_Changes, 1, "true", true);
    EXPECT_TRUE(AnyTurnierChanged(form));
}
