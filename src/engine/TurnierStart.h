#pragma once

class TMainForm;

// Rebuilds the placeholder grid Xplatzgrid (one row per direct team slot) and the final-placing
// grid TPlatz from Teams, the neutral referees' names from the settings, and loads the team list.
void setupEndPlatzierung(TMainForm& form);

// Applies the assignments of the placeholder grid: while a slot is unassigned the tournament
// has not started; once every slot has a name, the names go into the tables, the round-1
// groups become ready to play and the setting "Spielstart" becomes "true".
void checkStartTur(TMainForm& form);
