#pragma once
#include <string>
#include <vector>

#include "foundation/NameText.h"

class TMainForm;

// The name lists beside the program: one name a line, plain text.
inline constexpr const char* kTeamsListFile = "teams.dat";
inline constexpr const char* kSchirisListFile = "schiris.dat";
inline constexpr const char* kZeitnehmerListFile = "zeitnehmer.dat";

// The non-empty lines of a list file in the program folder; a missing file is an empty list.
std::vector<std::string> ReadNameList(const std::string& fileName);

// The team list (teams true) or the referee list into ListView2.
void loadNamensliste(TMainForm& form, bool teams);
// The name typed in Edit14 into the team or referee list (RadioButton9 chooses the referees).
void addPersonName(TMainForm& form);
// The name typed in Edit1 into the time-keeper list.
void addZeitnehmer(TMainForm& form);
// Removes the names selected in ListView2 from their list; the bye stays.
void deletePersonNames(TMainForm& form);
// Removes the names selected in ListView1 from the time-keeper list.
void deleteZeitnehmer(TMainForm& form);
// Appends every line of a text file the user chooses to the team or referee list; duplicates stay.
void importNameFile(TMainForm& form, bool teams);
