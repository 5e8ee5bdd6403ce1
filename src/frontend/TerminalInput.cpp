#include "frontend/TerminalInput.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

bool TerminalSource::Fill() {
    long got;
    do got = read(fd_, buffer_, sizeof buffer_);
    while (got < 0 && errno == EINTR);
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
    if (next_ == filled_ && !Fill()) return -1;
    return static_cast<unsigned char>(buffer_[next_++]);
}

bool TerminalSource::Wait(int ms) {
    if (next_ < filled_ || !Resumes()) return true;
    pollfd wanted{fd_, POLLIN, 0};
    const int ready = poll(&wanted, 1, ms < 0 ? 0 : ms);
    if (ready < 0) return errno != EINTR;
    // A hang-up or an error is read as the end, for good.
    if (wanted.revents & (POLLHUP | POLLERR | POLLNVAL)) hungUp_ = true;
    return ready > 0;
}
