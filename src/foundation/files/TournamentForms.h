#pragma once
#include <string>
#include <vector>

// The tournament-form files: the shipped "TurFormen.dat" and the user's "EigenForm.dat" beside the
// program. Plain lines, CR LF. "EigenForm.dat" starts with two header lines; every record is a
// structure line (participant count "|" short description "|" the tournament-form text) and a
// description line ("|" + the description, its line breaks stored as "&&"). "##ENDE##" ends a file.
// The wizard reads both files (dialogs/FormGenerators.h); the own forms are written here.

// The two header lines of "EigenForm.dat": a warning and a vertical bar with 49 hyphens.
std::vector<std::string> FormFileHeader();

// The two lines of a record: the short description loses the characters of the record grammar
// ("|" becomes a blank, ";" a comma, "$" a question mark), the description its line breaks ("&");
// any other control character becomes a blank in both.
std::string StructureLine(const std::string& teilnehmer, const std::string& kurz, const std::string& form);
std::string DescriptionLine(const std::string& beschreibung);

// Appends a record to an existing forms file, ending an unfinished last line first; false when the
// file is missing or the record could not be written (the file then stays as it was, and error,
// when given, gets the system's error number, 0 for a missing file).
bool AppendTurnierform(const std::string& path, const std::string& structureLine, const std::string& descriptionLine,
                       int* error = nullptr);
