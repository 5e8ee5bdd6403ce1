#include "mainwindow/GameList.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "engine/Gruppenstatus.h"
#include "engine/ResultTexts.h"
#include "engine/TableLookups.h"
#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "mainwindow/PlanColumns.h"
#include "platform/Clock.h"

namespace {

using Placement = GameList::Placement;
using Shown = GameList::Shown;

// Minutes from the start of day 0; wide, so that no stored day number can overflow it.
int64_t StartMinute(const TSortGrid& games, int row) {
    return static_cast<int64_t>(ToInt(games.Cells(Spielplan_Tag, row))) * 1440 +
           TimeToMinutes(games.Cells(Spielplan_Von, row));
}

Placement PlacementOf(const TSortGrid& games, int row) {
    return {!games.Cells(0, row).empty(),
            ToInt(games.Cells(Spielplan_SpNr, row)),
            ToInt(games.Cells(Spielplan_GrNr, row)),
            ToInt(games.Cells(Spielplan_RNr, row)),
            ToInt(games.Cells(Spielplan_Feld, row)),
            StartMinute(games, row)};
}

// A filter names group numbers; without one every group is shown.
bool PassesFilter(const TStrings* filter, int group) { return !filter || filter->IndexOf(IntToStr(group)) >= 0; }

// The games running now, still to come today, or without a result.
bool ShowsByTimeOfDay(const TMainForm& f, int key, int row) {
    const TSortGrid& games = f.Spielplan;
    if (key == 2) return !SpielHatErgebnis(f, row);
    const TDateTime now = Now();
    if (SpielDatum(f, row) != datetime::FormatDate(now)) return false;
    const int minute = now.Hour * 60 + now.Minute;
    const int from = TimeToMinutes(games.Cells(Spielplan_Von, row));
    const int to = TimeToMinutes(games.Cells(Spielplan_Bis, row));
    return key == 0 ? (from <= minute && minute < to) : from > minute;
}

bool Shows(const TMainForm& f, int mode, int key, const TStrings* filter, const Placement& at, int row) {
    if (!at.listed || !PassesFilter(filter, at.group)) return false;
    switch (mode) {
        case 4: return at.group == key;
        case 5: return at.round == key;
        case 7: return ShowsByTimeOfDay(f, key, row);
        default: return true;
    }
}

// Stable: games of equal keys keep the order of their numbers, then of the table.
void SortGames(int mode, int key, const std::vector<Placement>& at, std::vector<int>& rows) {
    auto byKey = [&](auto value) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return value(at[static_cast<size_t>(a)]) < value(at[static_cast<size_t>(b)]);
        });
    };
    byKey([](const Placement& p) { return p.number; });
    if ((mode == 1 && key == 1) || mode == 7) byKey([](const Placement& p) { return p.start; });
    if (mode == 1 && key == 2) byKey([](const Placement& p) { return p.group; });
    if (mode == 1 && key == 3) byKey([](const Placement& p) { return p.field; });
}

// A group number as the game rows name it: the decimal text of an integer as IntToStr writes it.
bool NumberText(const std::string& text, int& number) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) return false;
    const size_t first = text[0] == '-' ? 1 : 0;
    return text[first] != '0' || text.size() == 1;
}

GameList::GroupRow GroupRowOf(const TSortGrid& groups, int row) {
    GameList::GroupRow of;
    of.numbered = NumberText(groups.Cells(Gruppe_Nr, row), of.number);
    of.marked = NimmtErgebnisse(groups.Cells(Gruppe_State, row));
    return of;
}

std::vector<GameList::GroupRow> GroupRowsOf(const TSortGrid& groups) {
    std::vector<GameList::GroupRow> rows(static_cast<size_t>(std::max(1, groups.RowCount())));
    for (int r = 1; r < groups.RowCount(); ++r) rows[static_cast<size_t>(r)] = GroupRowOf(groups, r);
    return rows;
}

// Whether a group takes results, by its number: the state of the first group row of that number.
std::map<int, bool> MarksOf(const std::vector<GameList::GroupRow>& rows) {
    std::map<int, bool> marks;
    for (const GameList::GroupRow& row : rows)
        if (row.numbered) marks.emplace(row.number, row.marked);
    return marks;
}

bool Marked(const std::map<int, bool>& marks, int group) {
    const auto found = marks.find(group);
    return found != marks.end() && found->second;
}

// Item i of a list; the empty text for a number the list does not have (a damaged file can
// hold any number).
const std::string& ItemOrEmpty(const std::vector<std::string>& items, int i) {
    static const std::string kNone;
    return i >= 0 && static_cast<size_t>(i) < items.size() ? items[static_cast<size_t>(i)] : kNone;
}

// What one fill reads once for all its rows.
struct FillContext {
    TMainForm& f;
    const std::map<int, bool>& marks;
    const GameList::Lists& lists;
    std::map<std::string, std::string> dates;  // by day number, for games without a date of their own

    // Display name of a participant number: the name assigned at the start, else the slot's text.
    const std::string& Participant(int number) const {
        if (number < 0 || static_cast<size_t>(number) >= lists.teams.size()) return ItemOrEmpty(lists.teams, -1);
        const std::string& name = ItemOrEmpty(lists.teamsTur, number);
        return name.empty() ? lists.teams[static_cast<size_t>(number)] : name;
    }
    std::string Pairing(int first, int second) const {
        const std::string &a = Participant(first), &b = Participant(second);
        std::string text;
        text.reserve(a.size() + 3 + b.size());
        text.append(a).append(" - ").append(b);
        return text;
    }
    std::string Date(int row) {
        const TSortGrid& g = f.Spielplan;
        if (!g.Cells(Spielplan_Spieltag, row).empty()) return g.Cells(Spielplan_Spieltag, row);
        const std::string& day = g.Cells(Spielplan_Tag, row);
        auto found = dates.find(day);
        if (found == dates.end()) found = dates.emplace(day, SpielDatum(f, row)).first;
        return found->second;
    }
};

std::string TimeRange(const TSortGrid& g, int row) {
    const std::string& from = g.Cells(Spielplan_Von, row);
    const std::string& to = g.Cells(Spielplan_Bis, row);
    return from.empty() && to.empty() ? std::string() : from + " - " + to;
}

// The referee team a game names, -1 for none (a neutral referee or a name of the settings).
int RefereeTeam(const TSortGrid& g, int row) {
    const std::string& code = g.Cells(Spielplan_Schir, row);
    return code.empty() || code[0] == 'N' ? -1 : ToInt(code);
}

Shown FillGameRow(FillContext& c, TStringGrid& plan, int planRow, int row) {
    TSortGrid& g = c.f.Spielplan;
    Shown shown{row, ToInt(g.Cells(Spielplan_GrNr, row)),
                {ToInt(g.Cells(Spielplan_T1, row)), ToInt(g.Cells(Spielplan_T2, row)), RefereeTeam(g, row)},
                false};
    shown.marked = Marked(c.marks, shown.group);
    const std::string mark = shown.marked ? ">>" : "";
    if (g.Cells(Spielplan_Status, row) != mark) Put(g, Spielplan_Status, row, mark, true);
    const std::string cells[] = {
        mark,
        g.Cells(Spielplan_SpNr, row),
        c.Date(row),
        // The game's own field: the field list is ordered by first appearance, not by number.
        g.Cells(Spielplan_Feld, row),
        TimeRange(g, row),
        ItemOrEmpty(c.lists.groupIds, shown.group),
        c.Pairing(shown.teams[0], shown.teams[1]),
        PunkteText(c.f, row, false),
        ErgebnisText(c.f, row, 0, false),
        c.f.getSchiriName(row),
        ItemOrEmpty(c.lists.groupNames, shown.group),
    };
    for (int col = 0; col < 11; ++col) plan.SetCells(col, planRow, cells[col]);
    return shown;
}

GameList::Surroundings SurroundingsOf(const TMainForm& f) {
    return {f.Ein.Changes(), f.Turnier.Cells(Turnier_Datum, 1), {f.Wertung1, f.Wertung2, f.Wertung3}, f.MinusAnzeigen,
            f.TurGestartet};
}

GameList::Lists ListsOf(const TMainForm& f) {
    return {f.XAGruppBez.Items.ToVector(), f.XAGruppName.Items.ToVector(), f.XATeams.Items.ToVector(),
            f.XATeamsTur.Items.ToVector()};
}

GameList::ListChanges ListChangesOf(const TMainForm& f) {
    return {f.XAGruppBez.Items.Changes(), f.XAGruppName.Items.Changes(), f.XATeams.Items.Changes(),
            f.XATeamsTur.Items.Changes()};
}

bool SameItems(const std::vector<std::string>& items, const TStrings& now) {
    if (static_cast<int>(items.size()) != now.Count()) return false;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] != now[static_cast<int>(i)]) return false;
    return true;
}

// Which participant numbers read another name now; empty when none does. The lists are as long
// as they were.
std::vector<char> ChangedNames(const GameList::Lists& was, const TMainForm& f) {
    std::vector<char> changed;
    for (size_t i = 0; i < was.teams.size(); ++i) {
        const int n = static_cast<int>(i);
        if (was.teams[i] == f.XATeams.Items[n] && was.teamsTur[i] == f.XATeamsTur.Items[n]) continue;
        if (changed.empty()) changed.resize(was.teams.size());
        changed[i] = 1;
    }
    return changed;
}

}  // namespace

void GameList::Fill(TMainForm& f, TStringGrid& plan, int mode, int key, const TStrings* filter,
                    const GameList* twin) {
    const bool kept = !filter && mode != 7;
    if (kept && valid_ && mode == mode_ && key == key_ && Refresh(f, plan)) {
        KeepWidths(plan);
    } else if (kept && twin && twin != this && twin->ShowsNow(f, mode, key)) {
        CopyTwin(*twin, plan);
    } else {
        FillWhole(f, plan, mode, key, filter);
        LayOut(f, plan, kGameColumns);
        widths_.clear();
        for (int c = 0; c < plan.ColCount(); ++c) widths_.push_back(plan.ColWidths(c));
    }
    Remember(f, plan);
    valid_ = kept;
}

void GameList::FillWhole(TMainForm& f, TStringGrid& plan, int mode, int key, const TStrings* filter) {
    const TSortGrid& games = f.Spielplan;
    placements_.assign(static_cast<size_t>(std::max(1, games.RowCount())), Placement{});
    std::vector<int> rows;
    for (int r = 1; r < games.RowCount(); ++r) {
        placements_[static_cast<size_t>(r)] = PlacementOf(games, r);
        if (Shows(f, mode, key, filter, placements_[static_cast<size_t>(r)], r)) rows.push_back(r);
    }
    SortGames(mode, key, placements_, rows);
    ClearPlan(plan, kGameColumns, static_cast<int>(rows.size()));
    surroundings_ = SurroundingsOf(f);
    lists_ = ListsOf(f);
    groupRows_ = GroupRowsOf(f.Gruppe);
    marks_ = MarksOf(groupRows_);
    FillContext context{f, marks_, lists_, {}};
    shown_.clear();
    planRowOf_.assign(placements_.size(), -1);
    for (size_t i = 0; i < rows.size(); ++i) {
        shown_.push_back(FillGameRow(context, plan, static_cast<int>(i) + 1, rows[i]));
        planRowOf_[static_cast<size_t>(rows[i])] = static_cast<int>(i);
    }
    mode_ = mode;
    key_ = key;
}

// Rebuilds the rows that need it; false when the whole list must be built again.
bool GameList::Refresh(TMainForm& f, TStringGrid& plan) {
    if (!StillFits(f, plan)) return false;
    const TSortGrid& games = f.Spielplan;
    std::vector<char> stale(shown_.size());
    for (int r = 1; r < games.RowCount(); ++r) {
        if (games.RowChanges(r) <= gameChanges_) continue;
        if (!(PlacementOf(games, r) == placements_[static_cast<size_t>(r)])) return false;
        if (const int i = planRowOf_[static_cast<size_t>(r)]; i >= 0) stale[static_cast<size_t>(i)] = 1;
    }
    if (f.Gruppe.Changes() != groupChanges_) FindRowsOfChangedGroups(f, stale);
    FindRowsOfChangedNames(f, stale);
    FillContext context{f, marks_, lists_, {}};
    for (size_t i = 0; i < shown_.size(); ++i)
        if (stale[i]) shown_[i] = FillGameRow(context, plan, static_cast<int>(i) + 1, shown_[i].row);
    return true;
}

bool GameList::StillFits(const TMainForm& f, const TStringGrid& plan) const {
    const ListChanges lists = ListChangesOf(f);
    return plan.Changes() == planChanges_ && f.Spielplan.RowCount() == gameRows_ &&
           SurroundingsOf(f) == surroundings_ &&
           (lists.groupIds == listChanges_.groupIds || SameItems(lists_.groupIds, f.XAGruppBez.Items)) &&
           (lists.groupNames == listChanges_.groupNames || SameItems(lists_.groupNames, f.XAGruppName.Items)) &&
           f.XATeams.Items.Count() == static_cast<int>(lists_.teams.size()) &&
           f.XATeamsTur.Items.Count() == static_cast<int>(lists_.teamsTur.size());
}

// Only a group row whose number or mark changed can change a row's mark.
void GameList::FindRowsOfChangedGroups(const TMainForm& f, std::vector<char>& stale) {
    const TSortGrid& groups = f.Gruppe;
    bool changed = groups.RowCount() != static_cast<int>(groupRows_.size());
    if (changed) {
        groupRows_ = GroupRowsOf(groups);
    } else {
        for (int r = 1; r < groups.RowCount(); ++r) {
            if (groups.RowChanges(r) <= groupChanges_) continue;
            const GroupRow now = GroupRowOf(groups, r);
            if (now == groupRows_[static_cast<size_t>(r)]) continue;
            groupRows_[static_cast<size_t>(r)] = now;
            changed = true;
        }
    }
    if (!changed) return;
    marks_ = MarksOf(groupRows_);
    for (size_t i = 0; i < shown_.size(); ++i)
        if (Marked(marks_, shown_[i].group) != shown_[i].marked) stale[i] = 1;
}

void GameList::FindRowsOfChangedNames(const TMainForm& f, std::vector<char>& stale) {
    if (f.XATeams.Items.Changes() == listChanges_.teams && f.XATeamsTur.Items.Changes() == listChanges_.teamsTur) return;
    const std::vector<char> changed = ChangedNames(lists_, f);
    if (changed.empty()) return;
    lists_.teams = f.XATeams.Items.ToVector();
    lists_.teamsTur = f.XATeamsTur.Items.ToVector();
    for (size_t i = 0; i < shown_.size(); ++i)
        for (int team : shown_[i].teams)
            if (team >= 0 && static_cast<size_t>(team) < changed.size() && changed[static_cast<size_t>(team)]) stale[i] = 1;
}

// The settings are as they were, and so are the widths they give; a width set on the plan from
// elsewhere goes back to them, as a whole fill would set it.
void GameList::KeepWidths(TStringGrid& plan) const {
    for (size_t c = 0; c < widths_.size(); ++c)
        if (plan.ColWidths(static_cast<int>(c)) != widths_[c]) plan.SetColWidths(static_cast<int>(c), widths_[c]);
}

bool GameList::ShowsNow(const TMainForm& f, int mode, int key) const {
    return valid_ && mode == mode_ && key == key_ && plan_ && plan_->Changes() == planChanges_ &&
           f.Spielplan.Changes() == gameChanges_ && f.Gruppe.Changes() == groupChanges_ &&
           f.Spielplan.RowCount() == gameRows_ && SurroundingsOf(f) == surroundings_ &&
           ListChangesOf(f) == listChanges_;
}

// The twin's rows are those a whole fill gives now, and their games carry their marks already.
void GameList::CopyTwin(const GameList& twin, TStringGrid& plan) {
    const TStringGrid& from = *twin.plan_;
    plan.SetColCount(from.ColCount());
    plan.SetRowCount(from.RowCount());
    for (int r = 0; r < from.RowCount(); ++r)
        for (int c = 0; c < from.ColCount(); ++c) plan.SetCells(c, r, from.Cells(c, r));
    *this = twin;
    KeepWidths(plan);
}

void GameList::Remember(const TMainForm& f, const TStringGrid& plan) {
    plan_ = &plan;
    planChanges_ = plan.Changes();
    gameChanges_ = f.Spielplan.Changes();
    groupChanges_ = f.Gruppe.Changes();
    gameRows_ = f.Spielplan.RowCount();
    listChanges_ = ListChangesOf(f);
}
