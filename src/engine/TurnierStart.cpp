#include "engine/TurnierStart.h"

#include <exception>
#include <map>
#include <set>

#include "engine/NameLists.h"
#include "engine/SchiriNamen.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"

namespace {

int GroupRow(const TMainForm& f, int g) { return g < 1 ? 0 : FindRow(f.Gruppe, Gruppe_Nr, IntToStr(g)); }

std::string GroupState(const TMainForm& f, int g) {
    const int row = GroupRow(f, g);
    return row > 0 ? Get(f.Gruppe, Gruppe_State, row, true) : "";
}

const char* LockMark(const TMainForm& f, int group) { return LocksSlots(GroupState(f, group)) ? kGesperrt : ""; }

// Whether the slots of each group number are locked, each group's state read once: every result
// passes here, and a lookup for each slot would cost more than the result itself. A number belongs
// to its first row, as GroupRow finds it.
std::map<int, bool> LockedGroups(const TMainForm& f) {
    std::map<int, bool> locked;
    for (int row = 1; row < f.Gruppe.RowCount(); ++row)
        locked.try_emplace(IntGet(f.Gruppe, Gruppe_Nr, row, false), LocksSlots(Get(f.Gruppe, Gruppe_State, row, false)));
    return locked;
}

void WriteSlotRow(TMainForm& f, int gridRow, int teamRow) {
    const TSortGrid& teams = f.Teams;
    const int group = IntGet(teams, Teams_InGr, teamRow, true);
    const std::string cells[Platzgrid_Spalten] = {
        Get(f.Gruppe, Gruppe_Bez, GroupRow(f, group), false), Get(teams, Teams_Name, teamRow, true),
        Get(teams, Teams_Name_Tur, teamRow, true),           LockMark(f, group),
        Get(teams, Teams_InGr, teamRow, true),               Get(teams, Teams_Nr, teamRow, true),
        Get(teams, Teams_TMP, teamRow, true)};
    for (int c = 0; c < Platzgrid_Spalten; ++c) f.Xplatzgrid.SetCells(c, gridRow, cells[c]);
}

// A direct team slot: not a winner, loser, place or best-of placeholder, and in a group.
bool IsDirectSlot(const TSortGrid& teams, int row) {
    return Get(teams, Teams_GrNr, row, true).empty() && Get(teams, Teams_SV, row, true).empty() &&
           IntGet(teams, Teams_InGr, row, true) > 0;
}

void BlankRow(TStringGrid& grid, int row, int columns) {
    for (int c = 0; c < columns; ++c) grid.SetCells(c, row, "");
}

// Group numbers of the groups where some game has been decided.
std::set<int> GroupsWithDecidedGames(const TMainForm& f) {
    std::set<int> groups;
    const TSortGrid& plan = f.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row)
        if (!Get(plan, Spielplan_Sieger, row, true).empty()) groups.insert(IntGet(plan, Spielplan_GrNr, row, true));
    return groups;
}

bool HasUnassignedSlot(const TMainForm& f) {
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row)
        if (f.Xplatzgrid.Cells(Platzgrid_Mannschaft, row).empty()) return true;
    return false;
}

void SetPlanColumns(TMainForm& f) {
    f.XPlan1.SetColCount(11);
    f.XPlan2.SetColCount(11);
}

// Not every slot has a name: the tournament has not started. A group that already has a
// decided game keeps its state, so that taking back a name after play began loses no results.
void WithdrawStart(TMainForm& f) {
    const std::set<int> played = GroupsWithDecidedGames(f);
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row) {
        const int group = ToInt(f.Xplatzgrid.Cells(Platzgrid_GrNr, row));
        if (group < 1 || played.count(group)) continue;
        if (const int groupRow = GroupRow(f, group); groupRow > 0) Put(f.Gruppe, Gruppe_State, groupRow, "", true);
    }
    SetSetting(f, "Spalte Ergebnis", "Off");
    SetSetting(f, "Spalte Punkte", "Off");
    SetSetting(f, "Spielstart", "false");
    SetPlanColumns(f);
}

// The Teams row of a grid row: the slot's own row, or, when the grid is older than the table,
// the first row with the slot's placeholder text. Two slots of the same text (a team placed
// directly into two groups) each keep their own row.
int SlotTeamsRow(const TMainForm& f, int gridRow) {
    const std::string& placeholder = f.Xplatzgrid.Cells(Platzgrid_Platzhalter, gridRow);
    if (placeholder.empty()) return 0;
    const std::string& number = f.Xplatzgrid.Cells(Platzgrid_TeamNr, gridRow);
    const int own = number.empty() ? 0 : FindRow(f.Teams, Teams_Nr, number);
    if (own > 0 && Get(f.Teams, Teams_Name, own, true) == placeholder) return own;
    return FindRow(f.Teams, Teams_Name, placeholder);
}

// The names of the slots go into their Teams rows, every slot named or not: the grid is rebuilt
// from those rows after switching, loading and round changes, so a partial assignment survives
// them. Once every slot has a name they also go into the standings rows and the lookup list of
// assigned names, which a take-back empties until then.
void ApplyAssignments(TMainForm& f, bool complete) {
    TSortGrid& teams = f.Teams;
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row) {
        const int j = SlotTeamsRow(f, row);
        if (j < 1) continue;
        const std::string& name = f.Xplatzgrid.Cells(Platzgrid_Mannschaft, row);
        Put(teams, Teams_Name_Tur, j, name, true);
        Put(teams, Teams_TMP, j, f.Xplatzgrid.Cells(Platzgrid_Spieler, row), true);
        if (!complete) continue;
        if (const int platzRow = FindRow(f.Platz, Platz_TeamNr, Get(teams, Teams_Nr, j, true)); platzRow > 0)
            Put(f.Platz, Platz_Team, platzRow, name, true);
        if (j < f.XATeamsTur.Items.Count()) ListPut(f.XATeamsTur, j, name);
    }
}

void OpenFirstRound(TMainForm& f) {
    TSortGrid& gruppe = f.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row)
        if (IntGet(gruppe, Gruppe_RNr, row, true) == 1 && Get(gruppe, Gruppe_State, row, true).empty())
            Put(gruppe, Gruppe_State, row, "None", true);
}

// A scoring name of the tournament: its setting, else the name the tournament was made or
// loaded with (the wizard's names reach the window and the tournament row, not the settings).
bool HasScoringName(const TMainForm& f, int k) {
    const std::string* const names[] = {&f.Wertung1, &f.Wertung2, &f.Wertung3};
    return !GetSetting(f, "Wertung" + IntToStr(k), "").empty() || !names[k - 1]->empty();
}

// The first complete assignment shows the result and points columns the scoring needs.
void StartTournament(TMainForm& f) {
    if (!f.PageControl1.Visible) f.TurGestartet = 1;
    if (GetSetting(f, "Spielstart", "false") != "false") return;
    if (HasScoringName(f, 2)) SetSetting(f, "Spalte Ergebnis", "On");
    if (HasScoringName(f, 1) || HasScoringName(f, 2) || HasScoringName(f, 3)) SetSetting(f, "Spalte Punkte", "On");
    SetPlanColumns(f);
    SetSetting(f, "Spielstart", "true");
}

}  // namespace

void setupEndPlatzierung(TMainForm& f) {
    Log("[F] setupEndPlatzierung(): EndPlatzierung anlegen");
    const TSortGrid& teams = f.Teams;
    int slots = 0, places = 0;
    for (int row = 1; row < teams.RowCount(); ++row) {
        if (Get(teams, Teams_Nr, row, true).empty()) continue;
        if (!Get(teams, Teams_Platz, row, true).empty()) {
            ++places;
            f.TPlatz.SetCells(0, places, IntToStr(places));
            f.TPlatz.SetCells(1, places, Get(teams, Teams_Name, row, true));
        } else if (IsDirectSlot(teams, row)) {
            WriteSlotRow(f, ++slots, row);
        }
    }
    if (slots == 0) BlankRow(f.Xplatzgrid, 1, Platzgrid_Spalten);
    f.Xplatzgrid.SetRowCount(slots + 1 < 2 ? 2 : slots + 1);
    if (places == 0) BlankRow(f.TPlatz, 1, 4);
    f.TPlatz.SetRowCount(places + 1 < 2 ? 2 : places + 1);
    f.RadioButton6.SetChecked(true);
    f.RadioButton9.SetChecked(false);
    loadNamensliste(f, true);
    loadSchiriNamen(f);
}

void updatePlatzSperren(TMainForm& f) {
    const std::map<int, bool> locked = LockedGroups(f);
    TStringGrid& grid = f.Xplatzgrid;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (!IsSlotRow(grid, row)) continue;
        const auto group = locked.find(ToInt(grid.Cells(Platzgrid_GrNr, row)));
        const char* mark = group != locked.end() && group->first >= 1 && group->second ? kGesperrt : "";
        if (grid.Cells(Platzgrid_Sperre, row) != mark) grid.SetCells(Platzgrid_Sperre, row, mark);
    }
}

void checkStartTur(TMainForm& f) {
    Log("[F] checkStartTur(): Turnierstart pruefen");
    try {
        f.TurGestartet = 0;
        const bool complete = !HasUnassignedSlot(f);
        ApplyAssignments(f, complete);
        if (!complete) {
            WithdrawStart(f);
        } else {
            OpenFirstRound(f);
            StartTournament(f);
        }
        updatePlatzSperren(f);
        f.DoPlan(f.XPlan2, 0, 0, nullptr);
    } catch (const std::exception& e) {
        Log(std::string("[X] checkStartTur() Exception: ") + e.what());
    }
}
