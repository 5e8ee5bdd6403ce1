#include "foundation/Accessors.h"

#include <algorithm>
#include <vector>

#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/SortGrid.h"
#include "platform/Controls.h"

namespace {

bool CellIndexValid(int column, int row) { return row >= 1 && column >= 0; }

// Cells beyond the table are kept, but no table comes near these bounds: a cell there can only
// come from a damaged number, and storing it would allocate every row or column up to it.
constexpr int kMaxStoredRow = 1'000'000;
constexpr int kMaxStoredColumn = 1'000;

bool CellStorable(int column, int row) {
    return CellIndexValid(column, row) && row <= kMaxStoredRow && column <= kMaxStoredColumn;
}

std::string CellArgs(const TSortGrid& grid, int column, int row) {
    return grid.Name + "," + IntToStr(column) + "," + IntToStr(row);
}

bool ItemIndexValid(int index, int count) { return index >= 0 && index < count; }

}  // namespace

void Put(TSortGrid& grid, int column, int row, const std::string& text, bool log) {
    if (!CellStorable(column, row)) {
        if (log) ErrorLog("[X] Put: Fehler im Befehl Put(" + CellArgs(grid, column, row) + "," + text + ")");
        return;
    }
    grid.SetCells(column, row, text);
}

void Put(TSortGrid& grid, int column, int row, int value, bool log) {
    if (!CellStorable(column, row)) {
        if (log) ErrorLog("[X] Put: Fehler im Befehl Put(" + CellArgs(grid, column, row) + "," + IntToStr(value) + ")");
        return;
    }
    grid.SetCells(column, row, IntToStr(value));
}

std::string Get(const TSortGrid& grid, int column, int row, bool log) {
    if (!CellIndexValid(column, row)) {
        if (log) ErrorLog("[X] Get: Fehler im Befehl Get(" + CellArgs(grid, column, row) + ")");
        return {};
    }
    return grid.Cells(column, row);
}

int IntGet(const TSortGrid& grid, int column, int row, bool log) {
    if (!CellIndexValid(column, row)) {
        if (log) ErrorLog("[X] Get: Fehler im Befehl IntGet(" + CellArgs(grid, column, row) + ")");
        return 0;
    }
    const std::string& text = grid.Cells(column, row);
    return text.empty() ? 0 : ToInt(text);
}

int FindRow(const TSortGrid& grid, int column, const std::string& text) {
    if (column < 0) return 0;
    return grid.Indexes().FirstRow(grid, column, text);
}

const std::vector<int>& RowsWithNumber(const TSortGrid& grid, int column, int number) {
    return grid.Indexes().RowsWithNumber(grid, column, number);
}

void DeleteGridRow(TSortGrid& grid, int row) {
    const int n = grid.RowCount();
    if (row < 1 || row >= n) return;
    for (int r = row; r <= n - 2; ++r)
        for (int c = 0; c < grid.ColCount(); ++c) grid.SetCells(c, r, grid.Cells(c, r + 1));
    if (n > 2) {
        grid.SetRowCount(n - 1);
    } else {
        for (int c = 0; c < grid.ColCount(); ++c) grid.SetCells(c, 1, "");
    }
}

void ClearGrid(TSortGrid& grid) {
    for (int r = 1; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) grid.SetCells(c, r, "");
    grid.SetRowCount(2);
}

std::string ListGet(const TItemControl& control, int index) {
    if (!ItemIndexValid(index, control.Items.Count())) {
        ErrorLog("[X] ListGet: Fehler im Befehl ListGet(" + control.Name + "," + IntToStr(index) + ")");
        return {};
    }
    return control.Items[index];
}

std::string ListGet(const TStringList& list, int index) {
    if (!ItemIndexValid(index, list.Count())) {
        ErrorLog("[X] ListGet: Fehler im Befehl ListGet(StringList," + IntToStr(index) + ") - Index zu hoch");
        return {};
    }
    return list[index];
}

std::string ListGet(const TStrings& list, int index) {
    if (!ItemIndexValid(index, list.Count())) {
        ErrorLog("[X] ListGet: Fehler im Befehl ListGet(Strings," + IntToStr(index) + ") - Index zu hoch");
        return {};
    }
    return list[index];
}

void ListPut(TItemControl& control, int index, const std::string& text) {
    if (!ItemIndexValid(index, control.Items.Count())) {
        ErrorLog("[X] ListPut: Fehler im Befehl ListPut(" + control.Name + "," + IntToStr(index) + ") - Index zu hoch");
        return;
    }
    control.Items.Set(index, text);
}

void ListPut(TStringList& list, int index, const std::string& text) {
    if (!ItemIndexValid(index, list.Count())) {
        ErrorLog("[X] ListPut: Fehler im Befehl ListPut(StringList," + IntToStr(index) + ") - Index zu hoch");
        return;
    }
    list.Set(index, text);
}

void ListPut(TStrings& list, int index, const std::string& text) {
    if (!ItemIndexValid(index, list.Count())) {
        ErrorLog("[X] ListPut: Fehler im Befehl ListPut(Strings," + IntToStr(index) + ") - Index zu hoch");
        return;
    }
    list.Set(index, text);
}

std::string ComboGet(const TComboBox& combo, int index) {
    if (!ItemIndexValid(index, combo.Items.Count())) {
        ErrorLog("[X] ComboGet: Fehler im Befehl ComboGet(" + combo.Name + "," + IntToStr(index) + ")");
        return {};
    }
    return combo.Items[index];
}

void ComboPut(TComboBox& combo, int index, const std::string& text) {
    if (!ItemIndexValid(index, combo.Items.Count())) {
        ErrorLog("[X] ComboPut: Fehler im Befehl ComboPut(" + combo.Name + "," + IntToStr(index) + ") - Index zu hoch");
        return;
    }
    combo.Items.Set(index, text);
}

bool ItemExists(const TItemControl& control, const std::string& text) {
    for (int i = 0; i < control.Items.Count(); ++i)
        if (control.Items[i] == text) return true;
    return false;
}

bool StringsContains(const TStringList& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i)
        if (ListGet(list, i) == text) return true;
    return false;
}

bool ListViewHasCaption(const TListView& view, const std::string& text) {
    return std::any_of(view.Items.begin(), view.Items.end(), [&](const TListItem& item) { return item.Caption == text; });
}

void ListViewAdd(TListView& view, const std::string& text) { view.Add().Caption = text; }

void ListViewSort(TListView& view) {
    // A sorted list that accepts duplicates: dropping them would blank the last items.
    TStringList sorted;
    sorted.Duplicates = TDuplicates::dupAccept;
    sorted.SetSorted(true);
    for (const auto& item : view.Items) sorted.Add(item.Caption);
    for (size_t i = 0; i < view.Items.size(); ++i) view.Items[i].Caption = ListGet(sorted, static_cast<int>(i));
}
