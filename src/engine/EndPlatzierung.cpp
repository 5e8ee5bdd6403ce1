#include "engine/EndPlatzierung.h"

#include <map>

#include "engine/Platzhalter.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Platzgrid.h"
#include "foundation/Tables.h"

namespace {

bool IsPlacingRow(const TSortGrid& teams, int row) {
    return !Get(teams, Teams_Nr, row, true).empty() && !Get(teams, Teams_Platz, row, true).empty();
}

void DeleteLookupItem(TListBox& list, int index) {
    if (index < list.Items.Count()) list.Items.Delete(index);
}

void RemovePlacingRows(TMainForm& f) {
    TSortGrid& teams = f.Teams;
    for (int row = teams.RowCount() - 1; row >= 1; --row) {
        if (!IsPlacingRow(teams, row)) continue;
        DeleteGridRow(teams, row);
        DeleteLookupItem(f.XATeams, row);
        DeleteLookupItem(f.XATeamsTur, row);
    }
}

void Renumber(TSortGrid& table, int column, const std::map<std::string, std::string>& moved) {
    for (int row = 1; row < table.RowCount(); ++row)
        if (auto found = moved.find(Get(table, column, row, true)); found != moved.end())
            Put(table, column, row, found->second, true);
}

// Participants are named by the number of their Teams row: rows that moved up take their new
// number, and so does every cell that names them.
void RenumberMovedParticipants(TMainForm& f) {
    TSortGrid& teams = f.Teams;
    std::map<std::string, std::string> moved;
    for (int row = 1; row < teams.RowCount(); ++row) {
        const std::string number = Get(teams, Teams_Nr, row, true);
        if (number.empty() || ToInt(number) == row) continue;
        moved[number] = IntToStr(row);
        Put(teams, Teams_Nr, row, row, true);
    }
    if (moved.empty()) return;
    for (int column : {Spielplan_T1, Spielplan_T2, Spielplan_Schir, Spielplan_Sieger}) Renumber(f.Spielplan, column, moved);
    Renumber(f.Platz, Platz_TeamNr, moved);
    for (int row = 1; row < f.Xplatzgrid.RowCount(); ++row)
        if (auto found = moved.find(f.Xplatzgrid.Cells(Platzgrid_TeamNr, row)); found != moved.end())
            f.Xplatzgrid.SetCells(Platzgrid_TeamNr, row, found->second);
}

// Item `index` of a lookup list, the list filled up to it when it falls short.
void SetLookupItem(TListBox& list, int index, const std::string& text) {
    while (list.Items.Count() < index) list.Items.Add("");
    if (list.Items.Count() == index) list.Items.Add(text);
    else ListPut(list, index, text);
}

int AppendTeamsRow(TSortGrid& teams) {
    if (teams.RowCount() == 2 && Get(teams, 0, 1, true).empty() && Get(teams, Teams_Nr, 1, true).empty()) return 1;
    const int row = teams.RowCount();
    teams.SetRowCount(row + 1);
    return row;
}

std::string AppendPlace(TMainForm& f, const std::string& code, int place) {
    TSortGrid& teams = f.Teams;
    const int row = AppendTeamsRow(teams);
    Put(teams, Tur_Nr, row, f.AktTurNr, true);
    Put(teams, Tabelle_Nr, row, TabelleTeams, true);
    Put(teams, Teams_Nr, row, row, true);
    Put(teams, Teams_Platz, row, place, true);
    const std::string text = PutPlatzhalter(f, code, row);
    Put(teams, Teams_Name, row, text, true);
    Put(teams, Teams_Name_Tmp, row, text, true);
    SetLookupItem(f.XATeams, row, text);
    SetLookupItem(f.XATeamsTur, row, "");
    return text;
}

void BlankRow(TStringGrid& grid, int row, int columns) {
    for (int c = 0; c < columns; ++c) grid.SetCells(c, row, "");
}

}  // namespace

std::string currentEndPlatzierung(const TMainForm& f) {
    std::string list;
    for (int row = 1; row < f.Teams.RowCount(); ++row) {
        if (IntGet(f.Teams, Teams_Platz, row, true) <= 0) continue;
        const std::string code = GetPlatzhalter(f, row, true);
        if (!code.empty()) list += code + ";";
    }
    return list;
}

void setEndPlatzierung(TMainForm& f, const std::string& list) {
    Log("[F] setEndPlatzierung(): EndPlatzierung ersetzen");
    RemovePlacingRows(f);
    RenumberMovedParticipants(f);
    // One row per participant; places of an earlier list do not stay behind in it.
    const int participants = IntGet(f.Turnier, Turnier_AnzMann, 1, true);
    f.TPlatz.SetRowCount(list.empty() || participants < 1 ? 2 : participants + 1);
    for (int row = 1; row < f.TPlatz.RowCount(); ++row) BlankRow(f.TPlatz, row, list.empty() ? 10 : 2);
    int place = 0;
    const std::string items = list.empty() ? list : list + ";";
    for (size_t start = 0, end; (end = items.find(';', start)) != std::string::npos; start = end + 1) {
        const std::string code = items.substr(start, end - start);
        if (code.empty()) continue;
        const std::string text = AppendPlace(f, code, ++place);
        if (place >= f.TPlatz.RowCount()) f.TPlatz.SetRowCount(place + 1);
        f.TPlatz.SetCells(0, place, IntToStr(place));
        f.TPlatz.SetCells(1, place, text);
    }
    setTurChanged(f, true);
}
