#include <cmath>
#include <numbers>

#include "components/ButtonFace.h"
#include "components/IAeverButton.h"

namespace {

double Radians(double tenths) { return tenths * std::numbers::pi / 1800.0; }

enum class TTextTone { Plain, Light, Dark };

struct TCaptionPass {
    int dx = 0;
    int dy = 0;
    TTextTone tone = TTextTone::Plain;
};

std::vector<TCaptionPass> CaptionPasses(TIACaption3dKind kind, bool pressed) {
    std::vector<TCaptionPass> passes;
    if (kind == ckEmbossed) passes = {{-1, -1, TTextTone::Light}, {1, 1, TTextTone::Dark}, {0, 0, TTextTone::Plain}};
    else if (kind == ckPressed) passes = {{-1, -1, TTextTone::Dark}, {1, 1, TTextTone::Light}, {0, 0, TTextTone::Plain}};
    else passes = {{0, 0, TTextTone::Plain}};
    if (pressed) {
        for (TCaptionPass& p : passes) {
            ++p.dx;
            ++p.dy;
        }
    }
    return passes;
}

// Where a box of the given size starts along one side of the shape.
int Aligned(int align, int depth, int shapeSize, int boxSize, int own) {
    switch (align) {
    case 0: return depth + 4;
    case 1: return (shapeSize - boxSize) / 2;
    case 2: return shapeSize - depth - 4 - boxSize;
    default: return own;
    }
}

}  // namespace

void TIAeverButton::GetMainBitmap() {
    if (applyingRegion_) return;  // the window is taking its region; it paints afterwards
    if (Loading()) return;        // a form is setting one property after the other; Loaded paints once
    ++facePaints_;
    builtPressed_ = pressed_;
    builtHot_ = hot_;
    builtEnabled_ = Enabled;
    face_.SetSize(Width, Height);
    TCanvas& canvas = face_.Canvas();
    canvas.ClearClipRegion();
    if (customDraw_) {
        canvas.FillRect(Rect(0, 0, Width, Height));
    } else {
        PaintFill(canvas);
        PaintBitmaps(pressed_);
        DrawCaptionAll(canvas);
    }
    if (!(kind_ == bkUser && !userRgnAuto_)) DrawBevel(canvas);
    canvas.ClearClipRegion();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = Enabled ? buttonColor_ : GetLColor(buttonColor_);
}

void TIAeverButton::PaintFill(TCanvas& canvas) {
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = Enabled ? buttonColor_ : GetLColor(buttonColor_);
    if (gradientKind_ != gkNone) {
        TGradientSpec grad;
        grad.kind = gradientKind_;
        grad.angle = gradientAngle_;
        grad.start = Enabled ? buttonColor_ : GetLColor(buttonColor_);
        grad.end = Enabled ? buttonColor1_ : GetLColor(buttonColor1_);
        grad.tone = Enabled ? TGradientTone::Plain : TGradientTone::Disabled;
        grad.colours = &gradientBitmap_;
        grad.colourLine = gradientBitmapLine_;
        GetGBitmaps(canvas, Width, Height, grad);
    } else if (buttonColor_ != clNone) {
        canvas.FillRect(Rect(0, 0, Width, Height));
    }
}

void TIAeverButton::DrawBevel(TCanvas& canvas) {
    const TBevelParts parts = BevelPartsFor(kind3d_, hot_);
    const TColor k = buttonColor_, k1 = buttonColor1_;
    const bool dark = IsDarkColor(k);
    auto fill = [&](const TRegion& region, TColor colour) {
        canvas.Brush.Color = colour;
        canvas.FillRgn(region);
    };
    auto frame = [&](const TRegion& region, TColor colour) {
        canvas.Brush.Color = colour;
        canvas.FrameRgn(region, 1, 1);
    };
    auto gradient = [&](const TRegion& region, bool light) {
        TGradientSpec grad;
        grad.kind = gradientKind_;
        grad.angle = gradientAngle_;
        grad.start = light ? GetLColor(k) : GetDColor(k);
        grad.end = light ? GetLColor(k1) : GetDColor(k1);
        grad.tone = light ? TGradientTone::Light : TGradientTone::Dark;
        grad.colours = &gradientBitmap_;
        grad.colourLine = gradientBitmapLine_;
        canvas.SetClipRegion(region);
        GetGBitmaps(canvas, Width, Height, grad);
        canvas.ClearClipRegion();
    };
    canvas.Brush.Style = TBrushStyle::bsSolid;

    if (gradientKind_ == gkNone) {
        const TColor light = Enabled ? GetLColor(k) : GetLColor(GetLColor(k));
        const TColor darkTone = Enabled ? GetDColor(k) : GetDColor(GetLColor(k));
        const bool swap = Enabled && pressed_;
        if (parts.outerRing) {
            fill(rgnOuterLight_, swap ? darkTone : light);
            fill(rgnOuterDark_, swap ? light : darkTone);
        }
        if (parts.innerRing) {
            fill(rgnInnerLight_, light);
            fill(rgnInnerDark_, darkTone);
        }
        const TColor f = Enabled ? (dark ? GetLColor(GetLColor(k)) : GetDColor(GetDColor(k)))
                                 : (dark ? GetLColor(GetLColor(GetLColor(k))) : GetDColor(k));
        if (parts.outlineFrame) frame(rgnFrame_, f);
        if (parts.innerFrame) frame(rgnInnerFrame_, f);
        if (focused_ && showFocusRgn_) frame(rgnFocus_, f);
        return;
    }
    if (parts.outerRing) {
        gradient(rgnOuterLight_, !pressed_);
        gradient(rgnOuterDark_, pressed_);
    }
    if (parts.innerRing) {
        gradient(rgnInnerLight_, true);
        gradient(rgnInnerDark_, false);
    }
    const TColor f = GetDColor(GetDColor(k));
    if (parts.outlineFrame) frame(rgnFrame_, f);
    if (parts.innerFrame) frame(rgnInnerFrame_, f);
    if (focused_ && showFocusRgn_ && Enabled) frame(rgnFocus_, GetDColor(k));
}

TPoint TIAeverButton::GlyphPosition(int glyphWidth, int glyphHeight) const {
    TPoint p;
    switch (bitmapHAlign_) {
    case haLeft: p.x = depth_; break;
    case haCenter: p.x = (Width - glyphWidth) / 2; break;
    case haRight: p.x = Width - depth_ - glyphWidth; break;
    case haNone: p.x = bitmapLeft_; break;
    }
    switch (bitmapVAlign_) {
    case vaTop: p.y = depth_; break;
    case vaCenter: p.y = (Height - glyphHeight) / 2; break;
    case vaBottom: p.y = Height - depth_ - glyphHeight; break;
    case vaNone: p.y = bitmapTop_; break;
    }
    return p;
}

void TIAeverButton::PaintBitmaps(bool pressed) {
    if (mainBitmap_.Height() <= 0) return;
    const int k = mainGlyphs_;
    const int gw = mainBitmap_.Width() / k, gh = mainBitmap_.Height();
    if (gw <= 0) return;
    int glyph = 0;
    bool merge = false;
    if (pressed) glyph = k == 4 ? 3 : 0;
    else if (!Enabled) {
        glyph = k >= 2 ? 1 : 0;
        merge = k < 2;
    } else if (hot_) glyph = k >= 3 ? 2 : 0;
    TPoint at = GlyphPosition(gw, gh);
    // Pressed, the image lands one pixel lower and further right; its last column and row
    // fall away rather than reading past its own cell.
    TRect source = Rect(glyph * gw, 0, glyph * gw + gw, gh);
    if (pressed) {
        ++at.x;
        ++at.y;
        --source.right;
        --source.bottom;
    }
    TCanvas& canvas = face_.Canvas();
    if (transparent_) {
        // The disabled look and the transparent key colour both apply.
        DrawTransparent(face_, at.x, at.y, mainBitmap_, source, merge ? std::optional(canvas.Brush.Color) : std::nullopt);
        return;
    }
    canvas.CopyMode = merge ? TCopyMode::cmMergeCopy : TCopyMode::cmSrcCopy;
    canvas.CopyRect(Rect(at.x, at.y, at.x + source.Width(), at.y + source.Height()), mainBitmap_, source);
    canvas.CopyMode = TCopyMode::cmSrcCopy;
}

void TIAeverButton::DrawCaptionAll(TCanvas& canvas) {
    const std::vector<TCaptionPiece> pieces = CaptionPieces(Caption());
    canvas.Font = font_;
    int width = 0;
    for (const TCaptionPiece& p : pieces) width += canvas.TextWidth(p.text);
    const int height = canvas.TextHeight(pieces.empty() ? std::string() : pieces.front().text);

    const double t = Radians(captionFixed_ ? static_cast<double>(captionAngle_) - angle_ : captionAngle_);
    const double ct = std::abs(std::cos(t)), st = std::abs(std::sin(t));
    const int bw = RoundHalfEven(ct * width + st * height), bh = RoundHalfEven(st * width + ct * height);
    TPoint origin;
    if (std::sin(t) <= 0) {
        origin = std::cos(t) <= 0 ? TPoint{bw, RoundHalfEven(ct * height)} : TPoint{RoundHalfEven(st * height), 0};
    } else {
        origin = std::cos(t) <= 0 ? TPoint{RoundHalfEven(ct * width), bh} : TPoint{0, RoundHalfEven(st * width)};
    }
    int x = Aligned(captionHAlign_, depth_, buttonWidth_, bw, captionLeft_) + origin.x;
    int y = Aligned(captionVAlign_, depth_, buttonHeight_, bh, captionTop_) + origin.y;
    if (captionFixed_) {
        const double a = Radians(angle_), c = std::cos(a), s = std::sin(a);
        const int tx = RoundHalfEven(c * x + s * y), ty = RoundHalfEven(-s * x + c * y);
        x = tx + Width / 2 - RoundHalfEven(c * buttonWidth_ / 2.0 + s * buttonHeight_ / 2.0);
        y = ty + Height / 2 - RoundHalfEven(-s * buttonWidth_ / 2.0 + c * buttonHeight_ / 2.0);
    }

    // DrawTextXYall / DrawTextXY: every pass walks the pieces along the caption's direction.
    const TColor first = Enabled ? font_.Color : buttonColor_;
    if (first == clNone) return;
    const double c = Radians(captionAngle_);
    for (const TCaptionPass& pass : CaptionPasses(caption3dKind_, pressed_)) {
        // The light and dark passes take their tone from the face, so the emboss matches the bevel.
        const TColor colour = pass.tone == TTextTone::Light  ? GetLColor(buttonColor_)
                              : pass.tone == TTextTone::Dark ? GetDColor(buttonColor_)
                                                             : first;
        int px = x + pass.dx, py = y + pass.dy;
        for (const TCaptionPiece& piece : pieces) {
            TFont f = font_;
            f.Color = colour;
            f.Orientation = captionAngle_;
            if (piece.underlined) f.Style |= fsUnderline;
            canvas.Font = f;
            canvas.Brush.Style = TBrushStyle::bsClear;
            canvas.TextOut(px, py, piece.text);
            canvas.Brush.Style = TBrushStyle::bsSolid;
            canvas.Font = font_;
            const int w = canvas.TextWidth(piece.text);
            px += RoundHalfEven(std::cos(c) * w);
            py += RoundHalfEven(-std::sin(c) * w);
        }
    }
}
