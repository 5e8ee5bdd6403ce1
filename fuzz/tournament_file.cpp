// Loads arbitrary bytes as a tournament file: raw, or as table rows properly scrambled so that
// the checks behind the header are reached. A refused file must change nothing; an accepted one
// becomes current, is saved and must load again with the same rows.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/TurnierWechsel.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/files/TFile.h"
#include "foundation/files/TournamentFile.h"
#include "foundation/TurnierStore.h"
#include "mainwindow/main.h"

namespace {

std::string folder;
TForm1* window = nullptr;

std::vector<std::vector<std::string>> MasterRows(const TMainForm& f) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 1; r < f.XMasterGrid.RowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < 31; ++c) cells.push_back(f.XMasterGrid.Cells(c, r));
        rows.push_back(cells);
    }
    return rows;
}

void WriteRaw(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// Lines of the input become rows: cells split at '|'.
void WriteRows(const std::string& path, const std::string& text, bool older) {
    TFile file;
    file.OpenWrite(path, true);
    for (const char* line : {"<DATEI>", "MAROVELKA4", older ? "v4.001" : "v4.002"}) file.WriteLine(line);
    file.SetShiftScheme(older);
    for (const char* line : {"TURNIER", "<TurnierInfo>", "<|LEER|>", "<|LEER|>", "<|LEER|>", "</TurnierInfo>", "<TABLE>"})
        file.WriteLine(line);
    size_t start = 0;
    bool ended = false;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line == "#") {  // a file cut short
            ended = true;
            break;
        }
        std::vector<std::string> cells;
        size_t from = 0;
        for (size_t bar; (bar = line.find('|', from)) != std::string::npos; from = bar + 1)
            cells.push_back(line.substr(from, bar - from));
        cells.push_back(line.substr(from));
        file.WriteLine(TurRowLine(cells));
    }
    if (!ended) {
        file.WriteLine("</TABLE>");
        file.WriteLine("</DATEI>");
    }
    file.Close();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char made[] = "/tmp/fuzz-tournament-file-XXXXXX";
    if (!mkdtemp(made)) std::abort();
    folder = std::string(made) + "/";
    setenv("MAROVELKA_HOME", made, 1);
    setenv("XDG_CONFIG_HOME", made, 1);
    window = new TForm1();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static int runs = 0;
    if (++runs % 1000 == 0) std::filesystem::remove(folder + "error.log");
    const std::string path = folder + "input.tur";
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 3 == 0) WriteRaw(path, body);
    else WriteRows(path, body, data[0] % 3 == 2);

    TForm1& f = *window;
    ClearAll(f, true);
    f.AktTurNr = 0;
    f.AnzTurniere = 0;
    // One tournament is open already; a refused file must leave it as it is.
    f.XMasterGrid.SetCells(0, 1, "1");
    f.XMasterGrid.SetCells(1, 1, "1");
    f.XMasterGrid.SetCells(3, 1, "Offen");
    f.XComboBox1.Items.Add("[O] Offen");
    f.AnzTurniere = 1;
    const auto before = MasterRows(f);
    f.ShowLoadDialog = false;
    f.OpenDialog1.Files.Clear();
    f.OpenDialog1.Files.Add(path);
    if (turniereLaden(f) == 0) {
        if (MasterRows(f) != before || f.AnzTurniere != 1 || f.XComboBox1.Items.Count() != 1) std::abort();
        return 0;
    }
    if (f.AktTurNr != 2 || f.AnzTurniere != 2) std::abort();
    // What was accepted is saved and loads again with the same rows.
    // A copy of its own each time: the copy of the input before was another tournament's file.
    const std::string copy = folder + "copy.tur";
    std::filesystem::remove(copy);
    Put(f.Turnier, Turnier_DateiNameS, 1, copy, true);
    // Only a row that neither scheme can carry (codes 21 or 22 beside an unlucky letter) may fail.
    if (!saveTurnier(f, false, false, false)) return 0;
    AppendTurToMaster(f);
    const auto saved = MasterRows(f);
    TForm1 reader;
    reader.AnzTurniere = 2;
    reader.XMasterGrid.SetCells(0, 1, "1");
    reader.XMasterGrid.SetCells(1, 1, "1");
    reader.XMasterGrid.SetCells(3, 1, "Offen");
    if (!LoadFileToMaster(reader, copy, 2, nullptr)) std::abort();
    auto again = MasterRows(reader);
    if (again.size() != saved.size()) {
        std::fprintf(stderr, "rows: saved %zu loaded %zu\n", saved.size(), again.size());
        std::abort();
    }
    for (size_t r = 0; r < saved.size(); ++r)
        for (size_t c = 0; c < 31; ++c)
            // Line breaks inside a cell are stored as bare line feeds.
            if (again[r][c] != saved[r][c] && c != 9) {
                std::fprintf(stderr, "row %zu cell %zu: saved \"%s\" loaded \"%s\"\n", r, c, saved[r][c].c_str(),
                             again[r][c].c_str());
                std::abort();
            }
    return 0;
}
