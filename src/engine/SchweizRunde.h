#pragma once

class TMainForm;

// The end of a Swiss round: group g is complete, so the next round (group g + 1) is paired from
// g's standings and every game played so far, and its participant slots take the pairs. Without
// a group g + 1 nothing happens; when no pairing is left the user is told (not in a play-through).
void auswertSchweiz(TMainForm& form, int g, bool automatic);
