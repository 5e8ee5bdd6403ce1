#pragma once
#include <string>

class TMainForm;

// The winner entered for the game between a and b in group g (either side order); 0 without one.
int getDirektSieger(const TMainForm& form, int a, int b, int g);
// Index of the k-th Teams row (from 1, table order) of group g; 0 when the group has fewer rows.
int getTeamZeile(const TMainForm& form, int g, int k);
// The date the game in this Spielplan row is played, "dd.mm.yyyy": its own date when it has one,
// else the tournament's first day plus its day number - 1. Empty when neither is known.
std::string SpielDatum(const TMainForm& form, int row);
