#pragma once

class TMainForm;

// A small tournament as the store leaves it after loading: tournament 1 of 1, one round
// "Vorrunde" of two groups, A ("Open": Adler, Bären) and B ("Closed": Condor, Dachse, whose
// name at the start is "Delfine"), one game in each: game 1 in A on field "2" with referee
// setting N2, game 2 in B on field "1" refereed by participant 4. The field list holds the
// fields in order of first appearance (" [EMPTY]", "2", "1"). The standings rank Bären before
// Adler and Condor before Dachse; the final placing has two places: "Sieger Spiel 1" (resolved
// to Bären) and "Verlierer Spiel 1" (not yet).
void FillSmallTournament(TMainForm& form);
// The same with game 1 as its standings have it (Bären won 3:0) and every participant and group
// counted where result entry looks: ready for results through the front end.
void FillSmallTournamentAsRanked(TMainForm& form);
