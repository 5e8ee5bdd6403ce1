#include "components/ButtonShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/Utf8.h"

namespace {

constexpr double kPi = std::numbers::pi;

TPolygonSet Single(Tpoints points) {
    TPolygonSet set;
    set.counts.push_back(static_cast<int>(points.size()));
    set.levels.push_back(0);
    set.points = std::move(points);
    return set;
}

// Point i of n on the ellipse in the W x H box scaled by `scale`, from the top middle clockwise.
TPoint EllipsePoint(const TShapeParams& p, int i, int n, double scale) {
    const double t = 2 * kPi * i / n;
    return TPoint{RoundHalfEven(p.width / 2.0 + std::sin(t) * p.width * scale / 2),
                  RoundHalfEven(p.height / 2.0 - std::cos(t) * p.height * scale / 2)};
}

Tpoints EllipseRule(const TShapeParams& p, int n) {
    Tpoints points;
    for (int i = 0; i < n; ++i) points.push_back(EllipsePoint(p, i, n, 1.0));
    return points;
}

int PointsPerOutline(const TShapeParams& p) { return std::max(p.width, p.height) / std::max(2, p.depth); }

// A point on the 9 x 9 grid of the crosses.
TPoint Grid(const TShapeParams& p, int kx, int ky) { return TPoint{(kx * p.width) / 9, (ky * p.height) / 9}; }

TPolygonSet OnGrid(const TShapeParams& p, std::initializer_list<std::pair<int, int>> cells) {
    Tpoints points;
    for (const auto& [kx, ky] : cells) points.push_back(Grid(p, kx, ky));
    return Single(std::move(points));
}

int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

TPolygonSet GotMain_Rect(const TShapeParams& p) {
    return Single({{0, 0}, {p.width, 0}, {p.width, p.height}, {0, p.height}});
}

TPolygonSet GotMain_RoundRect(const TShapeParams& p) {
    const int W = p.width, H = p.height, r = 2 * p.depth;
    const double angles[3] = {22.5 * kPi / 180, 45 * kPi / 180, 67.5 * kPi / 180};
    auto rs = [&](double a) { return RoundHalfEven(r * std::sin(a)); };
    auto rc = [&](double a) { return RoundHalfEven(r * std::cos(a)); };
    Tpoints pts{{r, 0}, {W - r, 0}};
    for (double a : angles) pts.push_back({W - r + rs(a), r - rc(a)});
    pts.insert(pts.end(), {{W, r}, {W, H - r}});
    for (double a : angles) pts.push_back({W - r + rc(a), H - r + rs(a)});
    pts.insert(pts.end(), {{W - r, H}, {r, H}});
    for (double a : angles) pts.push_back({r - rs(a), H - r + rc(a)});
    pts.insert(pts.end(), {{0, H - r}, {0, r}});
    for (double a : angles) pts.push_back({r - rc(a), r - rs(a)});
    return Single(std::move(pts));
}

TPolygonSet GotMain_Elliptic(const TShapeParams& p) {
    const int n = PointsPerOutline(p);
    return n < 3 ? GotMain_Rect(p) : Single(EllipseRule(p, n));
}

TPolygonSet GotMain_Poly(const TShapeParams& p) {
    return p.peaks < 3 ? GotMain_Rect(p) : Single(EllipseRule(p, p.peaks));
}

TPolygonSet GotMain_PolyStar(const TShapeParams& p) {
    const int n = p.peaks;
    if (n < 3) return GotMain_Rect(p);
    // From five points on, the inner points lie where the lines joining every second outer point cross.
    const double k = n < 5 ? 1.0 / 3.0 : std::cos(2 * kPi / n) / std::cos(kPi / n);
    Tpoints pts;
    for (int i = 0; i < n; ++i) {
        pts.push_back(EllipsePoint(p, i, n, 1.0));
        const double t = 2 * kPi * i / n + kPi / n;
        pts.push_back({RoundHalfEven(p.width / 2.0 + std::sin(t) * k * p.width / 2),
                       RoundHalfEven(p.height / 2.0 - std::cos(t) * k * p.height / 2)});
    }
    return Single(std::move(pts));
}

TPolygonSet GotMain_Arc(const TShapeParams& p, int& buttonHeight) {
    const double A = p.arcAngle, q = p.radiusRatio;
    const int n = PointsPerOutline(p);
    const int m = std::isfinite(q) ? RoundHalfEven(n * q) : 0;
    // One point on an arc would divide its angle step by zero; fewer than three make no outline.
    if (!(A >= 0.1) || !std::isfinite(A) || n < 2 || m == 1 || m < 0 || n + m < 3) return GotMain_Rect(p);
    const double W = p.width;
    int R = 0;
    if (A < kPi) {
        R = RoundHalfEven(W / (2 * std::sin(A / 2)));
        buttonHeight = RoundHalfEven((1 - std::cos(A / 2) * q) * R);
    } else {
        R = p.width / 2;
        buttonHeight = RoundHalfEven(R - std::cos(A / 2) * R);
    }
    const int r = RoundHalfEven(R * q);
    Tpoints pts(static_cast<size_t>(n + m));
    for (int i = 0; i < n; ++i) {
        const double t = i * A / (n - 1) - A / 2;
        pts[static_cast<size_t>(i)] = {RoundHalfEven(std::sin(t) * R + W / 2), RoundHalfEven(R - std::cos(t) * R)};
    }
    for (int j = 0; j < m; ++j) {
        const double t = j * A / (m - 1) - A / 2;
        pts[static_cast<size_t>(n + m - 1 - j)] = {RoundHalfEven(std::sin(t) * r + W / 2), RoundHalfEven(R - std::cos(t) * r)};
    }
    return Single(std::move(pts));
}

TPolygonSet GotMain_Donut(const TShapeParams& p) {
    const int n = (2 * std::max(p.width, p.height)) / std::max(2, p.depth);
    if (n < 3) return GotMain_Rect(p);
    TPolygonSet set;
    set.points = EllipseRule(p, n);
    for (int i = n; i < 2 * n; ++i) set.points.push_back(EllipsePoint(p, i, n, p.radiusRatio));
    set.counts = {n, n};
    set.levels = {0, 1};
    return set;
}

TPolygonSet GotMain_USERRGN(const TShapeParams& p) {
    if (!p.user || p.user->polygons.Empty()) return GotMain_Rect(p);
    const TUserOutline& u = *p.user;
    TPolygonSet set = u.polygons;
    for (TPoint& pt : set.points) {
        if (u.width < 1 || u.height < 1) {
            pt = TPoint{0, 0};
            continue;
        }
        pt = TPoint{Clamp((static_cast<int64_t>(pt.x) - u.left) * p.width / u.width),
                    Clamp((static_cast<int64_t>(pt.y) - u.top) * p.height / u.height)};
    }
    RemovePointsPP(set, p.depth);
    // Thinning can leave nothing of a shape much smaller than the button's depth.
    return set.Empty() ? GotMain_Rect(p) : set;
}

TPolygonSet GotMain_Arrow(const TShapeParams& p) {
    const int W = p.width, H = p.height;
    return Single({{0, H / 3}, {W / 2, H / 3}, {W / 2, 0}, {W, H / 2}, {W / 2, H}, {W / 2, (2 * H) / 3}, {0, (2 * H) / 3}});
}

TPolygonSet GotMain_Arrow1(const TShapeParams& p) {
    const int W = p.width, H = p.height;
    return Single({{0, H}, {0, H / 4}, {W / 12, H / 6}, {(2 * W) / 3, H / 6}, {(2 * W) / 3, 0}, {W, H / 4},
                   {(2 * W) / 3, H / 2}, {(2 * W) / 3, H / 3}, {(5 * W) / 24, H / 3}, {W / 6, (9 * H) / 24}, {W / 6, H}});
}

TPolygonSet GotMain_Arrow2(const TShapeParams& p) {
    const int W = p.width, H = p.height;
    return Single({{W / 6, 0}, {W / 6, (15 * H) / 24}, {(5 * W) / 24, (2 * H) / 3}, {(2 * W) / 3, (2 * H) / 3},
                   {(2 * W) / 3, H / 2}, {W, (3 * H) / 4}, {(2 * W) / 3, H}, {(2 * W) / 3, (5 * H) / 6},
                   {W / 12, (5 * H) / 6}, {0, (3 * H) / 4}, {0, 0}});
}

TPolygonSet GotMain_Cross(const TShapeParams& p) {
    return OnGrid(p, {{2, 3}, {3, 2}, {3, 1}, {4, 0}, {5, 0}, {6, 1}, {6, 2}, {7, 3}, {8, 3}, {9, 4}, {9, 5}, {8, 6},
                      {7, 6}, {6, 7}, {6, 8}, {5, 9}, {4, 9}, {3, 8}, {3, 7}, {2, 6}, {1, 6}, {0, 5}, {0, 4}, {1, 3}});
}

TPolygonSet GotMain_CutRect(const TShapeParams& p) {
    const int W = p.width, H = p.height;
    return Single({{0, H / 6}, {W / 6, 0}, {W, 0}, {W, (5 * H) / 6}, {(5 * W) / 6, H}, {0, H}});
}

TPolygonSet GotMain_Cross1(const TShapeParams& p) {
    return OnGrid(p, {{0, 0}, {2, 0}, {4, 2}, {5, 2}, {7, 0}, {9, 0}, {9, 2}, {7, 4}, {7, 5}, {9, 7},
                      {9, 9}, {7, 9}, {5, 7}, {4, 7}, {2, 9}, {0, 9}, {0, 7}, {2, 5}, {2, 4}, {0, 2}});
}

TPolygonSet GotMainOutline(TIAButtonKind kind, const TShapeParams& p, int& buttonHeight) {
    switch (kind) {
        case bkRect: return GotMain_Rect(p);
        case bkRoundRect: return GotMain_RoundRect(p);
        case bkElliptic: return GotMain_Elliptic(p);
        case bkPoly: return GotMain_Poly(p);
        case bkPolyStar: return GotMain_PolyStar(p);
        case bkArc: return GotMain_Arc(p, buttonHeight);
        case bkDonut: return GotMain_Donut(p);
        case bkUser: return GotMain_USERRGN(p);
        case bkArrow: return GotMain_Arrow(p);
        case bkArrow1: return GotMain_Arrow1(p);
        case bkArrow2: return GotMain_Arrow2(p);
        case bkCross: return GotMain_Cross(p);
        case bkCutRect: return GotMain_CutRect(p);
        case bkCross1: return GotMain_Cross1(p);
    }
    return GotMain_Rect(p);
}

// ---- the user outline text ----

namespace {

// The byte a character stood for: Latin-1 code points as they are, and the Windows-1252
// letters of 0x80..0x9F, so a text read either way decodes the same. -1 for anything else.
int CharacterByte(char32_t c) {
    static constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (c <= 0xFF) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c) return 0x80 + i;
    }
    return -1;
}

bool DecodeBytes(std::string_view text, std::vector<uint8_t>& bytes) {
    std::vector<char32_t> chars;
    for (size_t pos = 0; pos < text.size();) chars.push_back(utf8::Next(text, pos));
    for (size_t i = 0; i + 1 < chars.size(); i += 2) {
        const int value = chars[i] == U'!' ? CharacterByte(chars[i + 1]) - 128 : CharacterByte(chars[i]);
        if (value < 0 || value > 255) return false;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return true;
}

}  // namespace

TUserRegionText DecodeStringButtonRegion(std::string_view text, int width, int height) {
    TUserRegionText result;
    result.region = TRegion(Rect(0, 0, width, height));
    if (text.empty()) return result;
    std::vector<uint8_t> bytes;
    if (!DecodeBytes(text, bytes)) {
        result.valid = false;
        result.error = "Benutzerform: ungültiges Zeichen im Text";
        return result;
    }
    regiondata::ReadResult read = regiondata::Read(bytes.data(), bytes.size());
    if (!read.ok) {
        result.valid = false;
        result.error = "Benutzerform: " + read.error;
        return result;
    }
    result.region = std::move(read.region);
    return result;
}

TUserOutline MakeUserOutline(const TRegion& region) {
    TUserOutline outline;
    outline.polygons = RgnToPoly(region);
    const TRect box = region.BoundingBox();
    outline.left = box.left;
    outline.top = box.top;
    outline.width = box.Width();
    outline.height = box.Height();
    return outline;
}
