#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/Strings.h"

// Pairs the next round of a Swiss-system tournament: down the standings, never a pairing twice,
// and from the middle of the tournament on only a round after which every remaining round up to
// the round limit can still be paired. It explains its work line by line in the log memo.
// One object serves one evaluation.
//
// Texts: a player is the text of one standings entry (compared as text); a pair key is
// a + "[%%]" + b and counts as played in either order; a path is "|a[%%]b|c[%%]d|".
class TSchweiz {
public:
    TSchweiz(int roundLimit, TMemo* logMemo);

    // The pairs of round `round` as a path, or "ERROR" when no pairing exists. standings: the
    // players, best first; played: the pair keys of every game so far.
    std::string PairRound(int round, const TStrings& standings, const TStrings& played);
    // The same for players known by whole numbers, each player's text his number in words:
    // played holds the two players of every game so far, each pair standing for its key.
    std::string PairRound(int round, const std::vector<int>& standings, const std::vector<std::pair<int, int>>& played);

    // A player meets every other player at most once, so a tournament of playerCount players
    // lasts at most playerCount - 1 rounds; a longer limit could never be paired to its end.
    static bool RoundLimitPossible(int roundLimit, int playerCount);

private:
    int roundLimit_;
    int playerCount_ = 0;
    TMemo* logMemo_;

    template <typename Call>
    std::string Pair(int round, const Call& call);
};
