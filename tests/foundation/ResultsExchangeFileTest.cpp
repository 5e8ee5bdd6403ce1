#include <gtest/gtest.h>

#include <cerrno>
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
    EXPECT_EQ(content->damage, "");
}

TEST_F(ResultsExchangeFileTest, FileWithoutResultsHasSixLinesWithBareLineFeeds) {
    ASSERT_TRUE(WriteExchangeFile(Path("a.exp"), "", {}));
    const std::string bytes = ReadProgramFile("a.exp");
    EXPECT_EQ(SplitLines(bytes, "\n").size(), 6u);
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    const auto content = ReadExchangeFile(Path("a.exp"));
    EXPECT_EQ(content->fileName, "");
    EXPECT_TRUE(content->blocks.empty());
    EXPECT_EQ(content->damage, "");
}

// --- damage: whatever the import would otherwise meet only half-way ---

namespace {

// The lines of a file with two results, before scrambling.
std::vector<std::string> TwoResults() {
    return {"<DATEI>", "MAROVELKA4 EXPORT", "v4.111", "<START>", "pokal.tur",
            "1", "1", "2", "3", "1", "", "", "", "", "", "1",
            "2", "1", "3", "2", "2", "", "", "", "", "", "0", "<ENDE>"};
}

}  // namespace

class ExchangeDamageTest : public ResultsExchangeFileTest {
protected:
    // The damage of a file of these lines, scrambled as the format says.
    std::string DamageOf(const std::vector<std::string>& lines) {
        Dateihandling file;
        EXPECT_TRUE(file.Open(Path("d.exp"), "W", true));
        for (const std::string& line : lines) file.WriteLine(line);
        EXPECT_TRUE(file.Close());
        const auto content = ReadExchangeFile(Path("d.exp"));
        return content ? content->damage : "nicht geöffnet";
    }
    static std::vector<std::string> FirstLines(size_t count) {
        std::vector<std::string> lines = TwoResults();
        lines.resize(count);
        return lines;
    }
    static std::vector<std::string> With(size_t index, const std::string& line) {
        std::vector<std::string> lines = TwoResults();
        lines[index] = line;
        return lines;
    }
};

TEST_F(ExchangeDamageTest, FileCutShortAnywhereIsIncomplete) {
    const std::string noEnd = "ist unvollständig: die Endzeile „<ENDE>“ fehlt";
    EXPECT_EQ(DamageOf(FirstLines(3)), noEnd);
    EXPECT_EQ(DamageOf(FirstLines(5)), noEnd);
    EXPECT_EQ(DamageOf(FirstLines(16)), noEnd);
    EXPECT_EQ(DamageOf(FirstLines(27)), noEnd);
    EXPECT_EQ(DamageOf(FirstLines(6)), "ist unvollständig: der Block von Spiel 1 bricht nach 1 von 11 Zeilen ab");
    EXPECT_EQ(DamageOf(FirstLines(26)), "ist unvollständig: der Block von Spiel 2 bricht nach 10 von 11 Zeilen ab");
    // The end line inside a block: a block's lines were lost before it.
    std::vector<std::string> lines = FirstLines(20);
    lines.push_back("<ENDE>");
    EXPECT_EQ(DamageOf(lines), "ist unvollständig: der Block von Spiel 2 bricht nach 4 von 11 Zeilen ab");
    EXPECT_EQ(DamageOf(TwoResults()), "");
}

TEST_F(ExchangeDamageTest, BlocksBeforeTheDamageAreReadButNamedDamaged) {
    WriteExchangeFile(Path("a.exp"), "pokal.tur", {Block("1"), Block("2")});
    const auto lines = SplitLines(ReadProgramFile("a.exp"), "\n");
    std::string cut;
    for (size_t i = 0; i < 5 + 11 + 7; ++i) cut += lines[i] + "\n";
    WriteProgramFile("b.exp", cut);
    const auto content = ReadExchangeFile(Path("b.exp"));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->blocks.size(), 1u);
    EXPECT_EQ(content->damage, "ist unvollständig: der Block von Spiel 2 bricht nach 7 von 11 Zeilen ab");
}

TEST_F(ExchangeDamageTest, LineThatCannotStandWhereItIsIsDamage) {
    EXPECT_EQ(DamageOf(With(16, "")),
              "ist beschädigt: in Zeile 17 steht „“ an Stelle einer Spielnummer oder der Endzeile „<ENDE>“");
    EXPECT_EQ(DamageOf(With(5, "Spiel 1")),
              "ist beschädigt: in Zeile 6 steht „Spiel 1“ an Stelle einer Spielnummer oder der Endzeile „<ENDE>“");
    EXPECT_EQ(DamageOf(With(7, "B")), "ist beschädigt: in Zeile 8 steht „B“ an Stelle einer Teilnehmernummer (Spiel 1)");
    EXPECT_EQ(DamageOf(With(19, "drei")), "ist beschädigt: in Zeile 20 steht „drei“ an Stelle einer Zahl (Spiel 2)");
    EXPECT_EQ(DamageOf(With(15, "7")),
              "ist beschädigt: in Zeile 16 steht „7“ an Stelle des Siegers (0 oder einer der beiden Teilnehmer) (Spiel 1)");
    // A line lost in the middle shifts every line after it: the next game number lands on the winner.
    std::vector<std::string> lost = TwoResults();
    lost.erase(lost.begin() + 7);
    EXPECT_EQ(DamageOf(lost),
              "ist beschädigt: in Zeile 16 steht „2“ an Stelle des Siegers (0 oder einer der beiden Teilnehmer) (Spiel 1)");
    // A long line is named by its beginning.
    EXPECT_EQ(DamageOf(With(8, std::string(40, 'x'))),
              "ist beschädigt: in Zeile 9 steht „" + std::string(30, 'x') + "…“ an Stelle einer Zahl (Spiel 1)");
}

TEST_F(ExchangeDamageTest, ValuesTheExportWritesAreWhole) {
    // Half points with the decimal comma, blank and empty cells, a draw, set results as text.
    std::vector<std::string> lines = TwoResults();
    lines[8] = "1,5";
    lines[9] = " ";
    lines[14] = "25:20, 18:25";
    lines[26] = "";
    EXPECT_EQ(DamageOf(lines), "");
}

TEST_F(ExchangeDamageTest, LineBeyondAnyExchangeFileIsDamage) {
    Dateihandling file;
    ASSERT_TRUE(file.Open(Path("a.exp"), "W", true));
    for (size_t i = 0; i < 6; ++i) file.WriteLine(TwoResults()[i]);
    ASSERT_TRUE(file.Close());
    WriteProgramFile("a.exp", ReadProgramFile("a.exp") + std::string(kMaxLineBytes + 1, 'x') + "\n");
    const auto content = ReadExchangeFile(Path("a.exp"));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->damage, "ist beschädigt: Zeile 7 ist länger als jede Zeile einer solchen Datei");
}

TEST_F(ExchangeDamageTest, FileThatCannotBeOpenedGivesTheSystemsReason) {
    int error = 0;
    EXPECT_FALSE(ReadExchangeFile(Path("fehlt.exp"), &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(ReadExchangeFile(folder, &error));
    EXPECT_EQ(error, EISDIR);
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

// --- the participants named after the end line ---

namespace {

// TwoResults with the participant list after the end line.
std::vector<std::string> TwoResultsNamed() {
    std::vector<std::string> lines = TwoResults();
    for (const char* line : {"<TEILNEHMER>", "1", "Adler", "Bären Süd", "2", "Adler", "Crew", "<ENDE>"})
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST_F(ResultsExchangeFileTest, ParticipantsWrittenAfterTheEndLineReadBackAndOlderReadersStopBeforeThem) {
    const std::vector<ParticipantNames> names{{"Adler", "Bären Süd"}, {"Crew É", "<ENDE>"}};
    ASSERT_TRUE(WriteExchangeFile(Path("a.exp"), "pokal.tur", {Block("1"), Block("2")}, names));
    const auto content = ReadExchangeFile(Path("a.exp"));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->damage, "");
    EXPECT_EQ(content->blocks.size(), 2u);
    EXPECT_EQ(content->participants, names);
    // A reader of an older version takes the lines up to the first "<ENDE>" and no more: they
    // are exactly the file it would have been written without the names.
    Dateihandling file;
    ASSERT_TRUE(file.Open(Path("a.exp"), "R", true));
    std::vector<std::string> untilEnd;
    for (std::string line = file.ReadLine(); line != "<ENDE>"; line = file.ReadLine()) untilEnd.push_back(line);
    std::vector<std::string> older = {"<DATEI>", "MAROVELKA4 EXPORT", "v4.111", "<START>", "pokal.tur"};
    for (const char* game : {"1", "2"})
        for (const std::string& line : Block(game)) older.push_back(line);
    EXPECT_EQ(untilEnd, older);
}

TEST_F(ResultsExchangeFileTest, FileWithoutParticipantsOrWithoutResultsNamesNone) {
    EXPECT_TRUE(ReadExchangeFile(GoldenPath("stadtpokal.exp"))->participants.empty());
    ASSERT_TRUE(WriteExchangeFile(Path("a.exp"), "", {}, {}));
    EXPECT_EQ(SplitLines(ReadProgramFile("a.exp"), "\n").size(), 6u);
    // Names that are not one per block are not written: the import could not tell whose they are.
    ASSERT_TRUE(WriteExchangeFile(Path("b.exp"), "", {Block("1"), Block("2")}, {{"Adler", "Bären"}}));
    const auto content = ReadExchangeFile(Path("b.exp"));
    EXPECT_EQ(content->damage, "");
    EXPECT_TRUE(content->participants.empty());
}

TEST_F(ExchangeDamageTest, ParticipantListCutOrOutOfStepIsDamage) {
    EXPECT_EQ(DamageOf(TwoResultsNamed()), "");
    const auto named = [](size_t count) {
        std::vector<std::string> lines = TwoResultsNamed();
        lines.resize(count);
        return lines;
    };
    EXPECT_EQ(DamageOf(named(28 + 1)), "ist unvollständig: die Teilnehmerliste bricht bei Spiel 1 ab");
    EXPECT_EQ(DamageOf(named(28 + 5)), "ist unvollständig: die Teilnehmerliste bricht bei Spiel 2 ab");
    EXPECT_EQ(DamageOf(named(28 + 7)), "ist unvollständig: die Endzeile „<ENDE>“ der Teilnehmerliste fehlt");
    // A line lost in the list: the next game number is not where it belongs.
    std::vector<std::string> lost = TwoResultsNamed();
    lost.erase(lost.begin() + 30);
    EXPECT_EQ(DamageOf(lost),
              "ist beschädigt: in Zeile 33 steht „Adler“ an Stelle der Spielnummer 2 in der Teilnehmerliste");
    std::vector<std::string> lines = TwoResultsNamed();
    lines[35] = "3";
    EXPECT_EQ(DamageOf(lines),
              "ist beschädigt: in Zeile 36 steht „3“ an Stelle der Endzeile „<ENDE>“ der Teilnehmerliste");
    // Whatever else follows the end line: a damaged file, not one of an older version.
    lines = TwoResults();
    lines.push_back("1");
    EXPECT_EQ(DamageOf(lines),
              "ist beschädigt: in Zeile 29 steht „1“ an Stelle der Teilnehmerliste „<TEILNEHMER>“ oder dem Dateiende");
    // After the list's own end line, lines are left for later versions.
    lines = TwoResultsNamed();
    lines.push_back("<WEITERES>");
    EXPECT_EQ(DamageOf(lines), "");
}
