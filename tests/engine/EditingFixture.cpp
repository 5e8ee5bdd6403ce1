#include "EditingFixture.h"

#include "TableInvariants.h"
#include "engine/GruppeLoeschen.h"
#include "engine/SpielplanKlick.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "platform/Random.h"

void EditingTest::SetUp() {
    RoundsTest::SetUp();
    form->Edit11.SetText("1");
    prng::Seed(7);
}

void EditingTest::Build(const std::string& text) {
    ASSERT_TRUE(buildTurnierform(*form, text + "!")) << text;
    ASSERT_TRUE(Problems().empty()) << Problems().front();
}

int EditingTest::Team(const std::string& name) const { return FindRow(form->Teams, Teams_Name, name); }

std::string EditingTest::NameOf(const std::string& number) const {
    return ToInt(number) > 0 ? form->Teams.Cells(Teams_Name, ToInt(number)) : std::string();
}

int EditingTest::GameBetween(const std::string& a, const std::string& b) const {
    const TSortGrid& plan = form->Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        const std::string first = NameOf(plan.Cells(Spielplan_T1, row)), second = NameOf(plan.Cells(Spielplan_T2, row));
        if ((first == a && second == b) || (first == b && second == a)) return ToInt(plan.Cells(Spielplan_SpNr, row));
    }
    return 0;
}

int EditingTest::GroupNumber(const std::string& id) const { return ToInt(Cell(form->Gruppe, Gruppe_Nr, FindRow(form->Gruppe, Gruppe_Bez, id))); }

int EditingTest::FirstGameOf(const std::string& id) const {
    const int row = FindRow(form->Spielplan, Spielplan_GrNr, IntToStr(GroupNumber(id)));
    return row > 0 ? ToInt(Cell(form->Spielplan, Spielplan_SpNr, row)) : 0;
}

void EditingTest::NameDirectSlots() {
    TSortGrid& teams = form->Teams;
    for (int row = 1; row < teams.RowCount(); ++row) {
        if (teams.Cells(Teams_Name, row).rfind("Mannschaft ", 0) != 0) continue;
        Put(teams, Teams_Name_Tur, row, "Echt " + teams.Cells(Teams_Name, row), true);
        ListPut(form->XATeamsTur, row, "Echt " + teams.Cells(Teams_Name, row));
    }
}

void EditingTest::Play(int game) { doSpielplanKlick(*form, nullptr, game, true, false); }

void EditingTest::Delete(const std::string& id) {
    ASSERT_TRUE(delGruppe(*form, GroupNumber(id))) << id;
    nachDelete(*form);
}

std::vector<std::string> EditingTest::Problems() const { return table_invariants::Check(*form); }
