#pragma once
#include "frontend/InputReader.h"

// The terminal as the input: read from its file descriptor, waited on with a timeout so that the
// window's timer runs while nothing is typed. Ctrl-D ends the input only for the moment: the
// next read waits for more. A terminal that hangs up or fails, or ends again and again without a
// byte in between (no one is typing any more), ends for good.
class TerminalSource : public InputSource {
public:
    explicit TerminalSource(int fd) : fd_(fd) {}
    int Get() override;
    bool Wait(int ms) override;
    bool Resumes() const override { return !gone_ && endsInARow_ < kMaxEndsInARow; }

    static constexpr int kMaxEndsInARow = 8;

private:
    bool Fill();

    int fd_;
    char buffer_[4096];
    long filled_ = 0;
    long next_ = 0;
    int endsInARow_ = 0;
    bool hungUp_ = false;
    bool gone_ = false;
};
