#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"

// The colour rules of the button face: one step lighter or darker is 32 per channel.
TColor GetLColor(TColor color);
TColor GetDColor(TColor color);
int GetSumColor(TColor color);
// A face colour whose red + green + blue is below 361 counts as dark.
bool IsDarkColor(TColor color);

enum class TGradientTone { Plain, Light, Dark, Disabled };

struct TGradientSpec {
    int kind = 0;          // 1 linear, 2 circular (TIAGradientKind)
    int angle = 450;       // linear direction, tenths of a degree
    TColor start = 0;
    TColor end = 0;
    TGradientTone tone = TGradientTone::Plain;
    const TBitmap* colours = nullptr;  // optional source of the band colours
    int colourLine = 0;
};

// Colour of band i of n: from the colour bitmap's row (toned) or the channel mix start..end.
TColor GradientBandColor(const TGradientSpec& grad, int i, int n);
// How many bands follow band 0 on a width x height face.
int GradientBands(const TGradientSpec& grad, int width, int height);
// Paints the gradient over a width x height face with 3-pixel lines or circles, within the
// canvas's clip region (GetGBitmaps).
void GetGBitmaps(TCanvas& canvas, int width, int height, const TGradientSpec& grad);

// Copies sourceRect of source to (x, y) of target pixel by pixel, leaving out pixels equal to
// the source's top-left pixel and anything outside either bitmap. With mergeWith each pixel
// copied is ANDed with that colour, as a merge copy with that brush does.
void DrawTransparent(TBitmap& target, int x, int y, const TBitmap& source, const TRect& sourceRect,
                     std::optional<TColor> mergeWith = std::nullopt);

// A caption cut at its accelerator marks: "&x" underlines x (a trailing "&" underlines a
// blank), "&&" is one "&".
struct TCaptionPiece {
    std::string text;
    bool underlined = false;
};
std::vector<TCaptionPiece> CaptionPieces(std::string_view caption);

// Which bevel parts a 3-D kind shows, hot or not.
struct TBevelParts {
    bool outerRing = false;
    bool innerRing = false;
    bool outlineFrame = false;
    bool innerFrame = false;
};
TBevelParts BevelPartsFor(int kind3d, bool hot);
