#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "platform/Thread.h"

namespace {

class CountingThread : public TThread {
public:
    ~CountingThread() override { Stop(); }
    std::atomic<int> rounds{0};
    std::atomic<int> fullWaits{0};

protected:
    void Execute() override {
        while (PausePoint()) {
            if (Wait(1)) ++fullWaits;
            ++rounds;
        }
    }
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
    while (t.rounds.load() < 3) std::this_thread::yield();
    t.Suspend();
    while (!t.Parked()) std::this_thread::yield();
    const int parked = t.rounds.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(t.rounds.load(), parked);
    t.Terminate();
    t.WaitFor();
    EXPECT_TRUE(t.Finished());
    EXPECT_GT(t.fullWaits.load(), 0);
}
