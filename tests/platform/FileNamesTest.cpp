#include <gtest/gtest.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "platform/Controls.h"
#include "platform/FileNames.h"

namespace {
class FileNamesTest : public ProgramTest {};
}  // namespace

TEST_F(FileNamesTest, ANameWithoutExtensionMeansTheUsualFileUnlessItExistsAsTyped) {
    const std::string name = folder + "Jugendcup";
    EXPECT_EQ(WithUsualExtension(name, ".tur"), name + ".tur") << "neither exists: the file it will be";
    WriteProgramFile("Jugendcup", "");
    EXPECT_EQ(WithUsualExtension(name, ".tur"), name) << "a file of exactly that name is meant";
    std::filesystem::remove(name);
    std::filesystem::create_directory(name);
    EXPECT_EQ(WithUsualExtension(name, ".tur"), name + ".tur") << "a folder is no file to load";
    for (const std::string& kept : {folder + "Jugendcup.txt", folder + "Jugendcup.", std::string("./Pokal.alt"),
                                    folder + "Jugendcup/", std::string()})
        EXPECT_EQ(WithUsualExtension(kept, ".tur"), kept);
    EXPECT_EQ(WithUsualExtension("turniere.2026/Pokal", ".tur"), "turniere.2026/Pokal.tur")
        << "a dot in a folder is no extension";
    EXPECT_EQ(WithUsualExtension("Pokal", ""), "Pokal");
}

TEST_F(FileNamesTest, TheUsualExtensionIsTheFirstPatternOfTheFilter) {
    EXPECT_EQ(FilterExtension("Textdatei (*.txt)|*.txt"), ".txt");
    EXPECT_EQ(FilterExtension("Marovelkandis4 Dateien (*.tur)|*.tur|Marovelkandis3 Dateien (*.tur,*.spl)|*.tur;*.spl"),
              ".tur");
    EXPECT_EQ(FilterExtension("Exportdatei (*.exp)|*.exp|"), ".exp");
    EXPECT_EQ(FilterExtension("Dateien|*.tur;*.spl"), ".tur");
    for (const char* none : {"", "Alle (*.*)|*.*", "Textdatei", "Liste|liste.dat", "Alle|*", "Eine|*.t?r"})
        EXPECT_EQ(FilterExtension(none), "") << none;
}

TEST_F(FileNamesTest, TheOpenDialogGivesTheFileOfTheUsualExtension) {
    TOpenDialog open;
    open.Filter = "Exportdatei (*.exp)|*.exp|";
    ui.QueueFile(folder + "Jugendcup");
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName, folder + "Jugendcup.exp");
    EXPECT_EQ(open.Files.Text(), folder + "Jugendcup.exp\r\n");
}

TEST_F(FileNamesTest, ANameEndingInAFolderNamesNoFile) {
    for (const char* folderOnly : {"", "/", "sub/", "..", ".", "sub/.", "sub/..", "/tmp/", "a//"})
        EXPECT_FALSE(NamesAFile(folderOnly)) << folderOnly;
    for (const char* file : {"x", "sub/x", "/x.tur", ".tur", "x.", "...", "..x", "sub/.versteckt"})
        EXPECT_TRUE(NamesAFile(file)) << file;
}

TEST_F(FileNamesTest, SameFileSeesThroughSpellingsLinksAndHardLinks) {
    namespace fs = std::filesystem;
    WriteProgramFile("pokal.tur", "Turnier");
    WriteProgramFile("andere.tur", "Turnier");
    fs::create_directory(folder + "unter");
    const std::string pokal = folder + "pokal.tur";
    EXPECT_TRUE(SameFile(pokal, folder + "unter/../pokal.tur"));
    EXPECT_TRUE(SameFile(pokal, folder + "./pokal.tur"));
    EXPECT_FALSE(SameFile(pokal, folder + "andere.tur")) << "same content, another file";
    fs::create_symlink(pokal, folder + "verweis.exp");
    EXPECT_TRUE(SameFile(folder + "verweis.exp", pokal));
    fs::create_hard_link(pokal, folder + "zweiter_name.tur");
    EXPECT_TRUE(SameFile(folder + "zweiter_name.tur", pokal));
    // A file not written yet is the same file in every spelling of its path.
    EXPECT_TRUE(SameFile(folder + "neu.tur", folder + "unter/../neu.tur"));
    fs::create_symlink(folder + "unter", folder + "ordner");
    EXPECT_TRUE(SameFile(folder + "ordner/neu.tur", folder + "unter/neu.tur"));
    EXPECT_FALSE(SameFile(folder + "neu.tur", pokal));
    EXPECT_FALSE(SameFile("", pokal));
    // A link that leads nowhere is not the file it would lead to.
    fs::create_symlink(folder + "fehlt.tur", folder + "ins_leere.tur");
    EXPECT_FALSE(SameFile(folder + "ins_leere.tur", folder + "fehlt.tur"));
}

// The check of a file and its save look at the file behind the link, followed once; a name
// compared by its name alone is the same whatever file stands there.
TEST_F(FileNamesTest, ALinkIsFollowedToItsFileAndOnlyNamesAreCompared) {
    namespace fs = std::filesystem;
    WriteProgramFile("pokal.tur", "Turnier");
    fs::create_directory(folder + "unter");
    fs::create_symlink(folder + "pokal.tur", folder + "unter/verweis.tur");
    fs::create_symlink("verweis.tur", folder + "unter/kette.tur");
    std::string file;
    ASSERT_TRUE(FollowLink(folder + "unter/kette.tur", file));
    EXPECT_EQ(file, folder + "pokal.tur") << "a chain of links to its end";
    ASSERT_TRUE(FollowLink(folder + "unter/../neu.tur", file));
    EXPECT_EQ(file, folder + "unter/../neu.tur") << "no link: the name as it is";
    fs::create_symlink(folder + "fehlt.tur", folder + "ins_leere.tur");
    errno = 0;
    EXPECT_FALSE(FollowLink(folder + "ins_leere.tur", file));
    EXPECT_EQ(errno, ENOENT);
    fs::create_symlink("kreis2.tur", folder + "kreis1.tur");
    fs::create_symlink("kreis1.tur", folder + "kreis2.tur");
    EXPECT_FALSE(FollowLink(folder + "kreis1.tur", file));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_TRUE(SameResolvedPath(folder + "unter/verweis.tur", folder + "pokal.tur"));
    EXPECT_TRUE(SameResolvedPath(folder + "unter/../neu.tur", folder + "neu.tur"));
    fs::create_hard_link(folder + "pokal.tur", folder + "zweiter_name.tur");
    EXPECT_FALSE(SameResolvedPath(folder + "zweiter_name.tur", folder + "pokal.tur")) << "another name";
    EXPECT_FALSE(SameResolvedPath("", ""));
}
