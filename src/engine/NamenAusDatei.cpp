#include "engine/NamenAusDatei.h"

#include <set>

#include "dialogs/frmImport.h"
#include "engine/TurnierStart.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Platzgrid.h"
#include "foundation/Tables.h"
#include "foundation/files/TFile.h"

namespace {

const char* const kNothingAssigned = " Es wurde kein Name zugewiesen.";

std::string NotText(int line) {
    return "Zeile " + IntToStr(line) + " der Datei enthält Zeichen, die kein Text sind." + kNothingAssigned;
}

// Every slot has a name; the rest of the file is not assigned.
std::string LeftOverText(int leftOver, int slots) {
    const std::string names =
        leftOver == 1 ? "1 weiterer Name der Datei wurde" : IntToStr(leftOver) + " weitere Namen der Datei wurden";
    return "Alle " + IntToStr(slots) + " Plätze haben einen Namen; " + names + " nicht zugewiesen.";
}

std::string PlayerList(const std::string& path) {
    return "Die Datei " + path + " ist eine Spielerliste (erste Zeile \"Mannschaft;Spieler\"), kein Name je Zeile; " +
           "Spielerlisten liest \"Import Spielerlisten aus csv-Datei\" ein." + kNothingAssigned;
}

std::string Twice(const std::string& name) {
    return "Der Name \"" + name + "\" kommt mehrfach vor." + kNothingAssigned;
}

// Takes one line; false when it makes the file unusable.
bool TakeLine(SlotNames& read, std::set<std::string>& seen, const std::string& line, int number, int slots) {
    const std::string name = TrimName(line);
    if (name.empty()) return true;
    if (static_cast<int>(read.names.size()) >= slots) {
        ++read.leftOver;
        return true;
    }
    if (!IsPlainText(name)) {
        read.problem = NotText(number);
        return false;
    }
    const std::string cut = CutNameQuietly(name);
    if (cut.size() != name.size()) ++read.cut;
    if (!seen.insert(cut).second) {
        read.problem = Twice(cut);
        return false;
    }
    read.names.push_back(cut);
    return true;
}

// The slot rows of the grid, in grid order.
std::vector<int> SlotRows(const TStringGrid& grid) {
    std::vector<int> rows;
    for (int row = 1; row < grid.RowCount(); ++row)
        if (IsSlotRow(grid, row)) rows.push_back(row);
    return rows;
}

bool AnyRowLocked(const TStringGrid& grid) {
    for (int row = 1; row < grid.RowCount(); ++row)
        if (IsLockedRow(grid, row)) return true;
    return false;
}

// A name of the file that stands in a slot the file does not reach would be there twice.
std::string ClashWithKeptNames(const TStringGrid& grid, const std::vector<int>& rows, const SlotNames& read) {
    const std::set<std::string> names(read.names.begin(), read.names.end());
    for (size_t i = read.names.size(); i < rows.size(); ++i) {
        const std::string& kept = grid.Cells(Platzgrid_Mannschaft, rows[i]);
        if (names.count(kept)) return Twice(kept);
    }
    return {};
}

// A row that gets another team loses the players of the one before.
void Assign(TStringGrid& grid, const std::vector<int>& rows, const SlotNames& read) {
    for (size_t i = 0; i < read.names.size(); ++i) {
        if (grid.Cells(Platzgrid_Mannschaft, rows[i]) == read.names[i]) continue;
        grid.SetCells(Platzgrid_Mannschaft, rows[i], read.names[i]);
        grid.SetCells(Platzgrid_Spieler, rows[i], "");
    }
}

}  // namespace

SlotNames ReadSlotNames(const std::string& path, int slots) {
    SlotNames read;
    TFile file;
    if (!file.OpenRead(path, false)) {
        read.problem = "Die Datei " + path + " konnte nicht gelesen werden.";
        return read;
    }
    std::set<std::string> seen;
    for (int number = 1; !file.Eof(); ++number) {
        const std::string line = file.ReadLine();
        // Reading stops at a line beyond any name file's size; past the slots it is one more left.
        if (file.LineTooLong() && static_cast<int>(read.names.size()) >= slots) {
            ++read.leftOver;
            break;
        }
        if (file.LineTooLong()) {
            read.problem = NotText(number);
            break;
        }
        if (number == 1 && IsSpielerlistenKopf(line)) {
            read.problem = PlayerList(path);
            break;
        }
        if (!TakeLine(read, seen, line, number, slots)) break;
    }
    file.Close();
    if (!read.problem.empty()) read.names.clear();
    return read;
}

void doNamenAusTextdatei(TMainForm& f) {
    Log("[F] IAeverButton39Click(): Teams aus .txt Datei in Platzhalterliste");
    TStringGrid& grid = f.Xplatzgrid;
    if (AnyRowLocked(grid)) return ShowMsg(1, "Turnier hat schon begonnen");
    f.OpenDialog1.Filter = "Textdatei (*.txt)|*.txt";
    if (!f.OpenDialog1.Execute()) return;
    const std::vector<int> rows = SlotRows(grid);
    SlotNames read = ReadSlotNames(f.OpenDialog1.FileName, static_cast<int>(rows.size()));
    if (read.problem.empty()) read.problem = ClashWithKeptNames(grid, rows, read);
    if (!read.problem.empty()) return ShowMsg(3, read.problem);
    if (read.names.empty()) return ShowMsg(1, "Die Datei enthält keinen Namen.");
    for (int i = 0; i < read.cut; ++i) TellNameCut();
    Assign(grid, rows, read);
    setTurChanged(f, true);
    checkStartTur(f);
    if (read.leftOver > 0) ShowMsg(1, LeftOverText(read.leftOver, static_cast<int>(rows.size())));
}
