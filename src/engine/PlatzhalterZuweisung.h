#pragma once

class TMainForm;

// Assigning real names to the direct team slots of the placeholder grid Xplatzgrid, and the
// names of the neutral referees. Every change of an assignment ends in checkStartTur.

// The names selected in ListView2 into the grid from its selected row on (page "Platzhalter"),
// or into the list of neutral referees (page "Schiedsrichter").
void doNamenZuweisen(TMainForm& form);
// Takes back the name of the selected row (page "Platzhalter") or removes the selected referee
// name (page "Schiedsrichter").
void doNamenZuruecknehmen(TMainForm& form);
// Moves the selected row's assignment one row up or down.
void doPlatzhalterVerschieben(TMainForm& form, bool up);
// Exchanges the assignments of two open rows; false (nothing changed) when either is no open
// slot row.
bool doPlatzhalterTauschen(TMainForm& form, int row, int other);
// Puts the assigned names of the open rows in a random order.
void doPlatzhalterMischen(TMainForm& form);
// Names from a text file the user chooses, one a line, into the slots from row 1 on.
void doNamenAusTextdatei(TMainForm& form);
// The player-list import dialog, then the page "Platzhalter".
void doSpielerlistenImport(TMainForm& form);
