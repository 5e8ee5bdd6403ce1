#include "components/RegionTracing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <set>
#include <utility>

namespace {

struct Move {
    int dx, dy;
    int target1, target2;
};

// Row: type 1..4 then -1..-4; column: direction flag 0 or 1.
constexpr Move kMoves[8][2] = {
    {{1, 0, 2, -3}, {0, 1, 4, -3}},    // 1
    {{0, 1, 3, -4}, {-1, 0, 1, -4}},   // 2
    {{-1, 0, 4, -1}, {0, -1, 2, -1}},  // 3
    {{0, -1, 1, -2}, {1, 0, 3, -2}},   // 4
    {{1, 0, 3, -2}, {0, 1, 3, -4}},    // -1
    {{0, 1, 4, -3}, {-1, 0, 4, -1}},   // -2
    {{-1, 0, 1, -4}, {0, -1, 1, -2}},  // -3
    {{0, -1, 2, -1}, {1, 0, 2, -3}},   // -4
};

const Move& MoveFor(int type, int flag) { return kMoves[type > 0 ? type - 1 : 3 - type][flag]; }

// Distance from `from` to `to` along the move, or -1 when `to` is not on the move's side.
int64_t StepDistance(TPoint from, TPoint to, const Move& move) {
    if (move.dy == 0) {
        if (to.y != from.y) return -1;
        const int64_t d = (static_cast<int64_t>(to.x) - from.x) * move.dx;
        return d > 0 ? d : -1;
    }
    if (to.x != from.x) return -1;
    const int64_t d = (static_cast<int64_t>(to.y) - from.y) * move.dy;
    return d > 0 ? d : -1;
}

// Traces one outline from points[start]; marks the traced points used.
std::vector<size_t> TraceOutline(const std::vector<TRgnpoint>& points, std::vector<bool>& used, size_t start) {
    std::vector<size_t> outline{start};
    used[start] = true;
    size_t current = start;
    int previousType = 0;
    int flag = 0;
    while (true) {
        const int type = points[current].type;
        if (previousType != 0 && (previousType > 0) != (type > 0)) flag ^= 1;
        const Move& move = MoveFor(type, flag);
        size_t best = points.size();
        int64_t bestDistance = std::numeric_limits<int64_t>::max();
        for (size_t q = start; q < points.size(); ++q) {
            if (q != start && used[q]) continue;
            if (points[q].type != move.target1 && points[q].type != move.target2) continue;
            const int64_t d = StepDistance(points[current].p, points[q].p, move);
            if (d > 0 && d < bestDistance) {
                bestDistance = d;
                best = q;
            }
        }
        if (best == points.size() || best == start) break;
        used[best] = true;
        outline.push_back(best);
        previousType = type;
        current = best;
    }
    return outline;
}

double Distance(TPoint a, TPoint b) { return std::hypot(static_cast<double>(a.x - b.x), static_cast<double>(a.y - b.y)); }

// Distance of p from the line through its neighbours, as the staircase test measures it.
double OffLine(TPoint prev, TPoint p, TPoint next) {
    const double a = Distance(prev, p), b = Distance(p, next), c = Distance(prev, next);
    const double s = (a + b + c) / 2;
    const double area = std::sqrt(std::max(0.0, s * (s - a) * (s - b) * (s - c)));
    if (area <= 0.1 || c <= 0.1) return c;
    return 2 * area / c;
}

Tpoints SimplifiedPolygon(Tpoints poly) {
    // The small allowance keeps the exact 1/sqrt(2) of a one-pixel step on the removed side.
    const double limit = 1 / std::sqrt(2.0) + 1e-9;
    while (poly.size() > 4) {
        const size_t n = poly.size();
        std::vector<bool> remove(n, false);
        size_t left = n;
        for (size_t i = 0; i < n && left > 3; ++i) {
            if (OffLine(poly[(i + n - 1) % n], poly[i], poly[(i + 1) % n]) <= limit) {
                remove[i] = true;
                --left;
            }
        }
        if (left == n) break;
        Tpoints kept;
        for (size_t i = 0; i < n; ++i) {
            if (!remove[i]) kept.push_back(poly[i]);
        }
        poly = std::move(kept);
    }
    return poly;
}

// A point of an outline or between two of its corners: coordinates are whole or half pixels.
struct Probe {
    double x = 0;
    double y = 0;
};

// Which side of the probe's row a corner lies on: -1 above, 1 below, 0 on it.
int RowSide(const TPoint& p, const Probe& probe) { return p.y < probe.y ? -1 : p.y > probe.y ? 1 : 0; }

// Both-sides even-odd test of a probe that is not on the outline. A probe often lies on the row
// of a horizontal run of the outline (the end of a notch, the step of a staircase): a run on the
// probe's row is passed over and counts as one crossing only where the outline comes from one
// side of the row and leaves to the other. A run that turns back only touches the row.
bool PinPoly(const Tpoints& poly, const Probe& probe) {
    const size_t n = poly.size();
    const auto off = std::find_if(poly.begin(), poly.end(), [&](const TPoint& p) { return RowSide(p, probe) != 0; });
    if (n < 3 || off == poly.end()) return false;
    const size_t start = static_cast<size_t>(off - poly.begin());
    int left = 0, right = 0;
    auto count = [&](double crossingMin, double crossingMax) {
        if (probe.x < crossingMin) ++right;
        else if (probe.x > crossingMax) ++left;
    };
    TPoint last = poly[start];  // the last corner off the row
    bool inRun = false;
    double runMin = 0, runMax = 0;
    for (size_t k = 1; k <= n; ++k) {
        const TPoint& p = poly[(start + k) % n];
        const int side = RowSide(p, probe);
        if (side == 0) {
            runMin = inRun ? std::min<double>(runMin, p.x) : p.x;
            runMax = inRun ? std::max<double>(runMax, p.x) : p.x;
            inRun = true;
            continue;
        }
        if (side != RowSide(last, probe)) {
            if (inRun) {
                count(runMin, runMax);
            } else {
                const double crossing = last.x + (probe.y - last.y) * (static_cast<double>(p.x) - last.x) / (static_cast<double>(p.y) - last.y);
                count(crossing, crossing);
            }
        }
        inRun = false;
        last = p;
    }
    return left % 2 == 1 && right % 2 == 1;
}

bool OnSegment(const Probe& probe, const TPoint& a, const TPoint& b) {
    const double cross = (probe.x - a.x) * (static_cast<double>(b.y) - a.y) - (probe.y - a.y) * (static_cast<double>(b.x) - a.x);
    return cross == 0 && probe.x >= std::min(a.x, b.x) && probe.x <= std::max(a.x, b.x) && probe.y >= std::min(a.y, b.y) &&
           probe.y <= std::max(a.y, b.y);
}

bool OnOutline(const Tpoints& poly, const Probe& probe) {
    for (size_t i = 0; i < poly.size(); ++i) {
        if (OnSegment(probe, poly[i], poly[(i + 1) % poly.size()])) return true;
    }
    return false;
}

// Whether the outline `outer` holds the outline `inner`. Outlines of one region never cross, but
// they meet at corners where blocks touch diagonally, so the first corner of `inner` may lie on
// `outer`: then the test moves on along `inner`, to the middle of its first edge, its second
// corner and so on, until a probe is off `outer`.
bool Holds(const Tpoints& outer, const Tpoints& inner) {
    const size_t n = inner.size();
    for (size_t i = 0; i < n; ++i) {
        const TPoint& a = inner[i];
        const TPoint& b = inner[(i + 1) % n];
        for (const Probe probe : {Probe{static_cast<double>(a.x), static_cast<double>(a.y)},
                                  Probe{(static_cast<double>(a.x) + b.x) / 2, (static_cast<double>(a.y) + b.y) / 2}}) {
            if (!OnOutline(outer, probe)) return PinPoly(outer, probe);
        }
    }
    return false;
}

Tpoints WithoutRepeats(const Tpoints& points, size_t start, size_t n) {
    Tpoints out;
    for (size_t i = start; i < start + n; ++i) {
        if (out.empty() || !(out.back() == points[i])) out.push_back(points[i]);
    }
    while (out.size() > 1 && out.back() == out.front()) out.pop_back();
    return out;
}

}  // namespace

std::vector<TRgnpoint> DetectPointsTypes(const TRegion& region) {
    std::vector<TRgnpoint> points;
    std::set<std::pair<int, int>> seen;
    for (const TRect& r : region.Rects()) {
        for (const TPoint corner : {TPoint{r.left, r.top}, TPoint{r.right, r.top}, TPoint{r.right, r.bottom}, TPoint{r.left, r.bottom}}) {
            if (!seen.insert({corner.x, corner.y}).second) continue;
            const bool ul = region.Contains(corner.x - 1, corner.y - 1), ur = region.Contains(corner.x, corner.y - 1);
            const bool lr = region.Contains(corner.x, corner.y), ll = region.Contains(corner.x - 1, corner.y);
            const int occupied = ul + ur + lr + ll;
            if (occupied == 1) {
                points.push_back({corner, lr ? 1 : ll ? 2 : ul ? 3 : 4});
            } else if (occupied == 3) {
                points.push_back({corner, !lr ? -1 : !ll ? -2 : !ul ? -3 : -4});
            } else if (occupied == 2 && lr && ul) {
                points.push_back({corner, -4});
                points.push_back({corner, -2});
            } else if (occupied == 2 && ll && ur) {
                points.push_back({corner, -3});
                points.push_back({corner, -1});
            }
        }
    }
    return points;
}

void SimplifyPolys(TPolygonSet& set) {
    TPolygonSet out;
    size_t start = 0;
    for (size_t k = 0; k < set.counts.size(); ++k) {
        const size_t n = static_cast<size_t>(set.counts[k]);
        const Tpoints poly = SimplifiedPolygon(Tpoints(set.points.begin() + static_cast<std::ptrdiff_t>(start),
                                                       set.points.begin() + static_cast<std::ptrdiff_t>(start + n)));
        out.points.insert(out.points.end(), poly.begin(), poly.end());
        out.counts.push_back(static_cast<int>(poly.size()));
        out.levels.push_back(k < set.levels.size() ? set.levels[k] : 0);
        start += n;
    }
    set = std::move(out);
}

void GetInPower(TPolygonSet& set) {
    std::vector<Tpoints> polys;
    size_t start = 0;
    for (int count : set.counts) {
        polys.push_back(WithoutRepeats(set.points, start, static_cast<size_t>(count)));
        start += static_cast<size_t>(count);
    }
    set.levels.assign(polys.size(), 0);
    for (size_t k = 0; k < polys.size(); ++k) {
        for (size_t j = 0; j < polys.size(); ++j) {
            if (j != k && Holds(polys[j], polys[k])) ++set.levels[k];
        }
    }
}

TPolygonSet TraceRegionOutlines(const TRegion& region) {
    const std::vector<TRgnpoint> points = DetectPointsTypes(region);
    std::vector<bool> used(points.size(), false);
    TPolygonSet set;
    for (size_t start = 0; start < points.size(); ++start) {
        if (used[start]) continue;
        const std::vector<size_t> outline = TraceOutline(points, used, start);
        for (size_t index : outline) set.points.push_back(points[index].p);
        set.counts.push_back(static_cast<int>(outline.size()));
    }
    SimplifyPolys(set);
    GetInPower(set);
    return set;
}
