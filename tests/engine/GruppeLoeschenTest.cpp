#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "dialogs/FormGenerators.h"
#include "engine/EndPlatzierung.h"
#include "engine/GruppeLoeschen.h"
#include "engine/RundeAnlegen.h"
#include "engine/SpielplanKlick.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"
#include "foundation/TurnierStore.h"
#include "platform/UiHost.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char* const kThreeGroups = "!Vorrunde|$A$Gruppe A$JGJ$M1;M2;M3;$B$Gruppe B$JGJ$M4;M5;M6;$C$Gruppe C$JGJ$M7;M8;M9;";

struct Outcome {
    std::string first, second, winner, points;
};

}  // namespace

class GruppeLoeschenTest : public EditingTest {
protected:
    // Every game by the names of its sides, with its winner and points.
    std::vector<Outcome> Outcomes() const {
        std::vector<Outcome> all;
        const TSortGrid& plan = form->Spielplan;
        for (int row = 1; row < plan.RowCount(); ++row)
            if (!plan.Cells(0, row).empty())
                all.push_back({NameOf(plan.Cells(Spielplan_T1, row)), NameOf(plan.Cells(Spielplan_T2, row)),
                               NameOf(plan.Cells(Spielplan_Sieger, row)),
                               plan.Cells(Spielplan_PPkt, row) + ":" + plan.Cells(Spielplan_MPkt, row)});
        return all;
    }
};

// --- what goes and what stays ---

TEST_F(GruppeLoeschenTest, DeletingTheOnlyGroupLeavesEveryTableWithOneBlankRow) {
    Build("!Runde 1|$A$Alle$JGJ$M1;M2;M3;<$$>1.A;2.A;3.A;");
    Delete("A");
    for (const TSortGrid* table : {&form->Gruppe, &form->Teams, &form->Platz, &form->Spielplan}) {
        EXPECT_EQ(table->RowCount(), 2);
        for (int c = 0; c < 32; ++c) EXPECT_EQ(table->Cells(c, 1), "") << c;
    }
    EXPECT_THAT(form->XAGruppBez.Items.ToVector(), ElementsAre("[EMPTY]"));
    EXPECT_THAT(form->XATeams.Items.ToVector(), ElementsAre("Neutrales Schiedsgericht"));
    EXPECT_EQ(form->AnzRunden, 0);
}

// The round page proposes round 1 again: there is no earlier round to carry results from.
TEST_F(GruppeLoeschenTest, AfterTheLastRoundIsGoneTheCarryOverIsNoLongerOffered) {
    Build("!R1|$A$a$JGJ$M1;M2;M3;|!R2|$B$b$JGJ$M4;M5;");
    Delete("B");
    EXPECT_EQ(form->Edit4.Text(), "2");
    EXPECT_TRUE(form->CheckBox6.Visible);
    Delete("A");
    EXPECT_EQ(form->Edit4.Text(), "1");
    EXPECT_FALSE(form->CheckBox6.Visible);
}

TEST_F(GruppeLoeschenTest, DeletingAMiddleGroupClosesUpGroupParticipantAndGameNumbersWithTheirResults) {
    Build(kThreeGroups);
    for (const std::string id : {"A", "C"}) Play(FirstGameOf(id));
    std::vector<Outcome> kept;
    for (const Outcome& o : Outcomes())
        if (Team(o.first) < Team("Mannschaft 4") || Team(o.first) > Team("Mannschaft 6")) kept.push_back(o);

    Delete("B");

    EXPECT_THAT(Problems(), IsEmpty());
    EXPECT_THAT(Column(form->Gruppe, Gruppe_Bez), ElementsAre("A", "C"));
    EXPECT_THAT(Column(form->Gruppe, Gruppe_GrNr), ElementsAre("1", "2"));
    EXPECT_EQ(Team("Mannschaft 7"), 4);
    EXPECT_EQ(Cell(form->Teams, Teams_InGr, 4), "2");
    const std::vector<Outcome> now = Outcomes();
    ASSERT_EQ(now.size(), kept.size());
    for (size_t i = 0; i < now.size(); ++i) {
        EXPECT_EQ(now[i].first, kept[i].first);
        EXPECT_EQ(now[i].second, kept[i].second);
        EXPECT_EQ(now[i].winner, kept[i].winner) << i;
        EXPECT_EQ(now[i].points, kept[i].points) << i;
    }
    EXPECT_EQ(GetSetting(*form, "Durchspielen", "-"), "-");  // the handler resets it, not delGruppe
}

TEST_F(GruppeLoeschenTest, AResultEnteredAfterADeletionCountsForTheRightStandingsRows) {
    Build(kThreeGroups);
    Delete("A");
    const int game = GameBetween("Mannschaft 7", "Mannschaft 8");
    ASSERT_GT(game, 0);
    Play(game);
    const int row = FindRow(form->Spielplan, Spielplan_SpNr, IntToStr(game));
    for (const std::string name : {"Mannschaft 7", "Mannschaft 8"}) {
        const int standings = FindRow(form->Platz, Platz_TeamNr, IntToStr(Team(name)));
        EXPECT_EQ(Cell(form->Platz, Platz_AnzSpiele, standings), "1") << name;
        EXPECT_EQ(Cell(form->Platz, Platz_GrNr, standings), "2");
    }
    EXPECT_THAT(NameOf(Cell(form->Spielplan, Spielplan_Sieger, row)), ::testing::AnyOf("Mannschaft 7", "Mannschaft 8"));
    EXPECT_THAT(Problems(), IsEmpty());
}

TEST_F(GruppeLoeschenTest, AWinnerPlaceholderFollowsItsGameToItsNewNumberAndStillResolves) {
    FormText text;
    const auto first = text.AddRound("Runde 1", {{"A", "a", "SV", {"M1", "M2"}}, {"B", "b", "SV", {"M3", "M4"}},
                                                 {"C", "c", "SV", {"M5", "M6"}}});
    const std::string gameB = IntToStr(first[1][0]), gameC = IntToStr(first[2][0]);
    const auto final = text.AddRound("Runde 2", {{"F", "Finale", "SV", {"S" + gameB, "S" + gameC}}});
    text.SetPlacing({"S" + IntToStr(final[0][0]), "V" + IntToStr(final[0][0])});
    Build(text.Text());

    Delete("A");

    ASSERT_THAT(Problems(), IsEmpty());
    const int newB = FirstGameOf("B"), newC = FirstGameOf("C"), newFinal = FirstGameOf("F");
    EXPECT_THAT(Column(form->Spielplan, Spielplan_SpNr), ElementsAre("1", "2", "3"));
    const std::string slotB = "Sieger Spiel " + IntToStr(newB), slotC = "Sieger Spiel " + IntToStr(newC);
    ASSERT_GT(Team(slotB), 0);
    ASSERT_GT(Team(slotC), 0);
    EXPECT_EQ(Cell(form->Gruppe, Gruppe_Teams, GroupNumber("F")), "S" + IntToStr(newB) + ";S" + IntToStr(newC));
    EXPECT_GT(Team("Sieger Spiel " + IntToStr(newFinal)), 0);  // the final placing follows too
    EXPECT_EQ(Cell(form->Platz, Platz_Team, FindRow(form->Platz, Platz_TeamNr, IntToStr(Team(slotB)))), slotB);

    NameDirectSlots();
    Play(newB);
    Play(newC);
    for (const auto& [slot, game] : {std::pair{slotB, newB}, std::pair{slotC, newC}}) {
        const std::string winner = NameOf(Cell(form->Spielplan, Spielplan_Sieger, game));
        EXPECT_EQ(Cell(form->Teams, Teams_Name_Tur, Team(slot)), "Echt " + winner) << slot;
    }

}

TEST_F(GruppeLoeschenTest, FinalPlacingEntriesGoByTheirCodeNotByTheLastWordOfTheirName) {
    // Group "2" and the winner of game 2 (group X's game) both end their display texts in "2".
    FormText text;
    const auto games = text.AddRound("Runde 1", {{"X", "x", "SV", {"M1", "M2"}}, {"2", "zwei", "JGJ", {"M3", "M4"}}});
    const std::string gameX = IntToStr(games[0][0]);
    ASSERT_EQ(IntToStr(games[1][0]), "2");
    text.SetPlacing({"S" + gameX, "V" + gameX, "1.2", "2.2"});
    Build(text.Text());
    const int winnerOfX = Team("Sieger Spiel " + gameX);
    ASSERT_GT(winnerOfX, 0);

    Delete("2");

    EXPECT_THAT(Problems(), IsEmpty());
    std::vector<std::string> placing;
    for (int row = 1; row < form->Teams.RowCount(); ++row)
        if (!Cell(form->Teams, Teams_Platz, row).empty()) placing.push_back(Cell(form->Teams, Teams_Name, row));
    EXPECT_THAT(placing, ElementsAre("Sieger Spiel 1", "Verlierer Spiel 1"));
}

TEST_F(GruppeLoeschenTest, ARefereeFromTheDeletedGroupLeavesANeutralCourt) {
    Build(kThreeGroups);
    const int game = FirstGameOf("A");
    Put(form->Spielplan, Spielplan_Schir, game, IntToStr(Team("Mannschaft 5")), true);
    Put(form->Spielplan, Spielplan_Schir, FirstGameOf("C"), IntToStr(Team("Mannschaft 2")), true);
    Delete("B");
    EXPECT_EQ(Cell(form->Spielplan, Spielplan_Schir, FirstGameOf("A")), "0");
    EXPECT_EQ(NameOf(Cell(form->Spielplan, Spielplan_Schir, FirstGameOf("C"))), "Mannschaft 2");
}

TEST_F(GruppeLoeschenTest, NamesGivenInThePlaceholderGridStayWithTheirSlots) {
    Build(kThreeGroups);
    setupEndPlatzierung(*form);
    // Names typed into the grid go into the tables only once every slot has one.
    TStringGrid& grid = form->Xplatzgrid;
    grid.SetCells(Platzgrid_Mannschaft, 2, "Adler");
    grid.SetCells(Platzgrid_Mannschaft, 8, "Zebras");
    grid.SetCells(Platzgrid_Spieler, 8, "Zora|Zeno");
    // The round-editing page with group B selected.
    TTreeNode* round = form->TreeView3.Add("Runde 1 ( Vorrunde )");
    round->Data = 1;
    form->TreeView3.SetSelected(round->AddChild("Gruppe B ( Gruppe B )"));
    form->TreeView3.Selected()->Data = 2;
    form->Label31.SetCaption("2");
    ui.QueueAnswer(mrYes);
    GruppeLoeschen(*form);
    ASSERT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(grid.Cells(Platzgrid_Mannschaft, 2), "Adler");
    EXPECT_EQ(grid.Cells(Platzgrid_Platzhalter, 5) + ": " + grid.Cells(Platzgrid_Mannschaft, 5) + " " +
                  grid.Cells(Platzgrid_Spieler, 5),
              "Mannschaft 8: Zebras Zora|Zeno");
    EXPECT_EQ(GetSetting(*form, "Durchspielen", ""), "0");
}

// --- dependencies ---

TEST_F(GruppeLoeschenTest, AGroupWhosePlaceFeedsALaterGroupStaysUntilThatGroupIsGone) {
    Build("!Runde 1|$A$a$JGJ$M1;M2;M3;$B$b$JGJ$M4;M5;M6;|!Runde 2|$F$Finale$SV$2.A;1.B;");
    EXPECT_TRUE(hatAbhaengigkeiten(*form, 1));
    const std::vector<std::string> before = Snapshot();
    EXPECT_FALSE(delGruppe(*form, 1));
    EXPECT_EQ(Snapshot(), before);
    Delete("F");
    EXPECT_FALSE(hatAbhaengigkeiten(*form, 1));
    Delete("A");
    EXPECT_THAT(Column(form->Gruppe, Gruppe_Bez), ElementsAre("B"));
    EXPECT_THAT(Problems(), IsEmpty());
}

TEST_F(GruppeLoeschenTest, EveryGroupOfABestOfListIsASource) {
    Build("!Runde 1|$A$a$JGJ$M1;M2;$B$b$JGJ$M3;M4;$C$c$JGJ$M5;M6;|!Runde 2|$F$f$SV$B1/1/A,b;1.C;");
    EXPECT_TRUE(hatAbhaengigkeiten(*form, GroupNumber("A")));
    EXPECT_TRUE(hatAbhaengigkeiten(*form, GroupNumber("B")));  // listed in another case
    EXPECT_TRUE(hatAbhaengigkeiten(*form, GroupNumber("C")));
    EXPECT_FALSE(delGruppe(*form, GroupNumber("B")));
    EXPECT_FALSE(hatAbhaengigkeiten(*form, GroupNumber("F")));
}

// --- what comes after ---

TEST_F(GruppeLoeschenTest, ARoundMadeAfterDeletingAMiddleRoundTakesTheNextNumbers) {
    Build("!R1|$A$a$JGJ$M1;M2;M3;|!R2|$B$b$JGJ$M4;M5;|!R3|$C$c$JGJ$M6;M7;");
    Delete("B");
    EXPECT_THAT(Column(form->Gruppe, Gruppe_RNr), ElementsAre("1", "2"));
    EXPECT_EQ(form->AnzRunden, 2);
    EXPECT_EQ(form->Edit4.Text(), "3");
    ListGroup("D", "d", "M8;M9", "JGJ");
    RundeAnlegen(*form);
    EXPECT_THAT(Problems(), IsEmpty());
    EXPECT_THAT(Column(form->Spielplan, Spielplan_SpNr), ElementsAre("1", "2", "3", "4", "5"));
    EXPECT_THAT(Column(form->Gruppe, Gruppe_RNr), ElementsAre("1", "2", "3"));
    EXPECT_EQ(Cell(form->Spielplan, Spielplan_RNr, 5), "3");
}

// --- the final placing replaced ---

TEST_F(GruppeLoeschenTest, ReplacingTheFinalPlacingKeepsEveryGameWithItsParticipants) {
    Build("!Vorrunde|$A$a$JGJ$M1;M2;M3;<$$>M3;M2;M1;");
    RoundPage(2, "Finale");
    ListGroup("F", "f", "1.A;2.A", "SV");
    RundeAnlegen(*form);
    const int final = FirstGameOf("F");
    Put(form->Spielplan, Spielplan_Schir, FirstGameOf("A"), IntToStr(Team("2. Gruppe A")), true);
    ASSERT_EQ(Team("1. Gruppe A"), 7);  // behind the three placing rows

    setEndPlatzierung(*form, "S" + IntToStr(final) + ";V" + IntToStr(final));
    LoadTurSettings(*form);

    EXPECT_THAT(Problems(), IsEmpty());
    EXPECT_EQ(Team("1. Gruppe A"), 4);
    const int row = FindRow(form->Spielplan, Spielplan_SpNr, IntToStr(final));
    EXPECT_EQ(NameOf(Cell(form->Spielplan, Spielplan_T1, row)) + " - " + NameOf(Cell(form->Spielplan, Spielplan_T2, row)),
              "1. Gruppe A - 2. Gruppe A");
    EXPECT_EQ(NameOf(Cell(form->Spielplan, Spielplan_Schir, FirstGameOf("A"))), "2. Gruppe A");
}
