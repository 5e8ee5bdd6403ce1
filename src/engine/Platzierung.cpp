#include "engine/Platzierung.h"

#include <algorithm>
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

RankChain ChainOf(const TMainForm& form) {
    const bool direkt = GetSetting(form, "WertungDirektVergleich", "false") == "true";
    if (GetSetting(form, "AWertung", "0") == "7")
        return FootballChain(direkt, GetSetting(form, "WertungDirektVergleichNeu", "false") == "true");
    return GeneralChain(direkt);
}

int GroupOfTeam(const TMainForm& form, int team) {
    return team >= 1 && team < form.Teams.RowCount() ? CellInt(form.Teams, Teams_InGr, team) : 0;
}

// Groups count only where head-to-head may decide or ties are collected.
std::vector<RankRow> ReadStandings(const TMainForm& form, bool withGroups) {
    const TSortGrid& platz = form.Platz;
    std::vector<RankRow> rows;
    rows.reserve(static_cast<size_t>(platz.RowCount()));
    for (int r = 1; r < platz.RowCount(); ++r) {
        RankRow row;
        row.team = CellInt(platz, Platz_TeamNr, r);
        row.group = withGroups ? GroupOfTeam(form, row.team) : 0;
        row.takesPart = !platz.Cells(Platz_Team, r).empty();
        row.pointsWon = CellNumber(platz, Platz_PPkt, r);
        row.pointsLost = CellNumber(platz, Platz_MPkt, r);
        row.setsWon = CellNumber(platz, Platz_PSatz, r);
        row.setDiff = WholeDifference(row.setsWon, CellNumber(platz, Platz_MSatz, r));
        row.ballsWon = CellNumber(platz, Platz_PBall, r);
        row.ballDiff = WholeDifference(row.ballsWon, CellNumber(platz, Platz_MBall, r));
        rows.push_back(row);
    }
    return rows;
}

HeadToHead ReadHeadToHead(const TMainForm& form, const std::set<int>& groups) {
    std::vector<HeadToHead::Game> games;
    if (groups.empty()) return HeadToHead(std::move(games));
    std::vector<char> wanted(static_cast<size_t>(std::max(*groups.rbegin(), 0)) + 1, 0);
    for (int g : groups)
        if (g >= 0) wanted[static_cast<size_t>(g)] = 1;
    const TSortGrid& plan = form.Spielplan;
    for (int r = 1; r < plan.RowCount(); ++r) {
        const int g = CellInt(plan, Spielplan_GrNr, r);
        if (g < 0 || static_cast<size_t>(g) >= wanted.size() || !wanted[static_cast<size_t>(g)]) continue;
        games.push_back(
            {g, CellInt(plan, Spielplan_T1, r), CellInt(plan, Spielplan_T2, r), CellInt(plan, Spielplan_Sieger, r)});
    }
    return HeadToHead(std::move(games));
}

// Moves the data rows into the new order; order[i] is the row (from 0) that becomes row i + 1.
// Only displaced rows move, each in one step.
void ApplyOrder(TSortGrid& grid, const std::vector<int>& order) {
    std::vector<int> current(order.size());
    for (size_t i = 0; i < current.size(); ++i) current[i] = static_cast<int>(i);
    for (size_t target = 0; target < order.size(); ++target) {
        if (current[target] == order[target]) continue;
        size_t from = target + 1;
        while (current[from] != order[target]) ++from;
        grid.MoveRow(static_cast<int>(from) + 1, static_cast<int>(target) + 1);
        std::rotate(current.begin() + static_cast<std::ptrdiff_t>(target),
                    current.begin() + static_cast<std::ptrdiff_t>(from),
                    current.begin() + static_cast<std::ptrdiff_t>(from) + 1);
    }
}

bool IsSwiss(const TMainForm& form) { return Get(form.Turnier, Turnier_System, 1, true) == "Schweiz"; }

// The one game of a knock-out pair whose winner or loser a placeholder waits for: its pair is
// no tie to settle.
bool AwaitedKnockOutGame(const TMainForm& form, int team) {
    const int group = GroupOfTeam(form, team);
    const TSortGrid& plan = form.Spielplan;
    int games = 0, lastGame = 0;
    for (int r = 1; r < plan.RowCount(); ++r) {
        if (IntGet(plan, Spielplan_GrNr, r, true) != group) continue;
        if (IntGet(plan, Spielplan_T1, r, true) != team && IntGet(plan, Spielplan_T2, r, true) != team) continue;
        ++games;
        lastGame = IntGet(plan, Spielplan_SpNr, r, true);
    }
    if (games != 1 || lastGame <= 0) return false;
    const TSortGrid& teams = form.Teams;
    for (int r = 1; r < teams.RowCount(); ++r)
        if (IntGet(teams, Teams_Pos, r, true) == lastGame && !Get(teams, Teams_SV, r, true).empty()) return true;
    return false;
}

}  // namespace

void updatePlatzierung(TMainForm& form, int g, bool plain) {
    Log("[F] updatePlatzierung(): Platzierung neu berechnen");
    const RankChain chain = ChainOf(form);
    form.KonfliktTeams.Clear();
    TSortGrid& platz = form.Platz;
    if (platz.RowCount() - 1 < 2) return;

    const std::vector<RankRow> rows = ReadStandings(form, !plain && (chain.HasHeadToHead() || g > 0));
    const RankResult result = RankRows(rows, chain, plain, g,
                                       [&form](const std::set<int>& groups) { return ReadHeadToHead(form, groups); });
    ApplyOrder(platz, result.order);
    for (int row : result.tied) addKonfliktTeam(form, rows[static_cast<size_t>(row)].team);
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
