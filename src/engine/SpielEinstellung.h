#pragma once

class TMainForm;

// A double click on a game of a plan: result entry for a game that can take its result, the
// single-game settings for a game that cannot take one yet and has none.
// upper: the upper plan XPlan1 (else the lower one, XPlan2).
void PlanDoppelklick(TMainForm& form, bool upper);

// The plans' popup entry "Spieleinstellung": the single-game dialog for the game of the plan's
// selected row, also for a game that can take its result (its participants stay locked once it
// has one). upper: the upper plan XPlan1 (else the lower one, XPlan2).
void PlanSpieleinstellung(TMainForm& form, bool upper);

// The single-game dialog for Spielplan row r; on OK its field, times, day, participants,
// referee and time keeper go into the row. A game with a result keeps its participants.
// spielbereit: the game's plan row carries ">>".
void doSpielEinstellung(TMainForm& form, int r, bool spielbereit);
