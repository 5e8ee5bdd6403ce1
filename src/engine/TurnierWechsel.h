#pragma once
#include <string>

class TMainForm;
class TStrings;

// Making another open tournament current. The rows move through XMasterGrid (see
// foundation/TurnierStore.h); what needs the placeholder parser and the dialogs is here.

// Makes tournament n current: its rows go from XMasterGrid into the tables, the lookup lists and
// cached settings are rebuilt, its rows leave XMasterGrid, and final-placing rows that lost
// their participant code get it back from their display text.
void MasterToTur(TMainForm& form, int n);
// Loads the current tournament's general values into the window's fields and the dialogs'
// participant words. The changed mark stays as it is: only saving and loading clear it.
void AlgSet(TMainForm& form);
// The participant words (TeamTyp, TeamTyps) into the window's headers and the dialogs' labels
// that name participants.
void ShowParticipantWords(TMainForm& form);
// The selector's change: parks the current tournament and makes the selected one current.
// False when nothing was to be done (no selection, or the current one selected).
bool turnierWechseln(TMainForm& form);

// The load command: reads the files chosen in OpenDialog1 (shown first while ShowLoadDialog is
// set and nothing is prepared; otherwise the caller has filled its file list) as new tournaments
// and makes the first of them current. A file already open, missing or refused is reported and
// skipped. A preparation in force (TfrmTurPhase) gives its participants to the default
// participant names, and with a stored form it names the one file to load. A file with recovery
// copies (foundation/files/RecoveryCopy.h) is offered them first, and a copy named itself is
// loaded as its tournament with the changes it holds unsaved.
// The number of tournaments loaded.
int turniereLaden(TMainForm& form);
// Closes the current tournament; the one before it becomes current (the next one when the first
// is closed), and closing the last one leaves none. Unsaved changes are offered for saving first;
// false when nothing was closed (none open, or the save failed or was cancelled).
bool aktuellesTurnierEntfernen(TMainForm& form);
