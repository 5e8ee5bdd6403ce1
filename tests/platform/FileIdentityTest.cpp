#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "TestEnvironment.h"
#include "platform/FileIdentity.h"

class FileIdentityTest : public ProgramTest {};

// A save puts a new file in the name's place: even with the same size and modification time it
// is another version, and a file that was only read is the same.
TEST_F(FileIdentityTest, AFileRenamedIntoPlaceIsAnotherVersionEvenWithTheSameSizeAndTime) {
    WriteProgramFile("a.tur", "eins");
    const auto first = FileIdentityOf(folder + "a.tur");
    ASSERT_TRUE(first);
    EXPECT_EQ(ReadProgramFile("a.tur"), "eins");
    EXPECT_EQ(FileIdentityOf(folder + "a.tur")->Text(), first->Text());
    WriteProgramFile("neu.tmp", "zwei");
    const timespec times[2] = {first->modified, first->modified};
    ASSERT_EQ(utimensat(AT_FDCWD, (folder + "neu.tmp").c_str(), times, 0), 0);
    ASSERT_EQ(std::rename((folder + "neu.tmp").c_str(), (folder + "a.tur").c_str()), 0);
    const auto second = FileIdentityOf(folder + "a.tur");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->size, first->size);
    EXPECT_NE(second->Text(), first->Text());
    EXPECT_FALSE(second->SameFileAs(*first));
}

TEST_F(FileIdentityTest, ALinkLeadsToItsFileAndAMissingFileHasNone) {
    WriteProgramFile("a.tur", "eins");
    std::filesystem::create_symlink(folder + "a.tur", folder + "verweis.tur");
    const auto file = FileIdentityOf(folder + "a.tur"), link = FileIdentityOf(folder + "verweis.tur");
    ASSERT_TRUE(file && link);
    EXPECT_TRUE(link->SameFileAs(*file));
    EXPECT_EQ(link->Text(), file->Text());
    EXPECT_FALSE(FileIdentityOf(folder + "fehlt.tur"));
    EXPECT_FALSE(FileIdentityOf(""));
}
