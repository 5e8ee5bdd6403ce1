#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "TestEnvironment.h"
#include "TestForm.h"
#include "components/umEdit.h"
#include "platform/FormStream.h"
#include "platform/Png.h"

namespace {

void Type(TEdit& e, const std::string& text) {
    for (char c : text) e.WMChar(static_cast<unsigned char>(c));
}

// Fields in the test face: a character is a box 5 wide and 8 high (rows 1 to 8 of its cell
// of 12), advance 6.
class FieldTest : public WindowedTest {
protected:
    void TearDown() override {
        SysLocale().MiddleEast = false;
        NewStyleControls() = true;
        WindowedTest::TearDown();
    }
    template <class Field = TumEdit>
    std::unique_ptr<Field> MakeField(const std::string& text, TAlignment alignment, int top = 10) {
        auto e = std::make_unique<Field>();
        e->Font.Name = kTestFontName;
        e->Font.Height = -12;
        e->Font.Color = clBlack;
        e->Color = clWhite;
        e->SetBounds(10, top, 100, 20);
        e->SetText(text);
        e->SetAlignment(alignment);
        e->SetParentControl(&form);
        e->Handle();
        ProcessMessages();
        return e;
    }
    // The first column of the client area with the colour in the row y of the field's window,
    // -1 for none.
    static int FirstInk(TumEdit& e, int y = 4, TColor ink = clBlack) {
        const TBitmap* surface = WindowSurface(e.Handle());
        for (int x = e.ClientArea().left; x < surface->Width(); ++x)
            if (surface->Pixel(x, y) == ink) return x;
        return -1;
    }
    static int FirstInkOfCopy(TumEdit& e, int y = 4) {
        TBitmap copy(e.Width, e.Height);
        e.PaintCopy(copy.Canvas());
        for (int x = e.ClientArea().left; x < copy.Width(); ++x)
            if (copy.Pixel(x, y) == clBlack) return x;
        return -1;
    }

    TestForm form{300, 200};
};

// A 100 pixel field with the sunken edge: the client area runs from 2 to 98, the text stands
// 2 pixels in from it (left margin 1 + 1) and 1 pixel down; "ab" is 12 pixels wide.
constexpr int kLeftText = 2 + 2;
constexpr int kRightText = 2 + (96 - 12 - 2 - 1);
constexpr int kInkRow = 2 + 1 + 1;

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

// ---- the field as a window ----

TEST_F(FieldTest, RightAlignedTextMovesToTheStartWhileTheFieldHasTheFocus) {
    auto e = MakeField("ab", TAlignment::taRightJustify);
    auto other = MakeField("", TAlignment::taLeftJustify, 40);
    EXPECT_EQ(FirstInk(*e, kInkRow), kRightText);
    e->SetFocus();
    ProcessMessages();
    EXPECT_TRUE(e->FocusedFlag());
    EXPECT_EQ(e->SelLength(), 2) << "entering selects the text";
    // Selected: white letters on navy, from the start.
    EXPECT_EQ(WindowSurface(e->Handle())->Pixel(kLeftText, kInkRow), clWhite);
    EXPECT_EQ(WindowSurface(e->Handle())->Pixel(kLeftText + 5, kInkRow), RGBColor(0, 0, 128));
    EXPECT_EQ(FirstInk(*e, kInkRow), -1);
    other->SetFocus();
    ProcessMessages();
    EXPECT_FALSE(e->FocusedFlag());
    EXPECT_EQ(FirstInk(*e, kInkRow), kRightText) << "the text snaps back";
    e->SetAlignment(TAlignment::taCenter);
    ProcessMessages();
    EXPECT_EQ(FirstInk(*e, kInkRow), 2 + (96 - 12) / 2);
}

TEST_F(FieldTest, TypingGoesThroughTheWindowAndKeepsTheFilter) {
    auto e = MakeField<TumValidEdit>("", TAlignment::taRightJustify);
    e->ValidChars = "0123456789:";
    e->SetFocus();
    userinput::Type("1a2:3ü0");
    EXPECT_EQ(e->Text(), "12:30");
    ProcessMessages();
    EXPECT_EQ(FirstInk(*e, kInkRow), kLeftText) << "typed text stands at the start";
}

TEST_F(FieldTest, ACopyPaintedWhileFocusedIsLeftJustified) {
    auto e = MakeField("ab", TAlignment::taRightJustify);
    EXPECT_EQ(FirstInkOfCopy(*e, kInkRow), kRightText);
    e->SetFocus();
    ProcessMessages();
    EXPECT_EQ(FirstInkOfCopy(*e, kInkRow), kLeftText);
}

TEST_F(FieldTest, RightToLeftFieldsMirrorTheirAlignment) {
    SysLocale().MiddleEast = true;
    auto e = MakeField("ab", TAlignment::taRightJustify);
    e->BiDiMode = TBiDiMode::bdRightToLeft;
    e->Invalidate();
    ProcessMessages();
    EXPECT_EQ(FirstInk(*e, kInkRow), kLeftText) << "right-justified reads to the left edge";
    e->SetFocus();
    ProcessMessages();
    e->SetSelStart(0);
    e->Repaint();
    EXPECT_EQ(FirstInk(*e, kInkRow), kRightText) << "while typing, the text starts on the right";
    e->SetAlignment(TAlignment::taLeftJustify);
    e->BiDiMode = TBiDiMode::bdRightToLeftNoAlign;
    e->Repaint();
    EXPECT_EQ(FirstInk(*e, kInkRow), kLeftText) << "reading only: the alignment stays";
}

TEST_F(FieldTest, WithoutNewStyleControlsABorderedFieldDrawsItsOwnFrame) {
    NewStyleControls() = false;
    auto e = MakeField("ab", TAlignment::taLeftJustify);
    const TBitmap* surface = WindowSurface(e->Handle());
    EXPECT_EQ(surface->Pixel(0, 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(surface->Pixel(50, 19), ColorToRGB(clWindowFrame));
    EXPECT_EQ(surface->Pixel(1, 10), clWhite);
    // Margins of a quarter of the smaller font height: min(16, 12) / 4 = 3.
    EXPECT_EQ(surface->Pixel(2, 3 + 1), clWhite);
    EXPECT_EQ(surface->Pixel(3, 3 + 1), clBlack);
    EXPECT_EQ(surface->Pixel(3, 3), clWhite);
    e->BorderSingle = false;
    e->Repaint();
    EXPECT_EQ(surface->Pixel(0, 10), clWhite);
    EXPECT_EQ(FirstInk(*e, 1), 0);
}

TEST_F(FieldTest, ANewStyleFlatBorderIsAFrameWithTwoPixelMargins) {
    auto e = MakeField("ab", TAlignment::taLeftJustify);
    e->Ctl3D = false;
    e->Repaint();
    const TBitmap* surface = WindowSurface(e->Handle());
    EXPECT_EQ(surface->Pixel(0, 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(surface->Pixel(2, 2 + 1), clWhite);
    EXPECT_EQ(surface->Pixel(1 + 2, 2 + 1), clBlack) << "margins: left margin 1 + 2, top 2";
}

TEST_F(FieldTest, CharCaseTurnsTypedAndSetTextsAndPasswordCharHidesThem) {
    auto e = MakeField("Straße", TAlignment::taLeftJustify);
    e->SetCharCase(TEditCharCase::ecUpperCase);
    EXPECT_EQ(e->Text(), "STRAßE");
    e->SetFocus();
    e->SetSelStart(6);
    userinput::Type("ü");
    EXPECT_EQ(e->Text(), "STRAßEÜ");
    e->SetCharCase(TEditCharCase::ecLowerCase);
    e->SetText("GRÜN");
    EXPECT_EQ(e->Text(), "grün");

    // Masked, the field paints exactly what a field showing the password character paints.
    e->Font.Name = "DejaVu Sans";
    e->PasswordChar = U'*';
    auto stars = MakeField("****", TAlignment::taLeftJustify, 40);
    stars->Font.Name = "DejaVu Sans";
    TBitmap masked(100, 20), shown(100, 20);
    e->PaintCopy(masked.Canvas());
    stars->PaintCopy(shown.Canvas());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(masked.Pixel(x, y), shown.Pixel(x, y)) << x << ", " << y;
    EXPECT_EQ(e->Text(), "grün") << "the text itself stays";
}

TEST_F(FieldTest, ADisabledFieldShowsGreyText) {
    auto e = MakeField("ab", TAlignment::taRightJustify);
    e->SetEnabled(false);
    ProcessMessages();
    EXPECT_EQ(FirstInk(*e, kInkRow, ColorToRGB(clGrayText)), kRightText);
    EXPECT_EQ(FirstInk(*e, kInkRow), -1);
}

TEST_F(FieldTest, TheCanvasDrawsOnTheFieldsWindow) {
    auto e = MakeField("", TAlignment::taLeftJustify);
    TCanvas& canvas = e->GetCanvas();
    canvas.Brush.Color = clRed;
    canvas.FillRect(Rect(10, 5, 12, 7));
    EXPECT_EQ(WindowSurface(e->Handle())->Pixel(11, 6), clRed);
    TumEdit windowless;
    windowless.GetCanvas().FillRect(Rect(0, 0, 5, 5));  // draws on nothing, harmlessly
}

// ---- stored forms ----

TEST(EditForms, PropertiesRoundTripWithTheirStreamDefaults) {
    TumNumberEdit e;
    e.Name = "Tore";
    e.SetAlignment(TAlignment::taRightJustify);
    e.SetKind(neHex);
    e.SetMaxValue(255);
    e.SetValue(200);
    const std::string text = WriteComponentText(e);
    EXPECT_EQ(text,
              "object Tore: TumNumberEdit\n"
              "  Alignment = taRightJustify\n"
              "  Kind = neHex\n"
              "  Value = 200\n"
              "  MaxValue = 255\n"
              "end\n");
    TumNumberEdit back;
    std::string error;
    ASSERT_TRUE(ReadComponentText(text, back, error)) << error;
    EXPECT_EQ(back.Text(), "C8");
    EXPECT_EQ(back.Value(), 200);
    EXPECT_EQ(back.Alignment(), TAlignment::taRightJustify);
    back.SetSelStart(2);
    back.WMChar('1');
    EXPECT_EQ(back.Text(), "C8") << "the limit holds after loading";

    TumNumberEdit fresh;
    EXPECT_EQ(WriteComponentText(fresh), "object Unbenannt: TumNumberEdit\n  Value = 0\n  MaxValue = 0\nend\n")
        << "Value and MaxValue are always stored";
}

TEST(EditForms, ValidEditAndEditPropertiesRoundTrip) {
    TumValidEdit e;
    e.ValidChars = "1234567890:";
    e.ValidateChars = false;
    e.SetCharCase(TEditCharCase::ecUpperCase);
    e.PasswordChar = U'•';
    const std::string text = WriteComponentText(e);
    TumValidEdit back;
    std::string error;
    ASSERT_TRUE(ReadComponentText(text, back, error)) << error;
    EXPECT_EQ(back.ValidChars, "1234567890:");
    EXPECT_FALSE(back.ValidateChars);
    EXPECT_EQ(back.CharCase(), TEditCharCase::ecUpperCase);
    EXPECT_EQ(back.PasswordChar, U'•');
    EXPECT_EQ(WriteComponentText(back), text);
    EXPECT_EQ(WriteComponentText(*std::make_unique<TumEdit>()), "object Unbenannt: TumEdit\nend\n");
}

TEST(EditForms, DamagedFormsAreRefusedWithAMessage) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"object E: TumNumberEdit\n  MaxValue = -1\nend\n", "MaxValue: -1 liegt außerhalb von 0 bis 2147483647"},
        {"object E: TumNumberEdit\n  Value = 2147483648\nend\n", "Value: 2147483648 liegt außerhalb"},
        {"object E: TumEdit\n  Alignment = taJustify\nend\n", "Alignment: Wert \"taJustify\" unbekannt"},
        {"object E: TumEdit\n  PasswordChar = '**'\nend\n", "PasswordChar: genau ein Zeichen erwartet"},
        {"object E: TumEdit\n  Kind = neHex\nend\n", "Eigenschaft Kind existiert nicht"},
    };
    for (const auto& c : cases) {
        TumNumberEdit number;
        TumEdit plain;
        TComponent& target = std::string(c.text).find("TumNumberEdit") != std::string::npos ? static_cast<TComponent&>(number)
                                                                                               : static_cast<TComponent&>(plain);
        std::string error;
        EXPECT_FALSE(ReadComponentText(c.text, target, error)) << c.text;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

// ---- picture ----

// Writes build/<...>/umedit_look.png for a person to look at: every kind of field, without and
// with the focus, disabled, right to left and in the old style.
TEST_F(FieldTest, EveryKindAndStateAsPicture) {
    struct Row {
        const char* label;
        std::function<std::unique_ptr<TumEdit>()> make;
    };
    auto number = [](TumNumberEditKind kind, int value) {
        auto e = std::make_unique<TumNumberEdit>();
        e->SetKind(kind);
        e->SetMaxValue(999);
        e->SetValue(value);
        e->SetAlignment(TAlignment::taRightJustify);
        return std::unique_ptr<TumEdit>(std::move(e));
    };
    auto plain = [](const char* text, TAlignment alignment) {
        auto e = std::make_unique<TumEdit>();
        e->SetText(text);
        e->SetAlignment(alignment);
        return e;
    };
    const std::vector<Row> rows = {
        {"TumEdit rechtsbündig", [&] { return plain("Grün-Weiß", TAlignment::taRightJustify); }},
        {"TumEdit zentriert", [&] { return plain("Mitte", TAlignment::taCenter); }},
        {"TumValidEdit Uhrzeit",
         [] {
             auto e = std::make_unique<TumValidEdit>();
             e->ValidChars = "1234567890:";
             e->SetText("14:30");
             e->SetAlignment(TAlignment::taRightJustify);
             return std::unique_ptr<TumEdit>(std::move(e));
         }},
        {"TumNumberEdit dezimal", [&] { return number(neDec, 250); }},
        {"TumNumberEdit hex", [&] { return number(neHex, 255); }},
        {"TumNumberEdit binär", [&] { return number(neBin, 5); }},
        {"PasswordChar *",
         [&] {
             auto e = plain("geheim", TAlignment::taLeftJustify);
             e->PasswordChar = U'*';
             return e;
         }},
        {"CharCase ecUpperCase",
         [&] {
             auto e = plain("Straße", TAlignment::taLeftJustify);
             e->SetCharCase(TEditCharCase::ecUpperCase);
             return e;
         }},
    };
    const char* columns[] = {"ohne Fokus", "mit Fokus", "gesperrt", "rechts nach links", "alter Stil"};
    constexpr int kLabelW = 170, kCellW = 150, kCellH = 32, kTop = 30, kFieldW = 130, kFieldH = 22;
    TestForm picture(kLabelW + 5 * kCellW, kTop + static_cast<int>(rows.size()) * kCellH + 6, clBtnFace);
    std::vector<std::unique_ptr<TumEdit>> fields;
    auto place = [&](size_t row, int column) -> TumEdit& {
        auto e = rows[row].make();
        e->Font.Name = "DejaVu Sans";
        e->Font.Height = -12;
        e->Font.Color = clWindowText;
        e->Color = clWindow;
        e->SetBounds(kLabelW + column * kCellW, kTop + static_cast<int>(row) * kCellH, kFieldW, kFieldH);
        e->SetParentControl(&picture);
        e->Handle();
        fields.push_back(std::move(e));
        return *fields.back();
    };
    SysLocale().MiddleEast = true;
    std::vector<TumEdit*> focusable;
    for (size_t r = 0; r < rows.size(); ++r) {
        place(r, 0);
        focusable.push_back(&place(r, 1));
        place(r, 2).SetEnabled(false);
        TumEdit& rightToLeft = place(r, 3);
        rightToLeft.BiDiMode = TBiDiMode::bdRightToLeft;
    }
    ProcessMessages();
    // One field has the focus at a time: each is shown as it looked while it had it, every
    // second one with the caret at the end instead of the whole text selected.
    std::vector<TBitmap> focused;
    for (size_t r = 0; r < focusable.size(); ++r) {
        TumEdit& e = *focusable[r];
        e.SetFocus();
        if (r % 2 == 1) e.SetSelStart(static_cast<int>(e.Text().size()));
        e.Repaint();
        focused.push_back(*WindowSurface(e.Handle()));
    }
    SetFocus(0);
    NewStyleControls() = false;
    for (size_t r = 0; r < rows.size(); ++r) place(r, 4);
    ProcessMessages();
    NewStyleControls() = true;

    TBitmap look = CaptureWindow(picture.Handle());
    TCanvas& canvas = look.Canvas();
    for (size_t r = 0; r < focused.size(); ++r) canvas.Draw(kLabelW + kCellW, kTop + static_cast<int>(r) * kCellH, focused[r]);
    canvas.Font.Name = "DejaVu Sans";
    canvas.Font.Height = -12;
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = TBrushStyle::bsClear;
    for (int c = 0; c < 5; ++c) canvas.TextOut(kLabelW + c * kCellW, 8, columns[c]);
    for (size_t r = 0; r < rows.size(); ++r) canvas.TextOut(10, kTop + static_cast<int>(r) * kCellH + 4, rows[r].label);

    const std::string path = std::string(MAROVELKA_BINARY_DIR) + "/umedit_look.png";
    ASSERT_TRUE(SavePng(look, path));
    // The focused right-aligned field shows its text selected from the left: navy there.
    int navy = 0;
    for (int y = kTop; y < kTop + kFieldH; ++y)
        for (int x = kLabelW + kCellW; x < kLabelW + kCellW + kFieldW / 2; ++x) navy += look.Pixel(x, y) == RGBColor(0, 0, 128);
    EXPECT_GT(navy, 200);
}
