#include "dialogs/frmImport.h"

#include <map>

#include "foundation/Conversions.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Platzgrid.h"
#include "foundation/files/TFile.h"
#include "platform/FileNames.h"
#include "platform/Strings.h"

namespace {

std::string LineProblem(int line, const std::string& what) { return "Zeile " + IntToStr(line) + ": " + what; }

// The fields of a line, each without blanks around it, trailing empty fields dropped.
std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t end = line.find(';', start);
        fields.push_back(TrimName(line.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    return fields;
}

bool IsHeader(const std::vector<std::string>& fields) {
    return fields.size() == 2 && SameText(fields[0], "Mannschaft") && SameText(fields[1], "Spieler");
}

// Reads the lines after the header into the list.
class ListReader {
public:
    ListReader(Spielerliste& list, int maxTeams) : list_(list), maxTeams_(maxTeams) {}

    // False when the line makes the file unusable (the list's problem says why).
    bool Take(const std::string& line, int number) {
        if (!IsPlainText(line)) return Fail(LineProblem(number, "enthält Zeichen, die kein Text sind."));
        const std::vector<std::string> fields = SplitFields(line);
        if (fields.empty()) return true;
        if (fields.size() > 2) return Fail(LineProblem(number, "hat mehr als zwei Felder."));
        if (fields[0].empty()) return Fail(LineProblem(number, "Der Mannschaftsname fehlt."));
        const std::string player = fields.size() > 1 ? fields[1] : "";
        if (player.find('|') != std::string::npos)
            return Fail(LineProblem(number, "Ein Spielername darf kein \"|\" enthalten."));
        SpielerTeam* team = TeamNamed(fields[0]);
        if (!team) return false;
        if (!player.empty()) team->players.push_back(player);
        return true;
    }

private:
    bool Fail(const std::string& problem) {
        list_.problem = problem;
        return false;
    }

    SpielerTeam* TeamNamed(const std::string& given) {
        const std::string name = CutNameQuietly(given);
        if (auto found = index_.find(name); found != index_.end()) return &list_.teams[found->second];
        if (static_cast<int>(list_.teams.size()) >= maxTeams_) {
            Fail("Die Datei enthält mehr Mannschaften, als die Platzhalterliste Plätze hat (" + IntToStr(maxTeams_) +
                 ").");
            return nullptr;
        }
        index_[name] = list_.teams.size();
        list_.teams.push_back({name, {}, name.size() != given.size()});
        return &list_.teams.back();
    }

    Spielerliste& list_;
    int maxTeams_;
    std::map<std::string, size_t> index_;
};

}  // namespace

bool IsSpielerlistenKopf(const std::string& line) { return IsHeader(SplitFields(line)); }

bool IstSpielerliste(const std::string& path) {
    TFile file;
    if (!file.OpenRead(path, false)) return false;
    const bool header = IsSpielerlistenKopf(file.ReadLine());
    file.Close();
    return header;
}

Spielerliste ReadSpielerliste(const std::string& path, int maxTeams) {
    Spielerliste list;
    TFile file;
    if (!file.OpenRead(path, false)) {
        list.problem = "Die Datei " + path + " konnte nicht gelesen werden.";
        return list;
    }
    ListReader reader(list, maxTeams);
    if (!IsHeader(SplitFields(file.ReadLine())))
        list.problem = "Die erste Zeile der Datei muss \"Mannschaft;Spieler\" lauten.";
    for (int number = 2; list.problem.empty() && !file.Eof(); ++number) {
        const std::string line = file.ReadLine();
        if (file.LineTooLong()) list.problem = LineProblem(number, "ist zu lang für eine Spielerliste.");
        else if (!reader.Take(line, number)) break;
    }
    file.Close();
    if (list.problem.empty() && list.teams.empty()) list.problem = "Die Datei enthält keine Mannschaft.";
    if (!list.problem.empty()) list.teams.clear();
    return list;
}

TImport::TImport() {
    Name = "Import";
    SetCaption("Spielerlisten importieren");
}

std::vector<DialogField> TImport::Fields() { return {TextField("Datei", Edit1)}; }

std::vector<DialogAction> TImport::Actions() { return {OkAction("Übernehmen"), CancelAction()}; }

void TImport::FormShow() {
    list_ = {};
    rows_.clear();
}

bool TImport::PlanRows(const Spielerliste& list, std::string& problem) {
    const TStringGrid& grid = *Platzgrid;
    rows_.clear();
    std::vector<int> open;
    std::map<std::string, int> named;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (!IsSlotRow(grid, row)) continue;
        const std::string& name = grid.Cells(Platzgrid_Mannschaft, row);
        if (!name.empty()) named.emplace(name, row);
        else if (!IsLockedRow(grid, row)) open.push_back(row);
    }
    size_t newTeams = 0;
    for (const SpielerTeam& team : list.teams) {
        const auto found = named.find(team.name);
        if (found == named.end()) {
            rows_.push_back(newTeams < open.size() ? open[newTeams] : 0);
            ++newTeams;
        } else if (IsLockedRow(grid, found->second)) {
            problem = "Die Mannschaft \"" + team.name + "\" hat schon gespielt; ihre Spielerliste bleibt, wie sie ist.";
            return false;
        } else {
            rows_.push_back(found->second);
        }
    }
    if (newTeams <= open.size()) return true;
    problem = "Die Datei enthält " + IntToStr(static_cast<long long>(newTeams)) + " neue Mannschaften, es sind aber nur " +
              IntToStr(static_cast<long long>(open.size())) + " Plätze frei.";
    return false;
}

bool TImport::CheckOk() {
    if (!Platzgrid) return false;
    if (Edit1.Text().empty()) {
        ShowMsg(1, "Bitte geben Sie die Datei mit den Spielerlisten an.");
        return false;
    }
    int slots = 0;
    for (int row = 1; row < Platzgrid->RowCount(); ++row) slots += IsSlotRow(*Platzgrid, row) ? 1 : 0;
    Spielerliste list = ReadSpielerliste(WithUsualExtension(Edit1.Text(), ".csv"), slots);
    std::string problem = list.problem;
    if (problem.empty()) PlanRows(list, problem);
    if (!problem.empty()) {
        ShowMsg(3, problem);
        return false;
    }
    list_ = std::move(list);
    return true;
}

void TImport::AcceptOk() {
    for (const SpielerTeam& team : list_.teams)
        if (team.cut) TellNameCut();
    for (size_t i = 0; i < list_.teams.size(); ++i) {
        const SpielerTeam& team = list_.teams[i];
        std::string players;
        for (size_t p = 0; p < team.players.size(); ++p) players += (p ? "|" : "") + team.players[p];
        Platzgrid->SetCells(Platzgrid_Mannschaft, rows_[i], team.name);
        Platzgrid->SetCells(Platzgrid_Spieler, rows_[i], players);
    }
}
