#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "foundation/ColumnIndex.h"
#include "platform/Canvas.h"
#include "platform/Grids.h"
#include "platform/Input.h"

enum TSortStyle : unsigned char { ssAutomatic = 0, ssAlphabetic = 1, ssNumeric = 2, ssDate = 3, ssCustom = 4 };
enum TSortDirection : unsigned char { sdAscending = 0, sdDescending = 1 };
enum class TCellBevelStyle : unsigned char { cbNone, cbRaised, cbLowered };
enum class TVertAlignment : unsigned char { taTopJustify, taBottomJustify, taMiddle };

using TSortCompare = std::function<int(const std::string& a, const std::string& b)>;

struct TSortOptions {
    TSortStyle SortStyle = ssAutomatic;
    TSortDirection SortDirection = sdAscending;
    bool SortCaseSensitive = false;
    TSortCompare SortCompare;  // used only with ssCustom
};

struct TSortedListEntry {
    std::string Str;
    int RowNum = 0;
};

// How one cell is drawn; the grid fills it in and OnGetCellFormat may change it.
struct TFormatOptions {
    TBrush Brush;
    TFont Font;
    TAlignment AlignmentHorz = TAlignment::taLeftJustify;
    TVertAlignment AlignmentVert = TVertAlignment::taTopJustify;
    TCellBevelStyle Bevel = TCellBevelStyle::cbNone;
    TColor HighlightColor = clWindow;  // top and left bevel lines
    TColor ShadowColor = clWindow;     // bottom and right bevel lines
};

// Where the mouse is busy resizing or moving rows or columns; sorting waits for gsNormal.
enum class TGridState { gsNormal, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// The string grid behind every data table: a stable sort by one column with detection of
// numeric and date columns, undo of the last sort, row and column editing with events,
// delimited load and save, and cell validation.
class TSortGrid : public TStringGrid {
public:
    TSortGrid();
    std::string ClassName() const override { return "TSortGrid"; }

    // Published properties.
    TAlignment AlignmentHorz = TAlignment::taLeftJustify;
    TVertAlignment AlignmentVert = TVertAlignment::taTopJustify;
    bool ClickSorting = true;
    TCellBevelStyle BevelStyle = TCellBevelStyle::cbNone;
    bool ProportionalScrollBars = true;
    bool ExtendedKeys = false;
    char ItemDelimiter = '|';
    const TStringList& Items() const { return items_; }
    // Copies the list and loads it as the grid's content (the tables' header rows).
    void SetItems(const TStrings& items);

    // Events.
    std::function<void(TObject* sender, int column, int row, TGridDrawState state, TFormatOptions& options)>
        OnGetCellFormat;
    std::function<void(TObject* sender, int column, TSortOptions& options)> OnClickSort;
    std::function<void(TObject* sender, int column, TSortOptions& options)> OnBeginSort;
    std::function<void(TObject* sender, int column)> OnEndSort;
    std::function<void(TObject* sender, int index)> OnRowInsert, OnRowDelete, OnColumnInsert, OnColumnDelete;
    TNotifyEvent OnColumnWidthsChanged, OnRowHeightsChanged, OnSizeChanged;
    std::function<void(TObject* sender, int column, int row, std::string& value, bool& valid)> OnCellValidate;

    // Sorting.
    void SortByColumn(int column, TSortOptions options);
    TSortStyle DetermineSortStyle(int column) const;
    bool CanUndoSort();
    void UndoSort();

    // Cells, rows and columns.
    void Clear(bool allColumns);
    void DeleteRow(int index) override;
    void DeleteColumn(int index) override;
    void InsertRow(int index);
    void InsertColumn(int index);
    void MoveRow(int from, int to) override;
    void MoveColumn(int from, int to) override;
    void SwapRows(int a, int b);
    // Exchanges every cell of a row with those of a row of another grid (or of this one), hidden
    // cells beyond ColCount included: whole rows move between tables without copying a cell.
    // Row counts stay as they are.
    void ExchangeRowCells(int row, TSortGrid& other, int otherRow);
    // Data rows change places among themselves: rows[i] (ascending, distinct) takes the row that
    // stood at rows[order[i]], hidden cells included. Each row moves once, as a whole, and the
    // lookups by column follow; nothing happens unless order is a permutation of the places.
    void ReorderRows(const std::vector<int>& rows, const std::vector<int>& order);
    // One data row moves among others: the row at rows[from] goes to rows[to], and those between
    // move one place toward rows[from] (rows ascending and distinct from `from` to `to`), hidden
    // cells included. Only the rows passed move, and the lookups by column follow; nothing
    // happens unless both are places of data rows.
    void MoveRowAmong(const std::vector<int>& rows, size_t from, size_t to);
    void SwapColumns(int a, int b);
    void MoveTo(int column, int row);
    // The lookups of rows by a column's texts or numbers that the table keeps (FindRow).
    ColumnIndexes& Indexes() const { return indexes_; }
    bool IsCell(const std::string& text, int& column, int& row) const;

    // Delimited lines: every delimiter ends a field, no quoting.
    void LoadFromStrings(const TStrings& list, char delimiter);
    void SaveToStrings(TStrings& list, char delimiter) const;
    bool LoadFromFile(const std::string& fileName, char delimiter);
    bool SaveToFile(const std::string& fileName, char delimiter) const;

    // Input as the window delivers it.
    TGridState GridState = TGridState::gsNormal;
    void DoEnter() override;
    void DoExit() override;
    void Click();
    void KeyDown(unsigned short& key, TShiftState shift) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The in-place editor changed a cell's text.
    void SetEditText(int column, int row, const std::string& value) override;
    bool Modified() const { return modified_; }
    void InitValidate();
    void ValidateCell();

    // Column width to its widest text (each in the font the cell is drawn with) plus an "x".
    void AutoSizeCol(int column);
    void AutoSizeColumns(bool includeFixed, int extra);
    // Scroll bar page sizes (0 unless ProportionalScrollBars).
    int VertScrollPage() const { return vertPage_; }
    int HorzScrollPage() const { return horzPage_; }
    void UpdateScrollPage();

protected:
    // Fills and writes one cell by its format options while the grid paints.
    void DrawCell(int column, int row, const TRect& rect, TGridDrawState state) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;

private:
    TFormatOptions CellFormat(int column, int row, TGridDrawState state);
    void DrawFormattedCell(TCanvas& canvas, int column, int row, const TRect& rect, TGridDrawState state);
    void ListQuickSort(int column, const TSortOptions& options);
    void ClearRowCells(int row);
    void ClearColumnCells(int column);
    // Runs a base-grid move with the editing option off.
    template <typename F>
    void WithoutEditing(F&& move);

    TStringList items_;
    mutable ColumnIndexes indexes_;
    std::vector<TSortedListEntry> sortedList_;
    bool sorting_ = false;
    bool modified_ = false;
    bool focused_ = false;
    int vertPage_ = 0, horzPage_ = 0;
    struct Remembered {
        int column = 0, row = 0;
        std::string text;
        bool modified = false;
    } validate_;
};

// Stable ascending sort of the grid's data rows by one column.
void sortGrid(TSortGrid& grid, int column, bool numeric);
struct SortKey {
    int column;
    bool numeric;
};
// Stable sort by several columns, the first key deciding first.
void sortGrid(TSortGrid& grid, std::initializer_list<SortKey> keys);
