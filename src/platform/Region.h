#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

// A set of pixels kept as horizontal bands: each band covers the rows top..bottom-1 and
// holds sorted, disjoint, non-touching x spans. Neighbouring bands never carry equal spans,
// so two regions covering the same pixels have the same bands (equality is exact).
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);

    // Union of any rectangles; empty or inverted ones add nothing.
    static TRegion FromRects(const std::vector<TRect>& rects);

    bool IsEmpty() const { return bands_.empty(); }
    TRect BoundingBox() const;
    bool Contains(int x, int y) const;
    // The rectangles in canonical band order: by band from the top, within a band from the left.
    std::vector<TRect> Rects() const;
    size_t RectCount() const;

    TRegion Union(const TRegion& other) const;
    TRegion Difference(const TRegion& other) const;
    TRegion Intersection(const TRegion& other) const;
    TRegion Xor(const TRegion& other) const;
    void Offset(int dx, int dy);
    // The pixels whose neighbours up to distance away along their row and their column all
    // belong to the region (the region shrunk by distance from every edge).
    TRegion Eroded(int distance) const;

    friend bool operator==(const TRegion&, const TRegion&) = default;

    struct Band {
        int top = 0;
        int bottom = 0;
        std::vector<int> xs;  // pairs: left, right (exclusive)
        friend bool operator==(const Band&, const Band&) = default;
    };
    const std::vector<Band>& Bands() const { return bands_; }

    // Builds a region band by band from the top; rows must come in ascending order.
    class Builder {
    public:
        void AddRows(int top, int bottom, std::vector<int> xs);
        TRegion Take();

    private:
        std::vector<Band> bands_;
    };

private:
    enum class Op { Union, Difference, Intersection, Xor };
    TRegion Combine(const TRegion& other, Op op) const;

    std::vector<Band> bands_;
};

// Region data as the Win32 region functions exchange it: a 32-byte header (size 32, type 1,
// rectangle count, byte size of the rectangles, bounding box) followed by 16 bytes per
// rectangle (left, top, right, bottom), all little-endian 32-bit integers.
namespace regiondata {

constexpr size_t kHeaderSize = 32;
constexpr size_t kRectSize = 16;
// Limits that keep a reader of outside data fast and its memory bounded.
constexpr uint32_t kMaxRects = 10000;
constexpr int kMaxCoordinate = 1 << 27;

std::vector<uint8_t> Write(const TRegion& region);

struct ReadResult {
    bool ok = false;
    TRegion region;
    std::string error;  // German, for the log or a message
};
// Accepts the rectangles in any order (they are united); rejects a bad header, a count that the
// data do not hold, too many rectangles, inverted rectangles and coordinates out of range.
ReadResult Read(const uint8_t* data, size_t size);

}  // namespace regiondata

// Scan conversion: a pixel belongs to the region when its centre (x + 0.5, y + 0.5) lies inside
// the outline by the even-odd rule. Several polygons are filled together (poly-polygon).
TRegion PolygonRegion(const std::vector<TPoint>& points);
TRegion PolyPolygonRegion(const std::vector<TPoint>& points, const std::vector<int>& counts);
