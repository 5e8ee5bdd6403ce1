#pragma once
#include <string>
#include <vector>

// The name lists beside the program: one name a line, plain text.
inline constexpr const char* kTeamsListFile = "teams.dat";
inline constexpr const char* kSchirisListFile = "schiris.dat";
inline constexpr const char* kZeitnehmerListFile = "zeitnehmer.dat";
// Names of teams, referees and time keepers are cut to this many characters.
inline constexpr int kMaxNameLength = 30;

// The non-empty lines of a list file in the program folder; a missing file is an empty list.
std::vector<std::string> ReadNameList(const std::string& fileName);
