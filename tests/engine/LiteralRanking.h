#pragma once
#include <string>
#include <vector>

class TMainForm;

// The standings ranking as it was first written: neighbouring rows are compared from the top,
// every exchange starts the run again, and a run stops after a fixed number of compares. Kept
// only here, as the measure the ranking of the program must meet; it works on a copy of the
// standings and changes no table.
struct LiteralRankingOptions {
    // Teams of different groups go on with the rest of the chain where head-to-head would decide.
    bool crossGroupGoesOn = true;
    // An exchange decided by head-to-head starts the run again like every other exchange.
    bool restartAfterHeadToHead = true;
    // The run stops once this many compares are made.
    long long compareLimit = 1000000;
};

struct LiteralRankingResult {
    std::vector<int> teams;           // Platz_TeamNr of the rows in their final order
    std::vector<std::string> tied;    // team numbers reported as ties, in the order reported
    bool stoppedByLimit = false;
    long long compares = 0;
};

LiteralRankingResult RankLiterally(const TMainForm& form, int g, bool plain, const LiteralRankingOptions& options);

// Whether `teams` (a standings order) proves the pair decisions of the ranking to be a strict
// weak order: the rows fall into runs that no decision separates, and every row ranks above every
// row of a later run. Only then is the ranked order independent of how it was reached.
bool OrderIsConsistent(const TMainForm& form, const std::vector<int>& teams, bool plain);

// How rows of one group that every value before head-to-head leaves level are to be ranked by
// their direct results, worked out the slow way from every path of results: a row that beat
// another, directly or through others, stands above it unless that one beat it back the same
// way; of the rows that nothing left stands above, the first in the table goes next, with all
// rows of its cycle; a cycle is ordered by wins minus defeats among its rows, rows with the same
// balance again by this rule among themselves, and a cycle of one balance stays as it is.
struct DirectRuleResult {
    std::vector<int> order;  // positions 0 .. n - 1, best first
    std::vector<int> tied;   // positions of rows that no path of results orders against some
                             // other row, or in a cycle of one balance; in ranked order
};
// winner[a][b]: a beat b in their counting game (positions in table order).
DirectRuleResult RankByDirectRule(const std::vector<std::vector<char>>& winner);
