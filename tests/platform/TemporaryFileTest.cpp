#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>

#include "TestEnvironment.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/TemporaryFile.h"

namespace fs = std::filesystem;

namespace {

class TemporaryFileTest : public ProgramTest {
protected:
    std::string Target() const { return folder + "turnier.tur"; }
    // Every file of the folder but the target.
    std::set<std::string> Others() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename() != "turnier.tur" && entry.path().filename() != "config")
                names.insert(entry.path().filename().string());
        return names;
    }
    // The id of a process that has ended and been reaped.
    static pid_t DeadProcess() {
        const pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        return child;
    }
    void LeaveFile(const std::string& name) const { WriteProgramFile(name, "halb geschrieben"); }
};

// The real file system, except that the rename over the target fails.
class FailingRename : public FileOperations {
public:
    bool Rename(const std::string&, const std::string&) override { return false; }
};

}  // namespace

TEST_F(TemporaryFileTest, EachWriterHasANameOfItsOwnBesideTheTarget) {
    TemporaryFile first, second;
    const int a = first.Create(Target()), b = second.Create(Target());
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_NE(first.Name(), second.Name());
    for (const TemporaryFile* file : {&first, &second}) {
        EXPECT_EQ(fs::path(file->Name()).parent_path(), fs::path(Target()).parent_path());
        EXPECT_TRUE(IsTemporaryFileOf(fs::path(file->Name()).filename().string(), "turnier.tur")) << file->Name();
    }
    close(a);
    close(b);
}

TEST_F(TemporaryFileTest, NamesOfOtherTargetsAreNotTakenForOnes) {
    EXPECT_TRUE(IsTemporaryFileOf("t.123.4.tmp", "t"));
    EXPECT_FALSE(IsTemporaryFileOf("t.1.123.4.tmp", "t")) << "a temporary file of t.1";
    EXPECT_TRUE(IsTemporaryFileOf("t.1.123.4.tmp", "t.1"));
    EXPECT_FALSE(IsTemporaryFileOf("t.123.tmp", "t"));
    EXPECT_FALSE(IsTemporaryFileOf("t.tmp", "t"));
    EXPECT_FALSE(IsTemporaryFileOf("tx.123.4.tmp", "t"));
    EXPECT_FALSE(IsTemporaryFileOf("t.12a.4.tmp", "t"));
    EXPECT_FALSE(IsTemporaryFileOf("t.123.4.tmp.tmp", "t"));
    EXPECT_FALSE(IsTemporaryFileOf("t.0.4.tmp", "t"));
}

TEST_F(TemporaryFileTest, WhatADeadWriterLeftGoesWithTheNextSaveOfItsTargetOnly) {
    const std::string dead = std::to_string(DeadProcess());
    LeaveFile("turnier.tur." + dead + ".1.tmp");
    LeaveFile("turnier.tur." + dead + ".2.tmp");
    LeaveFile("anderes.tur." + dead + ".1.tmp");
    LeaveFile("turnier.tmp");  // not a name this program gives a temporary file
    EXPECT_TRUE(WriteFileAtomically(Target(), "neu"));
    EXPECT_EQ(ReadProgramFile("turnier.tur"), "neu");
    EXPECT_EQ(Others(), (std::set<std::string>{"anderes.tur." + dead + ".1.tmp", "turnier.tmp"}));
}

TEST_F(TemporaryFileTest, ALiveWritersFileStaysAndGoesOnceItIsKilled) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t writer = fork();
    if (writer == 0) {
        TemporaryFile file;
        const int fd = file.Create(Target());
        char done = fd >= 0 ? 'j' : 'n';
        if (write(ready[1], &done, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'j');
    EXPECT_EQ(Others().size(), 1u);
    RemoveStaleTemporaryFiles(Target());
    EXPECT_EQ(Others().size(), 1u) << "the file of a writer at work stays";
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    EXPECT_EQ(Others().size(), 1u);
    RemoveStaleTemporaryFiles(Target());
    EXPECT_TRUE(Others().empty());
    close(ready[0]);
    close(ready[1]);
}

TEST_F(TemporaryFileTest, ThisProcessKeepsTheFilesItWritesAndClearsOnesOfItsIdItDoesNot) {
    // A file with this process's id that it is not writing was left by an earlier process that
    // had the same id.
    const std::string earlier = "turnier.tur." + std::to_string(getpid()) + ".999999.tmp";
    LeaveFile(earlier);
    TemporaryFile writing;
    const int fd = writing.Create(Target());
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(fs::exists(folder + earlier));
    TemporaryFile second;
    const int other = second.Create(Target());
    ASSERT_GE(other, 0);
    EXPECT_TRUE(fs::exists(writing.Name())) << "a second writer of this process leaves the first alone";
    close(fd);
    close(other);
}

TEST_F(TemporaryFileTest, AFileNotPutInPlaceIsRemoved) {
    WriteProgramFile("turnier.tur", "alt");
    {
        TemporaryFile dropped;
        const int fd = dropped.Create(Target());
        ASSERT_GE(fd, 0);
        close(fd);
    }
    FailingRename failing;
    TemporaryFile refused;
    const int fd = refused.Create(Target());
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_FALSE(refused.PutInPlace(failing));
    EXPECT_FALSE(refused.Pending());
    EXPECT_TRUE(Others().empty());
    EXPECT_EQ(ReadProgramFile("turnier.tur"), "alt");
}

// A save whose target's link was followed once, at a check, writes by that name alone: a link
// another process put in its place since is refused, and the file it leads to stays untouched.
TEST_F(TemporaryFileTest, ATargetAsCheckedIsNeverWrittenThroughALinkThatCameSince) {
    WriteProgramFile("teams.dat", "Adler\r\n");
    WriteProgramFile("turnier.tur", "alt");
    std::string checked;
    ASSERT_TRUE(FollowLink(Target(), checked));
    EXPECT_EQ(checked, Target()) << "no link: the name itself";
    fs::remove(Target());
    fs::create_symlink(folder + "teams.dat", Target());
    TemporaryFile asChecked;
    errno = 0;
    EXPECT_LT(asChecked.Create(checked, SystemFileOperations(), TargetLink::AsChecked), 0);
    EXPECT_EQ(errno, ELOOP);
    EXPECT_FALSE(asChecked.Pending());
    TemporaryFile followed;
    const int fd = followed.Create(Target());
    ASSERT_GE(fd, 0) << "followed as before: the link stays and the file behind it is the target";
    EXPECT_EQ(followed.Target(), folder + "teams.dat");
    close(fd);
    followed.Remove();
    EXPECT_EQ(ReadProgramFile("teams.dat"), "Adler\r\n");
    EXPECT_TRUE(Others() == std::set<std::string>{"teams.dat"});
}
