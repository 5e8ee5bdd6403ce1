#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "TestEnvironment.h"
#include "components/IAeverButton.h"
#include "platform/FormStream.h"

namespace {

// The window the buttons live in.
class TestForm : public TForm, public TWinControl {
public:
    TestForm() : TWinControl(static_cast<TForm&>(*this)) {
        Width = 300;
        Height = 200;
        Handle();
    }
    ~TestForm() override { DestroyHandle(); }
};

class ButtonFormTest : public ProgramTest {
protected:
    void TearDown() override {
        ProcessMessages();
        ProgramTest::TearDown();
    }

    // Reads the text into the button; the error stays empty when it was read.
    static std::string Read(const std::string& text, TIAeverButton& button) {
        std::string error;
        const bool read = ReadComponentText(text, button, error);
        EXPECT_EQ(read, error.empty()) << error;
        return error;
    }

    static std::string Form(const std::string& properties) {
        return "object Knopf: TIAeverButton\n" + properties + "end\n";
    }
};

// A glyph of 3 x 2 pixels in three colours and white.
TBitmap Glyph() {
    TBitmap glyph(3, 2);
    glyph.SetPixel(0, 0, clRed);
    glyph.SetPixel(1, 0, clLime);
    glyph.SetPixel(2, 1, RGBColor(1, 2, 3));
    return glyph;
}

bool SamePicture(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<size_t>(a.Width()) * 3) != 0) return false;
    return true;
}

// How the windows set up their buttons.
void MakeUniform(TIAeverButton& b) {
    b.Name = "BtnSpeichern";
    b.SetButtonKind(bkRoundRect);
    b.SetButtoncolor(clSilver);
    b.SetCaption3dKind(ckEmbossed);
    const TBitmap glyph = Glyph();
    b.SetMainBitmap(&glyph);
    b.SetBitmapHAlign(haNone);
    b.SetBitmapVAlign(vaCenter);
    b.SetBitmapLeft(8);
    b.SetCaptionHAlign(haLeft);
    b.SetPeaksNumber(8);
    b.SetShowFocusRGN(false);
    b.SetUserRGNAUTO(true);
    b.SetRadiusRatio(0.5);
    b.SetArcAngle(2.0943951023932);
}

const char* const kAlwaysWritten =
    "  StringButtonRegion = ''\n  UserRGNAUTO = True\n  RotationPointX = 0\n  RotationPointY = 0\n"
    "  Rotated = False\n  CaptionFixed = False\n";

}  // namespace

// ---- writing ----

TEST_F(ButtonFormTest, ADefaultButtonWritesOnlyThePropertiesAFormNeverLeavesOut) {
    TIAeverButton b;
    b.Name = "Knopf";
    EXPECT_EQ(WriteComponentText(b),
              Form(std::string("  CaptionAngle = 0\n  Transparent = False\n  ButtonAngle = 0\n  ButtonWidth = 75\n"
                               "  ButtonHeight = 25\n") +
                   kAlwaysWritten +
                   "  GradientFixed = False\n  GradientBitmapLine = 0\n  Caption3dKind = ckSimple\n"
                   "  RadiusRatio = 0.5\n  ArcAngle = 2.0943951023931953\n"));
}

TEST_F(ButtonFormTest, AValueBackAtItsStreamDefaultIsLeftOutAgain) {
    TIAeverButton b;
    b.SetPeaksNumber(8);
    b.SetShowFocusRGN(false);
    EXPECT_NE(WriteComponentText(b).find("  PeaksNumber = 8\n"), std::string::npos);
    EXPECT_NE(WriteComponentText(b).find("  ShowFocusRGN = False\n"), std::string::npos);
    b.SetPeaksNumber(6);
    b.SetShowFocusRGN(true);
    EXPECT_EQ(WriteComponentText(b).find("PeaksNumber"), std::string::npos);
    EXPECT_EQ(WriteComponentText(b).find("ShowFocusRGN"), std::string::npos);
    b.SetMainBitmap(nullptr);
    EXPECT_EQ(WriteComponentText(b).find("MainBitmap"), std::string::npos) << "an empty glyph is not written";
}

// ---- round trips ----

TEST_F(ButtonFormTest, TheWindowsUniformButtonComesBackExactly) {
    TIAeverButton b;
    MakeUniform(b);
    const std::string text = WriteComponentText(b);
    EXPECT_EQ(text, "object BtnSpeichern: TIAeverButton\n  CaptionAngle = 0\n  ButtonColor = 12632256\n"
                    "  ButtonKind = bkRoundRect\n  CaptionHAlign = haLeft\n"
                    "  MainBitmap = {03000000020000000000FF00FF00FFFFFFFFFFFFFFFFFF030201}\n"
                    "  Transparent = False\n  PeaksNumber = 8\n  ButtonAngle = 0\n  ButtonWidth = 75\n"
                    "  ButtonHeight = 25\n  BitmapLeft = 8\n  BitmapHAlign = haNone\n  BitmapVAlign = vaCenter\n" +
                        std::string(kAlwaysWritten) +
                        "  GradientFixed = False\n  GradientBitmapLine = 0\n  Caption3dKind = ckEmbossed\n"
                        "  RadiusRatio = 0.5\n  ArcAngle = 2.0943951023932\n  ShowFocusRGN = False\nend\n");
    TIAeverButton copy;
    EXPECT_EQ(Read(text, copy), "");
    EXPECT_EQ(WriteComponentText(copy), text);
    EXPECT_EQ(copy.Name, "BtnSpeichern");
    EXPECT_EQ(copy.ButtonColor(), clSilver);
    EXPECT_EQ(copy.CaptionHAlign(), haLeft);
    EXPECT_EQ(copy.BitmapHAlign(), haNone);
    EXPECT_EQ(copy.BitmapLeft(), 8);
    EXPECT_EQ(copy.ArcAngle(), 2.0943951023932);
    EXPECT_TRUE(SamePicture(copy.MainBitmap(), b.MainBitmap()));
    EXPECT_FALSE(copy.Loading());
}

TEST_F(ButtonFormTest, EveryPropertyAwayFromItsDefaultComesBack) {
    TIAeverButton b;
    const TBitmap glyph = Glyph();
    TBitmap strip(8, 1);
    strip.SetPixel(7, 0, clBlue);
    b.SetCaptionTop(-3);
    b.SetCaptionLeft(2147483647);
    b.SetCaptionAngle(-900);
    b.SetButtoncolor(clNone);
    b.SetButtonKind(bkCross1);
    b.SetButton3DKind(dkNone);
    b.SetButtonDepth(4);
    b.SetCaptionVAlign(vaBottom);
    b.SetMainBitmap(&glyph);
    b.SetMainBitmapGlyphs(4);
    b.SetOnEnterBitmap(&strip);
    b.SetOnEnterGlyphs(8);
    b.SetOnEnterInterval(-1);
    b.SetOnExitBitmap(&glyph);
    b.SetOnExitGlyphs(3);
    b.SetOnExitInterval(0);
    b.SetOnClickBitmap(&strip);
    b.SetOnClickGlyphs(2);
    b.SetOnClickInterval(100);
    b.SetTransparent(true);
    b.SetPeaksNumber(20);
    b.SetButtonAngle(300);
    b.SetButtonWidth(60);
    b.SetButtonHeight(30);
    b.SetBitmapTop(0);
    b.SetStringButtonRegion("Form 'A'\r\n\x01\xFF");
    b.SetUserRGNAUTO(false);
    b.SetRotationPointX(-7);
    b.SetRotationPointY(9);
    b.SetRotationCenterFixed(true);
    b.SetRotatedTime(0);
    b.SetRotatedAngle(-1799);
    b.SetCaptionFixed(true);
    b.SetButtonColor1(clBtnHighlight);
    b.SetGradientKind(gkCircular);
    b.SetGradientAngle(0);
    b.SetGradientFixed(true);
    b.SetGradientBitmap(&strip);
    b.SetGradientBitmapLine(5);
    b.SetCaption3dKind(ckPressed);
    b.SetRadiusRatio(1.0);
    b.SetArcAngle(2 * std::numbers::pi);
    b.SetCustomDraw(true);
    const std::string text = WriteComponentText(b);
    TIAeverButton copy;
    EXPECT_EQ(Read(text, copy), "");
    EXPECT_EQ(WriteComponentText(copy), text);
    EXPECT_EQ(copy.ButtonColor(), clNone);
    EXPECT_EQ(copy.ButtonColor1(), clBtnHighlight);
    EXPECT_EQ(copy.StringButtonRegion(), "Form 'A'\r\n\x01\xFF");
    EXPECT_EQ(copy.ButtonAngle(), 300);
    EXPECT_EQ(copy.ButtonWidth(), 60);
    EXPECT_EQ(copy.CaptionAngle(), -900) << "a caption fixed to the shape is not turned twice";
    EXPECT_TRUE(SamePicture(copy.OnEnterBitmap(), strip));
    EXPECT_TRUE(SamePicture(copy.OnExitBitmap(), glyph));
    EXPECT_TRUE(SamePicture(copy.GradientBitmap(), strip));
    EXPECT_TRUE(copy.RotationCenterFixed());
}

TEST_F(ButtonFormTest, DoublesComeBackToTheLastBit) {
    for (double ratio : {0.0, 0.1, 1.0 / 3.0, std::nextafter(0.5, 1.0), 1.0, 5e-324}) {
        TIAeverButton b;
        b.SetRadiusRatio(ratio);
        b.SetArcAngle(std::nextafter(2 * std::numbers::pi, 0.0));
        TIAeverButton copy;
        EXPECT_EQ(Read(WriteComponentText(b), copy), "");
        EXPECT_EQ(copy.RadiusRatio(), ratio);
        EXPECT_EQ(copy.ArcAngle(), b.ArcAngle());
    }
}

TEST_F(ButtonFormTest, SystemColoursAreTakenInEitherSpelling) {
    TIAeverButton b;
    EXPECT_EQ(Read(Form("  ButtonColor = 2147483668\n  ButtonColor1 = -2147483647\n"), b), "");
    EXPECT_EQ(b.ButtonColor(), clBtnHighlight);
    EXPECT_EQ(b.ButtonColor1(), clBackground);
}

// ---- loading rules ----

// Tells whether each position came in while the button was loading.
class WatchedButton : public TIAeverButton {
public:
    void SetCaptionLeft(int v) override {
        loadingSeen = Loading();
        TIAeverButton::SetCaptionLeft(v);
    }
    bool loadingSeen = false;
};

TEST_F(ButtonFormTest, APositionFromTheFormKeepsTheStoredAlignmentOneSetInCodeSwitchesItOff) {
    WatchedButton b;
    EXPECT_EQ(Read(Form("  CaptionLeft = 12\n  CaptionHAlign = haLeft\n  BitmapTop = 9\n"), b), "");
    EXPECT_TRUE(b.loadingSeen);
    EXPECT_EQ(b.CaptionLeft(), 12);
    EXPECT_EQ(b.CaptionHAlign(), haLeft);
    EXPECT_EQ(b.BitmapVAlign(), vaTop);
    b.SetCaptionLeft(20);
    b.SetBitmapTop(3);
    EXPECT_FALSE(b.loadingSeen);
    EXPECT_EQ(b.CaptionHAlign(), haNone);
    EXPECT_EQ(b.BitmapVAlign(), vaNone);
}

TEST_F(ButtonFormTest, AFormReadIntoALoadedButtonLeavesItsAlignmentToo) {
    TIAeverButton b;
    EXPECT_EQ(Read(Form(""), b), "");
    EXPECT_EQ(Read(Form("  CaptionTop = 2\n  BitmapLeft = 1\n"), b), "");
    EXPECT_EQ(b.CaptionVAlign(), vaCenter);
    EXPECT_EQ(b.BitmapHAlign(), haLeft);
}

TEST_F(ButtonFormTest, ATurnedShapeFromTheFormLeavesTheButtonWhereItWasPlaced) {
    TestForm form;
    for (bool withWindow : {false, true}) {
        TIAeverButton b;
        b.SetBounds(40, 30, 75, 25);
        if (withWindow) {
            b.SetParentControl(&form);
            b.Handle();
        }
        EXPECT_EQ(Read(Form("  ButtonAngle = 450\n  ButtonWidth = 90\n  ButtonHeight = 30\n"), b), "");
        EXPECT_EQ(b.Left, 40);
        EXPECT_EQ(b.Top, 30);
        EXPECT_EQ(b.Width, TurnedBox(90, 30, 450).width);
        // Once loaded, a turn moves the button about its pivot again.
        b.SetButtonAngle(900);
        EXPECT_NE(std::pair(b.Left, b.Top), std::pair(40, 30));
    }
}

TEST_F(ButtonFormTest, TheFaceIsPaintedOnceWhenTheWholeFormIsIn) {
    TIAeverButton b;
    const int before = b.FacePaints();
    EXPECT_EQ(Read(Form("  ButtonColor = 255\n  ButtonKind = bkRoundRect\n  ButtonWidth = 60\n  ButtonHeight = 30\n"), b), "");
    EXPECT_EQ(b.FacePaints(), before + 1);
    EXPECT_EQ(b.FaceBitmap().Width(), 60);
    EXPECT_EQ(b.FaceBitmap().Pixel(30, 15), clRed);
}

// ---- bad forms ----

TEST_F(ButtonFormTest, AnUnknownValueNameSaysWhichAndWhere) {
    TIAeverButton b;
    const std::string form = Form("  ButtonKind = bkOval\n");
    const size_t after = form.find("bkOval") + 6;
    EXPECT_EQ(Read(form, b),
              "Formulardaten fehlerhaft an Stelle " + std::to_string(after + 1) + ": ButtonKind: Wert \"bkOval\" unbekannt");
    EXPECT_FALSE(b.Loading());
    EXPECT_EQ(b.ButtonKind(), bkRect);
    for (const char* bad : {"  Caption3dKind = ckembossed\n", "  Transparent = Ja\n", "  CaptionHAlign = vaTop\n",
                            "  ButtonKind = 1\n", "  Rotated = 'True'\n"})
        EXPECT_NE(Read(Form(bad), b), "") << bad;
}

TEST_F(ButtonFormTest, NumbersOutsideWhatTheButtonTakesAreRefused) {
    TIAeverButton b;
    const std::string form = Form("  PeaksNumber = 21\n");
    EXPECT_EQ(Read(form, b), "Formulardaten fehlerhaft an Stelle " + std::to_string(form.find("21") + 3) +
                                 ": PeaksNumber: 21 liegt außerhalb von 3 bis 20");
    for (const char* bad :
         {"  MainBitmapGlyphs = 0\n", "  OnEnterGlyphs = 0\n", "  ButtonWidth = 1025\n", "  ButtonHeight = -1\n",
          "  RotatedAngle = 1800\n", "  RotatedTime = -1\n", "  GradientBitmapLine = -1\n",
          "  CaptionTop = 2147483648\n", "  ButtonColor = 4294967296\n", "  ButtonAngle = 99999999999999999999\n",
          "  RadiusRatio = 1.01\n", "  RadiusRatio = -0.5\n", "  ArcAngle = 0.005\n", "  ArcAngle = 6.3\n",
          "  RadiusRatio = nan\n", "  ArcAngle = inf\n", "  ArcAngle = 1e999\n"})
        EXPECT_NE(Read(Form(bad), b), "") << bad;
    EXPECT_EQ(b.PeaksNumber(), 6);
    EXPECT_EQ(b.ButtonWidth(), 75);
    EXPECT_EQ(b.RadiusRatio(), 0.5);
}

TEST_F(ButtonFormTest, BrokenPictureBlocksAreRefused) {
    struct Case {
        const char* block;
        const char* reason;
    };
    for (const Case& c : {
             Case{"{}", "Bilddaten unvollständig"},
             Case{"{01000000010000}", "Bilddaten unvollständig"},
             Case{"{0100000001000000FFFF}", "Bilddaten unvollständig"},
             Case{"{0100000001000000FFFFFFFF}", "Bilddaten länger als das Bild"},
             Case{"{0000000001000000}", "Bildgröße 0 x 1 unzulässig"},
             Case{"{FFFFFFFFFFFFFFFF}", "Bildgröße 4294967295 x 4294967295 unzulässig"},
             Case{"{0120000001000000}", "Bildgröße 8193 x 1 unzulässig"},
         }) {
        TIAeverButton b;
        const std::string error = Read(Form(std::string("  OnClickBitmap = ") + c.block + "\n"), b);
        EXPECT_NE(error.find(std::string("OnClickBitmap: ") + c.reason), std::string::npos) << c.block << ": " << error;
        EXPECT_TRUE(b.OnClickBitmap().Empty());
    }
    TIAeverButton b;
    EXPECT_EQ(Read(Form("  GradientBitmap = {0100000001000000FF0000}\n"), b), "");
    EXPECT_EQ(b.GradientBitmap().Pixel(0, 0), clBlue);
}
