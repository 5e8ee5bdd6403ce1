#include "platform/Grids.h"

#include <algorithm>
#include <stdexcept>

namespace {
const std::string kEmpty;

template <typename T>
void MoveElement(std::vector<T>& v, size_t from, size_t to) {
    if (from < to)
        std::rotate(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(from) + 1,
                    v.begin() + static_cast<long>(to) + 1);
    else if (from > to)
        std::rotate(v.begin() + static_cast<long>(to), v.begin() + static_cast<long>(from),
                    v.begin() + static_cast<long>(from) + 1);
}
}  // namespace

TStringGrid::TStringGrid() = default;

void TStringGrid::SetRowCount(int count) {
    if (count < 0) count = 0;
    if (count <= fixedRows_) count = fixedRows_ + 1;
    if (count == rowCount_) return;
    int old = rowCount_;
    // Rows cut off are gone: growing again must not bring stale data back into the table.
    for (int r = count; r < old && static_cast<size_t>(r) < cells_.size(); ++r) cells_[static_cast<size_t>(r)].clear();
    rowCount_ = count;
    if (row_ >= rowCount_) row_ = rowCount_ - 1;
    SizeChanged(colCount_, old);
}

void TStringGrid::SetColCount(int count) {
    if (count < 0) count = 0;
    if (count <= fixedCols_) count = fixedCols_ + 1;
    if (count == colCount_) return;
    int old = colCount_;
    for (auto& cells : cells_)
        for (int c = count; c < old && static_cast<size_t>(c) < cells.size(); ++c) cells[static_cast<size_t>(c)].clear();
    colCount_ = count;
    if (col_ >= colCount_) col_ = colCount_ - 1;
    SizeChanged(old, rowCount_);
}

void TStringGrid::SetFixedRows(int count) {
    if (count < 0 || count >= rowCount_) throw std::out_of_range("Fixed row count must be less than row count");
    fixedRows_ = count;
    if (row_ < fixedRows_) row_ = fixedRows_;
}

void TStringGrid::SetFixedCols(int count) {
    if (count < 0 || count >= colCount_) throw std::out_of_range("Fixed column count must be less than column count");
    fixedCols_ = count;
    if (col_ < fixedCols_) col_ = fixedCols_;
}

const std::string& TStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || static_cast<size_t>(row) >= cells_.size()) return kEmpty;
    const auto& cells = cells_[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : kEmpty;
}

void TStringGrid::EnsureRows(int count) {
    if (static_cast<size_t>(count) > cells_.size()) cells_.resize(static_cast<size_t>(count));
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    if (col < 0 || row < 0) throw std::out_of_range("Grid index out of range");
    if (text.empty() && Cells(col, row).empty()) return;  // nothing to keep
    EnsureRows(row + 1);
    auto& cells = cells_[static_cast<size_t>(row)];
    if (static_cast<size_t>(col) >= cells.size()) cells.resize(static_cast<size_t>(col) + 1);
    cells[static_cast<size_t>(col)] = text;
}

TStringList TStringGrid::Rows(int row) const {
    TStringList list;
    for (int c = 0; c < colCount_; ++c) list.Add(Cells(c, row));
    return list;
}

void TStringGrid::SetRows(int row, const TStrings& items) {
    for (int c = 0; c < colCount_; ++c) SetCells(c, row, "");
    for (int c = 0; c < items.Count(); ++c) SetCells(c, row, items[c]);
}

TStringList TStringGrid::Cols(int col) const {
    TStringList list;
    for (int r = 0; r < rowCount_; ++r) list.Add(Cells(col, r));
    return list;
}

void TStringGrid::SetCols(int col, const TStrings& items) {
    for (int r = 0; r < rowCount_; ++r) SetCells(col, r, "");
    for (int r = 0; r < items.Count(); ++r) SetCells(col, r, items[r]);
}

int TStringGrid::ColWidths(int col) const {
    if (col < 0 || static_cast<size_t>(col) >= colWidths_.size()) return DefaultColWidth;
    return colWidths_[static_cast<size_t>(col)];
}

void TStringGrid::SetColWidths(int col, int width) {
    if (col < 0) throw std::out_of_range("Grid index out of range");
    if (static_cast<size_t>(col) >= colWidths_.size()) colWidths_.resize(static_cast<size_t>(col) + 1, DefaultColWidth);
    if (colWidths_[static_cast<size_t>(col)] == width) return;
    colWidths_[static_cast<size_t>(col)] = width;
    ColWidthsChanged();
}

int TStringGrid::RowHeights(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= rowHeights_.size()) return DefaultRowHeight;
    return rowHeights_[static_cast<size_t>(row)];
}

void TStringGrid::SetRowHeights(int row, int height) {
    if (row < 0) throw std::out_of_range("Grid index out of range");
    if (static_cast<size_t>(row) >= rowHeights_.size())
        rowHeights_.resize(static_cast<size_t>(row) + 1, DefaultRowHeight);
    if (rowHeights_[static_cast<size_t>(row)] == height) return;
    rowHeights_[static_cast<size_t>(row)] = height;
    RowHeightsChanged();
}

void TStringGrid::MoveRow(int from, int to) {
    if (from < 0 || to < 0 || from >= rowCount_ || to >= rowCount_) throw std::out_of_range("Grid index out of range");
    if (from == to) return;
    EnsureRows(rowCount_);
    MoveElement(cells_, static_cast<size_t>(from), static_cast<size_t>(to));
    if (rowHeights_.size() < static_cast<size_t>(rowCount_))
        rowHeights_.resize(static_cast<size_t>(rowCount_), DefaultRowHeight);
    MoveElement(rowHeights_, static_cast<size_t>(from), static_cast<size_t>(to));
}

void TStringGrid::MoveColumn(int from, int to) {
    if (from < 0 || to < 0 || from >= colCount_ || to >= colCount_) throw std::out_of_range("Grid index out of range");
    if (from == to) return;
    for (auto& cells : cells_) {
        if (cells.size() < static_cast<size_t>(colCount_)) cells.resize(static_cast<size_t>(colCount_));
        MoveElement(cells, static_cast<size_t>(from), static_cast<size_t>(to));
    }
    if (colWidths_.size() < static_cast<size_t>(colCount_))
        colWidths_.resize(static_cast<size_t>(colCount_), DefaultColWidth);
    MoveElement(colWidths_, static_cast<size_t>(from), static_cast<size_t>(to));
}

void TStringGrid::DeleteRow(int index) {
    if (index < 0 || index >= rowCount_) return;
    MoveRow(index, rowCount_ - 1);
    cells_[static_cast<size_t>(rowCount_ - 1)].clear();
    SetRowCount(rowCount_ - 1);
}

void TStringGrid::DeleteColumn(int index) {
    if (index < 0 || index >= colCount_) return;
    MoveColumn(index, colCount_ - 1);
    for (auto& cells : cells_)
        if (cells.size() >= static_cast<size_t>(colCount_)) cells[static_cast<size_t>(colCount_ - 1)].clear();
    SetColCount(colCount_ - 1);
}
