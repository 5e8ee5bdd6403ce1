#pragma once

class TMainForm;

// Playing a tournament through before it starts: every game of every group, in table order,
// takes a made-up result through result processing, and the report in RichEdit3 shows the
// games, the tables, the final placing, how often each referee was used and the first problem
// (a placeholder that cannot be resolved, a place of the final placing that stays open, a
// participant who never plays). Afterwards every table, lookup list and grid is put back exactly
// as it was; only the setting "Durchspielen" keeps the outcome ("0" after an error).

// The button "Turnier durchspielen": refused while another operation works on the tables;
// "Durchspielen" := "1", the random generator seeded from the clock, then the play-through.
void TurnierDurchspielen(TMainForm& form);

// The play-through itself. Refused (closing line "Fehler: Turnier schon begonnen oder keine
// Spiele vorhanden") once a group has been opened or a game has a result, and without games,
// which also sets "Durchspielen" to "0".
void doTurnierSpielen(TMainForm& form);
