#include "foundation/files/TournamentForms.h"

#include "foundation/files/Dateihandling.h"

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// "count|short|form": the count and the short description hold no "|".
bool SplitStructureLine(const std::string& line, TurnierformRecord& record) {
    const size_t first = line.find('|');
    if (first == std::string::npos) return false;
    const size_t second = line.find('|', first + 1);
    if (second == std::string::npos) return false;
    record.teilnehmer = line.substr(0, first);
    record.kurz = line.substr(first + 1, second - first - 1);
    record.form = line.substr(second + 1);
    return !record.teilnehmer.empty() && record.teilnehmer.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string EigenFormHeader2() { return "|" + std::string(49, '-'); }

std::vector<TurnierformRecord> ReadTurnierformen(const std::string& path) {
    std::vector<TurnierformRecord> records;
    Dateihandling file;
    if (!file.Open(path, "R", false)) return records;
    TurnierformRecord pending;
    bool structureRead = false;
    while (!file.Eof() && !file.LineTooLong()) {
        const std::string line = file.ReadLine();
        if (line == "##ENDE##") break;
        if (structureRead && !line.empty() && line[0] == '|') {
            pending.beschreibung = Replaced(line.substr(1), "&&", "\r\n");
            records.push_back(pending);
            structureRead = false;
            continue;
        }
        structureRead = SplitStructureLine(line, pending);
    }
    file.Close();
    return records;
}

std::string StructureLine(const std::string& teilnehmer, const std::string& kurz, const std::string& form) {
    std::string shortText = kurz;
    for (char& c : shortText) {
        if (c == '|') c = ' ';
        else if (c == ';') c = ',';
        else if (c == '$') c = '?';
    }
    return teilnehmer + "|" + shortText + "|" + form;
}

std::string DescriptionLine(const std::string& beschreibung) {
    std::string line = "|" + beschreibung;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = '&';
    return line;
}

bool AppendTurnierform(const std::string& path, const std::string& structureLine, const std::string& descriptionLine) {
    Dateihandling file;
    file.OpenAppend(path, "A", false);
    file.WriteLine(structureLine);
    file.WriteLine(descriptionLine);
    return file.Close();
}
