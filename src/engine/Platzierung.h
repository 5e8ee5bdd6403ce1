#pragma once

class TMainForm;

// Puts the rows of Platz into ranking order; the order of a group's rows is its standings. Ties
// of group g (0: none) that the ranking rules cannot break go to KonfliktTeams; with plain true,
// head-to-head neither separates nor reports.
void updatePlatzierung(TMainForm& form, int g, bool plain);
// Exchanges every cell of Platz rows a and b; nothing when they are equal or not data rows.
bool swapPlatz(TMainForm& form, int a, int b);
// Adds team t to KonfliktTeams, except in a Swiss tournament and for the pair of a knock-out game
// that a winner or loser placeholder still waits for.
void addKonfliktTeam(TMainForm& form, int t);
