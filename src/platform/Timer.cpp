#include "platform/Controls.h"
#include "platform/Window.h"

// The timer's hidden window, which receives its WM_TIMER.
class TTimer::Window : public TWindowProc {
public:
    explicit Window(TTimer& owner) : owner_(owner) { handle_ = CreateWindowHandle(this, TWindowParams{"TTimerWindow", 0, 0, 0, 0, {}}); }
    ~Window() override { DestroyWindow(handle_); }
    HWND Handle() const { return handle_; }

    void WndProc(TMessage& message) override {
        if (message.Msg != WM_TIMER) return;
        // The handler may destroy the timer and with it this window: run a copy of it and
        // touch nothing of ours afterwards.
        const TNotifyEvent handler = owner_.onTimer_;
        TTimer* timer = &owner_;
        if (handler) handler(timer);
    }

private:
    TTimer& owner_;
    HWND handle_ = 0;
};

TTimer::TTimer() : window_(std::make_unique<Window>(*this)) {}

TTimer::~TTimer() = default;

void TTimer::UpdateTimer() {
    KillTimer(window_->Handle(), 1);
    if (Running()) SetTimer(window_->Handle(), 1, interval_);
}

bool TTimer::Running() const { return enabled_ && interval_ > 0 && static_cast<bool>(onTimer_); }

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}
