#pragma once
#include <string>

class TMainForm;

// The name participant slot `team` goes by in the current tournament: the name given to it
// (`XATeamsTur`: an assigned club, or the club a placeholder was resolved to), else the slot's
// own text (`XATeams`: "Mannschaft 3", "1. Gruppe A"), else "Teilnehmer " and its number.
std::string TeilnehmerName(const TMainForm& form, int team);
