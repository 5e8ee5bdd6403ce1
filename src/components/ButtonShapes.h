#pragma once
#include <string>
#include <string_view>

#include "components/Rotatergn1.h"
#include "platform/Region.h"

// The fourteen outlines a shaped button can be cut to, in the shape's own coordinates
// (before turning and centring).
enum TIAButtonKind {
    bkRect, bkRoundRect, bkElliptic, bkPoly, bkPolyStar, bkArc, bkDonut, bkUser,
    bkArrow, bkArrow1, bkArrow2, bkCross, bkCutRect, bkCross1
};
constexpr int kButtonKindCount = 14;

// A user outline as the button keeps it: polygons and the bounding box they were taken from.
struct TUserOutline {
    TPolygonSet polygons;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct TShapeParams {
    int width = 0;   // ButtonWidth
    int height = 0;  // ButtonHeight
    int depth = 2;   // ButtonDepth
    int peaks = 6;   // PeaksNumber
    double radiusRatio = 0.5;
    double arcAngle = 2.0943951023931953;  // radians
    const TUserOutline* user = nullptr;
};

// Shapes that cannot be built from their parameters (too few points, an arc whose angle steps
// would divide by zero) fall back to the rectangle.
TPolygonSet GotMain_Rect(const TShapeParams& p);
TPolygonSet GotMain_RoundRect(const TShapeParams& p);
TPolygonSet GotMain_Elliptic(const TShapeParams& p);
TPolygonSet GotMain_Poly(const TShapeParams& p);
TPolygonSet GotMain_PolyStar(const TShapeParams& p);
// The arc sets its own height: buttonHeight receives it (unchanged on the rectangle fallback).
TPolygonSet GotMain_Arc(const TShapeParams& p, int& buttonHeight);
TPolygonSet GotMain_Donut(const TShapeParams& p);
TPolygonSet GotMain_USERRGN(const TShapeParams& p);
TPolygonSet GotMain_Arrow(const TShapeParams& p);
TPolygonSet GotMain_Arrow1(const TShapeParams& p);
TPolygonSet GotMain_Arrow2(const TShapeParams& p);
TPolygonSet GotMain_Cross(const TShapeParams& p);
TPolygonSet GotMain_CutRect(const TShapeParams& p);
TPolygonSet GotMain_Cross1(const TShapeParams& p);

// The outline of any kind; buttonHeight is changed only by bkArc.
TPolygonSet GotMainOutline(TIAButtonKind kind, const TShapeParams& p, int& buttonHeight);

// The user outline text: two characters per byte ("!" + c gives code(c) - 128, any other pair
// the code of its first character); the bytes are region data. An empty text is the rectangle
// 0, 0, width, height; so is text that does not decode into valid region data, with the reason
// in `error`.
struct TUserRegionText {
    TRegion region;
    bool valid = true;
    std::string error;
};
TUserRegionText DecodeStringButtonRegion(std::string_view text, int width, int height);

// The polygons and bounding box kept for a user region (RgnToPoly of it).
TUserOutline MakeUserOutline(const TRegion& region);
