#pragma once
#include <string>

class TSortGrid;

// Numbers of table cells for the operations that read whole tables after every result: plain
// whole numbers, what those cells almost always hold, are read directly; any other text the usual
// way (ToInt, ToDouble), with the same value.
int CellInt(const TSortGrid& grid, int column, int row);
double CellNumber(const TSortGrid& grid, int column, int row);
