#pragma once
#include <atomic>
#include <functional>

#include "platform/Thread.h"

// The button's own message that turns it by one step (RotatedAngle).
constexpr unsigned CM_ROTATEDON = 0xB069;

// Turns a button step by step: after each interval it hands CM_ROTATEDON to the button's window
// through sendStep, which returns once the window thread has handled it, so every step runs on
// the window thread and the thread itself touches nothing of the button.
//
// It is created paused; Resume starts it (once) or lets it go on, Suspend parks it between two
// steps, never inside one. A stop request ends the wait at once and no further step is sent;
// a step already being sent is finished first.
class TiaRotateTimer : public TThread {
public:
    using StepSender = std::function<void(unsigned message)>;

    TiaRotateTimer(StepSender sendStep, int interval);
    ~TiaRotateTimer() override;

    int Interval() const { return interval_.load(); }
    // Takes effect from the next wait.
    void SetInterval(int ms) { interval_.store(ms < 0 ? 0 : ms); }

protected:
    void Execute() override;

private:
    StepSender sendStep_;
    std::atomic<int> interval_;
};
