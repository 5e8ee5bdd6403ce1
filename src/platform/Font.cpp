#include "platform/Font.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "platform/BuiltinFont.h"
#include "platform/FreeTypeFont.h"
#include "platform/Geometry.h"

int TFont::Size() const { return RoundHalfEven(-static_cast<double>(Height) * 72.0 / 96.0); }

void TFont::SetSize(int points) { Height = -RoundHalfEven(points * 96.0 / 72.0); }

void BlendIntoMask(TTextMask& mask, int x, int y, int width, int height, const uint8_t* coverage, int pitch) {
    if (width <= 0 || height <= 0) return;
    const int left = mask.alpha.empty() ? x : std::min(mask.left, x);
    const int top = mask.alpha.empty() ? y : std::min(mask.top, y);
    const int right = mask.alpha.empty() ? x + width : std::max(mask.left + mask.width, x + width);
    const int bottom = mask.alpha.empty() ? y + height : std::max(mask.top + mask.height, y + height);
    if (left != mask.left || top != mask.top || right - left != mask.width || bottom - top != mask.height) {
        TTextMask grown{left, top, right - left, bottom - top,
                        std::vector<uint8_t>(static_cast<size_t>(right - left) * static_cast<size_t>(bottom - top), 0)};
        for (int row = 0; row < mask.height; ++row) {
            std::copy_n(&mask.alpha[static_cast<size_t>(row) * mask.width], mask.width,
                        &grown.alpha[static_cast<size_t>(row + mask.top - top) * grown.width + (mask.left - left)]);
        }
        mask = std::move(grown);
    }
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = coverage + static_cast<std::ptrdiff_t>(row) * pitch;
        uint8_t* dst = &mask.alpha[static_cast<size_t>(row + y - mask.top) * mask.width + (x - mask.left)];
        for (int col = 0; col < width; ++col) dst[col] = std::max(dst[col], src[col]);
    }
}

namespace {

bool IsTestFont(const TFont& font) { return font.Name == kTestFontName; }

TUprightText Layout(const TFont& font, std::string_view utf8, bool render) {
    TUprightText text;
    if (!IsTestFont(font) && FreeTypeLayout(font, utf8, render, text)) return text;
    return BuiltinLayout(font, utf8, render);
}

void AddLine(TUprightText& text, int y, int thickness) {
    if (text.advance <= 0) return;
    const std::vector<uint8_t> line(static_cast<size_t>(text.advance), 255);
    for (int i = 0; i < thickness; ++i) BlendIntoMask(text.mask, 0, y + i, text.advance, 1, line.data(), text.advance);
}

void AddDecorations(const TFont& font, TUprightText& text) {
    const int thickness = std::max(1, text.cellHeight / 20);
    if (font.Has(fsUnderline)) AddLine(text, text.ascent + 1, thickness);
    if (font.Has(fsStrikeOut)) AddLine(text, text.ascent - text.ascent / 3, thickness);
}

// Turns the mask counter-clockwise about the origin, sampling the source at each target centre.
TTextMask Turned(const TTextMask& mask, int orientation) {
    const double a = orientation * std::numbers::pi / 1800.0;
    const double c = std::cos(a), s = std::sin(a);
    auto forward = [&](double u, double v) { return std::pair{u * c + v * s, -u * s + v * c}; };
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (auto [u, v] : {std::pair<double, double>{mask.left, mask.top}, {mask.left + mask.width, mask.top},
                        {mask.left, mask.top + mask.height}, {mask.left + mask.width, mask.top + mask.height}}) {
        const auto [x, y] = forward(u, v);
        minX = std::min(minX, x); maxX = std::max(maxX, x);
        minY = std::min(minY, y); maxY = std::max(maxY, y);
    }
    TTextMask out;
    out.left = static_cast<int>(std::floor(minX));
    out.top = static_cast<int>(std::floor(minY));
    out.width = static_cast<int>(std::ceil(maxX)) - out.left;
    out.height = static_cast<int>(std::ceil(maxY)) - out.top;
    out.alpha.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const double px = out.left + x + 0.5, py = out.top + y + 0.5;
            const int u = static_cast<int>(std::floor(px * c - py * s)) - mask.left;
            const int v = static_cast<int>(std::floor(px * s + py * c)) - mask.top;
            if (u >= 0 && v >= 0 && u < mask.width && v < mask.height) {
                out.alpha[static_cast<size_t>(y) * out.width + x] = mask.At(u, v);
            }
        }
    }
    return out;
}

}  // namespace

TTextSize MeasureText(const TFont& font, std::string_view utf8) {
    const TUprightText text = Layout(font, utf8, false);
    return TTextSize{text.advance, text.cellHeight};
}

TTextMask RenderText(const TFont& font, std::string_view utf8) {
    TUprightText text = Layout(font, utf8, true);
    AddDecorations(font, text);
    if (font.Orientation % 3600 == 0 || text.mask.alpha.empty()) return std::move(text.mask);
    return Turned(text.mask, font.Orientation);
}

std::string ResolvedFaceFamily(const TFont& font) { return IsTestFont(font) ? kTestFontName : FreeTypeFamily(font); }
