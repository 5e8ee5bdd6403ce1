#include "engine/Platzierung.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/CellNumbers.h"
#include "engine/RankingOrder.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"

namespace {

// The settings the ranking reads, in one text.
std::string RankingSettings(const TMainForm& form) {
    return GetSetting(form, "AWertung", "0") + "|" + GetSetting(form, "WertungDirektVergleich", "false") + "|" +
           GetSetting(form, "WertungDirektVergleichNeu", "false");
}

RankChain ChainOf(const TMainForm& form) {
    const bool direkt = GetSetting(form, "WertungDirektVergleich", "false") == "true";
    if (GetSetting(form, "AWertung", "0") == "7")
        return FootballChain(direkt, GetSetting(form, "WertungDirektVergleichNeu", "false") == "true");
    return GeneralChain(direkt);
}

int GroupOfTeam(const TMainForm& form, int team) {
    return team >= 1 && team < form.Teams.RowCount() ? CellInt(form.Teams, Teams_InGr, team) : 0;
}

// One table row; its group counts only where head-to-head may decide or ties are collected.
RankRow ReadRow(const TMainForm& form, int r, bool withGroup) {
    const TSortGrid& platz = form.Platz;
    RankRow row;
    row.team = CellInt(platz, Platz_TeamNr, r);
    row.group = withGroup ? GroupOfTeam(form, row.team) : 0;
    row.takesPart = !platz.Cells(Platz_Team, r).empty();
    row.pointsWon = CellNumber(platz, Platz_PPkt, r);
    row.pointsLost = CellNumber(platz, Platz_MPkt, r);
    row.setsWon = CellNumber(platz, Platz_PSatz, r);
    row.setDiff = WholeDifference(row.setsWon, CellNumber(platz, Platz_MSatz, r));
    row.ballsWon = CellNumber(platz, Platz_PBall, r);
    row.ballDiff = WholeDifference(row.ballsWon, CellNumber(platz, Platz_MBall, r));
    return row;
}

std::vector<RankRow> ReadStandings(const TMainForm& form, const std::vector<int>& tableRows, bool withGroups) {
    std::vector<RankRow> rows;
    rows.reserve(tableRows.size());
    for (int r : tableRows) rows.push_back(ReadRow(form, r, withGroups));
    return rows;
}

HeadToHead ReadHeadToHead(const TMainForm& form, const HeadToHeadWanted& wanted) {
    std::vector<HeadToHead::Game> games;
    const std::set<int>& groups = wanted.groups;
    // Group by group: the order that counts is that of each group's games.
    const TSortGrid& plan = form.Spielplan;
    for (int g : groups) {
        if (g < 0) continue;
        for (int r : RowsWithNumber(plan, Spielplan_GrNr, g)) {
            const int t1 = CellInt(plan, Spielplan_T1, r);
            if (!wanted.Team(t1)) continue;
            const int t2 = CellInt(plan, Spielplan_T2, r);
            if (!wanted.Team(t2)) continue;
            games.push_back({g, t1, t2, CellInt(plan, Spielplan_Sieger, r)});
        }
    }
    return HeadToHead(std::move(games));
}

// Puts the rows at these places into the new order: tableRows[i] receives the row that stood at
// tableRows[order[i]]. Each row moves once, by exchanging whole rows.
void PlaceRows(TSortGrid& grid, const std::vector<int>& tableRows, const std::vector<int>& order) {
    std::vector<char> placed(order.size(), 0);
    for (size_t start = 0; start < order.size(); ++start) {
        size_t at = start;
        while (!placed[at] && static_cast<size_t>(order[at]) != start) {
            const size_t from = static_cast<size_t>(order[at]);
            grid.ExchangeRowCells(tableRows[at], grid, tableRows[from]);
            placed[at] = 1;
            at = from;
        }
        placed[at] = 1;
    }
}

bool IsSwiss(const TMainForm& form) { return Get(form.Turnier, Turnier_System, 1, true) == "Schweiz"; }

// The one game of a knock-out pair whose winner or loser a placeholder waits for: its pair is
// no tie to settle.
bool AwaitedKnockOutGame(const TMainForm& form, int team) {
    const int group = GroupOfTeam(form, team);
    const TSortGrid& plan = form.Spielplan;
    int games = 0, lastGame = 0;
    for (int r : RowsWithNumber(plan, Spielplan_GrNr, group)) {
        if (IntGet(plan, Spielplan_T1, r, true) != team && IntGet(plan, Spielplan_T2, r, true) != team) continue;
        ++games;
        lastGame = IntGet(plan, Spielplan_SpNr, r, true);
    }
    if (games != 1 || lastGame <= 0) return false;
    const TSortGrid& teams = form.Teams;
    for (int r : RowsWithNumber(teams, Teams_Pos, lastGame))
        if (!Get(teams, Teams_SV, r, true).empty()) return true;
    return false;
}

std::vector<int> AllRows(const TSortGrid& platz) {
    std::vector<int> rows;
    for (int r = 1; r < platz.RowCount(); ++r) rows.push_back(r);
    return rows;
}

// The rows of every group, by group number, in table order; nothing unless every row takes part
// and its participant plays in the row's group. A row without a name holds back the rows below
// it whatever their group, and a participant counts in its own group's head-to-head and ties
// wherever its row stands: in such a table only the whole ranks as it always did.
std::optional<std::vector<std::vector<int>>> RowsByGroup(const TMainForm& form) {
    const TSortGrid& platz = form.Platz;
    std::vector<std::vector<int>> rows(static_cast<size_t>(std::max(form.Gruppe.RowCount(), 0)));
    for (int r = 1; r < platz.RowCount(); ++r) {
        const int group = CellInt(platz, Platz_GrNr, r);
        if (platz.Cells(Platz_Team, r).empty() || group < 0 || static_cast<size_t>(group) >= rows.size() ||
            GroupOfTeam(form, CellInt(platz, Platz_TeamNr, r)) != group)
            return std::nullopt;
        rows[static_cast<size_t>(group)].push_back(r);
    }
    return rows;
}

// updatePlatzierung over these rows of Platz, in their own places.
void RankAmong(TMainForm& form, const std::vector<int>& tableRows, const RankChain& chain, int g, bool plain) {
    const std::vector<RankRow> rows = ReadStandings(form, tableRows, !plain && (chain.HasHeadToHead() || g > 0));
    const RankResult result = RankRows(rows, chain, plain, g,
                                       [&form](const HeadToHeadWanted& wanted) { return ReadHeadToHead(form, wanted); });
    PlaceRows(form.Platz, tableRows, result.order);
    for (int row : result.tied) addKonfliktTeam(form, rows[static_cast<size_t>(row)].team);
}

// The steps that decide where head-to-head plays no part: those before it.
std::vector<RankStep> TotalsSteps(const RankChain& chain) {
    const auto headToHead = std::find(chain.steps.begin(), chain.steps.end(), RankStep::HeadToHead);
    return {chain.steps.begin(), headToHead};
}

// > 0: a ranks above b on these steps, < 0: below, 0: level.
int CompareOn(const std::vector<RankStep>& steps, const RankRow& a, const RankRow& b) {
    for (RankStep step : steps) {
        const double va = StepValue(a, step), vb = StepValue(b, step);
        if (va != vb) return va > vb ? 1 : -1;
    }
    return 0;
}

// A group's rows (table order) were in ranked order before the totals of the changed rows
// changed, and the ranking sorts by the totals, level rows keeping their order. Then each
// changed row rises past the rows above it that it now ranks above, or falls past those below
// that rank above it, and no other row changes places but by one for each changed row that
// passes it. Returns the rows from the highest place to the lowest that a changed row leaves or
// takes: ranking them alone gives them their places. Nothing when a row met takes no part.
std::optional<std::vector<int>> RowsThatMove(const TMainForm& form, const std::vector<int>& rows,
                                             const std::vector<int>& changed, const std::vector<RankStep>& steps) {
    std::vector<size_t> at;
    for (int row : changed) {
        const auto found = std::lower_bound(rows.begin(), rows.end(), row);
        if (found == rows.end() || *found != row) return std::nullopt;
        at.push_back(static_cast<size_t>(found - rows.begin()));
    }
    auto isChanged = [&](size_t i) { return std::find(at.begin(), at.end(), i) != at.end(); };
    size_t first = rows.size(), last = 0;
    for (size_t i : at) {
        const RankRow moving = ReadRow(form, rows[i], false);
        if (!moving.takesPart) return std::nullopt;
        first = std::min(first, i);
        last = std::max(last, i);
        bool rose = false;
        for (size_t j = i; j-- > 0;) {
            if (isChanged(j)) continue;
            const RankRow above = ReadRow(form, rows[j], false);
            if (!above.takesPart) return std::nullopt;
            if (CompareOn(steps, moving, above) <= 0) break;
            first = std::min(first, j);
            rose = true;
        }
        if (rose) continue;
        for (size_t j = i + 1; j < rows.size(); ++j) {
            if (isChanged(j)) continue;
            const RankRow below = ReadRow(form, rows[j], false);
            if (!below.takesPart) return std::nullopt;
            if (CompareOn(steps, below, moving) <= 0) break;
            last = std::max(last, j);
        }
    }
    if (first > last) return std::vector<int>{};
    return std::vector<int>(rows.begin() + static_cast<std::ptrdiff_t>(first), rows.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

// The trace line and the emptied KonfliktTeams of every ranking; false when Platz has fewer
// than two data rows and there is nothing to rank.
bool StartRanking(TMainForm& form) {
    Log("[F] updatePlatzierung(): Platzierung neu berechnen");
    form.KonfliktTeams.Clear();
    return form.Platz.RowCount() - 1 >= 2;
}

// Whether the tables are as the stamp has them, the games' table aside.
bool StampFitsBesideGames(const TMainForm& form) {
    const TMainForm::StandingsStamp& stamp = form.RankedStandings;
    return stamp.valid && stamp.platz == form.Platz.Changes() && stamp.teams == form.Teams.Changes() &&
           stamp.settings == RankingSettings(form);
}

bool StampFits(const TMainForm& form) {
    return StampFitsBesideGames(form) && form.RankedStandings.spielplan == form.Spielplan.Changes();
}

}  // namespace

void updatePlatzierung(TMainForm& form, int g, bool plain) {
    if (StartRanking(form)) RankAmong(form, AllRows(form.Platz), ChainOf(form), g, plain);
}

bool swapPlatz(TMainForm& form, int a, int b) {
    if (a == b || a < 1 || b < 1) return true;
    TSortGrid& platz = form.Platz;
    for (int c = 0; c < platz.ColCount(); ++c) {
        const std::string upper = Get(platz, c, a, true);
        Put(platz, c, a, Get(platz, c, b, true), true);
        Put(platz, c, b, upper, true);
    }
    return true;
}

void addKonfliktTeam(TMainForm& form, int t) {
    if (IsSwiss(form) || AwaitedKnockOutGame(form, t)) return;
    const std::string team = IntToStr(t);
    if (form.KonfliktTeams.IndexOf(team) < 0) form.KonfliktTeams.Add(team);
}

StandingsRanking::StandingsRanking(TMainForm& form) : form_(form), byGroup_(StampFits(form)), clean_(byGroup_) {}

void StandingsRanking::Rank(int g, bool plain, const std::set<int>& changed) { Rank(g, plain, changed, {}); }

void StandingsRanking::Rank(int g, bool plain, const std::set<int>& changed,
                            const std::map<int, std::vector<int>>& valuesChanged) {
    ranked_ = true;
    if (!StartRanking(form_)) return;
    const RankChain chain = ChainOf(form_);
    TMainForm::StandingsStamp& stamp = form_.RankedStandings;
    if (!byGroup_) {
        RankAmong(form_, AllRows(form_.Platz), chain, g, plain);
        std::optional<std::vector<std::vector<int>>> rows = RowsByGroup(form_);
        clean_ = rows.has_value();
        stamp.rowsOfGroup = clean_ ? std::move(*rows) : std::vector<std::vector<int>>{};
        return;
    }
    // Each group among its own rows: they keep their places, so the rows of each stay known.
    std::set<int> groups = changed;
    if (g > 0) groups.insert(g);
    // Ties are collected from the whole of g; head-to-head orders whole runs of level rows.
    const bool sortByTotals = !(chain.HasHeadToHead() && !plain);
    for (int group : groups) {
        if (group < 0 || static_cast<size_t>(group) >= stamp.rowsOfGroup.size()) continue;
        const std::vector<int>& rows = stamp.rowsOfGroup[static_cast<size_t>(group)];
        const auto only = valuesChanged.find(group);
        std::optional<std::vector<int>> window;
        if (sortByTotals && (plain || group != g) && only != valuesChanged.end())
            window = RowsThatMove(form_, rows, only->second, TotalsSteps(chain));
        RankAmong(form_, window ? *window : rows, chain, g, plain);
    }
}

void StandingsRanking::Finish() {
    if (!ranked_) return;
    TMainForm::StandingsStamp& stamp = form_.RankedStandings;
    stamp.valid = clean_;
    stamp.platz = form_.Platz.Changes();
    stamp.teams = form_.Teams.Changes();
    stamp.spielplan = form_.Spielplan.Changes();
    stamp.settings = RankingSettings(form_);
}

ResultBeingWritten::ResultBeingWritten(TMainForm& form) : form_(form), ranked_(StampFits(form)) {}

ResultBeingWritten::~ResultBeingWritten() {
    if (ranked_ && StampFitsBesideGames(form_)) form_.RankedStandings.spielplan = form_.Spielplan.Changes();
}

std::vector<int> RankedTogether(const TMainForm& form, const std::vector<int>& tableRows) {
    const RankChain chain = ChainOf(form);
    const std::vector<RankRow> rows = ReadStandings(form, tableRows, chain.HasHeadToHead());
    const RankResult result = RankRows(rows, chain, false, 0,
                                       [&form](const HeadToHeadWanted& wanted) { return ReadHeadToHead(form, wanted); });
    std::vector<int> ranked;
    for (int i : result.order) ranked.push_back(tableRows[static_cast<size_t>(i)]);
    return ranked;
}
