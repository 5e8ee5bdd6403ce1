#pragma once
#include "components/Rotatergn1.h"

// Region to outline polygons: the corners of the region's rectangles are typed (convex 1..4 for
// a top-left, top-right, bottom-right, bottom-left corner; concave -1..-4 by the quadrant left
// empty: lower right, lower left, upper left, upper right), traced into closed outlines
// (outer boundaries clockwise), thinned of one-pixel staircases and given nesting levels.
TPolygonSet TraceRegionOutlines(const TRegion& region);

// The corner points of a region in tracing order, with their types.
struct TRgnpoint {
    TPoint p;
    int type = 0;
};
std::vector<TRgnpoint> DetectPointsTypes(const TRegion& region);

// Drops vertices within 1/sqrt(2) of the line through their neighbours, in passes, while a
// polygon has more than 4 points.
void SimplifyPolys(TPolygonSet& set);

// Nesting level of each polygon: how many other polygons hold it, tested at its first point (or,
// where that lies on the other outline, at the next of its points that does not).
void GetInPower(TPolygonSet& set);
