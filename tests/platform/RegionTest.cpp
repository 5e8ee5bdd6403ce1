#include <gtest/gtest.h>

#include "platform/Region.h"

namespace {

TRegion R(int l, int t, int r, int b) { return TRegion(Rect(l, t, r, b)); }

std::vector<TRect> RectsOf(const TRegion& region) { return region.Rects(); }

}  // namespace

TEST(RegionAlgebra, UnionOfOverlappingRectanglesIsBandedCanonically) {
    const TRegion u = R(0, 0, 10, 10).Union(R(5, 5, 15, 15));
    EXPECT_EQ(RectsOf(u), (std::vector<TRect>{{0, 0, 10, 5}, {0, 5, 15, 10}, {5, 10, 15, 15}}));
    EXPECT_EQ(u.BoundingBox(), Rect(0, 0, 15, 15));
}

TEST(RegionAlgebra, TouchingRectanglesMergeSoEqualPixelsGiveEqualRegions) {
    EXPECT_EQ(R(0, 0, 5, 10).Union(R(5, 0, 10, 10)), R(0, 0, 10, 10));
    EXPECT_EQ(R(0, 0, 10, 5).Union(R(0, 5, 10, 10)), R(0, 0, 10, 10));
    EXPECT_EQ(R(0, 0, 10, 10).Rects().size(), 1u);
}

TEST(RegionAlgebra, DifferenceCutsAHole) {
    const TRegion ring = R(0, 0, 10, 10).Difference(R(3, 3, 7, 7));
    EXPECT_TRUE(ring.Contains(0, 0));
    EXPECT_TRUE(ring.Contains(2, 5));
    EXPECT_FALSE(ring.Contains(3, 3));
    EXPECT_FALSE(ring.Contains(6, 6));
    EXPECT_TRUE(ring.Contains(7, 6));
    EXPECT_EQ(ring.RectCount(), 4u);
    EXPECT_EQ(ring.Union(R(3, 3, 7, 7)), R(0, 0, 10, 10));
}

TEST(RegionAlgebra, IntersectionAndXor) {
    const TRegion a = R(0, 0, 10, 10), b = R(5, 5, 15, 15);
    EXPECT_EQ(a.Intersection(b), R(5, 5, 10, 10));
    EXPECT_EQ(a.Xor(b), a.Union(b).Difference(R(5, 5, 10, 10)));
    EXPECT_TRUE(a.Intersection(R(20, 20, 30, 30)).IsEmpty());
    EXPECT_TRUE(a.Xor(a).IsEmpty());
}

TEST(RegionAlgebra, EmptyAndInvertedRectanglesAddNothing) {
    EXPECT_TRUE(R(5, 5, 5, 10).IsEmpty());
    EXPECT_TRUE(R(10, 0, 0, 10).IsEmpty());
    EXPECT_EQ(TRegion::FromRects({{0, 0, 0, 5}, {2, 2, 4, 4}, {9, 9, 3, 3}}), R(2, 2, 4, 4));
    EXPECT_EQ(TRegion().BoundingBox(), TRect{});
}

TEST(RegionAlgebra, OffsetAndPointTestAtTheEdges) {
    TRegion r = R(0, 0, 4, 3);
    r.Offset(10, -2);
    EXPECT_EQ(r, R(10, -2, 14, 1));
    EXPECT_TRUE(r.Contains(10, -2));
    EXPECT_TRUE(r.Contains(13, 0));
    EXPECT_FALSE(r.Contains(14, 0));
    EXPECT_FALSE(r.Contains(10, 1));
}

TEST(RegionAlgebra, FromRectsInAnyOrderGivesTheSameRegion) {
    const std::vector<TRect> rects{{0, 0, 3, 3}, {10, 0, 12, 8}, {2, 2, 11, 4}, {5, 6, 7, 20}};
    std::vector<TRect> reversed(rects.rbegin(), rects.rend());
    TRegion united;
    for (const TRect& r : rects) united = united.Union(TRegion(r));
    EXPECT_EQ(TRegion::FromRects(rects), united);
    EXPECT_EQ(TRegion::FromRects(reversed), united);
}

TEST(RegionData, WritesHeaderAndRectanglesInBandOrder) {
    const TRegion region = R(0, 0, 10, 2).Union(R(0, 2, 3, 5)).Union(R(6, 2, 10, 5));
    const std::vector<uint8_t> data = regiondata::Write(region);
    ASSERT_EQ(data.size(), 32u + 3 * 16u);
    EXPECT_EQ(data[0], 32);
    EXPECT_EQ(data[4], 1);
    EXPECT_EQ(data[8], 3);
    EXPECT_EQ(data[12], 48);
    EXPECT_EQ(data[24], 10);  // bounding box right
    EXPECT_EQ(data[28], 5);   // bounding box bottom
    EXPECT_EQ(data[32 + 16 + 8], 3);  // second rectangle: right of the left piece of band 2
    const regiondata::ReadResult back = regiondata::Read(data.data(), data.size());
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.region, region);
}

TEST(RegionData, NegativeCoordinatesSurviveTheRoundTrip) {
    const TRegion region = R(-30, -20, -10, 5);
    const std::vector<uint8_t> data = regiondata::Write(region);
    EXPECT_EQ(regiondata::Read(data.data(), data.size()).region, region);
}

TEST(RegionData, RejectsBadDataWithAReason) {
    std::vector<uint8_t> good = regiondata::Write(R(0, 0, 4, 4));
    auto readWith = [](std::vector<uint8_t> data) { return regiondata::Read(data.data(), data.size()); };

    EXPECT_EQ(readWith({1, 2, 3}).error, "Regionsdaten zu kurz");
    std::vector<uint8_t> badSize = good;
    badSize[0] = 31;
    EXPECT_FALSE(readWith(badSize).ok);
    std::vector<uint8_t> badType = good;
    badType[4] = 2;
    EXPECT_FALSE(readWith(badType).ok);
    std::vector<uint8_t> tooMany = good;
    tooMany[8] = 2;  // claims two rectangles, holds one
    EXPECT_EQ(readWith(tooMany).error, "Regionsdaten: Rechtecke fehlen");
    std::vector<uint8_t> huge = good;
    huge[11] = 0x7F;  // count far beyond any data
    EXPECT_FALSE(readWith(huge).ok);
    std::vector<uint8_t> inverted = good;
    inverted[32] = 9;  // left beyond right
    EXPECT_EQ(readWith(inverted).error, "Regionsdaten: Rechteck verkehrt herum");
    std::vector<uint8_t> far = good;
    far[47] = 0x40;  // bottom at 2^30
    EXPECT_FALSE(readWith(far).ok);
}

TEST(RegionData, EmptyRegionAndExtraBytesAreAccepted) {
    std::vector<uint8_t> data = regiondata::Write(TRegion());
    EXPECT_EQ(data.size(), 32u);
    data.push_back(7);
    const regiondata::ReadResult r = regiondata::Read(data.data(), data.size());
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.region.IsEmpty());
}

TEST(PolygonScan, RectangleOutlineCoversThePixelsInside) {
    EXPECT_EQ(PolygonRegion({{0, 0}, {31, 0}, {31, 23}, {0, 23}}), R(0, 0, 31, 23));
    // Turning direction does not matter.
    EXPECT_EQ(PolygonRegion({{0, 0}, {0, 23}, {31, 23}, {31, 0}}), R(0, 0, 31, 23));
}

TEST(PolygonScan, PixelCentresDecideOnSlantedEdges) {
    // A right triangle: row y holds the pixels whose centre lies left of x = 4 - (y + 0.5);
    // the centre of pixel (0, 3) lies exactly on the edge and stays out.
    const TRegion tri = PolygonRegion({{0, 0}, {4, 0}, {0, 4}});
    EXPECT_EQ(RectsOf(tri), (std::vector<TRect>{{0, 0, 3, 1}, {0, 1, 2, 2}, {0, 2, 1, 3}}));
}

TEST(PolygonScan, EvenOddLeavesTheOverlapOfPolyPolygonsOpen) {
    const std::vector<TPoint> points{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {3, 3}, {7, 3}, {7, 7}, {3, 7}};
    EXPECT_EQ(PolyPolygonRegion(points, {4, 4}), R(0, 0, 10, 10).Difference(R(3, 3, 7, 7)));
}

TEST(PolygonScan, DegenerateOutlinesGiveEmptyRegions) {
    EXPECT_TRUE(PolygonRegion({}).IsEmpty());
    EXPECT_TRUE(PolygonRegion({{1, 1}, {5, 1}}).IsEmpty());
    EXPECT_TRUE(PolygonRegion({{0, 0}, {5, 5}, {10, 10}}).IsEmpty());
    EXPECT_TRUE(PolyPolygonRegion({{0, 0}, {4, 0}, {4, 4}}, {7}).IsEmpty() == false);  // count beyond the points is cut
}

TEST(PolygonScan, HugeRectilinearOutlinesStayCheap) {
    const int big = 1 << 26;
    EXPECT_EQ(PolygonRegion({{0, 0}, {big, 0}, {big, big}, {0, big}}), R(0, 0, big, big));
}
