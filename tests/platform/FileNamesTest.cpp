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
