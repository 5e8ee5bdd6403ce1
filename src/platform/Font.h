#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Colors.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The face a text is drawn with. Height < 0 is the character height in pixels, Height > 0 the
// cell height (character plus internal leading), as the class library counts it at 96 dpi.
struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    TColor Color = clWindowText;
    unsigned Style = 0;  // TFontStyle bits
    int Orientation = 0;  // escapement in tenths of a degree, counter-clockwise

    int Size() const;  // points
    void SetSize(int points);
    bool Has(TFontStyle s) const { return (Style & s) != 0; }
    friend bool operator==(const TFont&, const TFont&) = default;
};

// A face that draws every character as a box, for tests that check exact pixels: the cell is
// |Height| pixels high (13 when Height is 0), every character advances half of that (one more
// when bold), and a visible character fills columns 0..advance-2 and rows 1..ascent-1 of its
// cell, where ascent = cell height - cell height / 4. A blank draws nothing.
constexpr const char* kTestFontName = "Marovelka Testschrift";

struct TTextSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TTextSize&, const TTextSize&) = default;
};

// Coverage (0..255) of a drawn text relative to its origin, the top-left corner of the
// unturned text cell; turned texts turn about that origin.
struct TTextMask {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;
    uint8_t At(int x, int y) const { return alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

// Width is the sum of the advances, height the cell height; the orientation is ignored.
TTextSize MeasureText(const TFont& font, std::string_view utf8);
TTextMask RenderText(const TFont& font, std::string_view utf8);

// The installed face a font name is drawn with ("DejaVu Sans" for "Arial", the test font name
// for the test font, empty when no face is found and the test font stands in).
std::string ResolvedFaceFamily(const TFont& font);
