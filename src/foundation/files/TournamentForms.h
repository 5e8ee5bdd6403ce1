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
// ("|" becomes a blank, ";" a comma, "$" a question mark), the description its line breaks ("&").
std::string StructureLine(const std::string& teilnehmer, const std::string& kurz, const std::string& form);
std::string DescriptionLine(const std::string& beschreibung);

// Appends a record to an existing forms file; false when the file is missing or the record could
// not be written.
bool AppendTurnierform(const std::string& path, const std::string& structureLine, const std::string& descriptionLine);
