#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Strings.h"

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

// How a cell is to be drawn.
enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

// Cells of text addressed by (column, row). The grid keeps every cell written, also beyond
// RowCount and ColCount: such cells are not part of the visible rows and come into view when
// the counts grow. Lowering a count discards the rows or columns cut off, so that growing again
// never brings stale data back into a table.
class TStringGrid : public TControl {
public:
    TStringGrid();
    std::string ClassName() const override { return "TStringGrid"; }

    int RowCount() const { return rowCount_; }
    int ColCount() const { return colCount_; }
    void SetRowCount(int count);
    void SetColCount(int count);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixedRows(int count);
    void SetFixedCols(int count);

    // The empty text for a cell never written or at a negative index.
    const std::string& Cells(int col, int row) const;
    // Throws std::out_of_range for a negative index.
    void SetCells(int col, int row, const std::string& text);

    // The cells of columns 0..ColCount-1 of a row / rows 0..RowCount-1 of a column.
    TStringList Rows(int row) const;
    // Blanks the row's visible cells, then puts the list's items into columns 0, 1, ...
    void SetRows(int row, const TStrings& items);
    TStringList Cols(int col) const;
    void SetCols(int col, const TStrings& items);

    // The current cell.
    int Row() const { return row_; }
    int Col() const { return col_; }
    void SetRow(int row) { row_ = row; }
    void SetCol(int col) { col_ = col; }

    TGridOptions Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    int DefaultColWidth = 64;
    int DefaultRowHeight = 24;
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);

    // Rows and columns move with every cell they hold, hidden ones included.
    virtual void MoveRow(int from, int to);
    virtual void MoveColumn(int from, int to);
    virtual void DeleteRow(int index);
    virtual void DeleteColumn(int index);

protected:
    virtual void SizeChanged(int /*oldColCount*/, int /*oldRowCount*/) {}
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}

    // Direct access for subclasses that move whole rows at once (sorting).
    std::vector<std::vector<std::string>>& RowStore() { return cells_; }
    void EnsureRows(int count);

private:
    std::vector<std::vector<std::string>> cells_;  // [row][col]
    std::vector<int> colWidths_, rowHeights_;
    int rowCount_ = 5, colCount_ = 5, fixedRows_ = 1, fixedCols_ = 1;
    int row_ = 1, col_ = 1;
};
