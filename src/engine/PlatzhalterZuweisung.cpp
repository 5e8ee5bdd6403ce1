#include "engine/PlatzhalterZuweisung.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "dialogs/Dialogs.h"
#include "dialogs/frmImport.h"
#include "engine/SchiriNamen.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Platzgrid.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "platform/Random.h"

namespace {

bool OnRefereePage(const TMainForm& f) { return f.PageControlPlatzhalter.ActivePage == &f.TabSheetSchiedsrichter; }

bool NameAssigned(const TStringGrid& grid, const std::string& name) {
    for (int row = 1; row < grid.RowCount(); ++row)
        if (grid.Cells(Platzgrid_Mannschaft, row) == name) return true;
    return false;
}

// A slot row that accepts a change.
bool IsOpenRow(const TStringGrid& grid, int row) { return IsSlotRow(grid, row) && !IsLockedRow(grid, row); }

// The team assigned to a row: its name and its players. The slot's group and number stay.
using Assignment = std::pair<std::string, std::string>;

Assignment AssignmentOf(const TStringGrid& grid, int row) {
    return {grid.Cells(Platzgrid_Mannschaft, row), grid.Cells(Platzgrid_Spieler, row)};
}

void SetAssignment(TStringGrid& grid, int row, const Assignment& team) {
    grid.SetCells(Platzgrid_Mannschaft, row, team.first);
    grid.SetCells(Platzgrid_Spieler, row, team.second);
}

void AssignSelectedNames(TMainForm& f) {
    TStringGrid& grid = f.Xplatzgrid;
    int target = grid.Row();
    Log("[IA-1]");
    if (!IsSlotRow(grid, target)) {
        ShowMsg(1, lngText(76));
        return;
    }
    Log("[IA-2]");
    setTurChanged(f, true);
    Log("[IA-3]");
    for (const TListItem& item : f.ListView2.Items) {
        if (target >= grid.RowCount()) break;
        if (!item.Selected) continue;
        const std::string name = CutName(item.Caption);
        Log("[IA-4]");
        // A locked row or a name already given keeps the target where it is.
        if (name.empty() || IsLockedRow(grid, target) || NameAssigned(grid, name)) continue;
        grid.SetCells(Platzgrid_Sperre, target, "");
        SetAssignment(grid, target, {name, ""});
        ++target;
    }
    Log("[IA-5]");
    grid.SetRow(std::min(target, grid.RowCount() - 1));
    Log("[IA-6]");
    checkStartTur(f);
    Log("[IA-7]");
}

// A name taken back is offered again in the team list; the referee list is not the place for it.
void OfferAgain(TMainForm& f, const std::string& name) {
    if (f.RadioButton9.Checked() || ListViewHasCaption(f.ListView2, name)) return;
    ListViewAdd(f.ListView2, name);
    ListViewSort(f.ListView2);
}

// The name leaves every Teams row that holds it; the lookup list of assigned names follows the
// table, so names resolved for other rows stay.
void ForgetName(TMainForm& f, const std::string& name) {
    TSortGrid& teams = f.Teams;
    for (int row = 1; row < teams.RowCount(); ++row)
        if (Get(teams, Teams_Name_Tur, row, true) == name) Put(teams, Teams_Name_Tur, row, "", true);
    for (int row = 1; row < teams.RowCount() && row < f.XATeamsTur.Items.Count(); ++row)
        ListPut(f.XATeamsTur, row, Get(teams, Teams_Name_Tur, row, true));
}

void TakeBackName(TMainForm& f) {
    TStringGrid& grid = f.Xplatzgrid;
    const int row = grid.Row();
    if (row < 1 || row >= grid.RowCount() || IsLockedRow(grid, row)) return;
    const std::string name = grid.Cells(Platzgrid_Mannschaft, row);
    if (!name.empty()) {
        setTurChanged(f, true);
        OfferAgain(f, name);
        SetAssignment(grid, row, {"", ""});
        f.TurGestartet = 0;
        ForgetName(f, name);
    }
    checkStartTur(f);
}

}  // namespace

void doNamenZuweisen(TMainForm& f) {
    if (OnRefereePage(f)) return addSchiriNamen(f);
    Log("[F] IAeverButton34Click(): Mannschaften hinzufuegen in Platzhalterliste");
    try {
        AssignSelectedNames(f);
    } catch (const std::exception& e) {
        Log(std::string("[X] IAeverButton34Click() Exception: ") + e.what());
    }
}

void doNamenZuruecknehmen(TMainForm& f) {
    if (OnRefereePage(f)) return removeSchiriName(f);
    TakeBackName(f);
}

bool doPlatzhalterTauschen(TMainForm& f, int row, int other) {
    TStringGrid& grid = f.Xplatzgrid;
    if (row == other || !IsOpenRow(grid, row) || !IsOpenRow(grid, other)) return false;
    const Assignment first = AssignmentOf(grid, row);
    SetAssignment(grid, row, AssignmentOf(grid, other));
    SetAssignment(grid, other, first);
    setTurChanged(f, true);
    grid.SetRow(other);
    checkStartTur(f);
    return true;
}

void doPlatzhalterVerschieben(TMainForm& f, bool up) {
    const int row = f.Xplatzgrid.Row();
    doPlatzhalterTauschen(f, row, up ? row - 1 : row + 1);
}

void doPlatzhalterMischen(TMainForm& f) {
    Log("[F] IAeverButton30Click(): Zufallsgenerator (Platzhalter)");
    TStringGrid& grid = f.Xplatzgrid;
    std::vector<int> rows;
    for (int row = 1; row < grid.RowCount(); ++row)
        if (IsOpenRow(grid, row) && !grid.Cells(Platzgrid_Mannschaft, row).empty()) rows.push_back(row);
    if (rows.size() < 2) return;
    std::vector<Assignment> teams;
    for (int row : rows) teams.push_back(AssignmentOf(grid, row));
    prng::SeedFromClock();
    prng::Shuffle(teams);
    for (size_t i = 0; i < rows.size(); ++i) SetAssignment(grid, rows[i], teams[i]);
    setTurChanged(f, true);
    checkStartTur(f);
}

void doSpielerlistenImport(TMainForm& f) {
    Log("[F] Button2Click(): Import Spielerlisten");
    TImport& dialog = DialogsOf(f).Import;
    dialog.Platzgrid = &f.Xplatzgrid;
    const int result = dialog.ShowModal();
    if (result == mrNone) return;
    if (result == mrOk) setTurChanged(f, true);
    f.PageControlPlatzhalter.SetActivePage(&f.TabSheetPlatzhalter);
    checkStartTur(f);
}
