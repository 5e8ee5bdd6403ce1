#include "components/ButtonFace.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Utf8.h"

TColor GetLColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    auto up = [](int v) { return std::min(v + 32, 255); };
    return RGBColor(up(GetRValue(rgb)), up(GetGValue(rgb)), up(GetBValue(rgb)));
}

TColor GetDColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    auto down = [](int v) { return std::max(v - 32, 0); };
    return RGBColor(down(GetRValue(rgb)), down(GetGValue(rgb)), down(GetBValue(rgb)));
}

int GetSumColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb);
}

bool IsDarkColor(TColor color) { return GetSumColor(color) < 361; }

TColor GradientBandColor(const TGradientSpec& grad, int i, int n) {
    const TBitmap* bitmap = grad.colours;
    if (bitmap && bitmap->Width() > 0) {
        const int row = grad.colourLine < bitmap->Height() ? grad.colourLine : 0;
        const int x = n > 0 ? static_cast<int>(static_cast<int64_t>(bitmap->Width()) * i / n) : 0;
        const TColor c = bitmap->Pixel(std::min(x, bitmap->Width() - 1), row);
        switch (grad.tone) {
        case TGradientTone::Light: return GetLColor(c);
        case TGradientTone::Dark: return GetDColor(c);
        case TGradientTone::Disabled: return GetLColor(GetLColor(c));
        case TGradientTone::Plain: return c;
        }
    }
    const TColor s = ColorToRGB(grad.start), e = ColorToRGB(grad.end);
    if (n == 0) return s;
    auto mix = [&](int from, int to) { return from + (to - from) * i / n; };
    return RGBColor(mix(GetRValue(s), GetRValue(e)), mix(GetGValue(s), GetGValue(e)), mix(GetBValue(s), GetBValue(e)));
}

int GradientBands(const TGradientSpec& grad, int width, int height) {
    const double w = width, h = height;
    if (grad.kind == 2) return RoundHalfEven(std::sqrt(w * w + h * h) / 2 / 3);
    const double a = grad.angle * std::numbers::pi / 1800.0;
    return RoundHalfEven((std::abs(w * std::sin(a)) + std::abs(h * std::cos(a))) / 3);
}

namespace {

void CircularBands(TCanvas& canvas, int width, int height, const TGradientSpec& grad) {
    const int n = GradientBands(grad, width, height);
    const int cx = width / 2, cy = height / 2;
    for (int i = n; i >= 0; --i) {
        const TColor c = GradientBandColor(grad, i, n);
        canvas.Brush.Color = c;
        canvas.Pen.Color = c;
        // The innermost circle has no radius; the 3-pixel pen still marks the middle.
        const int r = i == 0 ? 1 : 3 * i;
        canvas.Ellipse(Rect(cx - r, cy - r, cx + r + (i == 0 ? 1 : 0), cy + r + (i == 0 ? 1 : 0)));
    }
}

void LinearBands(TCanvas& canvas, int width, int height, const TGradientSpec& grad) {
    const double w = width, h = height;
    const double a = grad.angle * std::numbers::pi / 1800.0;
    const double s = std::sin(a), c = std::cos(a);
    const int n = GradientBands(grad, width, height);
    const double diagonal = std::sqrt(w * w + h * h);
    double x0 = 0, y0 = 0;
    if (c >= 0 && s >= 0) {
        x0 = (1 - s * s) * w;
        y0 = -w * s * c;
    } else if (c < 0 && s >= 0) {
        x0 = h * s * c;
        y0 = (1 - s * s) * h;
    } else if (c < 0 && s < 0) {
        x0 = s * s * w;
        y0 = w * s * c + h;
    } else {
        x0 = w - h * s * c;
        y0 = (1 - c * c) * h;
    }
    auto band = [&](double step) {
        const double bx = x0 + 3 * step * s, by = y0 + 3 * step * c;
        canvas.MoveTo(RoundHalfEven(bx), RoundHalfEven(by));
        canvas.LineTo(RoundHalfEven(bx - diagonal * c), RoundHalfEven(by + diagonal * s));
    };
    for (int i = 0; i <= n; ++i) {
        canvas.Pen.Color = GradientBandColor(grad, i, n);
        band(i);
        // Where both ends round away from each other, two slanted 3-pixel lines leave a
        // one-pixel seam of old face between them; a second stroke half a band on closes it.
        if (i < n) band(i + 0.5);
    }
}

}  // namespace

void GetGBitmaps(TCanvas& canvas, int width, int height, const TGradientSpec& grad) {
    const TPen oldPen = canvas.Pen;
    const TBrush oldBrush = canvas.Brush;
    canvas.Pen.Width = 3;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    if (grad.kind == 2) CircularBands(canvas, width, height, grad);
    else LinearBands(canvas, width, height, grad);
    canvas.Pen = oldPen;
    canvas.Brush = oldBrush;
}

void DrawTransparent(TBitmap& target, int x, int y, const TBitmap& source, const TRect& sourceRect,
                     std::optional<TColor> mergeWith) {
    if (source.Empty()) return;
    const TColor key = source.Pixel(0, 0);
    const TColor mask = mergeWith ? ColorToRGB(*mergeWith) : TColor{0xFFFFFF};
    const uint8_t maskBytes[3] = {static_cast<uint8_t>(GetBValue(mask)), static_cast<uint8_t>(GetGValue(mask)),
                                  static_cast<uint8_t>(GetRValue(mask))};
    const TRect from = Rect(std::max(sourceRect.left, 0), std::max(sourceRect.top, 0), std::min(sourceRect.right, source.Width()),
                            std::min(sourceRect.bottom, source.Height()));
    for (int sy = from.top; sy < from.bottom; ++sy) {
        const int ty = y + sy - sourceRect.top;
        if (ty < 0 || ty >= target.Height()) continue;
        const uint8_t* in = source.ScanLine(sy);
        uint8_t* out = target.ScanLine(ty);
        for (int sx = from.left; sx < from.right; ++sx) {
            const int tx = x + sx - sourceRect.left;
            if (tx < 0 || tx >= target.Width()) continue;
            const uint8_t* p = in + sx * 3;
            if (RGBColor(p[2], p[1], p[0]) == key) continue;
            for (int i = 0; i < 3; ++i) out[tx * 3 + i] = p[i] & maskBytes[i];
        }
    }
}

std::vector<TCaptionPiece> CaptionPieces(std::string_view caption) {
    std::vector<TCaptionPiece> pieces;
    std::string plain;
    size_t i = 0;
    while (i < caption.size()) {
        if (caption[i] != '&') {
            plain += caption[i++];
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            plain += '&';
            i += 2;
            continue;
        }
        if (!plain.empty()) pieces.push_back({plain, false});
        plain.clear();
        ++i;
        if (i >= caption.size()) {
            pieces.push_back({" ", true});
            break;
        }
        // The marked character, whole even when it takes several bytes.
        const size_t end = std::min(caption.size(), i + utf8::CharSize(caption, i));
        pieces.push_back({std::string(caption.substr(i, end - i)), true});
        i = end;
    }
    if (!plain.empty()) pieces.push_back({plain, false});
    return pieces;
}

TBevelParts BevelPartsFor(int kind3d, bool hot) {
    switch (kind3d) {
    case 0: return {true, false, true, false};                // dk3D
    case 1: return {hot, false, hot, false};                  // dkFlatten
    case 2: return {true, false, false, false};               // dk3dsimple
    case 3: return {hot, false, false, false};                // dkFlattenSimple
    case 4: return {true, true, true, true};                  // dk3dBorder
    case 5: return {hot, hot, hot, hot};                      // dk3dBorderFlatten
    default: return {hot, false, false, false};               // dkNone
    }
}
