#pragma once
#include <string>

class TMainForm;

// "Exportieren" > "Eigene Turnierform": the structure of the current tournament (its rounds,
// groups, game systems, participant lists and final placing) becomes one more record of
// "EigenForm.dat", so that later tournaments can be made the same way.

// The tournament-form text of the current tournament: a round tag before the first group of each
// round, every group, "<$$>" and the codes of the final placing.
std::string TurnierformOfTurnier(const TMainForm& form);
// The first name that the record grammar would misread (a group id, group name, system or round
// name with "$", "|", "!", ";" or a line break, participants with any but ";", and any name with
// another control character), with why, in German; the empty text when every name can be stored.
std::string UnstorableTurnierformName(const TMainForm& form);
// The command: checks the names and that "EigenForm.dat" is read to its end (a form behind a part
// nothing reads would never be offered), asks for the descriptions in the export dialog and
// appends the record. Says whether the form was stored, and why not.
void turnierformExportieren(TMainForm& form);
