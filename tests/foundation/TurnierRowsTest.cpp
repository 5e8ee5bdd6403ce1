// The rows of a tournament file as a load checks them: a row lost at the end of its table breaks
// no numbering, so the groups' games and slots are counted and the codes that name games and
// groups are looked up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/Columns.h"
#include "foundation/files/TurnierRows.h"

namespace {

using Rows = std::vector<TurnierRow>;

TurnierRow Cells(std::initializer_list<std::pair<int, std::string>> cells, int kind) {
    TurnierRow row(31);
    row[0] = "1";
    row[1] = std::to_string(kind);
    for (const auto& [column, text] : cells) row[static_cast<size_t>(column)] = text;
    return row;
}

TurnierRow Group(int number, const std::string& id, const std::string& system, int participants) {
    return Cells({{Gruppe_Nr, std::to_string(number)}, {Gruppe_Bez, id}, {Gruppe_Name, "Gruppe " + id},
                  {Gruppe_Teams, "M1"}, {Gruppe_System, system}, {Gruppe_AnzTeams, std::to_string(participants)}},
                 TabelleGruppe);
}

TurnierRow Game(int number, int group, int t1, int t2) {
    return Cells({{Spielplan_SpNr, std::to_string(number)}, {Spielplan_GrNr, std::to_string(group)},
                  {Spielplan_T1, std::to_string(t1)}, {Spielplan_T2, std::to_string(t2)}},
                 TabelleSpielplan);
}

TurnierRow Slot(int number, int group, const std::string& kind = "", const std::string& position = "") {
    return Cells({{Teams_Nr, std::to_string(number)}, {Teams_InGr, std::to_string(group)}, {Teams_SV, kind},
                  {Teams_Pos, position}},
                 TabelleTeams);
}

TurnierRow Place(int number, int place, const std::string& name, const std::string& kind = "",
                 const std::string& position = "") {
    return Cells({{Teams_Nr, std::to_string(number)}, {Teams_Platz, std::to_string(place)}, {Teams_Name, name},
                  {Teams_SV, kind}, {Teams_Pos, position}},
                 TabelleTeams);
}

// Round robin: a game for every pair; pairs in list order: one for every two.
int Systems(const std::string& system, int participants) {
    if (system == "JGJ") return participants * (participants - 1) / 2;
    return system == "SV" ? participants / 2 : 0;
}

// A group "A" of three playing each other, a final "F" of the two first.
Rows Cup() {
    return {Cells({{3, "Pokal"}}, TabelleTurnier),
            Group(1, "A", "JGJ", 3),
            Group(2, "F", "SV", 2),
            Game(1, 1, 1, 2),
            Game(2, 1, 1, 3),
            Game(3, 1, 2, 3),
            Game(4, 2, 4, 5),
            Slot(1, 1),
            Slot(2, 1),
            Slot(3, 1),
            Slot(4, 2),
            Slot(5, 2),
            Place(6, 1, "Sieger Spiel 4", "S", "4"),
            Place(7, 2, "Verlierer Spiel 4", "V", "4")};
}

std::string Damage(const Rows& rows) { return CheckTurnierRows(rows, Systems).damage; }

Rows Without(Rows rows, size_t index) {
    rows.erase(rows.begin() + static_cast<long>(index));
    return rows;
}

class TurnierRowsTest : public ProgramTest {};

}  // namespace

TEST_F(TurnierRowsTest, AWholeTournamentPassesAndMoreGamesThanTheSystemMakesAreNoDamage) {
    EXPECT_EQ(Damage(Cup()), "");
    Rows more = Cup();
    more.insert(more.begin() + 7, Game(5, 1, 3, 1));
    EXPECT_EQ(Damage(more), "") << "what a group holds beyond its system is never refused";
}

TEST_F(TurnierRowsTest, TheLastGameOfAGroupLostIsNamed) {
    const Rows withoutFinal = Without(Cup(), 6);
    EXPECT_EQ(Damage(withoutFinal), "in Gruppe F fehlen Spiele (0 statt 1).");
    EXPECT_EQ(CheckTurnierRows(withoutFinal, nullptr).damage, "die Endplatzierung nennt Spiel 4, das es nicht gibt.")
        << "without the rule the games are not counted, and the placing still names the final";
    EXPECT_EQ(Damage(Without(Cup(), 5)), "Spiel 3 fehlt.") << "a row lost in the middle leaves a gap, named first";
}

TEST_F(TurnierRowsTest, TheLastSlotOfAGroupLostIsNamed) {
    Rows rows = Cup();
    rows[2] = Group(2, "F", "SV", 3);  // a pair and one who plays nothing
    rows.insert(rows.begin() + 12, Slot(6, 2));
    for (size_t r = 13; r < rows.size(); ++r) rows[r][Teams_Nr] = std::to_string(r - 6);
    EXPECT_EQ(Damage(rows), "");
    EXPECT_EQ(Damage(Without(Without(rows, 14), 13)), "") << "the placing's entries may be any number";
    EXPECT_EQ(Damage(Without(Without(Without(rows, 14), 13), 12)), "in Gruppe F fehlen Teilnehmer (2 statt 3).");
}

TEST_F(TurnierRowsTest, APlacingOrSlotThatNamesAGameOrGroupWithoutARowIsNamed) {
    Rows rows = Cup();
    rows[12] = Place(6, 1, "Sieger Spiel 9", "S", "9");
    EXPECT_EQ(Damage(rows), "die Endplatzierung nennt Spiel 9, das es nicht gibt.");
    rows[12] = Place(6, 1, "Sieger Spiel 9");
    EXPECT_EQ(Damage(rows), "die Endplatzierung nennt Spiel 9, das es nicht gibt.") << "an older list names it only";
    rows[12] = Place(6, 1, "1. Gruppe B");
    EXPECT_EQ(Damage(rows), "die Endplatzierung nennt Gruppe B, die es nicht gibt.");
    rows[12] = Place(6, 1, "1. Gruppe a");
    EXPECT_EQ(Damage(rows), "") << "ids match regardless of case";
    rows = Cup();
    rows[10] = Slot(4, 2, "V", "7");
    EXPECT_EQ(Damage(rows), "Teilnehmer 4 kommt aus Spiel 7, das es nicht gibt.");
    rows[10] = Slot(4, 2, "B1/2/A,C");
    EXPECT_EQ(Damage(rows), "Teilnehmer 4 kommt aus Gruppe C, die es nicht gibt.");
    rows[10] = Slot(4, 2, "B1/2/a");
    EXPECT_EQ(Damage(rows), "");
    rows[10][Teams_GrNr] = "3";
    EXPECT_EQ(Damage(rows), "Gruppe 3 fehlt.") << "a place code's group by its number";
}

// The numbering and its reasons stay as they were: lost or doubled rows in the middle.
TEST_F(TurnierRowsTest, NumbersOfAnotherFormDoubledOrMissingComeFirstInTheirOrder) {
    Rows rows = Cup();
    rows[5][Spielplan_SpNr] = "2";
    rows[8][Teams_Nr] = "02";
    EXPECT_EQ(Damage(rows), "Teilnehmer hat die Nummer „02“.") << "participants before games";
    rows[8][Teams_Nr] = "999999999";
    EXPECT_EQ(Damage(rows), "Teilnehmer 2 fehlt.");
    rows[8][Teams_Nr] = "2";
    EXPECT_EQ(Damage(rows), "Spiel 2 steht zweimal darin.");
    EXPECT_EQ(Damage({Group(1, "A", "JGJ", 2)}), "die Tabelle beginnt nicht mit der Turnierzeile.");
    EXPECT_EQ(Damage({}), "die Tabelle beginnt nicht mit der Turnierzeile.");
}

// Groups of an older release name neither participants nor fields: the load says so in its own
// words, and counts nothing in them.
TEST_F(TurnierRowsTest, GroupsOfAnOlderReleaseAreToldAndNotCounted) {
    Rows rows = Cup();
    rows[1][Gruppe_Teams].clear();
    rows[1][Gruppe_AnzTeams] = "9";
    const TurnierRowsVerdict verdict = CheckTurnierRows(rows, Systems);
    EXPECT_EQ(verdict.damage, "");
    EXPECT_TRUE(verdict.olderGroups);
}
