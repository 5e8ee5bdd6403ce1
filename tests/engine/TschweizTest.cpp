#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>
#include <set>

#include "SwissReference.h"
#include "TestEnvironment.h"
#include "engine/Tschweiz.h"

using swiss_reference::Texts;

namespace {

TStringList List(const Texts& texts) {
    TStringList list;
    for (const std::string& text : texts) list.Add(text);
    return list;
}

Texts Numbers(int count) {
    Texts players;
    for (int i = 1; i <= count; ++i) players.push_back(std::to_string(i));
    return players;
}

struct Answer {
    std::string result;
    Texts log;
};

Answer Pair(int roundLimit, int round, const Texts& standings, const Texts& played) {
    TMemo memo;
    TSchweiz swiss(roundLimit, &memo);
    Answer answer;
    answer.result = swiss.PairRound(round, List(standings), List(played));
    answer.log = memo.Lines.ToVector();
    return answer;
}

// The log lines of a call: standings, the rule, then per attempt the round, blocks and played keys.
Texts StandingsLog(const Texts& standings) {
    Texts log;
    for (size_t p = 0; p < standings.size(); ++p) log.push_back("Platz " + std::to_string(p + 1) + " = " + standings[p]);
    log.push_back(std::string(66, '='));
    return log;
}

void AddAttempt(Texts& log, int round, const Texts& blocked, const Texts& played) {
    log.push_back("RUNDE " + std::to_string(round));
    for (const std::string& path : blocked) log.push_back(" -> Block: " + path);
    for (size_t i = 0; i < played.size(); ++i) log.push_back("mPlayed[" + std::to_string(i) + "] = " + played[i]);
}

// The whole log of a call that finds no path at its first attempt.
Texts RefusalLog(const Texts& standings, int round, const Texts& played) {
    Texts log = StandingsLog(standings);
    AddAttempt(log, round, {}, played);
    return log;
}

std::string Key(const std::string& a, const std::string& b) { return a + "[%%]" + b; }

// Every pair of `players`, each kept with probability `share`, in random order and orientation.
Texts RandomHistory(std::mt19937& rng, const Texts& players, double share) {
    Texts played;
    std::bernoulli_distribution keep(share), swap(0.5);
    for (size_t i = 0; i < players.size(); ++i)
        for (size_t j = i + 1; j < players.size(); ++j)
            if (keep(rng)) played.push_back(swap(rng) ? Key(players[j], players[i]) : Key(players[i], players[j]));
    std::shuffle(played.begin(), played.end(), rng);
    return played;
}

int Random(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

// Perfect pairings in random order, one per round, never a pair twice (fewer when stuck).
Texts RandomRounds(std::mt19937& rng, const Texts& players, int rounds) {
    Texts played;
    std::set<std::pair<std::string, std::string>> met;
    for (int r = 0; r < rounds; ++r) {
        Texts order = players;
        std::shuffle(order.begin(), order.end(), rng);
        const std::string path = swiss_reference::BruteForcePairRound(0, 0, order, played);
        if (path == "ERROR") break;
        for (const auto& [a, b] : swiss_reference::PathPairs(path)) played.push_back(Key(a, b));
    }
    return played;
}

struct SmallCase {
    int roundLimit = 0;
    int round = 0;
    Texts standings;
    Texts played;
};

// Up to eight players (some odd counts, some texts that are no numbers or occur twice), histories
// round by round or arbitrary, mostly rounds that look ahead, limits up to the player count.
SmallCase RandomSmallCase(std::mt19937& rng) {
    static const Texts pool = {"1", "01", "2", "", "a[%%]b", "a", "b", "b[%%]1", "Köln", "1[%%]"};
    SmallCase c;
    const int n = Random(rng, 0, 9) == 0 ? Random(rng, 0, 4) * 2 + 1 : Random(rng, 1, 4) * 2;
    if (Random(rng, 0, 6) == 0) {
        for (int i = 0; i < n; ++i) c.standings.push_back(pool[static_cast<size_t>(Random(rng, 0, 9))]);
    } else {
        c.standings = Numbers(n);
        std::shuffle(c.standings.begin(), c.standings.end(), rng);
    }
    c.round = Random(rng, Random(rng, 0, 2) == 0 ? 1 : std::max(1, n / 2), std::max(1, n - 1));
    c.roundLimit = Random(rng, c.round - 1, std::max(c.round, n - 1));
    c.played = Random(rng, 0, 1) == 0 ? RandomRounds(rng, c.standings, c.round - 1)
                                      : RandomHistory(rng, c.standings, std::uniform_real_distribution<>(0, 0.6)(rng));
    return c;
}

// Standings by points, ties in random order.
Texts Standings(std::mt19937& rng, const std::vector<int>& points) {
    std::vector<int> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return points[size_t(a)] > points[size_t(b)]; });
    Texts standings;
    for (int i : order) standings.push_back(std::to_string(i + 1));
    return standings;
}

}  // namespace

class SwissPairingTest : public ProgramTest {};

// --- pairing down the standings ---

TEST_F(SwissPairingTest, FourPlayersPairDownTheStandings) {
    const Texts players = Numbers(4);
    Texts log = StandingsLog(players);
    AddAttempt(log, 1, {}, {});
    log.push_back("Path: |1[%%]2|3[%%]4|");
    const Answer first = Pair(3, 1, players, {});
    EXPECT_EQ(first.result, "|1[%%]2|3[%%]4|");
    EXPECT_EQ(first.log, log);

    EXPECT_EQ(Pair(3, 2, players, {"1[%%]2"}).result, "|1[%%]3|2[%%]4|");
    // The second key is written the other way round and still counts.
    EXPECT_EQ(Pair(3, 1, players, {"1[%%]2", "4[%%]2"}).result, "|1[%%]4|2[%%]3|");
}

TEST_F(SwissPairingTest, LeaderWhoMetEveryoneLeavesNoPairing) {
    const Texts played = {"1[%%]2", "3[%%]1", "1[%%]4"};
    const Answer answer = Pair(3, 1, Numbers(4), played);
    EXPECT_EQ(answer.result, "ERROR");
    EXPECT_EQ(answer.log, RefusalLog(Numbers(4), 1, played));
}

// Players are texts: "01" is not "1", and the standings order decides, not the number.
TEST_F(SwissPairingTest, PlayersAreComparedAsText) {
    EXPECT_EQ(Pair(3, 1, {"01", "2", "1", "3"}, {"1[%%]2"}).result, "|01[%%]2|1[%%]3|");
    EXPECT_EQ(Pair(3, 1, {"4", "3", "2", "1"}, {}).result, "|4[%%]3|2[%%]1|");
}

TEST_F(SwissPairingTest, WorksWithoutLogMemo) {
    TSchweiz swiss(5, nullptr);
    EXPECT_EQ(swiss.PairRound(3, List(Numbers(6)), List({"1[%%]2", "3[%%]4", "5[%%]6", "1[%%]3", "2[%%]5", "4[%%]6"})),
              "|1[%%]4|2[%%]6|3[%%]5|");
}

// --- the look-ahead from the middle of the tournament on ---

// Player 2 has met 1 and 4, so round 2 must give him 3 and round 3 has nobody left for him.
// Below half the player count (round 1) the same history is paired without looking ahead.
TEST_F(SwissPairingTest, FourPlayersWhoseLastRoundCannotBePaired) {
    const Texts played = {"1[%%]2", "4[%%]2"};
    const Answer answer = Pair(3, 2, Numbers(4), played);
    EXPECT_EQ(answer.result, "ERROR");
    EXPECT_EQ(swiss_reference::BruteForcePairRound(3, 2, Numbers(4), played), "ERROR");
    Texts log = StandingsLog(Numbers(4));
    AddAttempt(log, 2, {}, played);
    log.push_back("Path: |1[%%]4|2[%%]3|");
    AddAttempt(log, 2, {"|1[%%]4|2[%%]3|"}, played);
    EXPECT_EQ(answer.log, log);
    EXPECT_EQ(Pair(2, 2, Numbers(4), played).result, "|1[%%]4|2[%%]3|");  // last round: nothing behind it
}

// After |1[%%]2|3[%%]4|5[%%]6| nobody could pair round 4: 1 would meet 3 or 5 and leave four
// players who have met each other crosswise.
TEST_F(SwissPairingTest, SixPlayersLookAheadRejectsTheFirstPath) {
    const Texts played = {"6[%%]1", "3[%%]2", "4[%%]5", "4[%%]1", "5[%%]2", "3[%%]6"};
    const Answer answer = Pair(4, 3, Numbers(6), played);
    EXPECT_EQ(answer.result, "|1[%%]2|3[%%]5|4[%%]6|");
    EXPECT_EQ(swiss_reference::BruteForcePairRound(4, 3, Numbers(6), played), answer.result);
    Texts log = StandingsLog(Numbers(6));
    AddAttempt(log, 3, {}, played);
    log.push_back("Path: |1[%%]2|3[%%]4|5[%%]6|");
    AddAttempt(log, 3, {"|1[%%]2|3[%%]4|5[%%]6|"}, played);
    log.push_back("Path: |1[%%]2|3[%%]5|4[%%]6|");
    EXPECT_EQ(answer.log, log);
}

// Round 4 of 8 with a history in which a shared exclusion list, left over from the rounds behind
// an earlier try, would turn down every pairing although |1[%%]5|2[%%]3|4[%%]7|6[%%]8| leaves
// rounds 5 to 7 pairable.
TEST_F(SwissPairingTest, LookAheadKeepsExclusionsPerRound) {
    const Texts played = {"3[%%]8", "5[%%]8", "4[%%]2", "6[%%]3", "4[%%]6",
                          "7[%%]8", "1[%%]4", "1[%%]3", "5[%%]7", "7[%%]6"};
    EXPECT_EQ(swiss_reference::LiteralPairRound(7, 4, Numbers(8), played).result, "ERROR");
    EXPECT_EQ(swiss_reference::BruteForcePairRound(7, 4, Numbers(8), played), "|1[%%]5|2[%%]3|4[%%]7|6[%%]8|");
    EXPECT_EQ(Pair(7, 4, Numbers(8), played).result, "|1[%%]5|2[%%]3|4[%%]7|6[%%]8|");
}

// --- odd player counts and round limits ---

// An odd player count gives the same lines as the full search, without the search.
TEST_F(SwissPairingTest, OddPlayerCountIsRefusedAtOnce) {
    const Texts played = {"1[%%]2", "3[%%]4"};
    const Answer five = Pair(4, 2, Numbers(5), played);
    EXPECT_EQ(five.result, "ERROR");
    EXPECT_EQ(five.log, swiss_reference::LiteralPairRound(4, 2, Numbers(5), played).log);

    const Answer many = Pair(9, 3, Numbers(41), played);
    EXPECT_EQ(many.result, "ERROR");
    EXPECT_EQ(many.log, RefusalLog(Numbers(41), 3, played));
}

TEST_F(SwissPairingTest, RoundLimitMustStayBelowPlayerCount) {
    EXPECT_TRUE(TSchweiz::RoundLimitPossible(3, 4));
    EXPECT_FALSE(TSchweiz::RoundLimitPossible(4, 4));
    EXPECT_TRUE(TSchweiz::RoundLimitPossible(19, 20));
    EXPECT_FALSE(TSchweiz::RoundLimitPossible(25, 20));
}

// With a limit no tournament of that size reaches, every pairing of the first look-ahead round
// fails; the answer comes at once instead of after trying them all.
TEST_F(SwissPairingTest, UnreachableRoundLimitFailsAtOnce) {
    const Texts played4 = {"1[%%]2", "3[%%]4"};
    const Answer four = Pair(4, 2, Numbers(4), played4);
    EXPECT_EQ(four.result, "ERROR");
    EXPECT_EQ(swiss_reference::BruteForcePairRound(4, 2, Numbers(4), played4), "ERROR");
    EXPECT_EQ(four.log, RefusalLog(Numbers(4), 2, played4));

    std::mt19937 rng(5);
    const Texts players = Numbers(20);
    const Texts played = RandomRounds(rng, players, 9);
    ASSERT_EQ(played.size(), 90u);
    EXPECT_EQ(Pair(20, 10, players, played).result, "ERROR");
    EXPECT_NE(Pair(19, 10, players, played).result, "ERROR");
}

// --- against the plain pairings ---

// The answer is always the intended one; the log is the literal one wherever the literal answer
// is right (where it is not, it turned down a path it should have taken).
TEST_F(SwissPairingTest, RandomSmallCasesAgreeWithPlainPairings) {
    std::mt19937 rng(4711);
    int blockedAndRight = 0;
    for (int t = 0; t < 3000; ++t) {
        const SmallCase c = RandomSmallCase(rng);
        const Answer answer = Pair(c.roundLimit, c.round, c.standings, c.played);
        const auto literal = swiss_reference::LiteralPairRound(c.roundLimit, c.round, c.standings, c.played);
        const std::string intended = swiss_reference::BruteForcePairRound(c.roundLimit, c.round, c.standings, c.played);
        ASSERT_EQ(answer.result, intended) << "Fall " << t;
        if (literal.result != intended) continue;
        ASSERT_EQ(answer.log, literal.log) << "Fall " << t;
        if (std::ranges::any_of(answer.log, [](const std::string& line) { return line.starts_with(" -> Block: "); }))
            ++blockedAndRight;
    }
    EXPECT_GT(blockedAndRight, 50);  // cases where the look-ahead turned paths down
}

// Before the middle of the tournament nothing is looked ahead, and the literal pairing is the
// intended one: on boards of 10 to 16 players with arbitrary histories, dead ends included.
TEST_F(SwissPairingTest, EarlyRoundsOfLargerBoardsAgreeWithTheLiteralPairing) {
    std::mt19937 rng(815);
    int errors = 0;
    for (int t = 0; t < 300; ++t) {
        const int n = 2 * Random(rng, 5, 8);
        Texts standings = Numbers(n);
        std::shuffle(standings.begin(), standings.end(), rng);
        const Texts played = RandomHistory(rng, standings, std::uniform_real_distribution<>(0.4, 0.75)(rng));
        const int round = Random(rng, 1, n / 2 - 1);
        const Answer answer = Pair(n - 1, round, standings, played);
        const auto literal = swiss_reference::LiteralPairRound(n - 1, round, standings, played);
        ASSERT_EQ(answer.result, literal.result) << "Fall " << t;
        ASSERT_EQ(answer.log, literal.log) << "Fall " << t;
        errors += answer.result == "ERROR";
    }
    EXPECT_GT(errors, 5);
}

// Boards of more than one word of players, around the word boundaries, each after a few random
// rounds: the players' opponents are counted across words as the literal pairing counts them.
TEST_F(SwissPairingTest, BoardsOfSeveralWordsAgreeWithTheLiteralPairing) {
    std::mt19937 rng(2027);
    for (int n : {62, 64, 66, 126, 128, 130, 192}) {
        for (int t = 0; t < 3; ++t) {
            Texts standings = Numbers(n);
            std::shuffle(standings.begin(), standings.end(), rng);
            const int round = Random(rng, 2, 7);
            const Texts played = RandomRounds(rng, standings, round - 1);
            const Answer answer = Pair(n - 1, round, standings, played);
            const auto literal = swiss_reference::LiteralPairRound(n - 1, round, standings, played);
            ASSERT_EQ(answer.result, literal.result) << n << " Spieler, Fall " << t;
            ASSERT_EQ(answer.log, literal.log) << n << " Spieler, Fall " << t;
        }
    }
}

// --- whole tournaments ---

// Every round pairs every player with one he has not met. The only round that may find no
// pairing is the first that looks ahead: every later one inherits a round that looked ahead.
TEST_F(SwissPairingTest, RandomTournamentsNeverRepeatAPair) {
    std::mt19937 rng(1234);
    for (int t = 0; t < 60; ++t) {
        const int n = 2 * Random(rng, 2, 20);
        const int roundLimit = Random(rng, 1, n - 1);
        SCOPED_TRACE(std::to_string(n) + " Spieler, " + std::to_string(roundLimit) + " Runden");
        std::vector<int> points(static_cast<size_t>(n), 0);
        Texts played;
        std::set<std::pair<int, int>> met;
        for (int round = 1; round <= roundLimit; ++round) {
            const Texts standings = Standings(rng, points);
            TSchweiz swiss(roundLimit, nullptr);
            const std::string path = swiss.PairRound(round, List(standings), List(played));
            if (n <= 8) {
                EXPECT_EQ(path, swiss_reference::BruteForcePairRound(roundLimit, round, standings, played));
            }
            if (path == "ERROR") {
                EXPECT_EQ(round, n / 2);
                break;
            }
            const auto pairs = swiss_reference::PathPairs(path);
            ASSERT_EQ(pairs.size(), static_cast<size_t>(n / 2)) << path;
            std::set<int> seen;
            for (const auto& [a, b] : pairs) {
                const int x = std::stoi(a) - 1, y = std::stoi(b) - 1;
                EXPECT_TRUE(seen.insert(x).second && seen.insert(y).second) << path;
                EXPECT_TRUE(met.insert({std::min(x, y), std::max(x, y)}).second) << path;
                played.push_back(Key(a, b));
                const int result = Random(rng, 0, 2);  // win, draw, loss of the first
                points[size_t(x)] += 2 - result;
                points[size_t(y)] += result;
            }
        }
    }
}

// --- players known by numbers ---

// Players given as numbers pair and log exactly as their numbers in words: equal numbers are one
// player's text, a game of a number the standings lack counts for nobody, negative numbers and
// look-ahead rounds included.
TEST_F(SwissPairingTest, NumbersPairAsTheirTexts) {
    std::mt19937 rng(99);
    int lookedAhead = 0;
    for (int t = 0; t < 1500; ++t) {
        const int n = Random(rng, 0, 9) == 0 ? 2 * Random(rng, 0, 3) + 1 : 2 * Random(rng, 1, 5);
        std::vector<int> standings;
        for (int i = 0; i < n; ++i) standings.push_back(Random(rng, 0, 7) == 0 ? Random(rng, -2, 12) : i * 7 - 1);
        std::vector<std::pair<int, int>> played;
        for (int k = Random(rng, 0, 2 * n); k > 0; --k) {
            const auto any = [&] { return Random(rng, 0, 9) == 0 ? Random(rng, -3, 80) : standings[size_t(Random(rng, 0, n - 1))]; };
            played.emplace_back(any(), any());
        }
        const int round = Random(rng, 1, std::max(1, n - 1));
        const int roundLimit = Random(rng, round, std::max(round, n - 1));
        Texts standingTexts, playedTexts;
        for (int number : standings) standingTexts.push_back(std::to_string(number));
        for (const auto& [a, b] : played) playedTexts.push_back(Key(std::to_string(a), std::to_string(b)));

        TMemo memo;
        TSchweiz swiss(roundLimit, &memo);
        const std::string result = swiss.PairRound(round, standings, played);
        const Answer asTexts = Pair(roundLimit, round, standingTexts, playedTexts);
        ASSERT_EQ(result, asTexts.result) << "Fall " << t;
        ASSERT_EQ(memo.Lines.ToVector(), asTexts.log) << "Fall " << t;
        lookedAhead += round >= n / 2 && n % 2 == 0;
    }
    EXPECT_GT(lookedAhead, 300);
}

// Numbers far apart, the extremes of int among them, and games of numbers between them that no
// player has: the same pairing and log as their texts.
TEST_F(SwissPairingTest, NumbersFarApartPairAsTheirTexts) {
    constexpr int kLow = std::numeric_limits<int>::min(), kHigh = std::numeric_limits<int>::max();
    const std::vector<int> standings{kHigh, 3, kLow, 1000000, -1, 3, 0, 999999};
    const std::vector<std::pair<int, int>> played{{kHigh, 3},  {kLow, 1000000}, {-1, 0},    {2, 999999},
                                                  {999999, 2}, {kHigh, kLow},   {3, 999999}, {1000001, kHigh}};
    Texts standingTexts, playedTexts;
    for (int number : standings) standingTexts.push_back(std::to_string(number));
    for (const auto& [a, b] : played) playedTexts.push_back(Key(std::to_string(a), std::to_string(b)));
    for (int round : {2, 4, 6}) {
        TMemo memo;
        TSchweiz swiss(7, &memo);
        const std::string result = swiss.PairRound(round, standings, played);
        const Answer asTexts = Pair(7, round, standingTexts, playedTexts);
        EXPECT_EQ(result, asTexts.result) << "Runde " << round;
        EXPECT_EQ(memo.Lines.ToVector(), asTexts.log) << "Runde " << round;
    }
}

TEST_F(SwissPairingTest, NumbersOfSeveralWordsPairAsTheirTexts) {
    std::mt19937 rng(7);
    for (int n : {64, 130}) {
        Texts standings = Numbers(n);
        std::shuffle(standings.begin(), standings.end(), rng);
        const Texts played = RandomRounds(rng, standings, 4);
        std::vector<int> numbers;
        for (const std::string& text : standings) numbers.push_back(std::stoi(text));
        std::vector<std::pair<int, int>> pairs;
        for (const std::string& key : played) {
            const size_t mark = key.find("[%%]");
            pairs.emplace_back(std::stoi(key.substr(0, mark)), std::stoi(key.substr(mark + 4)));
        }
        TSchweiz swiss(n - 1, nullptr);
        EXPECT_EQ(swiss.PairRound(5, numbers, pairs), Pair(n - 1, 5, standings, played).result) << n;
    }
}
