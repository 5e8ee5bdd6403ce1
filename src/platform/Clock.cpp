#include "platform/Clock.h"

#include <chrono>
#include <ctime>

namespace {
SystemClock systemClock;
std::atomic<Clock*> currentClock{&systemClock};
}  // namespace

TDateTime SystemClock::Now() const {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    TDateTime t;
    t.Year = local.tm_year + 1900;
    t.Month = local.tm_mon + 1;
    t.Day = local.tm_mday;
    t.Hour = local.tm_hour;
    t.Minute = local.tm_min;
    t.Second = local.tm_sec;
    t.Millisecond = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return t;
}

int64_t SystemClock::TickMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

ManualClock::ManualClock(const TDateTime& start) : nowMs_(datetime::ToMilliseconds(start)) {}

TDateTime ManualClock::Now() const {
    std::lock_guard lock(mutex_);
    return datetime::FromMilliseconds(nowMs_);
}

int64_t ManualClock::TickMs() const {
    std::lock_guard lock(mutex_);
    return tickMs_;
}

void ManualClock::Set(const TDateTime& t) {
    std::lock_guard lock(mutex_);
    nowMs_ = datetime::ToMilliseconds(t);
}

void ManualClock::Advance(int64_t ms) {
    std::lock_guard lock(mutex_);
    nowMs_ += ms;
    tickMs_ += ms;
}

void SetClock(Clock* clock) { currentClock.store(clock ? clock : &systemClock); }
Clock& GetClock() { return *currentClock.load(); }
TDateTime Now() { return GetClock().Now(); }
int64_t GetTickCount() { return GetClock().TickMs(); }
