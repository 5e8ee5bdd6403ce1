#pragma once
#include <optional>
#include <string>

class TMainForm;

// Results passed between two installations that run the same tournament: the export writes the
// current tournament's results to its exchange file, the import takes the results that are new
// here game by game through result processing.

// Writes the exchange file of the current tournament (to `path`, or where ExchangeFilePath puts
// it) and says where it went; false, with a warning, when it could not be written or is a file no
// results may replace (see RefusedChosenFile: a tournament file, one of the program's).
bool ergebnisseExportieren(TMainForm& form, const std::string& path = "");
// What an import did: the results it took, and those of games here still without a result that
// it held back (their group takes no result yet, or their places have other participants here
// than in the exporting copy), each named with its reason in a warning.
struct ErgebnisImport {
    int taken = 0;
    int heldBack = 0;
};
// Takes the results of an exchange file for the current tournament: a game is taken when it was
// not played here, is played by the same places (participant numbers) and, where the file names
// them, by the same participants, and goes through result processing as if entered here. None
// when the file is refused (unreadable, not an exchange file, damaged anywhere, holding a result
// the result dialog would refuse, or another tournament's), which then changes nothing.
std::optional<ErgebnisImport> ergebnisseImportieren(TMainForm& form, const std::string& path);
