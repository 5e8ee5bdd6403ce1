#include "SmallTournament.h"

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/MainForm.h"

namespace {

void FillGroups(TMainForm& f) {
    TSortGrid& g = f.Gruppe;
    g.SetRowCount(3);
    const char* states[] = {"Open", "Closed"};
    for (int r = 1; r <= 2; ++r) {
        Put(g, 0, r, "1", true);
        Put(g, 1, r, "2", true);
        Put(g, Gruppe_Nr, r, r, true);
        Put(g, Gruppe_Bez, r, r == 1 ? "A" : "B", true);
        Put(g, Gruppe_Name, r, r == 1 ? "Gruppe A" : "Gruppe B", true);
        Put(g, Gruppe_State, r, states[r - 1], true);
        Put(g, Gruppe_RNr, r, 1, true);
    }
}

void FillGames(TMainForm& f) {
    TSortGrid& s = f.Spielplan;
    s.SetRowCount(3);
    for (int r = 1; r <= 2; ++r) {
        Put(s, 0, r, "1", true);
        Put(s, 1, r, "4", true);
        Put(s, Spielplan_SpNr, r, r, true);
        Put(s, Spielplan_GrNr, r, r, true);
        Put(s, Spielplan_Feld, r, r == 1 ? "2" : "1", true);
        Put(s, Spielplan_T1, r, 2 * r - 1, true);
        Put(s, Spielplan_T2, r, 2 * r, true);
        Put(s, Spielplan_Von, r, "10:00", true);
        Put(s, Spielplan_Bis, r, "10:20", true);
        Put(s, Spielplan_RNr, r, 1, true);
    }
    Put(s, Spielplan_Schir, 1, "N2", true);
    Put(s, Spielplan_Schir, 2, "4", true);
}

void FillParticipants(TMainForm& f) {
    const char* names[] = {"Adler", "Bären", "Condor", "Dachse", "Sieger Spiel 1", "Verlierer Spiel 1"};
    TSortGrid& t = f.Teams;
    t.SetRowCount(7);
    for (int r = 1; r <= 6; ++r) {
        Put(t, 0, r, "1", true);
        Put(t, 1, r, "3", true);
        Put(t, Teams_Nr, r, r, true);
        Put(t, Teams_Name, r, names[r - 1], true);
    }
    Put(t, Teams_Name_Tur, 4, "Delfine", true);
    Put(t, Teams_Platz, 5, "1", true);
    Put(t, Teams_Name_Tur, 5, "Bären", true);
    Put(t, Teams_Platz, 6, "2", true);
}

void FillStandings(TMainForm& f) {
    struct Row {
        int team, group;
        const char* name;
        int games, plus, minus;
    };
    const Row rows[] = {{2, 1, "Bären", 1, 3, 0}, {1, 1, "Adler", 1, 0, 3}, {3, 2, "Condor", 0, 0, 0},
                        {4, 2, "Delfine", 0, 0, 0}};
    TSortGrid& p = f.Platz;
    p.SetRowCount(5);
    for (int r = 1; r <= 4; ++r) {
        const Row& row = rows[r - 1];
        Put(p, 0, r, "1", true);
        Put(p, 1, r, "5", true);
        Put(p, Platz_TeamNr, r, row.team, true);
        Put(p, Platz_GrNr, r, row.group, true);
        Put(p, Platz_Team, r, row.name, true);
        Put(p, Platz_AnzSpiele, r, row.games, true);
        Put(p, Platz_PPkt, r, row.plus, true);
        Put(p, Platz_MPkt, r, row.minus, true);
    }
}

}  // namespace

void FillSmallTournament(TMainForm& f) {
    f.AktTurNr = 1;
    f.AnzTurniere = 1;
    f.AnzRunden = 1;
    f.XARunden.Items.SetText("\nRunde 1 ( Vorrunde )");
    f.XAGruppBez.Items.SetText("\nA\nB");
    f.XAGruppName.Items.SetText("\nGruppe A\nGruppe B");
    f.XATeams.Items.SetText("Neutrales Schiedsgericht\nAdler\nBären\nCondor\nDachse\nSieger Spiel 1\nVerlierer Spiel 1");
    f.XATeamsTur.Items.SetText("Neutrales Schiedsgericht\n\n\n\nDelfine\nBären\n\n");
    f.XAFelder.Items.SetText(" [EMPTY]\n2\n1");
    FillGroups(f);
    FillGames(f);
    FillParticipants(f);
    FillStandings(f);
}

void FillSmallTournamentAsRanked(TMainForm& f) {
    FillSmallTournament(f);
    Put(f.Spielplan, Spielplan_MPkt, 1, "3", true);
    Put(f.Spielplan, Spielplan_PPkt, 1, "0", true);
    Put(f.Spielplan, Spielplan_Sieger, 1, "2", true);
    for (int t = 1; t <= 4; ++t) Put(f.Teams, Teams_InGr, t, (t + 1) / 2, true);
    for (int g = 1; g <= 2; ++g) Put(f.Gruppe, Gruppe_AnzTeams, g, 2, true);
}
