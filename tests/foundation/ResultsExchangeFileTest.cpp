#include <gtest/gtest.h>

#include <cstdlib>

#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "platform/Encoding.h"

using namespace scrambled_files;

class ResultsExchangeFileTest : public ProgramTest {
protected:
    std::string Path(const std::string& name) const { return folder + name; }
    static ExchangeBlock Block(const std::string& game) { return {game, "1", "2", "3", "1", "", "", "", "", "", "1"}; }
};

TEST_F(ResultsExchangeFileTest, GoldenFileGivesItsBlocks) {
    const auto content = ReadExchangeFile(GoldenPath("stadtpokal.exp"));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->magic, "MAROVELKA4 EXPORT");
    EXPECT_EQ(content->fileName, "stadtpokal.tur");
    ASSERT_EQ(content->blocks.size(), 2u);
    EXPECT_EQ(content->blocks[0], (ExchangeBlock{"1", "1", "2", "3", "1", "", "", "", "", "", "1"}));
    EXPECT_EQ(content->blocks[1], (ExchangeBlock{"2", "1", "3", "2", "2", "", "", "", "", "", "0"}));
    EXPECT_TRUE(content->endMarker);
    EXPECT_FALSE(content->partialGame);
}

TEST_F(ResultsExchangeFileTest, FileWithoutResultsHasSixLinesWithBareLineFeeds) {
    ASSERT_TRUE(WriteExchangeFile(Path("a.exp"), "", {}));
    const std::string bytes = ReadProgramFile("a.exp");
    EXPECT_EQ(SplitLines(bytes, "\n").size(), 6u);
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    const auto content = ReadExchangeFile(Path("a.exp"));
    EXPECT_EQ(content->fileName, "");
    EXPECT_TRUE(content->blocks.empty());
    EXPECT_TRUE(content->endMarker);
}

TEST_F(ResultsExchangeFileTest, BlockCutShortIsDroppedAndNamed) {
    ASSERT_TRUE(WriteExchangeFile(Path("a.exp"), "pokal.tur", {Block("1"), Block("2")}));
    const auto lines = SplitLines(ReadProgramFile("a.exp"), "\n");
    for (size_t keep : {5u + 11u + 4u, 5u + 22u}) {
        std::string cut;
        for (size_t i = 0; i < keep; ++i) cut += lines[i] + "\n";
        WriteProgramFile("b.exp", cut);
        const auto content = ReadExchangeFile(Path("b.exp"));
        ASSERT_EQ(content->blocks.size(), keep == 27 ? 2u : 1u);
        EXPECT_FALSE(content->endMarker);
        EXPECT_EQ(content->partialGame.value_or("-"), keep == 27 ? "-" : "2");
    }
    EXPECT_FALSE(ReadExchangeFile(Path("fehlt.exp")));
}

TEST_F(ResultsExchangeFileTest, FileGoesBesideTheTournamentOrIntoTheHomeFolder) {
    EXPECT_EQ(ExchangeFilePath("/daten/saison.2026/pokal.tur"), "/daten/saison.2026/pokal.exp");
    EXPECT_EQ(ExchangeFilePath("/daten/saison.2026/pokal"), "/daten/saison.2026/pokal.exp");
    setenv("HOME", folder.c_str(), 1);
    EXPECT_EQ(ExchangeFilePath(""), folder + "/Turnier.exp");
}

// Key-shift scrambling moves every byte by 58 to 67; some Windows-1252 letters then land on a line
// feed, a carriage return or a zero byte. No such byte may reach the file, and every text comes
// back as it was; ASCII lines stay exactly as the format scrambles them.
TEST_F(ResultsExchangeFileTest, EveryCharacterAtEveryKeyPositionReadsBackExactly) {
    std::vector<std::string> texts;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string letter = encoding::Windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
        for (int position = 0; position < 20; ++position) texts.push_back("Name " + letter + letter);
    }
    for (int position = 0; position < 20; ++position) texts.push_back("Spiel 12; 3:1 (Halbzeit 1:0)");
    Dateihandling writer;
    ASSERT_TRUE(writer.Open(Path("a.exp"), "W", true));
    for (const std::string& text : texts) writer.WriteLine(text);
    ASSERT_TRUE(writer.Close());
    const auto lines = SplitLines(ReadProgramFile("a.exp"), "\n");
    ASSERT_EQ(lines.size(), texts.size());
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_EQ(line.find('\0'), std::string::npos);
    }
    // A line that had to be stored plain leaves the key position where it was.
    size_t scrambledBefore = 0;
    for (size_t i = 0; i < texts.size() - 20; ++i)
        if (lines[i].find("<:>") != std::string::npos) ++scrambledBefore;
    for (size_t i = texts.size() - 20; i < texts.size(); ++i) {
        const int shift = scrambling::kKey[scrambledBefore++ % 20] + 10;
        for (size_t c = 0; c < texts[i].size(); ++c)
            EXPECT_EQ(static_cast<unsigned char>(lines[i][c]), (static_cast<unsigned char>(texts[i][c]) + shift) % 256);
    }
    Dateihandling reader;
    ASSERT_TRUE(reader.Open(Path("a.exp"), "R", true));
    for (const std::string& text : texts) EXPECT_EQ(reader.ReadLine(), text);
}
