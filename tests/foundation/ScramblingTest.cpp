#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "TestEnvironment.h"
#include "foundation/files/Scrambling.h"
#include "platform/Random.h"

using namespace scrambling;

namespace {

std::string Bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    return s;
}

bool IsKeyShiftFiller(char c) { return kAlphabet.substr(0, 40).find(c) != std::string_view::npos; }

std::string AllByteValues() {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
}

// A program folder of its own: a refused line goes to the error log.
class ScramblingTest : public ProgramTest {
protected:
    prng::Generator filler{12345};
};

}  // namespace

TEST_F(ScramblingTest, KeyShiftMovesEveryByteByTheKeyDigitPlusTenAndPadsWithFiller) {
    int pos = 1;  // key digit "5": shift 53 + 10
    std::string line = KeyShiftScramble(Bytes({'A', 'b', 250}), pos, filler);
    EXPECT_EQ(line.substr(0, 6), Bytes({128, 161, 57, '<', ':', '>'}));
    ASSERT_EQ(line.size(), 6u + 27u);
    for (char c : line.substr(6)) EXPECT_TRUE(IsKeyShiftFiller(c)) << int(c);
    EXPECT_EQ(pos, 2);
}

TEST_F(ScramblingTest, EmptyLineBecomesShiftedLeerWithTwentySixFillerCharacters) {
    int pos = 1;
    std::string line = KeyShiftScramble("", pos, filler);
    EXPECT_EQ(line.substr(0, 9), Bytes({154, 139, 132, 132, 145, 156, '<', ':', '>'}));
    EXPECT_EQ(line.size(), 35u);
    int readPos = 1;
    EXPECT_EQ(KeyShiftUnscramble(line, readPos, Code11::Keep), "");
    EXPECT_EQ(readPos, 2);
}

TEST_F(ScramblingTest, FillerStopsAtSixtyCharacters) {
    int pos = 1;
    EXPECT_EQ(KeyShiftScramble(std::string(56, 'x'), pos, filler).size(), 60u);  // 59 with marker: one filler
    EXPECT_EQ(KeyShiftScramble(std::string(57, 'x'), pos, filler).size(), 60u);  // 60: none
    EXPECT_EQ(KeyShiftScramble(std::string(80, 'x'), pos, filler).size(), 83u);
}

TEST_F(ScramblingTest, TheTwentyFirstLineUsesTheFirstKeyDigitAgain) {
    int pos = 1;
    std::string first = KeyShiftScramble("A", pos, filler);
    std::string second = KeyShiftScramble("A", pos, filler);
    for (int line = 3; line <= 20; ++line) KeyShiftScramble("A", pos, filler);
    std::string twentyFirst = KeyShiftScramble("A", pos, filler);
    EXPECT_EQ(first[0], static_cast<char>('A' + '5' + 10));
    EXPECT_EQ(second[0], static_cast<char>('A' + '9' + 10));
    EXPECT_EQ(twentyFirst[0], first[0]);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(NextKeyPosition(20), 1);
    EXPECT_EQ(NextKeyPosition(0), 1);  // a position set out of range rejoins the cycle
}

TEST_F(ScramblingTest, LineWithoutMarkerStaysAndKeepsTheKeyPosition) {
    int pos = 7;
    EXPECT_EQ(KeyShiftUnscramble("TURNIER", pos, Code11::Keep), "TURNIER");
    EXPECT_EQ(KeyShiftUnscramble("[LEER]", pos, Code11::Keep), "");  // cannot be stored as text
    EXPECT_EQ(pos, 7);
}

TEST_F(ScramblingTest, EveryByteValueSurvivesKeyShiftUnderEveryKeyDigit) {
    const std::string all = AllByteValues();
    for (int start = 1; start <= kKeyCycle; ++start) {
        int writePos = start, readPos = start;
        std::string back = KeyShiftUnscramble(KeyShiftScramble(all, writePos, filler), readPos, Code11::Keep);
        EXPECT_EQ(back, all) << "key position " << start;
    }
}

TEST_F(ScramblingTest, Code11IsDeliveredAs220OnlyUnderTheBlockFileRule) {
    int pos = 1;
    std::string line = KeyShiftScramble(Bytes({'a', 11, 'b'}), pos, filler);
    int blockPos = 1, streamPos = 1;
    EXPECT_EQ(KeyShiftUnscramble(line, blockPos, Code11::AsCode220), Bytes({'a', 220, 'b'}));
    EXPECT_EQ(KeyShiftUnscramble(line, streamPos, Code11::Keep), Bytes({'a', 11, 'b'}));
}

TEST_F(ScramblingTest, BytesThatScrambleToTheMarkerDoNotCutTheLine) {
    int pos = 8;  // key digit "8": 0xFA 0xF8 0xFC ("úøü") become "<:>"
    std::string line = KeyShiftScramble(Bytes({'x', 0xFA, 0xF8, 0xFC, 'y'}), pos, filler);
    EXPECT_EQ(line.substr(1, 3), "<:>");
    int readPos = 8;
    EXPECT_EQ(KeyShiftUnscramble(line, readPos, Code11::Keep), Bytes({'x', 0xFA, 0xF8, 0xFC, 'y'}));
}

TEST_F(ScramblingTest, InterleavePutsOneThenTwoFillerBytesBeforeEachByte) {
    std::string line = InterleaveScramble("ab\r\n", filler);
    ASSERT_EQ(line.size(), 10u);
    EXPECT_EQ(line[1], 'a');
    EXPECT_EQ(line[4], 'b');
    EXPECT_EQ(line[6], 21);
    EXPECT_EQ(line[9], 22);
    for (int i : {0, 2, 3, 5, 7, 8}) EXPECT_TRUE(line[i] >= 44 && line[i] <= 83) << i;
    EXPECT_EQ(InterleaveUnscramble(",a,,b,\x15,,\x16"), "ab\r\n");
}

TEST_F(ScramblingTest, InterleaveKeepsEmptyLinesAndLineBreaksInsideValues) {
    EXPECT_EQ(InterleaveScramble("", filler), "");
    EXPECT_EQ(InterleaveUnscramble(""), "");
    std::string value = "Gruppe A\r\nFeld 1\r\n\r\n";
    std::string line = InterleaveScramble(value, filler);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(InterleaveUnscramble(line), value);
    std::string all = AllByteValues();
    std::string expected = all;
    expected[21] = '\r';  // the stored forms of CR and LF cannot be told from themselves
    expected[22] = '\n';
    EXPECT_EQ(InterleaveUnscramble(InterleaveScramble(all, filler)), expected);
}

TEST_F(ScramblingTest, LatinCapitalsThatWouldScrambleToALineFeedAreWrittenInUtf8) {
    int pos = 4;  // key digit "7": 0xC9 ("É" in Windows-1252) + 65 would be a line feed
    std::string line = KeyShiftScrambleText("École", pos, filler).value();
    EXPECT_EQ(line.find('\n'), std::string::npos);
    int readPos = 4;
    EXPECT_EQ(KeyShiftUnscramble(line, readPos, Code11::Keep), "École");
    pos = 1;
    line = KeyShiftScrambleText("Müller", pos, filler).value();
    readPos = 1;
    EXPECT_EQ(KeyShiftUnscramble(line, readPos, Code11::Keep), "M\xFCller");  // fits the code page
}

TEST_F(ScramblingTest, TextWhoseUtf8WouldScrambleToALineFeedGoesOutAsPlainLine) {
    // Key digit 0 moves 0xD0 (Cyrillic), digit 1 moves 0xCF (Greek), digit 4 moves 0xCC (a
    // combining diaeresis) onto the line feed; no other form of these texts exists on file.
    const std::pair<int, std::string> cases[] = {{6, "Иван Петров"}, {3, "Ολυμπιακός"}, {7, "Mu\u0308ller"}};
    for (const auto& [position, text] : cases) {
        int probe = position;
        ASSERT_NE(KeyShiftScramble(text, probe, filler).find('\n'), std::string::npos) << text;
        int pos = position;
        std::optional<std::string> line = KeyShiftScrambleText(text, pos, filler);
        ASSERT_TRUE(line.has_value()) << text;
        EXPECT_EQ(*line, text);
        EXPECT_EQ(pos, position) << "a plain line leaves the key where it was";
        int readPos = position;
        EXPECT_EQ(KeyShiftUnscramble(*line, readPos, Code11::AsCode220), text);
        EXPECT_EQ(readPos, position);
    }
}

TEST_F(ScramblingTest, TextThatFitsNoFormOfLineIsRefusedWithTheKeyUnmoved) {
    for (const std::string text : {"Иван <:> Петров", "Иван\r", "Иван\nПетров"}) {
        int pos = 6;
        EXPECT_FALSE(KeyShiftScrambleText(text, pos, filler).has_value()) << text;
        EXPECT_EQ(pos, 6);
    }
    const std::string log = ReadProgramFile("error.log");
    EXPECT_EQ(log.substr(0, log.find('\n') + 1),
              "[06.12.26 09:05:03] [X] Zeile kann nicht verschlüsselt gespeichert werden: Иван <:> Петров\r\n");
}

TEST_F(ScramblingTest, FillerLeavesTheSharedRandomSequenceAlone) {
    prng::Seed(99);
    int expected = prng::Rand();
    prng::Seed(99);
    prng::Generator own(FillerSeed());
    int pos = 1;
    KeyShiftScramble("", pos, own);
    InterleaveScramble("abc", own);
    EXPECT_EQ(prng::Rand(), expected);
}
