#pragma once
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Region.h"

// Polygon and region geometry of the shaped button: turning, insetting, the light/dark split of
// bevel rings, regions from nested polygons and outline polygons from regions.

using Tpoints = std::vector<TPoint>;
using Tintegers = std::vector<int>;

// Polygons one after the other, with the point count and nesting level of each polygon
// (0 outer boundary, 1 hole, 2 island in a hole, ...).
struct TPolygonSet {
    Tpoints points;
    Tintegers counts;
    Tintegers levels;
    bool Empty() const { return counts.empty(); }
    friend bool operator==(const TPolygonSet&, const TPolygonSet&) = default;
};

int NextP(int index, int count);
int PredP(int index, int count);
Tpoints GetPPCopy(const Tpoints& points);

// Turns counter-clockwise on the screen by angle (tenths of a degree) about the origin or about
// (cx, cy), in place.
void PolyZrotate(Tpoints& points, int angle);
void PolyRotate(Tpoints& points, int cx, int cy, int angle);

// Both-sides even-odd test of (x, y) against the polygon of count points from points[start].
bool PointInPolygon(const Tpoints& points, size_t start, size_t count, double x, double y);

// Insets every polygon by distance (outer boundaries inwards, holes outwards), in place.
void Getinner(TPolygonSet& set, bool moveHoles, bool moveOuter, int distance);

// The quadrilaterals of the ring between polygon a and polygon b (same counts), split into the
// edges that face up and left (light) and the others (dark).
struct TRingSplit {
    Tpoints lightPoints;
    Tpoints darkPoints;
    Tintegers lightCounts;
    Tintegers darkCounts;
};
TRingSplit GetLDppoly(const Tpoints& a, const Tpoints& b, const Tintegers& counts);

// A region from nested polygons: even levels added, odd levels cut out. Empty without polygons.
TRegion ReCreateRgn(const TPolygonSet& set);

// The outline polygons of a region, clockwise, with their nesting levels.
TPolygonSet RgnToPoly(const TRegion& region);

// Thins every polygon to points more than max(2, distance) apart; drops polygons left with
// fewer than 3 points.
void RemovePointsPP(TPolygonSet& set, int distance);

// Replaces the region by its copy turned about (cx, cy).
bool RotateRegion(TRegion& region, int cx, int cy, int angle);

// ---- the button's angle and box rules ----

// Brings a tenth-of-a-degree angle into -1799..1800 (wide, so sums of angles cannot overflow).
int NormalizeAngle(int64_t angle);

struct TBoxSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const TBoxSize&, const TBoxSize&) = default;
};
// The box a width x height shape needs when turned by angle (tenths of a degree).
TBoxSize TurnedBox(int width, int height, int angle);

// Where the control's top-left corner must go so that the pivot stays in place when the shape
// (width x height) turns from angle - change to angle.
struct TPivotInput {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int angle = 0;
    int change = 0;
    int pivotX = 0;
    int pivotY = 0;
};
TPoint PivotKeepingPosition(const TPivotInput& in);
