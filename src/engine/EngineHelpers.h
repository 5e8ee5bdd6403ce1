#pragma once
#include <initializer_list>
#include <string>

class TSortGrid;

// Points of a game (standings false: Spielplan row) or of a standings row (true: Platz row), as
// the plans, the projector and the printouts show them.
std::string PunkteText(int row, bool standings);
// The result of a game or standings row by the ranking mode "AWertung": part 1 the plus side,
// part 2 the minus side, any other part the whole text.
std::string ErgebnisText(int row, int part, bool standings);
// Greater than 0 when the game in this Spielplan row has a result.
double ErgebnisSumme(int row);
// The winner entered for the game between a and b in group g (either side order); 0 without one.
int getDirektSieger(int a, int b, int g);

// Stable ascending sort of the grid's data rows by one column.
void sortGrid(TSortGrid& grid, int column, bool numeric);
struct SortKey {
    int column;
    bool numeric;
};
// Stable sort by several columns, the first key deciding first.
void sortGrid(TSortGrid& grid, std::initializer_list<SortKey> keys);

// Tournament settings whose last value also becomes the user's default for new tournaments.
void SetSettingReg(const std::string& key, const std::string& value);
std::string GetSettingReg(const std::string& key, const std::string& defaultValue);

// Index of the k-th Teams row (from 1, table order) of group g; 0 when the group has fewer rows.
int getTeamZeile(int g, int k);
