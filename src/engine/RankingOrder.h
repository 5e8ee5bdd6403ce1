#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <vector>

// The order of a standings table, computed apart from the table so that it can be checked and
// measured on its own. A table is ranked by a chain of steps; a pair of rows is decided by the
// first step that tells them apart.

// What the ranking reads of one standings row.
struct RankRow {
    int team = 0;            // participant number
    int group = 0;           // the participant's group; the same for all rows when groups are ignored
    bool takesPart = true;   // a row without a name takes no part: it never rises past a row above it
    double pointsWon = 0, pointsLost = 0, setsWon = 0, setDiff = 0, ballsWon = 0, ballDiff = 0;
};

// Differences count in whole units, cut toward zero: 1.9 and 1.2 sets ahead are level.
double WholeDifference(double plus, double minus);

enum class RankStep : unsigned char { PointsWon, PointsLost, SetDiff, SetsWon, BallDiff, BallsWon, HeadToHead };
// A row's value on a step, larger always better (points lost count against it); 0 on
// head-to-head, which no value decides. Inline: a ranking asks it for every pair it compares.
inline double StepValue(const RankRow& row, RankStep step) {
    switch (step) {
        case RankStep::PointsWon: return row.pointsWon;
        case RankStep::PointsLost: return -row.pointsLost;
        case RankStep::SetDiff: return row.setDiff;
        case RankStep::SetsWon: return row.setsWon;
        case RankStep::BallDiff: return row.ballDiff;
        case RankStep::BallsWon: return row.ballsWon;
        case RankStep::HeadToHead: break;
    }
    return 0;
}

// The steps in order. Head-to-head ends the chain for two rows of the same group; rows of
// different groups go on with the next value.
struct RankChain {
    std::vector<RankStep> steps;
    bool HasHeadToHead() const;
};

// Points won, points lost, set difference, [head-to-head], sets won, ball difference, balls won.
RankChain GeneralChain(bool headToHead);
// Points, [head-to-head first], goal difference, [head-to-head], goals scored, head-to-head.
RankChain FootballChain(bool headToHead, bool headToHeadFirst);

// The winners of the games between two teams of a group: the first game of a pair counts.
class HeadToHead {
public:
    struct Game {
        int group, a, b, winner;
    };
    HeadToHead() = default;
    // The games in table order.
    explicit HeadToHead(std::vector<Game> games);
    // The winner entered for the pair's first game; 0 when they have not met.
    int Winner(int a, int b, int group) const;
    // The counting game of every pair of the group.
    std::span<const Game> GamesOf(int group) const;

private:
    std::vector<Game> games_;  // by group and pair, one per pair
};

// The games a ranking needs: those of these groups between two of these teams (no teams: any).
struct HeadToHeadWanted {
    std::set<int> groups;
    std::vector<char> teams;  // by team number
    bool Team(int team) const {
        return teams.empty() || (team >= 0 && static_cast<size_t>(team) < teams.size() && teams[static_cast<size_t>(team)]);
    }
};
// Supplies the head-to-head results asked for, only when some are needed.
using HeadToHeadSource = std::function<HeadToHead(const HeadToHeadWanted& wanted)>;

struct RankResult {
    std::vector<int> order;  // row indices, best first
    std::vector<int> tied;   // rows the chain could not separate from a row of their group, in order
};

// Ranks the rows. With plain, groups play no part and head-to-head neither separates nor
// reports; otherwise ties within collectGroup (0: none) are reported.
RankResult RankRows(const std::vector<RankRow>& rows, const RankChain& chain, bool plain, int collectGroup,
                    const HeadToHeadSource& headToHead);

// Row indices, best first, by every value of the chain in turn: how rows of different groups
// compare. Head-to-head plays no part (it compares two participants of one group only); rows
// level on every value keep their order.
std::vector<int> RankByValues(const std::vector<RankRow>& rows, const RankChain& chain);
