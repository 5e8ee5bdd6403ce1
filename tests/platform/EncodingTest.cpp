#include <gtest/gtest.h>

#include <string>

#include "platform/Encoding.h"

using namespace encoding;

TEST(EncodingTest, EveryByteHasACharacterThatConvertsBack) {
    for (int byte = 0; byte < 256; ++byte) {
        std::string original(1, static_cast<char>(byte));
        std::string back;
        ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(original), back)) << byte;
        EXPECT_EQ(back, original) << byte;
    }
    EXPECT_EQ(Windows1252ToUtf8("\x80\x8A\x9F"), "€ŠŸ");
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");
}

TEST(EncodingTest, LinesAreWrittenInTheCodePageWhenEveryCharacterFits) {
    EXPECT_EQ(ToFileBytes("Turnier 1"), "Turnier 1");
    EXPECT_EQ(ToFileBytes("Müller – 5 €"), "M\xFCller \x96 5 \x80");
    EXPECT_EQ(ToFileBytes("Łódź"), "Łódź");  // "Ł" has no code-page byte: the whole line stays UTF-8
}

TEST(EncodingTest, CodePageBytesThatWouldReadAsUtf8AreWrittenInUtf8) {
    // "Ã¼" is C3 BC in the code page, which is also "ü" in UTF-8.
    EXPECT_EQ(ToFileBytes("Ã¼"), "Ã¼");
    EXPECT_EQ(FromFileBytes(ToFileBytes("Ã¼")), "Ã¼");
}

TEST(EncodingTest, LinesReadAreUtf8WhenValidElseCodePage) {
    EXPECT_EQ(FromFileBytes("Müller"), "Müller");
    EXPECT_EQ(FromFileBytes("M\xFCller"), "Müller");
    EXPECT_EQ(FromFileBytes("\x80 und \xE4"), "€ und ä");
    EXPECT_EQ(FromFileBytes(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(EncodingTest, TextThatIsNotUtf8GoesOutAsItIs) {
    std::string broken = "ab\xFF\xC3";
    EXPECT_EQ(ToFileBytes(broken), broken);
    std::string out = "unverändert";
    EXPECT_FALSE(Utf8ToWindows1252(broken, out));
    EXPECT_EQ(out, "unverändert");
}
