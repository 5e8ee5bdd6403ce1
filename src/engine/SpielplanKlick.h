#pragma once

class TMainForm;
class TStringGrid;

// The one way a game's result enters the tournament: the result is obtained (from the result
// dialog, or made up in a play-through, or already written by an import), stored, added to both
// participants' standings by difference, and the group states follow. A group just completed is
// ranked, its ties settled and its placeholders resolved; later groups whose sources are
// finished open; the projector link, the plans and automatic printing are served.
//
// planGrid: the plan whose current row was chosen (its ">>" row), or null with gameNo the game
// number. automatic: play-through, no dialog and no message box. imported: the row already holds
// the result.
void doSpielplanKlick(TMainForm& form, TStringGrid* planGrid, int gameNo, bool automatic, bool imported);
