// Saves killed at random moments and saves of two processes at once: the target is always one
// whole version, and killed saves leave at most one temporary file per target.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/TFile.h"
#include "platform/AtomicFile.h"

namespace {

constexpr int kKills = 120;
constexpr int kSavesPerWriter = 150;
constexpr int kLinesPerVersion = 40;

// Saves the lines as the target's new content; true when the save completed.
using Saver = bool (*)(const std::string& target, const std::vector<std::string>& lines);

bool SaveWithTFile(const std::string& target, const std::vector<std::string>& lines) {
    TFile file;
    file.SetSafeWrite(true);
    if (!file.OpenWrite(target, false)) return false;
    for (const std::string& line : lines) file.WriteLine(line);
    return file.Close();
}

bool SaveWithDateihandling(const std::string& target, const std::vector<std::string>& lines) {
    Dateihandling file;
    if (!file.Open(target, "W", false)) return false;
    for (const std::string& line : lines) file.WriteLine(line);
    return file.Close();
}

bool SaveAtomically(const std::string& target, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    return WriteFileAtomically(target, content);
}

// One version of the file: a first line naming it, then lines that all carry its name, so that
// bytes of two versions cannot pass for one.
std::vector<std::string> Version(const std::string& name) {
    std::vector<std::string> lines{"Fassung " + name};
    for (int i = 1; i <= kLinesPerVersion; ++i)
        lines.push_back(name + " Zeile " + std::to_string(i) + " der Spielplan des Stadtpokals");
    return lines;
}

std::string Bytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::string Name(const std::string& writer, int round, int save) {
    return writer + "-" + std::to_string(round) + "-" + std::to_string(save);
}

class InterruptedSavesTest : public ProgramTest {
protected:
    std::string Target() const { return folder + "ziel.dat"; }

    // The name of the version the target holds; fails when it holds no whole version.
    std::string WholeVersion() const {
        const std::string content = ReadProgramFile("ziel.dat");
        const size_t end = content.find("\r\n");
        const std::string first = content.substr(0, end);
        if (end == std::string::npos || first.rfind("Fassung ", 0) != 0) {
            ADD_FAILURE() << "no whole version: " << content.substr(0, 200);
            return {};
        }
        const std::string name = first.substr(8);
        EXPECT_EQ(content, Bytes(Version(name))) << "version " << name << " is not whole";
        return name;
    }

    // Files beside the target; logs and the test's settings folder left out.
    int FilesBesideTheTarget() const {
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            files += name != "ziel.dat" && name != "config" && name != "error.log" && name != "debug.log";
        }
        return files;
    }

    // A process that saves version after version, writing the number of each finished save to
    // `report`, until it is killed.
    static pid_t StartSaving(Saver save, const std::string& target, const std::string& writer, int round,
                             int report, int saves) {
        const pid_t child = fork();
        if (child != 0) return child;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        for (int n = 0; saves == 0 || n < saves; ++n) {
            if (!save(target, Version(Name(writer, round, n)))) _exit(2);
            if (report >= 0 && write(report, &n, sizeof n) != static_cast<ssize_t>(sizeof n)) _exit(3);
        }
        _exit(0);
    }

    // The number of the last save a killed writer reported finished.
    static std::optional<int> LastReported(int report) {
        std::optional<int> last;
        int n = 0;
        while (read(report, &n, sizeof n) == static_cast<ssize_t>(sizeof n)) last = n;
        return last;
    }

    void KillWhileSaving(Saver save) {
        ASSERT_TRUE(save(Target(), Version("anfang")));
        std::string current = "anfang";
        std::mt19937 random(4711);
        std::uniform_int_distribution<int> delay(0, 4000);
        int interrupted = 0;
        for (int round = 0; round < kKills; ++round) {
            int report[2];
            ASSERT_EQ(pipe2(report, O_CLOEXEC), 0);
            const pid_t child = StartSaving(save, Target(), "k", round, report[1], 0);
            close(report[1]);
            usleep(static_cast<useconds_t>(delay(random)));
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            const std::optional<int> last = LastReported(report[0]);
            close(report[0]);
            ASSERT_TRUE(WIFSIGNALED(status)) << "a save failed in round " << round;

            // The old version or the one being saved, whole.
            const std::string found = WholeVersion();
            if (last)
                EXPECT_TRUE(found == Name("k", round, *last) || found == Name("k", round, *last + 1)) << found;
            else
                EXPECT_TRUE(found == current || found == Name("k", round, 0)) << found;
            current = found;
            const int left = FilesBesideTheTarget();
            ASSERT_LE(left, 1) << "temporary files pile up after round " << round;
            interrupted += left;
        }
        EXPECT_GT(interrupted, 0) << "no kill fell inside a save";
        ASSERT_TRUE(save(Target(), Version("ende")));
        EXPECT_EQ(WholeVersion(), "ende");
        EXPECT_EQ(FilesBesideTheTarget(), 0) << "the next save clears what a killed one left";
    }

    void TwoWritersAtOnce(Saver save) {
        ASSERT_TRUE(save(Target(), Version("anfang")));
        const pid_t first = StartSaving(save, Target(), "a", 0, -1, kSavesPerWriter);
        const pid_t second = StartSaving(save, Target(), "b", 0, -1, kSavesPerWriter);
        int firstStatus = -1, secondStatus = -1, looks = 0;
        while (waitpid(first, &firstStatus, WNOHANG) == 0 || waitpid(second, &secondStatus, WNOHANG) == 0) {
            if (WholeVersion().empty()) break;
            ++looks;
        }
        if (firstStatus == -1) waitpid(first, &firstStatus, 0);
        if (secondStatus == -1) waitpid(second, &secondStatus, 0);
        for (int status : {firstStatus, secondStatus}) {
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 0) << "every save of both writers completes";
        }
        // The last save to finish is one writer's last: it wins, whole.
        const std::string last = WholeVersion();
        EXPECT_TRUE(last == Name("a", 0, kSavesPerWriter - 1) || last == Name("b", 0, kSavesPerWriter - 1)) << last;
        EXPECT_EQ(FilesBesideTheTarget(), 0);
        EXPECT_GT(looks, 0);
    }
};

}  // namespace

TEST_F(InterruptedSavesTest, TFileSafeWriteKilledAtRandomKeepsAWholeVersion) { KillWhileSaving(SaveWithTFile); }

TEST_F(InterruptedSavesTest, DateihandlingKilledAtRandomKeepsAWholeVersion) { KillWhileSaving(SaveWithDateihandling); }

TEST_F(InterruptedSavesTest, AtomicWriterKilledAtRandomKeepsAWholeVersion) { KillWhileSaving(SaveAtomically); }

TEST_F(InterruptedSavesTest, TwoProcessesSavingWithTFileNeverMixTheirBytes) { TwoWritersAtOnce(SaveWithTFile); }

TEST_F(InterruptedSavesTest, TwoProcessesSavingWithDateihandlingNeverMixTheirBytes) {
    TwoWritersAtOnce(SaveWithDateihandling);
}

TEST_F(InterruptedSavesTest, TwoProcessesSavingAtomicallyNeverMixTheirBytes) { TwoWritersAtOnce(SaveAtomically); }
