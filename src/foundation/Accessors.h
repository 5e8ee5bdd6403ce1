#pragma once
#include <string>
#include <vector>

class TSortGrid;
class TStrings;
class TStringList;
class TItemControl;
class TComboBox;
class TListView;

// Guarded cell access of the data tables. With log true a row below 1 or a negative column is
// refused with an "[X]" error-log line; with log false it is refused silently. Cells at or
// beyond RowCount/ColCount are read and written like any other (the grid keeps them); Put
// refuses a row beyond 1,000,000 or a column beyond 1,000 the same way.
void Put(TSortGrid& grid, int column, int row, const std::string& text, bool log);
void Put(TSortGrid& grid, int column, int row, int value, bool log);
std::string Get(const TSortGrid& grid, int column, int row, bool log);
int IntGet(const TSortGrid& grid, int column, int row, bool log);

// First data row whose cell equals the text; 0 when none does.
int FindRow(const TSortGrid& grid, int column, const std::string& text);
// The data rows whose cell reads as the number (as IntGet reads it), in table order; valid until
// the next lookup in the table.
const std::vector<int>& RowsWithNumber(const TSortGrid& grid, int column, int number);
// Whether a cell holds exactly this text. Cheap for the many unequal numbers of a column, which
// mostly differ in their last digit.
inline bool CellEquals(const std::string& cell, const std::string& text) {
    return cell.size() == text.size() && (text.empty() || cell.back() == text.back()) && cell == text;
}
// Moves the rows below up; the only data row is blanked instead, so RowCount stays >= 2.
void DeleteGridRow(TSortGrid& grid, int row);
// Blanks every data row and sets RowCount 2; the header stays.
void ClearGrid(TSortGrid& grid);

// Guarded item access of lists: the index must be 0 <= index < Count.
std::string ListGet(const TItemControl& control, int index);
std::string ListGet(const TStringList& list, int index);
std::string ListGet(const TStrings& list, int index);
void ListPut(TItemControl& control, int index, const std::string& text);
void ListPut(TStringList& list, int index, const std::string& text);
void ListPut(TStrings& list, int index, const std::string& text);
std::string ComboGet(const TComboBox& combo, int index);
void ComboPut(TComboBox& combo, int index, const std::string& text);

bool ItemExists(const TItemControl& control, const std::string& text);
bool StringsContains(const TStringList& list, const std::string& text);
bool ListViewHasCaption(const TListView& view, const std::string& text);
void ListViewAdd(TListView& view, const std::string& text);
// Sorts the captions ascending; equal captions are all kept.
void ListViewSort(TListView& view);
