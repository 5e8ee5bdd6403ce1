// Saves killed at random moments and saves of two processes at once: the target is always one
// whole version, and killed saves leave at most one temporary file per target. Appends killed at
// random never make two lines one.
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
#include "platform/FileOperations.h"

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

// The real file system on a disk that takes at most 512 bytes a write, as a slow one may. It
// leaves out the sync, which guards against a lost disk and not against a killed process, so
// that the time goes to writing and kills fall inside lines.
class SmallWrites : public FileOperations {
public:
    ssize_t Write(int fd, const void* data, size_t size) override {
        return FileOperations::Write(fd, data, size < 512 ? size : 512);
    }
    bool SyncFile(int) override { return true; }
};

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

// An append killed half-way may leave the start of its line, but the next append never joins its
// own line to it: every line is a whole one, or the start of one right before the next append's.
TEST_F(InterruptedSavesTest, AppendsKilledAtRandomNeverFuseWithTheNextOne) {
    // A line takes many writes of a slow disk, so that kills fall inside lines.
    const std::string tail(64 * 1024, 'x');
    SmallWrites slowDisk;
    auto appendLine = [this, &slowDisk](const std::string& line) {
        TFile file(slowDisk);
        return file.OpenAppend(Target()) && (file.WriteLine(line), file.Close());
    };
    auto isWhole = [&tail](const std::string& line) {
        const size_t blank = line.find(' ');
        return line.rfind("k-", 0) == 0 && blank != std::string::npos && line.substr(blank + 1) == tail;
    };
    auto isStartOfOne = [&tail](const std::string& line) {
        const size_t blank = line.find(' ');
        return std::string("k-").rfind(line.substr(0, 2), 0) == 0 &&
               (blank == std::string::npos || tail.rfind(line.substr(blank + 1), 0) == 0);
    };
    std::mt19937 random(815);
    std::uniform_int_distribution<int> delay(0, 4000);
    int torn = 0;
    for (int round = 0; round < kKills; ++round) {
        WriteProgramFile("ziel.dat", "Anfang");
        const pid_t child = fork();
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (int n = 0;; ++n)
                if (!appendLine(Name("k", round, n) + " " + tail)) _exit(2);
        }
        usleep(static_cast<useconds_t>(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "an append failed in round " << round;
        ASSERT_TRUE(appendLine("Ende"));
        const std::string content = ReadProgramFile("ziel.dat");
        std::vector<std::string> lines;
        for (size_t start = 0, end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(content.substr(start, end - start));
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines.front(), "Anfang") << "the unfinished first line stays whole";
        EXPECT_EQ(lines.back(), "Ende");
        EXPECT_EQ(content.size(), content.rfind("Ende\r\n") + 6) << "nothing after the last append";
        for (size_t i = 1; i + 1 < lines.size(); ++i) {
            const bool whole = isWhole(lines[i]);
            EXPECT_TRUE(whole || (i + 2 == lines.size() && isStartOfOne(lines[i])))
                << "round " << round << ", line " << i << " is neither whole nor the start of one";
            torn += !whole;
        }
    }
    EXPECT_GT(torn, 0) << "no kill fell inside an append";
}
