#pragma once
#include <string>
#include <vector>

#include "foundation/NameText.h"
#include "foundation/ProgramFiles.h"

class TMainForm;

// The name lists beside the program (kTeamsListFile, kSchirisListFile, kZeitnehmerListFile): one
// name a line, plain text.

// A list file as read: its names, and whether they are all of it. A missing file is an empty,
// complete list; a file that cannot be read, or only up to a line that is not text (see
// NameFileReader) or a read error, is not complete, and nothing is ever added to it.
struct NameListContent {
    std::vector<std::string> names;
    bool complete = true;
    bool opened = true;  // false when the file is there but cannot be read at all
    int badLine = 0;     // the line that is not text, 0 when there is none
    bool badLineTooLong = false;  // that line is too long rather than not text
};
NameListContent ReadNameListFile(const std::string& fileName);
// The non-empty lines of a list file in the program folder; a missing file is an empty list.
std::vector<std::string> ReadNameList(const std::string& fileName);

// The team list (teams true) or the referee list into ListView2; a list file that cannot be read
// completely is put on record in the error log.
void loadNamensliste(TMainForm& form, bool teams);
// The time-keeper list into ListView1, as the window shows it first.
void loadZeitnehmerliste(TMainForm& form);
// Why a list file cannot be read completely, as a German sentence naming it; empty when it can.
std::string NameListProblem(const std::string& fileName);
// The name typed in Edit14 into the team or referee list (RadioButton9 chooses the referees). A
// name that is not text is refused, and so is every addition to a list not read completely.
void addPersonName(TMainForm& form);
// The name typed in Edit1 into the time-keeper list.
void addZeitnehmer(TMainForm& form);
// Removes the names selected in ListView2 from their list; the bye stays. Every other name of the
// file stays, also one the list view does not show; a file that was not read completely is not
// rewritten (the user is told).
void deletePersonNames(TMainForm& form);
// Removes the names selected in ListView1 from the time-keeper list, in the same way.
void deleteZeitnehmer(TMainForm& form);
// Appends every name of a text file the user chooses to the team or referee list; duplicates
// stay. All or none: a file with a line that is not text is refused as a whole, and so is a list
// file not read completely.
void importNameFile(TMainForm& form, bool teams);
