#include "foundation/files/TournamentForms.h"

#include "foundation/files/Dateihandling.h"

std::vector<std::string> FormFileHeader() { return {"Bitte diese Datei nicht editieren", "|" + std::string(49, '-')}; }

namespace {

// Readers take a line with a control character for a damaged file, so none is written.
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; }

}  // namespace

std::string StructureLine(const std::string& teilnehmer, const std::string& kurz, const std::string& form) {
    std::string shortText = kurz;
    for (char& c : shortText) {
        if (c == '|' || IsControl(c)) c = ' ';
        else if (c == ';') c = ',';
        else if (c == '$') c = '?';
    }
    return teilnehmer + "|" + shortText + "|" + form;
}

std::string DescriptionLine(const std::string& beschreibung) {
    std::string line = "|" + beschreibung;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = '&';
        else if (IsControl(c)) c = ' ';
    return line;
}

bool AppendTurnierform(const std::string& path, const std::string& structureLine, const std::string& descriptionLine,
                       int* error) {
    Dateihandling file;
    file.OpenAppend(path, "A", false);
    file.WriteLine(structureLine);
    file.WriteLine(descriptionLine);
    if (file.Close()) return true;
    if (error) *error = file.Error();
    return false;
}
