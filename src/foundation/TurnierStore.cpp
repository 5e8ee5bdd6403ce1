#include "foundation/TurnierStore.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <unordered_set>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"

namespace {

// XMasterGrid is wider than every table; a row travels with all its cells.
constexpr int kMasterColumns = 31;

// The seven tables in packing order, with their table numbers.
std::array<TSortGrid*, 7> PackingOrder(TMainForm& f) {
    return {&f.Turnier, &f.Gruppe, &f.Spielplan, &f.Teams, &f.Platz, &f.UkSound, &f.Ein};
}

TSortGrid* TableOfKind(TMainForm& f, int kind) {
    switch (kind) {
        case TabelleTurnier: return &f.Turnier;
        case TabelleGruppe: return &f.Gruppe;
        case TabelleTeams: return &f.Teams;
        case TabelleSpielplan: return &f.Spielplan;
        case TabellePlatz: return &f.Platz;
        case TabelleEin: return &f.Ein;
        case TabelleUkSound: return &f.UkSound;
        default: return nullptr;
    }
}

void CopyRow(const TSortGrid& from, int fromRow, TSortGrid& to, int toRow) {
    for (int c = 0; c < kMasterColumns; ++c) to.SetCells(c, toRow, from.Cells(c, fromRow));
}

// Where packing goes on: behind the last row, or row 1 of an empty grid.
int FirstFreeMasterRow(const TSortGrid& master) {
    return master.RowCount() == 2 && master.Cells(0, 1).empty() ? 1 : master.RowCount();
}

// Rows from `end` on are gone; an emptied grid keeps one blank row.
void CutMasterAfter(TSortGrid& master, int end) {
    if (end == 1) {
        for (int c = 0; c < std::max(kMasterColumns, master.ColCount()); ++c) master.SetCells(c, 1, "");
        end = 2;
    }
    master.SetRowCount(end);
}

// The row number a tournament's rows carry in column 0.
int TurnierNumberOf(const TSortGrid& grid, int row) {
    const std::string& text = grid.Cells(0, row);
    return text.empty() ? 0 : ToInt(text);
}

void ResetList(TListBox& list, const std::string& first) {
    list.Items.Clear();
    list.SetItemIndex(-1);
    list.Items.Add(first);
}

void ResetLookupLists(TMainForm& f) {
    ResetList(f.XAGruppBez, "[EMPTY]");
    ResetList(f.XAGruppName, "[EMPTY]");
    ResetList(f.XATeams, lngText(20));
    ResetList(f.XATeamsTur, lngText(20));
    ResetList(f.XAFelder, " [EMPTY]");
    ResetList(f.XARunden, "[EMPTY]");
}

void EmptyPlan(TStringGrid& plan) {
    // The rows cut off go with their cells; only row 1 is left to blank.
    plan.SetRowCount(2);
    for (int c = 0; c < plan.ColCount(); ++c) plan.SetCells(c, 1, "");
}

void ListGroupsAndRounds(TMainForm& f) {
    const TSortGrid& gruppe = f.Gruppe;
    std::unordered_set<std::string> labels;
    for (int r = 1; r < gruppe.RowCount(); ++r) {
        const std::string bez = Get(gruppe, Gruppe_Bez, r, true);
        if (bez.empty()) continue;
        f.XAGruppBez.Items.Add(bez);
        f.XAGruppName.Items.Add(Get(gruppe, Gruppe_Name, r, true));
        const std::string label = lngText(4) + " " + Get(gruppe, Gruppe_RNr, r, true) + " ( " +
                                  Get(gruppe, Gruppe_RundeName, r, true) + " )";
        if (labels.insert(label).second) f.XARunden.Items.Add(label);
    }
    f.AnzRunden = static_cast<int>(labels.size());
}

void ResetProjectorLink(TMainForm& f) {
    f.Beamer.Clear();
    f.Beamer.SetDirectory(GetSetting(f, "Beamer_Dir", ""));
    f.Beamer.SetTurnierBezeichnung(Get(f.Turnier, Turnier_Name, 1, true));
    f.Beamer.ModuleOn = false;
}

void ListTeams(TMainForm& f) {
    const TSortGrid& teams = f.Teams;
    for (int r = 1; r < teams.RowCount(); ++r) {
        if (Get(teams, Teams_Nr, r, true).empty()) continue;
        f.XATeams.Items.Add(Get(teams, Teams_Name, r, true));
        f.XATeamsTur.Items.Add(Get(teams, Teams_Name_Tur, r, true));
    }
}

struct DefaultWidths {
    const char* prefix;
    std::initializer_list<int> widths;
};

void StoreDefaultWidths(TMainForm& f) {
    const DefaultWidths tables[] = {
        {"SpielSpalte", {16, 20, 60, 27, 70, 46, 226, 62, 83, 166}},
        {"PlatzSpalte", {45, 120, 200, 50, 70, 85}},
        {"EndPlatzSpalte", {45, 120, 300}},
    };
    for (const DefaultWidths& table : tables) {
        int index = 0;
        for (int width : table.widths) {
            const std::string key = table.prefix + IntToStr(index++);
            if (GetSetting(f, key, "").empty()) SetSetting(f, key, IntToStr(width));
        }
    }
}

void ListFields(TMainForm& f) {
    const TSortGrid& plan = f.Spielplan;
    std::unordered_set<std::string> listed{f.XAFelder.Items[0]};
    for (int r = 1; r < plan.RowCount(); ++r) {
        const std::string& field = plan.Cells(Spielplan_Feld, r);
        if (field.empty() || !listed.insert(field).second) continue;
        f.XAFelder.Items.Add(field);
    }
}

void LoadScoreNames(TMainForm& f) {
    std::string* const names[] = {&f.Wertung1, &f.Wertung2, &f.Wertung3};
    const int columns[] = {Turnier_Score, Turnier_Score2, Turnier_Score3};
    for (int k = 0; k < 3; ++k) {
        std::string& name = *names[k];
        name = GetSetting(f, "Wertung" + IntToStr(k + 1), "");
        if (!name.empty())
            Put(f.Turnier, columns[k], 1, name, true);
        else
            name = Get(f.Turnier, columns[k], 1, true);
    }
}

}  // namespace

void AppendTurToMaster(TMainForm& f) {
    TSortGrid& master = f.XMasterGrid;
    int m = FirstFreeMasterRow(master);
    for (TSortGrid* table : PackingOrder(f))
        for (int r = 1; r < table->RowCount(); ++r) {
            if (table->Cells(0, r).empty()) continue;
            CopyRow(*table, r, master, m++);
        }
    master.SetRowCount(m);
}

void TurToMaster(TMainForm& f, int n) {
    Log("[F] TurToMaster(" + IntToStr(n) + ")");
    // The rows move instead of being copied: every caller empties the tables next.
    TSortGrid& master = f.XMasterGrid;
    int m = FirstFreeMasterRow(master);
    for (TSortGrid* table : PackingOrder(f))
        for (int r = 1; r < table->RowCount(); ++r)
            if (!table->Cells(0, r).empty()) table->ExchangeRowCells(r, master, m++);
    master.SetRowCount(m);
    ClearTables(f);
}

void DeleteTurFromMaster(TMainForm& f, int n) {
    TSortGrid& master = f.XMasterGrid;
    int kept = 1;
    for (int r = 1; r < master.RowCount(); ++r) {
        if (TurnierNumberOf(master, r) == n) continue;
        if (kept != r) master.ExchangeRowCells(kept, master, r);
        ++kept;
    }
    CutMasterAfter(master, kept);
}

void TakeTurFromMaster(TMainForm& f, int n) {
    ClearTables(f);
    std::array<int, 8> next{};
    next.fill(1);
    TSortGrid& master = f.XMasterGrid;
    int kept = 1;
    for (int r = 1; r < master.RowCount(); ++r) {
        if (TurnierNumberOf(master, r) != n) {
            if (kept != r) master.ExchangeRowCells(kept, master, r);
            ++kept;
            continue;
        }
        const int kind = ToInt(master.Cells(1, r));
        if (TSortGrid* table = TableOfKind(f, kind)) table->ExchangeRowCells(next[static_cast<size_t>(kind)]++, master, r);
    }
    CutMasterAfter(master, kept);
    for (int kind = TabelleTurnier; kind <= TabelleUkSound; ++kind)
        TableOfKind(f, kind)->SetRowCount(std::max(2, next[static_cast<size_t>(kind)]));
}

void ClearTables(TMainForm& f) {
    for (TSortGrid* table : PackingOrder(f)) {
        // Cutting first leaves only row 1 to blank.
        table->SetRowCount(2);
        table->Clear(false);
    }
}

void LoadTurSettings(TMainForm& f) {
    f.XPlan1.SetColCount(11);
    f.XPlan2.SetColCount(11);
    ResetLookupLists(f);
    ListGroupsAndRounds(f);
    ResetProjectorLink(f);
    ListTeams(f);
    StoreDefaultWidths(f);
    ListFields(f);
    f.TeamTyp = GetSetting(f, "TeamTyp", lngText(2));
    f.TeamTyps = GetSetting(f, "TeamTyps", lngText(6));
    LoadScoreNames(f);
    f.XZeitSpiele.SetChecked(GetSetting(f, "ZeitSpiele", "true") == "true");
    f.MinusAnzeigen = GetSettingReg(f, "MinusPunkte", "false") != "true";
    f.doTurnierBaum();
}

void ClearAll(TMainForm& f, bool withMaster) {
    Log(std::string("[F] ClearAll(") + (withMaster ? "true" : "false") + ")");
    if (withMaster) {
        // Blank rows left standing would be packed behind and written into the next file.
        f.XMasterGrid.Clear(false);
        f.XMasterGrid.SetRowCount(2);
        f.XComboBox1.Items.Clear();
        f.XComboBox1.SetItemIndex(-1);
    }
    ClearTables(f);
    ResetLookupLists(f);
    EmptyPlan(f.XPlan1);
    EmptyPlan(f.XPlan2);
}

std::string TurnierSelectorText(const TSortGrid& grid, int row) {
    return "[" + grid.Cells(Turnier_Bez, row) + "] " + grid.Cells(Turnier_Name, row);
}

int MasterTurnierRow(const TMainForm& f, int n) {
    const TSortGrid& master = f.XMasterGrid;
    for (int r = 1; r < master.RowCount(); ++r)
        if (TurnierNumberOf(master, r) == n && ToInt(master.Cells(1, r)) == TabelleTurnier) return r;
    return 0;
}

bool AnyTurnierChanged(const TMainForm& f) {
    if (f.AktTurNr > 0 && f.Turnier.Cells(Turnier_Changes, 1) == "true") return true;
    const TSortGrid& master = f.XMasterGrid;
    for (int r = 1; r < master.RowCount(); ++r)
        if (ToInt(master.Cells(1, r)) == TabelleTurnier && master.Cells(Turnier_Changes, r) == "true") return true;
    return false;
}
