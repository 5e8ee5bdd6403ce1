#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/Thread.h"

namespace {

class CountingThread : public TThread {
public:
    ~CountingThread() override { Stop(); }
    std::atomic<int> rounds{0};
    std::atomic<int> fullWaits{0};

    // Sleeps until the thread has gone round at least n times.
    void WaitForRounds(int n) {
        std::unique_lock lock(mutex_);
        counted_.wait(lock, [&] { return rounds.load() >= n; });
    }

protected:
    void Execute() override {
        while (PausePoint()) {
            if (Wait(1)) ++fullWaits;
            {
                std::lock_guard lock(mutex_);
                ++rounds;
            }
            counted_.notify_all();
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable counted_;
};

}  // namespace

TEST(PlatformThread, NeverStartedThreadStopsAtOnce) {
    CountingThread t;
    t.Stop();
    EXPECT_FALSE(t.Started());
    EXPECT_EQ(t.rounds.load(), 0);
}

TEST(PlatformThread, SuspendParksAndTerminateEnds) {
    CountingThread t;
    t.Resume();
    t.WaitForRounds(3);
    t.Suspend();
    t.WaitParked();
    EXPECT_TRUE(t.Parked());
    const int parked = t.rounds.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(t.rounds.load(), parked);
    t.Terminate();
    t.WaitFor();
    EXPECT_TRUE(t.Finished());
    EXPECT_GT(t.fullWaits.load(), 0);
}
