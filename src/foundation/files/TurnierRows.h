#pragma once
#include <memory>
#include <string>
#include <vector>

// The rows of a tournament file as a load looks at them before it takes any: every row belongs
// to one table and has no more cells than it, and together they make a whole tournament. Each
// table row is a line of its own in the file, so a line lost or written twice leaves a file that
// reads to its end: the numbers of groups, participants and games run from 1 without a gap or a
// double (a deletion closes them up again), every number a game, participant slot or standings
// row names has its row, a group with standings has one row for each of its participants, every
// group holds its participant slots and at least the games its system makes for them, and the
// codes the slots and the final placing take their participants from name games and groups that
// have their rows. Each row is looked at once, as it is read, while it is fresh in the cache.

using TurnierRow = std::vector<std::string>;

// The fewest games a group of this game system gets at its creation for its participant count:
// the game generation of the engine knows it and the load is handed it. No game of a group is
// ever deleted on its own, only with its group.
using FewestGamesRule = int (*)(const std::string& system, int participants);

struct TurnierRowsVerdict {
    // Why the rows are damaged, as the words after "ist beschädigt und wurde nicht geladen: ";
    // empty when they are not.
    std::string damage;
    // A group names neither participants nor fields, as groups of an older release did.
    bool olderGroups = false;
};

// The check, fed the rows one by one in file order. It keeps pointers to cells of the rows it
// was given: they must stay where they are (a vector of rows may grow, its rows' cells do not
// move) and unchanged until the verdict.
class TurnierRowsCheck {
public:
    // Without a rule, the games of a group are not counted.
    explicit TurnierRowsCheck(FewestGamesRule fewestGames);
    ~TurnierRowsCheck();
    TurnierRowsCheck(const TurnierRowsCheck&) = delete;
    TurnierRowsCheck& operator=(const TurnierRowsCheck&) = delete;

    void Take(const TurnierRow& row);
    TurnierRowsVerdict Verdict() const;

private:
    class Survey;
    std::unique_ptr<Survey> survey_;
};

// All rows at once.
TurnierRowsVerdict CheckTurnierRows(const std::vector<TurnierRow>& rows, FewestGamesRule fewestGames);

// The table a row belongs to (1..7), 0 for none.
int TurnierRowKind(const TurnierRow& row);
