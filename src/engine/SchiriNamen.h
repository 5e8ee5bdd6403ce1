#pragma once

class TMainForm;

// Names of the neutral referees: entry k of ListBox4 (from 1) is the tournament setting "N" + k,
// which the referee display shows for the referee code "N" + k.

// The names stored in the current tournament into ListBox4, up to the first number without one.
void loadSchiriNamen(TMainForm& form);
// Appends the names selected in ListView2 that the list does not hold yet.
void addSchiriNamen(TMainForm& form);
// Removes the selected name; the names after it move up one number.
void removeSchiriName(TMainForm& form);
