#include "frontend/TerminalInput.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "frontend/StopSignals.h"

namespace {

bool SignalWaiting() { return StopSignal() != 0 || InterruptPending(); }

// Waits up to ms milliseconds (-1: as long as it takes) for fd to be readable, and wakes for a
// signal to be taken whichever thread it came to. 1 when fd is ready (revents: how), 0 when the
// time is up or a signal came, -1 when the wait failed.
int WaitForDescriptor(int fd, int ms, short& revents) {
    pollfd wanted[2] = {{fd, POLLIN, 0}, {StopSignalWakeDescriptor(), POLLIN, 0}};
    const int ready = poll(wanted, 2, ms);
    revents = wanted[0].revents;
    if (ready < 0) return errno == EINTR ? 0 : -1;
    return revents != 0 ? 1 : 0;
}

// Reads into the buffer once fd is readable; the bytes read, 0 at the end, -1 for an error, and
// -2 when a signal came first.
long ReadWhenReady(int fd, char* buffer, size_t size) {
    for (;;) {
        if (SignalWaiting()) return -2;
        short revents = 0;
        if (WaitForDescriptor(fd, -1, revents) != 0) break;
    }
    long got;
    do got = read(fd, buffer, size);
    while (got < 0 && errno == EINTR);
    return got;
}

}  // namespace

bool TerminalSource::EndedBySignal() {
    if (StopSignal() != 0) return true;
    interrupted_ = TakeInterrupt();
    return interrupted_;
}

bool TerminalSource::Fill() {
    const long got = ReadWhenReady(fd_, buffer_, sizeof buffer_);
    if (got == -2) return false;
    if (got < 0 || (got == 0 && hungUp_)) gone_ = true;
    if (got <= 0) {
        ++endsInARow_;
        return false;
    }
    endsInARow_ = 0;
    filled_ = got;
    next_ = 0;
    return true;
}

int TerminalSource::Get() {
    interrupted_ = false;
    // A signal that came while the read waited is taken as the reason it ended.
    if (next_ == filled_ && !EndedBySignal() && !Fill()) EndedBySignal();
    if (next_ == filled_) return -1;
    return static_cast<unsigned char>(buffer_[next_++]);
}

bool TerminalSource::Wait(int ms) {
    if (next_ < filled_ || !Resumes() || SignalWaiting()) return true;
    short revents = 0;
    const int ready = WaitForDescriptor(fd_, ms < 0 ? 0 : ms, revents);
    if (ready < 0) return true;
    // A hang-up or an error is read as the end, for good.
    if (revents & (POLLHUP | POLLERR | POLLNVAL)) hungUp_ = true;
    return ready > 0 || SignalWaiting();
}

bool DescriptorSource::Fill() {
    if (ended_) return false;
    const long got = ReadWhenReady(fd_, buffer_, sizeof buffer_);
    if (got == -2) return false;
    if (got <= 0) {
        ended_ = true;
        return false;
    }
    filled_ = got;
    next_ = 0;
    return true;
}

int DescriptorSource::Get() {
    if (next_ == filled_ && !Fill()) return -1;
    return static_cast<unsigned char>(buffer_[next_++]);
}
