#include <cmath>

#include "components/ButtonFace.h"
#include "components/IAeverButton.h"
#include "platform/Input.h"

void TIAeverButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: WMPaint(); return;
    case CN_MEASUREITEM: CNMeasureItem(m); return;
    case CN_DRAWITEM: CNDrawItem(m); return;
    case CM_FONTCHANGED: RepaintFaceAndInvalidate(); return;
    case CM_ENABLEDCHANGED:
        TWinControl::WndProc(m);
        GetMainBitmap();
        return;
    case WM_LBUTTONDBLCLK:
        // A double click presses the button a second time.
        Perform(WM_LBUTTONDOWN, m.WParam, m.LParam);
        return;
    case WM_LBUTTONDOWN: WMLButtonDown(m); return;
    case CM_MOUSEENTER: CMMouseEnter(); return;
    case CM_MOUSELEAVE: CMMouseLeave(); return;
    case WM_SIZE: WMSize(m); return;
    case WM_MOVE: WMMove(m); return;
    case CM_CLOSETIMER: CMCloseTimer(); return;
    case CM_ROTATEDON: CMRotatedOn(); return;
    case CM_FOCUSCHANGED: CMFocusChanged(m); return;
    case WM_KEYDOWN: WMKeyDown(m); return;
    case CN_COMMAND:
        if (static_cast<unsigned>(HiWord(m.WParam)) == BN_CLICKED) Click();
        return;
    default: TWinControl::WndProc(m); return;
    }
}

void TIAeverButton::WMPaint() { Paint(); }

void TIAeverButton::Paint() {
    pressed_ = (lastDrawItem_.itemState & ODS_SELECTED) != 0;
    if (pressed_ != builtPressed_ || hot_ != builtHot_ || Enabled != builtEnabled_) GetMainBitmap();
    if (pendingWindowRgn_) {
        // From here on the region is the window's; the button keeps no second owner of it.
        std::optional<TRegion> region = std::move(pendingWindowRgn_);
        pendingWindowRgn_.reset();
        applyingRegion_ = true;
        SetWindowRgn(WindowHandle(), std::move(region), true);
        applyingRegion_ = false;
    }
    {
        TPaintDC paint(WindowHandle());
        paint.Canvas().Draw(0, 0, face_);
    }
    if (OnPaint) OnPaint(this);
}

void TIAeverButton::CNMeasureItem(TMessage& m) {
    auto* item = reinterpret_cast<TMeasureItemStruct*>(m.LParam);
    if (!item) return;
    item->itemWidth = Width;
    item->itemHeight = Height;
}

void TIAeverButton::CNDrawItem(TMessage& m) {
    if (const auto* item = reinterpret_cast<const TDrawItemStruct*>(m.LParam)) lastDrawItem_ = *item;
    pressed_ = (lastDrawItem_.itemState & ODS_SELECTED) != 0;
    RepaintFaceAndInvalidate();
}

void TIAeverButton::WMLButtonDown(TMessage& m) {
    // A press ends the enter animation; an exit animation still running plays on.
    if (enter_.running) StopAnimation(enter_);
    TWinControl::WndProc(m);
}

void TIAeverButton::CMMouseEnter() {
    hot_ = true;
    RepaintFaceAndInvalidate();
    if (exit_.running) StopAnimation(exit_);
    if (!enter_.running) StartAnimation(enter_);
    if (onMouseEnter) onMouseEnter(this);
}

void TIAeverButton::CMMouseLeave() {
    hot_ = false;
    RepaintFaceAndInvalidate();
    if (enter_.running) StopAnimation(enter_);
    if (click_.running) StopAnimation(click_);
    if (!exit_.running) StartAnimation(exit_);
    if (onMouseExit) onMouseExit(this);
}

void TIAeverButton::WMSize(TMessage& m) {
    if (ignoreSize_) {
        ignoreSize_ = false;
        return;
    }
    TWinControl::WndProc(m);  // the control takes the new size
    if (internalResize_) return;
    const double a = angle_ * std::numbers::pi / 1800.0;
    const double s = std::abs(std::sin(a)), c = std::abs(std::cos(a));
    if (s > 0.00001 && c > 0.00001) {
        const TBoxSize box = TurnedBox(buttonWidth_, buttonHeight_, angle_);
        double k = 1.0;
        if (box.width >= 1 && box.height >= 1) k = std::max(static_cast<double>(Height) / box.height, static_cast<double>(Width) / box.width);
        const int width = RoundHalfEven(k * box.width), height = RoundHalfEven(k * box.height);
        buttonWidth_ = RoundHalfEven(buttonWidth_ * k);
        buttonHeight_ = RoundHalfEven(buttonHeight_ * k);
        Width = width;
        Height = height;
        SetNewKind();
        internalResize_ = true;
        MoveToNewPosition(width, height, true);
        internalResize_ = false;
        return;
    }
    if (c <= 0.00001) {
        buttonWidth_ = Height;
        buttonHeight_ = Width;
    } else {
        buttonWidth_ = Width;
        buttonHeight_ = Height;
    }
    RebuildAndInvalidate();
}

void TIAeverButton::WMMove(TMessage& m) {
    if (ignoreMove_) {
        ignoreMove_ = false;
        return;
    }
    TWinControl::WndProc(m);
    RepaintFaceAndInvalidate();
    if (Loading() && !movingToShape_) loadedPosition_ = TPoint{Left, Top};
}

void TIAeverButton::CMRotatedOn() {
    if ((ComponentState & csDestroying) != 0) return;
    SetButtonAngle(angle_ + rotatedAngle_);
}

bool TIAeverButton::ButtonFocusTarget(HWND sender) const { return sender != 0 && GetWindowClass(sender) == "BUTTON"; }

void TIAeverButton::CMFocusChanged(TMessage& m) {
    const HWND now = static_cast<HWND>(m.LParam);
    const bool hasFocus = now != 0 && now == WindowHandle();
    if (ignoreFirstFocus_) {
        ignoreFirstFocus_ = false;
    } else if (hasFocus) {
        if (exit_.running) StopAnimation(exit_);
        if (!enter_.running) StartAnimation(enter_);
    } else if (hadFocus_) {
        // Only the button that lost the focus plays its exit; the others heard of a change elsewhere.
        if (enter_.running) StopAnimation(enter_);
        if (click_.running) StopAnimation(click_);
        if (!exit_.running) StartAnimation(exit_);
    }
    hadFocus_ = hasFocus;
    // As every push button: the focused button is the active one, else the default button.
    SetButtonStyle(ButtonFocusTarget(now) ? hasFocus : Default);
}

void TIAeverButton::WMKeyDown(TMessage& m) {
    if (m.WParam == VK_SPACE) {
        if (enter_.running) StopAnimation(enter_);
        if (!click_.running) StartAnimation(click_);
    }
    TWinControl::WndProc(m);
}

// ---- animations ----

TIAeverButton::Animation& TIAeverButton::AnimationAt(int which) { return which == 0 ? enter_ : which == 1 ? exit_ : click_; }

bool TIAeverButton::AnimationRunning(int which) const {
    return const_cast<TIAeverButton*>(this)->AnimationAt(which).running;
}

void TIAeverButton::StartAnimation(Animation& a) {
    // One timer serves all three animations. It is re-armed rather than replaced, so no path
    // ever frees it, least of all from inside its own tick.
    if (!timer_) timer_ = std::make_unique<TTimer>();
    timer_->SetEnabled(false);
    timer_->SetInterval(a.interval);
    a.frame = 0;
    a.running = true;
    timer_->SetOnTimer([this](TObject*) { AnimaGoOn(); });
    timer_->SetEnabled(true);
}

void TIAeverButton::StopAnimation(Animation& a) {
    if (timer_) timer_->SetEnabled(false);
    a.running = false;
    Perform(CM_CLOSETIMER);
}

void TIAeverButton::CMCloseTimer() {
    if (!timer_) return;
    timer_->SetOnTimer(nullptr);
    timer_->SetEnabled(false);
    // Without the timer nothing can go on: no animation may stay marked as running.
    enter_.running = exit_.running = click_.running = false;
}

void TIAeverButton::AnimaGoOn() {
    for (int which = 0; which < 3; ++which) {
        Animation& a = AnimationAt(which);
        if (!a.running) continue;
        if (a.frame >= a.glyphs) {
            StopAnimation(a);
            Invalidate();
            continue;
        }
        DrawBMPGlyph(a);
        ++a.frame;
    }
}

void TIAeverButton::DrawBMPGlyph(const Animation& a) {
    if (!HandleAllocated() || a.strip.Height() <= 0 || a.glyphs < 1) return;
    const int frameWidth = a.strip.Width() / a.glyphs;
    if (frameWidth <= 0) return;
    const TPoint at = GlyphPosition(frameWidth, a.strip.Height());
    const TRect source = Rect(a.frame * frameWidth, 0, (a.frame + 1) * frameWidth, a.strip.Height());
    TWindowDC dc(WindowHandle());
    if (transparent_) {
        // Merge into a copy of what the control shows, then put the result back.
        TBitmap shown = *WindowSurface(WindowHandle());
        DrawTransparent(shown, at.x, at.y, a.strip, source);
        dc.Canvas().Draw(0, 0, shown);
    } else {
        dc.Canvas().CopyRect(Rect(at.x, at.y, at.x + frameWidth, at.y + a.strip.Height()), a.strip, source);
    }
}
