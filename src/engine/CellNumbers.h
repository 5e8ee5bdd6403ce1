#pragma once
#include <string>

#include "foundation/SortGrid.h"

// Numbers of table cells for the operations that read whole tables after every result: plain
// whole numbers, what those cells almost always hold, are read directly (inline, as they are read
// thousands of times per result); any other text the usual way (ToInt, ToDouble), with the same
// value.
namespace cell_numbers {
// Digits only, at most nine of them.
inline bool PlainWholeNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    int number = 0;
    for (char c : text) {
        const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(c)) - '0';
        if (digit > 9) return false;
        number = number * 10 + static_cast<int>(digit);
    }
    value = number;
    return true;
}
int OtherInt(const TSortGrid& grid, int column, int row);
double OtherNumber(const std::string& text);
double LoggedNumber(const TSortGrid& grid, int column, int row);
}  // namespace cell_numbers

inline int CellInt(const TSortGrid& grid, int column, int row) {
    int value = 0;
    if (row >= 0 && column >= 0 && cell_numbers::PlainWholeNumber(grid.Cells(column, row), value)) return value;
    return cell_numbers::OtherInt(grid, column, row);
}

inline double CellNumber(const TSortGrid& grid, int column, int row) {
    if (row < 0 || column < 0) return 0;
    const std::string& text = grid.Cells(column, row);
    int value = 0;
    return cell_numbers::PlainWholeNumber(text, value) ? value : cell_numbers::OtherNumber(text);
}

// ToDouble(Get(grid, column, row, true)): the same value, and the same error-log line for a cell
// outside the data rows.
inline double CellValue(const TSortGrid& grid, int column, int row) {
    return row >= 1 && column >= 0 ? CellNumber(grid, column, row) : cell_numbers::LoggedNumber(grid, column, row);
}
