#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestEnvironment.h"
#include "foundation/Conversions.h"
#include "foundation/MessageBoxes.h"
#include "foundation/WindowHelpers.h"
#include "platform/Controls.h"

class ConversionsTest : public ProgramTest {};

TEST_F(ConversionsTest, ToIntReadsDecimalAndHexAndIsSilentOnGarbage) {
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt(" "), 0);
    EXPECT_EQ(ToInt("12a"), 0);
    EXPECT_EQ(ToInt(" 12"), 12);
    EXPECT_EQ(ToInt("12 "), 0);
    EXPECT_EQ(ToInt("-7"), -7);
    EXPECT_EQ(ToInt("+7"), 7);
    EXPECT_EQ(ToInt("$1F"), 31);
    EXPECT_EQ(ToInt("x10"), 16);
    EXPECT_EQ(ToInt("0x10"), 16);
    EXPECT_EQ(ToInt("-"), 0);
    EXPECT_EQ(ToInt("2147483647"), 2147483647);
    EXPECT_EQ(ToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ToInt("2147483648"), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), 0);
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

TEST_F(ConversionsTest, ToDoubleUsesTheDecimalCommaWhateverTheLocale) {
    EXPECT_DOUBLE_EQ(ToDouble("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(ToDouble("-0,25"), -0.25);
    EXPECT_DOUBLE_EQ(ToDouble("3"), 3.0);
    EXPECT_DOUBLE_EQ(ToDouble(" 2,5 "), 2.5);
    EXPECT_DOUBLE_EQ(ToDouble("1,5E3"), 1500.0);
    EXPECT_DOUBLE_EQ(ToDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(ToDouble(" "), 0.0);
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

// Whole numbers take a shorter way than the others; both must give what the general reading
// gives, the sign of zero and the last exact digit included.
TEST_F(ConversionsTest, WholeNumbersReadAsTheGeneralWayReadsThem) {
    for (const char* text : {"0", "-0", "+0", "7", "+7", "-7", "007", " 42 ", "999999999999999", "-999999999999999",
                             "9999999999999999", "123456789012345678", "2147483648"}) {
        std::string withFraction = text;
        withFraction.insert(withFraction.find_last_of("0123456789") + 1, ",0");
        double general = 0;
        ASSERT_TRUE(TryTextToDouble(withFraction, general)) << withFraction;
        const double whole = ToDouble(text);
        EXPECT_EQ(whole, general) << text;
        EXPECT_EQ(std::signbit(whole), std::signbit(general)) << text;
    }
    EXPECT_EQ(FloatToStr(ToDouble("-0")), "-0");
    EXPECT_DOUBLE_EQ(ToDouble("12a"), 0.0);
    EXPECT_DOUBLE_EQ(ToDouble("- 5"), 0.0);
    EXPECT_DOUBLE_EQ(ToDouble("--5"), 0.0);
    EXPECT_EQ(ReadProgramFile("error.log"),
              "[06.12.26 09:05:03] ToDouble(): Kann [12a] nicht in Double umwandeln\r\n"
              "[06.12.26 09:05:03] ToDouble(): Kann [- 5] nicht in Double umwandeln\r\n"
              "[06.12.26 09:05:03] ToDouble(): Kann [--5] nicht in Double umwandeln\r\n");
}

TEST_F(ConversionsTest, ToDoubleLogsEachTextThatDoesNotConvert) {
    EXPECT_DOUBLE_EQ(ToDouble("x"), 0.0);
    EXPECT_EQ(ReadProgramFile("error.log"), "[06.12.26 09:05:03] ToDouble(): Kann [x] nicht in Double umwandeln\r\n");
    EXPECT_DOUBLE_EQ(ToDouble("1.5"), 0.0);
    EXPECT_DOUBLE_EQ(ToDouble("1,5,5"), 0.0);
    EXPECT_DOUBLE_EQ(ToDouble(","), 0.0);
    EXPECT_DOUBLE_EQ(ToDouble("1e400"), 0.0);
}

TEST_F(ConversionsTest, FloatToStrWritesGeneralFormatWithComma) {
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FloatToStr(3.0), "3");
    EXPECT_EQ(FloatToStr(-0.125), "-0,125");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(0.0001), "0,0001");
    // Whole numbers print as the integer they are, up to where the exponent starts.
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "-0");
    EXPECT_EQ(FloatToStr(-17.0), "-17");
    EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(-1e15), "-1E15");
    EXPECT_EQ(BoolToStr(true), "true");
    EXPECT_EQ(BoolToStr(false), "false");
    EXPECT_EQ(IntToStr(-42), "-42");
}

TEST_F(ConversionsTest, FormatStrIsNotCutAtAnyLength) {
    std::string long_text(1000, 'a');
    std::string result = FormatStr("[%s] %d", long_text.c_str(), 7);
    EXPECT_EQ(result, "[" + long_text + "] 7");
    EXPECT_EQ(FormatStr("%s", ""), "");
}

TEST_F(ConversionsTest, PaddingCountsCharactersNotBytes) {
    EXPECT_EQ(PadLeft("7", 2, '0'), "07");
    EXPECT_EQ(PadLeft("123", 2, '0'), "12");
    EXPECT_EQ(PadRight("ab", 4, '.'), "ab..");
    EXPECT_EQ(PadRight("Jürgen", 3, ' '), "Jür");
    EXPECT_EQ(PadLeft("ä", 3, U'ö'), "ööä");
    EXPECT_EQ(PadRight("x", -1, ' '), "");
}

TEST_F(ConversionsTest, TextHelpers) {
    EXPECT_EQ(TrimRightStr("ab \t\r\n"), "ab");
    EXPECT_EQ(TrimRightStr(" a b "), " a b");
    EXPECT_EQ(CountChar("a;b;;c", ';'), 3);
    EXPECT_EQ(CountChar("Müller-Lüdenscheidt", U'ü'), 2);
    EXPECT_EQ(ReplaceChar("a;b;c", ';', '|'), "a|b|c");
    EXPECT_EQ(ReplaceChar("Grüße", U'ü', 'u'), "Gruße");
}

TEST_F(ConversionsTest, SplitToStringsKeepsEmptyItems) {
    TStringList list;
    list.Add("alt");
    SplitToStrings(list, "a|b|", '|');
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", ""}));
    SplitToStrings(list, "", '|');
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{""}));
    SplitToStrings(list, "ohne", '|');
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"ohne"}));
    SplitToStrings(list, "||", '|');
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"", "", ""}));
}

TEST_F(ConversionsTest, MessageBoxesGoThroughTheUserHost) {
    ShowMsg(7, "Hallo");
    ShowMsg(4, "Fehler!");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Plain);
    EXPECT_EQ(ui.boxes[0].buttons, TMsgButtons::Ok);
    EXPECT_EQ(ui.boxes[1].kind, TMsgKind::Error);
    ui.QueueAnswer(mrNo);
    EXPECT_EQ(AskYesNo("Wirklich?"), mrNo);
    EXPECT_EQ(ui.boxes[2].kind, TMsgKind::Confirmation);
    EXPECT_EQ(ui.boxes[2].buttons, TMsgButtons::YesNo);
}

TEST_F(ConversionsTest, NumKeyFilterAllowsOneCommaAfterAFirstDigit) {
    TEdit edit;
    char key = ',';
    NumKeyFilter(edit, key);
    EXPECT_EQ(key, 0) << "comma in an empty field";
    edit.SetText("3,5");
    key = ',';
    NumKeyFilter(edit, key);
    EXPECT_EQ(key, 0) << "second comma";
    edit.SetText("3");
    key = ',';
    NumKeyFilter(edit, key);
    EXPECT_EQ(key, ',');
    key = '7';
    NumKeyFilter(edit, key);
    EXPECT_EQ(key, '7');
    key = 8;
    NumKeyFilter(edit, key);
    EXPECT_EQ(key, 8);
    key = 'a';
    NumKeyFilter(edit, key);
    EXPECT_EQ(key, 0);
    key = '.';
    NumKeyFilter(edit, key);
    EXPECT_EQ(key, 0);
}

TEST_F(ConversionsTest, CenterControlTruncatesTowardZero) {
    TPanel reference;
    reference.Left = 10;
    reference.Top = 20;
    reference.Width = 101;
    reference.Height = 50;
    TPanel control;
    control.Width = 40;
    control.Height = 61;
    CenterControl(&control, &reference);
    EXPECT_EQ(control.Left, 10 + 30);
    EXPECT_EQ(control.Top, 20 + (-5));
    CenterControl(&control, nullptr);
    EXPECT_EQ(control.Left, (Screen().Width - 40) / 2);
    CenterControl(nullptr, &reference);
}

TEST_F(ConversionsTest, RichEditAddKeepsColourAndSizePerLine) {
    TRichEdit edit;
    RichEditAdd(edit, "rot", clRed, 12);
    RichEditAdd(edit, "blau", clBlue, 8);
    ASSERT_EQ(edit.Lines.size(), 2u);
    EXPECT_EQ(edit.Lines[0].attributes.Color, clRed);
    EXPECT_EQ(edit.Lines[0].attributes.Size, 12);
    EXPECT_EQ(edit.Lines[1].text, "blau");
    EXPECT_EQ(edit.Lines[1].attributes.Color, clBlue);
}

TEST_F(ConversionsTest, WaitCursorAndWindowsVersion) {
    SetWaitCursor(true);
    EXPECT_EQ(Screen().Cursor, TCursor::crHourGlass);
    SetWaitCursor(false);
    EXPECT_EQ(Screen().Cursor, TCursor::crDefault);
    EXPECT_EQ(GetWindowsVersion(), "");
}
