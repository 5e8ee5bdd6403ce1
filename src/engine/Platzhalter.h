#pragma once
#include <string>

class TMainForm;

// Participant codes of the tournament-form notation: "M" + k (team k), "S" + g / "V" + g (winner /
// loser of game g), i + "." + group id (placed i-th in that group) and "B" + i + "/" + k + "/" +
// group ids (the i-th best of the k-th placed teams of those groups).

// Parses a code into Teams row `row` (only the display text when row <= 0); returns the display text.
std::string PutPlatzhalter(TMainForm& form, const std::string& code, int row);
// The code of a Teams row (asCode true) or the real participant's name assigned to it.
std::string GetPlatzhalter(const TMainForm& form, int row, bool asCode);
// The display text of a code; the empty text for a code of no known form.
std::string PlatzhalterText(const TMainForm& form, const std::string& code);
// Gives the placeholders that depend on group g their participants from the group's standings;
// x is the game whose result was just taken (0 when not known).
void calcAfterRound(TMainForm& form, int g, int x);
