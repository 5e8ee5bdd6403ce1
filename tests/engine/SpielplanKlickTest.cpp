#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/Gruppenstatus.h"
#include "engine/Konflikt.h"
#include "engine/Platzhalter.h"
#include "engine/SpielplanKlick.h"
#include "engine/Wertungsregeln.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/Settings.h"
#include "output/OutputNotice.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Group A (round 1, three teams, three games) feeds the final F (round 2, knock-out) with its
// first and second: slots "1. Gruppe A" and "2. Gruppe A".
class SpielplanKlickTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ResetOutputNotices();
        Put(form->Turnier, 0, 1, "1", true);
        a = Group("A", "JGJ", 1, 3);
        adler = Team(a, "Adler");
        baeren = Team(a, "Bären");
        cobras = Team(a, "Cobras");
        AddGame(a, adler, baeren);
        AddGame(a, adler, cobras);
        AddGame(a, baeren, cobras);
        f = Group("F", "SV", 2, 2);
        first = Slot(f, "1.A");
        second = Slot(f, "2.A");
        finalGame = AddGame(f, first, second);
        Put(form->Gruppe, Gruppe_State, a, "Open", true);
    }

    int Group(const std::string& id, const std::string& system, int round, int teams) {
        const int g = AddGroup(id, system, teams);
        Put(form->Gruppe, Gruppe_RNr, g, round, true);
        Put(form->Gruppe, Gruppe_Name, g, "Runde " + IntToStr(round), true);
        return g;
    }

    int Team(int g, const std::string& name) {
        const int t = AddTeam(g, name);
        AddStanding(g, t);
        Put(form->Platz, Platz_Team, PlatzRow(t), name, true);
        return t;
    }

    // A slot waiting for its participant.
    int Slot(int g, const std::string& code) {
        const int t = AddTeam(g);
        const std::string text = PutPlatzhalter(*form, code, t);
        Put(form->Teams, Teams_Name, t, text, true);
        ListPut(form->XATeams, t, text);
        AddStanding(g, t);
        Put(form->Platz, Platz_Team, PlatzRow(t), text, true);
        return t;
    }

    // A participant of group h referees the game; returns the game's plan row.
    int RefereeFrom(int h, int game) {
        const int referee = AddTeam(h);
        Put(form->Teams, Teams_GrNr, referee, h, true);
        const int row = FindRow(form->Spielplan, Spielplan_SpNr, IntToStr(game));
        Put(form->Spielplan, Spielplan_Schir, row, referee, true);
        return row;
    }

    int PlatzRow(int team) const { return FindRow(form->Platz, Platz_TeamNr, IntToStr(team)); }
    std::string Standing(int team, int column) const { return Get(form->Platz, column, PlatzRow(team), true); }
    // Games, points won and lost, sets won and lost of a team's standings row.
    std::vector<std::string> Totals(int team) const {
        std::vector<std::string> cells;
        for (int c : {Platz_AnzSpiele, Platz_PPkt, Platz_MPkt, Platz_PSatz, Platz_MSatz}) cells.push_back(Standing(team, c));
        return cells;
    }
    std::string State(int g) const { return Get(form->Gruppe, Gruppe_State, g, true); }
    std::string Game(int game, int column) const { return Get(form->Spielplan, column, game, true); }
    std::string Name(int slot) const { return ListGet(form->XATeamsTur, slot); }

    // Enters a result through the dialog, as the user types it.
    void Enter(int game, std::vector<std::string> lines) {
        ui.QueueDialog(std::move(lines));
        doSpielplanKlick(*form, nullptr, game, false, false);
    }
    void Score(int game, int p, int m) {
        Enter(game, {"Punkte1=" + IntToStr(p), "Punkte2=" + IntToStr(m), "übernehmen"});
    }
    // Plays group A: Adler first, Bären second, Cobras third.
    void PlayGroupA() {
        Score(1, 2, 0);
        Score(2, 2, 0);
        Score(3, 2, 0);
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const MessageBoxRecord& box : ui.boxes) texts.push_back(box.text);
        return texts;
    }
    std::vector<int> Order(int g) const {
        std::vector<int> teams;
        for (int r = 1; r < form->Platz.RowCount(); ++r)
            if (IntGet(form->Platz, Platz_GrNr, r, true) == g) teams.push_back(IntGet(form->Platz, Platz_TeamNr, r, true));
        return teams;
    }

    static constexpr const char* kProjectorNotice =
        "Dieses Programm hat keine Verbindung zu einem Beamer-Programm: die Gruppen werden nicht angezeigt.";
    int a = 0, f = 0, adler = 0, baeren = 0, cobras = 0, first = 0, second = 0, finalGame = 0;
};

// --- entering, changing and clearing a result ---

TEST_F(SpielplanKlickTest, ResultGoesIntoBothStandingsRows) {
    Enter(1, {"Punkte1=3", "Punkte2=1", "Sätze1=2", "Sätze2=1", "übernehmen"});
    EXPECT_EQ(Game(1, Spielplan_Sieger), IntToStr(adler));
    EXPECT_THAT(Totals(adler), ElementsAre("1", "3", "1", "2", "1"));
    EXPECT_THAT(Totals(baeren), ElementsAre("1", "1", "3", "1", "2"));
    EXPECT_EQ(State(a), "Edit");
    EXPECT_THAT(form->calls, ElementsAre("DoPlan(XPlan1)", "DoPlan(XPlan2)"));
}

TEST_F(SpielplanKlickTest, ChangedResultAddsOnlyTheDifference) {
    Score(1, 3, 1);
    Score(1, 0, 2);
    EXPECT_THAT(Totals(adler), ElementsAre("1", "0", "2", "0", "0"));
    EXPECT_THAT(Totals(baeren), ElementsAre("1", "2", "0", "0", "0"));
    EXPECT_EQ(Game(1, Spielplan_Sieger), IntToStr(baeren));
}

// A result without sets leaves the sets as they stand where they are written as the program
// writes them, and writes them so where they are not: blank, with a leading zero.
TEST_F(SpielplanKlickTest, ValuesNotScoredAreWrittenAsNumbersWhereTheyAreNot) {
    Put(form->Platz, Platz_PSatz, PlatzRow(adler), "07", true);
    Put(form->Platz, Platz_MSatz, PlatzRow(adler), "", true);
    Put(form->Platz, Platz_PSatz, PlatzRow(baeren), "10", true);
    Score(1, 3, 1);
    EXPECT_THAT(Totals(adler), ElementsAre("1", "3", "1", "7", "0"));
    EXPECT_THAT(Totals(baeren), ElementsAre("1", "1", "3", "10", "0"));
}

TEST_F(SpielplanKlickTest, GameDecidedByWinnerAloneOrNilNilCountsOnce) {
    Enter(1, {"Sieger=Bären", "übernehmen"});
    Enter(1, {"Sieger=Adler", "übernehmen"});
    EXPECT_EQ(Standing(adler, Platz_AnzSpiele), "1");
    Score(2, 0, 0);
    EXPECT_EQ(Game(2, Spielplan_Sieger), "0");
    Score(2, 0, 0);
    EXPECT_EQ(Standing(cobras, Platz_AnzSpiele), "1");
    // A 0:0 draw has a result that can be cleared.
    Enter(2, {"ergebnis-löschen"});
    EXPECT_EQ(Standing(cobras, Platz_AnzSpiele), "0");
    EXPECT_EQ(Game(2, Spielplan_Sieger), "");
}

TEST_F(SpielplanKlickTest, ClearingTakesTheResultBackAndReopensAGroupWithoutResults) {
    Score(1, 3, 1);
    Enter(1, {"ergebnis-löschen"});
    EXPECT_THAT(Totals(adler), ElementsAre("0", "0", "0", "0", "0"));
    EXPECT_THAT(Totals(baeren), ElementsAre("0", "0", "0", "0", "0"));
    EXPECT_EQ(State(a), "Open");
    // A game count never goes below 0.
    Put(form->Platz, Platz_AnzSpiele, PlatzRow(adler), "0", true);
    Score(1, 1, 0);
    Put(form->Platz, Platz_AnzSpiele, PlatzRow(adler), "0", true);
    Enter(1, {"ergebnis-löschen"});
    EXPECT_EQ(Standing(adler, Platz_AnzSpiele), "0");
}

TEST_F(SpielplanKlickTest, CancelledDialogChangesNothing) {
    Score(1, 3, 1);
    form->calls.clear();
    Enter(1, {"Punkte1=9", "abbrechen"});
    EXPECT_EQ(Game(1, Spielplan_PPkt), "3");
    EXPECT_THAT(Totals(adler), ElementsAre("1", "3", "1", "0", "0"));
    EXPECT_THAT(form->calls, IsEmpty());
}

TEST_F(SpielplanKlickTest, BadScoresChangeNothing) {
    Enter(1, {"Punkte1=-2", "übernehmen", "Punkte1=zwei", "übernehmen", "abbrechen"});
    EXPECT_THAT(Boxes(), ElementsAre("\"Punkte1\" darf nicht negativ sein", "Bitte bei \"Punkte1\" eine Zahl eingeben"));
    EXPECT_EQ(Game(1, Spielplan_Sieger), "");
    EXPECT_THAT(Totals(adler), ElementsAre("", "", "", "", ""));
    EXPECT_EQ(State(a), "Open");
}

TEST_F(SpielplanKlickTest, ImportedResultCountsInFull) {
    Put(form->Spielplan, Spielplan_PPkt, 1, "4", true);
    Put(form->Spielplan, Spielplan_MPkt, 1, "2", true);
    Put(form->Spielplan, Spielplan_Sieger, 1, IntToStr(adler), true);
    doSpielplanKlick(*form, nullptr, 1, false, true);
    EXPECT_THAT(Totals(adler), ElementsAre("1", "4", "2", "0", "0"));
    EXPECT_EQ(State(a), "Edit");
    EXPECT_TRUE(form->Beamer.SentGroups().empty());
    EXPECT_THAT(ui.boxes, IsEmpty());
}

// A game is played once it has a winner. Values a row holds without one (left by a damaged file)
// were never counted: the result typed over them counts in full, once, as a rebuild counts it.
TEST_F(SpielplanKlickTest, ValuesOfAGameNotPlayedCountNowhere) {
    Put(form->Spielplan, Spielplan_PPkt, 1, "5", true);
    Put(form->Spielplan, Spielplan_MPkt, 1, "4", true);
    Score(1, 2, 1);
    EXPECT_THAT(Totals(adler), ElementsAre("1", "2", "1", "0", "0"));
    EXPECT_THAT(Totals(baeren), ElementsAre("1", "1", "2", "0", "0"));
}

TEST_F(SpielplanKlickTest, UnknownGameNumberIsLoggedAndChangesNothing) {
    doSpielplanKlick(*form, nullptr, 99, false, false);
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] doSpielplanKlick: posY(0) => Spielnummer nicht zulaessig"));
    doSpielplanKlick(*form, nullptr, 0, false, false);
    EXPECT_THAT(form->calls, IsEmpty());
}

TEST_F(SpielplanKlickTest, PlanRowMustBeAGameOpenForResults) {
    form->XPlan1.SetRowCount(3);
    form->XPlan1.SetCells(1, 1, "1");
    form->XPlan1.SetCells(0, 2, ">>");
    form->XPlan1.SetRow(1);
    doSpielplanKlick(*form, &form->XPlan1, 0, false, false);
    form->XPlan1.SetRow(2);
    doSpielplanKlick(*form, &form->XPlan1, 0, false, false);
    EXPECT_THAT(form->calls, IsEmpty());
    form->XPlan1.SetCells(1, 2, "2");
    ui.QueueDialog({"Punkte1=1", "übernehmen"});
    doSpielplanKlick(*form, &form->XPlan1, 0, false, false);
    EXPECT_EQ(Game(2, Spielplan_Sieger), IntToStr(adler));
}

TEST_F(SpielplanKlickTest, TeamWithoutStandingsRowIsLoggedAndTheRestGoesOn) {
    DeleteGridRow(form->Platz, PlatzRow(baeren));
    Score(1, 1, 0);
    EXPECT_THAT(ErrorLogText(), HasSubstr("doSpielplanKlick(): Ergbnis in XPlatz eingeben: t1 (1) oder t2 (0) kleiner = 0 Fehler!"));
    EXPECT_EQ(State(a), "Edit");
}

// --- a group is completed ---

TEST_F(SpielplanKlickTest, LastResultFinishesTheGroupAndOpensTheFinal) {
    DebugModus = true;
    PlayGroupA();
    EXPECT_EQ(State(a), "Done");
    EXPECT_THAT(ReadProgramFile("debug.log"), HasSubstr("[A] Gruppe A fertig"));
    EXPECT_THAT(Boxes(), Contains("Gruppe A (Runde 1) ist fertig"));
    EXPECT_THAT(Order(a), ElementsAre(adler, baeren, cobras));
    EXPECT_EQ(Name(first), "Adler");
    EXPECT_EQ(Name(second), "Bären");
    EXPECT_EQ(Standing(first, Platz_Team), "Adler");
    EXPECT_EQ(State(f), "Open");
    EXPECT_THAT(Totals(first), ElementsAre("0", "0", "0", "0", "0"));
    // Every group open, played or done is shown again.
    EXPECT_EQ(form->Beamer.SentGroups().back(), f);
    EXPECT_THAT(Boxes(), Contains(kProjectorNotice));
}

// Why a game takes no result names what it waits for: the group its participants come from,
// or the later game that builds on its own group.
TEST_F(SpielplanKlickTest, WhyAGameTakesNoResultNamesWhatItWaitsFor) {
    EXPECT_EQ(KeinErgebnisGrund(*form, finalGame), "die Teilnehmer von Gruppe F stehen noch nicht fest (Gruppe A ist "
                                                   "noch nicht fertig)");
    EXPECT_EQ(KeinErgebnisGrund(*form, 1), "");
    PlayGroupA();
    EXPECT_EQ(KeinErgebnisGrund(*form, finalGame), "");
    Put(form->Gruppe, Gruppe_State, a, "Closed", true);
    EXPECT_EQ(KeinErgebnisGrund(*form, 1), "Gruppe A ist abgeschlossen: ein späteres Spiel baut auf ihr auf");
}

// Whether a result completes its group counts every winner: one taken back in between, one
// written into the games by other means, one cleared again.
TEST_F(SpielplanKlickTest, AGroupIsCompleteWhenEveryGameHasAWinnerHoweverItGotIt) {
    Score(1, 2, 0);
    Enter(1, {"ergebnis-löschen"});
    Score(1, 2, 0);
    Put(form->Spielplan, Spielplan_Sieger, FindRow(form->Spielplan, Spielplan_SpNr, "3"), IntToStr(baeren), true);
    Score(2, 0, 1);
    EXPECT_EQ(State(a), "Done");
    Enter(2, {"ergebnis-löschen"});
    EXPECT_EQ(State(a), "Edit");
    Score(2, 0, 1);
    EXPECT_EQ(State(a), "Done");
}

TEST_F(SpielplanKlickTest, ResultOfTheFinalClosesTheGroupItCameFrom) {
    PlayGroupA();
    Score(finalGame, 1, 0);
    EXPECT_EQ(State(a), "Closed");
    EXPECT_EQ(State(f), "Done");
}

TEST_F(SpielplanKlickTest, TieGoesToTheConflictDialogWhoseOrderThePlaceholdersFollow) {
    SetSetting(*form, "WertungDirektVergleich", "true");
    Score(1, 1, 1);
    Score(2, 1, 1);
    ui.QueueDialog({"Punkte1=1", "Punkte2=1", "übernehmen"});
    ui.QueueDialog({"Reihenfolge=3,2,1", "ok"});
    doSpielplanKlick(*form, nullptr, 3, false, false);
    EXPECT_THAT(ui.dialogCaptions, Contains("Platzierungskonflikt"));
    EXPECT_THAT(Order(a), ElementsAre(cobras, baeren, adler));
    EXPECT_EQ(Name(first), "Cobras");
    EXPECT_EQ(Name(second), "Bären");
}

// Adler beat Bären, Cobras drew with both, all on the same points: the direct result orders only
// Adler above Bären, so all three go to the conflict dialog, which puts Bären first.
class SettledTieTest : public SpielplanKlickTest {
protected:
    void SetUp() override {
        SpielplanKlickTest::SetUp();
        SetSetting(*form, "WertungDirektVergleich", "true");
        Enter(1, {"Punkte1=1", "Punkte2=1", "Sieger=Adler", "übernehmen"});
        Score(2, 1, 1);
        ui.QueueDialog({"Punkte1=1", "Punkte2=1", "übernehmen"});
        ui.QueueDialog({"Reihenfolge=2,3,1", "ok"});
        doSpielplanKlick(*form, nullptr, 3, false, false);
    }
};

TEST_F(SettledTieTest, TheDialogsOrderHoldsInTableAndPlaceholdersOverTheDirectResult) {
    EXPECT_THAT(Order(a), ElementsAre(baeren, cobras, adler));
    EXPECT_EQ(Name(first), "Bären");
    EXPECT_EQ(Name(second), "Cobras");
    // A result elsewhere ranks the whole table again after a change the ranking did not make.
    Put(form->Platz, Platz_Team, PlatzRow(first), "Bären", true);
    Score(finalGame, 1, 0);
    EXPECT_THAT(Order(a), ElementsAre(baeren, cobras, adler));
}

// Settled again, the conflict offers the order as it stands: taken as offered it changes
// nothing, cancelled neither.
TEST_F(SettledTieTest, SettlingAgainOffersTheOrderAsItStands) {
    ui.QueueDialog({"Reihenfolge=1,2,3", "ok"});
    ASSERT_TRUE(konfliktLoesen(*form, a));
    EXPECT_THAT(Order(a), ElementsAre(baeren, cobras, adler));
    EXPECT_EQ(Name(first), "Bären");
    ui.QueueDialog({"Reihenfolge=3,1,2", "abbrechen"});
    ASSERT_TRUE(konfliktLoesen(*form, a));
    EXPECT_THAT(Order(a), ElementsAre(baeren, cobras, adler));
    ui.QueueDialog({"Reihenfolge=3,1,2", "ok"});
    ASSERT_TRUE(konfliktLoesen(*form, a));
    EXPECT_THAT(Order(a), ElementsAre(adler, baeren, cobras));
    EXPECT_EQ(Name(first), "Adler");
    EXPECT_EQ(Name(second), "Bären");
}

// Adler beat Bären and both end level on points, points lost and set difference, Bären with more
// sets won: the ranking rules decide who is second and goes into the final.
TEST_F(SpielplanKlickTest, NewRankingRulesReorderAFinishedGroupAndItsPlaceholdersFollow) {
    Enter(1, {"Punkte1=2", "Punkte2=0", "Sätze1=1", "Sätze2=0", "übernehmen"});
    Enter(2, {"Punkte1=1", "Punkte2=3", "Sätze1=0", "Sätze2=1", "übernehmen"});
    Enter(3, {"Punkte1=3", "Punkte2=1", "Sätze1=3", "Sätze2=2", "übernehmen"});
    ASSERT_THAT(Order(a), ElementsAre(cobras, baeren, adler));
    ASSERT_EQ(Name(second), "Bären");
    SetSetting(*form, "WertungDirektVergleich", "true");
    EXPECT_THAT(tabellenNeuOrdnen(*form), ElementsAre(a));
    EXPECT_THAT(Order(a), ElementsAre(cobras, adler, baeren));
    EXPECT_EQ(Name(first), "Cobras");
    EXPECT_EQ(Name(second), "Adler");
    EXPECT_THAT(ui.dialogCaptions, Not(Contains("Platzierungskonflikt")));
    EXPECT_THAT(tabellenNeuOrdnen(*form), IsEmpty());
    // Once the final has a result, its participants stay, and so does the table they came from.
    Score(finalGame, 1, 0);
    SetSetting(*form, "WertungDirektVergleich", "false");
    EXPECT_THAT(tabellenNeuOrdnen(*form), IsEmpty());
    EXPECT_THAT(Order(a), ElementsAre(cobras, adler, baeren));
    EXPECT_EQ(Name(second), "Adler");
}

TEST_F(SpielplanKlickTest, ClearingAResultOfACompleteGroupTakesItsParticipantsBack) {
    PlayGroupA();
    Score(finalGame, 3, 1);
    Enter(3, {"ergebnis-löschen"});
    EXPECT_EQ(State(a), "Edit");
    EXPECT_EQ(Name(first), "");
    EXPECT_EQ(Get(form->Teams, Teams_Name_Tur, second, true), "");
    EXPECT_EQ(Standing(first, Platz_Team), "1. Gruppe A");
    EXPECT_EQ(State(f), "");
    // The final keeps the result it has: its standings are rebuilt from it, not zeroed.
    EXPECT_THAT(Totals(first), ElementsAre("1", "3", "1", "0", "0"));
    // Finished again, the final opens as a group with a result.
    Score(3, 2, 0);
    EXPECT_EQ(Name(first), "Adler");
    EXPECT_EQ(State(f), "Edit");
    EXPECT_THAT(Totals(second), ElementsAre("1", "1", "3", "0", "0"));
}

TEST_F(SpielplanKlickTest, BestOfPlaceholderOfTheFirstListedGroupIsTakenBack) {
    const int b = Group("B", "JGJ", 1, 2);
    const int d = Team(b, "Dachse");
    const int e = Team(b, "Elche");
    AddGame(b, d, e, IntToStr(d));
    Put(form->Gruppe, Gruppe_State, b, "Done", true);
    const int ab = Group("AB", "JGJ", 1, 2);
    Put(form->Gruppe, Gruppe_State, ab, "Done", true);
    const int best = Group("Z", "SV", 3, 2);
    const int bestSlot = Slot(best, "B1/2/A,B");
    const int abSlot = Slot(best, "B1/1/AB");
    PlayGroupA();
    ListPut(form->XATeamsTur, abSlot, "Dachse");
    Put(form->Teams, Teams_Name_Tur, abSlot, "Dachse", true);
    ASSERT_EQ(Name(bestSlot), "Bären");
    Enter(2, {"ergebnis-löschen"});
    EXPECT_EQ(Name(bestSlot), "");
    EXPECT_EQ(Standing(bestSlot, Platz_Team), "1. Bester aller 2. der Gruppen A,B");
    // Group AB is not group A.
    EXPECT_EQ(Name(abSlot), "Dachse");
}

TEST_F(SpielplanKlickTest, FinalPlacingNamingTheGroupIsTakenBackButNotOneNamingAnother) {
    const int placeA = AddTeam(0, "1. Gruppe A");
    const int placeAB = AddTeam(0, "1. Gruppe AB");
    for (int t : {placeA, placeAB}) {
        Put(form->Teams, Teams_Platz, t, t - placeA + 1, true);
        Put(form->Teams, Teams_Name_Tur, t, "x", true);
    }
    PlayGroupA();
    Enter(3, {"ergebnis-löschen"});
    EXPECT_EQ(Get(form->Teams, Teams_Name_Tur, placeA, true), "");
    EXPECT_EQ(Get(form->Teams, Teams_Name_Tur, placeAB, true), "x");
}

TEST_F(SpielplanKlickTest, ResultsCarriedOverFromThePreviousRound) {
    Put(form->Gruppe, Gruppe_ErgUE, f, "1", true);
    PlayGroupA();
    EXPECT_THAT(Totals(first), ElementsAre("2", "4", "0", "0", "0"));
    EXPECT_THAT(Totals(second), ElementsAre("2", "2", "2", "0", "0"));
}

// --- knock-out games ---

TEST_F(SpielplanKlickTest, KnockOutGameOpensLaterGroupsAfterEveryResult) {
    PlayGroupA();
    const int g = Group("G", "JGJ", 3, 2);
    const int winner = Slot(g, "S" + IntToStr(finalGame));
    const int loser = Slot(g, "V" + IntToStr(finalGame));
    AddGame(g, winner, loser);
    Score(finalGame, 2, 1);
    EXPECT_EQ(Name(winner), "Adler");
    EXPECT_EQ(Name(loser), "Bären");
    EXPECT_EQ(State(g), "Open");
}

// A knock-out result looks at names and sources afresh when they changed since the last one: a
// participant renamed in between shows its new name, a slot given another source group waits
// for that group.
TEST_F(SpielplanKlickTest, KnockOutResultSeesNamesAndSourcesChangedSinceTheLastResult) {
    const int g = Group("G", "JGJ", 3, 2);
    const int winner = Slot(g, "S" + IntToStr(finalGame));
    const int loser = Slot(g, "V" + IntToStr(finalGame));
    AddGame(g, winner, loser);
    const int h = Group("H", "JGJ", 2, 2);
    PlayGroupA();
    ASSERT_EQ(Standing(first, Platz_Team), "Adler");
    ListPut(form->XATeamsTur, first, "Adler II");
    Put(form->Teams, Teams_GrNr, winner, h, true);
    Score(finalGame, 2, 1);
    EXPECT_EQ(Standing(first, Platz_Team), "Adler II");
    EXPECT_EQ(State(g), "");
    EXPECT_EQ(Name(loser), "Bären");
}

// A participant with two standings rows shows a new name in both, also when only the names
// changed since the last result.
TEST_F(SpielplanKlickTest, ANewNameReachesEveryStandingsRowOfItsParticipant) {
    PlayGroupA();
    AddStanding(Group("G", "JGJ", 3, 2), first);
    Score(finalGame, 2, 1);
    ListPut(form->XATeamsTur, first, "Adler II");
    Score(finalGame, 3, 1);
    std::vector<std::string> shown;
    for (int r = 1; r < form->Platz.RowCount(); ++r)
        if (IntGet(form->Platz, Platz_TeamNr, r, true) == first) shown.push_back(Get(form->Platz, Platz_Team, r, true));
    EXPECT_THAT(shown, ElementsAre("Adler II", "Adler II"));
}

// A referee given to a game since the last result is seen as well, though the participants
// stayed as they were: a referee from a group not yet played holds the group back.
TEST_F(SpielplanKlickTest, KnockOutResultSeesARefereeChangedSinceTheLastResult) {
    const int g = Group("G", "JGJ", 3, 2);
    const int winner = Slot(g, "S" + IntToStr(finalGame));
    const int loser = Slot(g, "V" + IntToStr(finalGame));
    const int gameOfG = AddGame(g, winner, loser);
    const int h = Group("H", "JGJ", 2, 2);
    PlayGroupA();
    RefereeFrom(h, gameOfG);
    Score(finalGame, 2, 1);
    EXPECT_EQ(Name(winner), "Adler");
    EXPECT_EQ(State(g), "");
}

// And a referee taken off the game since: the group holds back no longer.
TEST_F(SpielplanKlickTest, KnockOutResultSeesARefereeTakenOffSinceTheLastResult) {
    const int g = Group("G", "JGJ", 3, 2);
    const int winner = Slot(g, "S" + IntToStr(finalGame));
    const int loser = Slot(g, "V" + IntToStr(finalGame));
    const int gameOfG = AddGame(g, winner, loser);
    const int row = RefereeFrom(Group("H", "JGJ", 2, 2), gameOfG);
    PlayGroupA();
    Score(finalGame, 2, 1);
    ASSERT_EQ(State(g), "");
    Put(form->Spielplan, Spielplan_Schir, row, "0", true);
    Score(finalGame, 3, 1);
    EXPECT_EQ(Name(winner), "Adler");
    EXPECT_EQ(State(g), "Open");
}

// The same while the states of the groups stay as they were: the final's first result is
// changed, and the group that only waited for its referee opens.
TEST_F(SpielplanKlickTest, ChangedResultSeesARefereeTakenOffThoughNoStateChanged) {
    const int secondFinal = AddGame(f, second, first);
    const int g = Group("G", "JGJ", 2, 2);
    const int third = Slot(g, "3.A");
    const int gameOfG = AddGame(g, third, Team(g, "Dachse"));
    // H is being played: it opens nothing and holds G back.
    const int h = Group("H", "JGJ", 2, 2);
    Put(form->Gruppe, Gruppe_State, h, "Edit", true);
    const int row = RefereeFrom(h, gameOfG);
    PlayGroupA();
    Score(finalGame, 2, 1);
    ASSERT_EQ(State(g), "");
    ASSERT_EQ(State(f), "Edit");
    Put(form->Spielplan, Spielplan_Schir, row, "0", true);
    Score(finalGame, 3, 1);
    EXPECT_EQ(Name(third), "Cobras");
    EXPECT_EQ(State(g), "Open");
    EXPECT_EQ(Game(secondFinal, Spielplan_Sieger), "");
}

TEST_F(SpielplanKlickTest, DrawnKnockOutGameLeavesWinnerAndLoserOpen) {
    PlayGroupA();
    const int g = Group("G", "JGJ", 3, 2);
    const int winner = Slot(g, "S" + IntToStr(finalGame));
    const int loser = Slot(g, "V" + IntToStr(finalGame));
    Score(finalGame, 1, 1);
    EXPECT_EQ(Name(winner), "");
    EXPECT_EQ(Name(loser), "");
    Score(finalGame, 2, 1);
    EXPECT_EQ(Name(winner), "Adler");
    // Changed to a game without a winner, the slots wait again.
    Enter(finalGame, {"kein-ergebnis"});
    EXPECT_EQ(Name(winner), "");
    EXPECT_EQ(Get(form->Teams, Teams_Name_Tur, loser, true), "");
    EXPECT_EQ(Standing(winner, Platz_Team), "Sieger Spiel " + IntToStr(finalGame));
    EXPECT_THAT(Boxes(), Not(Contains(HasSubstr("Neutrales Schiedsgericht"))));
}

// --- play-through ---

TEST_F(SpielplanKlickTest, PlayThroughWithoutScoringNamesGivesWinnersOnly) {
    for (int game = 1; game <= 3; ++game) doSpielplanKlick(*form, nullptr, game, true, false);
    for (int game = 1; game <= 3; ++game) {
        EXPECT_NE(Game(game, Spielplan_Sieger), "") << game;
        EXPECT_EQ(Game(game, Spielplan_PPkt), "") << game;
    }
    EXPECT_EQ(State(a), "Done");
    EXPECT_THAT(ui.boxes, IsEmpty());
    EXPECT_THAT(form->calls, IsEmpty());
    EXPECT_TRUE(form->Beamer.SentGroups().empty());
}

TEST_F(SpielplanKlickTest, PlayThroughWithScoringNamesGivesDifferentPointsAndTheHigherSideWins) {
    form->Wertung1 = "Punkte";
    for (int round = 0; round < 40; ++round) {
        doSpielplanKlick(*form, nullptr, 1, true, false);
        const int p = ToInt(Game(1, Spielplan_PPkt)), m = ToInt(Game(1, Spielplan_MPkt));
        ASSERT_NE(p, m);
        ASSERT_TRUE(p >= 0 && p <= 7 && m >= 0 && m <= 7);
        EXPECT_EQ(Game(1, Spielplan_Sieger), IntToStr(p > m ? adler : baeren));
    }
    EXPECT_EQ(Standing(adler, Platz_AnzSpiele), "1");
}

// --- views and printing ---

TEST_F(SpielplanKlickTest, GraphicViewIsRedrawnOnlyWhileShown) {
    form->ScrollBox1.Visible = true;
    Score(1, 1, 0);
    EXPECT_THAT(form->calls, ElementsAre("DoPlan(XPlan1)", "DoPlan(XPlan2)", "doGrafik(0)"));
}

TEST_F(SpielplanKlickTest, AutomaticPrintingOnlyForACompletedGroupWithSmartPrint) {
    SetSetting(*form, "SaveCheckBox4", "true");
    SetSetting(*form, "SaveCheckBox1", "true");
    SetSetting(*form, "SaveCheckBox2", "true");
    SetSetting(*form, "SaveCheckBox11", "true");
    PlayGroupA();
    EXPECT_TRUE(form->frmDruckOptionen.requests.empty());
    Enter(3, {"ergebnis-löschen"});
    SetSetting(*form, "SmartPrint", "true");
    Score(1, 2, 0);
    EXPECT_TRUE(form->frmDruckOptionen.requests.empty());
    Score(3, 2, 0);
    const auto& requests = form->frmDruckOptionen.requests;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].type, 7);
    EXPECT_THAT(requests[0].items, ElementsAre(IntToStr(a)));
    EXPECT_TRUE(requests[0].gruppentabelle);
    EXPECT_EQ(requests[1].type, 7);
    EXPECT_THAT(requests[1].items, ElementsAre(IntToStr(f)));
    EXPECT_FALSE(requests[1].gruppentabelle);
    EXPECT_EQ(requests[2].type, 10);
    EXPECT_EQ(requests[2].subType, 1);
    EXPECT_THAT(requests[2].items, ElementsAre("G" + IntToStr(f)));
    EXPECT_TRUE(requests[2].eigeneSeite);
}

// --- standings of the groups a result does not touch ---

// Group B of round 1 (Dachse, Elche, Fuchs) with Dachse and Elche level after a draw on points
// that Elche won.
class UntouchedGroupsTest : public SpielplanKlickTest {
protected:
    void SetUp() override {
        SpielplanKlickTest::SetUp();
        b = Group("B", "JGJ", 1, 3);
        dachse = Team(b, "Dachse");
        elche = Team(b, "Elche");
        fuchs = Team(b, "Fuchs");
        const int game = AddGame(b, dachse, elche);
        AddGame(b, dachse, fuchs);
        AddGame(b, elche, fuchs);
        Put(form->Gruppe, Gruppe_State, b, "Open", true);
        Enter(game, {"Punkte1=1", "Punkte2=1", "Sieger=Elche", "übernehmen"});
        ASSERT_THAT(Order(b), ElementsAre(dachse, elche, fuchs));
    }
    int b = 0, dachse = 0, elche = 0, fuchs = 0;
};

TEST_F(UntouchedGroupsTest, ChangedRankingSettingsOrderEveryGroupAtTheNextResult) {
    SetSetting(*form, "WertungDirektVergleich", "true");
    Score(1, 2, 0);
    EXPECT_THAT(Order(b), ElementsAre(elche, dachse, fuchs));
}

TEST_F(UntouchedGroupsTest, StandingsChangedElsewhereAreOrderedAtTheNextResult) {
    // As a tournament file may hold them: Fuchs with three points, still below.
    Put(form->Platz, Platz_PPkt, PlatzRow(fuchs), "3", true);
    Score(1, 2, 0);
    EXPECT_THAT(Order(b), ElementsAre(fuchs, dachse, elche));
}

TEST_F(UntouchedGroupsTest, CarriedTotalsDoNotDependOnWhereTheGroupsRowsStand) {
    // A second "Bären" in group B: the one of the later group counts, wherever the rows stand.
    Put(form->Gruppe, Gruppe_ErgUE, f, "1", true);
    ListPut(form->XATeamsTur, fuchs, "Bären");
    Score(AddGame(b, fuchs, elche), 3, 1);
    for (int row = 1; row < form->Platz.RowCount(); ++row)
        if (IntGet(form->Platz, Platz_GrNr, row, true) == b) form->Platz.MoveRow(row, 1);
    PlayGroupA();
    EXPECT_THAT(Totals(second), ElementsAre("1", "3", "1", "0", "0"));
}
