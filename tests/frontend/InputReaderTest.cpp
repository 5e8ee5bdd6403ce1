#include <gtest/gtest.h>

#include <sstream>

#include "frontend/InputReader.h"

TEST(InputReaderTest, LinesWithAnyEndingAndTheLastWithout) {
    std::istringstream in("hilfe\r\nplan oben\n\nende");
    InputReader reader(in);
    std::vector<std::string> texts;
    while (auto line = reader.Next()) {
        EXPECT_EQ(line->number, static_cast<int>(texts.size()) + 1);
        texts.push_back(line->text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"hilfe", "plan oben", "", "ende"}));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Next());
    std::istringstream empty("");
    EXPECT_FALSE(InputReader(empty).Next());
}

TEST(InputReaderTest, ALineTooLongIsRefusedWhole) {
    const size_t length = 1024 * 1024;
    std::istringstream in("hilfe\n" + std::string(length, 'x') + "\r\nende\n");
    InputReader reader(in);
    reader.Next();
    auto line = reader.Next();
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->tooLong);
    EXPECT_TRUE(line->text.empty());
    EXPECT_EQ(line->bytes, length + 1) << "the CR of a refused line is counted as read";
    EXPECT_EQ(InputLineProblem(*line),
              "Zeile 2 ist zu lang (1048577 Bytes, höchstens 65536) und wird nicht ausgeführt.");
    line = reader.Next();
    ASSERT_TRUE(line) << "the line after it is read as it was written";
    EXPECT_EQ(line->text, "ende");
    EXPECT_EQ(line->number, 3);
    std::istringstream limit(std::string(InputReader::kMaxLineBytes, 'y') + "\n");
    EXPECT_FALSE(InputReader(limit).Next()->tooLong) << "a line of exactly the limit is kept";
}

TEST(InputReaderTest, BytesThatAreNotUtf8AreReadAsWindows1252) {
    std::istringstream in("Name=M\xfcnchen \x80\nName=München\n");
    InputReader reader(in);
    auto line = reader.Next();
    EXPECT_TRUE(line->recoded);
    EXPECT_EQ(line->text, "Name=München €");
    EXPECT_EQ(InputLineProblem(*line),
              "Zeile 1 ist kein gültiges UTF-8; sie wird als Windows-1252 gelesen: „Name=München €“");
    line = reader.Next();
    EXPECT_FALSE(line->recoded);
    EXPECT_EQ(line->text, "Name=München");
    EXPECT_EQ(InputLineProblem(*line), "");
}
