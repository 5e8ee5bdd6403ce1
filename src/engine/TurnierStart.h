#pragma once

class TMainForm;

// Rebuilds the placeholder grid Xplatzgrid (one row per direct team slot) and the final-placing
// grid TPlatz from Teams, the neutral referees' names from the settings, and loads the team list.
void setupEndPlatzierung(TMainForm& form);

// Locks the slots of every group that has been played on and opens those of the others: the lock
// marks of the placeholder grid follow the group states. Run after every change of a group state
// that does not rebuild the grid, so that no name moves off a slot whose group has results.
void updatePlatzSperren(TMainForm& form);

// Applies the assignments of the placeholder grid: while a slot is unassigned the tournament
// has not started; once every slot has a name, the names go into the tables, the round-1
// groups become ready to play and the setting "Spielstart" becomes "true".
void checkStartTur(TMainForm& form);
