#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
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

    // Two round-robin groups of a round without the file: all their games in the plain order, no
    // box, and one line in the error log for the round.
    void ExpectPlainOrderWithOneLogLine() {
        const int a = AddGroup("A", "JGJ", 3), b = AddGroup("B", "JGJ", 4);
        for (int i = 0; i < 3; ++i) AddTeam(a);
        for (int i = 0; i < 4; ++i) AddTeam(b);
        ASSERT_TRUE(parseFeldListe(*form, "1-2"));
        Do_RundenSpiele(*form, a, 2);
        EXPECT_EQ(Games().size(), 9u);
        EXPECT_EQ(ErrorLogText(), "[06.12.26 09:05:03] [X] Do_RundenSpiele: Paarungsdatei " + folder +
                                      "Spklrs.dat fehlt oder ist nicht lesbar, die Spiele folgen der "
                                      "Listenreihenfolge\r\n");
        EXPECT_TRUE(ui.boxes.empty());
    }
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

// --- damaged, missing and unwritable pairing files ---

// The shipped table cut off after 48 of the 55 pairs of the block for 11: the block is not used,
// the group plays all its games in the plain order, and the user is warned.
TEST_F(PairingFileTest, BlockCutShortIsNeverUsed) {
    {
        Dateihandling file;
        ASSERT_TRUE(file.Open(folder + "Spklrs.dat", "W", true));
        int pairsOfEleven = -1;
        for (const std::string& line : PairingFileLines()) {
            if (line == PairingKey(11)) pairsOfEleven = 0;
            else if (pairsOfEleven >= 0 && ++pairsOfEleven > 48) break;
            file.WriteLine(line);
        }
        ASSERT_TRUE(file.Close());
    }
    const PairingBlock block = ReadPairingBlock(folder + "Spklrs.dat", 11);
    EXPECT_TRUE(block.faulty);
    EXPECT_FALSE(block.found);
    EXPECT_TRUE(block.positions.empty());
    EXPECT_TRUE(ReadPairingBlock(folder + "Spklrs.dat", 10).found) << "whole blocks before the cut still serve";

    const int a = AddGroup("A", "JGJ", 11);
    for (int i = 0; i < 11; ++i) AddTeam(a);
    ASSERT_TRUE(parseFeldListe(*form, "1-3"));
    Do_RundenSpiele(*form, 1, 1);
    std::set<std::pair<int, int>> met;
    for (auto [t1, t2] : Games()) met.insert({std::min(t1, t2), std::max(t1, t2)});
    EXPECT_EQ(Games().size(), 55u);
    EXPECT_EQ(met.size(), 55u);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Datei 'Spklrs.dat' ist fehlerhaft bzw. Modus wird nicht unterstuetzt!");
}

TEST_F(PairingFileTest, MissingFileFallsBackWithOneLogLine) {
    ExpectPlainOrderWithOneLogLine();
}

TEST_F(PairingFileTest, UnreadableFileFallsBackWithOneLogLine) {
    std::filesystem::create_directory(folder + "Spklrs.dat");
    ExpectPlainOrderWithOneLogLine();
}

TEST_F(PairingFileTest, FileThatCannotBeReplacedIsAFailedSave) {
    std::filesystem::create_directories(folder + "Spklrs.dat/belegt");
    EXPECT_FALSE(WritePairingFile(folder + "Spklrs.dat"));
    EXPECT_TRUE(std::filesystem::is_directory(folder + "Spklrs.dat/belegt"));
}

TEST_F(PairingFileTest, GeneratorToolReportsAFailedSaveAndExitsWithAnError) {
    std::filesystem::create_directories(folder + "Spklrs.dat/belegt");
    const std::string command = std::string(MAROVELKA_BINARY_DIR) + "/tool_spklrs " + folder + "Spklrs.dat 2>" +
                                folder + "meldung.txt >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadProgramFile("meldung.txt"), folder + "Spklrs.dat konnte nicht geschrieben werden\n");
    const std::string written = std::string(MAROVELKA_BINARY_DIR) + "/tool_spklrs " + folder + "neu.dat >/dev/null";
    EXPECT_EQ(std::system(written.c_str()), 0);
    EXPECT_EQ(ReadPairingBlock(folder + "neu.dat", 7).positions.size(), 21u);
}
