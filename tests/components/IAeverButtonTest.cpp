#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "TestEnvironment.h"
#include "TestForm.h"
#include "components/ButtonFace.h"
#include "components/IAeverButton.h"

namespace {

class ButtonTest : public WindowedTest {
protected:
    // A silver 40 x 24 button at (10, 10) with a window and no caption.
    std::unique_ptr<TIAeverButton> MakeButton(int width = 40, int height = 24) {
        auto b = std::make_unique<TIAeverButton>();
        b->SetBounds(10, 10, width, height);
        b->SetButtonWidth(width);
        b->SetButtonHeight(height);
        b->SetButtoncolor(clSilver);
        b->SetParentControl(&form);
        b->Handle();
        ProcessMessages();
        return b;
    }
    TColor Face(const TIAeverButton& b, int x, int y) { return b.FaceBitmap().Pixel(x, y); }

    TestForm form{300, 200};
};

// A strip of four 8 x 8 glyphs in four colours.
TBitmap GlyphStrip(int glyphs, std::initializer_list<TColor> colours) {
    TBitmap strip(8 * glyphs, 8);
    int i = 0;
    for (TColor c : colours) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) strip.SetPixel(8 * i + x, y, c);
        ++i;
    }
    return strip;
}

constexpr TColor kLightSilver = 0xE0E0E0;
constexpr TColor kDarkSilver = 0xA0A0A0;
constexpr TColor kSilverFrame = 0x808080;

}  // namespace

// ---- properties ----

TEST_F(ButtonTest, StartsWithItsDocumentedValues) {
    TIAeverButton b;
    EXPECT_EQ(b.ClassName(), "TIAeverButton");
    EXPECT_EQ(b.CaptionTop(), 5);
    EXPECT_EQ(b.ButtonColor(), clBtnFace);
    EXPECT_EQ(b.ButtonColor1(), clBtnShadow);
    EXPECT_EQ(b.ButtonKind(), bkRect);
    EXPECT_EQ(b.Button3DKind(), dk3D);
    EXPECT_EQ(b.ButtonDepth(), 2);
    EXPECT_EQ(b.CaptionHAlign(), haCenter);
    EXPECT_EQ(b.BitmapHAlign(), haLeft);
    EXPECT_EQ(b.BitmapVAlign(), vaTop);
    EXPECT_EQ(b.PeaksNumber(), 6);
    EXPECT_EQ(b.RotatedTime(), 40);
    EXPECT_EQ(b.RotatedAngle(), 40);
    EXPECT_EQ(b.GradientAngle(), 450);
    EXPECT_DOUBLE_EQ(b.ArcAngle(), 2.0943951023931953);
    EXPECT_TRUE(b.ShowFocusRGN());
    EXPECT_TRUE(b.UserRGNAUTO());
    EXPECT_EQ(b.ButtonWidth(), b.Width);
    EXPECT_EQ(b.MainBitmap().Height(), 0);
    EXPECT_FALSE(b.HasRotationThread());
}

TEST_F(ButtonTest, SettersIgnoreEqualAndOutOfRangeValues) {
    TIAeverButton b;
    const int builds = b.ShapeBuilds();
    b.SetButtonKind(bkRect);
    EXPECT_EQ(b.ShapeBuilds(), builds);
    b.SetMainBitmapGlyphs(5);
    b.SetMainBitmapGlyphs(0);
    EXPECT_EQ(b.MainBitmapGlyphs(), 1);
    b.SetPeaksNumber(2);
    b.SetPeaksNumber(21);
    EXPECT_EQ(b.PeaksNumber(), 6);
    b.SetRadiusRatio(1.01);
    EXPECT_DOUBLE_EQ(b.RadiusRatio(), 0.5);
    b.SetRadiusRatio(1.0);
    EXPECT_DOUBLE_EQ(b.RadiusRatio(), 1.0);
    b.SetRadiusRatio(0.0);
    EXPECT_DOUBLE_EQ(b.RadiusRatio(), 0.0);
    b.SetArcAngle(0.005);
    EXPECT_DOUBLE_EQ(b.ArcAngle(), 2.0943951023931953);
    b.SetArcAngle(2 * std::numbers::pi);
    EXPECT_DOUBLE_EQ(b.ArcAngle(), 2 * std::numbers::pi);
    b.SetRotatedAngle(1800);
    EXPECT_EQ(b.RotatedAngle(), 40);
    b.SetRotatedAngle(-1799);
    EXPECT_EQ(b.RotatedAngle(), -1799);
    b.SetRotatedTime(-1);
    b.SetOnEnterGlyphs(0);
    b.SetGradientBitmapLine(-1);
    b.SetButtonWidth(-3);
    EXPECT_EQ(b.RotatedTime(), 40);
    EXPECT_EQ(b.OnEnterGlyphs(), 1);
    EXPECT_EQ(b.GradientBitmapLine(), 0);
    EXPECT_EQ(b.ButtonWidth(), 75);
    // The shape only follows the parameters its kind uses.
    const int before = b.ShapeBuilds();
    b.SetPeaksNumber(8);
    EXPECT_EQ(b.ShapeBuilds(), before);
    b.SetButtonKind(bkPoly);
    b.SetPeaksNumber(9);
    EXPECT_EQ(b.ShapeBuilds(), before + 2);
}

TEST_F(ButtonTest, AngleSettersKeepTheAngleInRange) {
    TIAeverButton b;
    b.SetButtonAngle(3500);
    EXPECT_EQ(b.ButtonAngle(), -100);
    b.SetButtonAngle(-1800);
    EXPECT_EQ(b.ButtonAngle(), 1800);
}

TEST_F(ButtonTest, ExtremeAnglesTurnTheCaptionAlongWithoutOverflow) {
    TIAeverButton b;
    b.SetCaptionFixed(true);
    b.SetGradientFixed(true);
    b.SetCaptionAngle(100);
    b.SetButtonAngle(INT_MIN);  // -848 in range, so the caption turns by -848 as well
    EXPECT_EQ(b.ButtonAngle(), -848);
    EXPECT_EQ(b.CaptionAngle(), -748);
    EXPECT_EQ(b.GradientAngle(), -398);
    b.SetButtonAngle(INT_MAX);  // 847: a turn of 1695
    EXPECT_EQ(b.ButtonAngle(), 847);
    EXPECT_EQ(b.CaptionAngle(), 947);
    b.SetCaptionAngle(INT_MIN);
    b.SetButtonAngle(900);
    EXPECT_EQ(b.CaptionAngle(), NormalizeAngle(static_cast<int64_t>(INT_MIN) + 53));
}

TEST_F(ButtonTest, PositionsSetInCodeAfterLoadingSwitchTheAlignmentButNotFromTheResource) {
    TIAeverButton b;
    b.BeginLoading();
    b.SetCaptionHAlign(haLeft);
    b.SetCaptionLeft(12);
    b.SetBitmapTop(9);
    b.Loaded();
    EXPECT_EQ(b.CaptionHAlign(), haLeft);
    EXPECT_EQ(b.BitmapVAlign(), vaTop);
    b.SetCaptionLeft(20);
    b.SetBitmapTop(3);
    EXPECT_EQ(b.CaptionHAlign(), haNone);
    EXPECT_EQ(b.BitmapVAlign(), vaNone);
}

TEST_F(ButtonTest, AnUnchangedKindDoesNotRebuild) {
    auto b = MakeButton();
    const int builds = b->ShapeBuilds();
    b->SetButton3DKind(dkFlatten);
    b->SetButton3DKind(dkFlatten);
    EXPECT_EQ(b->ShapeBuilds(), builds + 1);
}

TEST_F(ButtonTest, TheWindowTakesTheShapeOnceAtTheNextPaint) {
    auto b = MakeButton();
    b->SetButtonKind(bkRoundRect);
    EXPECT_TRUE(b->RegionPending());
    ProcessMessages();
    EXPECT_FALSE(b->RegionPending());
    const auto region = GetWindowRgn(b->Handle());
    ASSERT_TRUE(region);
    EXPECT_FALSE(region->Contains(0, 0));
    EXPECT_TRUE(region->Contains(20, 12));
    EXPECT_EQ(*region, b->OutlineFrameRegion());
}

// A user shape whose notch ends on the row where its hole begins keeps the hole open,
// whether the notch comes from above or from below.
TEST_F(ButtonTest, AUserShapeKeepsAHoleOnTheRowOfANotchOpen) {
    const TRegion square(Rect(0, 0, 100, 100)), hole(Rect(20, 30, 40, 50));
    for (const TRect notch : {Rect(60, 0, 70, 30), Rect(60, 30, 70, 100)}) {
        auto b = MakeButton(100, 100);
        b->SetButtonKind(bkUser);
        ASSERT_TRUE(b->SetButtonRegion(square.Difference(TRegion(notch)).Difference(hole)));
        ProcessMessages();
        const auto window = GetWindowRgn(b->Handle());
        ASSERT_TRUE(window);
        EXPECT_FALSE(window->Contains(30, 40)) << "the hole's middle, notch at y " << notch.top;
        EXPECT_FALSE(window->Contains(65, notch.top + 10)) << "the notch";
        EXPECT_TRUE(window->Contains(50, 40)) << "beside the hole";
    }
}

TEST_F(ButtonTest, TheSizeHandlerCopiesTheControlSizeAtAngleZero) {
    auto b = MakeButton();
    b->SetBounds(10, 10, 60, 30);
    EXPECT_EQ(b->ButtonWidth(), 60);
    EXPECT_EQ(b->ButtonHeight(), 30);
    EXPECT_EQ(b->FaceBitmap().Width(), 60);
}

// A button that has its shape hands the place it leaves to its parent and keeps its own pixels
// until it paints again.
TEST_F(ButtonTest, TurningAShapedButtonInvalidatesOnTheParentWhatItNoLongerCovers) {
    auto b = MakeButton();
    ASSERT_TRUE(GetWindowRgn(b->Handle()));
    ASSERT_TRUE(GetUpdateRegion(form.Handle()).IsEmpty());
    b->SetButtonAngle(300);
    const TRegion update = GetUpdateRegion(form.Handle());
    EXPECT_FALSE(update.IsEmpty());
    EXPECT_TRUE(update.Difference(TRegion(Rect(10, 10, 50, 34))).IsEmpty()) << "only the old place";
    const TRect now = GetWindowRect(b->Handle());
    EXPECT_FALSE(update.Contains(now.left + now.Width() / 2, now.top + now.Height() / 2));
    EXPECT_EQ(WindowSurface(b->Handle())->Pixel(20, 12), clSilver);
}

// On a parent that is neither a form nor a panel a button without its shape covers its old
// place with its own face colour.
TEST_F(ButtonTest, TurnedWithoutItsShapeOnAGroupBoxTheButtonTakesItsFaceColour) {
    struct WindowedGroupBox : TGroupBox, TWinControl {
        WindowedGroupBox() : TWinControl(static_cast<TGroupBox&>(*this)) { Color = clYellow; }
        ~WindowedGroupBox() override { DestroyHandle(); }
    } box;
    box.SetParentControl(&form);
    box.SetBounds(0, 0, 200, 100);
    box.Handle();
    ProcessMessages();
    TIAeverButton b;
    b.SetBounds(10, 10, 40, 24);
    b.SetButtonWidth(40);
    b.SetButtonHeight(24);
    b.SetButtoncolor(clSilver);
    b.SetParentControl(&box);
    b.Handle();
    ASSERT_FALSE(GetWindowRgn(b.Handle()));
    b.SetButtonAngle(300);
    EXPECT_EQ(WindowSurface(b.Handle())->Pixel(1, 1), clSilver);
    EXPECT_TRUE(GetUpdateRegion(box.Handle()).Intersection(TRegion(Rect(10, 10, 50, 34))).IsEmpty());
}

// ---- face: fill, bevel and frames ----

TEST_F(ButtonTest, A3DFaceHasLightTopLeftDarkBottomRightAndADarkerFrame) {
    auto b = MakeButton();
    EXPECT_EQ(Face(*b, 20, 12), clSilver);
    EXPECT_EQ(Face(*b, 0, 12), kSilverFrame);   // silver is light: frame two steps darker
    EXPECT_EQ(Face(*b, 1, 12), kLightSilver);   // left edge
    EXPECT_EQ(Face(*b, 20, 1), kLightSilver);   // top edge
    EXPECT_EQ(Face(*b, 38, 12), kDarkSilver);   // right edge
    EXPECT_EQ(Face(*b, 20, 22), kDarkSilver);   // bottom edge
    EXPECT_EQ(Face(*b, 39, 12), kSilverFrame);
}

TEST_F(ButtonTest, PressedSwapsTheOuterRing) {
    auto b = MakeButton();
    SendMessage(b->Handle(), BM_SETSTATE, 1);
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(Face(*b, 1, 12), kDarkSilver);
    EXPECT_EQ(Face(*b, 38, 12), kLightSilver);
}

TEST_F(ButtonTest, DisabledFaceUsesTheLighterTones) {
    auto b = MakeButton();
    b->SetEnabled(false);
    ProcessMessages();
    EXPECT_EQ(Face(*b, 20, 12), kLightSilver);
    EXPECT_EQ(Face(*b, 1, 12), clWhite);        // L(L(silver)), capped
    EXPECT_EQ(Face(*b, 38, 12), clSilver);      // D(L(silver))
    EXPECT_EQ(Face(*b, 0, 12), kDarkSilver);    // D(silver)
}

TEST_F(ButtonTest, FocusOutlineAppearsOnlyWhenFocusedAndShown) {
    auto b = MakeButton();
    EXPECT_EQ(Face(*b, 6, 12), clSilver);
    b->SetFocus();
    EXPECT_TRUE(b->FocusedStyle());
    EXPECT_EQ(Face(*b, 6, 12), kSilverFrame);
    b->SetShowFocusRGN(false);
    EXPECT_EQ(Face(*b, 6, 12), clSilver);
}

TEST_F(ButtonTest, TheFocusFrameOfARoundedButtonIsARectangleWithoutHooks) {
    // The inset of 6 exceeds the rounding of the corners (4): the outline folds there.
    auto b = MakeButton(100, 48);
    b->SetButtonKind(bkRoundRect);
    b->SetFocus();
    ASSERT_TRUE(b->FocusedStyle());
    int framePixels = 0;
    for (int y = 4; y < 44; ++y) {
        for (int x = 4; x < 96; ++x) {
            if (Face(*b, x, y) != kSilverFrame) continue;
            ++framePixels;
            const bool onRectangle = ((x == 6 || x == 93) && y >= 6 && y <= 41) || ((y == 6 || y == 41) && x >= 6 && x <= 93);
            EXPECT_TRUE(onRectangle) << "focus frame pixel off its rectangle at " << x << ", " << y;
        }
    }
    EXPECT_EQ(framePixels, 2 * 88 + 2 * 34);
}

TEST_F(ButtonTest, FlattenShowsItsBevelOnlyWhileHot) {
    auto b = MakeButton();
    b->SetButton3DKind(dkFlatten);
    EXPECT_EQ(Face(*b, 1, 12), clSilver);
    EXPECT_EQ(Face(*b, 0, 12), clSilver);
    userinput::MouseMove(30, 20);
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(Face(*b, 1, 12), kLightSilver);
    EXPECT_EQ(Face(*b, 0, 12), kSilverFrame);
    userinput::MouseMove(200, 150);
    EXPECT_FALSE(b->Hot());
    EXPECT_EQ(Face(*b, 1, 12), clSilver);
}

TEST_F(ButtonTest, ADarkFaceGetsLighterFrames) {
    auto b = MakeButton();
    b->SetButtoncolor(clNavy);
    EXPECT_EQ(Face(*b, 0, 12), RGBColor(64, 64, 192));
    EXPECT_TRUE(IsDarkColor(clNavy));
    EXPECT_FALSE(IsDarkColor(clGray));
    EXPECT_FALSE(IsDarkColor(clSilver));
}

TEST_F(ButtonTest, BorderKindsDrawTheInnerRingAndFrame) {
    auto b = MakeButton();
    b->SetButton3DKind(dk3dBorder);
    EXPECT_EQ(Face(*b, 3, 12), kLightSilver);  // inner ring, left
    EXPECT_EQ(Face(*b, 36, 12), kDarkSilver);  // inner ring, right
    EXPECT_EQ(Face(*b, 4, 12), kSilverFrame);  // inner frame
}

TEST_F(ButtonTest, ANoneColouredFaceStaysUnfilled) {
    auto b = MakeButton();
    b->SetButtoncolor(clNone);
    b->SetButtoncolor(clRed);
    EXPECT_EQ(Face(*b, 20, 12), clRed);
}

// ---- gradients ----

TEST(GradientBands, CountsForTheUsualFace) {
    TGradientSpec linear;
    linear.kind = 1;
    linear.angle = 450;
    EXPECT_EQ(GradientBands(linear, 31, 23), 13);
    TGradientSpec circular;
    circular.kind = 2;
    EXPECT_EQ(GradientBands(circular, 31, 23), 6);
}

TEST(GradientBands, ColoursMixByChannelOrComeFromTheBitmapRow) {
    TGradientSpec grad;
    grad.start = RGBColor(0, 100, 200);
    grad.end = RGBColor(100, 0, 0);
    EXPECT_EQ(GradientBandColor(grad, 0, 4), RGBColor(0, 100, 200));
    EXPECT_EQ(GradientBandColor(grad, 1, 4), RGBColor(25, 75, 150));
    EXPECT_EQ(GradientBandColor(grad, 4, 4), RGBColor(100, 0, 0));
    EXPECT_EQ(GradientBandColor(grad, 3, 0), RGBColor(0, 100, 200));
    TBitmap colours(4, 1);
    colours.SetPixel(2, 0, RGBColor(10, 20, 30));
    grad.colours = &colours;
    grad.colourLine = 5;  // no such row: row 0
    grad.tone = TGradientTone::Light;
    EXPECT_EQ(GradientBandColor(grad, 1, 2), RGBColor(42, 52, 62));
}

TEST_F(ButtonTest, ALinearGradientRunsFromStartToEndWithoutGaps) {
    auto b = MakeButton(31, 23);
    b->SetButton3DKind(dkNone);
    b->SetButtoncolor(clRed);
    b->SetButtonColor1(clBlue);
    b->SetGradientKind(gkLinear);
    auto wide = MakeButton(100, 48);  // here single strokes left seams
    wide->SetButton3DKind(dkNone);
    wide->SetButtoncolor(clRed);
    wide->SetButtonColor1(clBlue);
    wide->SetGradientKind(gkLinear);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_NE(Face(*wide, x, y), clWhite) << x << "," << y;
    // Band 0 runs through the top-left corner, the last band past the bottom-right one.
    EXPECT_EQ(Face(*b, 0, 0), clRed);
    EXPECT_GT(GetBValue(Face(*b, 30, 22)), 200);
    EXPECT_LT(GetRValue(Face(*b, 30, 22)), 40);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 31; ++x) ASSERT_NE(Face(*b, x, y), clWhite) << x << "," << y;
    // Along the diagonal the red part falls and the blue part grows.
    EXPECT_GT(GetRValue(Face(*b, 8, 6)), GetRValue(Face(*b, 22, 16)));
}

TEST_F(ButtonTest, ACircularGradientHasTheEndColourOutside) {
    auto b = MakeButton(31, 23);
    b->SetButton3DKind(dkNone);
    b->SetButtoncolor(clRed);
    b->SetButtonColor1(clBlue);
    b->SetGradientKind(gkCircular);
    EXPECT_EQ(Face(*b, 15, 11), clRed);
    EXPECT_EQ(Face(*b, 0, 0), clBlue);
}

// ---- glyphs ----

TEST_F(ButtonTest, GlyphFollowsTheStateWithFourGlyphs) {
    auto b = MakeButton();
    const TBitmap strip = GlyphStrip(4, {clRed, clGreen, clBlue, clYellow});
    b->SetMainBitmap(&strip);
    b->SetMainBitmapGlyphs(4);
    EXPECT_EQ(Face(*b, 2, 2), clRed);  // haLeft / vaTop: at the depth
    SendMessage(b->Handle(), CM_MOUSEENTER);
    EXPECT_EQ(Face(*b, 5, 5), clBlue);
    SendMessage(b->Handle(), BM_SETSTATE, 1);
    EXPECT_EQ(Face(*b, 3, 3), clYellow);
    EXPECT_NE(Face(*b, 2, 5), clYellow);  // moved one pixel right and down
    EXPECT_EQ(Face(*b, 9, 9), clYellow);
    EXPECT_EQ(Face(*b, 10, 9), clSilver);  // its last column fell away, nothing read beyond
    SendMessage(b->Handle(), BM_SETSTATE, 0);
    SendMessage(b->Handle(), CM_MOUSELEAVE);
    b->SetEnabled(false);
    EXPECT_EQ(Face(*b, 5, 5), clGreen);
}

TEST_F(ButtonTest, FewerGlyphsFallBackToTheFirstAndMergeWhenDisabled) {
    auto b = MakeButton();
    const TBitmap two = GlyphStrip(2, {clRed, clGreen});
    b->SetMainBitmap(&two);
    b->SetMainBitmapGlyphs(2);
    SendMessage(b->Handle(), CM_MOUSEENTER);
    EXPECT_EQ(Face(*b, 5, 5), clRed);
    b->SetEnabled(false);
    EXPECT_EQ(Face(*b, 5, 5), clGreen);

    const TBitmap one = GlyphStrip(1, {RGBColor(0x40, 0xFF, 0x10)});
    b->SetMainBitmap(&one);
    b->SetMainBitmapGlyphs(1);
    // MERGECOPY: the glyph ANDed with the disabled face colour E0E0E0.
    EXPECT_EQ(Face(*b, 5, 5), RGBColor(0x40, 0xE0, 0x00));
}

TEST_F(ButtonTest, ATransparentGlyphLeavesOutItsKeyColourAndCentres) {
    auto b = MakeButton();
    TBitmap strip = GlyphStrip(1, {clFuchsia});
    strip.SetPixel(4, 4, clBlue);
    b->SetMainBitmap(&strip);
    b->SetBitmapHAlign(haCenter);
    b->SetBitmapVAlign(vaCenter);
    b->SetTransparent(true);
    EXPECT_EQ(Face(*b, 16 + 4, 8 + 4), clBlue);
    EXPECT_EQ(Face(*b, 16, 8), clSilver);
}

TEST_F(ButtonTest, ADisabledTransparentGlyphLeavesOutItsKeyColourAndKeepsTheDisabledLook) {
    auto b = MakeButton();
    TBitmap strip = GlyphStrip(1, {clFuchsia});
    strip.SetPixel(4, 4, clWhite);
    b->SetMainBitmap(&strip);
    b->SetTransparent(true);
    b->SetEnabled(false);
    ProcessMessages();
    // Glyph at (depth, depth) = (2, 2); the face is the lighter tone E0E0E0.
    EXPECT_EQ(Face(*b, 2, 2), kLightSilver) << "the key colour is left out";
    EXPECT_EQ(Face(*b, 2 + 4, 2 + 4), kLightSilver) << "white merged with the disabled face colour";
    b->SetEnabled(true);
    EXPECT_EQ(Face(*b, 2 + 4, 2 + 4), clWhite);
    EXPECT_EQ(Face(*b, 2, 2), clSilver);
}

TEST_F(ButtonTest, AnEmptyBitmapDrawsNoGlyph) {
    auto b = MakeButton();
    TBitmap empty;
    b->SetMainBitmap(&empty);
    b->SetMainBitmap(nullptr);
    EXPECT_EQ(b->MainBitmap().Height(), 0);
    EXPECT_EQ(Face(*b, 5, 5), clSilver);
}

// ---- caption ----

class CaptionTest : public ButtonTest {
protected:
    std::unique_ptr<TIAeverButton> Captioned(const std::string& caption, TIACaption3dKind kind) {
        auto b = MakeButton(60, 30);
        TFont font;
        font.Name = kTestFontName;
        font.Height = -12;  // cells 12 high, 6 wide; a character fills 5 x 8 from row 1
        font.Color = clBlue;
        b->SetFont(font);
        b->SetCaptionHAlign(haLeft);
        b->SetCaptionVAlign(vaTop);
        b->SetCaption3dKind(kind);
        b->SetCaption(caption);
        return b;
    }
};

TEST(CaptionPieces, AcceleratorMarks) {
    const auto pieces = CaptionPieces("&Datei");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].text, "D");
    EXPECT_TRUE(pieces[0].underlined);
    EXPECT_EQ(pieces[1].text, "atei");
    const auto doubled = CaptionPieces("A&&B");
    ASSERT_EQ(doubled.size(), 1u);
    EXPECT_EQ(doubled[0].text, "A&B");
    EXPECT_FALSE(doubled[0].underlined);
    const auto trailing = CaptionPieces("Ende&");
    EXPECT_EQ(trailing.back().text, " ");
    EXPECT_TRUE(trailing.back().underlined);
    EXPECT_EQ(CaptionPieces("&Übernehmen")[0].text, "Ü");
}

TEST_F(CaptionTest, ASimpleCaptionSitsInsideTheDepthAndMovesWhenPressed) {
    auto b = Captioned("X", ckSimple);
    EXPECT_EQ(Face(*b, 6, 7), clBlue);   // depth 2 + 4, first ink row 1
    EXPECT_EQ(Face(*b, 10, 14), clBlue);
    EXPECT_EQ(Face(*b, 11, 7), clSilver);
    SendMessage(b->Handle(), BM_SETSTATE, 1);
    EXPECT_EQ(Face(*b, 6, 7), clSilver);
    EXPECT_EQ(Face(*b, 11, 15), clBlue);
}

TEST_F(CaptionTest, EmbossedDrawsLightAboveLeftDarkBelowRightThenPlain) {
    // The light and dark passes are tones of the face (silver), not of the blue text.
    auto b = Captioned("X", ckEmbossed);
    EXPECT_EQ(Face(*b, 5, 6), GetLColor(clSilver));
    EXPECT_EQ(Face(*b, 11, 15), GetDColor(clSilver));
    EXPECT_EQ(Face(*b, 8, 10), clBlue);
    SendMessage(b->Handle(), BM_SETSTATE, 1);
    EXPECT_EQ(Face(*b, 6, 7), GetLColor(clSilver));
    EXPECT_EQ(Face(*b, 12, 16), GetDColor(clSilver));
}

TEST_F(CaptionTest, PressedKindSwapsTheFaceTones) {
    auto b = Captioned("X", ckPressed);
    b->SetButtoncolor(clNavy);
    EXPECT_EQ(Face(*b, 5, 6), GetDColor(clNavy));
    EXPECT_EQ(Face(*b, 11, 15), GetLColor(clNavy));
    EXPECT_EQ(Face(*b, 8, 10), clBlue);
}

TEST_F(CaptionTest, ADisabledCaptionTakesTheButtonColour) {
    auto b = Captioned("X", ckSimple);
    b->SetButtoncolor(clGreen);
    b->SetEnabled(false);
    EXPECT_EQ(Face(*b, 8, 10), clGreen);
    EXPECT_EQ(Face(*b, 20, 20), GetLColor(clGreen));
}

TEST_F(CaptionTest, AcceleratorsAreMeasuredWithoutTheirMark) {
    auto plain = Captioned("AB", ckSimple);
    plain->SetCaptionHAlign(haCenter);
    auto marked = Captioned("A&B", ckSimple);
    marked->SetCaptionHAlign(haCenter);
    // Same width, so centred at the same place: 60 - 12 = 48, half 24.
    EXPECT_EQ(Face(*marked, 24, 10), clBlue);
    EXPECT_EQ(Face(*plain, 24, 10), clBlue);
    EXPECT_EQ(Face(*marked, 23, 10), clSilver);
}

TEST_F(CaptionTest, ATurnedCaptionRunsUpwards) {
    auto b = Captioned("XX", ckSimple);
    b->SetCaptionAngle(900);
    // Box 12 wide (the cell height) and 12 high (the text width); the text starts at its bottom.
    bool inkAbove = false;
    for (int y = 6; y < 12; ++y) inkAbove = inkAbove || Face(*b, 8, y) == clBlue;
    EXPECT_TRUE(inkAbove);
    EXPECT_NE(Face(*b, 20, 8), clBlue);
}

// ---- messages ----

TEST_F(ButtonTest, AClickAndADoubleClickCountAsOneAndTwoPresses) {
    auto b = MakeButton();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    userinput::Click(30, 20);
    EXPECT_EQ(clicks, 1);
    clock->Advance(1000);
    userinput::Click(30, 20);
    clock->Advance(100);
    userinput::MouseDown(TMouseButton::mbLeft, 30, 20);  // arrives as a double click
    userinput::MouseUp(TMouseButton::mbLeft, 30, 20);
    EXPECT_EQ(clicks, 3);
}

TEST_F(ButtonTest, EnterAndLeaveFollowTheShapeAndFireTheEvents) {
    auto b = MakeButton();
    b->SetButtonKind(bkElliptic);
    ProcessMessages();
    std::vector<std::string> events;
    b->onMouseEnter = [&](TObject*) { events.push_back("enter"); };
    b->onMouseExit = [&](TObject*) { events.push_back("exit"); };
    userinput::MouseMove(11, 11);  // the box's corner, outside the ellipse
    EXPECT_FALSE(b->Hot());
    userinput::MouseMove(30, 22);
    EXPECT_TRUE(b->Hot());
    userinput::MouseMove(100, 100);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
}

TEST_F(ButtonTest, MeasureItemAnswersTheControlSize) {
    auto b = MakeButton();
    TMeasureItemStruct item;
    SendMessage(b->Handle(), CN_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&item));
    EXPECT_EQ(item.itemWidth, 40);
    EXPECT_EQ(item.itemHeight, 24);
}

TEST_F(ButtonTest, PaintingCopiesTheFaceAndFiresOnPaint) {
    auto b = MakeButton();
    int paints = 0;
    b->OnPaint = [&](TObject*) { ++paints; };
    b->Invalidate();
    ProcessMessages();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(CaptureWindow(form.Handle()).Pixel(30, 22), clSilver);
}

// ---- animations ----

TEST_F(ButtonTest, TheEnterAnimationPlaysItsFramesOnTheTimerAndEnds) {
    auto b = MakeButton();
    const TBitmap frames = GlyphStrip(2, {clRed, clGreen});
    b->SetOnEnterBitmap(&frames);
    b->SetOnEnterGlyphs(2);
    userinput::MouseMove(30, 20);
    ProcessMessages();
    EXPECT_TRUE(b->AnimationRunning(0));
    b->SetOnEnterInterval(99);  // ignored while it runs
    EXPECT_EQ(b->OnEnterInterval(), 40);
    clock->Advance(40);
    ProcessMessages();
    EXPECT_EQ(WindowSurface(b->Handle())->Pixel(5, 5), clRed);
    clock->Advance(40);
    ProcessMessages();
    EXPECT_EQ(WindowSurface(b->Handle())->Pixel(5, 5), clGreen);
    clock->Advance(40);
    ProcessMessages();
    EXPECT_FALSE(b->AnimationRunning(0));
    EXPECT_FALSE(b->AnimationTimerRunning());
    EXPECT_EQ(WindowSurface(b->Handle())->Pixel(5, 5), clSilver);  // the face is back
}

TEST_F(ButtonTest, EveryStopPathLeavesNoAnimationMarkedRunning) {
    auto b = MakeButton();
    const TBitmap frames = GlyphStrip(3, {clRed, clGreen, clBlue});
    b->SetOnEnterBitmap(&frames);
    b->SetOnEnterGlyphs(3);
    b->SetOnExitBitmap(&frames);
    b->SetOnExitGlyphs(3);
    b->SetOnClickBitmap(&frames);
    b->SetOnClickGlyphs(3);
    userinput::MouseMove(30, 20);
    userinput::MouseDown(TMouseButton::mbLeft, 30, 20);  // a press stops the enter animation
    EXPECT_FALSE(b->AnimationRunning(0));
    userinput::MouseUp(TMouseButton::mbLeft, 30, 20);
    userinput::KeyDown(VK_SPACE);
    EXPECT_TRUE(b->AnimationRunning(2));
    userinput::MouseMove(200, 150);  // leave stops the click animation, starts the exit one
    EXPECT_FALSE(b->AnimationRunning(2));
    EXPECT_TRUE(b->AnimationRunning(1));
    userinput::MouseMove(30, 20);
    EXPECT_FALSE(b->AnimationRunning(1));
    EXPECT_TRUE(b->AnimationRunning(0));
    for (int i = 0; i < 5; ++i) {
        clock->Advance(40);
        ProcessMessages();
    }
    for (int which = 0; which < 3; ++which) EXPECT_FALSE(b->AnimationRunning(which));
    // and it starts again afterwards: no stale flag blocks it
    userinput::MouseMove(200, 150);
    EXPECT_TRUE(b->AnimationRunning(1));
    b.reset();  // destroyed with a running animation
    clock->Advance(40);
    ProcessMessages();
}

TEST_F(ButtonTest, FocusChangesPlayEnterAndExitButTheFirstIsIgnored) {
    auto a = MakeButton();
    auto b = MakeButton();
    b->SetBounds(100, 10, 40, 24);
    a->SetFocus();  // the first change each button hears
    EXPECT_FALSE(a->AnimationRunning(0));
    b->SetFocus();
    EXPECT_TRUE(b->AnimationRunning(0));
    EXPECT_TRUE(a->AnimationRunning(1));
    EXPECT_FALSE(a->FocusedStyle());
    EXPECT_TRUE(b->FocusedStyle());
}

// ---- turning ----

// Turned step by step as its rotation thread turns it, a button of odd size comes back to its
// place after a whole turn, about its middle or about its top-left corner. The steps of four
// degrees go across the half turn, where the angle wraps from 1800 to -1760; the rest of the turn
// is taken in two long steps. (Whole turns in steps of every size, for sizes and pivots of every
// kind, are gone through on the arithmetic alone in the geometry tests.)
TEST_F(ButtonTest, AWholeTurnAcrossTheHalfTurnInStepsOfFourDegreesBringsAnOddSizedButtonBack) {
    TestForm wide{500, 400};
    const TRect place = Rect(300, 300, 375, 325);
    for (const bool middle : {true, false}) {
        TIAeverButton b;
        b.SetBounds(place.left, place.top, place.Width(), place.Height());
        b.SetButtonWidth(place.Width());
        b.SetButtonHeight(place.Height());
        b.SetParentControl(&wide);
        b.Handle();
        b.SetRotationCenterFixed(middle);
        b.SetRotatedAngle(40);
        const char* pivot = middle ? "about its middle" : "about its corner";
        b.SetButtonAngle(1600);
        while (b.ButtonAngle() != -1600) {
            SendMessage(b.Handle(), CM_ROTATEDON);
            // Half way round the middle pivot (37, 12) lies half a pixel off the true middle both
            // ways: the exact halves round to even and the box stands where it stood.
            if (b.ButtonAngle() == 1800 && middle) {
                EXPECT_EQ(GetWindowRect(b.Handle()), place) << "at 180 degrees";
            }
        }
        b.SetButtonAngle(0);
        EXPECT_EQ(GetWindowRect(b.Handle()), place) << pivot;
        EXPECT_EQ((TPoint{b.Left, b.Top}), (TPoint{place.left, place.top})) << pivot;
        EXPECT_EQ((TBoxSize{b.ButtonWidth(), b.ButtonHeight()}), (TBoxSize{place.Width(), place.Height()})) << pivot;
    }
}

// ---- rotation by the thread ----

TEST_F(ButtonTest, RotationThreadTurnsTheButtonAndDoesNotOutliveIt) {
    auto b = std::make_unique<TIAeverButton>();
    b->SetBounds(50, 50, 40, 24);
    b->SetParentControl(&form);
    b->SetRotatedTime(1);
    b->SetRotatedAngle(100);
    b->SetRotated(true);  // before the window: starts with it
    EXPECT_FALSE(b->HasRotationThread());
    b->Handle();
    EXPECT_TRUE(b->HasRotationThread());
    while (b->ButtonAngle() < 300) {
        WaitMessage();
        ProcessMessages();
    }
    // Turned 30 degrees: the box grew and the shape turned about its middle.
    EXPECT_GT(b->Height, 24);
    b->RecreateWnd();  // the same thread goes on with the new window
    const int angle = b->ButtonAngle();
    while (b->ButtonAngle() == angle) {
        WaitMessage();
        ProcessMessages();
    }
    b->SetRotated(false);
    b.reset();  // joins the thread without waiting for a step
    SUCCEED();
}

TEST_F(ButtonTest, RotationThreadStopsWhileSwitchedOff) {
    auto b = MakeButton();
    b->SetRotatedTime(1);
    b->SetRotated(true);
    while (b->ButtonAngle() == 0) {
        WaitMessage();
        ProcessMessages();
    }
    b->SetRotated(false);
    // A step already under way may still arrive; after that nothing more comes.
    while (WaitMessage(20)) ProcessMessages();
    const int angle = b->ButtonAngle();
    EXPECT_FALSE(WaitMessage(20));
    EXPECT_EQ(b->ButtonAngle(), angle);
}
