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
