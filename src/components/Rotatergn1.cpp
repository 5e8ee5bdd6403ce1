#include "components/Rotatergn1.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numbers>

#include "components/RegionTracing.h"

namespace {

constexpr double kPi = std::numbers::pi;

double TenthsToRadians(int angle) { return angle * kPi / 1800.0; }

// Sine and cosine of an angle in tenths of a degree that depend only on the angle within one
// turn and are exact where they are rational: 0, 1/2 and 1 at the multiples of 30 degrees. The
// button's place is moved by differences of rounded terms of these, so -1800 must give what 1800
// gave, and an exact half (an odd size turned half way) must be a half to round to even.
struct SinCos {
    double sin;
    double cos;
};
SinCos SinCosOfTenths(int64_t angle) {
    const int64_t turn = ((angle % 3600) + 3600) % 3600;
    const int64_t quarter = turn / 900, rest = turn % 900;
    double s = rest == 0 ? 0.0 : rest == 300 ? 0.5 : std::sin(rest * kPi / 1800.0);
    double c = rest == 0 ? 1.0 : rest == 600 ? 0.5 : std::cos(rest * kPi / 1800.0);
    for (int64_t q = 0; q < quarter; ++q) {  // each quarter turn: (s, c) becomes (c, -s)
        const double t = s;
        s = c;
        c = -t;
    }
    return SinCos{s, c};
}

// Turns one point about the origin by the angle in radians; points at distance 0 stay.
TPoint Turned(TPoint p, double angle) {
    const double r = std::sqrt(static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y);
    if (RoundHalfEven(r) == 0) return p;
    const double polar = p.x == 0 ? (p.y < 1 ? kPi / 2 : -kPi / 2) : std::atan2(-static_cast<double>(p.y), p.x);
    const double theta = polar + angle;
    return TPoint{RoundHalfEven(std::cos(theta) * r), -RoundHalfEven(std::sin(theta) * r)};
}

}  // namespace

int NextP(int index, int count) { return count <= 0 ? 0 : (index + 1) % count; }

int PredP(int index, int count) { return count <= 0 ? 0 : (index + count - 1) % count; }

Tpoints GetPPCopy(const Tpoints& points) { return points; }

void PolyZrotate(Tpoints& points, int angle) {
    const double a = TenthsToRadians(angle);
    for (TPoint& p : points) p = Turned(p, a);
}

void PolyRotate(Tpoints& points, int cx, int cy, int angle) {
    PolyZrotate(points, angle);
    const TPoint centre{cx, cy};
    const TPoint turned = Turned(centre, TenthsToRadians(angle));
    const int dx = centre.x - turned.x, dy = centre.y - turned.y;
    for (TPoint& p : points) {
        p.x += dx;
        p.y += dy;
    }
}

bool PointInPolygon(const Tpoints& points, size_t start, size_t count, double x, double y) {
    int left = 0, right = 0;
    for (size_t i = 0; i < count; ++i) {
        const TPoint& prev = points[start + (i + count - 1) % count];
        const TPoint& cur = points[start + i];
        if (!((prev.y <= y && y < cur.y) || (cur.y < y && y <= prev.y))) continue;
        const double crossing = prev.x + (y - prev.y) * (cur.x - prev.x) / (cur.y - prev.y);
        if (x < crossing) ++right;
        else if (x > crossing) ++left;
    }
    return (left % 2 == 1) && (right % 2 == 1);
}

// ---- inset ----

namespace {

// Angle of the edge from p to q as the inset measures it (y upwards).
double EdgeAngle(TPoint p, TPoint q) {
    if (q.x == p.x) return q.y <= p.y ? kPi / 2 : -kPi / 2;
    return -std::atan2(static_cast<double>(q.y - p.y), static_cast<double>(q.x - p.x));
}

struct InsetPolygon {
    const Tpoints& all;
    size_t start;
    int n;
    int level;
    TPoint At(int i) const { return all[start + static_cast<size_t>(i)]; }
};

// Moves one vertex; false when the polygon has no two further distinct points around it,
// which stops all moving for the rest of the call.
bool InsetVertex(const InsetPolygon& poly, int p, bool moveHoles, bool moveOuter, int distance, TPoint& out, int& weight) {
    const TPoint P = poly.At(p);
    out = P;
    weight = 0;
    int next = NextP(p, poly.n), prev = PredP(p, poly.n);
    while (next != p && poly.At(next) == P && next != prev) next = NextP(next, poly.n);
    while (prev != p && poly.At(prev) == P && prev != next) prev = PredP(prev, poly.n);
    if (next == prev || next == p || prev == p) return false;

    const double a1 = EdgeAngle(P, poly.At(prev)), a2 = EdgeAngle(P, poly.At(next));
    const double m = (a1 + a2) / 2, h = (a1 - a2) / 2;
    weight = std::abs(RoundHalfEven(std::cos(h) * 1000));
    const double s = std::abs(std::sin(h));
    if (s < 0.001) return true;  // a spike: left where it is

    const double tx = P.x + std::cos(m) * 0.011 / s, ty = P.y - std::sin(m) * 0.011 / s;
    const bool inside = PointInPolygon(poly.all, poly.start, static_cast<size_t>(poly.n), tx, ty);
    const bool even = (poly.level & 1) == 0;
    if (inside && ((even && !moveOuter) || (!even && !moveHoles))) return true;
    const double d = s >= 0.5 ? distance / s : 2.0 * distance;  // sharp corners capped
    const int mx = RoundHalfEven(std::cos(m) * d), my = -RoundHalfEven(std::sin(m) * d);
    const bool towards = inside == even;
    out = TPoint{P.x + (towards ? mx : -mx), P.y + (towards ? my : -my)};
    return true;
}

bool StrictlyBetween(int64_t x, int64_t a, int64_t b) { return x > std::min(a, b) && x < std::max(a, b); }

// Where the moves of two neighbouring vertices cross, the weaker corner follows the stronger.
// The pass is repeated while it changes something, at most once per vertex: that is enough for
// a change to travel round the whole polygon and ends any cycle.
void RepairCrossings(const InsetPolygon& poly, Tpoints& inset, Tintegers& weight) {
    for (int pass = 0; pass < poly.n; ++pass) {
        bool changed = false;
        for (int i = 0; i < poly.n; ++i) {
            const int j = NextP(i, poly.n);
            const int64_t x1 = poly.At(i).x, y1 = poly.At(i).y, x2 = poly.At(j).x, y2 = poly.At(j).y;
            const int64_t e1x = inset[i].x - x1, e1y = inset[i].y - y1, e2x = inset[j].x - x2, e2y = inset[j].y - y2;
            if (e1x * e2y == e2x * e1y) continue;  // parallel
            const double den = static_cast<double>(e2x * e1y - e2y * e1x);
            const int64_t x = RoundHalfEven(static_cast<double>((y2 - y1) * e1x * e2x + e1y * x1 * e2x - e2y * x2 * e1x) / den);
            if (!StrictlyBetween(x, x1, x1 + e1x) || !StrictlyBetween(x, x2, x2 + e2x)) continue;
            if (weight[i] <= weight[j]) {
                if (!(inset[i] == inset[j]) || weight[i] != weight[j]) changed = true;
                inset[i] = inset[j];
                weight[i] = weight[j];
            } else {
                inset[j] = inset[i];
                weight[j] = weight[i];
            }
        }
        if (!changed) return;
    }
}

}  // namespace

void Getinner(TPolygonSet& set, bool moveHoles, bool moveOuter, int distance) {
    const Tpoints input = set.points;
    bool stopped = false;
    size_t start = 0;
    for (size_t k = 0; k < set.counts.size(); ++k) {
        const int n = std::max(set.counts[k], 0);
        if (start + static_cast<size_t>(n) > input.size()) break;
        const InsetPolygon poly{input, start, n, k < set.levels.size() ? set.levels[k] : 0};
        Tpoints inset(static_cast<size_t>(n));
        Tintegers weight(static_cast<size_t>(n), 0);
        for (int p = 0; p < n; ++p) {
            if (stopped) {
                inset[p] = poly.At(p);
                continue;
            }
            stopped = !InsetVertex(poly, p, moveHoles, moveOuter, distance, inset[p], weight[p]);
        }
        RepairCrossings(poly, inset, weight);
        std::copy(inset.begin(), inset.end(), set.points.begin() + static_cast<std::ptrdiff_t>(start));
        start += static_cast<size_t>(n);
    }
}

// ---- light and dark ----

TRingSplit GetLDppoly(const Tpoints& a, const Tpoints& b, const Tintegers& counts) {
    TRingSplit split;
    size_t start = 0;
    for (int count : counts) {
        const size_t n = static_cast<size_t>(std::max(count, 0));
        if (start + n > a.size() || start + n > b.size()) break;
        for (size_t i = 0; i < n; ++i) {
            const size_t s = start + i, t = start + (i + 1) % n;
            const int dx = a[t].x - a[s].x, dy = a[t].y - a[s].y;
            const bool light = dy < dx;
            Tpoints& out = light ? split.lightPoints : split.darkPoints;
            out.insert(out.end(), {a[s], b[s], b[t], a[t]});
            (light ? split.lightCounts : split.darkCounts).push_back(4);
        }
        start += n;
    }
    return split;
}

// ---- regions ----

TRegion ReCreateRgn(const TPolygonSet& set) {
    std::vector<TRegion> parts;
    std::vector<size_t> starts;
    size_t start = 0;
    for (int count : set.counts) {
        const size_t n = static_cast<size_t>(std::max(count, 0));
        if (start + n > set.points.size()) break;
        parts.push_back(PolygonRegion(Tpoints(set.points.begin() + static_cast<std::ptrdiff_t>(start),
                                              set.points.begin() + static_cast<std::ptrdiff_t>(start + n))));
        start += n;
    }
    if (parts.empty()) return TRegion();
    int highest = 0;
    for (size_t k = 0; k < parts.size() && k < set.levels.size(); ++k) highest = std::max(highest, set.levels[k]);
    TRegion result;
    bool first = true;
    for (int level = 0; level <= highest; ++level) {
        for (size_t k = 0; k < parts.size(); ++k) {
            const int own = k < set.levels.size() ? set.levels[k] : 0;
            if (own != level) continue;
            if (first) result = parts[k];
            else result = (level & 1) == 0 ? result.Union(parts[k]) : result.Difference(parts[k]);
            first = false;
        }
    }
    return result;
}

TPolygonSet RgnToPoly(const TRegion& region) { return TraceRegionOutlines(region); }

void RemovePointsPP(TPolygonSet& set, int distance) {
    const double spacing = std::max(2, distance);
    TPolygonSet thinned;
    size_t start = 0;
    for (size_t k = 0; k < set.counts.size(); ++k) {
        const size_t n = static_cast<size_t>(std::max(set.counts[k], 0));
        if (start + n > set.points.size()) break;
        Tpoints kept;
        for (size_t i = start; i < start + n; ++i) {
            const TPoint& p = set.points[i];
            if (!kept.empty() && std::hypot(static_cast<double>(p.x - kept.back().x), static_cast<double>(p.y - kept.back().y)) <= spacing) {
                continue;
            }
            kept.push_back(p);
        }
        if (kept.size() >= 3) {
            thinned.points.insert(thinned.points.end(), kept.begin(), kept.end());
            thinned.counts.push_back(static_cast<int>(kept.size()));
            thinned.levels.push_back(k < set.levels.size() ? set.levels[k] : 0);
        }
        start += n;
    }
    set = std::move(thinned);
}

bool RotateRegion(TRegion& region, int cx, int cy, int angle) {
    TPolygonSet set = RgnToPoly(region);
    PolyRotate(set.points, cx, cy, angle);
    region = ReCreateRgn(set);
    return true;
}

// ---- angle and box ----

int NormalizeAngle(int64_t angle) {
    angle %= 3600;  // the same as subtracting or adding 3600 repeatedly
    if (angle > 1800) angle -= 3600;
    if (angle <= -1800) angle += 3600;
    return static_cast<int>(angle);
}

TBoxSize TurnedBox(int width, int height, int angle) {
    const SinCos t = SinCosOfTenths(angle);
    const double c = std::abs(t.cos), s = std::abs(t.sin);
    return TBoxSize{RoundHalfEven(c * width + s * height), RoundHalfEven(s * width + c * height)};
}

TPoint PivotKeepingPosition(const TPivotInput& in) {
    const double w = in.width, h = in.height;
    const double ox = in.pivotX - w / 2, oy = in.pivotY - h / 2;
    // How far the top-left corner lies from where it must be for the pivot, at one angle. Each
    // term is rounded on its own and depends on the angle alone, so the steps of a whole turn
    // add up to nothing.
    struct Offset {
        int64_t x;
        int64_t y;
    };
    auto offset = [&](int64_t angle) {
        const SinCos t = SinCosOfTenths(angle);
        const double growH = std::abs(t.cos) * h / 2 - h / 2 + std::abs(t.sin) * w / 2;
        const double growW = std::abs(t.cos) * w / 2 - w / 2 + std::abs(t.sin) * h / 2;
        return Offset{static_cast<int64_t>(RoundHalfEven(growW)) + RoundHalfEven(ox * t.cos + oy * t.sin),
                      static_cast<int64_t>(RoundHalfEven(growH)) + RoundHalfEven(-ox * t.sin + oy * t.cos)};
    };
    const Offset now = offset(in.angle), before = offset(static_cast<int64_t>(in.angle) - in.change);
    auto place = [](int64_t from, int64_t shift) {
        return static_cast<int>(std::clamp<int64_t>(from + shift, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    return TPoint{place(in.left, before.x - now.x), place(in.top, before.y - now.y)};
}
