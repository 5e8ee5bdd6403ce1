#include "engine/Platzierung.h"

#include <algorithm>
#include <array>
#include <cstdint>
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

using SettingsRead = TMainForm::StandingsStamp::SettingsRead;

// The settings the ranking reads.
SettingsRead ReadRankingSettings(const TMainForm& form) {
    SettingsRead read;
    const std::string wertung = GetSetting(form, "AWertung", "0");
    const std::string direkt = GetSetting(form, "WertungDirektVergleich", "false");
    const std::string direktNeu = GetSetting(form, "WertungDirektVergleichNeu", "false");
    read.text = wertung + "|" + direkt + "|" + direktNeu;
    read.football = wertung == "7";
    read.headToHead = direkt == "true";
    read.headToHeadFirst = direktNeu == "true";
    read.at = form.Ein.Changes();
    read.tournament = form.AktTurNr;
    return read;
}

// The same, kept with the stamp: they come from the settings table alone (and from which
// tournament is open), so they are read anew only when its count of changes or the tournament
// differs from the last read, as every result builds a ranking.
const SettingsRead& RankingSettings(TMainForm& form) {
    SettingsRead& read = form.RankedStandings.settingsRead;
    if (read.at != form.Ein.Changes() || read.tournament != form.AktTurNr) read = ReadRankingSettings(form);
    return read;
}

// The chains are few and never change: each is built once.
const std::array<RankChain, 6>& Chains() {
    static const std::array<RankChain, 6> chains{GeneralChain(false),        GeneralChain(true),
                                                 FootballChain(false, false), FootballChain(true, false),
                                                 FootballChain(false, true),  FootballChain(true, true)};
    return chains;
}

size_t ChainNumber(const SettingsRead& settings) {
    const size_t headToHead = settings.headToHead ? 1 : 0;
    return settings.football ? 2 + headToHead + (settings.headToHeadFirst ? 2 : 0) : headToHead;
}

const RankChain& ChainOf(const SettingsRead& settings) { return Chains()[ChainNumber(settings)]; }

int GroupOfTeam(const TMainForm& form, int team) {
    return team >= 1 && team < form.Teams.RowCount() ? CellInt(form.Teams, Teams_InGr, team) : 0;
}

// What a step reads of table row r, into the row's fields; a difference reads the value won
// along with it. Inlined: a whole row is read step by step, row after row.
[[gnu::always_inline]] inline void ReadStep(const TSortGrid& platz, int r, RankStep step, RankRow& row) {
    switch (step) {
        case RankStep::PointsWon: row.pointsWon = CellNumber(platz, Platz_PPkt, r); break;
        case RankStep::PointsLost: row.pointsLost = CellNumber(platz, Platz_MPkt, r); break;
        case RankStep::SetsWon: row.setsWon = CellNumber(platz, Platz_PSatz, r); break;
        case RankStep::SetDiff:
            row.setsWon = CellNumber(platz, Platz_PSatz, r);
            row.setDiff = WholeDifference(row.setsWon, CellNumber(platz, Platz_MSatz, r));
            break;
        case RankStep::BallsWon: row.ballsWon = CellNumber(platz, Platz_PBall, r); break;
        case RankStep::BallDiff:
            row.ballsWon = CellNumber(platz, Platz_PBall, r);
            row.ballDiff = WholeDifference(row.ballsWon, CellNumber(platz, Platz_MBall, r));
            break;
        case RankStep::HeadToHead: break;
    }
}

// One table row; its group counts only where head-to-head may decide or ties are collected.
RankRow ReadRow(const TMainForm& form, int r, bool withGroup) {
    const TSortGrid& platz = form.Platz;
    RankRow row;
    row.team = CellInt(platz, Platz_TeamNr, r);
    row.group = withGroup ? GroupOfTeam(form, row.team) : 0;
    row.takesPart = !platz.Cells(Platz_Team, r).empty();
    ReadStep(platz, r, RankStep::PointsWon, row);
    ReadStep(platz, r, RankStep::PointsLost, row);
    ReadStep(platz, r, RankStep::SetDiff, row);
    ReadStep(platz, r, RankStep::BallDiff, row);
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

// What a ranking compares of a row, by step (head-to-head, the last, aside).
using StepValues = std::array<double, 6>;
static_assert(static_cast<size_t>(RankStep::HeadToHead) == std::tuple_size_v<StepValues>);

StepValues ValuesOf(const RankRow& row) {
    StepValues values{};
    for (size_t step = 0; step < values.size(); ++step) values[step] = StepValue(row, static_cast<RankStep>(step));
    return values;
}

// The order a ranking gives these rows of Platz (read into `read`), ties of g going to
// KonfliktTeams; nothing is moved.
RankResult RankedOrder(TMainForm& form, const std::vector<int>& tableRows, const RankChain& chain, int g, bool plain,
                       std::vector<RankRow>& read) {
    read = ReadStandings(form, tableRows, !plain && (chain.HasHeadToHead() || g > 0));
    RankResult result = RankRows(read, chain, plain, g,
                                 [&form](const HeadToHeadWanted& wanted) { return ReadHeadToHead(form, wanted); });
    if (!result.tied.empty() && !IsSwiss(form))
        for (int row : result.tied) addKonfliktTeam(form, read[static_cast<size_t>(row)].team);
    return result;
}

// updatePlatzierung over these rows of Platz, in their own places; with `values`, what it
// compares of them in their new order.
void RankAmong(TMainForm& form, const std::vector<int>& tableRows, const RankChain& chain, int g, bool plain,
               std::vector<StepValues>* values = nullptr) {
    std::vector<RankRow> rows;
    const RankResult result = RankedOrder(form, tableRows, chain, g, plain, rows);
    form.Platz.ReorderRows(tableRows, result.order);
    if (values == nullptr) return;
    values->clear();
    for (int i : result.order) values->push_back(ValuesOf(rows[static_cast<size_t>(i)]));
}

// Whether group g's order was settled when it finished (see StandingsRanking).
bool OrderSettled(const TMainForm& form, int g) {
    if (g < 1 || g >= form.Gruppe.RowCount()) return false;
    const std::string& state = form.Gruppe.Cells(Gruppe_State, g);
    return state == "Done" || state == "Closed";
}

// The values of a group's rows in table order as the stamp keeps them, read where it has none.
// They hold while the stamp does: the group's rows move only with them, and a result reports the
// rows whose totals it changed.
std::vector<StepValues>& KeptValues(TMainForm::StandingsStamp& stamp, int group) {
    if (stamp.valuesOfGroup.size() != stamp.rowsOfGroup.size()) stamp.valuesOfGroup.assign(stamp.rowsOfGroup.size(), {});
    return stamp.valuesOfGroup[static_cast<size_t>(group)];
}

std::vector<StepValues>& ValuesOfGroup(TMainForm& form, int group, const std::vector<int>& rows) {
    std::vector<StepValues>& values = KeptValues(form.RankedStandings, group);
    if (values.size() != rows.size()) {
        values.clear();
        for (int r : rows) values.push_back(ValuesOf(ReadRow(form, r, false)));
    }
    return values;
}

// The steps that decide where head-to-head plays no part: those before it, of each chain.
const std::vector<RankStep>& TotalsStepsOf(const SettingsRead& settings) {
    static const std::array<std::vector<RankStep>, 6> totals = [] {
        std::array<std::vector<RankStep>, 6> steps;
        for (size_t i = 0; i < steps.size(); ++i) {
            const std::vector<RankStep>& chain = Chains()[i].steps;
            steps[i].assign(chain.begin(), std::find(chain.begin(), chain.end(), RankStep::HeadToHead));
        }
        return steps;
    }();
    return totals[ChainNumber(settings)];
}

// > 0: a ranks above b on these steps, < 0: below, 0: level.
int CompareOn(const std::vector<RankStep>& steps, const RankRow& a, const RankRow& b) {
    for (RankStep step : steps) {
        const double va = StepValue(a, step), vb = StepValue(b, step);
        if (va != vb) return va > vb ? 1 : -1;
    }
    return 0;
}

// The rows of a group but the changed ones, in table order: where in `rows` each stands.
class Others {
public:
    Others(const std::vector<int>& rows, const std::vector<size_t>& changedAt) : rows_(rows), changedAt_(changedAt) {}
    size_t Count() const { return rows_.size() - changedAt_.size(); }
    // The place in `rows` of the k-th other row.
    size_t At(size_t k) const {
        for (size_t changed : changedAt_)
            if (changed <= k) ++k;
        return k;
    }
    int Row(size_t k) const { return rows_[At(k)]; }
    // How many other rows stand above the changed row at this place.
    size_t Above(size_t place) const {
        return place - static_cast<size_t>(std::count_if(changedAt_.begin(), changedAt_.end(), [place](size_t c) { return c < place; }));
    }
    // Calls each(place) for the places of the other rows from place `first` up to `end`, in order.
    template <typename Each>
    void ForEachPlace(size_t first, size_t end, Each each) const {
        auto changed = std::lower_bound(changedAt_.begin(), changedAt_.end(), first);
        for (size_t place = first; place < end; ++place) {
            if (changed != changedAt_.end() && *changed == place) {
                ++changed;
                continue;
            }
            each(place);
        }
    }
    // Whether the other rows first .. end - 1 all take part (have a name).
    bool TakePart(const TSortGrid& platz, size_t first, size_t end) const {
        bool named = true;
        if (first < end)
            ForEachPlace(At(first), At(end - 1) + 1, [&](size_t place) { named = named && !platz.Cells(Platz_Team, rows_[place]).empty(); });
        return named;
    }

private:
    const std::vector<int>& rows_;
    const std::vector<size_t>& changedAt_;  // ascending
};

// Where a changed row goes among the other rows of its group, which are in ranked order: below
// every row that ranks above it, and below those level with it that stood above it. `gap` is the
// number of other rows above it then; the rows it passes and the one it stops at are `met`.
struct Landing {
    size_t gap = 0;
    size_t metFirst = 0, metEnd = 0;  // others [metFirst, metEnd)
};

// The first place in [low, high) where a row no longer stays above the changed row (high when
// none): halving, as the rows from low to high are in ranked order.
template <typename StaysAbove>
size_t FirstBelow(size_t low, size_t high, StaysAbove staysAbove) {
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (staysAbove(middle)) low = middle + 1;
        else high = middle;
    }
    return low;
}

// A changed row at `at` first looks at the row right above it: when it ranks above that one it
// rises, else it looks below and falls past the rows that rank above it. `values` are those of
// the group's rows.
Landing LandingOf(const std::vector<StepValues>& values, const Others& others, size_t at, const StepValues& moving,
                  const std::vector<RankStep>& steps) {
    const size_t above = others.Above(at), count = others.Count();
    auto compare = [&](size_t k) {
        const StepValues& other = values[others.At(k)];
        for (RankStep step : steps) {
            const double a = other[static_cast<size_t>(step)], b = moving[static_cast<size_t>(step)];
            if (a != b) return a > b ? 1 : -1;
        }
        return 0;
    };
    Landing landing;
    if (above > 0 && compare(above - 1) < 0) {
        landing.gap = FirstBelow(0, above - 1, [&](size_t k) { return compare(k) >= 0; });
        landing.metFirst = landing.gap > 0 ? landing.gap - 1 : 0;
        landing.metEnd = above;
        return landing;
    }
    landing.gap = above < count && compare(above) > 0 ? FirstBelow(above + 1, count, [&](size_t k) { return compare(k) > 0; })
                                                      : above;
    landing.metFirst = above > 0 ? above - 1 : 0;
    landing.metEnd = std::min(landing.gap + 1, count);
    return landing;
}

// Whether every row of the group has a name: read anew only when the names changed since the
// group was last seen so, as a row passed without one leaves the order to the whole group.
bool AllNamed(TMainForm& form, int group, const std::vector<int>& rows) {
    TMainForm::StandingsStamp& stamp = form.RankedStandings;
    const std::uint64_t names = form.Platz.ColumnContentChanges(Platz_Team);
    std::vector<std::uint64_t>& namedAt = stamp.namedAt;
    if (namedAt.size() != stamp.rowsOfGroup.size()) namedAt.assign(stamp.rowsOfGroup.size(), ~names);
    std::uint64_t& seen = namedAt[static_cast<size_t>(group)];
    if (seen == names) return true;
    for (int r : rows)
        if (form.Platz.Cells(Platz_Team, r).empty()) return false;
    seen = names;
    return true;
}

// A group's rows (table order) were in ranked order before the totals of the changed rows
// changed, and the ranking sorts by the totals, level rows keeping their order. Then the other
// rows keep their order, and each changed row moves as a block to the place the ranking gives it
// among them, found by halving; only the rows between the places it leaves and takes move, each
// by one. False, and nothing moved, when a changed row or a row it passes or stops at takes no
// part: there the ranking of the whole group decides.
bool MoveChangedRows(TMainForm& form, int group, const std::vector<int>& changed, const std::vector<RankStep>& steps) {
    const std::vector<int>& rows = form.RankedStandings.rowsOfGroup[static_cast<size_t>(group)];
    const bool allNamed = AllNamed(form, group, rows);
    std::vector<size_t> at;
    for (int row : changed) {
        const auto found = std::lower_bound(rows.begin(), rows.end(), row);
        if (found == rows.end() || *found != row) return false;
        at.push_back(static_cast<size_t>(found - rows.begin()));
    }
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    const Others others(rows, at);
    struct Moving {
        size_t at;
        RankRow row;
        Landing landing;
    };
    std::vector<StepValues>& values = ValuesOfGroup(form, group, rows);
    std::vector<Moving> moving;
    for (size_t place : at) {
        const RankRow row = ReadRow(form, rows[place], false);
        if (!row.takesPart) return false;
        values[place] = ValuesOf(row);
        const Landing landing = LandingOf(values, others, place, values[place], steps);
        if (!allNamed && !others.TakePart(form.Platz, landing.metFirst, landing.metEnd)) return false;
        moving.push_back({place, row, landing});
    }
    // Changed rows landing together keep the order of the ranking: by the totals, else as they stood.
    std::stable_sort(moving.begin(), moving.end(), [&steps](const Moving& a, const Moving& b) {
        return a.landing.gap != b.landing.gap ? a.landing.gap < b.landing.gap : CompareOn(steps, a.row, b.row) > 0;
    });
    // Each changed row in turn, in that order, leaves its place and goes right above the other
    // row its gap is above (to the end when none): the rows it passes keep their order, and the
    // changed rows placed before it stay above it.
    std::vector<size_t> now, standing;
    for (const Moving& m : moving) now.push_back(m.at);
    for (size_t j = 0; j < moving.size(); ++j) {
        standing.assign(now.begin(), now.end());
        std::sort(standing.begin(), standing.end());
        const size_t gap = moving[j].landing.gap;
        const size_t below = gap < others.Count() ? Others(rows, standing).At(gap) : rows.size();
        const size_t from = now[j], to = from < below ? below - 1 : below;
        form.Platz.MoveRowAmong(rows, from, to);
        const auto place = [&values](size_t i) { return values.begin() + static_cast<std::ptrdiff_t>(i); };
        if (from < to) std::rotate(place(from), place(from + 1), place(to + 1));
        else std::rotate(place(to), place(from), place(from + 1));
        for (size_t& place : now) {
            if (from < to && place > from && place <= to) --place;
            else if (to < from && place >= to && place < from) ++place;
        }
        now[j] = to;
    }
    return true;
}

// The trace line and the emptied KonfliktTeams of every ranking; false when Platz has fewer
// than two data rows and there is nothing to rank.
bool StartRanking(TMainForm& form) {
    static const std::string trace = "[F] updatePlatzierung(): Platzierung neu berechnen";
    Log(trace);
    form.KonfliktTeams.Clear();
    return form.Platz.RowCount() - 1 >= 2;
}

// Whether the tables are as the stamp has them, the games' table aside, with these settings.
bool StampFitsBesideGames(const TMainForm& form, const std::string& settings) {
    const TMainForm::StandingsStamp& stamp = form.RankedStandings;
    return stamp.valid && stamp.platz == form.Platz.Changes() && stamp.teams == form.Teams.Changes() &&
           stamp.settings == settings;
}

bool StampFitsBesideGames(TMainForm& form) { return StampFitsBesideGames(form, RankingSettings(form).text); }

bool StampFits(const TMainForm& form, const std::string& settings) {
    return StampFitsBesideGames(form, settings) && form.RankedStandings.spielplan == form.Spielplan.Changes();
}

}  // namespace

void updatePlatzierung(TMainForm& form, int g, bool plain) {
    if (StartRanking(form)) RankAmong(form, AllRows(form.Platz), ChainOf(RankingSettings(form)), g, plain);
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

StandingsRanking::StandingsRanking(TMainForm& form) : form_(form) {
    ReadSettings();
    byGroup_ = clean_ = StampFits(form, settings_);
}

void StandingsRanking::ReadSettings() {
    const SettingsRead& read = RankingSettings(form_);
    if (read.at == settingsRead_ && read.tournament == tournament_) return;
    settings_ = read.text;
    chain_ = &ChainOf(read);
    totalsSteps_ = &TotalsStepsOf(read);
    settingsRead_ = read.at;
    tournament_ = read.tournament;
}

void StandingsRanking::Rank(int g, bool plain, const std::set<int>& changed) { Rank(g, plain, changed, {}); }

void StandingsRanking::Rank(int g, bool plain, const std::set<int>& changed,
                            const std::map<int, std::vector<int>>& valuesChanged) {
    ranked_ = true;
    if (!StartRanking(form_)) return;
    ReadSettings();
    const RankChain& chain = *chain_;
    TMainForm::StandingsStamp& stamp = form_.RankedStandings;
    if (!byGroup_) {
        RankAmong(form_, RowsRanked(), chain, g, plain);
        std::optional<std::vector<std::vector<int>>> rows = RowsByGroup(form_);
        clean_ = rows.has_value();
        stamp.rowsOfGroup = clean_ ? std::move(*rows) : std::vector<std::vector<int>>{};
        stamp.namedAt.clear();
        stamp.valuesOfGroup.clear();
        return;
    }
    // Each group among its own rows: they keep their places, so the rows of each stay known.
    std::set<int> groups = changed;
    if (g > 0) groups.insert(g);
    // Ties are collected from the whole of g (a Swiss tournament has none); head-to-head orders
    // whole runs of level rows.
    const bool sortByTotals = !(chain.HasHeadToHead() && !plain);
    const bool collectsTies = !plain && !IsSwiss(form_);
    for (int group : groups) {
        if (group < 0 || static_cast<size_t>(group) >= stamp.rowsOfGroup.size() || Keeps(group)) continue;
        const std::vector<int>& rows = stamp.rowsOfGroup[static_cast<size_t>(group)];
        const auto only = valuesChanged.find(group);
        if (sortByTotals && (!collectsTies || group != g) && only != valuesChanged.end() &&
            MoveChangedRows(form_, group, only->second, *totalsSteps_))
            continue;
        RankAmong(form_, rows, chain, g, plain, &KeptValues(stamp, group));
    }
}

void StandingsRanking::Settle(int g) {
    ranked_ = true;
    if (!StartRanking(form_)) return;
    ReadSettings();
    TMainForm::StandingsStamp& stamp = form_.RankedStandings;
    if (byGroup_ && g >= 0 && static_cast<size_t>(g) < stamp.rowsOfGroup.size()) {
        RankAmong(form_, stamp.rowsOfGroup[static_cast<size_t>(g)], *chain_, 0, true, &KeptValues(stamp, g));
        return;
    }
    // Copied: the lookup's rows hold only until the next lookup in the table.
    const std::vector<int> rows = RowsWithNumber(form_.Platz, Platz_GrNr, g);
    RankAmong(form_, rows, *chain_, 0, true);
}

void StandingsRanking::RankAnew(const std::set<int>& groups) { anew_.insert(groups.begin(), groups.end()); }

bool StandingsRanking::Keeps(int group) const { return OrderSettled(form_, group) && !anew_.count(group); }

std::vector<int> StandingsRanking::RowsRanked() const {
    const TSortGrid& platz = form_.Platz;
    std::vector<char> kept(static_cast<size_t>(std::max(form_.Gruppe.RowCount(), 0)), 0);
    for (size_t g = 1; g < kept.size(); ++g) kept[g] = Keeps(static_cast<int>(g));
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(platz.RowCount()));
    for (int r = 1; r < platz.RowCount(); ++r) {
        const int group = CellInt(platz, Platz_GrNr, r);
        if (group < 1 || static_cast<size_t>(group) >= kept.size() || !kept[static_cast<size_t>(group)]) rows.push_back(r);
    }
    return rows;
}

void StandingsRanking::Finish() {
    if (!ranked_) return;
    TMainForm::StandingsStamp& stamp = form_.RankedStandings;
    stamp.valid = clean_;
    stamp.platz = form_.Platz.Changes();
    stamp.teams = form_.Teams.Changes();
    stamp.spielplan = form_.Spielplan.Changes();
    ReadSettings();
    stamp.settings = settings_;
}

ResultBeingWritten::ResultBeingWritten(TMainForm& form) : form_(form), ranked_(StampFits(form, RankingSettings(form).text)) {}

ResultBeingWritten::~ResultBeingWritten() {
    if (ranked_ && StampFitsBesideGames(form_)) form_.RankedStandings.spielplan = form_.Spielplan.Changes();
}

void CollectTies(TMainForm& form, int g) {
    form.KonfliktTeams.Clear();
    const std::vector<int> rows = RowsWithNumber(form.Platz, Platz_GrNr, g);
    std::vector<RankRow> read;
    RankedOrder(form, rows, ChainOf(RankingSettings(form)), g, false, read);
}

std::vector<int> RankedByValues(const TMainForm& form, const std::vector<int>& tableRows) {
    const std::vector<int> order = RankByValues(ReadStandings(form, tableRows, false), ChainOf(ReadRankingSettings(form)));
    std::vector<int> ranked;
    for (int i : order) ranked.push_back(tableRows[static_cast<size_t>(i)]);
    return ranked;
}
