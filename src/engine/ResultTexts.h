#pragma once
#include <string>

class TMainForm;

// Points of a game (standings false: Spielplan row) or of a standings row (true: Platz row), as
// the plans, the projector and the printouts show them.
std::string PunkteText(const TMainForm& form, int row, bool standings);
// The result of a game or standings row by the ranking mode "AWertung": part 1 the plus side,
// part 2 the minus side, any other part the whole text.
std::string ErgebnisText(const TMainForm& form, int row, int part, bool standings);
// The sum of the values of the game in this Spielplan row (1 with set results). A game whose
// values add up to 0 may well have been played: that is SpielHatErgebnis's to say.
double ErgebnisSumme(const TMainForm& form, int row);
