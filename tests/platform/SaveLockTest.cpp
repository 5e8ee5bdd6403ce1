#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "TestEnvironment.h"
#include "platform/SaveLock.h"

namespace fs = std::filesystem;

namespace {

class SaveLockTest : public ProgramTest {
protected:
    std::string File() const { return folder + "pokal.tur"; }
    bool LockFileThere() const { return fs::exists(folder + "pokal.tur.sperre"); }
    // A second program that holds the lock until Finish; with release false it ends without
    // letting go, as a killed program does.
    class SecondProgram {
    public:
        SecondProgram(const std::string& file, bool release) {
            int told[2], done[2];
            if (pipe(told) != 0 || pipe(done) != 0) return;
            pid_ = fork();
            if (pid_ == 0) {
                close(told[0]);
                close(done[1]);
                SaveLock lock(file);
                const char held = lock.Granted() ? 'j' : 'n';
                char wait = 0;
                if (write(told[1], &held, 1) != 1 || read(done[0], &wait, 1) < 0) _exit(2);
                if (release) lock.Release();
                _exit(0);
            }
            close(told[1]);
            close(done[0]);
            done_ = done[1];
            char held = 0;
            holds_ = read(told[0], &held, 1) == 1 && held == 'j';
            close(told[0]);
        }
        bool Holds() const { return pid_ > 0 && holds_; }
        // Lets it end and waits for it.
        bool Finish() {
            close(done_);
            return waitpid(pid_, nullptr, 0) == pid_;
        }

    private:
        pid_t pid_ = -1;
        int done_ = -1;
        bool holds_ = false;
    };
};

}  // namespace

TEST_F(SaveLockTest, AnotherProgramWaitsUntilTheHolderLetsGoAndTheLockFileGoesWithIt) {
    SecondProgram second(File(), true);
    ASSERT_TRUE(second.Holds());
    EXPECT_TRUE(LockFileThere()) << "beside the file while a save runs";
    {
        SaveLock impatient(File(), 50);
        EXPECT_FALSE(impatient.Granted()) << "held by the other program";
    }
    EXPECT_TRUE(LockFileThere()) << "a waiter never removes what another holds";
    ASSERT_TRUE(second.Finish());
    EXPECT_FALSE(LockFileThere()) << "its holder removed it";
    {
        SaveLock lock(File(), 50);
        EXPECT_TRUE(lock.Granted());
        EXPECT_TRUE(LockFileThere());
    }
    EXPECT_FALSE(LockFileThere());
}

TEST_F(SaveLockTest, AKilledHoldersLockFileIsTakenOverAndRemovedByTheNextSave) {
    SecondProgram second(File(), false);
    ASSERT_TRUE(second.Holds());
    ASSERT_TRUE(second.Finish());
    EXPECT_TRUE(LockFileThere()) << "left behind";
    {
        SaveLock lock(File(), 50);
        EXPECT_TRUE(lock.Granted()) << "the system let go of it with its process";
    }
    EXPECT_FALSE(LockFileThere());
}

// The holder removes the lock file while one waits on it: the waiter must not take the removed
// file's lock for the save's, or a third program that makes the file anew would hold it as well.
TEST_F(SaveLockTest, AWaiterOnARemovedLockFileTakesTheNewOneSoThatTwoNeverHoldIt) {
    auto first = std::make_unique<SaveLock>(File());
    ASSERT_TRUE(first->Granted());
    std::atomic<int> second{0};  // 1 holds it, 2 refused
    std::atomic<bool> secondDone{false};
    std::thread waiter([&] {
        SaveLock lock(File());
        second = lock.Granted() ? 1 : 2;
        while (!secondDone) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    first.reset();
    while (second == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(second, 1);
    {
        SaveLock third(File(), 50);
        EXPECT_FALSE(third.Granted()) << "the second one holds it";
    }
    secondDone = true;
    waiter.join();
    EXPECT_FALSE(LockFileThere());
}

TEST_F(SaveLockTest, WithoutAFolderToMakeTheLockFileInTheSaveGoesOnWithoutIt) {
    SaveLock lock(folder + "fehlt/pokal.tur", 50);
    EXPECT_TRUE(lock.Granted()) << "the save itself fails there and says why";
    EXPECT_FALSE(fs::exists(folder + "fehlt"));
}

TEST_F(SaveLockTest, TheLockFileIsNamedAfterItsFileAndIsKnownByItsNameInAnyCase) {
    EXPECT_EQ(SaveLockFileOf("/a/Pokal.tur"), "/a/Pokal.tur.sperre");
    EXPECT_TRUE(IsSaveLockFileName("Pokal.tur.sperre"));
    EXPECT_TRUE(IsSaveLockFileName("/a/POKAL.TUR.SPERRE"));
    EXPECT_FALSE(IsSaveLockFileName(".sperre"));
    EXPECT_FALSE(IsSaveLockFileName("sperre"));
    EXPECT_FALSE(IsSaveLockFileName("Pokal.sperre.tur"));
}
