#pragma once
#include <string>

#include "foundation/files/ResultsExchangeFile.h"

class TMainForm;

// What the results import checks of a game block before it stores anything: the result must be
// one the result dialog takes here, and the game must be played by the participants it was
// played by in the exporting copy.

// The problem the result dialog finds with the block's result in this tournament (its scoring,
// the points of the game's group), as a German message; empty when the dialog would take it. The
// block's values then read as the dialog stores them: blanks empty, numbers written as the
// program writes them, sets and balls left out taken from the set results, and the points the
// game's group awards given from the outcome, as the dialog gives them in place of typed ones.
std::string ErgebnisPruefen(const TMainForm& form, ExchangeBlock& block);

// When the file names the game's participants and they are not those of the game in this
// Spielplan row, both pairs, as "die Datei nennt Adler - Bären, hier spielen Condor - Bären";
// empty when they are the same.
std::string AndereTeilnehmer(const TMainForm& form, int row, const ParticipantNames& inFile);
