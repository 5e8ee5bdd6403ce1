#include "platform/Region.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {

// Joins touching spans and drops empty ones, so bands stay canonical.
std::vector<int> NormalisedSpans(const std::vector<int>& xs) {
    std::vector<int> out;
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        if (xs[i] >= xs[i + 1]) continue;
        if (!out.empty() && out.back() >= xs[i]) {
            out.back() = std::max(out.back(), xs[i + 1]);
        } else {
            out.push_back(xs[i]);
            out.push_back(xs[i + 1]);
        }
    }
    return out;
}

}  // namespace

TRegion::TRegion(const TRect& rect) {
    if (!rect.IsEmpty()) bands_.push_back(Band{rect.top, rect.bottom, {rect.left, rect.right}});
}

void TRegion::Builder::AddRows(int top, int bottom, std::vector<int> xs) {
    if (top >= bottom || xs.empty()) return;
    if (!bands_.empty() && bands_.back().bottom == top && bands_.back().xs == xs) {
        bands_.back().bottom = bottom;
        return;
    }
    bands_.push_back(Band{top, bottom, std::move(xs)});
}

TRegion TRegion::Builder::Take() {
    TRegion region;
    region.bands_ = std::move(bands_);
    bands_.clear();
    return region;
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects) {
    // Uniting in pairs keeps the work near linear in the size of the result.
    std::vector<TRegion> parts;
    for (const TRect& r : rects) {
        if (!r.IsEmpty()) parts.emplace_back(r);
    }
    if (parts.empty()) return TRegion();
    while (parts.size() > 1) {
        std::vector<TRegion> next;
        for (size_t i = 0; i + 1 < parts.size(); i += 2) next.push_back(parts[i].Union(parts[i + 1]));
        if (parts.size() % 2 == 1) next.push_back(std::move(parts.back()));
        parts = std::move(next);
    }
    return std::move(parts.front());
}

TRect TRegion::BoundingBox() const {
    if (bands_.empty()) return TRect{};
    TRect box{INT_MAX, bands_.front().top, INT_MIN, bands_.back().bottom};
    for (const Band& b : bands_) {
        box.left = std::min(box.left, b.xs.front());
        box.right = std::max(box.right, b.xs.back());
    }
    return box;
}

bool TRegion::Contains(int x, int y) const {
    auto band = std::upper_bound(bands_.begin(), bands_.end(), y,
                                 [](int value, const Band& b) { return value < b.bottom; });
    if (band == bands_.end() || y < band->top) return false;
    for (size_t i = 0; i + 1 < band->xs.size(); i += 2) {
        if (x < band->xs[i]) return false;
        if (x < band->xs[i + 1]) return true;
    }
    return false;
}

std::vector<TRect> TRegion::Rects() const {
    std::vector<TRect> rects;
    for (const Band& b : bands_) {
        for (size_t i = 0; i + 1 < b.xs.size(); i += 2) rects.push_back(TRect{b.xs[i], b.top, b.xs[i + 1], b.bottom});
    }
    return rects;
}

size_t TRegion::RectCount() const {
    size_t count = 0;
    for (const Band& b : bands_) count += b.xs.size() / 2;
    return count;
}

TRegion TRegion::Union(const TRegion& other) const { return Combine(other, Op::Union); }
TRegion TRegion::Difference(const TRegion& other) const { return Combine(other, Op::Difference); }
TRegion TRegion::Intersection(const TRegion& other) const { return Combine(other, Op::Intersection); }
TRegion TRegion::Xor(const TRegion& other) const { return Combine(other, Op::Xor); }

TRegion TRegion::Eroded(int distance) const {
    TRegion inner = *this;
    for (int k = 1; k <= distance && !inner.IsEmpty(); ++k) {
        for (const auto& [dx, dy] : {std::pair{k, 0}, std::pair{-k, 0}, std::pair{0, k}, std::pair{0, -k}}) {
            TRegion moved = *this;
            moved.Offset(dx, dy);
            inner = inner.Intersection(moved);
        }
    }
    return inner;
}

void TRegion::Offset(int dx, int dy) {
    for (Band& b : bands_) {
        b.top += dy;
        b.bottom += dy;
        for (int& x : b.xs) x += dx;
    }
}

namespace {

bool Applies(int op, bool inA, bool inB) {
    switch (op) {
        case 0: return inA || inB;
        case 1: return inA && !inB;
        case 2: return inA && inB;
        default: return inA != inB;
    }
}

// One row of spans combined by a sweep over the span edges of both operands.
std::vector<int> CombineSpans(const std::vector<int>& a, const std::vector<int>& b, int op) {
    std::vector<int> out;
    size_t i = 0, j = 0;
    bool inA = false, inB = false, inside = false;
    while (i < a.size() || j < b.size()) {
        int x;
        if (i >= a.size()) x = b[j];
        else if (j >= b.size()) x = a[i];
        else x = std::min(a[i], b[j]);
        if (i < a.size() && a[i] == x) { inA = !inA; ++i; }
        if (j < b.size() && b[j] == x) { inB = !inB; ++j; }
        const bool now = Applies(op, inA, inB);
        if (now != inside) {
            out.push_back(x);
            inside = now;
        }
    }
    return out;
}

// The spans of the band of `bands` covering row y (advancing `index` monotonically).
const std::vector<int>& SpansAt(const std::vector<TRegion::Band>& bands, size_t& index, int y) {
    static const std::vector<int> kNone;
    while (index < bands.size() && bands[index].bottom <= y) ++index;
    if (index < bands.size() && bands[index].top <= y) return bands[index].xs;
    return kNone;
}

}  // namespace

TRegion TRegion::Combine(const TRegion& other, Op op) const {
    std::vector<int> ys;
    for (const Band& b : bands_) { ys.push_back(b.top); ys.push_back(b.bottom); }
    for (const Band& b : other.bands_) { ys.push_back(b.top); ys.push_back(b.bottom); }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Builder builder;
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        const std::vector<int>& sa = SpansAt(bands_, ia, ys[k]);
        const std::vector<int>& sb = SpansAt(other.bands_, ib, ys[k]);
        builder.AddRows(ys[k], ys[k + 1], CombineSpans(sa, sb, static_cast<int>(op)));
    }
    return builder.Take();
}

// ---- region data ----

namespace regiondata {

namespace {

void PutInt(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetInt(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

bool InRange(int32_t v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; }

ReadResult Fail(const std::string& why) {
    ReadResult r;
    r.error = why;
    return r;
}

}  // namespace

std::vector<uint8_t> Write(const TRegion& region) {
    const std::vector<TRect> rects = region.Rects();
    const TRect box = region.BoundingBox();
    std::vector<uint8_t> out;
    out.reserve(kHeaderSize + rects.size() * kRectSize);
    PutInt(out, kHeaderSize);
    PutInt(out, 1);
    PutInt(out, static_cast<uint32_t>(rects.size()));
    PutInt(out, static_cast<uint32_t>(rects.size() * kRectSize));
    for (int v : {box.left, box.top, box.right, box.bottom}) PutInt(out, static_cast<uint32_t>(v));
    for (const TRect& r : rects) {
        for (int v : {r.left, r.top, r.right, r.bottom}) PutInt(out, static_cast<uint32_t>(v));
    }
    return out;
}

ReadResult Read(const uint8_t* data, size_t size) {
    if (size < kHeaderSize) return Fail("Regionsdaten zu kurz");
    if (GetInt(data) != kHeaderSize) return Fail("Regionsdaten: ungültige Kopfgröße");
    if (GetInt(data + 4) != 1) return Fail("Regionsdaten: unbekannter Typ");
    const uint32_t count = GetInt(data + 8);
    if (count > kMaxRects) return Fail("Regionsdaten: zu viele Rechtecke");
    if (count > (size - kHeaderSize) / kRectSize) return Fail("Regionsdaten: Rechtecke fehlen");

    std::vector<TRect> rects;
    rects.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = data + kHeaderSize + i * kRectSize;
        const int32_t v[4] = {static_cast<int32_t>(GetInt(p)), static_cast<int32_t>(GetInt(p + 4)),
                              static_cast<int32_t>(GetInt(p + 8)), static_cast<int32_t>(GetInt(p + 12))};
        for (int32_t c : v) {
            if (!InRange(c)) return Fail("Regionsdaten: Koordinate außerhalb des Bereichs");
        }
        if (v[0] > v[2] || v[1] > v[3]) return Fail("Regionsdaten: Rechteck verkehrt herum");
        rects.push_back(TRect{v[0], v[1], v[2], v[3]});
    }
    ReadResult result;
    result.ok = true;
    result.region = TRegion::FromRects(rects);
    return result;
}

}  // namespace regiondata

// ---- scan conversion ----

namespace {

struct Edge {
    int64_t xTop, yTop, xBottom, yBottom;  // yTop < yBottom
    bool Vertical() const { return xTop == xBottom; }
};

int64_t CeilDiv(int64_t num, int64_t den) {  // den > 0
    return num >= 0 ? (num + den - 1) / den : -((-num) / den);
}

// First pixel column whose centre lies at or right of the edge's crossing with row y's centre.
int64_t CrossingPixel(const Edge& e, int64_t y) {
    const int64_t dx = e.xBottom - e.xTop;
    const int64_t dy = e.yBottom - e.yTop;
    // x - 0.5 = (dy (2 xTop - 1) + dx (2 (y - yTop) + 1)) / (2 dy), exactly in integers.
    return CeilDiv(dy * (2 * e.xTop - 1) + dx * (2 * (y - e.yTop) + 1), 2 * dy);
}

std::vector<int> RowSpans(const std::vector<const Edge*>& active, int64_t y) {
    std::vector<int64_t> crossings;
    crossings.reserve(active.size());
    for (const Edge* e : active) crossings.push_back(CrossingPixel(*e, y));
    std::sort(crossings.begin(), crossings.end());
    std::vector<int> xs;
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
        xs.push_back(static_cast<int>(crossings[i]));
        xs.push_back(static_cast<int>(crossings[i + 1]));
    }
    return NormalisedSpans(xs);
}

int64_t Clamped(int v) { return std::clamp<int64_t>(v, -regiondata::kMaxCoordinate, regiondata::kMaxCoordinate); }

std::vector<Edge> CollectEdges(const std::vector<TPoint>& points, const std::vector<int>& counts) {
    std::vector<Edge> edges;
    size_t start = 0;
    for (int count : counts) {
        if (count <= 0) continue;
        const size_t n = std::min(static_cast<size_t>(count), points.size() - std::min(points.size(), start));
        for (size_t i = 0; i < n; ++i) {
            const TPoint& a = points[start + i];
            const TPoint& b = points[start + (i + 1) % n];
            if (a.y == b.y) continue;
            if (a.y < b.y) edges.push_back(Edge{Clamped(a.x), Clamped(a.y), Clamped(b.x), Clamped(b.y)});
            else edges.push_back(Edge{Clamped(b.x), Clamped(b.y), Clamped(a.x), Clamped(a.y)});
        }
        start += n;
    }
    return edges;
}

}  // namespace

TRegion PolyPolygonRegion(const std::vector<TPoint>& points, const std::vector<int>& counts) {
    std::vector<Edge> edges = CollectEdges(points, counts);
    std::vector<int64_t> ys;
    for (const Edge& e : edges) { ys.push_back(e.yTop); ys.push_back(e.yBottom); }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    // Taken up in the order they start, so that a band never looks at the edges of other rows
    // (a finely drawn circle has thousands).
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });

    TRegion::Builder builder;
    std::vector<const Edge*> active;
    size_t next = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        // Between two vertex rows the set of crossing edges does not change; no edge ends
        // inside a band, so those crossing it are the ones started and not yet ended.
        while (next < edges.size() && edges[next].yTop <= ys[k]) active.push_back(&edges[next++]);
        std::erase_if(active, [&](const Edge* e) { return e->yBottom <= ys[k]; });
        if (active.empty()) continue;
        const bool allVertical = std::all_of(active.begin(), active.end(), [](const Edge* e) { return e->Vertical(); });
        if (allVertical) {
            builder.AddRows(static_cast<int>(ys[k]), static_cast<int>(ys[k + 1]), RowSpans(active, ys[k]));
            continue;
        }
        for (int64_t y = ys[k]; y < ys[k + 1]; ++y) {
            builder.AddRows(static_cast<int>(y), static_cast<int>(y + 1), RowSpans(active, y));
        }
    }
    return builder.Take();
}

TRegion PolygonRegion(const std::vector<TPoint>& points) {
    return PolyPolygonRegion(points, {static_cast<int>(points.size())});
}
