#pragma once
#include <utility>
#include <vector>

// The order of rows of one group that every value before head-to-head leaves level, decided by
// their direct results alone. A direct winner stands above the team it beat, and so does every
// team that beat a team above it; rows that no result orders keep their table order. Only a
// cycle of results (A beat B, B beat C, C beat A) is settled by wins minus defeats among the
// rows of the cycle, and rows still level there are ordered by this same rule among themselves.

struct LevelRunOrder {
    std::vector<int> order;  // positions in the run, best first
    std::vector<char> tied;  // by position: a row left beside another that no result orders
};

// `count` rows at positions 0 .. count - 1 in table order; `beat` holds (winner, loser) of every
// direct result with a winner. Ties are worked out only when asked for.
LevelRunOrder OrderLevelRun(int count, const std::vector<std::pair<int, int>>& beat, bool withTies);
