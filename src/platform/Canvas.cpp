#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

TRegion Shrunk(const TRegion& region, int w, int h) {
    TRegion inner = region;
    for (const auto& [dx, dy] : {std::pair{w, 0}, std::pair{-w, 0}, std::pair{0, h}, std::pair{0, -h}}) {
        TRegion moved = region;
        moved.Offset(dx, dy);
        inner = inner.Intersection(moved);
    }
    return inner;
}

uint8_t Mix(int from, int to, int alpha) { return static_cast<uint8_t>((from * (255 - alpha) + to * alpha + 127) / 255); }

}  // namespace

std::vector<TPoint> EllipsePoints(const TRect& box) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double rx = box.Width() / 2.0, ry = box.Height() / 2.0;
    const int n = std::clamp(static_cast<int>(std::numbers::pi * (std::abs(rx) + std::abs(ry))), 8, 4096);
    std::vector<TPoint> points;
    points.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = 2 * std::numbers::pi * i / n;
        points.push_back(TPoint{RoundHalfEven(cx + rx * std::cos(t)), RoundHalfEven(cy + ry * std::sin(t))});
    }
    return points;
}

TRegion TCanvas::Drawable(const TRegion& region) const {
    TRegion allowed = region.Intersection(TRegion(Rect(0, 0, target_.Width(), target_.Height())));
    return clip_ ? allowed.Intersection(*clip_) : allowed;
}

void TCanvas::FillWith(const TRegion& region, TColor color) {
    const TColor rgb = ColorToRGB(color);
    for (const TRect& r : Drawable(region).Rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) target_.SetPixel(x, y, rgb);
        }
    }
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (clip_ && !clip_->Contains(x, y)) return;
    target_.SetPixel(x, y, ColorToRGB(color));
}

void TCanvas::FillRect(const TRect& rect) {
    if (Brush.Style == TBrushStyle::bsSolid) FillWith(TRegion(rect), Brush.Color);
}

void TCanvas::FrameRect(const TRect& rect) { FrameRgn(TRegion(rect), 1, 1); }

void TCanvas::FillRgn(const TRegion& region) {
    if (Brush.Style == TBrushStyle::bsSolid) FillWith(region, Brush.Color);
}

void TCanvas::FrameRgn(const TRegion& region, int width, int height) {
    FillWith(region.Difference(Shrunk(region, width, height)), Brush.Color);
}

void TCanvas::Rectangle(const TRect& rect) {
    FillRect(rect);
    Outline({{rect.left, rect.top}, {rect.right - 1, rect.top}, {rect.right - 1, rect.bottom - 1}, {rect.left, rect.bottom - 1}});
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (Brush.Style == TBrushStyle::bsSolid) FillWith(PolygonRegion(points), Brush.Color);
    Outline(points);
}

void TCanvas::Ellipse(const TRect& box) { Polygon(EllipsePoints(box)); }

void TCanvas::StampPen(int x, int y, const TRegion& allowed, TColor rgb) {
    const int w = std::max(Pen.Width, 1);
    const double centre = (w % 2 == 0) ? 0.5 : 0.0;
    const double limit = (w / 2.0) * (w / 2.0);
    for (int dy = -(w - 1) / 2; dy <= w / 2; ++dy) {
        for (int dx = -(w - 1) / 2; dx <= w / 2; ++dx) {
            if (w > 2 && (dx - centre) * (dx - centre) + (dy - centre) * (dy - centre) > limit) continue;
            if (allowed.Contains(x + dx, y + dy)) target_.SetPixel(x + dx, y + dy, rgb);
        }
    }
}

void TCanvas::PenLine(TPoint from, TPoint to, const TRegion& allowed, TColor rgb) {
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    TPoint p = from;
    while (!(p == to)) {
        StampPen(p.x, p.y, allowed, rgb);
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; p.x += sx; }
        if (e2 <= dx) { err += dx; p.y += sy; }
    }
}

void TCanvas::Outline(const std::vector<TPoint>& points) {
    if (Pen.Style == TPenStyle::psClear || points.empty()) return;
    const TRegion allowed = Drawable(TRegion(Rect(0, 0, target_.Width(), target_.Height())));
    const TColor rgb = ColorToRGB(Pen.Color);
    for (size_t i = 0; i < points.size(); ++i) PenLine(points[i], points[(i + 1) % points.size()], allowed, rgb);
    if (points.size() == 1) StampPen(points[0].x, points[0].y, allowed, rgb);
}

void TCanvas::LineTo(int x, int y) {
    if (Pen.Style != TPenStyle::psClear) {
        const TRegion allowed = Drawable(TRegion(Rect(0, 0, target_.Width(), target_.Height())));
        PenLine(penPos_, TPoint{x, y}, allowed, ColorToRGB(Pen.Color));
    }
    penPos_ = TPoint{x, y};
}

void TCanvas::DrawText(int x, int y, std::string_view text, const TRegion& allowed) {
    const TTextMask mask = RenderText(Font, text);
    const TColor rgb = ColorToRGB(Font.Color);
    for (int my = 0; my < mask.height; ++my) {
        for (int mx = 0; mx < mask.width; ++mx) {
            const int alpha = mask.At(mx, my);
            const int px = x + mask.left + mx, py = y + mask.top + my;
            if (alpha == 0 || !allowed.Contains(px, py)) continue;
            const TColor old = target_.Pixel(px, py);
            target_.SetPixel(px, py, RGBColor(Mix(GetRValue(old), GetRValue(rgb), alpha), Mix(GetGValue(old), GetGValue(rgb), alpha),
                                              Mix(GetBValue(old), GetBValue(rgb), alpha)));
        }
    }
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (Brush.Style == TBrushStyle::bsSolid) {
        const TTextSize size = TextExtent(text);
        const double a = Font.Orientation * std::numbers::pi / 1800.0;
        const double c = std::cos(a), s = std::sin(a);
        std::vector<TPoint> cell;
        for (const auto& [u, v] : {std::pair{0, 0}, std::pair{size.cx, 0}, std::pair{size.cx, size.cy}, std::pair{0, size.cy}}) {
            cell.push_back(TPoint{x + RoundHalfEven(u * c + v * s), y + RoundHalfEven(-u * s + v * c)});
        }
        FillWith(PolygonRegion(cell), Brush.Color);
    }
    DrawText(x, y, text, Drawable(TRegion(Rect(0, 0, target_.Width(), target_.Height()))));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    FillRect(rect);
    DrawText(x, y, text, Drawable(TRegion(rect)));
}

void TCanvas::Draw(int x, int y, const TBitmap& source) {
    CopyRect(Rect(x, y, x + source.Width(), y + source.Height()), source, Rect(0, 0, source.Width(), source.Height()));
}

void TCanvas::CopyRect(const TRect& destRect, const TBitmap& source, const TRect& sourceRect) {
    if (destRect.IsEmpty() || sourceRect.IsEmpty()) return;
    const TBitmap copy = &source == &target_ ? source : TBitmap();
    const TBitmap& from = &source == &target_ ? copy : source;
    const TColor brush = ColorToRGB(Brush.Color);
    for (const TRect& r : Drawable(TRegion(destRect)).Rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            const int sy = sourceRect.top + static_cast<int>(static_cast<int64_t>(y - destRect.top) * sourceRect.Height() / destRect.Height());
            for (int x = r.left; x < r.right; ++x) {
                const int sx = sourceRect.left + static_cast<int>(static_cast<int64_t>(x - destRect.left) * sourceRect.Width() / destRect.Width());
                if (sx < 0 || sy < 0 || sx >= from.Width() || sy >= from.Height()) continue;
                const TColor pixel = from.Pixel(sx, sy);
                target_.SetPixel(x, y, CopyMode == TCopyMode::cmMergeCopy ? (pixel & brush) : pixel);
            }
        }
    }
}
