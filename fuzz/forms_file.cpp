// Reads arbitrary bytes as a tournament-forms file. Every record read is well formed, and written
// back as records it reads the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/files/Dateihandling.h"
#include "foundation/files/TournamentForms.h"

namespace {

std::string folder;

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
    const auto records = ReadTurnierformen(path);
    for (const TurnierformRecord& record : records) {
        if (record.teilnehmer.empty() || record.teilnehmer.find_first_not_of("0123456789") != std::string::npos)
            std::abort();
        if (record.kurz.find('|') != std::string::npos) std::abort();
        for (const std::string* text : {&record.teilnehmer, &record.kurz, &record.form, &record.beschreibung})
            if (text->find('\n') != std::string::npos && text != &record.beschreibung) std::abort();
    }
    const std::string copy = folder + "EigenForm.dat";
    {
        Dateihandling header;
        header.Open(copy, "W", false);
        header.WriteLine(kEigenFormHeader1);
        header.WriteLine(EigenFormHeader2());
        header.Close();
    }
    for (const TurnierformRecord& record : records) {
        // Text the grammar cannot carry back exactly: a lone "&", a line break that is not CR LF.
        if (record.beschreibung.find('&') != std::string::npos || record.kurz.find_first_of(";$") != std::string::npos)
            return 0;
        std::string plain = record.beschreibung;
        for (size_t at; (at = plain.find("\r\n")) != std::string::npos;) plain.erase(at, 2);
        if (plain.find_first_of("\r\n") != std::string::npos) return 0;
        if (!AppendTurnierform(copy, StructureLine(record.teilnehmer, record.kurz, record.form),
                               DescriptionLine(record.beschreibung)))
            std::abort();
    }
    const auto again = ReadTurnierformen(copy);
    if (again.size() != records.size()) std::abort();
    for (size_t i = 0; i < records.size(); ++i)
        if (again[i].teilnehmer != records[i].teilnehmer || again[i].kurz != records[i].kurz ||
            again[i].form != records[i].form || again[i].beschreibung != records[i].beschreibung)
            std::abort();
    return 0;
}
