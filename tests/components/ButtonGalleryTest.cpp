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
}
