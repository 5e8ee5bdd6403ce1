#include "engine/GruppeLoeschen.h"

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "engine/Nummerierung.h"
#include "engine/RundenBaum.h"
#include "engine/TurnierStart.h"
#include "engine/TurnierWechsel.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/TurnierStore.h"
#include "platform/UiHost.h"

namespace {

// Rows may hold cells beyond the visible columns, as far as the master table carries them.
constexpr int kHiddenColumns = 32;

bool IsDataRow(const TStringGrid& table, int row) { return !table.Cells(0, row).empty(); }

bool IsPlacingRow(const TSortGrid& teams, int row) { return !teams.Cells(Teams_Platz, row).empty(); }

// Removes the data rows the test picks (it looks at the row it is given and no other); the rows
// below move up with every cell they hold. An emptied table keeps one blank row.
void RemoveRows(TSortGrid& table, const std::function<bool(int)>& picked) {
    int kept = 1;
    for (int row = 1; row < table.RowCount(); ++row) {
        if (IsDataRow(table, row) && picked(row)) continue;
        if (kept != row) table.ExchangeRowCells(kept, table, row);
        ++kept;
    }
    if (kept == table.RowCount()) return;
    if (kept == 1) {
        for (int c = 0; c < std::max(table.ColCount(), kHiddenColumns); ++c) table.SetCells(c, 1, "");
        kept = 2;
    }
    // Cutting discards the removed rows with every cell they held.
    table.SetRowCount(kept);
}

bool CellIs(const TSortGrid& table, int column, int row, int number) {
    return !table.Cells(column, row).empty() && IntGet(table, column, row, true) == number;
}

// A best-of code over a list of groups that holds this id (ids match regardless of case).
bool BestOfNames(const std::string& code, const std::string& id) {
    for (const std::string& listed : BestOfGroupIds(code))
        if (SameText(listed, id)) return true;
    return false;
}

// The slot or placing row takes its participant from group g with this id.
bool TakesFrom(const TSortGrid& teams, int row, int g, const std::string& id) {
    return CellIs(teams, Teams_GrNr, row, g) || BestOfNames(teams.Cells(Teams_SV, row), id);
}

std::string GroupId(const TMainForm& f, int g) {
    const int row = FindRow(f.Gruppe, Gruppe_Nr, IntToStr(g));
    return row > 0 ? f.Gruppe.Cells(Gruppe_Bez, row) : std::string();
}

void RemoveGroupRow(TMainForm& f, int groupRow, int g) {
    const std::string id = f.Gruppe.Cells(Gruppe_Bez, groupRow);
    RemoveRows(f.Spielplan, [&](int row) { return CellIs(f.Spielplan, Spielplan_GrNr, row, g); });
    TSortGrid& teams = f.Teams;
    RemoveRows(teams, [&](int row) { return CellIs(teams, Teams_InGr, row, g); });
    // Final-placing entries are recognised by their code, never by the words they show.
    RemoveRows(teams, [&](int row) { return IsPlacingRow(teams, row) && TakesFrom(teams, row, g, id); });
    TStringGrid& slots = f.Xplatzgrid;
    for (int row = 1; row < slots.RowCount(); ++row)
        if (ToInt(slots.Cells(Platzgrid_GrNr, row)) == g)
            for (int c = 1; c < Platzgrid_Spalten; ++c) slots.SetCells(c, row, "");
    RemoveRows(f.Platz, [&](int row) { return CellIs(f.Platz, Platz_GrNr, row, g); });
    RemoveRows(f.Gruppe, [&](int row) { return row == groupRow; });
    Log("[S] Gruppe " + id + " geloescht");
}

// Names given in the placeholder grid go into the tables only once every slot has one; until
// then the grid alone holds them, and rebuilding it must not lose them.
using Assignments = std::map<std::string, std::pair<std::string, std::string>>;  // slot number -> name, players

Assignments AssignmentsOf(const TStringGrid& grid) {
    Assignments kept;
    for (int row = 1; row < grid.RowCount(); ++row)
        if (IsSlotRow(grid, row) && !grid.Cells(Platzgrid_Mannschaft, row).empty())
            kept[grid.Cells(Platzgrid_TeamNr, row)] = {grid.Cells(Platzgrid_Mannschaft, row), grid.Cells(Platzgrid_Spieler, row)};
    return kept;
}

void PutBack(TStringGrid& grid, const Assignments& kept) {
    for (int row = 1; row < grid.RowCount(); ++row) {
        const auto found = kept.find(grid.Cells(Platzgrid_TeamNr, row));
        if (found == kept.end() || !grid.Cells(Platzgrid_Mannschaft, row).empty() || IsLockedRow(grid, row)) continue;
        grid.SetCells(Platzgrid_Mannschaft, row, found->second.first);
        grid.SetCells(Platzgrid_Spieler, row, found->second.second);
    }
}

void AfterDeletion(TMainForm& f) {
    SetSetting(f, "Durchspielen", "0");
    nachDelete(f);
    const Assignments kept = AssignmentsOf(f.Xplatzgrid);
    setupEndPlatzierung(f);
    PutBack(f.Xplatzgrid, kept);
    f.DoPlan(f.XPlan2, 0, 0, nullptr);
}

std::string NotDeletableText(const std::string& id) { return FormatStr(lngText(51).c_str(), id.c_str()); }

}  // namespace

std::vector<std::string> BestOfGroupIds(const std::string& code) {
    std::vector<std::string> ids;
    if (code.empty() || code[0] != 'B') return ids;
    const size_t first = code.find('/');
    const size_t second = first == std::string::npos ? first : code.find('/', first + 1);
    if (second == std::string::npos) return ids;
    const std::string list = code.substr(second + 1) + ",";
    for (size_t start = 0, comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        if (comma > start) ids.push_back(list.substr(start, comma - start));
    return ids;
}

bool hatAbhaengigkeiten(const TMainForm& form, int g) {
    const TSortGrid& teams = form.Teams;
    const std::string id = GroupId(form, g);
    for (int row = 1; row < teams.RowCount(); ++row)
        if (IsDataRow(teams, row) && !IsPlacingRow(teams, row) && TakesFrom(teams, row, g, id)) return true;
    return false;
}

bool delGruppe(TMainForm& form, int g) {
    Log("[F] delGruppe(" + IntToStr(g) + "): Gruppe loeschen");
    if (hatAbhaengigkeiten(form, g)) return false;
    TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount();) {
        if (IsDataRow(gruppe, row) && CellIs(gruppe, Gruppe_Nr, row, g)) RemoveGroupRow(form, row, g);
        else ++row;
    }
    return true;
}

void nachDelete(TMainForm& form) {
    Log("[F] nachDelete(): Aufraeumen nach Gruppe/Runde loeschen");
    NummernSchliessen(form);
    LoadTurSettings(form);
    AlgSet(form);
    doTreeView3(form);
}

void GruppeLoeschen(TMainForm& form) {
    Log("[F] SpeedButton7Click(): Gruppe loeschen");
    if (RefuseWhileBusy(form)) return;
    const RoundTreeSelection selected = SelectedInRoundTree(form);
    if (!selected.node || selected.group == 0) return;
    const std::string id = form.Edit8.Text(), name = form.Edit9.Text();
    if (AskYesNo(FormatStr(lngText(50).c_str(), id.c_str(), name.c_str())) != mrYes) return;
    if (delGruppe(form, ToInt(form.Label31.Caption()))) AfterDeletion(form);
    else ShowMsg(3, NotDeletableText(id));
    setTurChanged(form, true);
}

void RundeLoeschen(TMainForm& form) {
    Log("[F] SpeedButton8Click(): Runde loeschen");
    if (RefuseWhileBusy(form)) return;
    if (!form.TreeView3.Selected()) return;
    setTurChanged(form, true);
    const int round = ToInt(form.Edit6.Text());
    if (AskYesNo(FormatStr(lngText(53).c_str(), form.Edit6.Text().c_str(), form.Edit7.Text().c_str())) != mrYes) return;
    TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount();) {
        const int g = IntGet(gruppe, Gruppe_Nr, row, true);
        if (g == 0) break;
        if (IntGet(gruppe, Gruppe_RNr, row, true) == round) {
            if (delGruppe(form, g)) continue;
            ShowMsg(3, NotDeletableText(gruppe.Cells(Gruppe_Bez, row)));
        }
        ++row;
    }
    // The round tree is built anew from the tables: a round whose groups are all gone has no node.
    AfterDeletion(form);
}
