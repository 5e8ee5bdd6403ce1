#pragma once

class TStringGrid;

// Row 0 of a grid := the lines of a numbered text, one per column.
void SetGridHeader(TStringGrid& grid, int number);
