#pragma once
// What must hold of a tournament's tables whatever was created, deleted or played: numbers equal
// to row indices, and every cell that names a group, participant or game naming one that exists
// and fits. Each broken rule comes back as a line naming the table, the row and the cell.
#include <set>
#include <string>
#include <vector>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"

namespace table_invariants {

inline bool IsDataRow(const TStringGrid& t, int row) { return !t.Cells(0, row).empty(); }

inline int DataRows(const TStringGrid& t) {
    int rows = 0;
    for (int r = 1; r < t.RowCount(); ++r)
        if (IsDataRow(t, r)) ++rows;
    return rows;
}

inline std::vector<std::string> Check(const TMainForm& f) {
    std::vector<std::string> problems;
    auto fail = [&](const std::string& where, int row, const std::string& what) {
        problems.push_back(where + " Zeile " + IntToStr(row) + ": " + what);
    };
    const TSortGrid &gruppe = f.Gruppe, &teams = f.Teams, &plan = f.Spielplan, &platz = f.Platz;
    const int groups = DataRows(gruppe), slots = DataRows(teams), games = DataRows(plan);
    auto group = [&](const std::string& cell) { return ToInt(cell) >= 1 && ToInt(cell) <= groups && cell == IntToStr(ToInt(cell)); };
    auto team = [&](const std::string& cell) { return ToInt(cell) >= 1 && ToInt(cell) <= slots && cell == IntToStr(ToInt(cell)); };
    auto roundOf = [&](int g) { return gruppe.Cells(Gruppe_RNr, g); };

    std::set<int> rounds;
    for (int r = 1; r < gruppe.RowCount(); ++r) {
        if (!IsDataRow(gruppe, r)) {
            if (r < gruppe.RowCount() - 1 || groups > 0) fail("Gruppe", r, "Leerzeile");
            continue;
        }
        if (IntGet(gruppe, Gruppe_Nr, r, true) != r) fail("Gruppe", r, "Gruppe_Nr " + gruppe.Cells(Gruppe_Nr, r));
        if (IntGet(gruppe, Gruppe_GrNr, r, true) != r) fail("Gruppe", r, "Gruppe_GrNr " + gruppe.Cells(Gruppe_GrNr, r));
        rounds.insert(IntGet(gruppe, Gruppe_RNr, r, true));
        if (ListGet(f.XAGruppBez, r) != gruppe.Cells(Gruppe_Bez, r)) fail("XAGruppBez", r, ListGet(f.XAGruppBez, r));
    }
    int expectedRound = 0;
    for (int round : rounds)
        if (round != ++expectedRound) fail("Gruppe", 0, "Runde " + IntToStr(round) + " statt " + IntToStr(expectedRound));

    for (int r = 1; r < teams.RowCount(); ++r) {
        if (!IsDataRow(teams, r)) continue;
        if (IntGet(teams, Teams_Nr, r, true) != r) fail("Teams", r, "Teams_Nr " + teams.Cells(Teams_Nr, r));
        const std::string& in = teams.Cells(Teams_InGr, r);
        if (!in.empty() && !group(in)) fail("Teams", r, "Teams_InGr " + in);
        const std::string& source = teams.Cells(Teams_GrNr, r);
        if (!source.empty() && !group(source)) fail("Teams", r, "Teams_GrNr " + source);
        const std::string& kind = teams.Cells(Teams_SV, r);
        if (kind == "S" || kind == "V") {
            const int game = FindRow(plan, Spielplan_SpNr, teams.Cells(Teams_Pos, r));
            if (game < 1) fail("Teams", r, "Spiel " + teams.Cells(Teams_Pos, r) + " fehlt");
            else if (plan.Cells(Spielplan_GrNr, game) != source) fail("Teams", r, "Gruppe des Spiels " + source);
        }
        if (ListGet(f.XATeams, r) != teams.Cells(Teams_Name, r)) fail("XATeams", r, ListGet(f.XATeams, r));
    }
    if (f.XATeams.Items.Count() != slots + 1) fail("XATeams", 0, "Anzahl " + IntToStr(f.XATeams.Items.Count()));

    for (int r = 1; r < plan.RowCount(); ++r) {
        if (!IsDataRow(plan, r)) continue;
        if (IntGet(plan, Spielplan_SpNr, r, true) != r) fail("Spielplan", r, "SpNr " + plan.Cells(Spielplan_SpNr, r));
        const std::string& g = plan.Cells(Spielplan_GrNr, r);
        if (!group(g)) {
            fail("Spielplan", r, "GrNr " + g);
            continue;
        }
        for (int column : {Spielplan_T1, Spielplan_T2}) {
            const std::string& t = plan.Cells(column, r);
            if (!team(t)) fail("Spielplan", r, "Teilnehmer " + t);
            else if (roundOf(IntGet(teams, Teams_InGr, ToInt(t), true)) != roundOf(ToInt(g)))
                fail("Spielplan", r, "Teilnehmer " + t + " aus anderer Runde");
        }
        const std::string& winner = plan.Cells(Spielplan_Sieger, r);
        if (!winner.empty() && winner != "0" && winner != plan.Cells(Spielplan_T1, r) && winner != plan.Cells(Spielplan_T2, r))
            fail("Spielplan", r, "Sieger " + winner);
        const std::string& referee = plan.Cells(Spielplan_Schir, r);
        if (!referee.empty() && referee != "0" && referee[0] != 'N' && !team(referee)) fail("Spielplan", r, "Schiri " + referee);
        if (plan.Cells(Spielplan_RNr, r) != roundOf(ToInt(g))) fail("Spielplan", r, "RNr " + plan.Cells(Spielplan_RNr, r));
    }
    if (games == 0 && plan.RowCount() != 2) fail("Spielplan", 0, "RowCount " + IntToStr(plan.RowCount()));

    std::vector<int> standingsOf(static_cast<size_t>(slots) + 1, 0);
    for (int r = 1; r < platz.RowCount(); ++r) {
        if (!IsDataRow(platz, r)) continue;
        const std::string& t = platz.Cells(Platz_TeamNr, r);
        if (!team(t)) {
            fail("Platz", r, "TeamNr " + t);
            continue;
        }
        ++standingsOf[static_cast<size_t>(ToInt(t))];
        if (teams.Cells(Teams_InGr, ToInt(t)) != platz.Cells(Platz_GrNr, r)) fail("Platz", r, "GrNr " + platz.Cells(Platz_GrNr, r));
    }
    for (int t = 1; t <= slots; ++t) {
        const bool slot = !teams.Cells(Teams_InGr, t).empty();
        if (standingsOf[static_cast<size_t>(t)] != (slot ? 1 : 0))
            fail("Platz", 0, "Teilnehmer " + IntToStr(t) + " hat " + IntToStr(standingsOf[static_cast<size_t>(t)]) + " Tabellenzeilen");
    }
    return problems;
}

}  // namespace table_invariants
