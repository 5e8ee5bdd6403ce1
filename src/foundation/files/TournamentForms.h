#pragma once
#include <string>
#include <vector>

// The tournament-form files: the shipped "TurFormen.dat" and the user's "EigenForm.dat" beside the
// program. Plain lines, CR LF. "EigenForm.dat" starts with two header lines; every record is a
// structure line (participant count "|" short description "|" the tournament-form text) and a
// description line ("|" + the description, its line breaks stored as "&&"). "##ENDE##" ends a file.

struct TurnierformRecord {
    std::string teilnehmer;    // the participant count as written
    std::string kurz;          // the short description
    std::string form;          // the tournament-form text: round tags, groups, "<$$>" and the placing
    std::string beschreibung;  // the description, line breaks as CR LF
};

constexpr const char* kEigenFormHeader1 = "Bitte diese Datei nicht editieren";
// A vertical bar and 49 hyphens.
std::string EigenFormHeader2();

// The records of a forms file, in file order; lines that are no record (the header, a structure
// line without its description) are passed over. A missing file has none.
std::vector<TurnierformRecord> ReadTurnierformen(const std::string& path);

// The two lines of a record: the short description loses the characters of the record grammar
// ("|" becomes a blank, ";" a comma, "$" a question mark), the description its line breaks ("&").
std::string StructureLine(const std::string& teilnehmer, const std::string& kurz, const std::string& form);
std::string DescriptionLine(const std::string& beschreibung);

// Appends a record to an existing forms file; false when the file is missing or the record could
// not be written.
bool AppendTurnierform(const std::string& path, const std::string& structureLine, const std::string& descriptionLine);
