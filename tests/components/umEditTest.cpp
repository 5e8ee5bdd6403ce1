#include <gtest/gtest.h>

#include "components/umEdit.h"

namespace {

void Type(TEdit& e, const std::string& text) {
    for (char c : text) e.WMChar(static_cast<unsigned char>(c));
}

}  // namespace

TEST(NumberTexts, ConversionsBothWays) {
    EXPECT_EQ(DecToHex(0), "0");
    EXPECT_EQ(DecToHex(255), "FF");
    EXPECT_EQ(DecToHex(-1), "FFFFFFFF");
    EXPECT_EQ(DecToBin(5), "101");
    EXPECT_EQ(DecToBin(0), "0");
    EXPECT_EQ(HexToDec("ff"), 255);
    EXPECT_EQ(HexToDec("1A"), 26);
    EXPECT_EQ(HexToDec(""), 0);
    EXPECT_EQ(HexToDec("100000001"), 1) << "wraps at 32 bits";
    EXPECT_EQ(BinToDec("1x1"), 5) << "other characters count 0";
    EXPECT_EQ(BinToDec(""), 0);
}

TEST(ValidEdit, OnlyValidCharactersAndBackspacePass) {
    TumValidEdit e;
    e.ValidChars = "0123456789,";
    Type(e, "1a2,\r5");
    EXPECT_EQ(e.Text(), "12,5");
    e.WMChar(VK_BACK);
    EXPECT_EQ(e.Text(), "12,");
    e.ValidateChars = false;
    Type(e, "x");
    EXPECT_EQ(e.Text(), "12,x");
}

TEST(NumberEdit, FourthDigitAboveTheLimitIsUndone) {
    TumNumberEdit e;
    int changes = 0;
    e.OnChange = [&](TObject*) { ++changes; };
    e.SetMaxValue(999);
    e.SetText("");
    Type(e, "123");
    EXPECT_EQ(e.Value(), 123);
    e.SetSelStart(1);
    changes = 0;
    e.WMChar('4');
    EXPECT_EQ(e.Text(), "123");
    EXPECT_EQ(e.SelStart(), 1) << "the caret returns";
    EXPECT_EQ(e.Value(), 123);
    EXPECT_EQ(changes, 1) << "the user hears of refused entries too";
    Type(e, "x");
    EXPECT_EQ(e.Text(), "123");
}

TEST(NumberEdit, HexLimitComparesTextsByteWise) {
    TumNumberEdit e;
    e.SetKind(neHex);
    e.SetMaxValue(255);
    e.SetText("");
    Type(e, "ff");
    EXPECT_EQ(e.Text(), "f") << "ff is greater than FF in byte order";
    e.SetText("");
    Type(e, "FF");
    EXPECT_EQ(e.Value(), 255);
    EXPECT_EQ(e.Text(), "FF");
}

TEST(NumberEdit, SettersClampAndKindKeepsTheText) {
    TumNumberEdit e;
    EXPECT_EQ(e.Text(), "0");
    e.SetValue(-5);
    EXPECT_EQ(e.Value(), 0);
    EXPECT_EQ(e.Text(), "0");
    e.SetValue(50);
    e.SetMaxValue(10);
    EXPECT_EQ(e.Value(), 10);
    EXPECT_EQ(e.Text(), "10");
    e.SetKind(neBin);
    EXPECT_EQ(e.Text(), "10");
    e.WMChar('2');
    EXPECT_EQ(e.Text(), "10");
    e.SetValue(5);
    EXPECT_EQ(e.Text(), "101");
}

TEST(NumberEdit, NeverNegativeOrOverflowing) {
    TumNumberEdit e;
    e.SetValue(7);
    e.SetText("-3");
    EXPECT_EQ(e.Value(), 7);
    EXPECT_EQ(e.Text(), "7");
    e.SetText("2147483648");
    EXPECT_EQ(e.Value(), 7);
    e.SetKind(neHex);
    e.SetText("FFFFFFFF");
    EXPECT_EQ(e.Value(), 7);
    e.SetText("100000000");
    EXPECT_EQ(e.Value(), 7);
    e.SetText("7FFFFFFF");
    EXPECT_EQ(e.Value(), 2147483647);
    e.SetText("");
    EXPECT_EQ(e.Value(), 0);
}

TEST(NumberEdit, ANegativeLimitIsRefusedAndNeverMakesTheValueNegative) {
    TumNumberEdit e;
    e.SetMaxValue(20);
    e.SetValue(12);
    e.SetMaxValue(-5);
    EXPECT_EQ(e.MaxValue(), 20);
    EXPECT_EQ(e.Value(), 12);
    EXPECT_EQ(e.Text(), "12");
    e.SetValue(-3);
    EXPECT_EQ(e.Value(), 0);
    EXPECT_EQ(e.Text(), "0");
}

TEST(AlignedEdit, RightAlignedTextMovesLeftWhileFocused) {
    TumEdit e;
    e.Width = 100;
    e.Height = 20;
    e.Color = clWhite;
    e.Font.Name = kTestFontName;
    e.Font.Height = -12;
    e.Font.Color = clBlack;
    e.SetText("ab");
    e.SetAlignment(TAlignment::taRightJustify);
    auto firstInk = [&e] {
        TBitmap b(e.Width, e.Height);
        e.WMPaint(b.Canvas());
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, 4) == clBlack) return x;
        return -1;
    };
    EXPECT_EQ(firstInk(), 100 - 12 - 2 - 1);
    e.CMEnter();
    EXPECT_EQ(firstInk(), 2);
    const int repaints = e.Repaints();
    e.CMExit();
    EXPECT_GT(e.Repaints(), repaints);
    EXPECT_EQ(firstInk(), 85);
    e.SetAlignment(TAlignment::taCenter);
    EXPECT_EQ(firstInk(), 44);
}
