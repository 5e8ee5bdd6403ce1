#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "components/ButtonShapes.h"
#include "platform/Canvas.h"
#include "platform/Png.h"
#include "platform/Utf8.h"

namespace {

TShapeParams Params(int w, int h, int d = 2) {
    TShapeParams p;
    p.width = w;
    p.height = h;
    p.depth = d;
    return p;
}

// The text form of region data: bytes below 128 as "!" + (byte + 128), others as byte + filler.
std::string EncodeRegionText(const TRegion& region) {
    std::string text;
    for (uint8_t b : regiondata::Write(region)) {
        if (b < 128) {
            text += '!';
            utf8::Append(text, static_cast<char32_t>(b + 128));
        } else {
            utf8::Append(text, b);
            text += 'x';
        }
    }
    return text;
}

}  // namespace

TEST(ShapePoints, RectangleAndTheUsualRoundedButton) {
    EXPECT_EQ(GotMain_Rect(Params(31, 23)).points, (Tpoints{{0, 0}, {31, 0}, {31, 23}, {0, 23}}));
    const TPolygonSet rr = GotMain_RoundRect(Params(31, 23, 2));
    ASSERT_EQ(rr.points.size(), 20u);
    EXPECT_EQ(Tpoints(rr.points.begin(), rr.points.begin() + 6), (Tpoints{{4, 0}, {27, 0}, {29, 0}, {30, 1}, {31, 2}, {31, 4}}));
    EXPECT_EQ(rr.points.back(), (TPoint{2, 0}));
    EXPECT_EQ(rr.levels, (Tintegers{0}));
}

TEST(ShapePoints, EllipseCountsItsPointsByDepth) {
    EXPECT_EQ(GotMain_Elliptic(Params(100, 40, 2)).counts, (Tintegers{50}));
    EXPECT_EQ(GotMain_Elliptic(Params(100, 40, 0)).counts, (Tintegers{50}));
    EXPECT_EQ(GotMain_Elliptic(Params(100, 40, 1)).counts, (Tintegers{50}));
    const TPolygonSet e = GotMain_Elliptic(Params(100, 40, 2));
    EXPECT_EQ(e.points[0], (TPoint{50, 0}));    // top middle
    EXPECT_EQ(e.points[25], (TPoint{50, 40}));  // bottom middle, clockwise on the way
    EXPECT_GT(e.points[1].x, 50);
}

TEST(ShapePoints, PolygonAndStar) {
    TShapeParams p = Params(100, 100);
    p.peaks = 4;
    EXPECT_EQ(GotMain_Poly(p).points, (Tpoints{{50, 0}, {100, 50}, {50, 100}, {0, 50}}));
    const TPolygonSet star4 = GotMain_PolyStar(p);
    ASSERT_EQ(star4.points.size(), 8u);
    EXPECT_EQ(star4.points[1], (TPoint{62, 38}));  // inner ratio 1/3: 50 + sin 45 * 50 / 3 = 61.8
    p.peaks = 5;
    const TPolygonSet star5 = GotMain_PolyStar(p);
    const double k = std::cos(2 * M_PI / 5) / std::cos(M_PI / 5);
    EXPECT_NEAR(k, 0.382, 0.001);
    EXPECT_EQ(star5.points[1], (TPoint{static_cast<int>(std::nearbyint(50 + std::sin(M_PI / 5) * k * 50)),
                                       static_cast<int>(std::nearbyint(50 - std::cos(M_PI / 5) * k * 50))}));
}

TEST(ShapePoints, ArcSetsItsHeightFromTheRadius) {
    TShapeParams p = Params(100, 40);
    int height = 40;
    const TPolygonSet arc = GotMain_Arc(p, height);
    // R = round(100 / (2 sin 60)) = 58; height = round((1 - 0.5 * 0.5) * 58) = round(43.5) = 44 (halves to even)
    EXPECT_EQ(height, 44);
    const int n = 50, m = 25;
    ASSERT_EQ(arc.counts, (Tintegers{n + m}));
    EXPECT_EQ(arc.points[0], (TPoint{0, 29}));            // outer start at -60 degrees
    EXPECT_EQ(arc.points[n - 1], (TPoint{100, 29}));      // outer end
    EXPECT_EQ(arc.points[n + m - 1], (TPoint{25, 44}));   // inner point 0, stored last: r = 29
}

TEST(ShapePoints, DonutHasAHole) {
    TShapeParams p = Params(40, 40, 4);
    p.radiusRatio = 0.5;
    const TPolygonSet d = GotMain_Donut(p);
    EXPECT_EQ(d.counts, (Tintegers{20, 20}));
    EXPECT_EQ(d.levels, (Tintegers{0, 1}));
    EXPECT_EQ(d.points[20], (TPoint{20, 10}));
    const TRegion region = ReCreateRgn(d);
    EXPECT_FALSE(region.Contains(20, 20));
    EXPECT_TRUE(region.Contains(20, 5));
}

TEST(ShapePoints, ArrowsCrossesAndCutRectangle) {
    EXPECT_EQ(GotMain_Arrow(Params(60, 30)).points, (Tpoints{{0, 10}, {30, 10}, {30, 0}, {60, 15}, {30, 30}, {30, 20}, {0, 20}}));
    EXPECT_EQ(GotMain_CutRect(Params(60, 30)).points, (Tpoints{{0, 5}, {10, 0}, {60, 0}, {60, 25}, {50, 30}, {0, 30}}));
    const TPolygonSet cross = GotMain_Cross(Params(90, 90));
    ASSERT_EQ(cross.points.size(), 24u);
    EXPECT_EQ(cross.points[3], (TPoint{40, 0}));  // top arm from x = 40 ...
    EXPECT_EQ(cross.points[4], (TPoint{50, 0}));  // ... to x = 50
    EXPECT_EQ(GotMain_Cross1(Params(90, 90)).points.size(), 20u);
    const TPolygonSet a1 = GotMain_Arrow1(Params(48, 48));
    EXPECT_EQ(a1.points[8], (TPoint{10, 16}));
    EXPECT_EQ(a1.points[9], (TPoint{8, 18}));
    const TPolygonSet a2 = GotMain_Arrow2(Params(48, 48));
    EXPECT_EQ(a2.points[1], (TPoint{8, 30}));
    EXPECT_EQ(a2.points.size(), 11u);
}

TEST(ShapeFallbacks, DegenerateShapesBecomeTheRectangle) {
    const Tpoints rect{{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    EXPECT_EQ(GotMain_Elliptic(Params(4, 4, 2)).points, rect);  // two points only
    TShapeParams tiny = Params(4, 4, 2);
    EXPECT_EQ(GotMain_Donut(Params(2, 2, 2)).points, (Tpoints{{0, 0}, {2, 0}, {2, 2}, {0, 2}}));
    tiny.peaks = 2;
    EXPECT_EQ(GotMain_Poly(tiny).points, rect);
    EXPECT_EQ(GotMain_PolyStar(tiny).points, rect);
    EXPECT_EQ(GotMain_USERRGN(tiny).points, rect);
}

TEST(ShapeFallbacks, ArcsThatWouldDivideByZeroBecomeTheRectangle) {
    int height = 4;
    TShapeParams p = Params(4, 4, 2);  // n = 2, m = round(2 * 0.5) = 1
    EXPECT_EQ(GotMain_Arc(p, height).counts, (Tintegers{4}));
    EXPECT_EQ(height, 4);
    p = Params(3, 3, 2);  // n = 1
    EXPECT_EQ(GotMain_Arc(p, height).counts, (Tintegers{4}));
    p = Params(100, 40);
    p.arcAngle = 0.05;
    EXPECT_EQ(GotMain_Arc(p, height).counts, (Tintegers{4}));
    EXPECT_EQ(height, 4);
    p = Params(100, 40);
    p.radiusRatio = 0;  // no inner arc at all: a fan of the outer points is fine
    EXPECT_EQ(GotMain_Arc(p, height).counts, (Tintegers{50}));
}

TEST(UserOutline, TextDecodesIntoRegionData) {
    const TRegion shape = TRegion(Rect(0, 0, 20, 10)).Union(TRegion(Rect(0, 10, 10, 20)));
    const TUserRegionText decoded = DecodeStringButtonRegion(EncodeRegionText(shape), 50, 50);
    EXPECT_TRUE(decoded.valid) << decoded.error;
    EXPECT_EQ(decoded.region, shape);
}

TEST(UserOutline, OddLengthIgnoresTheLastCharacter) {
    const TRegion shape(Rect(1, 2, 3, 4));
    const TUserRegionText decoded = DecodeStringButtonRegion(EncodeRegionText(shape) + "!", 50, 50);
    EXPECT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.region, shape);
}

TEST(UserOutline, EmptyOrBadTextIsTheRectangle) {
    EXPECT_EQ(DecodeStringButtonRegion("", 31, 23).region, TRegion(Rect(0, 0, 31, 23)));
    const TUserRegionText garbage = DecodeStringButtonRegion("Hallo Welt, das ist keine Form", 31, 23);
    EXPECT_FALSE(garbage.valid);
    EXPECT_EQ(garbage.error, "Benutzerform: Regionsdaten zu kurz");
    EXPECT_EQ(garbage.region, TRegion(Rect(0, 0, 31, 23)));
    const TUserRegionText wide = DecodeStringButtonRegion("€x\xE2\x82\xACx!\x01", 31, 23);  // "!" + U+0001 gives a negative byte
    EXPECT_FALSE(wide.valid);
    EXPECT_EQ(wide.region, TRegion(Rect(0, 0, 31, 23)));
    std::string truncated = EncodeRegionText(TRegion(Rect(0, 0, 5, 5)));
    truncated.resize(truncated.size() - 8);
    EXPECT_FALSE(DecodeStringButtonRegion(truncated, 31, 23).valid);
}

TEST(UserOutline, PolygonsAreScaledToTheButton) {
    const TUserOutline outline = MakeUserOutline(TRegion(Rect(10, 10, 30, 20)));
    EXPECT_EQ(outline.left, 10);
    EXPECT_EQ(outline.width, 20);
    TShapeParams p = Params(40, 20);
    p.user = &outline;
    EXPECT_EQ(GotMain_USERRGN(p).points, (Tpoints{{0, 0}, {40, 0}, {40, 20}, {0, 20}}));
}

TEST(UserOutline, HoleSurvivesScalingAndThinning) {
    const TUserOutline outline = MakeUserOutline(TRegion(Rect(0, 0, 30, 30)).Difference(TRegion(Rect(10, 10, 20, 20))));
    TShapeParams p = Params(60, 60);
    p.user = &outline;
    const TPolygonSet set = GotMain_USERRGN(p);
    EXPECT_EQ(set.levels, (Tintegers{0, 1}));
    EXPECT_EQ(ReCreateRgn(set), TRegion(Rect(0, 0, 60, 60)).Difference(TRegion(Rect(20, 20, 40, 40))));
}

// Every outline, filled and framed, in one picture for a person to look at.
TEST(ShapeGallery, WritesEveryOutlineIntoOnePicture) {
    const int cell = 110, columns = 7;
    TBitmap gallery(columns * cell, 2 * 2 * cell);
    TCanvas& canvas = gallery.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(Rect(0, 0, gallery.Width(), gallery.Height()));
    const TUserOutline user = MakeUserOutline(TRegion(Rect(0, 0, 40, 10)).Union(TRegion(Rect(15, 10, 25, 40))));
    canvas.Font.Name = "Times New Roman";
    canvas.Font.Height = -11;
    canvas.Font.Color = clBlack;
    const char* names[kButtonKindCount] = {"Rect", "RoundRect", "Elliptic", "Poly", "PolyStar", "Arc", "Donut",
                                           "User", "Arrow", "Arrow1", "Arrow2", "Cross", "CutRect", "Cross1"};
    for (int kind = 0; kind < kButtonKindCount; ++kind) {
        TShapeParams p = Params(90, 70, 3);
        p.user = &user;
        int height = p.height;
        TPolygonSet outline = GotMainOutline(static_cast<TIAButtonKind>(kind), p, height);
        const int x = (kind % columns) * cell + 10, y = (kind / columns) * 2 * cell + 20;
        TRegion filled = ReCreateRgn(outline);
        ASSERT_FALSE(filled.IsEmpty()) << names[kind];
        filled.Offset(x, y);
        canvas.Brush.Color = clSilver;
        canvas.FillRgn(filled);
        canvas.Brush.Color = clNavy;
        canvas.FrameRgn(filled, 1, 1);
        TPolygonSet inner = outline;
        Getinner(inner, true, true, 3);
        TRegion framed = ReCreateRgn(outline).Difference(ReCreateRgn(inner));
        framed.Offset(x, y + cell);
        canvas.Brush.Color = clMaroon;
        canvas.FillRgn(framed);
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut(x, y - 16, names[kind]);
        canvas.Brush.Style = TBrushStyle::bsSolid;
    }
    const std::string path = std::string(MAROVELKA_BINARY_DIR) + "/button_shapes.png";
    ASSERT_TRUE(SavePng(gallery, path));
}
