#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "EngineFixture.h"
#include "engine/RundenSpiele.h"
#include "engine/Spielzeiten.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/files/Dateihandling.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Pairs = std::vector<std::pair<int, int>>;

class RundenSpieleTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // One field: every slot holds one game, so the plan keeps the order of the pairs.
        ASSERT_TRUE(parseFeldListe(*form, "1"));
    }
    // A group whose participants are interleaved with those of another group in the table.
    std::vector<int> GroupWithTeams(const std::string& system, int count) {
        const int group = AddGroup("A", system, count);
        std::vector<int> rows;
        for (int i = 0; i < count; ++i) {
            AddTeam(99, "fremd");
            rows.push_back(AddTeam(group));
        }
        return rows;
    }
    void WritePairingFile(const std::vector<std::string>& lines) {
        Dateihandling file;
        ASSERT_TRUE(file.Open(folder + "Spklrs.dat", "W", true));
        for (const std::string& line : lines) file.WriteLine(line);
        file.Close();
    }
};

// --- round robin ---

TEST_F(RundenSpieleTest, RoundRobinWithoutBlockInPlainOrder) {
    const auto t = GroupWithTeams("JGJ", 4);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[0], t[1]}, {t[0], t[2]}, {t[0], t[3]}, {t[1], t[2]}, {t[1], t[3]}, {t[2], t[3]}}));
}

TEST_F(RundenSpieleTest, DoubleRoundRobinWithoutBlockGetsTheReturnLeg) {
    const auto t = GroupWithTeams("JGJ2", 3);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[0], t[1]}, {t[0], t[2]}, {t[1], t[2]}, {t[1], t[0]}, {t[2], t[0]}, {t[2], t[1]}}));
}

TEST_F(RundenSpieleTest, CountLargerThanTheGroupPairsOnlyItsParticipants) {
    const auto t = GroupWithTeams("JGJ", 3);
    Put(form->Gruppe, Gruppe_AnzTeams, 1, 2000000000, true);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[0], t[1]}, {t[0], t[2]}, {t[1], t[2]}}));
}

TEST_F(RundenSpieleTest, BlockOfThePairingFileGivesTheOrder) {
    WritePairingFile({"T3F1", "1|2|3|", "2|1|3|", "<END>", "T4F1", "1|4|1|", "<END>", "<EOF>"});
    const auto t = GroupWithTeams("JGJ", 4);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[3], t[0]}}));
}

TEST_F(RundenSpieleTest, ReturnLegRepeatsTheBlockInOrderWithTheOtherTeamAtHome) {
    WritePairingFile({"T3F1", "1|2|3|", "2|3|1|", "3|1|2|", "<END>", "<EOF>"});
    const auto t = GroupWithTeams("JGJ2", 3);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[1], t[2]}, {t[2], t[0]}, {t[0], t[1]}, {t[2], t[1]}, {t[0], t[2]}, {t[1], t[0]}}));
}

TEST_F(RundenSpieleTest, RandomSidesStillApplyToTheReturnLegAndEveryPairMeetsTwice) {
    SetSetting(*form, "Reihenfolge", "Zufall");
    GroupWithTeams("JGJ2", 6);
    Do_RundenSpiele(*form, 1, 1);
    const Pairs games = Games();
    ASSERT_EQ(games.size(), 30u);
    std::map<std::pair<int, int>, int> meetings;
    int sameHome = 0;
    for (size_t i = 0; i < 15; ++i) {
        const auto [a, b] = games[i];
        const auto [c, d] = games[i + 15];
        // The return game is the first-leg game's pair, whoever is at home.
        EXPECT_EQ(std::minmax(a, b), std::minmax(c, d)) << i;
        sameHome += a == c;
        ++meetings[std::minmax(a, b)];
        ++meetings[std::minmax(c, d)];
    }
    EXPECT_EQ(meetings.size(), 15u);
    for (const auto& [pair, count] : meetings) EXPECT_EQ(count, 2);
    // The coin is drawn for a return game as for any other: some keep the first leg's home team.
    EXPECT_GT(sameHome, 0);
    EXPECT_LT(sameHome, 15);
}

TEST_F(RundenSpieleTest, PositionsOutsideTheGroupAndLinesWithoutBarAreSkipped) {
    WritePairingFile({"T3F1", "Kommentar", "1|0|2|", "1|2|4|", "1|2|2|", "1|3|1|", "<END>", "T3F1", "2|1|2|",
                      "<END>", "<EOF>"});
    const auto t = GroupWithTeams("JGJ", 3);
    Do_RundenSpiele(*form, 1, 1);
    // A second block of the same size adds its pairs too.
    EXPECT_EQ(Games(), (Pairs{{t[2], t[0]}, {t[0], t[1]}}));
}

// A block cut short may lack games: it warns and the whole plain order is played instead.
TEST_F(RundenSpieleTest, BlockWithoutEndWarnsAndIsNotUsed) {
    WritePairingFile({"T3F1", "1|1|2|", "1|2|3|"});
    const auto t = GroupWithTeams("JGJ", 3);
    Do_RundenSpiele(*form, 1, 1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Datei 'Spklrs.dat' ist fehlerhaft bzw. Modus wird nicht unterstuetzt!");
    EXPECT_EQ(Games(), (Pairs{{t[0], t[1]}, {t[0], t[2]}, {t[1], t[2]}}));
}

TEST_F(RundenSpieleTest, DamagedPairingFileFallsBackWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 20000; ++i) junk += static_cast<char>((i * 7919) % 256);
    WriteProgramFile("Spklrs.dat", junk);
    const auto t = GroupWithTeams("JGJ", 3);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games().size(), 3u);
}

TEST_F(RundenSpieleTest, RandomSidesKeepEveryPair) {
    SetSetting(*form, "Reihenfolge", "Zufall");
    const auto t = GroupWithTeams("JGJ", 6);
    Do_RundenSpiele(*form, 1, 1);
    std::set<std::pair<int, int>> unordered;
    int swapped = 0;
    for (auto [a, b] : Games()) {
        swapped += a > b;
        unordered.insert({std::min(a, b), std::max(a, b)});
    }
    EXPECT_EQ(unordered.size(), 15u);
    EXPECT_GT(swapped, 0);
    EXPECT_LT(swapped, 15);
}

TEST_F(RundenSpieleTest, GroupOfOneGetsNoGames) {
    for (const char* system : {"JGJ", "JGJ2", "SV"}) {
        ClearGrid(form->Spielplan);
        ClearGrid(form->Gruppe);
        ClearGrid(form->Teams);
        GroupWithTeams(system, 1);
        Do_RundenSpiele(*form, 1, 1);
        EXPECT_TRUE(Games().empty()) << system;
    }
}

// --- list order ---

TEST_F(RundenSpieleTest, ListOrderPairsNeighboursAndLeavesTheOddOneOut) {
    const auto t = GroupWithTeams("SV", 5);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[0], t[1]}, {t[2], t[3]}}));
}

TEST_F(RundenSpieleTest, ListOrderDropsAPairWithoutNumber) {
    const auto t = GroupWithTeams("SV", 4);
    Put(form->Teams, Teams_Nr, t[1], "", true);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[2], t[3]}}));
    EXPECT_THAT(ErrorLogText(), HasSubstr("[X] Do_RundenSpiele: SV: TNr1/TNr2 konnte keinen Wert ermitteln"));
}

TEST_F(RundenSpieleTest, CountedGamesCycleThroughTheList) {
    const auto t = GroupWithTeams("A5", 3);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_EQ(Games(), (Pairs{{t[0], t[1]}, {t[2], t[0]}, {t[1], t[2]}, {t[0], t[1]}, {t[2], t[0]}}));
}

TEST_F(RundenSpieleTest, CountedGamesEndWithoutAPartner) {
    GroupWithTeams("A4", 1);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_TRUE(Games().empty());
    ClearGrid(form->Gruppe);
    ClearGrid(form->Teams);
    GroupWithTeams("A0", 3);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_TRUE(Games().empty());
}

TEST_F(RundenSpieleTest, CountedGamesEndWhenNoNumberIsUsable) {
    const auto t = GroupWithTeams("A3", 2);
    for (int row : t) Put(form->Teams, Teams_Nr, row, "0", true);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_TRUE(Games().empty());
}

TEST_F(RundenSpieleTest, UnknownSystemMakesNoGames) {
    GroupWithTeams("KO", 4);
    Do_RundenSpiele(*form, 1, 1);
    EXPECT_TRUE(Games().empty());
}

// --- the work tables and the round ---

TEST_F(RundenSpieleTest, OnlyTheGroupsFromTheStartRowPlay) {
    const int a = AddGroup("A", "SV", 2);
    const int a1 = AddTeam(a), a2 = AddTeam(a);
    const int b = AddGroup("B", "SV", 2);
    const int b1 = AddTeam(b), b2 = AddTeam(b);
    Do_RundenSpiele(*form, b, 1);
    EXPECT_EQ(Games(), (Pairs{{b1, b2}}));
    EXPECT_EQ(IntGet(form->Spielplan, Spielplan_GrNr, 1, true), b);
    (void)a1;
    (void)a2;
}

TEST_F(RundenSpieleTest, PairTableHoldsThreeColumnsPerGroup) {
    const int a = AddGroup("A", "SV", 2);
    const int a1 = AddTeam(a), a2 = AddTeam(a);
    const int b = AddGroup("B", "SV", 4);
    const int b1 = AddTeam(b), b2 = AddTeam(b), b3 = AddTeam(b), b4 = AddTeam(b);
    Do_RundenSpiele(*form, 1, 2);
    const TSortGrid& w = form->Schiris;
    EXPECT_EQ(w.RowCount(), 3);
    EXPECT_EQ(IntGet(w, 1, 1, true) * 100 + IntGet(w, 2, 1, true), a1 * 100 + a2);
    EXPECT_EQ(IntGet(w, 4, 2, true) * 100 + IntGet(w, 5, 2, true), b3 * 100 + b4);
    EXPECT_EQ(IntGet(w, 4, 1, true) * 100 + IntGet(w, 5, 1, true), b1 * 100 + b2);
    // Every pair was laid out, so its group cell is used up.
    EXPECT_EQ(Get(w, 0, 1, true), "");
    EXPECT_EQ(Get(w, 3, 2, true), "");
}

// A load counts a group's games against the fewest its system makes: the shipped pairing table
// and the plain order give every system at least that many for every size, and exactly that
// many but for the double round robin, whose second leg older releases left out.
TEST_F(RundenSpieleTest, EverySystemMakesAtLeastTheFewestGamesALoadCountsOn) {
    InstallPairingFile();
    for (const std::string system : {"JGJ", "JGJ2", "SV", "A3", "A1", "X"})
        for (int count = 0; count <= 9; ++count) {
            NewForm();
            ASSERT_TRUE(parseFeldListe(*form, "1"));
            GroupWithTeams(system, count);
            Do_RundenSpiele(*form, 1, 1);
            const int made = static_cast<int>(Games().size()), fewest = FewestGamesOfGroup(system, count);
            EXPECT_EQ(made, system == "JGJ2" ? 2 * fewest : fewest) << system << " with " << count;
        }
    EXPECT_EQ(FewestGamesOfGroup("JGJ", 5), 10);
    EXPECT_EQ(FewestGamesOfGroup("SV", 5), 2);
    EXPECT_EQ(FewestGamesOfGroup("A7", 1), 0) << "nobody to play them";
    EXPECT_EQ(FewestGamesOfGroup("JGJ", 2000000000), 2147483647) << "a count no file holds, without overflow";
}
