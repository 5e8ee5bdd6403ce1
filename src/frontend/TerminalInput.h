#pragma once
#include "frontend/InputReader.h"

// The terminal as the input: read from its file descriptor, waited on with a timeout so that the
// window's timer runs while nothing is typed. Ctrl-D ends the input only for the moment: the
// next read waits for more, and so does a Ctrl-C, which is taken where no line has come yet. A
// terminal that hangs up or fails, or ends again and again without a byte in between (no one is
// typing any more), ends for good; so does a signal that stops the program (StopSignals.h).
class TerminalSource : public InputSource {
public:
    explicit TerminalSource(int fd) : fd_(fd) {}
    int Get() override;
    bool Wait(int ms) override;
    bool Resumes() const override { return !gone_ && endsInARow_ < kMaxEndsInARow; }
    bool Interrupted() const override { return interrupted_; }

    static constexpr int kMaxEndsInARow = 8;

private:
    bool Fill();
    // A stop, or a Ctrl-C (taken now), ends the input before the next read.
    bool EndedBySignal();

    int fd_;
    char buffer_[4096];
    long filled_ = 0;
    long next_ = 0;
    int endsInARow_ = 0;
    bool hungUp_ = false;
    bool gone_ = false;
    bool interrupted_ = false;
};

// Standard input that is no terminal (a pipe, a file), read as it comes and ending once; a wait
// for it ends when a signal stops the program.
class DescriptorSource : public InputSource {
public:
    explicit DescriptorSource(int fd) : fd_(fd) {}
    int Get() override;

private:
    bool Fill();

    int fd_;
    char buffer_[4096];
    long filled_ = 0;
    long next_ = 0;
    bool ended_ = false;
};
