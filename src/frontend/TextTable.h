#pragma once
#include <string>
#include <vector>

class TStringGrid;

// A grid as the terminal shows it: the columns the window shows (width above 0), row 0 as the
// header, then every row with a text in a shown column; each column as wide as its widest
// cell, counted in characters as shown, two blanks between columns. A cell is a value: a line
// break or another control character in it shows as its escape (VisibleText).
std::vector<std::string> GridLines(const TStringGrid& grid);
