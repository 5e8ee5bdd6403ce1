#pragma once
#include <string>

class TMainForm;

// Points of a game (standings false: Spielplan row) or of a standings row (true: Platz row), as
// the plans, the projector and the printouts show them.
std::string PunkteText(const TMainForm& form, int row, bool standings);
// The result of a game or standings row by the ranking mode "AWertung": part 1 the plus side,
// part 2 the minus side, any other part the whole text.
std::string ErgebnisText(const TMainForm& form, int row, int part, bool standings);
// Greater than 0 when the game in this Spielplan row has a result.
double ErgebnisSumme(const TMainForm& form, int row);
