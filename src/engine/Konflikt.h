#pragma once

class TMainForm;

// Settles the placing conflict of a finished group again: the conflict dialog shows the
// participants the ranking rules cannot separate, their order is taken, and the placeholders that
// depend on the group follow it. g is the group; 0 takes the first finished group that has such
// participants. False when there is no conflict to settle.
bool konfliktLoesen(TMainForm& form, int g);
