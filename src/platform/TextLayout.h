#pragma once
#include <string_view>

#include "platform/Font.h"

// A text laid out upright: the coverage relative to the cell's top-left corner, the advance
// (the text's width) and the cell's ascent and height. The face engines produce it; the
// font layer adds underline, strike-out and turning.
struct TUprightText {
    int advance = 0;
    int ascent = 0;
    int cellHeight = 0;
    TTextMask mask;
};

// Copies a glyph's coverage into the mask at (x, y) relative to the origin, growing the mask.
void BlendIntoMask(TTextMask& mask, int x, int y, int width, int height, const uint8_t* coverage, int pitch);
