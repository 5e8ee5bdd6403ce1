#pragma once
#include <string>

class TMainForm;

// Results passed between two installations that run the same tournament: the export writes the
// current tournament's results to its exchange file, the import takes the results that are new
// here game by game through result processing.

// Writes the exchange file of the current tournament (to `path`, or where ExchangeFilePath puts
// it) and says where it went; false, with a warning, when it could not be written.
bool ergebnisseExportieren(TMainForm& form, const std::string& path = "");
