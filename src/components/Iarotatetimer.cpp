#include "components/Iarotatetimer.h"

TiaRotateTimer::TiaRotateTimer(StepSender sendStep, int interval) : sendStep_(std::move(sendStep)), interval_(interval < 0 ? 0 : interval) {}

TiaRotateTimer::~TiaRotateTimer() { Stop(); }

void TiaRotateTimer::Execute() {
    while (PausePoint()) {
        // A cut-short wait means a pause or stop request: go back to the pause point first.
        if (!Wait(Interval())) continue;
        if (sendStep_) sendStep_(CM_ROTATEDON);
    }
}
