#include "components/IAeverButton.h"

#include <cmath>
#include <numbers>

namespace {

constexpr const char* kButtonFontName = "Times New Roman";

// The bitmap setters' copy: the source's picture at 24 bits, or an empty bitmap.
void CopyBitmap(TBitmap& own, const TBitmap* source) {
    if (source && source->Height() > 0) {
        own = *source;
        own.PixelFormat = TPixelFormat::pf24bit;
    } else {
        own.SetSize(own.Width(), 0);
        own.PixelFormat = TPixelFormat::pf24bit;
    }
}

void TurnAndCentre(TPolygonSet& set, int buttonWidth, int buttonHeight, int angle, int dx, int dy) {
    PolyRotate(set.points, buttonWidth / 2, buttonHeight / 2, angle);
    for (TPoint& p : set.points) {
        p.x += dx;
        p.y += dy;
    }
}

TPolygonSet Inset(const TPolygonSet& set, int distance) {
    TPolygonSet inner = set;
    Getinner(inner, true, true, distance);
    return inner;
}

}  // namespace

TIAeverButton::TIAeverButton() : TWinControl(static_cast<TControl&>(*this)) {
    Width = 75;
    Height = 25;
    buttonWidth_ = Width;
    buttonHeight_ = Height;
    newPosition_ = TPoint{Left, Top};
    mainBitmap_.SetSize(0, 0);
}

TIAeverButton::~TIAeverButton() {
    // Steps still on their way must find the window gone rather than a half-destroyed button:
    // destroying the window answers a waiting step at once, so the join below cannot deadlock.
    ComponentState |= csDestroying;
    threadTarget_->store(0);
    DestroyHandle();
    rotateTimer_.reset();
    rotated_ = false;
    timer_.reset();
}

void TIAeverButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = "BUTTON";
    params.Style |= BS_OWNERDRAW;
    params.ClassStyle |= CS_DBLCLKS;
}

void TIAeverButton::CreateHandle() {
    TWinControl::CreateHandle();
    threadTarget_->store(WindowHandle());
    // A re-made window keeps the one rotation thread; it only learns the new handle.
    if (!rotateTimer_) {
        rotateTimer_ = std::make_unique<TiaRotateTimer>(
            [target = threadTarget_](unsigned message) { SendMessage(target->load(), message); }, rotatedTime_);
    }
    font_.Name = kButtonFontName;
    SetNewKind();
    builtEnabled_ = Enabled;
    pressed_ = false;
    hot_ = false;
    if (rotated_) rotateTimer_->Resume();  // switched on before the window existed
}

void TIAeverButton::Loaded() {
    TButton::Loaded();
    if (loadedPosition_) {
        const TPoint place = *loadedPosition_;
        loadedPosition_.reset();
        SetBounds(place.x, place.y, Width, Height);
    }
    angleChange_ = 0;
    SetNewKind();
    Invalidate();
    loaded_ = true;
}

// ---- shape ----

const TRegion* TIAeverButton::ActiveUserRegion() const {
    if (handedIsActive_ && hasHandedRgn_) return &userHandedRgn_;
    if (hasStringRgn_) return &userStringRgn_;
    return nullptr;
}

void TIAeverButton::RefreshUserOutline() {
    if (kind_ != bkUser || !userRgnAuto_) return;
    const TRegion* active = ActiveUserRegion();
    userOutline_ = active ? MakeUserOutline(*active) : TUserOutline{};
}

void TIAeverButton::ResizeForArc(int newHeight) {
    buttonHeight_ = newHeight;
    const TBoxSize box = TurnedBox(buttonWidth_, buttonHeight_, angle_);
    internalResize_ = true;
    if (HandleAllocated()) {
        MoveWindow(WindowHandle(), Left, Top, box.width, box.height, prevKind_ != bkArc);
    } else {
        Width = box.width;
        Height = box.height;
    }
    internalResize_ = false;
}

void TIAeverButton::SetNewKind() {
    ++shapeBuilds_;
    pendingWindowRgn_.reset();
    if (kind_ == bkUser && !userRgnAuto_) {
        const TRegion* active = ActiveUserRegion();
        pendingWindowRgn_ = active ? *active : TRegion();
        GetMainBitmap();
        return;
    }
    TShapeParams params;
    params.width = buttonWidth_;
    params.height = buttonHeight_;
    params.depth = depth_;
    params.peaks = peaks_;
    params.radiusRatio = radiusRatio_;
    params.arcAngle = arcAngle_;
    params.user = &userOutline_;
    int height = buttonHeight_;
    TPolygonSet outline = GotMainOutline(kind_, params, height);
    if (height != buttonHeight_) ResizeForArc(height);
    prevKind_ = kind_;

    TPivotInput pivot;
    pivot.left = Left;
    pivot.top = Top;
    pivot.width = buttonWidth_;
    pivot.height = buttonHeight_;
    pivot.angle = angle_;
    pivot.change = angleChange_;
    pivot.pivotX = rotationCenterFixed_ ? buttonWidth_ / 2 : rotationPointX_;
    pivot.pivotY = rotationCenterFixed_ ? buttonHeight_ / 2 : rotationPointY_;
    newPosition_ = PivotKeepingPosition(pivot);
    angleChange_ = 0;

    BuildRegions(std::move(outline));
    GetMainBitmap();
}

void TIAeverButton::BuildRegions(TPolygonSet outline) {
    const bool border = kind3d_ == dk3dBorder || kind3d_ == dk3dBorderFlatten;
    const int focusDistance = border ? 2 * depth_ + 4 : depth_ + 4;
    TPolygonSet inner = Inset(outline, depth_);
    TPolygonSet focus = Inset(outline, focusDistance);
    TPolygonSet inner2 = Inset(inner, depth_);
    const int dx = (Width - buttonWidth_) / 2, dy = (Height - buttonHeight_) / 2;
    for (TPolygonSet* set : {&outline, &inner, &focus, &inner2}) TurnAndCentre(*set, buttonWidth_, buttonHeight_, angle_, dx, dy);

    const TRingSplit outer = GetLDppoly(outline.points, inner.points, outline.counts);
    const TRingSplit innerRing = GetLDppoly(inner.points, inner2.points, inner.counts);
    const TRegion window = ReCreateRgn(outline);
    rgnFrame_ = window;
    rgnInnerFrame_ = ReCreateRgn(inner2);
    // Where the focus distance exceeds the rounding of a corner, the inset folds over at that
    // corner and sends hooks out towards the edge; the focus outline keeps its distance.
    rgnFocus_ = ReCreateRgn(focus).Intersection(window.Eroded(focusDistance));
    rgnOuterLight_ = PolyPolygonRegion(outer.lightPoints, outer.lightCounts);
    rgnOuterDark_ = PolyPolygonRegion(outer.darkPoints, outer.darkCounts);
    rgnInnerLight_ = PolyPolygonRegion(innerRing.lightPoints, innerRing.lightCounts);
    rgnInnerDark_ = PolyPolygonRegion(innerRing.darkPoints, innerRing.darkCounts);
    pendingWindowRgn_ = window;
}

void TIAeverButton::RebuildAndInvalidate() {
    SetNewKind();
    Invalidate();
}

void TIAeverButton::RepaintFaceAndInvalidate() {
    GetMainBitmap();
    Invalidate();
}

void TIAeverButton::MoveToNewPosition(int width, int height, bool redraw) {
    // The shape read from a form may move the control about its pivot; the place it was given
    // is the one it keeps, and Loaded puts it back there.
    if (Loading() && !loadedPosition_) loadedPosition_ = TPoint{Left, Top};
    movingToShape_ = true;
    if (HandleAllocated()) MoveWindow(WindowHandle(), newPosition_.x, newPosition_.y, width, height, redraw);
    movingToShape_ = false;
    // The move may have been one the handlers were told to ignore: keep the place here too.
    Left = newPosition_.x;
    Top = newPosition_.y;
    Width = width;
    Height = height;
}

// ---- setters ----

// A position set once the form is in switches its alignment off; one read from a form (even
// into a button loaded before) leaves the stored alignment in force.
bool TIAeverButton::PlacedByHand() const { return loaded_ && !Loading(); }

#define IGNORE_EQUAL(field, v) \
    if ((field) == (v)) return

void TIAeverButton::SetCaptionTop(int v) {
    IGNORE_EQUAL(captionTop_, v);
    captionTop_ = v;
    if (PlacedByHand()) captionVAlign_ = vaNone;
    RepaintFaceAndInvalidate();
}

void TIAeverButton::SetCaptionLeft(int v) {
    IGNORE_EQUAL(captionLeft_, v);
    captionLeft_ = v;
    if (PlacedByHand()) captionHAlign_ = haNone;
    RepaintFaceAndInvalidate();
}

void TIAeverButton::SetBitmapTop(int v) {
    IGNORE_EQUAL(bitmapTop_, v);
    bitmapTop_ = v;
    if (PlacedByHand()) bitmapVAlign_ = vaNone;
    RepaintFaceAndInvalidate();
}

void TIAeverButton::SetBitmapLeft(int v) {
    IGNORE_EQUAL(bitmapLeft_, v);
    bitmapLeft_ = v;
    if (PlacedByHand()) bitmapHAlign_ = haNone;
    RepaintFaceAndInvalidate();
}

// The setters that only repaint the face.
#define REPAINT_SETTER(name, type, field)      \
    void TIAeverButton::name(type v) {         \
        IGNORE_EQUAL(field, v);                \
        field = v;                             \
        RepaintFaceAndInvalidate();            \
    }
REPAINT_SETTER(SetCaptionAngle, int, captionAngle_)
REPAINT_SETTER(SetButtoncolor, TColor, buttonColor_)
REPAINT_SETTER(SetButtonColor1, TColor, buttonColor1_)
REPAINT_SETTER(SetCaptionHAlign, TIAHAlign, captionHAlign_)
REPAINT_SETTER(SetCaptionVAlign, TIAVAlign, captionVAlign_)
REPAINT_SETTER(SetCaption3dKind, TIACaption3dKind, caption3dKind_)
REPAINT_SETTER(SetCaptionFixed, bool, captionFixed_)
REPAINT_SETTER(SetGradientKind, TIAGradientKind, gradientKind_)
REPAINT_SETTER(SetGradientAngle, int, gradientAngle_)
REPAINT_SETTER(SetTransparent, bool, transparent_)
REPAINT_SETTER(SetBitmapHAlign, TIAHAlign, bitmapHAlign_)
REPAINT_SETTER(SetBitmapVAlign, TIAVAlign, bitmapVAlign_)
REPAINT_SETTER(SetCustomDraw, bool, customDraw_)
REPAINT_SETTER(SetShowFocusRGN, bool, showFocusRgn_)
#undef REPAINT_SETTER

// The setters that rebuild shape and face.
#define REBUILD_SETTER(name, type, field)      \
    void TIAeverButton::name(type v) {         \
        IGNORE_EQUAL(field, v);                \
        field = v;                             \
        RebuildAndInvalidate();                \
    }
REBUILD_SETTER(SetButtonDepth, int, depth_)
REBUILD_SETTER(SetRotationCenterFixed, bool, rotationCenterFixed_)
REBUILD_SETTER(SetButton3DKind, TIA3DKind, kind3d_)
#undef REBUILD_SETTER

void TIAeverButton::SetButtonStyle(bool isDefault) {
    IGNORE_EQUAL(focused_, isDefault);
    focused_ = isDefault;
    RebuildAndInvalidate();
}

void TIAeverButton::SetRotationPointX(int v) {
    IGNORE_EQUAL(rotationPointX_, v);
    rotationPointX_ = v;
    rotationCenterFixed_ = false;
    RebuildAndInvalidate();
}

void TIAeverButton::SetRotationPointY(int v) {
    IGNORE_EQUAL(rotationPointY_, v);
    rotationPointY_ = v;
    rotationCenterFixed_ = false;
    RebuildAndInvalidate();
}

void TIAeverButton::SetGradientBitmap(const TBitmap* v) {
    CopyBitmap(gradientBitmap_, v);
    RebuildAndInvalidate();
}

void TIAeverButton::SetGradientBitmapLine(int v) {
    if (v < 0 || v == gradientBitmapLine_) return;
    gradientBitmapLine_ = v;
    RepaintFaceAndInvalidate();
}

void TIAeverButton::SetMainBitmap(const TBitmap* v) {
    CopyBitmap(mainBitmap_, v);
    RepaintFaceAndInvalidate();
}

void TIAeverButton::SetMainBitmapGlyphs(int v) {
    if (v < 1 || v > 4 || v == mainGlyphs_) return;
    mainGlyphs_ = v;
    RepaintFaceAndInvalidate();
}

void TIAeverButton::SetOnEnterBitmap(const TBitmap* v) { CopyBitmap(enter_.strip, v); }
void TIAeverButton::SetOnExitBitmap(const TBitmap* v) { CopyBitmap(exit_.strip, v); }
void TIAeverButton::SetOnClickBitmap(const TBitmap* v) { CopyBitmap(click_.strip, v); }

void TIAeverButton::SetOnEnterGlyphs(int v) {
    if (v >= 1) enter_.glyphs = v;
}
void TIAeverButton::SetOnExitGlyphs(int v) {
    if (v >= 1) exit_.glyphs = v;
}
void TIAeverButton::SetOnClickGlyphs(int v) {
    if (v >= 1) click_.glyphs = v;
}
void TIAeverButton::SetOnEnterInterval(int v) {
    if (!enter_.running) enter_.interval = v;
}
void TIAeverButton::SetOnExitInterval(int v) {
    if (!exit_.running) exit_.interval = v;
}
void TIAeverButton::SetOnClickInterval(int v) {
    if (!click_.running) click_.interval = v;
}

void TIAeverButton::SetGradientFixed(bool v) { gradientFixed_ = v; }

void TIAeverButton::SetPeaksNumber(int v) {
    if (v < 3 || v > 20 || v == peaks_) return;
    peaks_ = v;
    if (kind_ == bkPoly || kind_ == bkPolyStar) RebuildAndInvalidate();
}

void TIAeverButton::SetRadiusRatio(double v) {
    if (!(v >= 0.0 && v <= 1.0) || v == radiusRatio_) return;
    radiusRatio_ = v;
    if (kind_ == bkDonut || kind_ == bkArc) RebuildAndInvalidate();
}

void TIAeverButton::SetArcAngle(double v) {
    if (!(v >= 0.01 && v <= 2 * std::numbers::pi) || v == arcAngle_) return;
    arcAngle_ = v;
    if (kind_ == bkArc) RebuildAndInvalidate();
}

void TIAeverButton::SetButtonKind(TIAButtonKind v) {
    if (v == kind_ || v < bkRect || v > bkCross1) return;
    prevKind_ = kind_;
    kind_ = v;
    angleChange_ = 0;
    RefreshUserOutline();
    RebuildAndInvalidate();
}

void TIAeverButton::SetStringButtonRegion(const std::string& v) {
    IGNORE_EQUAL(stringButtonRegion_, v);
    stringButtonRegion_ = v;
    userStringRgn_ = DecodeStringButtonRegion(v, buttonWidth_, buttonHeight_).region;
    hasStringRgn_ = true;
    handedIsActive_ = false;
    RefreshUserOutline();
    RebuildAndInvalidate();
}

bool TIAeverButton::SetButtonRegion(const TRegion& region) {
    if (kind_ != bkUser) return false;
    userHandedRgn_ = region;
    hasHandedRgn_ = true;
    handedIsActive_ = true;
    RefreshUserOutline();
    RebuildAndInvalidate();
    return true;
}

void TIAeverButton::SetUserRGNAUTO(bool v) {
    IGNORE_EQUAL(userRgnAuto_, v);
    userRgnAuto_ = v;
    RefreshUserOutline();
    RebuildAndInvalidate();
}

void TIAeverButton::SetButtonAngle(int v) {
    IGNORE_EQUAL(angle_, v);
    // Any int is taken: the change is worked out wide and kept to one turn, which turns alike.
    const int change = NormalizeAngle(static_cast<int64_t>(v) - angle_);
    angleChange_ = change;
    if (captionFixed_) captionAngle_ = NormalizeAngle(static_cast<int64_t>(captionAngle_) + change);
    if (gradientFixed_) gradientAngle_ = NormalizeAngle(static_cast<int64_t>(gradientAngle_) + change);
    angle_ = NormalizeAngle(v);
    const TBoxSize box = TurnedBox(buttonWidth_, buttonHeight_, angle_);
    const TRect oldPlace = Rect(Left, Top, Left + Width, Top + Height);
    std::optional<TRegion> oldRegion = HandleAllocated() ? GetWindowRgn(WindowHandle()) : std::nullopt;
    Width = box.width;
    Height = box.height;
    SetNewKind();
    if (HandleAllocated()) {
        if (oldRegion) {
            InvalidateUncovered(*oldRegion, oldPlace);
        } else {
            // Without a region the button's rectangle is all its own: it takes the background
            // until it is painted turned.
            TWindowDC dc(WindowHandle());
            dc.Canvas().Brush.Style = TBrushStyle::bsSolid;
            dc.Canvas().Brush.Color = TurningBackground();
            dc.Canvas().FillRect(Rect(0, 0, oldPlace.Width(), oldPlace.Height()));
        }
        ignoreMove_ = ignoreSize_ = true;
        MoveToNewPosition(box.width, box.height, false);
        ignoreMove_ = ignoreSize_ = false;
    } else {
        MoveToNewPosition(box.width, box.height, false);
    }
    GetMainBitmap();
    Invalidate();
}

// What the old shape covered and the new one does not must be redrawn by the parent.
void TIAeverButton::InvalidateUncovered(const TRegion& oldRegion, const TRect& oldPlace) {
    const HWND parent = GetParent(WindowHandle());
    if (parent == 0) return;
    TRegion uncovered = oldRegion;
    uncovered.Offset(oldPlace.left, oldPlace.top);
    if (pendingWindowRgn_) {
        TRegion now = *pendingWindowRgn_;
        now.Offset(newPosition_.x, newPosition_.y);
        uncovered = uncovered.Difference(now);
    }
    InvalidateRgn(parent, uncovered);
}

// The colour of a form or a panel the button stands on; on any other parent the face colour
// the canvas was left with.
TColor TIAeverButton::TurningBackground() {
    if (const TWinControl* parent = ParentControl()) {
        const TControl& control = parent->Control();
        if (dynamic_cast<const TForm*>(&control) || dynamic_cast<const TPanel*>(&control)) return control.Color;
    }
    return face_.Canvas().Brush.Color;
}

void TIAeverButton::SetButtonWidth(int v) {
    if (v < 0 || v == buttonWidth_) return;
    buttonWidth_ = v;
    ResizeToShape();
}

void TIAeverButton::SetButtonHeight(int v) {
    if (v < 0 || v == buttonHeight_) return;
    buttonHeight_ = v;
    ResizeToShape();
}

void TIAeverButton::ResizeToShape() {
    const TBoxSize box = TurnedBox(buttonWidth_, buttonHeight_, angle_);
    internalResize_ = true;
    Width = box.width;
    Height = box.height;
    SetNewKind();
    MoveToNewPosition(box.width, box.height, true);
    internalResize_ = false;
    Invalidate();
}

void TIAeverButton::SetRotated(bool v) {
    IGNORE_EQUAL(rotated_, v);
    rotated_ = v;
    if (!rotateTimer_) return;  // starts with the window
    if (v) rotateTimer_->Resume();
    else rotateTimer_->Suspend();
}

void TIAeverButton::SetRotatedTime(int v) {
    if (v < 0 || v == rotatedTime_) return;
    rotatedTime_ = v;
    if (rotateTimer_) rotateTimer_->SetInterval(v);
}

void TIAeverButton::SetRotatedAngle(int v) {
    if (v < -1799 || v > 1799 || v == rotatedAngle_) return;
    rotatedAngle_ = v;
}

void TIAeverButton::SetFont(const TFont& font) {
    if (font == font_) return;
    font_ = font;
    Perform(CM_FONTCHANGED);
}

void TIAeverButton::SetText(const std::string& text) {
    if (text == text_) return;
    TButton::SetText(text);
    RepaintFaceAndInvalidate();
}

#undef IGNORE_EQUAL
