#pragma once

class TMainForm;
class TRadioGroup;

// Referees of the games of a round or a group, by the mode chosen in a radio group:
// 0 a team of the same group, 1 a team of the round, 2 one neutral court ("0"), 3 one of
// `neutralCount` neutral referees ("N" + k), 4 none. Teams are taken least used first and never
// while they play or referee a game at the same time; neutral referees never twice at once.
// Groups that already have results keep their referees. With upToGroup > 0 every group up to that
// number takes part as well.
void generateSchiris(TMainForm& form, int round, int group, const TRadioGroup& modeGroup, int neutralCount,
                     int upToGroup);

// "Aktualisieren" of the referee tab: new referees for the round or group selected in the round
// tree, by the tab's mode.
void SchirisAktualisieren(TMainForm& form);
