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
// Takes the results of an exchange file for the current tournament: a game is taken when it has
// no result here and is played by the same places (participant numbers), and goes through result
// processing as if entered here. The number of results taken; none when the file is refused
// (unreadable, not an exchange file, damaged anywhere, or another tournament's), which then
// changes nothing.
std::optional<int> ergebnisseImportieren(TMainForm& form, const std::string& path);
