#pragma once
#include <optional>
#include <string>
#include <vector>

class TMainForm;

// Recovery copies: where the unsaved changes of the open tournaments go when the program must
// end and no one can be asked whether to save them (a signal, the end of the input). A copy is a
// tournament file of its own, "NAME.sicherung-N" beside the tournament's file NAME, or
// "Turnier-ohne-Datei.sicherung-N" in the program folder for a tournament without a file (and
// for one whose folder takes no copy); N is the first number free. It is written as every save
// is (a temporary file, synced, renamed) onto a name reserved first, so that it never takes the
// place of a file: not the tournament's own, not another program's copy of the same file. Its
// tournament row keeps the tournament's file, the version of that file its changes were made on
// and its changed mark.
//
// Loading the tournament's file offers its copies; a copy taken is kept until the tournament is
// saved, so that its changes are never only in memory. A copy declined stays as it is.

// The file name of a recovery copy: a name, ".sicherung-" and a number from 1. No save or export
// writes a file of such a name (ChosenFile.h).
bool IsRecoveryCopyName(const std::string& fileName);

// What became of one tournament's unsaved changes.
struct RecoveryCopyResult {
    std::string turnier;  // "[designation] name"
    std::string file;     // the tournament's file; empty when it has none
    std::string copy;     // the copy written; empty when none could be
    std::string problem;  // why no copy could be written, in German words
    bool BesideFile() const;
};

// Writes every open tournament with unsaved changes to a new recovery copy; a copy this run
// loaded in its place goes once the new one is complete. Tournaments and files stay as they are.
std::vector<RecoveryCopyResult> WriteRecoveryCopies(TMainForm& form);

// The recovery copies of a tournament file beside it, the newest first; empty files (a name
// reserved by a program that was killed before it wrote the copy) are none.
std::vector<std::string> RecoveryCopiesOf(const std::string& file);
// The recovery copies in the program folder, the newest first.
std::vector<std::string> RecoveryCopiesInProgramFolder();

// Before a tournament file is loaded: asks, for each of its copies from the newest, whether to
// load the copy in its place; the copy taken, none when there is none or every one was declined.
std::optional<std::string> OfferRecoveryCopy(const std::string& file);

// Tournament `number` has been saved: the copy it was loaded from is no longer needed.
void RecoveryCopyServed(TMainForm& form, int number);
