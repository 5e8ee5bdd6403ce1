#pragma once
#include <functional>
#include <string>

#include "platform/Controls.h"
#include "platform/Geometry.h"

// What a hint handler may read and change before a hint is shown. Positions are on the screen
// (a control's client point plus its Left and Top).
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    TPoint HintPos;
    TRect CursorRect;
};

using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;

// The application's hint window and idle time. A hint is asked for when the mouse rests on a
// control; OnShowHint may change its text and position or refuse it.
class TApplication : public TComponent {
public:
    std::string ClassName() const override { return "TApplication"; }
    TShowHintEvent OnShowHint;
    TIdleEvent OnIdle;

    // The mouse rests at a client point of a control whose own hint text is hint.
    void ActivateHint(TControl& control, TPoint clientPos, const std::string& hint);
    void CancelHint();
    // No message waiting: the idle handler runs; true when it reports it is done.
    bool Idle();

    bool HintShowing() const { return hintShowing_; }
    const std::string& HintText() const { return hintText_; }
    TPoint HintPos() const { return hintPos_; }

private:
    bool hintShowing_ = false;
    std::string hintText_;
    TPoint hintPos_;
};

TApplication& Application();
