#include "engine/NamenAusDatei.h"

#include <set>

#include "dialogs/frmImport.h"
#include "engine/TurnierStart.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Platzgrid.h"
#include "foundation/Tables.h"
#include "foundation/files/NameFile.h"

namespace {

const char* const kNothingAssigned = " Es wurde kein Name zugewiesen.";

std::string BadLineProblem(int line, bool tooLong) {
    return "Zeile " + IntToStr(line) + " der Datei " + BadLineText(tooLong) + "." + kNothingAssigned;
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

bool AllSlotsNamed(const SlotNames& read, int slots) { return static_cast<int>(read.names.size()) >= slots; }

// Takes one name; false when it makes the file unusable. Names past the slots are only counted.
bool TakeName(SlotNames& read, std::set<std::string>& seen, const std::string& name, int slots) {
    if (AllSlotsNamed(read, slots)) {
        ++read.leftOver;
        return true;
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
    NameFileReader file;
    if (!file.Open(path)) {
        read.problem = "Die Datei " + path + " konnte nicht gelesen werden.";
        return read;
    }
    std::set<std::string> seen;
    std::string name;
    for (bool first = true;; first = false) {
        if (!file.Next(name)) {
            // Once every slot has a name the rest is only counted: a line that is not text is one more.
            if (!AllSlotsNamed(read, slots) || !file.PassBadLine()) break;
            ++read.leftOver;
            continue;
        }
        if (first && IsSpielerlistenKopf(name)) {
            read.problem = PlayerList(path);
            break;
        }
        if (!TakeName(read, seen, name, slots)) break;
    }
    const bool complete = file.Complete() || AllSlotsNamed(read, slots);
    if (read.problem.empty() && file.BadLine() > 0) read.problem = BadLineProblem(file.BadLine(), file.BadLineTooLong());
    if (read.problem.empty() && !complete)
        read.problem = "Die Datei " + path + " konnte nicht vollständig gelesen werden." + kNothingAssigned;
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
