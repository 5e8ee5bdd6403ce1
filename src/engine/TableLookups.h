#pragma once

class TMainForm;

// The winner entered for the game between a and b in group g (either side order); 0 without one.
int getDirektSieger(const TMainForm& form, int a, int b, int g);
// Index of the k-th Teams row (from 1, table order) of group g; 0 when the group has fewer rows.
int getTeamZeile(const TMainForm& form, int g, int k);
