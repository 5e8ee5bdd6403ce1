#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "TestForm.h"
#include "components/IAeverButton.h"
#include "platform/Png.h"

namespace {

// A glyph: a dark disc on a magenta key colour (left out when transparent).
TBitmap DiscGlyph() {
    TBitmap glyph(14, 14);
    TCanvas& c = glyph.Canvas();
    c.Brush.Color = clFuchsia;
    c.FillRect(Rect(0, 0, 14, 14));
    c.Brush.Color = clTeal;
    c.Pen.Color = clNavy;
    c.Ellipse(Rect(1, 1, 13, 13));
    return glyph;
}

// A windowed panel for buttons to stand on.
class TestPanel : public TPanel, public TWinControl {
public:
    TestPanel(TestForm& form, const TRect& bounds, TColor colour) : TWinControl(static_cast<TPanel&>(*this)) {
        Color = colour;
        SetParentControl(&form);
        SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        Handle();
    }
    ~TestPanel() override { DestroyHandle(); }
};

void Label(TBitmap& picture, int x, int y, const std::string& text) {
    TCanvas& canvas = picture.Canvas();
    canvas.Font.Name = "DejaVu Sans";
    canvas.Font.Height = -10;
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(x, y, text);
}

}  // namespace

class ButtonGallery : public ProgramTest {};

TEST_F(ButtonGallery, RendersEveryShapeKindAndStateIntoOnePicture) {
    constexpr int kCellW = 120, kCellH = 76, kColumns = 7;
    TestForm form(kCellW * kColumns + 10, kCellH * 5 + 10, RGBColor(236, 233, 216));
    std::vector<std::unique_ptr<TIAeverButton>> buttons;
    // What each cell shows, written under its button (a caption may lie where the shape has
    // no face: the bent arrows and the ring are hollow in the middle).
    std::vector<std::string> labels;
    const TBitmap glyph = DiscGlyph();
    auto add = [&](const std::string& caption, const std::string& label = std::string()) -> TIAeverButton& {
        labels.push_back(label.empty() ? caption : label);
        const int index = static_cast<int>(buttons.size());
        auto b = std::make_unique<TIAeverButton>();
        b->SetBounds(10 + (index % kColumns) * kCellW, 10 + (index / kColumns) * kCellH, 100, 48);
        b->SetButtonWidth(100);
        b->SetButtonHeight(48);
        b->SetParentControl(&form);
        b->Handle();
        b->SetCaption(caption);
        b->SetButtoncolor(clSilver);
        b->SetCaption3dKind(ckEmbossed);
        TFont font = b->Font();
        font.Style = fsBold;
        font.Height = -13;
        b->SetFont(font);
        buttons.push_back(std::move(b));
        return *buttons.back();
    };

    const char* kindNames[] = {"Rect", "RoundRect", "Elliptic", "Poly", "PolyStar", "Arc", "Donut",
                               "User", "Arrow", "Arrow1", "Arrow2", "Cross", "CutRect", "Cross1"};
    for (int k = 0; k < kButtonKindCount; ++k) {
        TIAeverButton& b = add(kindNames[k], std::string("bk") + kindNames[k]);
        b.SetButtonKind(static_cast<TIAButtonKind>(k));
        if (k == bkUser) {
            TRegion user = TRegion(Rect(0, 0, 60, 20)).Union(TRegion(Rect(20, 0, 40, 40)));
            b.SetButtonRegion(user);
        }
    }
    const char* kindNames3d[] = {"3D", "Flatten", "3dsimple", "FlatSimple", "3dBorder", "BorderFlat", "None"};
    const char* labels3d[] = {"dk3D", "dkFlatten", "dk3dsimple", "dkFlattenSimple", "dk3dBorder", "dk3dBorderFlatten", "dkNone"};
    for (int k = 0; k < 7; ++k) {
        TIAeverButton& b = add(kindNames3d[k], labels3d[k]);
        b.SetButtonKind(bkRoundRect);
        b.SetButton3DKind(static_cast<TIA3DKind>(k));
    }
    TIAeverButton& hot = add("Heiß", "dkFlatten, heiß");
    hot.SetButtonKind(bkRoundRect);
    hot.SetButton3DKind(dkFlatten);
    SendMessage(hot.Handle(), CM_MOUSEENTER);
    TIAeverButton& pressed = add("&Gedrückt", "gedrückt");
    pressed.SetButtonKind(bkRoundRect);
    SendMessage(pressed.Handle(), BM_SETSTATE, 1);
    TIAeverButton& disabled = add("Gesperrt", "gesperrt, transparent");
    disabled.SetButtonKind(bkRoundRect);
    disabled.SetMainBitmap(&glyph);
    disabled.SetTransparent(true);
    disabled.SetBitmapVAlign(vaCenter);
    disabled.SetEnabled(false);
    TIAeverButton& focused = add("Fokus", "mit Fokus");
    focused.SetButtonKind(bkRoundRect);
    focused.SetFocus();
    TIAeverButton& withGlyph = add("Glyphe", "Glyphe, haRight");
    withGlyph.SetButtonKind(bkRoundRect);
    withGlyph.SetMainBitmap(&glyph);
    withGlyph.SetTransparent(true);
    withGlyph.SetBitmapVAlign(vaCenter);
    withGlyph.SetCaptionHAlign(haRight);
    TIAeverButton& navy = add("Dunkel", "clNavy, weiß");
    navy.SetButtonKind(bkRoundRect);
    navy.SetButtoncolor(clNavy);
    TFont white = navy.Font();
    white.Color = clWhite;
    navy.SetFont(white);
    TIAeverButton& turnedCaption = add("Gedreht", "CaptionAngle 200");
    turnedCaption.SetCaptionAngle(200);
    turnedCaption.SetButtonKind(bkRoundRect);
    TIAeverButton& linear = add("Linear", "gkLinear");
    linear.SetButtonKind(bkRoundRect);
    linear.SetButtoncolor(clYellow);
    linear.SetButtonColor1(clRed);
    linear.SetGradientKind(gkLinear);
    TIAeverButton& circular = add("Kreis", "gkCircular, ckPressed");
    circular.SetButtonKind(bkElliptic);
    circular.SetButtoncolor(clWhite);
    circular.SetButtonColor1(clBlue);
    circular.SetGradientKind(gkCircular);
    circular.SetCaption3dKind(ckPressed);
    TIAeverButton& turned = add("Schräg", "ButtonAngle 150");
    turned.SetButtonKind(bkRoundRect);
    turned.SetButtonWidth(80);
    turned.SetButtonHeight(30);
    turned.SetCaptionFixed(true);
    turned.SetButtonAngle(150);
    // A square with a notch from the top that ends on the row where a hole begins.
    TIAeverButton& holed = add("", "bkUser, Kerbe und Loch");
    holed.SetButtonKind(bkUser);
    holed.SetButtonRegion(TRegion(Rect(0, 0, 100, 100)).Difference(TRegion(Rect(60, 0, 70, 30))).Difference(TRegion(Rect(20, 30, 40, 50))));

    ProcessMessages();
    TBitmap picture = CaptureWindow(form.Handle());
    TCanvas& canvas = picture.Canvas();
    canvas.Font.Name = "DejaVu Sans";
    canvas.Font.Height = -10;
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = TBrushStyle::bsClear;
    for (size_t i = 0; i < labels.size(); ++i) {
        const int index = static_cast<int>(i);
        canvas.TextOut(10 + (index % kColumns) * kCellW, 10 + (index / kColumns) * kCellH + 58, labels[i]);
    }
    const std::string path = std::string(MAROVELKA_BINARY_DIR) + "/button_gallery.png";
    ASSERT_TRUE(SavePng(picture, path));
    EXPECT_TRUE(std::filesystem::exists(path));
    // The user shape's notch shows the form through it; a plain face shows silver.
    const TRect user = GetWindowRect(buttons[bkUser]->Handle());
    EXPECT_EQ(picture.Pixel(user.left + 90, user.top + 40), form.Color);
    const TRect rect = GetWindowRect(buttons[bkRect]->Handle());
    EXPECT_EQ(picture.Pixel(rect.left + 50, rect.top + 3), clSilver);
    // Scaled to 100 x 48 the hole lies at (20, 14)-(40, 24) and the notch at (60, 0)-(70, 14).
    const TRect place = GetWindowRect(holed.Handle());
    EXPECT_EQ(picture.Pixel(place.left + 30, place.top + 19), form.Color) << "through the hole";
    EXPECT_EQ(picture.Pixel(place.left + 65, place.top + 7), form.Color) << "through the notch";
    EXPECT_EQ(picture.Pixel(place.left + 50, place.top + 19), clSilver) << "beside the hole";
}

// Writes build/<...>/button_turned.png: two buttons that have never been painted, so that their
// windows have no shape yet, one on the form and one on a panel, before the turn, right after
// it and once painted. Turned without a shape, a button covers its rectangle with the colour
// of the form or panel it stands on and leaves its parent alone.
TEST_F(ButtonGallery, ATurnedButtonWithoutItsShapeTakesTheColourOfItsFormOrPanel) {
    const TColor formColour = RGBColor(236, 233, 216), panelColour = RGBColor(190, 220, 240);
    TestForm form(260, 110, formColour);
    TestPanel panel(form, Rect(130, 0, 260, 110), panelColour);
    ProcessMessages();
    std::vector<std::unique_ptr<TIAeverButton>> buttons;
    for (TWinControl* parent : {static_cast<TWinControl*>(&form), static_cast<TWinControl*>(&panel)}) {
        auto b = std::make_unique<TIAeverButton>();
        b->SetBounds(20, 30, 90, 34);
        b->SetButtonWidth(90);
        b->SetButtonHeight(34);
        b->SetRotationCenterFixed(true);
        b->SetCaptionFixed(true);
        b->SetParentControl(parent);
        b->Handle();
        b->SetCaption("Schräg");
        b->SetButtonKind(bkRoundRect);
        b->SetButtoncolor(clSilver);
        b->SetCaption3dKind(ckEmbossed);
        ASSERT_FALSE(GetWindowRgn(b->Handle()));
        buttons.push_back(std::move(b));
    }
    const TBitmap before = CaptureWindow(form.Handle());

    for (auto& b : buttons) b->SetButtonAngle(300);
    EXPECT_TRUE(GetUpdateRegion(form.Handle()).IsEmpty());
    EXPECT_TRUE(GetUpdateRegion(panel.Handle()).IsEmpty());
    EXPECT_EQ(WindowSurface(buttons[0]->Handle())->Pixel(2, 2), formColour);
    EXPECT_EQ(WindowSurface(buttons[1]->Handle())->Pixel(2, 2), panelColour);
    const TBitmap turned = CaptureWindow(form.Handle());

    ProcessMessages();
    const TBitmap painted = CaptureWindow(form.Handle());
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TRect place = GetWindowRect(buttons[i]->Handle());
        const int x = (i == 0 ? 0 : 130) + place.left, y = place.top;
        EXPECT_EQ(painted.Pixel(x + 1, y + 1), i == 0 ? formColour : panelColour) << "outside the turned shape";
        EXPECT_EQ(painted.Pixel(x + place.Width() / 2, y + place.Height() / 2 + 8), clSilver) << "the face";
    }

    constexpr int kStageHeight = 130;
    TBitmap picture(260, 3 * kStageHeight);
    picture.Canvas().Brush.Color = clWhite;
    picture.Canvas().FillRect(Rect(0, 0, 260, 3 * kStageHeight));
    const TBitmap* stages[] = {&before, &turned, &painted};
    const char* labels[] = {"ungedreht, ohne Umriss", "gedreht, noch nicht gezeichnet", "gedreht und gezeichnet"};
    for (int i = 0; i < 3; ++i) {
        picture.Canvas().Draw(0, i * kStageHeight, *stages[i]);
        Label(picture, 4, i * kStageHeight + 112, labels[i]);
    }
    const std::string path = std::string(MAROVELKA_BINARY_DIR) + "/button_turned.png";
    ASSERT_TRUE(SavePng(picture, path));
}
