#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "TestEnvironment.h"
#include "platform/FileVersion.h"

class FileVersionTest : public ProgramTest {};

// A file rewritten in place with other bytes of the same length and its old time, on its old
// inode, is what a save onto a freed inode within the same second looks like on a file system of
// whole seconds: only the content tells it from the version before.
TEST_F(FileVersionTest, OtherContentOfTheSameLengthInodeAndTimeIsAnotherVersion) {
    WriteProgramFile("a.tur", "Adler 3:1");
    const auto first = FileVersionOf(folder + "a.tur");
    ASSERT_TRUE(first);
    struct stat before {};
    ASSERT_EQ(stat((folder + "a.tur").c_str(), &before), 0);
    WriteProgramFile("a.tur", "Adler 1:3");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, (folder + "a.tur").c_str(), times, 0), 0);
    const auto second = FileVersionOf(folder + "a.tur");
    ASSERT_TRUE(second);
    EXPECT_NE(*second, *first);
    EXPECT_EQ(second->substr(0, 2), "9:") << "the length leads";
}

// A save that writes what was there takes nobody's work away; the name a file was read by does
// not count, only its bytes.
TEST_F(FileVersionTest, TheSameBytesAreTheSameVersionUnderAnyNameAndALinkIsFollowedOnlyWhenAsked) {
    WriteProgramFile("a.tur", "eins");
    WriteProgramFile("neu.tmp", "eins");
    const auto first = FileVersionOf(folder + "a.tur");
    ASSERT_EQ(std::rename((folder + "neu.tmp").c_str(), (folder + "a.tur").c_str()), 0);
    EXPECT_EQ(FileVersionOf(folder + "a.tur"), first);
    std::filesystem::create_symlink(folder + "a.tur", folder + "verweis.tur");
    EXPECT_EQ(FileVersionOf(folder + "verweis.tur"), first);
    EXPECT_FALSE(FileVersionOf(folder + "verweis.tur", false)) << "a link in a checked file's place is no version";
    EXPECT_FALSE(FileVersionOf(folder + "fehlt.tur"));
    EXPECT_FALSE(FileVersionOf(folder));
    EXPECT_FALSE(FileVersionOf(""));
    WriteProgramFile("leer.tur", "");
    EXPECT_EQ(FileVersionOf(folder + "leer.tur"), FileDigest().Text());
}

// Reading or writing hands the bytes over in pieces of any size; every split gives one version,
// and a byte more, less, moved or changed gives another.
TEST_F(FileVersionTest, TheDigestDoesNotDependOnThePiecesButOnEveryByte) {
    std::string bytes;
    for (int i = 0; i < 200; ++i) bytes += static_cast<char>(i * 7 % 256);
    FileDigest whole;
    whole.Add(bytes.data(), bytes.size());
    for (size_t split : {size_t{0}, size_t{1}, size_t{7}, size_t{31}, size_t{32}, size_t{33}, size_t{199}}) {
        const size_t middle = std::min<size_t>(3, bytes.size() - split);
        FileDigest pieces;
        pieces.Add(bytes.data(), split);
        pieces.Add(bytes.data() + split, middle);
        pieces.Add(bytes.data() + split + middle, bytes.size() - split - middle);
        EXPECT_EQ(pieces.Text(), whole.Text()) << split;
    }
    std::set<std::string> versions{whole.Text()};
    for (size_t at : {size_t{0}, size_t{31}, size_t{32}, size_t{100}, size_t{199}}) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        FileDigest other;
        other.Add(changed.data(), changed.size());
        EXPECT_TRUE(versions.insert(other.Text()).second) << "flipped bit at " << at;
    }
    FileDigest shorter, zeroAdded;
    shorter.Add(bytes.data(), bytes.size() - 1);
    zeroAdded.Add(bytes.data(), bytes.size());
    zeroAdded.Add("", 1);
    EXPECT_TRUE(versions.insert(shorter.Text()).second);
    EXPECT_TRUE(versions.insert(zeroAdded.Text()).second);
}

TEST_F(FileVersionTest, BytesOutOfOrderStandForNoVersion) {
    ByteTrace inOrder, skipped;
    inOrder.Passed("abc", 3);
    inOrder.MovedTo(3);
    inOrder.Passed("def", 3);
    FileDigest digest;
    digest.Add("abcdef", 6);
    EXPECT_EQ(inOrder.Version(), digest.Text());
    skipped.Passed("abc", 3);
    skipped.MovedTo(10);
    skipped.Passed("def", 3);
    EXPECT_FALSE(skipped.Version());
}
