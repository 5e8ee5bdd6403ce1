#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EngineFixture.h"
#include "LiteralRanking.h"
#include "engine/Platzierung.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Settings.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

namespace {

struct Totals {
    double p = 0, m = 0, s = 0, ms = 0, b = 0, mb = 0;
};

}  // namespace

class PlatzierungTest : public EngineTest {
protected:
    // A team of group g with its standings row; returns the team number.
    int Standing(int g, const Totals& t, const std::string& name = "x") {
        const int team = AddTeam(g, name == "x" ? "T" + std::to_string(form->Teams.RowCount()) : name);
        AddStanding(g, team);
        const int row = FindRow(form->Platz, Platz_TeamNr, IntToStr(team));
        TSortGrid& p = form->Platz;
        Put(p, Platz_Team, row, name == "x" ? "T" + IntToStr(team) : name, true);
        Put(p, Platz_PPkt, row, FloatToStr(t.p), true);
        Put(p, Platz_MPkt, row, FloatToStr(t.m), true);
        Put(p, Platz_PSatz, row, FloatToStr(t.s), true);
        Put(p, Platz_MSatz, row, FloatToStr(t.ms), true);
        Put(p, Platz_PBall, row, FloatToStr(t.b), true);
        Put(p, Platz_MBall, row, FloatToStr(t.mb), true);
        return team;
    }

    std::vector<int> Order() const {
        std::vector<int> teams;
        for (int r = 1; r < form->Platz.RowCount(); ++r) teams.push_back(IntGet(form->Platz, Platz_TeamNr, r, true));
        return teams;
    }

    std::vector<std::string> Tied() const { return form->KonfliktTeams.ToVector(); }

    // n teams of group g level on every value, in table order.
    std::vector<int> LevelTeams(int g, int n, const Totals& t) {
        std::vector<int> teams;
        for (int i = 0; i < n; ++i) teams.push_back(Standing(g, t));
        return teams;
    }
    // Games of group g, each (winner, loser).
    void Won(int g, const std::vector<std::pair<int, int>>& games) {
        for (const auto& [winner, loser] : games) AddGame(g, winner, loser, IntToStr(winner));
    }

    void HeadToHeadOn() { SetSetting(*form, "WertungDirektVergleich", "true"); }
    void Football() { SetSetting(*form, "AWertung", "7"); }
};

// --- the general chain ---

TEST_F(PlatzierungTest, OneRowStaysAndNothingIsTied) {
    const int g = AddGroup("A", "JGJ", 1);
    const int t = Standing(g, {3, 0, 2, 0, 0, 0});
    form->KonfliktTeams.Add("99");
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(t));
    EXPECT_THAT(Tied(), IsEmpty());
}

TEST_F(PlatzierungTest, EachStepOfTheChainDecidesInTurn) {
    const int g = AddGroup("A", "JGJ", 6);
    const int fewBalls = Standing(g, {4, 2, 5, 3, 40, 30});
    const int ballDiff = Standing(g, {4, 2, 5, 3, 50, 30});
    const int setsWon = Standing(g, {4, 2, 6, 4, 0, 0});
    const int setDiff = Standing(g, {4, 2, 7, 3, 0, 0});
    const int pointsLost = Standing(g, {4, 1, 0, 0, 0, 0});
    const int points = Standing(g, {5, 9, 0, 0, 0, 0});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(points, pointsLost, setDiff, setsWon, ballDiff, fewBalls));
}

TEST_F(PlatzierungTest, DifferencesCountInWholeUnits) {
    const int g = AddGroup("A", "JGJ", 2);
    const int first = Standing(g, {2, 0, 3.2, 2, 0, 0});  // 1.2 ahead
    const int second = Standing(g, {2, 0, 2.9, 1, 0, 0});  // 1.9 ahead, but fewer sets won
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(first, second));
    const int g2 = AddGroup("B", "JGJ", 2);
    const int minus = Standing(g2, {0, 0, 1, 2.9, 0, 0});  // -1.9 counts -1
    const int more = Standing(g2, {0, 0, 0.5, 2, 0, 0});   // -1.5 counts -1, fewer sets won
    updatePlatzierung(*form, g2, false);
    EXPECT_THAT(Order(), ElementsAre(first, second, minus, more));
}

TEST_F(PlatzierungTest, LevelTeamsOfTheGroupAreTiedWithoutHeadToHead) {
    const int a = AddGroup("A", "JGJ", 3);
    const int b = AddGroup("B", "JGJ", 2);
    const int t1 = Standing(a, {2, 2, 1, 1, 0, 0});
    const int other = Standing(b, {2, 2, 1, 1, 0, 0});
    const int t2 = Standing(a, {2, 2, 1, 1, 0, 0});
    const int t3 = Standing(a, {0, 4, 0, 2, 0, 0});
    updatePlatzierung(*form, a, false);
    EXPECT_THAT(Order(), ElementsAre(t1, other, t2, t3));
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(t1), IntToStr(t2)));
    updatePlatzierung(*form, b, false);
    EXPECT_THAT(Tied(), IsEmpty());
    updatePlatzierung(*form, 0, false);
    EXPECT_THAT(Tied(), IsEmpty());
}

// --- head-to-head ---

TEST_F(PlatzierungTest, WinnerOfTheDirectGameGoesAbove) {
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 2);
    const int loser = Standing(g, {2, 0, 3, 1, 0, 0});
    const int winner = Standing(g, {2, 0, 2, 0, 0, 0});
    AddGame(g, loser, winner, IntToStr(winner));
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(winner, loser));
    EXPECT_THAT(Tied(), IsEmpty());
}

TEST_F(PlatzierungTest, DrawnOrMissingDirectGameIsATieOnlyForTheGroupAsked) {
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 3);
    const int t1 = Standing(g, {2, 0, 2, 0, 0, 0});
    const int t2 = Standing(g, {2, 0, 3, 1, 0, 0});
    const int t3 = Standing(g, {2, 0, 4, 2, 0, 0});
    AddGame(g, t1, t2, "0");
    AddGame(g, t2, t3, "0");
    AddGame(g, t1, t3, "0");
    updatePlatzierung(*form, g, false);
    // Head-to-head ends the chain: sets won do not separate them.
    EXPECT_THAT(Order(), ElementsAre(t1, t2, t3));
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(t1), IntToStr(t2), IntToStr(t3)));
    updatePlatzierung(*form, g + 1, false);
    EXPECT_THAT(Tied(), IsEmpty());
}

TEST_F(PlatzierungTest, SwissTournamentReportsNoTies) {
    HeadToHeadOn();
    Put(form->Turnier, Turnier_System, 1, "Schweiz", true);
    const int g = AddGroup("R1", "JGJ", 2);
    Standing(g, {1, 1, 0, 0, 0, 0});
    Standing(g, {1, 1, 0, 0, 0, 0});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Tied(), IsEmpty());
}

TEST_F(PlatzierungTest, KnockOutPairAwaitedByAPlaceholderIsNoTie) {
    HeadToHeadOn();
    const int g = AddGroup("HF", "SV", 2);
    const int a = Standing(g, {0, 0, 0, 0, 0, 0});
    const int b = Standing(g, {0, 0, 0, 0, 0, 0});
    const int game = AddGame(g, a, b);
    const int later = AddGroup("F", "SV", 2);
    const int slot = AddTeam(later, "Sieger Spiel 1");
    Put(form->Teams, Teams_SV, slot, "S", true);
    Put(form->Teams, Teams_Pos, slot, game, true);
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Tied(), IsEmpty());
    // Without the placeholder the same pair is a tie to settle.
    Put(form->Teams, Teams_SV, slot, "", true);
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Tied(), UnorderedElementsAre(IntToStr(a), IntToStr(b)));
}

TEST_F(PlatzierungTest, TeamThatBeatBothLevelRivalsEndsFirst) {
    // An exchange by head-to-head that did not start the run again left the middle team above the
    // team that beat it when nothing later in the table forced another run.
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 3);
    const int a = Standing(g, {4, 2, 0, 0, 0, 0});
    const int b = Standing(g, {4, 2, 0, 0, 0, 0});
    const int c = Standing(g, {4, 2, 0, 0, 0, 0});
    AddGame(g, a, b, IntToStr(b));
    AddGame(g, b, c, IntToStr(c));
    AddGame(g, a, c, IntToStr(c));
    LiteralRankingOptions old;
    old.restartAfterHeadToHead = false;
    EXPECT_THAT(RankLiterally(*form, g, false, old).teams, ElementsAre(b, c, a));
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(c, b, a));
}

TEST_F(PlatzierungTest, HeadToHeadCycleIsSettledByBalanceAmongTheLevelTeams) {
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 4);
    const int t1 = Standing(g, {6, 3, 0, 0, 0, 0});
    const int t2 = Standing(g, {6, 3, 0, 0, 0, 0});
    const int t3 = Standing(g, {6, 3, 0, 0, 0, 0});
    const int t4 = Standing(g, {6, 3, 0, 0, 0, 0});
    // t1 > t2 > t3 > t1 is a cycle; t4 beat t1 and t2 and lost to t3. Balances: t3 and t4 +1,
    // t1 and t2 -1; each pair is then settled by its own game.
    AddGame(g, t1, t2, IntToStr(t1));
    AddGame(g, t2, t3, IntToStr(t2));
    AddGame(g, t3, t1, IntToStr(t3));
    AddGame(g, t4, t1, IntToStr(t4));
    AddGame(g, t4, t2, IntToStr(t4));
    AddGame(g, t4, t3, IntToStr(t3));
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(t3, t4, t1, t2));
    EXPECT_THAT(Tied(), IsEmpty());
}

TEST_F(PlatzierungTest, UnbreakableCycleKeepsTheTableOrderAndGoesToTheConflictList) {
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 3);
    const int t1 = Standing(g, {4, 2, 0, 0, 0, 0});
    const int t2 = Standing(g, {4, 2, 0, 0, 0, 0});
    const int t3 = Standing(g, {4, 2, 0, 0, 0, 0});
    AddGame(g, t1, t2, IntToStr(t1));
    AddGame(g, t2, t3, IntToStr(t2));
    AddGame(g, t3, t1, IntToStr(t3));
    swapPlatz(*form, 1, 2);
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(t2, t1, t3));
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(t2), IntToStr(t1), IntToStr(t3)));
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(t2, t1, t3));
}

TEST_F(PlatzierungTest, TeamsOfDifferentGroupsGoOnWithTheChain) {
    HeadToHeadOn();
    const int a = AddGroup("A", "JGJ", 1);
    const int b = AddGroup("B", "JGJ", 1);
    const int fewerSets = Standing(a, {4, 0, 2, 0, 0, 0});
    const int moreSets = Standing(b, {4, 0, 3, 1, 0, 0});
    LiteralRankingOptions old;
    old.crossGroupGoesOn = false;
    EXPECT_THAT(RankLiterally(*form, 0, false, old).teams, ElementsAre(fewerSets, moreSets));
    updatePlatzierung(*form, 0, false);
    EXPECT_THAT(Order(), ElementsAre(moreSets, fewerSets));
}

// --- direct results among level teams ---

TEST_F(PlatzierungTest, DirectWinnerStaysAboveTheTeamItBeatWhenTheResultsHaveNoCycle) {
    // Team 2 has the best balance among the five, but team 1 beat it and team 5 beat team 1.
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 5);
    const std::vector<int> t = LevelTeams(g, 5, {6, 3, 4, 2, 0, 0});
    Won(g, {{t[0], t[1]}, {t[4], t[0]}, {t[1], t[2]}, {t[1], t[3]}});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(t[4], t[0], t[1], t[2], t[3]));
    // 3 and 4 did not meet, and nothing ranks one of them above the other.
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(t[2]), IntToStr(t[3])));
}

TEST_F(PlatzierungTest, ResultsThroughOthersOrderTeamsThatDidNotMeet) {
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 3);
    const std::vector<int> t = LevelTeams(g, 3, {4, 2, 0, 0, 0, 0});
    Won(g, {{t[2], t[1]}, {t[1], t[0]}});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(t[2], t[1], t[0]));
    EXPECT_THAT(Tied(), IsEmpty());
}

TEST_F(PlatzierungTest, LevelTeamThatMetNoneOfTheOthersIsATieWithAll) {
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 3);
    const std::vector<int> t = LevelTeams(g, 3, {3, 3, 0, 0, 0, 0});
    Won(g, {{t[2], t[1]}});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(t[0], t[2], t[1]));
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(t[0]), IntToStr(t[2]), IntToStr(t[1])));
}

TEST_F(PlatzierungTest, CycleIsSettledAmongItselfBetweenTheTeamsAboveAndBelowIt) {
    Football();
    const int g = AddGroup("A", "JGJ", 5);
    const std::vector<int> t = LevelTeams(g, 5, {6, 0, 5, 3, 0, 0});
    const int below = t[0], p = t[1], q = t[2], r = t[3], above = t[4];
    Won(g, {{p, q}, {q, r}, {r, p}, {above, q}, {r, below}});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(above, p, q, r, below));
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(p), IntToStr(q), IntToStr(r)));
}

TEST_F(PlatzierungTest, RowWithoutANameAboveALevelRowIsATieButNotBelowOne) {
    const int g = AddGroup("A", "JGJ", 3);
    const int unnamed = Standing(g, {2, 2, 1, 1, 0, 0}, "");
    const int level = Standing(g, {2, 2, 1, 1, 0, 0});
    const int lastUnnamed = Standing(g, {2, 2, 1, 1, 0, 0}, "");
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(unnamed, level, lastUnnamed));
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(unnamed), IntToStr(level)));
    // With head-to-head the direct game decides the pair, and only a missing winner is a tie.
    HeadToHeadOn();
    AddGame(g, unnamed, level, IntToStr(unnamed));
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Tied(), IsEmpty());
    Put(form->Spielplan, Spielplan_Sieger, 1, "0", true);
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(unnamed, level, lastUnnamed));
    EXPECT_THAT(Tied(), ElementsAre(IntToStr(unnamed), IntToStr(level)));
}

// --- football scoring ---

TEST_F(PlatzierungTest, FootballIgnoresPointsLostAndBalls) {
    Football();
    const int g = AddGroup("A", "JGJ", 2);
    const int first = Standing(g, {3, 9, 2, 1, 0, 0});
    const int second = Standing(g, {3, 0, 1, 0, 50, 0});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(first, second));
}

TEST_F(PlatzierungTest, FootballWithHeadToHeadFirstDecidesBeforeGoalDifference) {
    Football();
    SetSetting(*form, "WertungDirektVergleichNeu", "true");
    const int g = AddGroup("A", "JGJ", 2);
    const int goals = Standing(g, {4, 0, 9, 1, 0, 0});
    const int direct = Standing(g, {4, 0, 3, 2, 0, 0});
    AddGame(g, goals, direct, IntToStr(direct));
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(direct, goals));
    SetSetting(*form, "WertungDirektVergleichNeu", "false");
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(goals, direct));
}

TEST_F(PlatzierungTest, FootballAllLevelFallsToTheDirectGame) {
    Football();
    const int g = AddGroup("A", "JGJ", 2);
    const int first = Standing(g, {4, 0, 3, 2, 0, 0});
    const int second = Standing(g, {4, 0, 3, 2, 0, 0});
    AddGame(g, first, second, IntToStr(second));
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(second, first));
}

// --- plain ranking and rows without a name ---

TEST_F(PlatzierungTest, PlainRankingUsesOnlyTheTotalsAndReportsNothing) {
    HeadToHeadOn();
    const int g = AddGroup("A", "JGJ", 3);
    const int settled = Standing(g, {2, 0, 1, 0, 0, 0});   // placed first by the organiser
    const int beaten = Standing(g, {2, 0, 5, 4, 0, 0});
    const int last = Standing(g, {0, 2, 0, 1, 0, 0});
    AddGame(g, settled, beaten, IntToStr(beaten));
    updatePlatzierung(*form, g, true);
    EXPECT_THAT(Order(), ElementsAre(settled, beaten, last));
    EXPECT_THAT(Tied(), IsEmpty());
}

TEST_F(PlatzierungTest, RowWithoutANameNeverRisesPastItsUpperNeighbour) {
    const int g = AddGroup("A", "JGJ", 3);
    const int weak = Standing(g, {0, 6, 0, 0, 0, 0});
    const int unnamed = Standing(g, {9, 0, 0, 0, 0, 0}, "");
    const int strong = Standing(g, {3, 0, 0, 0, 0, 0});
    const int strongest = Standing(g, {12, 0, 0, 0, 0, 0});
    updatePlatzierung(*form, g, false);
    EXPECT_THAT(Order(), ElementsAre(strongest, weak, unnamed, strong));
    EXPECT_EQ(RankLiterally(*form, g, false, {}).teams, Order());
}

TEST_F(PlatzierungTest, SwapPlatzExchangesWholeRows) {
    const int g = AddGroup("A", "JGJ", 2);
    const int a = Standing(g, {1, 2, 3, 4, 5, 6});
    const int b = Standing(g, {7, 8, 9, 10, 11, 12});
    Put(form->Platz, 17, 1, "frei", true);
    EXPECT_TRUE(swapPlatz(*form, 1, 2));
    EXPECT_THAT(Order(), ElementsAre(b, a));
    EXPECT_EQ(Get(form->Platz, Platz_MBall, 1, true), "12");
    EXPECT_EQ(Get(form->Platz, 17, 2, true), "frei");
    EXPECT_TRUE(swapPlatz(*form, 0, 2));
    EXPECT_TRUE(swapPlatz(*form, 2, 2));
    EXPECT_THAT(Order(), ElementsAre(b, a));
    EXPECT_EQ(ErrorLogText(), "");
}

// --- the same order as the compare-and-restart ranking, on random tables ---

namespace {

struct TableShape {
    int groups = 1, rows = 10;
    bool interleave = false;      // rows of the groups mixed in the table
    bool crossGroupTies = false;  // groups share point values
    bool completeGames = true;    // every pair of a group met, winners by strength
    bool randomWinners = false;   // winners at random: cycles and contradictions
    bool unnamedRows = false;
};

}  // namespace

class RankingEquivalenceTest : public PlatzierungTest {
protected:
    void Fill(std::mt19937& rng, const TableShape& shape) {
        auto roll = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        std::vector<int> groupNumbers;
        for (int g = 0; g < shape.groups; ++g) groupNumbers.push_back(AddGroup("G" + std::to_string(g + 1), "JGJ", 0));
        struct Entry {
            int group, team, strength;
        };
        std::vector<Entry> entries;
        for (int i = 0; i < shape.rows; ++i) {
            const int gi = i % shape.groups;
            const int g = groupNumbers[static_cast<size_t>(gi)];
            const int base = shape.crossGroupTies ? 0 : gi * 1000;
            const int strength = roll(4);
            Totals t;
            t.p = base + roll(3) * 2;
            t.m = roll(2);
            t.s = roll(4) + (roll(8) == 0 ? 0.5 : 0);
            t.ms = roll(4);
            t.b = roll(3) * 10;
            t.mb = roll(3) * 10;
            const bool unnamed = shape.unnamedRows && roll(12) == 0;
            const int team = Standing(g, t, unnamed ? "" : "x");
            entries.push_back({g, team, strength});
        }
        for (size_t i = 0; i < entries.size(); ++i)
            for (size_t j = i + 1; j < entries.size(); ++j) {
                const Entry &a = entries[i], &b = entries[j];
                if (a.group != b.group || (!shape.completeGames && roll(3) == 0)) continue;
                std::string winner;
                if (shape.randomWinners) {
                    const int r = roll(3);
                    winner = r == 0 ? "0" : IntToStr(r == 1 ? a.team : b.team);
                } else {
                    winner = a.strength == b.strength ? "0" : IntToStr(a.strength > b.strength ? a.team : b.team);
                }
                if (roll(2)) AddGame(a.group, a.team, b.team, winner);
                else AddGame(a.group, b.team, a.team, winner);
                // A second meeting with another outcome: only the first game counts.
                if (roll(10) == 0) AddGame(a.group, b.team, a.team, IntToStr(b.team));
            }
        if (shape.interleave) Shuffle(rng);
        if (roll(2)) Football();
        if (roll(2)) HeadToHeadOn();
        if (roll(3) == 0) SetSetting(*form, "WertungDirektVergleichNeu", "true");
    }

    void Shuffle(std::mt19937& rng) {
        const int n = form->Platz.RowCount() - 1;
        for (int i = n; i > 1; --i) swapPlatz(*form, i, 1 + static_cast<int>(rng() % static_cast<unsigned>(i)));
    }

    // Ranks one table both ways; true when the table was consistent and so compared.
    bool CompareOn(std::mt19937& rng, const TableShape& shape) {
        Fill(rng, shape);
        const bool plain = rng() % 4 == 0;
        const int g = static_cast<int>(rng() % static_cast<unsigned>(shape.groups + 1));
        const LiteralRankingResult literal = RankLiterally(*form, g, plain, {});
        updatePlatzierung(*form, g, plain);
        if (literal.stoppedByLimit || !OrderIsConsistent(*form, literal.teams, plain)) return false;
        EXPECT_EQ(Order(), literal.teams);
        // Every tie the old ranking met on its way is reported; when the groups do not mix
        // in the table it met every one.
        const std::vector<std::string> tied = Tied();
        for (const std::string& t : literal.tied) EXPECT_NE(std::find(tied.begin(), tied.end(), t), tied.end()) << t;
        if (shape.groups == 1) {
            std::vector<std::string> a = tied, b = literal.tied;
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            EXPECT_EQ(a, b);
        }
        return true;
    }
};

TEST_F(RankingEquivalenceTest, SameOrderOnConsistentRandomTables) {
    std::mt19937 rng(20260613);
    int compared = 0, tables = 0;
    for (int round = 0; round < 160; ++round) {
        NewForm();
        TableShape shape;
        shape.rows = 2 + static_cast<int>(rng() % 149);
        switch (round % 4) {
            case 0:  // one group, every pair met
                shape.rows = std::min(shape.rows, 40);
                break;
            case 1:  // groups apart by points, rows mixed
                shape.groups = 1 + static_cast<int>(rng() % 8);
                shape.interleave = true;
                break;
            case 2:  // groups level by points: the rest of the chain sorts them across groups
                shape.groups = 2 + static_cast<int>(rng() % 8);
                shape.crossGroupTies = true;
                shape.interleave = rng() % 2;
                shape.rows = std::max(shape.rows, shape.groups);
                break;
            default:  // anything: compared whenever consistent
                shape.groups = 1 + static_cast<int>(rng() % 6);
                shape.crossGroupTies = rng() % 2;
                shape.interleave = rng() % 2;
                shape.completeGames = false;
                shape.randomWinners = true;
                break;
        }
        ++tables;
        if (CompareOn(rng, shape)) ++compared;
        if (HasFailure()) {
            ADD_FAILURE() << "table " << round << ": " << shape.rows << " rows, " << shape.groups << " groups";
            return;
        }
    }
    EXPECT_GT(compared, tables / 2) << compared << " of " << tables;
}

TEST_F(RankingEquivalenceTest, RowsWithoutANameBlockAsBefore) {
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        NewForm();
        TableShape shape;
        shape.rows = 2 + static_cast<int>(rng() % 60);
        shape.groups = 1 + static_cast<int>(rng() % 3);
        shape.interleave = true;
        shape.unnamedRows = true;
        Fill(rng, shape);
        SetSetting(*form, "WertungDirektVergleich", "false");
        SetSetting(*form, "AWertung", "1");
        const LiteralRankingResult literal = RankLiterally(*form, 0, false, {});
        updatePlatzierung(*form, 0, false);
        ASSERT_EQ(Order(), literal.teams) << "table " << round;
    }
}

TEST_F(RankingEquivalenceTest, LargeTableIsSortedWhereTheCompareLimitStoppedHalfWay) {
    std::mt19937 rng(99);
    TableShape shape;
    shape.rows = 240;
    shape.groups = 4;
    shape.interleave = true;
    Fill(rng, shape);
    SetSetting(*form, "WertungDirektVergleich", "false");
    const LiteralRankingResult capped = RankLiterally(*form, 0, false, {});
    LiteralRankingOptions unlimited;
    unlimited.compareLimit = 1LL << 60;
    const LiteralRankingResult full = RankLiterally(*form, 0, false, unlimited);
    ASSERT_TRUE(capped.stoppedByLimit);
    ASSERT_FALSE(full.stoppedByLimit);
    EXPECT_FALSE(OrderIsConsistent(*form, capped.teams, false));
    updatePlatzierung(*form, 0, false);
    EXPECT_EQ(Order(), full.teams);
    EXPECT_TRUE(OrderIsConsistent(*form, Order(), false));
    EXPECT_THAT(ErrorLogText(), Not(HasSubstr("Counter")));
}

// --- level teams against the slow rule, on random tables ---

class DirectRulePropertyTest : public PlatzierungTest {
protected:
    // Up to 12 level teams of one group among teams with points of their own, all mixed in the
    // table; between two level teams a win either way, a draw, no game, or a second game with
    // another winner that does not count. Returns the level teams in table order and who beat
    // whom among them.
    std::vector<int> Fill(std::mt19937& rng, std::vector<std::vector<char>>& beat) {
        auto roll = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        const int g = AddGroup("A", "JGJ", 0);
        const bool football = roll(2) == 0;
        if (football) Football();
        else HeadToHeadOn();
        if (football && roll(2)) SetSetting(*form, "WertungDirektVergleichNeu", "true");
        const int level = 1 + roll(12), others = roll(7);
        std::vector<bool> isLevel;
        for (int i = 0; i < level + others; ++i) isLevel.push_back(i < level);
        std::shuffle(isLevel.begin(), isLevel.end(), rng);
        std::vector<int> teams;
        int otherPoints = 0;
        for (bool l : isLevel) {
            // Values after head-to-head do not part level teams of one group.
            const double sets = football ? 5 : roll(5);
            const int team = Standing(g, l ? Totals{7, 2, sets + 3, sets, static_cast<double>(roll(30)), 10}
                                           : Totals{static_cast<double>(otherPoints += 2 + 5 * (otherPoints == 5)), 0, 0, 0, 0, 0});
            if (l) teams.push_back(team);
        }
        beat.assign(teams.size(), std::vector<char>(teams.size(), 0));
        for (size_t i = 0; i < teams.size(); ++i)
            for (size_t j = i + 1; j < teams.size(); ++j) {
                const int outcome = roll(7);
                if (outcome == 6) continue;  // not played
                const size_t w = outcome < 2 ? i : j, l = outcome < 2 ? j : i;
                const std::string winner = outcome >= 4 ? "0" : IntToStr(teams[w]);
                if (roll(2)) AddGame(g, teams[i], teams[j], winner);
                else AddGame(g, teams[j], teams[i], winner);
                if (outcome < 4) beat[w][l] = 1;
                if (roll(8) == 0) AddGame(g, teams[j], teams[i], IntToStr(teams[outcome < 2 ? j : i]));
            }
        return teams;
    }
};

TEST_F(DirectRulePropertyTest, LevelTeamsFollowTheSlowRuleOnRandomTables) {
    std::mt19937 rng(231);
    for (int table = 0; table < 1000; ++table) {
        NewForm();
        std::vector<std::vector<char>> beat;
        const std::vector<int> teams = Fill(rng, beat);
        const DirectRuleResult expected = RankByDirectRule(beat);
        const bool collect = rng() % 4 != 0;
        updatePlatzierung(*form, collect ? 1 : 0, false);
        std::vector<int> levelOrder, expectedOrder;
        for (int team : Order())
            if (std::find(teams.begin(), teams.end(), team) != teams.end()) levelOrder.push_back(team);
        for (int at : expected.order) expectedOrder.push_back(teams[static_cast<size_t>(at)]);
        std::vector<std::string> expectedTied;
        if (collect)
            for (int at : expected.tied) expectedTied.push_back(IntToStr(teams[static_cast<size_t>(at)]));
        ASSERT_EQ(levelOrder, expectedOrder) << "table " << table;
        ASSERT_EQ(Tied(), expectedTied) << "table " << table;
        // The level teams stand together, under every team with more points.
        const std::vector<int> order = Order();
        const auto firstLevel = std::find(order.begin(), order.end(), expectedOrder.front());
        ASSERT_TRUE(std::equal(expectedOrder.begin(), expectedOrder.end(), firstLevel)) << "table " << table;
    }
}
