#include <gtest/gtest.h>

#include "StartFixture.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"

using Strings = std::vector<std::string>;

// --- the placeholder grid and the final-placing grid from Teams ---

TEST_F(StartTest, GridListsTheDirectSlotsAndLocksPlayedGroups) {
    SetState(b, "Open");
    Put(form->Teams, Teams_Name_Tur, m2, "Bären", true);
    Put(form->Teams, Teams_TMP, m2, "Berta|Bruno", true);
    setupEndPlatzierung(*form);
    ASSERT_EQ(form->Xplatzgrid.RowCount(), 5);  // the round-2 and final-placing rows are no slots
    EXPECT_EQ(form->Xplatzgrid.Rows(2).ToVector(),
              (Strings{"A", "Mannschaft 2", "Bären", "", "1", "2", "Berta|Bruno"}));
    EXPECT_EQ(Grid(Platzgrid_Sperre, 1), "");
    EXPECT_EQ(Grid(Platzgrid_Sperre, 3), "NO");
    EXPECT_EQ(Grid(Platzgrid_Platzhalter, 4), "Mannschaft 4");
    ASSERT_EQ(form->TPlatz.RowCount(), 3);
    EXPECT_EQ(form->TPlatz.Rows(1).ToVector(), (Strings{"1", "Sieger Spiel 3"}));
    EXPECT_EQ(form->TPlatz.Rows(2).ToVector(), (Strings{"2", "Verlierer Spiel 3"}));
}

TEST_F(StartTest, EmptyTournamentLeavesOneBlankRowInEachGrid) {
    setupEndPlatzierung(*form);
    ClearGrid(form->Teams);
    setupEndPlatzierung(*form);
    EXPECT_EQ(form->Xplatzgrid.RowCount(), 2);
    EXPECT_EQ(form->Xplatzgrid.Rows(1).ToVector(), Strings(7, ""));
    EXPECT_EQ(form->TPlatz.RowCount(), 2);
    EXPECT_EQ(form->TPlatz.Rows(1).ToVector(), Strings(2, ""));
    EXPECT_EQ(form->Xplatzgrid.Cells(0, 0), "Gruppe");
}

TEST_F(StartTest, SetupLoadsTheTeamListAndTheRefereeNames) {
    WriteProgramFile("teams.dat", "Condor\r\nAdler\r\n");
    SetSetting(*form, "N1", "Frau Schulz");
    SetSetting(*form, "N2", "Herr Meier");
    form->RadioButton9.SetChecked(true);
    form->ListBox4.Items.Add("aus dem vorigen Turnier");
    setupEndPlatzierung(*form);
    EXPECT_TRUE(form->RadioButton6.Checked());
    EXPECT_FALSE(form->RadioButton9.Checked());
    ASSERT_EQ(form->ListView2.Items.size(), 2u);
    EXPECT_EQ(form->ListView2.Items[0].Caption, "Adler");
    EXPECT_EQ(form->ListBox4.Items.ToVector(), (Strings{"Frau Schulz", "Herr Meier"}));
}

// --- the start ---

class StartCheckTest : public StartTest {
protected:
    void SetUp() override {
        StartTest::SetUp();
        setupEndPlatzierung(*form);
    }
};

TEST_F(StartCheckTest, CompleteAssignmentPutsTheNamesIntoTheTables) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    form->Xplatzgrid.SetCells(Platzgrid_Spieler, 3, "Carla|Carl");
    checkStartTur(*form);
    EXPECT_EQ(Team(Teams_Name_Tur, m3), "Condor");
    EXPECT_EQ(Team(Teams_TMP, m3), "Carla|Carl");
    EXPECT_EQ(ListGet(form->XATeamsTur, m4), "Dachse");
    EXPECT_EQ(Get(form->Platz, Platz_Team, 3, true), "Condor");
    EXPECT_EQ(State(a), "None");
    EXPECT_EQ(State(b), "None");
    EXPECT_EQ(State(c), "");  // round 2 waits for its sources
    EXPECT_EQ(GetSetting(*form, "Spielstart", ""), "true");
    EXPECT_EQ(form->calls.back(), "DoPlan(XPlan2)");
}

TEST_F(StartCheckTest, FirstStartShowsOnlyTheColumnsTheScoringNames) {
    SetSetting(*form, "Wertung3", "Tore");
    checkStartTur(*form);
    EXPECT_EQ(GetSetting(*form, "Spalte Punkte", ""), "Off");
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    checkStartTur(*form);
    EXPECT_EQ(GetSetting(*form, "Spalte Punkte", ""), "On");
    EXPECT_EQ(GetSetting(*form, "Spalte Ergebnis", ""), "Off");
    EXPECT_EQ(form->XPlan2.ColCount(), 11);
    // The second scoring name shows the result column too, at the next first start.
    SetSetting(*form, "Wertung2", "Sätze");
    SetSetting(*form, "Spielstart", "false");
    checkStartTur(*form);
    EXPECT_EQ(GetSetting(*form, "Spalte Ergebnis", ""), "On");
}

TEST_F(StartCheckTest, ScoringNamesOfTheWizardShowPointsAndResultsAtTheStart) {
    // A new tournament has its scoring names in the window and its row, none in the settings:
    // the plans must still show what is entered.
    form->Wertung1 = "Punkte";
    form->Wertung2 = "Sätze";
    form->Wertung3 = "Bälle";
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    checkStartTur(*form);
    EXPECT_EQ(GetSetting(*form, "Spalte Punkte", ""), "On");
    EXPECT_EQ(GetSetting(*form, "Spalte Ergebnis", ""), "On");
}

TEST_F(StartCheckTest, LaterChecksOfAStartedTournamentLeaveTheColumnsAlone) {
    SetSetting(*form, "Wertung1", "Punkte");
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    checkStartTur(*form);
    SetSetting(*form, "Spalte Punkte", "Off");
    checkStartTur(*form);
    EXPECT_EQ(GetSetting(*form, "Spalte Punkte", ""), "Off");
}

TEST_F(StartCheckTest, OpenSlotWithdrawsTheStart) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    checkStartTur(*form);
    Fill({"Adler", "", "Condor", "Dachse"});
    checkStartTur(*form);
    EXPECT_EQ(State(a), "");
    EXPECT_EQ(State(b), "");
    EXPECT_EQ(GetSetting(*form, "Spielstart", ""), "false");
    EXPECT_EQ(GetSetting(*form, "Spalte Punkte", ""), "Off");
    EXPECT_EQ(GetSetting(*form, "Spalte Ergebnis", ""), "Off");
    EXPECT_EQ(form->TurGestartet, 0);
}

// Switching, loading and round changes rebuild the grid from the table: names given so far must
// stand there, or they are gone the next time the grid is built.
TEST_F(StartCheckTest, PartialAssignmentIsKeptInTheTableAndSurvivesARebuiltGrid) {
    const std::string standingsName = Get(form->Platz, Platz_Team, 3, true);
    Fill({"Adler", "", "Condor", ""});
    form->Xplatzgrid.SetCells(Platzgrid_Spieler, 3, "Carla|Carl");
    checkStartTur(*form);
    EXPECT_EQ(Team(Teams_Name_Tur, m1), "Adler");
    EXPECT_EQ(Team(Teams_TMP, m3), "Carla|Carl");
    // Not started: the standings and the lookup of assigned names wait for the complete assignment.
    EXPECT_EQ(Get(form->Platz, Platz_Team, 3, true), standingsName);
    EXPECT_EQ(ListGet(form->XATeamsTur, m1), "");
    setupEndPlatzierung(*form);
    EXPECT_EQ(form->Xplatzgrid.Cells(Platzgrid_Mannschaft, 1), "Adler");
    EXPECT_EQ(form->Xplatzgrid.Cells(Platzgrid_Mannschaft, 2), "");
    EXPECT_EQ(form->Xplatzgrid.Cells(Platzgrid_Mannschaft, 3), "Condor");
    // A name taken back is gone from the table too.
    form->Xplatzgrid.SetCells(Platzgrid_Mannschaft, 1, "");
    checkStartTur(*form);
    EXPECT_EQ(Team(Teams_Name_Tur, m1), "");
}

TEST_F(StartCheckTest, GroupsWithResultsKeepTheirStateWhenASlotIsOpened) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    checkStartTur(*form);
    Put(form->Spielplan, Spielplan_Sieger, gameA, m1, true);
    SetState(a, "Done");
    Fill({"Adler", "Bären", "Condor", ""});
    checkStartTur(*form);
    EXPECT_EQ(State(a), "Done");
    EXPECT_EQ(State(b), "");
}

TEST_F(StartCheckTest, StartedOnlyWhileTheToolAreaIsHidden) {
    Fill({"Adler", "Bären", "Condor", "Dachse"});
    form->PageControl1.Visible = true;
    checkStartTur(*form);
    EXPECT_EQ(form->TurGestartet, 0);
    form->PageControl1.Visible = false;
    checkStartTur(*form);
    EXPECT_EQ(form->TurGestartet, 1);
}

TEST_F(StartCheckTest, TwoSlotsOfTheSameTextEachGetTheirOwnName) {
    // Team 1 also plays directly in a group of round 2.
    const int d = AddGroup("D", "JGJ", 2);
    const int again = AddTeam(d, "Mannschaft 1");
    setupEndPlatzierung(*form);
    ASSERT_EQ(Grid(Platzgrid_Platzhalter, 5), "Mannschaft 1");
    Fill({"Adler", "Bären", "Condor", "Dachse", "Elche"});
    checkStartTur(*form);
    EXPECT_EQ(Team(Teams_Name_Tur, m1), "Adler");
    EXPECT_EQ(Team(Teams_Name_Tur, again), "Elche");
}
