#include "engine/Nummerierung.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Notation.h"
#include "foundation/Platzgrid.h"
#include "foundation/SortGrid.h"

namespace {

// Old number (as the cells hold it) -> new number.
using NumberMap = std::unordered_map<std::string, std::string>;

bool IsDataRow(const TStringGrid& table, int row) { return !table.Cells(0, row).empty(); }

// Each row's number in `column` becomes the row's index; the changes are returned.
NumberMap RowNumbers(TSortGrid& table, int column) {
    NumberMap moved;
    for (int row = 1; row < table.RowCount(); ++row) {
        const std::string& number = table.Cells(column, row);
        if (!IsDataRow(table, row) || number.empty() || number == IntToStr(row)) continue;
        moved[number] = IntToStr(row);
        Put(table, column, row, row, true);
    }
    return moved;
}

void Follow(TStringGrid& table, int column, const NumberMap& moved) {
    if (moved.empty()) return;
    for (int row = 1; row < table.RowCount(); ++row)
        if (auto found = moved.find(table.Cells(column, row)); found != moved.end()) table.SetCells(column, row, found->second);
}

void RenumberGroups(TMainForm& f) {
    TSortGrid& gruppe = f.Gruppe;
    const NumberMap moved = RowNumbers(gruppe, Gruppe_Nr);
    // Renaming and the scoring tab find a group by Gruppe_GrNr: it is the group's number.
    for (int row = 1; row < gruppe.RowCount(); ++row)
        if (IsDataRow(gruppe, row) && gruppe.Cells(Gruppe_GrNr, row) != gruppe.Cells(Gruppe_Nr, row))
            Put(gruppe, Gruppe_GrNr, row, gruppe.Cells(Gruppe_Nr, row), true);
    Follow(f.Spielplan, Spielplan_GrNr, moved);
    Follow(f.Teams, Teams_GrNr, moved);
    Follow(f.Teams, Teams_InGr, moved);
    Follow(f.Platz, Platz_GrNr, moved);
    Follow(f.Xplatzgrid, Platzgrid_GrNr, moved);
}

// A referee cell naming a participant: a number above 0; "0", "N" + k and the empty text are not.
bool NamesParticipant(const std::string& code) { return ToInt(code) > 0 && code.find_first_not_of("0123456789") == std::string::npos; }

void RenumberParticipants(TMainForm& f) {
    TSortGrid& teams = f.Teams;
    std::set<std::string> existing;
    for (int row = 1; row < teams.RowCount(); ++row)
        if (IsDataRow(teams, row) && !teams.Cells(Teams_Nr, row).empty()) existing.insert(teams.Cells(Teams_Nr, row));
    TSortGrid& plan = f.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        const std::string& referee = plan.Cells(Spielplan_Schir, row);
        if (IsDataRow(plan, row) && NamesParticipant(referee) && !existing.count(referee)) {
            Log("[S] Spiel " + plan.Cells(Spielplan_SpNr, row) + ": Schiedsrichter " + referee +
                " gibt es nicht mehr, neutrales Schiedsgericht");
            Put(plan, Spielplan_Schir, row, "0", true);
        }
    }
    const NumberMap moved = RowNumbers(teams, Teams_Nr);
    for (int column : {Spielplan_T1, Spielplan_T2, Spielplan_Schir, Spielplan_Sieger}) Follow(plan, column, moved);
    Follow(f.Platz, Platz_TeamNr, moved);
    Follow(f.Xplatzgrid, Platzgrid_TeamNr, moved);
    // Ties are looked for again at the next ranking; numbers from before would name others.
    if (!moved.empty()) f.KonfliktTeams.Clear();
}

bool SortedByNumber(const TSortGrid& plan) {
    for (int row = 2; row < plan.RowCount(); ++row)
        if (ToInt(plan.Cells(Spielplan_SpNr, row)) < ToInt(plan.Cells(Spielplan_SpNr, row - 1))) return false;
    return true;
}

// A winner or loser code of a participant list, with the game's new number.
std::string RenumberedCode(const std::string& item, const NumberMap& moved) {
    if (item.size() < 2 || (item[0] != 'S' && item[0] != 'V')) return item;
    const auto found = moved.find(item.substr(1));
    return found == moved.end() ? item : item.substr(0, 1) + found->second;
}

// The slot shows the new game number wherever it shows its placeholder text.
void ShowNewText(TMainForm& f, int row, const std::string& oldText, const std::string& newText) {
    TSortGrid& teams = f.Teams;
    for (int column : {Teams_Name, Teams_Name_Tmp})
        if (teams.Cells(column, row) == oldText) Put(teams, column, row, newText, true);
    TSortGrid& platz = f.Platz;
    const std::string& number = teams.Cells(Teams_Nr, row);
    for (int p = 1; p < platz.RowCount(); ++p)
        if (platz.Cells(Platz_TeamNr, p) == number && platz.Cells(Platz_Team, p) == oldText)
            Put(platz, Platz_Team, p, newText, true);
}

void RenumberGames(TMainForm& f) {
    TSortGrid& plan = f.Spielplan;
    if (!SortedByNumber(plan)) sortGrid(plan, Spielplan_SpNr, true);
    const NumberMap moved = RowNumbers(plan, Spielplan_SpNr);
    if (moved.empty()) return;
    TSortGrid& teams = f.Teams;
    for (int row = 1; row < teams.RowCount(); ++row) {
        const std::string kind = teams.Cells(Teams_SV, row);
        if (kind != "S" && kind != "V") continue;
        const auto found = moved.find(teams.Cells(Teams_Pos, row));
        if (found == moved.end()) continue;
        const std::string oldText = GameCodeText(kind[0], found->first);
        Put(teams, Teams_Pos, row, found->second, true);
        ShowNewText(f, row, oldText, GameCodeText(kind[0], found->second));
    }
    TSortGrid& gruppe = f.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row) {
        const std::string& list = gruppe.Cells(Gruppe_Teams, row);
        if (list.empty()) continue;
        std::string renumbered;
        for (const std::string& item : SplitItems(list))
            renumbered += (renumbered.empty() ? "" : ";") + RenumberedCode(item, moved);
        if (renumbered != list) Put(gruppe, Gruppe_Teams, row, renumbered, true);
    }
}

void RenumberRounds(TMainForm& f) {
    TSortGrid& gruppe = f.Gruppe;
    std::set<int> rounds;
    for (int row = 1; row < gruppe.RowCount(); ++row)
        if (IsDataRow(gruppe, row) && IntGet(gruppe, Gruppe_RNr, row, true) > 0) rounds.insert(IntGet(gruppe, Gruppe_RNr, row, true));
    NumberMap moved;
    int next = 0;
    for (int round : rounds)
        if (++next != round) moved[IntToStr(round)] = IntToStr(next);
    Follow(gruppe, Gruppe_RNr, moved);
    Follow(f.Spielplan, Spielplan_RNr, moved);
}

}  // namespace

void NummernSchliessen(TMainForm& form) {
    RenumberGroups(form);
    RenumberParticipants(form);
    RenumberGames(form);
    RenumberRounds(form);
}

void TeilnehmerNummernSchliessen(TMainForm& form) { RenumberParticipants(form); }
