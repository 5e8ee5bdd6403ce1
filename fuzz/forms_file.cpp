// Reads arbitrary bytes as a tournament-forms file as the new-tournament wizard does. Every
// record read is well formed, and appended anew with the own-forms writer it reads the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs/FormGenerators.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/TournamentForms.h"

namespace {

std::string folder;

// The reader gives a stored line break as "\n"; the writer stores "\r\n" as "&&".
std::string AsMemoText(std::string text) {
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.insert(at, "\r");
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char made[] = "/tmp/fuzz-forms-file-XXXXXX";
    if (!mkdtemp(made)) std::abort();
    folder = std::string(made) + "/";
    setenv("MAROVELKA_HOME", made, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = folder + "TurFormen.dat";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const auto records = ReadFormRecords(path);
    for (const FormRecord& record : records)
        if (record.count < 1 || record.form.empty() || record.shortText.find('|') != std::string::npos) std::abort();
    const std::string copy = folder + "EigenForm.dat";
    {
        Dateihandling header;
        header.Open(copy, "W", false);
        for (const std::string& line : FormFileHeader()) header.WriteLine(line);
        header.Close();
    }
    for (const FormRecord& record : records) {
        // What the grammar cannot carry back: a lone "&", a line break of its own in the text, a
        // short description with the characters the writer replaces, a count written otherwise.
        const std::string& d = record.description;
        if (d.find_first_of("&\r") != std::string::npos || record.shortText.find_first_of(";$") != std::string::npos ||
            record.form.find('\r') != std::string::npos || record.form == "##ENDE##")
            return 0;
        if (!AppendTurnierform(copy, StructureLine(std::to_string(record.count), record.shortText, record.form),
                               DescriptionLine(AsMemoText(d))))
            std::abort();
    }
    const auto again = ReadFormRecords(copy);
    if (again.size() != records.size()) std::abort();
    for (size_t i = 0; i < records.size(); ++i)
        if (again[i].count != records[i].count || again[i].shortText != records[i].shortText ||
            again[i].form != records[i].form || again[i].description != records[i].description)
            std::abort();
    return 0;
}
