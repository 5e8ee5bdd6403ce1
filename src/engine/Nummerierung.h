#pragma once

class TMainForm;

// Groups, participants and games are named by the index of their row (Gruppe_Nr, Teams_Nr,
// Spielplan_SpNr), rounds by 1, 2, ... in the order of their numbers. After rows were removed
// every number becomes its row's index again, and every cell that names one follows it: groups
// in games, slots, placeholders and standings; participants in games (sides, winner, referee),
// standings and the placeholder grid; games in winner and loser placeholders, their shown texts
// and the participant lists of the groups; rounds in groups and games. A referee who no longer
// exists leaves a neutral court behind. The lookup lists are not touched: they are rebuilt from
// the tables afterwards.
void NummernSchliessen(TMainForm& form);

// Participants only: each Teams_Nr becomes its row's index, and every game side, winner,
// referee, standings row and placeholder-grid row follows; used after rows of Teams were removed
// (the final placing is replaced as a whole).
void TeilnehmerNummernSchliessen(TMainForm& form);
