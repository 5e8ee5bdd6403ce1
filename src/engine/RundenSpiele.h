#pragma once

class TMainForm;

// Generates the games of a new round: every Gruppe row from startRow to the last is one group
// of the round; its pairs follow the group's game system ("JGJ", "JGJ2", "SV", "A" + n) and are
// then laid out over the round's fields and times and appended to Spielplan.
void Do_RundenSpiele(TMainForm& form, int startRow, int groupCount);
