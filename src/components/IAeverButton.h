#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "components/ButtonShapes.h"
#include "components/Iarotatetimer.h"
#include "components/Rotatergn1.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/Font.h"
#include "platform/WinControl.h"

enum TIA3DKind { dk3D, dkFlatten, dk3dsimple, dkFlattenSimple, dk3dBorder, dk3dBorderFlatten, dkNone };
enum TIAHAlign { haLeft, haCenter, haRight, haNone };
enum TIAVAlign { vaTop, vaCenter, vaBottom, vaNone };
enum TIAGradientKind { gkNone, gkLinear, gkCircular };
enum TIACaption3dKind { ckSimple, ckEmbossed, ckPressed };

using TMouseInOutEvent = std::function<void(TObject* sender)>;

// The button's own messages.
constexpr unsigned CM_CLOSETIMER = CM_BASE + 101;
static_assert(CM_ROTATEDON == CM_BASE + 105);

// The push button of every window: an owner-drawn button cut to a shape, its face painted
// off-screen with a bevel, an optional gradient, a glyph and a caption that can turn and be
// embossed; it can play glyph animations on enter, leave and the space key and turn its whole
// shape step by step on a thread of its own.
class TIAeverButton : public TButton, public TWinControl {
public:
    TIAeverButton();
    ~TIAeverButton() override;
    std::string ClassName() const override { return "TIAeverButton"; }
    void Loaded() override;
    // The published properties in stored forms (IAeverButtonStream.cpp).
    void DefineProperties(TFiler& filer) override;

    // ---- properties ----
    int CaptionTop() const { return captionTop_; }
    int CaptionLeft() const { return captionLeft_; }
    int CaptionAngle() const { return captionAngle_; }
    TColor ButtonColor() const { return buttonColor_; }
    TIAButtonKind ButtonKind() const { return kind_; }
    TIA3DKind Button3DKind() const { return kind3d_; }
    int ButtonDepth() const { return depth_; }
    TIAHAlign CaptionHAlign() const { return captionHAlign_; }
    TIAVAlign CaptionVAlign() const { return captionVAlign_; }
    const TBitmap& MainBitmap() const { return mainBitmap_; }
    int MainBitmapGlyphs() const { return mainGlyphs_; }
    const TBitmap& OnEnterBitmap() const { return enter_.strip; }
    int OnEnterGlyphs() const { return enter_.glyphs; }
    int OnEnterInterval() const { return enter_.interval; }
    const TBitmap& OnExitBitmap() const { return exit_.strip; }
    int OnExitGlyphs() const { return exit_.glyphs; }
    int OnExitInterval() const { return exit_.interval; }
    const TBitmap& OnClickBitmap() const { return click_.strip; }
    int OnClickGlyphs() const { return click_.glyphs; }
    int OnClickInterval() const { return click_.interval; }
    bool Transparent() const { return transparent_; }
    int PeaksNumber() const { return peaks_; }
    int ButtonAngle() const { return angle_; }
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    int BitmapTop() const { return bitmapTop_; }
    int BitmapLeft() const { return bitmapLeft_; }
    TIAHAlign BitmapHAlign() const { return bitmapHAlign_; }
    TIAVAlign BitmapVAlign() const { return bitmapVAlign_; }
    const std::string& StringButtonRegion() const { return stringButtonRegion_; }
    bool UserRGNAUTO() const { return userRgnAuto_; }
    int RotationPointX() const { return rotationPointX_; }
    int RotationPointY() const { return rotationPointY_; }
    bool RotationCenterFixed() const { return rotationCenterFixed_; }
    bool Rotated() const { return rotated_; }
    int RotatedTime() const { return rotatedTime_; }
    int RotatedAngle() const { return rotatedAngle_; }
    bool CaptionFixed() const { return captionFixed_; }
    TColor ButtonColor1() const { return buttonColor1_; }
    TIAGradientKind GradientKind() const { return gradientKind_; }
    int GradientAngle() const { return gradientAngle_; }
    bool GradientFixed() const { return gradientFixed_; }
    const TBitmap& GradientBitmap() const { return gradientBitmap_; }
    int GradientBitmapLine() const { return gradientBitmapLine_; }
    TIACaption3dKind Caption3dKind() const { return caption3dKind_; }
    double RadiusRatio() const { return radiusRatio_; }
    double ArcAngle() const { return arcAngle_; }
    bool CustomDraw() const { return customDraw_; }
    bool ShowFocusRGN() const { return showFocusRgn_; }
    const TFont& Font() const { return font_; }

    TMouseInOutEvent onMouseEnter;
    TMouseInOutEvent onMouseExit;
    TNotifyEvent OnPaint;

    // Every setter ignores an equal or out-of-range value.
    virtual void SetCaptionTop(int v);
    virtual void SetCaptionLeft(int v);
    virtual void SetCaptionAngle(int v);
    virtual void SetGradientBitmap(const TBitmap* v);
    virtual void SetGradientBitmapLine(int v);
    virtual void SetButtoncolor(TColor v);
    virtual void SetButtonDepth(int v);
    // Only a bkUser button takes a region (returns true); the button keeps its own copy.
    virtual bool SetButtonRegion(const TRegion& region);
    virtual void SetCaptionHAlign(TIAHAlign v);
    virtual void SetCaptionVAlign(TIAVAlign v);
    virtual void SetMainBitmap(const TBitmap* v);
    virtual void SetMainBitmapGlyphs(int v);
    virtual void SetOnEnterBitmap(const TBitmap* v);
    virtual void SetOnEnterGlyphs(int v);
    virtual void SetOnEnterInterval(int v);
    virtual void SetOnExitBitmap(const TBitmap* v);
    virtual void SetOnExitGlyphs(int v);
    virtual void SetOnExitInterval(int v);
    virtual void SetOnClickBitmap(const TBitmap* v);
    virtual void SetOnClickGlyphs(int v);
    virtual void SetOnClickInterval(int v);
    virtual void SetTransparent(bool v);
    virtual void SetPeaksNumber(int v);
    virtual void SetButtonAngle(int v);
    virtual void SetButtonWidth(int v);
    virtual void SetButtonHeight(int v);
    virtual void SetBitmapTop(int v);
    virtual void SetBitmapLeft(int v);
    virtual void SetBitmapHAlign(TIAHAlign v);
    virtual void SetBitmapVAlign(TIAVAlign v);
    virtual void SetStringButtonRegion(const std::string& v);
    virtual void SetUserRGNAUTO(bool v);
    virtual void SetRotationPointX(int v);
    virtual void SetRotationPointY(int v);
    virtual void SetRotationCenterFixed(bool v);
    virtual void SetRotated(bool v);
    virtual void SetRotatedTime(int v);
    virtual void SetRotatedAngle(int v);
    virtual void SetCaptionFixed(bool v);
    virtual void SetButtonColor1(TColor v);
    virtual void SetGradientKind(TIAGradientKind v);
    virtual void SetGradientAngle(int v);
    virtual void SetGradientFixed(bool v);
    virtual void SetCaption3dKind(TIACaption3dKind v);
    virtual void SetRadiusRatio(double v);
    virtual void SetArcAngle(double v);
    void SetButtonKind(TIAButtonKind v);
    void SetButton3DKind(TIA3DKind v);
    void SetCustomDraw(bool v);
    void SetShowFocusRGN(bool v);
    // The control's font; a change repaints the face (CM_FONTCHANGED).
    void SetFont(const TFont& font);
    void SetText(const std::string& text) override;

    // ---- state, for the owner and for tests ----
    const TBitmap& FaceBitmap() const { return face_; }
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }
    bool FocusedStyle() const { return focused_; }
    // Times the face was painted and the shape built (the work the setters cause).
    int FacePaints() const { return facePaints_; }
    int ShapeBuilds() const { return shapeBuilds_; }
    bool AnimationRunning(int which) const;  // 0 enter, 1 exit, 2 click
    bool AnimationTimerRunning() const { return timer_ && timer_->Running(); }
    // Whether the rotation thread exists (it is made with the window).
    bool HasRotationThread() const { return rotateTimer_ != nullptr; }
    bool RegionPending() const { return pendingWindowRgn_.has_value(); }
    const TRegion& OutlineFrameRegion() const { return rgnFrame_; }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    virtual void SetButtonStyle(bool isDefault);
    virtual void Paint();
    virtual void PaintBitmaps(bool pressed);

private:
    struct Animation {
        TBitmap strip;
        int glyphs = 1;
        int interval = 40;
        int frame = 0;
        bool running = false;
    };

    // shape and state (IAeverButton.cpp)
    void SetNewKind();
    void BuildRegions(TPolygonSet outline);
    void ResizeForArc(int newHeight);
    void RebuildAndInvalidate();
    void RepaintFaceAndInvalidate();
    const TRegion* ActiveUserRegion() const;
    void RefreshUserOutline();
    void MoveToNewPosition(int width, int height, bool redraw);
    void InvalidateUncovered(const TRegion& oldRegion, const TRect& oldPlace);
    TColor TurningBackground();
    bool PlacedByHand() const;
    void ResizeToShape();
    bool ButtonFocusTarget(HWND sender) const;

    // messages (IAeverButtonMessages.cpp)
    void WMPaint();
    void CNDrawItem(TMessage& m);
    void CNMeasureItem(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void CMMouseEnter();
    void CMMouseLeave();
    void WMSize(TMessage& m);
    void WMMove(TMessage& m);
    void CMCloseTimer();
    void CMRotatedOn();
    void CMFocusChanged(TMessage& m);
    void WMKeyDown(TMessage& m);

    // animations (IAeverButtonMessages.cpp)
    Animation& AnimationAt(int which);
    void StartAnimation(Animation& a);
    void StopAnimation(Animation& a);
    void AnimaGoOn();
    void DrawBMPGlyph(const Animation& a);

    // face (IAeverButtonFace.cpp)
    void GetMainBitmap();
    void PaintFill(TCanvas& canvas);
    void DrawBevel(TCanvas& canvas);
    void DrawCaptionAll(TCanvas& canvas);
    TPoint GlyphPosition(int glyphWidth, int glyphHeight) const;

    // properties
    int captionTop_ = 5, captionLeft_ = 5, captionAngle_ = 0;
    TColor buttonColor_ = clBtnFace, buttonColor1_ = clBtnShadow;
    TIAButtonKind kind_ = bkRect, prevKind_ = bkRect;
    TIA3DKind kind3d_ = dk3D;
    int depth_ = 2;
    TIAHAlign captionHAlign_ = haCenter, bitmapHAlign_ = haLeft;
    TIAVAlign captionVAlign_ = vaCenter, bitmapVAlign_ = vaTop;
    TBitmap mainBitmap_;
    int mainGlyphs_ = 1;
    Animation enter_, exit_, click_;
    bool transparent_ = false;
    int peaks_ = 6;
    int angle_ = 0;
    int buttonWidth_ = 0, buttonHeight_ = 0;
    int bitmapTop_ = 5, bitmapLeft_ = 5;
    std::string stringButtonRegion_;
    bool userRgnAuto_ = true;
    int rotationPointX_ = 0, rotationPointY_ = 0;
    bool rotationCenterFixed_ = false;
    bool rotated_ = false;
    int rotatedTime_ = 40, rotatedAngle_ = 40;
    bool captionFixed_ = false;
    TIAGradientKind gradientKind_ = gkNone;
    int gradientAngle_ = 450;
    bool gradientFixed_ = false;
    TBitmap gradientBitmap_;
    int gradientBitmapLine_ = 0;
    TIACaption3dKind caption3dKind_ = ckSimple;
    double radiusRatio_ = 0.5;
    double arcAngle_ = 2.0943951023931953;
    bool customDraw_ = false;
    bool showFocusRgn_ = true;
    TFont font_;

    // state
    TBitmap face_;
    bool pressed_ = false, hot_ = false, focused_ = false;
    bool builtPressed_ = false, builtHot_ = false, builtEnabled_ = true;
    TDrawItemStruct lastDrawItem_;
    TPoint newPosition_;
    int angleChange_ = 0;
    std::optional<TPoint> loadedPosition_;
    bool loaded_ = false;
    bool ignoreFirstFocus_ = true;
    bool hadFocus_ = false;
    bool ignoreMove_ = false, ignoreSize_ = false, internalResize_ = false;
    bool applyingRegion_ = false;
    bool movingToShape_ = false;  // a move of the shape routines, not a place given to the control
    int facePaints_ = 0, shapeBuilds_ = 0;

    // user shape
    TRegion userStringRgn_, userHandedRgn_;
    bool hasStringRgn_ = false, hasHandedRgn_ = false, handedIsActive_ = false;
    TUserOutline userOutline_;

    // regions in control coordinates
    std::optional<TRegion> pendingWindowRgn_;
    TRegion rgnFrame_, rgnInnerFrame_, rgnFocus_;
    TRegion rgnOuterLight_, rgnOuterDark_, rgnInnerLight_, rgnInnerDark_;

    std::unique_ptr<TTimer> timer_;
    // The rotation thread reads the window handle from here, never from the button.
    std::shared_ptr<std::atomic<HWND>> threadTarget_ = std::make_shared<std::atomic<HWND>>(0);
    std::unique_ptr<TiaRotateTimer> rotateTimer_;
};
