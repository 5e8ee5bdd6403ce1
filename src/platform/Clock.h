#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/DateTime.h"

// The one source of the current time; tests put a manual clock in its place.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TDateTime Now() const = 0;
    // Milliseconds from an arbitrary start, never going back.
    virtual int64_t TickMs() const = 0;
};

class SystemClock : public Clock {
public:
    TDateTime Now() const override;
    int64_t TickMs() const override;
};

class ManualClock : public Clock {
public:
    explicit ManualClock(const TDateTime& start);
    TDateTime Now() const override;
    int64_t TickMs() const override;
    void Set(const TDateTime& t);
    void Advance(int64_t ms);

private:
    mutable std::mutex mutex_;
    int64_t nowMs_;
    int64_t tickMs_ = 0;
};

// nullptr restores the system clock.
void SetClock(Clock* clock);
Clock& GetClock();
TDateTime Now();
int64_t GetTickCount();
