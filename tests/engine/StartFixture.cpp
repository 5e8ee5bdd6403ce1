#include "StartFixture.h"

#include "engine/Platzhalter.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Platzgrid.h"

void StartTest::SetUp() {
    EngineTest::SetUp();
    TSortGrid& t = form->Turnier;
    Put(t, 0, 1, "1", true);
    Put(t, 1, 1, "1", true);
    Put(t, Turnier_AnzMann, 1, 4, true);
    a = AddGroup("A", "JGJ", 2);
    b = AddGroup("B", "JGJ", 2);
    c = AddGroup("C", "JGJ", 2);
    for (int g : {a, b}) Put(form->Gruppe, Gruppe_RNr, g, 1, true);
    Put(form->Gruppe, Gruppe_RNr, c, 2, true);
    m1 = AddTeam(a, "Mannschaft 1");
    m2 = AddTeam(a, "Mannschaft 2");
    m3 = AddTeam(b, "Mannschaft 3");
    m4 = AddTeam(b, "Mannschaft 4");
    gameA = AddGame(a, m1, m2);
    gameB = AddGame(b, m3, m4);
    auto placeholder = [this](int group, const std::string& code) {
        const int row = AddTeam(group);
        const std::string text = PutPlatzhalter(*form, code, row);
        Put(form->Teams, Teams_Name, row, text, true);
        ListPut(form->XATeams, row, text);
        return row;
    };
    winnerA = placeholder(c, "1.A");
    winnerB = placeholder(c, "1.B");
    gameC = AddGame(c, winnerA, winnerB);
    place1 = placeholder(0, "S3");
    place2 = placeholder(0, "V3");
    Put(form->Teams, Teams_Platz, place1, 1, true);
    Put(form->Teams, Teams_Platz, place2, 2, true);
    for (int team : {m1, m2, m3, m4}) AddStanding(team <= m2 ? a : b, team);
    for (int row = 1; row < form->XATeamsTur.Items.Count(); ++row) ListPut(form->XATeamsTur, row, "");
}

std::string StartTest::Team(int column, int row) const { return Get(form->Teams, column, row, true); }

std::string StartTest::State(int group) const { return Get(form->Gruppe, Gruppe_State, group, true); }

void StartTest::SetState(int group, const std::string& state) { Put(form->Gruppe, Gruppe_State, group, state, true); }

void StartTest::Offer(const std::vector<std::string>& names, const std::vector<std::string>& selected) {
    form->ListView2.Items.clear();
    for (const std::string& name : names) {
        TListItem& item = form->ListView2.Add();
        item.Caption = name;
        for (const std::string& s : selected) item.Selected = item.Selected || s == name;
    }
}

void StartTest::Fill(const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i)
        form->Xplatzgrid.SetCells(Platzgrid_Mannschaft, static_cast<int>(i) + 1, names[i]);
}

std::vector<std::string> StartTest::Names() const {
    std::vector<std::string> names;
    for (int row = 1; row < form->Xplatzgrid.RowCount(); ++row) names.push_back(Grid(Platzgrid_Mannschaft, row));
    return names;
}
