#include "platform/Application.h"

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::ActivateHint(TControl& control, TPoint clientPos, const std::string& hint) {
    THintInfo info;
    info.HintControl = &control;
    info.CursorPos = TPoint{control.Left + clientPos.x, control.Top + clientPos.y};
    info.HintPos = TPoint{info.CursorPos.x, info.CursorPos.y + 20};
    info.CursorRect = Rect(0, 0, control.Width, control.Height);
    std::string text = hint;
    bool canShow = true;
    if (OnShowHint) OnShowHint(text, canShow, info);
    hintShowing_ = canShow && !text.empty();
    hintText_ = hintShowing_ ? text : std::string();
    hintPos_ = info.HintPos;
}

void TApplication::CancelHint() {
    hintShowing_ = false;
    hintText_.clear();
}

bool TApplication::Idle() {
    bool done = true;
    if (OnIdle) OnIdle(this, done);
    return done;
}
