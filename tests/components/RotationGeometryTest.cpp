#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <random>
#include <string>

#include "components/Rotatergn1.h"

namespace {

TPolygonSet Rect31x23() { return TPolygonSet{{{0, 0}, {31, 0}, {31, 23}, {0, 23}}, {4}, {0}}; }

TRegion R(int l, int t, int r, int b) { return TRegion(Rect(l, t, r, b)); }

}  // namespace

TEST(Turning, QuarterTurnIsCounterClockwiseOnTheScreen) {
    Tpoints pts{{10, 0}};
    PolyZrotate(pts, 900);
    EXPECT_EQ(pts, (Tpoints{{0, -10}}));
    PolyZrotate(pts, 900);
    EXPECT_EQ(pts, (Tpoints{{-10, 0}}));
}

TEST(Turning, OriginStaysAndZeroAngleChangesNothing) {
    Tpoints pts{{0, 0}, {3, 4}, {-7, 2}, {31, 23}, {0, 23}};
    const Tpoints before = pts;
    PolyRotate(pts, 15, 11, 0);
    EXPECT_EQ(pts, before);
    Tpoints origin{{0, 0}};
    PolyZrotate(origin, 450);
    EXPECT_EQ(origin, (Tpoints{{0, 0}}));
}

TEST(Turning, AboutACentreKeepsTheCentre) {
    Tpoints pts{{15, 11}, {25, 11}};
    PolyRotate(pts, 15, 11, 900);
    EXPECT_EQ(pts, (Tpoints{{15, 11}, {15, 1}}));
    Tpoints half{{20, 10}};
    PolyRotate(half, 10, 10, 1800);
    EXPECT_EQ(half, (Tpoints{{0, 10}}));
}

TEST(Turning, RegionTurnedAQuarterAboutItsCorner) {
    TRegion r = R(0, 0, 10, 4);
    ASSERT_TRUE(RotateRegion(r, 0, 0, 900));
    EXPECT_EQ(r, R(0, -10, 4, 0));
}

TEST(AngleRules, NormalisationKeepsMinus1799To1800) {
    EXPECT_EQ(NormalizeAngle(3500), -100);
    EXPECT_EQ(NormalizeAngle(-1800), 1800);
    EXPECT_EQ(NormalizeAngle(1800), 1800);
    EXPECT_EQ(NormalizeAngle(1801), -1799);
    EXPECT_EQ(NormalizeAngle(-5400), 1800);
    EXPECT_EQ(NormalizeAngle(7300), 100);
}

TEST(AngleRules, TurnedBoxOfAShape) {
    EXPECT_EQ(TurnedBox(31, 23, 0), (TBoxSize{31, 23}));
    EXPECT_EQ(TurnedBox(31, 23, 900), (TBoxSize{23, 31}));
    EXPECT_EQ(TurnedBox(100, 40, 450), (TBoxSize{99, 99}));  // (100 + 40) * 0.7071 = 98.99
    EXPECT_EQ(TurnedBox(31, 23, -1800), (TBoxSize{31, 23}));
}

TEST(AngleRules, PivotPositionWithoutChangeIsTheCurrentOne) {
    EXPECT_EQ(PivotKeepingPosition({40, 30, 31, 23, 900, 0, 3, 4}), (TPoint{40, 30}));
}

TEST(AngleRules, QuarterTurnAboutTheMiddleGrowsTheBoxAroundIt) {
    // 100 x 40 turned by 90 degrees about its middle: the 40 x 100 box is centred on the same point.
    const TPoint p = PivotKeepingPosition({200, 100, 100, 40, 900, 900, 50, 20});
    EXPECT_EQ(p, (TPoint{230, 70}));
}

TEST(AngleRules, AtAHalfTurnAnExactHalfRoundsToEven) {
    // 75 x 25 about its middle pixel (37, 12): the pivot lies half a pixel off the middle, so
    // both offsets are exact halves at 180 degrees and round to 0, whichever way the turn came.
    const TPoint half = PivotKeepingPosition({300, 300, 75, 25, 1800, 1800, 37, 12});
    EXPECT_EQ(half, (TPoint{300, 300}));
    // A step on past the half turn starts from -1800: the same angle, the same terms.
    EXPECT_EQ(PivotKeepingPosition({half.x, half.y, 75, 25, -1760, 40, 37, 12}), PivotKeepingPosition({300, 300, 75, 25, -1760, -1760, 37, 12}));
    // About the top-left corner each term is rounded on its own: -round(37.5) + round(-37.5).
    EXPECT_EQ(PivotKeepingPosition({300, 300, 75, 25, 1800, 1800, 0, 0}), (TPoint{224, 276}));
    // 30 x 30 about (15, 0) by 30 degrees, where the sine is exactly one half: the left moves by
    // -round(5.49) - round(-15 x sin 30) = -5 + 8 (-7.5 rounds to -8), the top by
    // -round(5.49) - round(-15 x cos 30) + round(-15) = -5 + 13 - 15.
    EXPECT_EQ(PivotKeepingPosition({300, 300, 30, 30, 300, 300, 15, 0}), (TPoint{303, 293}));
}

// Each step moves the button by the difference of two terms of the angle alone, so any number of
// whole turns, in any steps, must bring it back exactly where it started.
TEST(AngleRules, WholeTurnsInAnyStepsEndWhereTheyStarted) {
    struct Pivot {
        const char* name;
        bool middle;
    };
    for (const int width : {1, 2, 24, 25, 75, 80}) {
        for (const int height : {0, 3, 25, 30, 41}) {
            for (const Pivot pivot : {Pivot{"middle", true}, Pivot{"corner", false}}) {
                for (const int step : {40, -40, 70, 300, 450, 900, 1799, -1199}) {
                    TPivotInput in{300, 300, width, height, 0, 0, pivot.middle ? width / 2 : 0, pivot.middle ? height / 2 : 0};
                    const int steps = 3600 / std::gcd(std::abs(step), 3600);  // the fewest that make whole turns
                    for (int i = 0; i < steps; ++i) {
                        in.change = NormalizeAngle(static_cast<int64_t>(step));
                        in.angle = NormalizeAngle(static_cast<int64_t>(in.angle) + step);
                        const TPoint place = PivotKeepingPosition(in);
                        in.left = place.x;
                        in.top = place.y;
                    }
                    ASSERT_EQ(in.angle, 0);
                    EXPECT_EQ((TPoint{in.left, in.top}), (TPoint{300, 300}))
                        << width << " x " << height << ", pivot " << pivot.name << ", steps of " << step;
                }
            }
        }
    }
}

TEST(Inset, RectangleMovesEveryCornerTwoPixelsIn) {
    TPolygonSet set = Rect31x23();
    Getinner(set, true, true, 2);
    EXPECT_EQ(set.points, (Tpoints{{2, 2}, {29, 2}, {29, 21}, {2, 21}}));
    EXPECT_EQ(set.counts, (Tintegers{4}));
}

TEST(Inset, SharpCornerIsCappedAtTwiceTheDistance) {
    // The apex of this triangle is about 11 degrees wide: it moves 2 x 3 = 6 along its bisector.
    TPolygonSet set{{{0, 0}, {100, 10}, {0, 20}}, {3}, {0}};
    Getinner(set, true, true, 3);
    EXPECT_EQ(set.points[1], (TPoint{94, 10}));
}

TEST(Inset, CounterClockwiseOutlineAlsoMovesInwards) {
    TPolygonSet set{{{0, 0}, {0, 23}, {31, 23}, {31, 0}}, {4}, {0}};
    Getinner(set, true, true, 2);
    EXPECT_EQ(set.points, (Tpoints{{2, 2}, {2, 21}, {29, 21}, {29, 2}}));
}

TEST(Inset, HoleMovesOutwardsIntoTheSolid) {
    TPolygonSet set{{{0, 0}, {40, 0}, {40, 40}, {0, 40}, {10, 10}, {30, 10}, {30, 30}, {10, 30}}, {4, 4}, {0, 1}};
    Getinner(set, true, true, 2);
    EXPECT_EQ(set.points, (Tpoints{{2, 2}, {38, 2}, {38, 38}, {2, 38}, {8, 8}, {32, 8}, {32, 32}, {8, 32}}));
}

TEST(Inset, WithoutMoveOuterOnlyCornersWhoseTestPointFallsOutsideMove) {
    // The halved angle sum points the bottom-right corner's test point outwards; such a corner
    // always moves (away from the test point, so still inwards).
    TPolygonSet set = Rect31x23();
    Getinner(set, true, false, 2);
    EXPECT_EQ(set.points, (Tpoints{{0, 0}, {31, 0}, {29, 21}, {0, 23}}));
}

TEST(Inset, TooFewDistinctPointsStopTheInset) {
    TPolygonSet set{{{5, 5}, {5, 5}, {9, 9}, {0, 0}, {31, 0}, {31, 23}, {0, 23}}, {3, 4}, {0, 0}};
    Getinner(set, true, true, 2);
    // The first polygon has only two distinct points: it and everything after it stay.
    EXPECT_EQ(set.points[3], (TPoint{0, 0}));
    EXPECT_EQ(set.points[5], (TPoint{31, 23}));
}

TEST(Inset, ThinSpikeRepairEnds) {
    // Moves of neighbouring corners cross on this thin wedge; the repair must end.
    TPolygonSet set{{{0, 0}, {60, 0}, {60, 3}, {30, 4}, {0, 3}}, {5}, {0}};
    Getinner(set, true, true, 5);
    EXPECT_EQ(set.points.size(), 5u);
}

TEST(LightDark, ClockwiseRectangleIsLightTopLeftDarkBottomRight) {
    TPolygonSet inner = Rect31x23();
    Getinner(inner, true, true, 2);
    const TRingSplit split = GetLDppoly(Rect31x23().points, inner.points, {4});
    ASSERT_EQ(split.lightCounts, (Tintegers{4, 4}));
    ASSERT_EQ(split.darkCounts, (Tintegers{4, 4}));
    EXPECT_EQ(split.lightPoints, (Tpoints{{0, 0}, {2, 2}, {29, 2}, {31, 0}, {0, 23}, {2, 21}, {2, 2}, {0, 0}}));
    EXPECT_EQ(split.darkPoints, (Tpoints{{31, 0}, {29, 2}, {29, 21}, {31, 23}, {31, 23}, {29, 21}, {2, 21}, {0, 23}}));
}

TEST(LightDark, EdgeDownRightAt45DegreesIsDark) {
    const Tpoints a{{0, 0}, {10, 10}, {0, 10}};
    const TRingSplit split = GetLDppoly(a, a, {3});
    EXPECT_EQ(split.darkPoints.front(), (TPoint{0, 0}));
}

TEST(RegionMaking, DonutIsOuterMinusInner) {
    const TPolygonSet set{{{0, 0}, {20, 0}, {20, 20}, {0, 20}, {5, 5}, {15, 5}, {15, 15}, {5, 15}}, {4, 4}, {0, 1}};
    EXPECT_EQ(ReCreateRgn(set), R(0, 0, 20, 20).Difference(R(5, 5, 15, 15)));
}

TEST(RegionMaking, IslandInAHoleIsAddedBack) {
    const TPolygonSet set{{{0, 0}, {30, 0}, {30, 30}, {0, 30}, {12, 12}, {18, 12}, {18, 18}, {12, 18}, {5, 5}, {25, 5}, {25, 25}, {5, 25}},
                          {4, 4, 4}, {0, 2, 1}};
    EXPECT_EQ(ReCreateRgn(set), R(0, 0, 30, 30).Difference(R(5, 5, 25, 25)).Union(R(12, 12, 18, 18)));
}

TEST(RegionMaking, NoPolygonsNoRegion) { EXPECT_TRUE(ReCreateRgn(TPolygonSet{}).IsEmpty()); }

TEST(RegionToPolygons, SingleRectangleIsOneClockwisePolygon) {
    const TPolygonSet set = RgnToPoly(R(3, 4, 13, 9));
    EXPECT_EQ(set.points, (Tpoints{{3, 4}, {13, 4}, {13, 9}, {3, 9}}));
    EXPECT_EQ(set.counts, (Tintegers{4}));
    EXPECT_EQ(set.levels, (Tintegers{0}));
}

TEST(RegionToPolygons, RingGivesOutlineAndHole) {
    const TRegion ring = R(0, 0, 10, 10).Difference(R(3, 2, 7, 8));
    const TPolygonSet set = RgnToPoly(ring);
    EXPECT_EQ(set.points, (Tpoints{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {3, 2}, {7, 2}, {7, 8}, {3, 8}}));
    EXPECT_EQ(set.counts, (Tintegers{4, 4}));
    EXPECT_EQ(set.levels, (Tintegers{0, 1}));
    EXPECT_EQ(ReCreateRgn(set), ring);
}

TEST(RegionToPolygons, RoundTripsOfRectilinearRegions) {
    const std::vector<TRegion> regions{
        R(0, 0, 10, 10).Union(R(10, 5, 20, 10)),                                         // L shape
        R(0, 0, 4, 4).Union(R(10, 10, 14, 14)),                                          // two pieces
        R(0, 0, 4, 4).Union(R(4, 4, 8, 8)),                                              // touching at a corner
        R(0, 0, 30, 30).Difference(R(5, 5, 25, 25)).Union(R(12, 12, 18, 18)),            // island in a hole
        R(0, 0, 20, 20).Difference(R(4, 4, 8, 8)).Difference(R(12, 12, 16, 16)),         // two holes
        R(0, 0, 9, 3).Union(R(0, 3, 3, 9)).Union(R(6, 3, 9, 9)).Union(R(0, 9, 9, 12)),   // frame from bands
    };
    for (const TRegion& region : regions) {
        const TPolygonSet set = RgnToPoly(region);
        EXPECT_EQ(ReCreateRgn(set), region) << "region with " << region.RectCount() << " rectangles";
    }
}

TEST(RegionToPolygons, OnePixelStaircaseBecomesASlantedEdge) {
    TRegion stairs;
    for (int i = 0; i < 8; ++i) stairs = stairs.Union(R(0, i, i + 1, i + 1));
    const TPolygonSet set = RgnToPoly(stairs);
    ASSERT_EQ(set.counts.size(), 1u);
    EXPECT_LT(set.counts[0], 8);
}

TEST(RegionToPolygons, EmptyRegionGivesNothing) { EXPECT_TRUE(RgnToPoly(TRegion()).Empty()); }

// The outline of the notch turns back on the row where the hole starts: passing along that row
// is no crossing, so the hole is still found inside the square and cut out.
TEST(RegionToPolygons, AHoleOnTheRowOfANotchIsCutOut) {
    const TRegion square = R(0, 0, 100, 100);
    const TRegion hole = R(20, 30, 40, 50);
    const struct {
        const char* name;
        TRegion region;
    } cases[] = {
        {"notch from above ending on the hole's top row", square.Difference(R(60, 0, 70, 30)).Difference(hole)},
        {"notch from below starting on the hole's top row", square.Difference(R(60, 30, 70, 100)).Difference(hole)},
        {"notch from above ending on the hole's bottom row", square.Difference(R(60, 0, 70, 50)).Difference(hole)},
        {"notch left of the hole", square.Difference(R(5, 0, 10, 30)).Difference(hole)},
    };
    for (const auto& c : cases) {
        const TPolygonSet set = RgnToPoly(c.region);
        EXPECT_EQ(set.levels, (Tintegers{0, 1})) << c.name;
        const TRegion back = ReCreateRgn(set);
        EXPECT_FALSE(back.Contains(30, 40)) << c.name;
        EXPECT_EQ(back, c.region) << c.name;
    }
}

TEST(RegionToPolygons, AnIslandOnTheRowOfANotchInItsHoleIsAddedBack) {
    const TRegion region = R(0, 0, 60, 60).Difference(R(10, 10, 50, 50)).Union(R(20, 30, 30, 40)).Union(R(35, 10, 40, 30));
    const TPolygonSet set = RgnToPoly(region);
    EXPECT_EQ(ReCreateRgn(set), region);
}

// Regions of blocks at least two pixels wide have no one-pixel staircase for the tracer to
// smooth: traced and made again they must give back exactly the same pixels, whatever holes,
// islands, notches and corner contacts chance puts into them.
TEST(RegionToPolygons, RandomBlockRegionsComeBackUnchanged) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const int block = 2 + static_cast<int>(random() % 3), cells = 3 + static_cast<int>(random() % 5);
        const int left = static_cast<int>(random() % 7) - 3, top = static_cast<int>(random() % 7) - 3;
        std::vector<TRect> rects;
        std::string picture;
        for (int row = 0; row < cells; ++row) {
            for (int column = 0; column < cells; ++column) {
                const bool set = random() % 100 < 55;
                picture += set ? '#' : '.';
                if (set) {
                    const int x = left + column * block, y = top + row * block;
                    rects.push_back(Rect(x, y, x + block, y + block));
                }
            }
            picture += '\n';
        }
        const TRegion region = TRegion::FromRects(rects);
        ASSERT_EQ(ReCreateRgn(RgnToPoly(region)), region) << "round " << round << ", blocks of " << block << ":\n" << picture;
    }
}

TEST(Thinning, PointsCloserThanTheSpacingAreDropped) {
    TPolygonSet set{{{0, 0}, {1, 0}, {5, 0}, {6, 1}, {5, 5}, {0, 5}, {0, 0}, {1, 1}, {2, 0}}, {6, 3}, {0, 1}};
    RemovePointsPP(set, 2);
    EXPECT_EQ(set.points, (Tpoints{{0, 0}, {5, 0}, {5, 5}, {0, 5}}));
    EXPECT_EQ(set.counts, (Tintegers{4}));
    EXPECT_EQ(set.levels, (Tintegers{0}));
}

TEST(Thinning, DistanceBelowTwoStillUsesTwo) {
    TPolygonSet a{{{0, 0}, {2, 0}, {4, 0}, {4, 4}}, {4}, {0}};
    TPolygonSet b = a;
    RemovePointsPP(a, 0);
    RemovePointsPP(b, 2);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.points, (Tpoints{{0, 0}, {4, 0}, {4, 4}}));
}

TEST(Indexing, NextAndPreviousWrap) {
    EXPECT_EQ(NextP(3, 4), 0);
    EXPECT_EQ(PredP(0, 4), 3);
    EXPECT_EQ(NextP(1, 4), 2);
}

TEST(Indexing, PointInPolygonNeedsBothSides) {
    const Tpoints square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInPolygon(square, 0, 4, 5, 5));
    EXPECT_FALSE(PointInPolygon(square, 0, 4, 15, 5));
    EXPECT_FALSE(PointInPolygon(square, 0, 4, 10, 5));  // on the edge
}
