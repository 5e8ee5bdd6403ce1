#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/Canvas.h"
#include "platform/Png.h"

namespace {

TBitmap Blank(int w, int h, TColor color = clWhite) {
    TBitmap b(w, h);
    b.Canvas().Brush.Color = color;
    b.Canvas().FillRect(Rect(0, 0, w, h));
    return b;
}

int CountPixels(const TBitmap& b, TColor rgb) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == rgb;
    }
    return n;
}

}  // namespace

TEST(Colours, SystemColoursResolveThroughTheTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), clSilver);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(SystemColor(999)), clBlack);
    EXPECT_EQ(GetRValue(RGBColor(1, 2, 3)), 1);
    EXPECT_EQ(GetBValue(RGBColor(1, 2, 3)), 3);
}

// Red, green and blue as the scan line holds them, so a colour stored in the wrong byte order
// shows (maroon and navy differ only in that).
TEST(Colours, SystemColoursPaintTheClassicDesktopColours) {
    struct Classic {
        TColor colour;
        uint8_t red, green, blue;
    };
    const Classic table[kSystemColorCount] = {
        {clScrollBar, 192, 192, 192},       {clBackground, 0, 128, 128},       {clActiveCaption, 0, 0, 128},
        {clInactiveCaption, 128, 128, 128}, {clMenu, 192, 192, 192},          {clWindow, 255, 255, 255},
        {clWindowFrame, 0, 0, 0},           {clMenuText, 0, 0, 0},            {clWindowText, 0, 0, 0},
        {clCaptionText, 255, 255, 255},     {clActiveBorder, 192, 192, 192},  {clInactiveBorder, 192, 192, 192},
        {clAppWorkSpace, 128, 128, 128},    {clHighlight, 0, 0, 128},         {clHighlightText, 255, 255, 255},
        {clBtnFace, 192, 192, 192},         {clBtnShadow, 128, 128, 128},     {clGrayText, 128, 128, 128},
        {clBtnText, 0, 0, 0},               {clInactiveCaptionText, 192, 192, 192}, {clBtnHighlight, 255, 255, 255},
        {cl3DDkShadow, 0, 0, 0},            {cl3DLight, 192, 192, 192},       {clInfoText, 0, 0, 0},
        {clInfoBk, 255, 255, 225},
    };
    TBitmap b(kSystemColorCount, 1);
    for (int i = 0; i < kSystemColorCount; ++i) {
        b.Canvas().Brush.Color = table[i].colour;
        b.Canvas().FillRect(Rect(i, 0, i + 1, 1));
    }
    for (int i = 0; i < kSystemColorCount; ++i) {
        const uint8_t* pixel = b.ScanLine(0) + 3 * i;
        EXPECT_EQ(pixel[2], table[i].red) << "system colour " << i;
        EXPECT_EQ(pixel[1], table[i].green) << "system colour " << i;
        EXPECT_EQ(pixel[0], table[i].blue) << "system colour " << i;
    }
}

TEST(BitmapPixels, ScanLinesAreBlueGreenRed) {
    TBitmap b(3, 2);
    b.SetPixel(1, 1, RGBColor(10, 20, 30));
    const uint8_t* line = b.ScanLine(1);
    EXPECT_EQ(line[3], 30);
    EXPECT_EQ(line[4], 20);
    EXPECT_EQ(line[5], 10);
    EXPECT_EQ(b.Pixel(0, 0), clWhite);
    EXPECT_EQ(b.Pixel(5, 5), clBlack);  // outside
    b.SetPixel(-1, 0, clRed);           // ignored
    b.SetSize(4, 1);
    EXPECT_EQ(b.Pixel(1, 0), clWhite);
    b.SetSize(-3, 2);
    EXPECT_TRUE(b.Empty());
}

TEST(BitmapPixels, CopyHasItsOwnCanvas) {
    TBitmap a = Blank(4, 4, clRed);
    TBitmap b = a;
    b.Canvas().Brush.Color = clBlue;
    b.Canvas().FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(a.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);
}

TEST(CanvasFill, RectFrameAndRegionFrame) {
    TBitmap b = Blank(10, 10);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    c.FrameRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(CountPixels(b, clRed), 12);
    EXPECT_EQ(b.Pixel(3, 3), clWhite);
    c.Brush.Color = clBlue;
    c.FrameRgn(TRegion(Rect(0, 0, 10, 10)), 2, 1);
    EXPECT_EQ(b.Pixel(1, 5), clBlue);
    EXPECT_EQ(b.Pixel(2, 8), clWhite);
    EXPECT_EQ(b.Pixel(5, 0), clBlue);
    EXPECT_EQ(b.Pixel(5, 1), clWhite);
    c.Brush.Style = TBrushStyle::bsClear;
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(b.Pixel(4, 4), clWhite);
}

TEST(CanvasFill, ClipRegionLimitsEveryOperation) {
    TBitmap b = Blank(10, 10);
    TCanvas& c = b.Canvas();
    c.SetClipRegion(TRegion(Rect(0, 0, 5, 10)));
    c.Brush.Color = clRed;
    c.FillRect(Rect(0, 0, 10, 10));
    c.Pen.Color = clBlue;
    c.MoveTo(0, 9);
    c.LineTo(10, 9);
    EXPECT_EQ(b.Pixel(4, 0), clRed);
    EXPECT_EQ(b.Pixel(5, 0), clWhite);
    EXPECT_EQ(b.Pixel(4, 9), clBlue);
    EXPECT_EQ(b.Pixel(6, 9), clWhite);
    c.ClearClipRegion();
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(b.Pixel(9, 0), clRed);
}

TEST(CanvasLines, LinesLeaveOutTheirEndAndPensHaveWidth) {
    TBitmap b = Blank(20, 20);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clBlack;
    c.MoveTo(2, 2);
    c.LineTo(7, 2);
    EXPECT_EQ(CountPixels(b, clBlack), 5);
    EXPECT_EQ(b.Pixel(7, 2), clWhite);
    EXPECT_EQ(c.PenPos(), (TPoint{7, 2}));
    c.Pen.Width = 3;
    c.MoveTo(10, 10);
    c.LineTo(11, 10);
    EXPECT_EQ(CountPixels(b, clBlack), 5 + 9);
}

TEST(CanvasShapes, PolygonEllipseAndRectangle) {
    TBitmap b = Blank(30, 30);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clYellow;
    c.Pen.Style = TPenStyle::psClear;
    c.Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(CountPixels(b, clYellow), 100);
    c.Pen.Style = TPenStyle::psSolid;
    c.Pen.Color = clBlack;
    c.Rectangle(Rect(12, 0, 16, 4));
    EXPECT_EQ(b.Pixel(12, 0), clBlack);
    EXPECT_EQ(b.Pixel(15, 3), clBlack);
    EXPECT_EQ(b.Pixel(13, 1), clYellow);
    c.Brush.Color = clLime;
    c.Ellipse(Rect(10, 10, 30, 30));
    EXPECT_EQ(b.Pixel(20, 20), clLime);
    EXPECT_EQ(b.Pixel(11, 11), clWhite);  // outside the curve, inside the box
}

TEST(CanvasCopy, CopyModesAndStretch) {
    TBitmap source = Blank(2, 2, RGBColor(0xF0, 0x0F, 0xFF));
    TBitmap b = Blank(8, 8);
    TCanvas& c = b.Canvas();
    c.Draw(1, 1, source);
    EXPECT_EQ(b.Pixel(1, 1), RGBColor(0xF0, 0x0F, 0xFF));
    EXPECT_EQ(b.Pixel(3, 3), clWhite);
    c.CopyMode = TCopyMode::cmMergeCopy;
    c.Brush.Color = RGBColor(0x0F, 0xFF, 0x80);
    c.Draw(4, 4, source);
    EXPECT_EQ(b.Pixel(4, 4), RGBColor(0x00, 0x0F, 0x80));
    c.CopyMode = TCopyMode::cmSrcCopy;
    c.CopyRect(Rect(0, 6, 8, 8), source, Rect(0, 0, 2, 2));
    EXPECT_EQ(b.Pixel(7, 7), RGBColor(0xF0, 0x0F, 0xFF));
    // A source rectangle reaching outside the source leaves those target pixels alone.
    TBitmap c2 = Blank(4, 4);
    c2.Canvas().CopyRect(Rect(0, 0, 2, 2), source, Rect(-1, -1, 1, 1));
    EXPECT_EQ(c2.Pixel(0, 0), clWhite);
    EXPECT_EQ(c2.Pixel(1, 1), RGBColor(0xF0, 0x0F, 0xFF));
}

TEST(TestFont, ExactLayoutOfBoxes) {
    TBitmap b = Blank(40, 20);
    TCanvas& c = b.Canvas();
    c.Font.Name = kTestFontName;
    c.Font.Height = -12;  // cell 12, ascent 9, advance 6
    c.Font.Color = clBlack;
    EXPECT_EQ(c.TextExtent("Ab c"), (TTextSize{24, 12}));
    c.Brush.Style = TBrushStyle::bsClear;
    c.TextOut(2, 3, "A c");
    // "A": columns 2..6, rows 4..11; the blank draws nothing; "c" from x = 14.
    EXPECT_EQ(b.Pixel(2, 4), clBlack);
    EXPECT_EQ(b.Pixel(6, 11), clBlack);
    EXPECT_EQ(b.Pixel(7, 4), clWhite);
    EXPECT_EQ(b.Pixel(2, 3), clWhite);
    EXPECT_EQ(b.Pixel(2, 12), clWhite);
    EXPECT_EQ(b.Pixel(10, 6), clWhite);
    EXPECT_EQ(b.Pixel(14, 4), clBlack);
    EXPECT_EQ(CountPixels(b, clBlack), 2 * 5 * 8);
}

TEST(TestFont, BoldUnderlineTurnedAndOpaque) {
    TFont f;
    f.Name = kTestFontName;
    f.Height = -12;
    f.Style = fsBold;
    EXPECT_EQ(MeasureText(f, "ab").cx, 14);
    TBitmap b = Blank(40, 40);
    TCanvas& c = b.Canvas();
    c.Font = f;
    c.Font.Style = fsUnderline;
    c.Font.Color = clBlack;
    c.Brush.Color = clYellow;
    c.TextOut(0, 0, " ");
    EXPECT_EQ(b.Pixel(0, 0), clYellow);  // opaque cell
    EXPECT_EQ(b.Pixel(5, 11), clYellow);
    EXPECT_EQ(b.Pixel(0, 10), clBlack);  // underline below the baseline
    TBitmap turned = Blank(40, 40);
    turned.Canvas().Font = f;
    turned.Canvas().Font.Style = 0;
    turned.Canvas().Font.Orientation = 900;
    turned.Canvas().Font.Color = clBlack;
    turned.Canvas().Brush.Style = TBrushStyle::bsClear;
    turned.Canvas().TextOut(10, 30, "A");
    // Turned a quarter up: the box now runs upwards from the origin, to its right lies the cell's bottom.
    EXPECT_EQ(turned.Pixel(11, 29), clBlack);
    EXPECT_EQ(turned.Pixel(11, 31), clWhite);
    EXPECT_EQ(turned.Pixel(9, 29), clWhite);
    EXPECT_EQ(CountPixels(turned, clBlack), 5 * 8);
}

TEST(TestFont, TextRectClipsToItsRectangle) {
    TBitmap b = Blank(40, 20);
    TCanvas& c = b.Canvas();
    c.Font.Name = kTestFontName;
    c.Font.Height = -12;
    c.Font.Color = clBlack;
    c.Brush.Color = clWhite;
    c.TextRect(Rect(0, 0, 4, 20), 0, 0, "AAAA");
    EXPECT_EQ(CountPixels(b, clBlack), 4 * 8);
}

TEST(InstalledFonts, WindowsNamesMapToDejaVu) {
    TFont f;
    f.Name = "Times New Roman";
    EXPECT_EQ(ResolvedFaceFamily(f), "DejaVu Serif");
    f.Name = "MS Sans Serif";
    EXPECT_EQ(ResolvedFaceFamily(f), "DejaVu Sans");
    f.Name = "Tahoma";
    EXPECT_EQ(ResolvedFaceFamily(f), "DejaVu Sans");
    f.Name = "Courier New";
    EXPECT_EQ(ResolvedFaceFamily(f), "DejaVu Sans Mono");
    f.Name = kTestFontName;
    EXPECT_EQ(ResolvedFaceFamily(f), kTestFontName);
}

TEST(InstalledFonts, TextIsMeasuredAndDrawn) {
    TFont f;
    f.Name = "Arial";
    f.Height = -16;
    const TTextSize one = MeasureText(f, "Übernehmen");
    EXPECT_GT(one.cx, 40);
    EXPECT_GE(one.cy, 16);
    EXPECT_EQ(MeasureText(f, "").cx, 0);
    TFont mono = f;
    mono.Name = "Courier New";
    EXPECT_EQ(MeasureText(mono, "iiii").cx, MeasureText(mono, "WWWW").cx);
    TBitmap b = Blank(120, 30);
    b.Canvas().Font = f;
    b.Canvas().Font.Color = clBlack;
    b.Canvas().Brush.Style = TBrushStyle::bsClear;
    b.Canvas().TextOut(2, 2, "Übernehmen");
    EXPECT_GT(CountPixels(b, clWhite), 0);
    EXPECT_LT(CountPixels(b, clWhite), 120 * 30);
}

TEST(PngFiles, WritesAPngAndKeepsTheOldFileOnFailure) {
    const std::string path = std::string(MAROVELKA_BINARY_DIR) + "/canvas_test.png";
    TBitmap b = Blank(3, 2, clRed);
    ASSERT_TRUE(SavePng(b, path));
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), 8);
    EXPECT_EQ(head, "\x89PNG\r\n\x1a\n");
    EXPECT_FALSE(SavePng(TBitmap(), path));
    EXPECT_FALSE(SavePng(b, std::string(MAROVELKA_BINARY_DIR) + "/no/such/folder/x.png"));
    std::remove(path.c_str());
}
