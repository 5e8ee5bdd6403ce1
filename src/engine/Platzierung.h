#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/RankingOrder.h"

class TMainForm;

// Puts the rows of Platz into ranking order; the order of a group's rows is its standings. Ties
// of group g (0: none) that the ranking rules cannot break go to KonfliktTeams; with plain true,
// head-to-head neither separates nor reports.
void updatePlatzierung(TMainForm& form, int g, bool plain);
// Exchanges every cell of Platz rows a and b; nothing when they are equal or not data rows.
bool swapPlatz(TMainForm& form, int a, int b);
// Adds team t to KonfliktTeams, except in a Swiss tournament and for the pair of a knock-out game
// that a winner or loser placeholder still waits for.
void addKonfliktTeam(TMainForm& form, int t);

// The rankings of one operation on results: a result's processing, or settling a placing
// conflict. Nobody reads the order of rows of different groups, and while every row takes part
// (has a name) and every row's participant plays in the row's group, ranking each group among
// its own rows gives it the order that ranking the whole table gives it. So when the operation
// starts with the tables as the previous one left them (no change since, the same ranking
// settings, such a table), its rankings put only the groups whose standings changed in order,
// each among its own rows. Otherwise each of its rankings ranks the whole table, as
// updatePlatzierung does. The rows of each group are kept with the stamp (TMainForm::RankedStandings).
//
// A finished group ("Done", or "Closed" once a later result uses it) had its order settled when
// it finished: ranked by the rules, put in the user's order by the conflict dialog where the rules
// left a tie, and the placeholders that depend on it were resolved from that order. Its rows keep
// that order in every ranking: head-to-head is no order of the values, so ranking the group again
// could move rows the dialog settled, and the table would no longer show who took the group's
// places. A group whose results change is no longer finished and is ranked afresh.
class StandingsRanking {
public:
    explicit StandingsRanking(TMainForm& form);
    // updatePlatzierung(form, g, plain) for what changed: changed holds every group whose
    // standings rows changed since the last ranking (values, names, order, or the winners of its
    // games); g's rows are ranked in any case.
    void Rank(int g, bool plain, const std::set<int>& changed);
    // The same, where in each group of valuesChanged (also in changed) only the totals of those
    // Platz rows changed: where the rules make the ranking a sort by the totals alone, only the
    // rows between the places those rows leave and take are ranked.
    void Rank(int g, bool plain, const std::set<int>& changed, const std::map<int, std::vector<int>>& valuesChanged);
    // Group g has just finished, and the conflict dialog may have put rows the rules leave level
    // in the user's order: g's rows are put in order by the values before head-to-head only, so
    // that order stands among rows those values leave level. It is g's settled order from now on.
    void Settle(int g);
    // These finished groups take part in this operation's rankings like any other group: the
    // ranking rules changed while no later result used their order.
    void RankAnew(const std::set<int>& groups);
    // The operation is over: when it ranked, every group is in ranked order now (a finished one
    // in its settled order), and the next operation may rely on it while nothing else changes the
    // tables.
    void Finish();

private:
    TMainForm& form_;
    bool byGroup_;  // every group but those reported changed is in ranked order, the rows of each known
    bool clean_;    // every row named and in its group: the next operation may rank by group
    bool ranked_ = false;
    // The ranking settings in one text and as a chain, as read at the settings table's count
    // settingsRead_ and for tournament tournament_: taken again only when either changed.
    std::string settings_;
    const RankChain* chain_ = nullptr;
    const std::vector<RankStep>* totalsSteps_ = nullptr;  // the chain's steps before head-to-head
    std::uint64_t settingsRead_ = ~std::uint64_t{0};
    int tournament_ = 0;
    std::set<int> anew_;  // finished groups ranked all the same
    void ReadSettings();
    bool Keeps(int group) const;
    std::vector<int> RowsRanked() const;
};

// The result of one game written into its row right before doSpielplanKlick takes it (an
// import): that ranks the game's group in any case, so writes to the games while this lives
// leave the other groups known as ranked.
class ResultBeingWritten {
public:
    explicit ResultBeingWritten(TMainForm& form);
    ~ResultBeingWritten();
    ResultBeingWritten(const ResultBeingWritten&) = delete;
    ResultBeingWritten& operator=(const ResultBeingWritten&) = delete;

private:
    TMainForm& form_;
    bool ranked_;  // the standings were known as ranked when the writing began
};

// Fills KonfliktTeams with the participants of group g that the ranking rules cannot separate, as
// ranking the group would, without moving a row: a finished group's settled order stays while
// the conflict dialog offers it.
void CollectTies(TMainForm& form, int g);

// Table rows of Platz of different groups, best first, by their values alone: points, then the
// values after points in the order of the ranking rules; head-to-head compares two participants
// of one group only and plays no part. Rows level on every value keep their order. The table is
// not changed.
std::vector<int> RankedByValues(const TMainForm& form, const std::vector<int>& rows);
