#pragma once
#include <string>

class TMainForm;

// The final placing: one Teams row per place, in place order, each a placeholder that resolves
// while the tournament is played; shown in TPlatz.

// The current final placing in the tournament-form notation, each item ended by ";".
std::string currentEndPlatzierung(const TMainForm& form);

// Replaces the final placing by the items of a notation list separated by ";" (an empty list
// removes it). The new rows stand at the end of Teams; participants below a removed row move
// up and take the number of their new row, and every game, standings row and grid row that
// names them follows.
void setEndPlatzierung(TMainForm& form, const std::string& list);
