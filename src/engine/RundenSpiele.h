#pragma once
#include <string>

class TMainForm;

// Generates the games of a new round: every Gruppe row from startRow to the last is one group
// of the round; its pairs follow the group's game system ("JGJ", "JGJ2", "SV", "A" + n) and are
// then laid out over the round's fields and times and appended to Spielplan.
void Do_RundenSpiele(TMainForm& form, int startRow, int groupCount);

// The fewest games a group of this game system gets from Do_RundenSpiele for its participant
// count: a round robin one for every pair ("JGJ2" no more, since older releases gave it its second
// leg only from a pairing table), pairs in list order one for every two participants, "A" + n
// its n games once there are two to play them, any other system none. No game of a group is
// ever deleted on its own, only with its group, so a file whose group holds fewer has lost one.
int FewestGamesOfGroup(const std::string& system, int participants);
