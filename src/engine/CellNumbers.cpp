#include "engine/CellNumbers.h"

#include "foundation/Accessors.h"
#include "foundation/Conversions.h"

int cell_numbers::OtherInt(const TSortGrid& grid, int column, int row) { return IntGet(grid, column, row, true); }

double cell_numbers::OtherNumber(const std::string& text) { return ToDouble(text); }

double cell_numbers::LoggedNumber(const TSortGrid& grid, int column, int row) { return ToDouble(Get(grid, column, row, true)); }
