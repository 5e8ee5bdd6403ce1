#include <gtest/gtest.h>

#include <map>
#include <set>

#include "EngineFixture.h"
#include "engine/PairingFile.h"
#include "engine/PairingSchedule.h"
#include "engine/RundenSpiele.h"
#include "engine/Spielzeiten.h"
#include "foundation/files/Dateihandling.h"

class PairingFileTest : public EngineTest {
protected:
    std::string Shipped() const { return std::string(MAROVELKA_DATA_DIR) + "/Spklrs.dat"; }
};

// Every block of the shipped file, read as round creation reads it, is a proper round robin.
TEST_F(PairingFileTest, ShippedFileHoldsAProperScheduleForEverySize) {
    const int largest = LargestScheduledSize();
    EXPECT_EQ(largest, 30);
    for (int n = 2; n <= largest; ++n) {
        SCOPED_TRACE("Gruppengröße " + std::to_string(n));
        const PairingBlock block = ReadPairingBlock(Shipped(), n);
        ASSERT_TRUE(block.found);
        EXPECT_FALSE(block.faulty);
        ASSERT_EQ(block.positions.size(), static_cast<size_t>(n * (n - 1) / 2));
        std::set<std::pair<int, int>> met;
        std::map<int, int> firstSide, games;
        const size_t perRound = static_cast<size_t>(n / 2);
        std::set<int> inRound;
        for (size_t i = 0; i < block.positions.size(); ++i) {
            if (i % perRound == 0) inRound.clear();
            auto [a, b] = block.positions[i];
            ASSERT_TRUE(a >= 1 && a <= n && b >= 1 && b <= n && a != b);
            EXPECT_TRUE(met.insert({std::min(a, b), std::max(a, b)}).second);
            EXPECT_TRUE(inRound.insert(a).second && inRound.insert(b).second) << "Runde " << i / perRound + 1;
            ++firstSide[a];
            ++games[a];
            ++games[b];
        }
        for (int p = 1; p <= n; ++p) EXPECT_LE(std::abs(2 * firstSide[p] - games[p]), 1) << "Teilnehmer " << p;
    }
    EXPECT_FALSE(ReadPairingBlock(Shipped(), largest + 1).found);
}

TEST_F(PairingFileTest, WholeFileFitsTheSearchLimit) {
    EXPECT_LE(PairingFileLines().size(), static_cast<size_t>(kPairingLineLimit));
}

// The generator gives the shipped lines again (only the scrambling filler differs).
TEST_F(PairingFileTest, GeneratorReproducesTheShippedFile) {
    Dateihandling file;
    ASSERT_TRUE(file.Open(Shipped(), "R", true));
    std::vector<std::string> lines;
    while (!file.Eof()) lines.push_back(file.ReadLine());
    file.Close();
    EXPECT_EQ(lines, PairingFileLines());
    ASSERT_TRUE(WritePairingFile(folder + "neu.dat"));
    EXPECT_EQ(ReadPairingBlock(folder + "neu.dat", 17).positions, ReadPairingBlock(Shipped(), 17).positions);
}

TEST_F(PairingFileTest, MissingFileHasNoBlock) {
    const PairingBlock block = ReadPairingBlock(folder + "fehlt.dat", 4);
    EXPECT_FALSE(block.found);
    EXPECT_TRUE(block.positions.empty());
}

TEST_F(PairingFileTest, EndlessBlockIsCutAtTheLimit) {
    Dateihandling file;
    ASSERT_TRUE(file.Open(folder + "lang.dat", "W", true));
    for (int copy = 0; copy < 3; ++copy) {
        file.WriteLine("T4F1");
        for (int i = 0; i < kPairingLineLimit; ++i) file.WriteLine("1|1|2|");
    }
    file.Close();
    const PairingBlock block = ReadPairingBlock(folder + "lang.dat", 4);
    EXPECT_TRUE(block.faulty);
    EXPECT_LE(block.positions.size(), static_cast<size_t>(kPairingLineLimit));
}

// Installed beside the program, the file makes every slot of a full group one round.
TEST_F(PairingFileTest, RoundCreationPlaysTheFileRoundByRound) {
    InstallPairingFile();
    const int a = AddGroup("A", "JGJ", 6);
    for (int i = 0; i < 6; ++i) AddTeam(a);
    ASSERT_TRUE(parseFeldListe(*form, "1-3"));
    Do_RundenSpiele(*form, 1, 1);
    const auto games = Games();
    ASSERT_EQ(games.size(), 15u);
    const auto block = ReadPairingBlock(folder + "Spklrs.dat", 6).positions;
    for (size_t i = 0; i < games.size(); ++i) {
        EXPECT_EQ(games[i].first, block[i].first);
        EXPECT_EQ(games[i].second, block[i].second);
    }
}
