#pragma once
#include <string>

class TMainForm;
class TSortGrid;

// Several tournaments are open at once; the tables hold the current one, XMasterGrid the rows
// of every other one (column 0 its number, column 1 the table it came from). The operations here
// move rows between the two and rebuild what the window keeps about the current tournament.
// Making a parked tournament current (MasterToTur) and loading its general values into the
// window (AlgSet) need the placeholder parser and the dialogs and live with the engine.

// Appends the current tables' rows to XMasterGrid, table by table (Turnier, Gruppe, Spielplan,
// Teams, Platz, UkSound, Ein); a blank row 1 is reused. Never removes a row.
void AppendTurToMaster(TMainForm& form);
// Logs and parks the current tournament n: its rows move to XMasterGrid as AppendTurToMaster
// would copy them, and the tables are left empty.
void TurToMaster(TMainForm& form, int n);
// Removes every XMasterGrid row of tournament n in one pass, keeping the order of the others;
// an emptied grid keeps one blank row.
void DeleteTurFromMaster(TMainForm& form, int n);
// Moves tournament n's rows from XMasterGrid into the emptied tables, each by its kind, and
// closes XMasterGrid up behind them; rows of any other kind are dropped with them.
void TakeTurFromMaster(TMainForm& form, int n);
// Empties the seven tables of the current tournament.
void ClearTables(TMainForm& form);
// Rebuilds the lookup lists, the cached values, the default column widths, the projector link
// and the tournament trees from the current tables.
void LoadTurSettings(TMainForm& form);
// Empties the tables, the lookup lists and the plan grids; withMaster also empties XMasterGrid
// and the tournament selector.
void ClearAll(TMainForm& form, bool withMaster);

// The selector's text of a tournament row: "[" + designation + "] " + name.
std::string TurnierSelectorText(const TSortGrid& grid, int row);
// The XMasterGrid row of tournament n's own row (kind 1); 0 when it is not parked there.
int MasterTurnierRow(const TMainForm& form, int n);
// True when any open tournament, current or parked, has unsaved changes.
bool AnyTurnierChanged(const TMainForm& form);
