#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/Platzhalter.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class PlatzhalterTest : public EngineTest {
protected:
    std::string Cell(int column, int row) { return Get(form->Teams, column, row, true); }
};

// --- codes, columns and display texts ---

TEST_F(PlatzhalterTest, WinnerCodeNamesGameAndItsGroup) {
    const int b = AddGroup("B", "JGJ", 2);
    for (int i = 0; i < 6; ++i) AddGame(b, 1, 2);
    const int row = AddTeam(b);
    EXPECT_EQ(PutPlatzhalter(*form, "S6", row), "Sieger Spiel 6");
    EXPECT_EQ(Cell(Teams_SV, row), "S");
    EXPECT_EQ(Cell(Teams_Pos, row), "6");
    EXPECT_EQ(Cell(Teams_GrNr, row), "1");
    EXPECT_EQ(PutPlatzhalter(*form, "V2", row), "Verlierer Spiel 2");
    EXPECT_EQ(Cell(Teams_SV, row), "V");
}

TEST_F(PlatzhalterTest, PlaceCodeOfUnknownGroupLogsButKeepsText) {
    const int row = AddTeam(1);
    EXPECT_EQ(PutPlatzhalter(*form, "2.A", row), "2. Gruppe A");
    EXPECT_EQ(Cell(Teams_Pos, row), "2");
    EXPECT_EQ(Cell(Teams_GrNr, row), "");
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] PutPlatzhalter: Keine Gruppe A gefunden"));
}

TEST_F(PlatzhalterTest, PlaceCodeOfKnownGroupWritesItsNumber) {
    AddGroup("A", "JGJ", 3);
    const int b = AddGroup("B", "JGJ", 3);
    const int row = AddTeam(3);
    EXPECT_EQ(PutPlatzhalter(*form, "3.B", row), "3. Gruppe B");
    EXPECT_EQ(IntGet(form->Teams, Teams_GrNr, row, true), b);
    EXPECT_EQ(ErrorLogText(), "");
}

TEST_F(PlatzhalterTest, TeamCodeUsesTheTournamentsTeamWord) {
    const int row = AddTeam(1);
    EXPECT_EQ(PutPlatzhalter(*form, "M3", row), "Mannschaft 3");
    SetSetting(*form, "TeamTyp", "Spieler");
    EXPECT_EQ(PlatzhalterText(*form, "M12"), "Spieler 12");
    EXPECT_EQ(Cell(Teams_SV, row), "");
}

TEST_F(PlatzhalterTest, BestOfCodeIsKeptWhole) {
    const int row = AddTeam(1);
    EXPECT_EQ(PutPlatzhalter(*form, "B1/2/A,B,C", row), "1. Bester aller 2. der Gruppen A,B,C");
    EXPECT_EQ(Cell(Teams_SV, row), "B1/2/A,B,C");
    EXPECT_EQ(PlatzhalterText(*form, "B1/2"), "");
    EXPECT_EQ(PlatzhalterText(*form, "B1"), "");
}

TEST_F(PlatzhalterTest, UnknownAndEmptyCodes) {
    const int row = AddTeam(1);
    EXPECT_EQ(PutPlatzhalter(*form, "", row), "");
    EXPECT_THAT(ErrorLogText(), HasSubstr("PutPlatzhalter FEHLER"));
    EXPECT_EQ(PutPlatzhalter(*form, "Xyz", row), "");
    EXPECT_EQ(PlatzhalterText(*form, "Xyz"), "");
    EXPECT_EQ(PlatzhalterText(*form, ""), "");
    EXPECT_EQ(Cell(Teams_SV, row), "");
    EXPECT_EQ(Cell(Teams_Pos, row), "");
}

TEST_F(PlatzhalterTest, DisplayOnlyWritesNothing) {
    AddGroup("A", "JGJ", 2);
    AddGame(1, 1, 2);
    const int row = AddTeam(1);
    EXPECT_EQ(PutPlatzhalter(*form, "S1", 0), "Sieger Spiel 1");
    EXPECT_EQ(PutPlatzhalter(*form, "1.A", -1), "1. Gruppe A");
    EXPECT_EQ(Cell(Teams_SV, row), "");
    EXPECT_EQ(Cell(Teams_Pos, row), "");
}

TEST_F(PlatzhalterTest, CodesComeBackFromTheirRows) {
    AddGroup("A", "JGJ", 2);
    AddGame(1, 1, 2);
    for (const char* code : {"S1", "V1", "1.A", "B2/1/A,B"}) {
        const int row = AddTeam(2);
        PutPlatzhalter(*form, code, row);
        EXPECT_EQ(GetPlatzhalter(*form, row, true), code);
    }
    ListPut(form->XATeamsTur, 2, "Adler");
    EXPECT_EQ(GetPlatzhalter(*form, 2, false), "Adler");
    EXPECT_EQ(GetPlatzhalter(*form, 0, true), "");
    EXPECT_THAT(ErrorLogText(), HasSubstr("[F] GetPlatzhalter FEHLER"));
}

// --- resolution ---

class ResolutionTest : public PlatzhalterTest {
protected:
    // Group A of three (Adler, Bären, Condor) ranked Condor, Adler, Bären; group B waits for them.
    void SetUp() override {
        PlatzhalterTest::SetUp();
        a = AddGroup("A", "JGJ", 3);
        b = AddGroup("B", "JGJ", 2);
        adler = AddTeam(a, "Adler");
        baeren = AddTeam(a, "Bären");
        condor = AddTeam(a, "Condor");
        AddStanding(a, condor);
        AddStanding(a, adler);
        AddStanding(a, baeren);
        Put(form->Teams, Teams_TMP, condor, "tmp-c", true);
    }
    int Slot(const std::string& code, int group) {
        const int row = AddTeam(group);
        ListPut(form->XATeamsTur, row, "");
        Put(form->Teams, Teams_Name, row, PutPlatzhalter(*form, code, row), true);
        return row;
    }
    std::string Resolved(int row) { return Get(form->Teams, Teams_Name_Tur, row, true); }
    int a = 0, b = 0, adler = 0, baeren = 0, condor = 0;
};

TEST_F(ResolutionTest, PlaceFollowsTheStandings) {
    const int first = Slot("1.A", b), third = Slot("3.A", b);
    calcAfterRound(*form, a, 0);
    EXPECT_EQ(Resolved(first), "Condor");
    EXPECT_EQ(ListGet(form->XATeamsTur, first), "Condor");
    EXPECT_EQ(Get(form->Teams, Teams_TMP, first, true), "tmp-c");
    EXPECT_EQ(Resolved(third), "Bären");
}

TEST_F(ResolutionTest, PlaceOutsideTheGroupStaysOpen) {
    const int fourth = Slot("4.A", b);
    calcAfterRound(*form, a, 0);
    EXPECT_EQ(Resolved(fourth), "");
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] calcAfterRound: TeamNr " + std::to_string(fourth) +
                                          " verlangt Platz 4, die Gruppe hat 3"));
}

TEST_F(ResolutionTest, MissingStandingsRowResolvesNothing) {
    Put(form->Gruppe, Gruppe_AnzTeams, a, 4, true);
    const int first = Slot("1.A", b);
    calcAfterRound(*form, a, 0);
    EXPECT_EQ(Resolved(first), "");
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] calcAfterRound FEHLER: Anzahl unbekannt"));
}

TEST_F(ResolutionTest, WinnerAndLoserOfAGame) {
    const int game = AddGame(a, adler, condor, std::to_string(condor));
    const int winner = Slot("S" + std::to_string(game), b), loser = Slot("V" + std::to_string(game), b);
    calcAfterRound(*form, a, game);
    EXPECT_EQ(Resolved(winner), "Condor");
    EXPECT_EQ(Resolved(loser), "Adler");
}

TEST_F(ResolutionTest, DrawnOrUnplayedGameLeavesTheSlotOpen) {
    const int drawn = AddGame(a, adler, condor, "0");
    const int open = AddGame(a, adler, baeren, "");
    const int w1 = Slot("S" + std::to_string(drawn), b), l1 = Slot("V" + std::to_string(drawn), b);
    const int w2 = Slot("S" + std::to_string(open), b);
    calcAfterRound(*form, a, drawn);
    EXPECT_EQ(Resolved(w1), "");
    EXPECT_EQ(Resolved(l1), "");
    EXPECT_EQ(Resolved(w2), "");
    EXPECT_EQ(ListGet(form->XATeamsTur, w1), "");
    EXPECT_THAT(ErrorLogText(), Not(HasSubstr("ListGet")));
}

TEST_F(ResolutionTest, BestOfWaitsForAllGroupsAndCountsInTableOrder) {
    const int c = AddGroup("C", "JGJ", 2);
    const int dachse = AddTeam(c, "Dachse"), elche = AddTeam(c, "Elche");
    AddStanding(c, elche);
    AddStanding(c, dachse);
    const int firstOfSeconds = Slot("B1/2/A,C", b), secondOfSeconds = Slot("B2/2/A,C", b);
    Put(form->Gruppe, Gruppe_State, a, "Done", true);
    Put(form->Gruppe, Gruppe_State, c, "Open", true);
    calcAfterRound(*form, a, 0);
    EXPECT_EQ(Resolved(firstOfSeconds), "");
    Put(form->Gruppe, Gruppe_State, c, "Closed", true);
    calcAfterRound(*form, c, 0);
    EXPECT_EQ(Resolved(firstOfSeconds), "Adler");
    EXPECT_EQ(Resolved(secondOfSeconds), "Dachse");
}

// Group C of two beside A: its seconds and A's compete for the best-of places.
class BestSecondTest : public ResolutionTest {
protected:
    void SetUp() override {
        ResolutionTest::SetUp();
        c = AddGroup("C", "JGJ", 2);
        dachse = AddTeam(c, "Dachse");
        elche = AddTeam(c, "Elche");
        AddStanding(c, elche);
        AddStanding(c, dachse);
    }
    // A participant's standings row with its name and values.
    void Values(int team, int points, int goals, int against) {
        const int row = FindRow(form->Platz, Platz_TeamNr, std::to_string(team));
        Put(form->Platz, Platz_Team, row, Get(form->Teams, Teams_Name, team, true), true);
        Put(form->Platz, Platz_PPkt, row, points, true);
        Put(form->Platz, Platz_PSatz, row, goals, true);
        Put(form->Platz, Platz_MSatz, row, against, true);
    }
    // The best and the next best of the seconds of A and C, once both are finished.
    std::vector<std::string> BestSeconds() {
        const int best = Slot("B1/2/A,C", b), next = Slot("B2/2/A,C", b);
        Put(form->Gruppe, Gruppe_State, a, "Done", true);
        Put(form->Gruppe, Gruppe_State, c, "Closed", true);
        calcAfterRound(*form, c, 0);
        return {Resolved(best), Resolved(next)};
    }
    int c = 0, dachse = 0, elche = 0;
};

// The k-th placed of the groups compare by their totals, not by where their rows stand in the
// table.
TEST_F(BestSecondTest, ThePlacedCompareByTheirTotals) {
    for (const auto& [team, points] : {std::pair{condor, 6}, {adler, 2}, {baeren, 0}, {elche, 6}, {dachse, 4}})
        Values(team, points, 0, 0);
    EXPECT_THAT(BestSeconds(), ElementsAre("Dachse", "Adler"));
}

// Football scoring, points then the direct game: Condor beat Adler and stands above it in A
// with the same points but fewer goals. The seconds compare by their own values, points then
// goals: Adler (4, 6:6) is the better second than Dachse (4, 5:5), whatever stands above Adler.
TEST_F(BestSecondTest, ThePlacedCompareByTheirOwnValuesNotThoseAboveThem) {
    SetSetting(*form, "AWertung", "7");
    SetSetting(*form, "WertungDirektVergleichNeu", "true");
    AddGame(a, condor, adler, std::to_string(condor));
    Values(condor, 4, 2, 6);
    Values(adler, 4, 6, 6);
    Values(baeren, 0, 0, 3);
    Values(elche, 7, 9, 1);
    Values(dachse, 4, 5, 5);
    EXPECT_THAT(BestSeconds(), ElementsAre("Adler", "Dachse"));
}

TEST_F(ResolutionTest, FinalPlacingRowMatchedByItsText) {
    const int game = AddGame(a, adler, condor, std::to_string(adler));
    const int row = AddTeam(0);
    ListPut(form->XATeamsTur, row, "");
    Put(form->Teams, Teams_Platz, row, 1, true);
    Put(form->Teams, Teams_Name, row, "Sieger Spiel " + std::to_string(game), true);
    calcAfterRound(*form, a, game);
    // The text names the game; the place comes from the group's standings.
    EXPECT_EQ(Resolved(row), "Condor");
}

// Final placing rows whose source was not known when they were parsed name it only by their
// text: a place text names the group by its id, never by the number of the game just played.
TEST_F(ResolutionTest, FinalPlacingRowsMatchedByPlaceAndLoserText) {
    const int game = AddGame(a, adler, condor, std::to_string(adler));
    auto finalRow = [&](int place, const std::string& text) {
        const int row = AddTeam(0);
        ListPut(form->XATeamsTur, row, "");
        Put(form->Teams, Teams_Platz, row, place, true);
        Put(form->Teams, Teams_Name, row, text, true);
        return row;
    };
    const int first = finalRow(1, "1. Gruppe A");
    const int loser = finalRow(2, "Verlierer Spiel " + std::to_string(game));
    const int byGameNumber = finalRow(3, "1. Gruppe " + std::to_string(game));
    calcAfterRound(*form, a, game);
    EXPECT_EQ(Resolved(first), "Condor");
    EXPECT_EQ(Resolved(loser), "Adler");
    EXPECT_EQ(Resolved(byGameNumber), "");
    // Matched by text only: the working value of the team is not taken over.
    EXPECT_EQ(Get(form->Teams, Teams_TMP, first, true), "");
}

TEST_F(ResolutionTest, ResolvingAgainFollowsChangedStandings) {
    const int first = Slot("1.A", b);
    calcAfterRound(*form, a, 0);
    EXPECT_EQ(Resolved(first), "Condor");
    Put(form->Platz, Platz_TeamNr, 1, adler, true);
    Put(form->Platz, Platz_TeamNr, 2, condor, true);
    calcAfterRound(*form, a, 0);
    EXPECT_EQ(Resolved(first), "Adler");
}

TEST_F(ResolutionTest, UnknownKindIsLogged) {
    const int row = AddTeam(b);
    Put(form->Teams, Teams_GrNr, row, a, true);
    Put(form->Teams, Teams_SV, row, "Q", true);
    calcAfterRound(*form, a, 0);
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] TeamNr: " + std::to_string(row) + " konnte nicht zugeordnet werden"));
}
