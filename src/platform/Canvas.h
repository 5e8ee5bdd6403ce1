#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Colors.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Region.h"

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psClear };
// The raster operations the components use: plain copy, and the source ANDed with the brush.
enum class TCopyMode { cmSrcCopy, cmMergeCopy };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
};

// Draws into a bitmap. Every operation is limited to the bitmap and, when set, the clip region.
// Fills follow the pixel-centre rule of the regions; lines leave out their last point.
class TCanvas {
public:
    explicit TCanvas(TBitmap& target) : target_(target) {}
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TBrush Brush;
    TPen Pen;
    TFont Font;
    TCopyMode CopyMode = TCopyMode::cmSrcCopy;

    TBitmap& Target() { return target_; }
    void SetClipRegion(const TRegion& region) { clip_ = region; }
    void ClearClipRegion() { clip_.reset(); }
    const std::optional<TRegion>& ClipRegion() const { return clip_; }

    TColor Pixel(int x, int y) const { return target_.Pixel(x, y); }
    void SetPixel(int x, int y, TColor color);

    void FillRect(const TRect& rect);                       // brush
    void FrameRect(const TRect& rect);                      // brush, one pixel wide
    void FillRgn(const TRegion& region);                    // brush
    void FrameRgn(const TRegion& region, int width, int height);  // brush, inside the region
    void Rectangle(const TRect& rect);                      // brush inside, pen frame
    void Polygon(const std::vector<TPoint>& points);        // brush inside, pen outline
    void Ellipse(const TRect& box);                         // brush inside, pen outline
    void MoveTo(int x, int y) { penPos_ = TPoint{x, y}; }
    void LineTo(int x, int y);                              // pen
    TPoint PenPos() const { return penPos_; }

    // Text with its cell's top-left corner at (x, y); an opaque brush fills the cell first.
    void TextOut(int x, int y, std::string_view text);
    // As TextOut, but limited to rect, which an opaque brush fills.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    TTextSize TextExtent(std::string_view text) const { return MeasureText(Font, text); }
    int TextWidth(std::string_view text) const { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) const { return TextExtent(text).cy; }

    // Copies source at (x, y) with CopyMode.
    void Draw(int x, int y, const TBitmap& source);
    // Copies sourceRect of source into destRect with CopyMode, stretching to fit.
    void CopyRect(const TRect& destRect, const TBitmap& source, const TRect& sourceRect);

private:
    TRegion Drawable(const TRegion& region) const;
    void FillWith(const TRegion& region, TColor color);
    void StampPen(int x, int y, const TRegion& allowed, TColor rgb);
    void PenLine(TPoint from, TPoint to, const TRegion& allowed, TColor rgb);
    void Outline(const std::vector<TPoint>& points);
    void DrawText(int x, int y, std::string_view text, const TRegion& allowed);

    TBitmap& target_;
    std::optional<TRegion> clip_;
    TPoint penPos_;
};

// The corners of an ellipse in the box as the canvas fills it.
std::vector<TPoint> EllipsePoints(const TRect& box);
