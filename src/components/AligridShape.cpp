// Rows and columns of the display grid change shape; every attribute store follows its place.
#include "components/Aligrid.h"

#include <stdexcept>

namespace {
void CheckRange(int a, int b, int count) {
    if (a < 0 || b < 0 || a >= count || b >= count) throw std::out_of_range("Grid index out of range");
}
}  // namespace

void TStringAlignGrid::RemoveCol(int col) {
    if (col < FixedCols() || col >= ColCount()) return;
    ForEachStore([col](auto& s) {
        s.cell.RemoveCol(col);
        s.col.RemoveAt(col);
        s.fixedCol.RemoveAt(col);
    });
    // The plain text move: the grid's own ColumnMoved would shift the stores a second time.
    TStringGrid::MoveColumn(col, ColCount() - 1);
    for (int r = 0; r < RowCount(); ++r) SetCells(ColCount() - 1, r, "");
    SetColCount(ColCount() - 1);
    Invalidate();
}

void TStringAlignGrid::RemoveRow(int row) {
    if (row < FixedRows() || row >= RowCount()) return;
    ForEachStore([row](auto& s) {
        s.cell.RemoveRow(row);
        s.row.RemoveAt(row);
        s.fixedRow.RemoveAt(row);
    });
    TStringGrid::MoveRow(row, RowCount() - 1);
    for (int c = 0; c < ColCount(); ++c) SetCells(c, RowCount() - 1, "");
    SetRowCount(RowCount() - 1);
    Invalidate();
}

void TStringAlignGrid::InsertCol(int col) {
    col = std::max(col, FixedCols());
    SetColCount(ColCount() + 1);
    ForEachStore([col](auto& s) {
        s.cell.InsertCol(col);
        s.col.InsertAt(col);
        s.fixedCol.InsertAt(col);
    });
    const int last = ColCount() - 1;
    for (int r = 0; r < RowCount(); ++r) SetCells(last, r, "");
    if (col < last) TStringGrid::MoveColumn(last, col);
    Invalidate();
}

void TStringAlignGrid::InsertRow(int row) {
    row = std::max(row, FixedRows());
    SetRowCount(RowCount() + 1);
    ForEachStore([row](auto& s) {
        s.cell.InsertRow(row);
        s.row.InsertAt(row);
        s.fixedRow.InsertAt(row);
    });
    const int last = RowCount() - 1;
    for (int c = 0; c < ColCount(); ++c) SetCells(c, last, "");
    if (row < last) TStringGrid::MoveRow(last, row);
    Invalidate();
}

void TStringAlignGrid::ColumnMoved(int from, int to) {
    if (from == to) return;
    CheckRange(from, to, ColCount());
    ForEachStore([=](auto& s) {
        s.cell.MoveCol(from, to);
        s.col.Move(from, to);
        s.fixedCol.Move(from, to);
    });
    TStringGrid::MoveColumn(from, to);
}

void TStringAlignGrid::RowMoved(int from, int to) {
    if (from == to) return;
    CheckRange(from, to, RowCount());
    ForEachStore([=](auto& s) {
        s.cell.MoveRow(from, to);
        s.row.Move(from, to);
        s.fixedRow.Move(from, to);
    });
    TStringGrid::MoveRow(from, to);
}

void TStringAlignGrid::ExchangeCol(int c1, int c2) {
    if (c1 == c2) return;
    SparseList<int>::CheckIndex(c1);
    SparseList<int>::CheckIndex(c2);
    ForEachStore([=](auto& s) {
        s.cell.SwapCols(c1, c2);
        s.col.Swap(c1, c2);
        s.fixedCol.Swap(c1, c2);
    });
    for (int r = 0; r < RowCount(); ++r) {
        const std::string first = Cells(c1, r);
        SetCells(c1, r, Cells(c2, r));
        SetCells(c2, r, first);
    }
    Invalidate();
}

void TStringAlignGrid::ExchangeRow(int r1, int r2) {
    if (r1 == r2) return;
    SparseList<int>::CheckIndex(r1);
    SparseList<int>::CheckIndex(r2);
    ForEachStore([=](auto& s) {
        s.cell.SwapRows(r1, r2);
        s.row.Swap(r1, r2);
        s.fixedRow.Swap(r1, r2);
    });
    for (int c = 0; c < ColCount(); ++c) {
        const std::string first = Cells(c, r1);
        SetCells(c, r1, Cells(c, r2));
        SetCells(c, r2, first);
    }
    Invalidate();
}
