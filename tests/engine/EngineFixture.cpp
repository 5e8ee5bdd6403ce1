#include "EngineFixture.h"

#include <filesystem>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"

int AppendRow(TSortGrid& grid) {
    int row = 1;
    if (!Get(grid, 0, 1, true).empty()) {
        row = grid.RowCount();
        grid.SetRowCount(row + 1);
    }
    Put(grid, 0, row, "1", true);
    return row;
}

void EngineTest::SetUp() {
    ProgramTest::SetUp();
    NewForm();
}

void EngineTest::NewForm() {
    form = std::make_unique<LightForm>();
    form->AktTurNr = 1;
    form->XAGruppBez.Items.Add("");
    form->XAGruppName.Items.Add("");
    form->XATeams.Items.Add("Neutrales Schiedsgericht");
    form->XATeamsTur.Items.Add("Neutrales Schiedsgericht");
}

int EngineTest::AddGroup(const std::string& id, const std::string& system, int teamCount) {
    TSortGrid& g = form->Gruppe;
    const int row = AppendRow(g);
    Put(g, 1, row, "2", true);
    Put(g, Gruppe_Nr, row, row, true);
    Put(g, Gruppe_GrNr, row, row, true);
    Put(g, Gruppe_Bez, row, id, true);
    Put(g, Gruppe_System, row, system, true);
    Put(g, Gruppe_AnzTeams, row, teamCount, true);
    Put(g, Gruppe_Startzeit, row, "10:00", true);
    Put(g, Gruppe_Spielzeit, row, 20, true);
    Put(g, Gruppe_Pause, row, 5, true);
    Put(g, Gruppe_Spieltag, row, 1, true);
    form->XAGruppBez.Items.Add(id);
    form->XAGruppName.Items.Add("Gruppe " + id);
    return row;
}

int EngineTest::AddTeam(int group, const std::string& name) {
    TSortGrid& t = form->Teams;
    const int row = AppendRow(t);
    Put(t, 1, row, "3", true);
    Put(t, Teams_Nr, row, row, true);
    Put(t, Teams_InGr, row, group, true);
    Put(t, Teams_Name, row, name, true);
    form->XATeams.Items.Add(name);
    form->XATeamsTur.Items.Add(name);
    return row;
}

int EngineTest::AddGame(int group, int t1, int t2, const std::string& winner) {
    TSortGrid& s = form->Spielplan;
    const int row = AppendRow(s);
    Put(s, 1, row, "4", true);
    Put(s, Spielplan_SpNr, row, row, true);
    Put(s, Spielplan_GrNr, row, group, true);
    Put(s, Spielplan_T1, row, t1, true);
    Put(s, Spielplan_T2, row, t2, true);
    Put(s, Spielplan_Sieger, row, winner, true);
    return row;
}

void EngineTest::AddStanding(int group, int team) {
    TSortGrid& p = form->Platz;
    const int row = AppendRow(p);
    Put(p, 1, row, "5", true);
    Put(p, Platz_TeamNr, row, team, true);
    Put(p, Platz_GrNr, row, group, true);
}

void EngineTest::SetGroupTiming(int group, const std::string& start, int duration, int pause, int day) {
    TSortGrid& g = form->Gruppe;
    Put(g, Gruppe_Startzeit, group, start, true);
    Put(g, Gruppe_Spielzeit, group, duration, true);
    Put(g, Gruppe_Pause, group, pause, true);
    Put(g, Gruppe_Spieltag, group, day, true);
}

std::vector<std::pair<int, int>> EngineTest::Games() const {
    std::vector<std::pair<int, int>> games;
    const TSortGrid& s = form->Spielplan;
    for (int row = 1; row < s.RowCount(); ++row)
        if (!Get(s, 0, row, true).empty())
            games.emplace_back(IntGet(s, Spielplan_T1, row, true), IntGet(s, Spielplan_T2, row, true));
    return games;
}

void EngineTest::InstallPairingFile() const {
    std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/Spklrs.dat", folder + "Spklrs.dat",
                               std::filesystem::copy_options::overwrite_existing);
}
