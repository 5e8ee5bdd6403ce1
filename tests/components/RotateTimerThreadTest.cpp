#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

#include "components/Iarotatetimer.h"

namespace {

// A stand-in for the button's window thread: the timer's sends wait until the test thread
// has handled them, as a sent message waits for its window.
class WindowThread {
public:
    TiaRotateTimer::StepSender Sender() {
        return [this](unsigned message) {
            std::unique_lock lock(mutex_);
            const long ticket = ++posted_;
            queue_.push_back(message);
            senders_.insert(std::this_thread::get_id());
            changed_.notify_all();
            changed_.wait(lock, [&] { return handled_ >= ticket; });
        };
    }
    // Handles what has been sent so far; returns how many steps were handled in total.
    int Pump() {
        std::lock_guard lock(mutex_);
        while (!queue_.empty()) {
            if (queue_.front() == CM_ROTATEDON) ++steps_;
            queue_.pop_front();
            ++handled_;
        }
        changed_.notify_all();
        return steps_;
    }
    // Pumps until at least n steps were handled, sleeping while nothing is sent.
    void PumpUntil(int n) {
        while (Pump() < n) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return !queue_.empty(); });
        }
    }
    // Pumps whatever is sent within the span.
    void PumpFor(std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        for (;;) {
            Pump();
            std::unique_lock lock(mutex_);
            if (!changed_.wait_until(lock, end, [&] { return !queue_.empty(); })) return;
        }
    }
    size_t SenderThreads() {
        std::lock_guard lock(mutex_);
        return senders_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<unsigned> queue_;
    std::set<std::thread::id> senders_;
    long posted_ = 0;
    long handled_ = 0;
    int steps_ = 0;
};

constexpr int kOneHour = 3600 * 1000;

}  // namespace

TEST(RotateTimerThread, CreatedPausedAndSendsNothingBeforeResume) {
    WindowThread window;
    TiaRotateTimer timer(window.Sender(), 1);
    window.PumpFor(std::chrono::milliseconds(20));
    EXPECT_EQ(window.Pump(), 0);
    EXPECT_FALSE(timer.Started());
    timer.Stop();
}

TEST(RotateTimerThread, ResumeStartsOnceAndStepsArriveOnTheWindowThread) {
    WindowThread window;
    TiaRotateTimer timer(window.Sender(), 1);
    timer.Resume();
    timer.Resume();
    window.PumpUntil(3);
    timer.Suspend();
    timer.Resume();
    window.PumpUntil(6);
    timer.Stop([&] { window.Pump(); });
    EXPECT_EQ(window.SenderThreads(), 1u);
    EXPECT_TRUE(timer.Finished());
}

TEST(RotateTimerThread, PauseParksBetweenStepsAndResumeGoesOn) {
    WindowThread window;
    TiaRotateTimer timer(window.Sender(), 1);
    timer.Resume();
    window.PumpUntil(2);
    timer.Suspend();
    timer.WaitParked([&] { window.Pump(); });
    const int parkedAt = window.Pump();
    window.PumpFor(std::chrono::milliseconds(20));
    EXPECT_EQ(window.Pump(), parkedAt);
    timer.Resume();
    window.PumpUntil(parkedAt + 2);
    timer.Stop([&] { window.Pump(); });
}

TEST(RotateTimerThread, StopCutsALongWaitShortAndSendsNoFurtherStep) {
    WindowThread window;
    TiaRotateTimer timer(window.Sender(), kOneHour);
    timer.Resume();
    timer.Stop([&] { window.Pump(); });  // would hang for an hour with a plain sleep
    EXPECT_TRUE(timer.Finished());
    EXPECT_EQ(window.Pump(), 0);
}

TEST(RotateTimerThread, StopWhilePausedWakesTheThread) {
    WindowThread window;
    TiaRotateTimer timer(window.Sender(), kOneHour);
    timer.Resume();
    timer.Suspend();
    timer.WaitParked();
    timer.Stop();
    EXPECT_TRUE(timer.Finished());
}

TEST(RotateTimerThread, NoRestartAfterStopAndIntervalChangesApply) {
    WindowThread window;
    TiaRotateTimer timer(window.Sender(), kOneHour);
    timer.SetInterval(-5);
    EXPECT_EQ(timer.Interval(), 0);
    timer.SetInterval(1);
    timer.Resume();
    window.PumpUntil(2);
    timer.Stop([&] { window.Pump(); });
    const int steps = window.Pump();
    timer.Resume();
    window.PumpFor(std::chrono::milliseconds(10));
    EXPECT_EQ(window.Pump(), steps);
    EXPECT_FALSE(timer.Started() && !timer.Finished());
}

TEST(RotateTimerThread, DestroyingARunningTimerStopsIt) {
    {
        TiaRotateTimer timer([](unsigned) {}, 1);
        timer.Resume();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    SUCCEED();
}
