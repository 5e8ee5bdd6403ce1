#pragma once
#include <string>
#include <vector>

class TMainForm;

// Deleting groups and rounds of the tournament on the round-editing page. A group that a
// participant slot of a later group still takes its source from stays; a deleted group takes its
// games, slots, standings and the final-placing entries that name it along, and the numbers of
// everything behind it close up (Nummerierung.h).

// True when a slot of a group takes its source from group g: a place in it, the winner or loser
// of one of its games, or a best-of over groups that include it. Final-placing entries do not
// count: they go with the group.
bool hatAbhaengigkeiten(const TMainForm& form, int g);
// The ids of the best-of list of a code "B" + i + "/" + k + "/" + ids; empty for any other text.
std::vector<std::string> BestOfGroupIds(const std::string& code);
// Removes group g with everything that belongs to it; false, and nothing changed, while it has
// dependents. The numbers are not closed up yet: nachDelete does that once for all deletions.
bool delGruppe(TMainForm& form, int g);
// Closes up the numbers and rebuilds the lookup lists, trees and counters.
void nachDelete(TMainForm& form);

// "Gruppe löschen": the group selected in the round tree, after the user's yes.
void GruppeLoeschen(TMainForm& form);
// "Runde löschen": every group of the selected round that has no dependents, after the user's
// yes; each group refused is named in its own warning.
void RundeLoeschen(TMainForm& form);
