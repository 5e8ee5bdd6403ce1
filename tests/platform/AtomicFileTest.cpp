#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "platform/AtomicFile.h"

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
