#include "engine/CellNumbers.h"

#include "foundation/Accessors.h"
#include "foundation/Conversions.h"
#include "foundation/SortGrid.h"

namespace {

bool PlainWholeNumber(const std::string& text, long long& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

int CellInt(const TSortGrid& grid, int column, int row) {
    long long value = 0;
    if (row >= 0 && column >= 0 && PlainWholeNumber(grid.Cells(column, row), value)) return static_cast<int>(value);
    return IntGet(grid, column, row, true);
}

double CellNumber(const TSortGrid& grid, int column, int row) {
    long long value = 0;
    if (row < 0 || column < 0) return 0;
    const std::string& text = grid.Cells(column, row);
    return PlainWholeNumber(text, value) ? static_cast<double>(value) : ToDouble(text);
}
