#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "EngineFixture.h"
#include "engine/Schiris.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Texts.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class SchirisTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        modes.Items.SetText(lngText(40));
        form->XZeitSpiele.SetChecked(true);
    }
    // A game at a time of day on a field and day.
    int Game(int group, int t1, int t2, const std::string& from, const std::string& to, const std::string& field = "1",
             int day = 1) {
        const int row = AddGame(group, t1, t2);
        TSortGrid& s = form->Spielplan;
        Put(s, Spielplan_Von, row, from, true);
        Put(s, Spielplan_Bis, row, to, true);
        Put(s, Spielplan_Feld, row, field, true);
        Put(s, Spielplan_Tag, row, day, true);
        Put(s, Spielplan_Schir, row, "0", true);
        return row;
    }
    // A group of n teams; gives their numbers.
    std::vector<int> Group(const std::string& id, int n, int round = 1) {
        const int g = AddGroup(id, "JGJ", n);
        Put(form->Gruppe, Gruppe_RNr, g, round, true);
        std::vector<int> teams;
        for (int i = 0; i < n; ++i) teams.push_back(AddTeam(g, id + std::to_string(i + 1)));
        return teams;
    }
    void Run(int mode, int round, int group, int neutrals = 0, int upTo = 0) {
        modes.SetItemIndex(mode);
        generateSchiris(*form, round, group, modes, neutrals, upTo);
    }
    std::vector<std::string> Referees() const {
        std::vector<std::string> out;
        for (int r = 1; r < form->Spielplan.RowCount(); ++r)
            out.push_back(Get(form->Spielplan, Spielplan_Schir, r, true));
        return out;
    }
    int Referee(int row) const { return IntGet(form->Spielplan, Spielplan_Schir, row, true); }
    TRadioGroup modes;
};

// --- refusals and the fixed modes ---

TEST_F(SchirisTest, ArgumentsThatNameNothingAreRefused) {
    const auto t = Group("A", 3);
    Game(1, t[0], t[1], "10:00", "10:20");
    const std::vector<std::string> before = Referees();
    Run(-1, 1, 1);
    Run(0, 1, 0);
    Run(1, 0, 1);
    Run(3, 1, 0, 0);
    EXPECT_EQ(Referees(), before);
    const std::string log = ErrorLogText();
    for (const char* line :
         {"[X] generateSchiris: Keine Auswahl getroffen", "[X] generateSchiris: Gruppe aber keine GruppenNummer",
          "[X] generateSchiris: Runde aber keine RundenNummer", "[X] generateSchiris: AnzNeutrale ohne Anzahl"})
        EXPECT_THAT(log, HasSubstr(line));
}

TEST_F(SchirisTest, NeutralCourtAndNoRefereeFillEveryGame) {
    const auto t = Group("A", 4);
    Game(1, t[0], t[1], "10:00", "10:20");
    Game(1, t[2], t[3], "10:00", "10:20", "2");
    Run(2, 1, 0);
    EXPECT_THAT(Referees(), ElementsAre("0", "0"));
    Run(4, 1, 0);
    EXPECT_THAT(Referees(), ElementsAre("", ""));
}

TEST_F(SchirisTest, GroupsWithResultsKeepTheirReferees) {
    const auto a = Group("A", 3);
    const auto b = Group("B", 3);
    Put(form->Gruppe, Gruppe_State, 2, "Edit", true);
    Game(1, a[0], a[1], "10:00", "10:20");
    const int kept = Game(2, b[0], b[1], "10:00", "10:20", "2");
    Put(form->Spielplan, Spielplan_Schir, kept, "N7", true);
    Game(1, a[2], a[0], "10:30", "10:50");
    Run(1, 1, 0);
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Schir, kept, true), "N7");
    EXPECT_EQ(Referee(1), a[2]);
}

// --- who may referee ---

TEST_F(SchirisTest, UntimedGamesOfOnePassOverTheFieldsShareTheirTime) {
    form->XZeitSpiele.SetChecked(false);
    const auto t = Group("A", 9);
    for (int i = 0; i < 3; ++i) Game(1, t[2 * i], t[2 * i + 1], "", "", std::to_string(i + 1));
    Game(1, t[6], t[7], "", "", "1");
    Game(1, t[8], t[0], "", "", "2");
    Run(0, 0, 1);
    // Games 1 to 3 are the first pass: none of their six players referees one of them.
    std::set<int> referees;
    for (int row = 1; row <= 3; ++row) {
        EXPECT_THAT(std::vector<int>({t[6], t[7], t[8]}), testing::Contains(Referee(row))) << row;
        referees.insert(Referee(row));
    }
    EXPECT_EQ(referees.size(), 3u);
}

TEST_F(SchirisTest, AGameThatOverlapsWithAnotherStartFindsItsPlayersBusy) {
    const auto t = Group("A", 6);
    Game(1, t[0], t[1], "10:00", "11:00");
    Game(1, t[2], t[3], "10:30", "10:50", "2");
    Game(1, t[4], t[5], "11:00", "11:20");
    Run(0, 0, 1);
    EXPECT_THAT(std::vector<int>({t[4], t[5]}), testing::Contains(Referee(1)));
    EXPECT_THAT(std::vector<int>({t[4], t[5]}), testing::Contains(Referee(2)));
    EXPECT_NE(Referee(1), Referee(2));
}

TEST_F(SchirisTest, AGameOverMidnightOverlapsTheNextDaysFirstGame) {
    const auto t = Group("A", 5);
    Game(1, t[0], t[1], "23:30", "00:10", "1", 1);
    Game(1, t[2], t[3], "00:00", "00:20", "2", 2);
    Game(1, t[4], t[0], "01:00", "01:20", "1", 2);
    Run(0, 0, 1);
    EXPECT_EQ(Referee(1), t[4]);
    EXPECT_NE(Referee(2), t[0]);
    EXPECT_NE(Referee(2), t[1]);
    EXPECT_NE(Referee(2), t[4]);
}

TEST_F(SchirisTest, TheSameStartOnTheNextDayIsAnotherTime) {
    const auto t = Group("A", 4);
    Game(1, t[0], t[1], "10:00", "10:20", "1", 2);
    Game(1, t[2], t[3], "10:00", "10:20", "1", 1);
    Run(0, 0, 1);
    // Day 1 first: its players are t3 and t4, so t1 referees; on day 2 the first free is t3.
    EXPECT_EQ(Referee(2), t[0]);
    EXPECT_EQ(Referee(1), t[2]);
}

TEST_F(SchirisTest, NeutralRefereesAreNotTeams) {
    const auto t = Group("A", 4);
    Game(1, t[0], t[1], "10:00", "10:20");
    Game(1, t[2], t[3], "10:00", "10:20", "2");
    Game(1, t[0], t[2], "10:25", "10:45");
    Run(3, 1, 0, 3);
    // Teams 1 to 3 play at once; neutral referees 1 and 2 still whistle.
    EXPECT_THAT(Referees(), ElementsAre("N1", "N2", "N3"));
}

TEST_F(SchirisTest, MoreGamesAtOnceThanNeutralRefereesLeavesTheRestWithout) {
    const auto t = Group("A", 6);
    for (int i = 0; i < 3; ++i) Game(1, t[2 * i], t[2 * i + 1], "10:00", "10:20", std::to_string(i + 1));
    Run(3, 1, 0, 2);
    EXPECT_THAT(Referees(), ElementsAre("N1", "N2", "N0"));
}

TEST_F(SchirisTest, NoFreeTeamGivesTheNeutralCourt) {
    const auto t = Group("A", 2);
    Game(1, t[0], t[1], "10:00", "10:20");
    Run(0, 0, 1);
    EXPECT_THAT(Referees(), ElementsAre("0"));
}

TEST_F(SchirisTest, DutiesRotateAmongTheLeastUsed) {
    const auto t = Group("A", 4);
    const std::pair<int, int> pairs[] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}, {0, 3}, {1, 2}};
    int minute = 600;
    for (const auto& [a, b] : pairs) {
        const auto time = [](int m) {
            return (m / 60 < 10 ? "0" : "") + std::to_string(m / 60) + ":" + (m % 60 < 10 ? "0" : "") +
                   std::to_string(m % 60);
        };
        Game(1, t[a], t[b], time(minute), time(minute + 20));
        minute += 25;
    }
    Run(0, 0, 1);
    // Teams in order of first appearance: 1, 2, 3, 4. Game 1 (1-2): 3; game 2 (3-4): 1; game 3
    // (1-3): 2; game 4 (2-4): 3 is tried last among the three once-used, so 1; and so on.
    std::map<int, int> duties;
    for (int row = 1; row <= 6; ++row) ++duties[Referee(row)];
    EXPECT_EQ(Referee(1), t[2]);
    EXPECT_EQ(Referee(2), t[0]);
    EXPECT_EQ(Referee(3), t[1]);
    for (const auto& [team, count] : duties) EXPECT_TRUE(count == 1 || count == 2) << team;
}

TEST_F(SchirisTest, RefereesAreWrittenToTheirOwnRows) {
    const auto a = Group("A", 3);
    const auto b = Group("B", 3);
    Game(1, a[0], a[1], "10:00", "10:20");
    const int other = Game(2, b[0], b[1], "10:00", "10:20", "2");
    // A damaged plan: the game of group B carries the number of the game of group A.
    Put(form->Spielplan, Spielplan_SpNr, other, "1", true);
    Put(form->Spielplan, Spielplan_Schir, other, "N9", true);
    Game(1, a[2], a[0], "11:00", "11:20");
    Run(0, 0, 1);
    EXPECT_EQ(Referee(1), a[2]);
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Schir, other, true), "N9");
}

TEST_F(SchirisTest, EarlierGroupsDutiesCountAgainstTheSameNames) {
    const auto a = Group("A", 3);
    const auto b = Group("B", 4);
    const char* names[] = {"Adler", "Bären", "Condor", "Dachse"};
    for (int i = 0; i < 4; ++i) form->XATeamsTur.Items.Set(b[i], names[i]);
    form->XATeamsTur.Items.Set(a[2], "Condor");
    // In group A, "Condor" already refereed twice.
    for (int i = 0; i < 2; ++i)
        Put(form->Spielplan, Spielplan_Schir, Game(1, a[0], a[1], "09:00", "09:20"), a[2], true);
    const int first = Game(2, b[0], b[1], "10:00", "10:20");
    Game(2, b[2], b[3], "10:30", "10:50");
    Run(0, 0, 2);
    // Condor appears before Dachse but has duties already.
    EXPECT_EQ(Referee(first), b[3]);
}

// A duty counts for the name its code is shown with, however the code is written: a number
// with a leading zero, and a slot without a name in the tournament by its name in the team list.
// Group B's first game has Condor and Dachse free: the one with fewer earlier duties takes it.
class EarlierDutiesTest : public SchirisTest {
protected:
    void SetUp() override {
        SchirisTest::SetUp();
        a = Group("A", 4);
        b = Group("B", 4);
        const char* names[] = {"Adler", "Bären", "Condor", "Dachse"};
        for (int i = 0; i < 4; ++i) form->XATeamsTur.Items.Set(b[i], names[i]);
    }
    // An earlier game of group A refereed by this code.
    void Duty(const std::string& code) {
        Put(form->Spielplan, Spielplan_Schir, Game(1, a[2], a[3], "08:00", "08:20"), code, true);
    }
    int FirstGameOfB() {
        const int first = Game(2, b[0], b[1], "10:00", "10:20");
        Game(2, b[2], b[3], "10:30", "10:50");
        Run(0, 0, 2);
        return Referee(first);
    }
    std::vector<int> a, b;
};

TEST_F(EarlierDutiesTest, ACodeWithALeadingZeroCountsForItsNumbersName) {
    form->XATeamsTur.Items.Set(a[0], "Condor");
    form->XATeamsTur.Items.Set(a[1], "Dachse");
    Duty("0" + std::to_string(a[0]));
    Duty("0" + std::to_string(a[0]));
    Duty(std::to_string(a[1]));
    EXPECT_EQ(FirstGameOfB(), b[3]);
}

TEST_F(EarlierDutiesTest, ASlotWithoutANameInTheTournamentCountsByItsTeamListName) {
    form->XATeamsTur.Items.Set(a[0], "Condor");
    form->XATeamsTur.Items.Set(a[1], "");
    form->XATeams.Items.Set(a[1], "Dachse");
    Duty(std::to_string(a[0]));
    Duty(std::to_string(a[1]));
    Duty(std::to_string(a[1]));
    EXPECT_EQ(FirstGameOfB(), b[2]);
}

// The one chosen last is tried last in the next game, even before others with more duties; only
// then does it take its place among its equals.
TEST_F(SchirisTest, TheOneChosenLastIsTriedLastInTheNextGame) {
    const auto a = Group("A", 3);
    const auto b = Group("B", 4);
    const char* namesA[] = {"Quelle", "Rabe", "Pfau"};
    const char* namesB[] = {"Pfau", "Quelle", "Rabe", "Specht"};
    for (int i = 0; i < 3; ++i) form->XATeamsTur.Items.Set(a[static_cast<size_t>(i)], namesA[i]);
    for (int i = 0; i < 4; ++i) form->XATeamsTur.Items.Set(b[static_cast<size_t>(i)], namesB[i]);
    // Duties in group A: Quelle and Rabe two each, Pfau one.
    for (int referee : {a[0], a[0], a[1], a[1], a[2]})
        Put(form->Spielplan, Spielplan_Schir, Game(1, a[1], a[2], "09:00", "09:20"), referee, true);
    const int first = Game(2, b[1], b[2], "10:00", "10:20");
    const int second = Game(2, b[0], b[1], "10:30", "10:50");
    const int third = Game(2, b[3], b[2], "11:00", "11:20");
    Run(0, 0, 2);
    EXPECT_EQ(Referee(first), b[3]);
    // Specht (one duty now) comes after Rabe (two) here, and Pfau (one) is busy.
    EXPECT_EQ(Referee(second), b[2]);
    EXPECT_EQ(Referee(third), b[0]);
}

TEST_F(SchirisTest, UpToGroupTakesEveryGroupUpToIt) {
    const auto a = Group("A", 3);
    const auto b = Group("B", 3, 2);
    const auto c = Group("C", 3, 3);
    Game(1, a[0], a[1], "10:00", "10:20");
    Game(2, b[0], b[1], "11:00", "11:20");
    Game(3, c[0], c[1], "12:00", "12:20");
    Run(2, 0, 3, 0, 2);
    EXPECT_THAT(Referees(), ElementsAre("0", "0", "0"));
    Put(form->Spielplan, Spielplan_Schir, 3, "x", true);
    Run(4, 0, 0, 0, 2);
    EXPECT_THAT(Referees(), ElementsAre("", "", "x"));
}
