#pragma once
// Open tournaments built by hand in a window, as the program leaves them, and the rows of a
// tournament read back for comparison.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/TurnierStore.h"

namespace turnier_builder {

using Row = std::vector<std::string>;
// The rows of one tournament by table number (1..7), each row as its 31 cells.
using TurnierRows = std::map<int, std::vector<Row>>;

inline TSortGrid& TableOfKind(TMainForm& f, int kind) {
    switch (kind) {
        case TabelleTurnier: return f.Turnier;
        case TabelleGruppe: return f.Gruppe;
        case TabelleTeams: return f.Teams;
        case TabelleSpielplan: return f.Spielplan;
        case TabellePlatz: return f.Platz;
        case TabelleEin: return f.Ein;
        default: return f.UkSound;
    }
}

inline Row CellsOf(const TSortGrid& grid, int row) {
    Row cells;
    for (int c = 0; c < 31; ++c) cells.push_back(grid.Cells(c, row));
    return cells;
}

// The current tournament's rows, table by table.
inline TurnierRows CurrentRows(TMainForm& f) {
    TurnierRows rows;
    for (int kind = TabelleTurnier; kind <= TabelleUkSound; ++kind) {
        const TSortGrid& table = TableOfKind(f, kind);
        for (int r = 1; r < table.RowCount(); ++r)
            if (!table.Cells(0, r).empty()) rows[kind].push_back(CellsOf(table, r));
    }
    return rows;
}

// Appends a row of the current tournament to its table; cells are given from column 2 on.
inline int AddRow(TMainForm& f, int kind, const std::vector<std::string>& cells) {
    TSortGrid& table = TableOfKind(f, kind);
    int row = 1;
    if (!table.Cells(0, 1).empty()) {
        row = table.RowCount();
        table.SetRowCount(row + 1);
    }
    Put(table, 0, row, IntToStr(f.AktTurNr), true);
    Put(table, 1, row, IntToStr(kind), true);
    for (size_t c = 0; c < cells.size(); ++c) Put(table, static_cast<int>(c) + 2, row, cells[c], true);
    return row;
}

// Parks the current tournament and makes a new one current with its tournament row and its
// selector entry, as a new tournament stands before its rounds are made.
inline void OpenTurnier(TMainForm& f, const std::string& name, const std::string& bez) {
    if (f.AktTurNr > 0) {
        TurToMaster(f, f.AktTurNr);
        ClearAll(f, false);
    }
    f.AktTurNr = ++f.AnzTurniere;
    Put(f.Turnier, 0, 1, IntToStr(f.AktTurNr), true);
    Put(f.Turnier, 1, 1, "1", true);
    Put(f.Turnier, Turnier_Name, 1, name, true);
    Put(f.Turnier, Turnier_Bez, 1, bez, true);
    Put(f.Turnier, Turnier_AnzMann, 1, "4", true);
    Put(f.Turnier, Turnier_Sportart, 1, "Fussball", true);
    f.XComboBox1.Items.Add(TurnierSelectorText(f.Turnier, 1));
    f.XComboBox1.SetItemIndex(f.XComboBox1.Items.Count() - 1);
}

// A group of round 1 with four teams, its games and a setting: a small but whole tournament.
inline void AddSmallStructure(TMainForm& f, const std::string& group, const std::string& field) {
    const int g = AddRow(f, TabelleGruppe, {"1", "", "1", group, "Vorrunde " + group, "M1;M2;M3;M4", "1-2", "", "1",
                                            "10:00", "20", "5", "", "4", "2", "None", "", "0", "", "", "", "",
                                            "JGJ", "", "1", "Vorrunde"});
    for (int t = 1; t <= 4; ++t)
        AddRow(f, TabelleTeams, {IntToStr(t), "", "", "", "Team " + IntToStr(t), "", "", "", IntToStr(g)});
    for (int s = 1; s <= 2; ++s)
        AddRow(f, TabelleSpielplan, {IntToStr(s), "", IntToStr(s), "1", IntToStr(g), field, "10:00", "10:20",
                                     IntToStr(2 * s - 1), IntToStr(2 * s)});
    AddRow(f, TabelleEin, {"ZeitSpiele", "", "true"});
}

}  // namespace turnier_builder
