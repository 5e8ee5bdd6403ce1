#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "TestEnvironment.h"
#include "platform/AtomicFile.h"
#include "platform/FileOperations.h"

namespace fs = std::filesystem;

class AtomicFileTest : public ProgramTest {
protected:
    int FilesInFolder() const {
        int count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
        return count;
    }
    mode_t Mode(const std::string& name) const {
        struct stat info {};
        stat((folder + name).c_str(), &info);
        return info.st_mode & 07777;
    }
};

TEST_F(AtomicFileTest, ReplacesTheContentWholeAndKeepsBytes) {
    const std::string bytes("a\0b\r\n\xff", 6);
    WriteProgramFile("ziel.dat", "alter Inhalt, der länger ist");
    EXPECT_TRUE(WriteFileAtomically(folder + "ziel.dat", bytes));
    EXPECT_EQ(ReadProgramFile("ziel.dat"), bytes);
    std::string read;
    EXPECT_EQ(ReadWholeFile(folder + "ziel.dat", 100, read), FileReadResult::Read);
    EXPECT_EQ(read, bytes);
}

TEST_F(AtomicFileTest, ExistingFileKeepsItsPermissionsNewFileGetsTheGivenOnes) {
    WriteProgramFile("alt.ini", "x");
    fs::permissions(folder + "alt.ini", fs::perms(0640));
    EXPECT_TRUE(WriteFileAtomically(folder + "alt.ini", "y", 0600));
    EXPECT_EQ(Mode("alt.ini"), 0640u);
    EXPECT_TRUE(WriteFileAtomically(folder + "neu.ini", "y", 0600));
    EXPECT_EQ(Mode("neu.ini"), 0600u);
}

TEST_F(AtomicFileTest, FailedReplaceLeavesNoTemporaryFile) {
    fs::create_directories(folder + "ordner/inhalt");
    int before = FilesInFolder();
    EXPECT_FALSE(WriteFileAtomically(folder + "ordner", "x"));
    EXPECT_TRUE(fs::is_directory(folder + "ordner/inhalt"));
    EXPECT_EQ(FilesInFolder(), before);
    EXPECT_FALSE(WriteFileAtomically(folder + "fehlt/datei", "x"));
}

TEST_F(AtomicFileTest, ReadingTellsMissingUnreadableAndTooLargeApart) {
    std::string read = "rest";
    EXPECT_EQ(ReadWholeFile(folder + "fehlt", 10, read), FileReadResult::Missing);
    EXPECT_EQ(read, "");
    fs::create_directories(folder + "ordner");
    EXPECT_EQ(ReadWholeFile(folder + "ordner", 10, read), FileReadResult::Unreadable);
    WriteProgramFile("gross", std::string(11, 'x'));
    EXPECT_EQ(ReadWholeFile(folder + "gross", 10, read), FileReadResult::TooLarge);
    EXPECT_EQ(read, "");
    EXPECT_EQ(ReadWholeFile(folder + "gross", 11, read), FileReadResult::Read);
    EXPECT_EQ(read.size(), 11u);
}

TEST_F(AtomicFileTest, APipeInPlaceOfTheFileIsRefusedAtOnce) {
    ASSERT_EQ(mkfifo((folder + "rohr").c_str(), 0600), 0);
    std::string read = "rest";
    EXPECT_EQ(ReadWholeFile(folder + "rohr", 10, read), FileReadResult::Unreadable);
    EXPECT_EQ(read, "");
}

// --- what a replaced file keeps, and what is not replaced ---

TEST_F(AtomicFileTest, AnotherUsersFileKeepsItsOwner) {
    if (geteuid() != 0) GTEST_SKIP() << "only the superuser may give a file away";
    WriteProgramFile("fremd.tur", "alt");
    ASSERT_EQ(chown((folder + "fremd.tur").c_str(), 65534, 65534), 0);
    fs::permissions(folder + "fremd.tur", fs::perms(0664));
    ASSERT_TRUE(WriteFileAtomically(folder + "fremd.tur", "neu"));
    struct stat info {};
    ASSERT_EQ(stat((folder + "fremd.tur").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(Mode("fremd.tur"), 0664u);
}

// Also the superuser, who may write anything, leaves a file marked read-only alone.
TEST_F(AtomicFileTest, AReadOnlyFileOrAPipeIsNotReplaced) {
    WriteProgramFile("fest.tur", "alt");
    fs::permissions(folder + "fest.tur", fs::perms(0444));
    ASSERT_EQ(mkfifo((folder + "rohr.tur").c_str(), 0600), 0);
    const int before = FilesInFolder();
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(folder + "fest.tur", "neu"));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(ReadProgramFile("fest.tur"), "alt");
    EXPECT_EQ(Mode("fest.tur"), 0444u);
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(folder + "rohr.tur", "neu"));
    EXPECT_EQ(errno, EINVAL);
    EXPECT_TRUE(fs::is_fifo(folder + "rohr.tur"));
    EXPECT_EQ(FilesInFolder(), before) << "no temporary file stays";
}

TEST_F(AtomicFileTest, ASymbolicLinkStaysAndTheFileBehindItIsReplaced) {
    fs::create_directories(folder + "echt");
    WriteProgramFile("echt/pokal.tur", "alt");
    fs::permissions(folder + "echt/pokal.tur", fs::perms(0640));
    fs::create_symlink("echt/pokal.tur", folder + "pokal.tur");
    ASSERT_TRUE(WriteFileAtomically(folder + "pokal.tur", "neu"));
    EXPECT_TRUE(fs::is_symlink(folder + "pokal.tur"));
    EXPECT_EQ(fs::read_symlink(folder + "pokal.tur"), "echt/pokal.tur");
    EXPECT_EQ(ReadProgramFile("echt/pokal.tur"), "neu");
    EXPECT_EQ(Mode("echt/pokal.tur"), 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder + "echt"), fs::directory_iterator()), 1);
}

TEST_F(AtomicFileTest, ALinkLeadingNowhereOrIntoALoopIsRefused) {
    fs::create_directories(folder + "echt");
    fs::create_symlink("echt/fehlt.tur", folder + "leer.tur");
    fs::create_symlink("b.tur", folder + "a.tur");
    fs::create_symlink("a.tur", folder + "b.tur");
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(folder + "leer.tur", "neu"));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_TRUE(fs::is_symlink(folder + "leer.tur"));
    EXPECT_FALSE(fs::exists(folder + "echt/fehlt.tur"));
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(folder + "a.tur", "neu"));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_TRUE(fs::is_symlink(folder + "a.tur"));
}

// --- a full disk ---

TEST_F(AtomicFileTest, AFullDiskTakesWhatFitsAndTheReplacedFileStays) {
    FullDiskFileOperations disk(4);
    const int fd = open((folder + "roh").c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(disk.Write(fd, "Langer Name", 11), 4);
    errno = 0;
    EXPECT_EQ(disk.Write(fd, "me", 2), -1);
    EXPECT_EQ(errno, ENOSPC);
    close(fd);
    EXPECT_EQ(ReadProgramFile("roh"), "Lang");
    WriteProgramFile("ziel.ini", "alt");
    const int before = FilesInFolder();
    FullDiskFileOperations full(3);
    ScopedFileOperations scope(full);
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(folder + "ziel.ini", "neuer Inhalt"));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(ReadProgramFile("ziel.ini"), "alt");
    EXPECT_EQ(FilesInFolder(), before);
}
