#pragma once
#include <string>
#include <utility>
#include <vector>

// Two slow, plain Swiss pairings that TSchweiz is held against.
namespace swiss_reference {

using Texts = std::vector<std::string>;

struct Outcome {
    std::string result;
    Texts log;
};

// The pairing as first written: text lists copied at every level of the search, every rejected
// path searched again from the start, and one exclusion list shared by all rounds of the look-ahead.
Outcome LiteralPairRound(int roundLimit, int round, const Texts& standings, const Texts& played);

// What the pairing is meant to give: the first path in search order (from round
// standings.size() / 2 on: the first after which every round up to the limit can still be
// paired), found by trying every pairing of every round; "ERROR" when there is none.
std::string BruteForcePairRound(int roundLimit, int round, const Texts& standings, const Texts& played);

// The pairs of a path in path order; an entry without "[%%]" gives an empty second player.
std::vector<std::pair<std::string, std::string>> PathPairs(const std::string& path);

}  // namespace swiss_reference
