#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>

#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "foundation/Tables.h"
#include "foundation/files/RecoveryCopy.h"
#include "foundation/files/TournamentFile.h"
#include "platform/FileOperations.h"

using namespace turnier_builder;
using namespace scrambled_files;
using ::testing::ElementsAre;

namespace {

namespace fs = std::filesystem;

class RecoveryCopyTest : public ProgramTest {
protected:
    LightForm form;

    std::string Path(const std::string& name) const { return folder + name; }
    // A small tournament, current, saved as `name` (never saved with an empty name), then given
    // a result that is not saved.
    void OpenWithUnsavedResult(const std::string& title, const std::string& name) {
        OpenTurnier(form, title, title.substr(0, 2));
        AddSmallStructure(form, "A", "1");
        if (!name.empty()) {
            Put(form.Turnier, Turnier_DateiNameS, 1, Path(name), true);
            ASSERT_TRUE(saveTurnier(form, false, false, false));
        }
        Put(form.Spielplan, Spielplan_Sieger, 1, "1", true);
        setTurChanged(form, true);
    }
    // The copy read back as tournament 1 of a window of its own; the copy's row in its master.
    int LoadCopy(LightForm& reader, const std::string& copy, const std::optional<std::string>& file) {
        reader.AnzTurniere = 1;
        if (!LoadRecoveryCopyToMaster(reader, copy, file, 1, nullptr)) return 0;
        return MasterTurnierRow(reader, 1);
    }
    static void SetModified(const std::string& path, time_t seconds) {
        const utimbuf times{seconds, seconds};
        utime(path.c_str(), &times);
    }
};

ino_t InodeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace

TEST_F(RecoveryCopyTest, ACopyGoesBesideTheFileUnderTheFirstFreeNameAndReplacesNothing) {
    OpenWithUnsavedResult("Pokal", "pokal.tur");
    const std::string saved = ReadBytes(Path("pokal.tur"));
    const ino_t file = InodeOf(Path("pokal.tur"));
    // Another program's copy of the same file, and a link put where the next copy would go.
    WriteProgramFile("pokal.tur.sicherung-1", "die Kopie eines anderen");
    WriteProgramFile("fremd", "fremd");
    fs::create_symlink(Path("fremd"), Path("pokal.tur.sicherung-2"));
    // A tournament without unsaved changes needs no copy.
    OpenTurnier(form, "Liga", "LI");
    AddSmallStructure(form, "A", "1");
    ui.QueueFile(Path("liga.tur"));
    ASSERT_TRUE(saveTurnier(form, false, false, false));

    const std::vector<RecoveryCopyResult> copies = WriteRecoveryCopies(form);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].turnier, "[Po] Pokal");
    EXPECT_EQ(copies[0].copy, Path("pokal.tur.sicherung-3"));
    EXPECT_TRUE(copies[0].BesideFile());
    EXPECT_TRUE(ReadBytes(Path("pokal.tur")) == saved);
    EXPECT_EQ(InodeOf(Path("pokal.tur")), file) << "the tournament's own file is never touched";
    EXPECT_EQ(ReadProgramFile("pokal.tur.sicherung-1"), "die Kopie eines anderen");
    EXPECT_EQ(ReadProgramFile("fremd"), "fremd");
    EXPECT_TRUE(fs::is_symlink(Path("pokal.tur.sicherung-2")));
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "") << "the window stays as it was";
    EXPECT_EQ(form.XMasterGrid.Cells(Turnier_Changes, MasterTurnierRow(form, 1)), "true");
}

TEST_F(RecoveryCopyTest, TheCopyLoadsAsItsTournamentUnsavedAndASaveOfItTakesItsPlace) {
    OpenWithUnsavedResult("Pokal", "pokal.tur");
    const std::string identity = form.Turnier.Cells(Turnier_DateiStand, 1);
    const std::string copy = WriteRecoveryCopies(form).at(0).copy;

    LightForm reader;
    const int row = LoadCopy(reader, copy, Path("pokal.tur"));
    ASSERT_GT(row, 0) << (ui.boxes.empty() ? "" : ui.boxes.back().text);
    const TSortGrid& master = reader.XMasterGrid;
    EXPECT_EQ(master.Cells(Turnier_DateiNameS, row), Path("pokal.tur"));
    EXPECT_EQ(master.Cells(Turnier_Changes, row), "true");
    EXPECT_EQ(master.Cells(Turnier_DateiStand, row), identity) << "made on the version this program had read";
    EXPECT_EQ(master.Cells(Turnier_Sicherungskopie, row), copy);
    ASSERT_TRUE(saveTurnier(reader, true, false, false));
    EXPECT_FALSE(fs::exists(copy)) << "its changes are in the file now";
    EXPECT_EQ(master.Cells(Turnier_Sicherungskopie, row), "");

    LightForm again;
    ++again.AnzTurniere;
    ASSERT_TRUE(LoadFileToMaster(again, Path("pokal.tur"), 1, nullptr));
    bool won = false;
    for (int r = 1; r < again.XMasterGrid.RowCount(); ++r)
        won = won || (again.XMasterGrid.Cells(1, r) == "4" && again.XMasterGrid.Cells(Spielplan_Sieger, r) == "1");
    EXPECT_TRUE(won) << "the unsaved result reached the file";
    EXPECT_EQ(again.XMasterGrid.Cells(Turnier_Sicherungskopie, 1), "");
}

TEST_F(RecoveryCopyTest, ANewCopyOfATournamentLoadedFromOneTakesItsPlace) {
    OpenWithUnsavedResult("Pokal", "pokal.tur");
    const std::string first = WriteRecoveryCopies(form).at(0).copy;
    LightForm reader;
    ASSERT_GT(LoadCopy(reader, first, Path("pokal.tur")), 0);
    const std::vector<RecoveryCopyResult> second = WriteRecoveryCopies(reader);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].copy, Path("pokal.tur.sicherung-2"));
    EXPECT_FALSE(fs::exists(first)) << "its changes are in the new copy";
    LightForm other;
    EXPECT_GT(LoadCopy(other, second[0].copy, Path("pokal.tur")), 0) << "the new copy loads";
}

TEST_F(RecoveryCopyTest, ANeverSavedTournamentAndOneWhoseFolderTakesNoCopyGoIntoTheProgramFolder) {
    OpenWithUnsavedResult("Neu", "");
    OpenWithUnsavedResult("Weg", "");
    // Its folder went away since it was saved.
    Put(form.Turnier, Turnier_DateiNameS, 1, Path("weg/weg.tur"), true);
    const std::vector<RecoveryCopyResult> copies = WriteRecoveryCopies(form);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].copy, Path("Turnier-ohne-Datei.sicherung-1"));
    EXPECT_EQ(copies[1].copy, Path("Turnier-ohne-Datei.sicherung-2"));
    EXPECT_FALSE(copies[1].BesideFile());
    EXPECT_THAT(RecoveryCopiesInProgramFolder(), testing::UnorderedElementsAre(copies[0].copy, copies[1].copy));

    LightForm reader;
    int row = LoadCopy(reader, copies[0].copy, std::nullopt);
    ASSERT_GT(row, 0);
    EXPECT_EQ(reader.XMasterGrid.Cells(Turnier_DateiNameS, row), "") << "still never saved";
    EXPECT_FALSE(LoadRecoveryCopyToMaster(reader, copies[0].copy, std::nullopt, 2, nullptr)) << "open already";
    EXPECT_EQ(ui.boxes.back().text, "Datei wurde schon geladen\r\n\r\n" + copies[0].copy);
    LightForm other;
    row = LoadCopy(other, copies[1].copy, std::nullopt);
    ASSERT_GT(row, 0);
    EXPECT_EQ(other.XMasterGrid.Cells(Turnier_DateiNameS, row), Path("weg/weg.tur")) << "the file its row names";
}

TEST_F(RecoveryCopyTest, CopiesAreOfferedNewestFirstAndOnlyWhatIsNamedAndHoldsOne) {
    WriteProgramFile("x.tur", "die Datei");
    for (const char* name : {"x.tur.sicherung-1", "x.tur.sicherung-2", "x.tur.sicherung-10", "x.tur.sicherung-04",
                             "x.tur.sicherung-1a", "y.tur.sicherung-1", "x.tursicherung-1"})
        WriteProgramFile(name, "eine Kopie");
    WriteProgramFile("x.tur.sicherung-3", "");  // reserved by a program killed before it wrote
    fs::create_directory(Path("x.tur.sicherung-4"));
    SetModified(Path("x.tur.sicherung-1"), 2000000000);
    SetModified(Path("x.tur.sicherung-2"), 1900000000);
    SetModified(Path("x.tur.sicherung-10"), 1900000000);
    EXPECT_THAT(RecoveryCopiesOf(Path("x.tur")),
                ElementsAre(Path("x.tur.sicherung-1"), Path("x.tur.sicherung-10"), Path("x.tur.sicherung-2")));

    ui.QueueAnswer(mrNo);
    ui.QueueAnswer(mrYes);
    EXPECT_EQ(OfferRecoveryCopy(Path("x.tur")), Path("x.tur.sicherung-10"));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Von x.tur gibt es eine Sicherungskopie mit ungespeicherten Änderungen (" +
                                    Path("x.tur.sicherung-1") +
                                    ")\r\n\r\nDie Sicherungskopie statt der Datei laden? Bei 'Nein' folgt die nächste "
                                    "Sicherungskopie; diese bleibt liegen.");
    ui.QueueAnswer(mrNo);
    EXPECT_EQ(OfferRecoveryCopy(Path("y.tur")), std::nullopt) << "the file itself";
    EXPECT_THAT(ui.boxes.back().text, testing::HasSubstr("Bei 'Nein' wird die Datei geladen"));
    EXPECT_EQ(OfferRecoveryCopy(Path("z.tur")), std::nullopt);
    EXPECT_EQ(ui.boxes.size(), 3u) << "no copy, no question";
}

TEST_F(RecoveryCopyTest, AFileThatNamesACopyInItsRowMakesNoSaveRemoveIt) {
    OpenWithUnsavedResult("Pokal", "pokal.tur");
    const std::string copy = WriteRecoveryCopies(form).at(0).copy;
    // A file made elsewhere with the column this program keeps the loaded copy in.
    Row own = CellsOf(form.Turnier, 1);
    own[Turnier_Sicherungskopie] = copy;
    WriteTurFile(Path("fremd.tur"), {own});
    LightForm reader;
    ++reader.AnzTurniere;
    ASSERT_TRUE(LoadFileToMaster(reader, Path("fremd.tur"), 1, nullptr));
    EXPECT_EQ(reader.XMasterGrid.Cells(Turnier_Sicherungskopie, 1), "");
    ASSERT_TRUE(saveTurnier(reader, true, false, false));
    EXPECT_TRUE(fs::exists(copy)) << "another's copy is removed only by the run that loaded it";
}

TEST_F(RecoveryCopyTest, ACopyNoDiskTakesIsReportedWithItsReasonAndLeavesNothingBehind) {
    OpenWithUnsavedResult("Pokal", "pokal.tur");
    std::vector<RecoveryCopyResult> copies;
    {
        FullDiskFileOperations full(0);
        ScopedFileOperations scoped(full);
        copies = WriteRecoveryCopies(form);
    }
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].copy, "");
    EXPECT_EQ(copies[0].problem, "neben der Datei kein Platz auf dem Datenträger, im Programmordner kein Platz auf dem "
                                 "Datenträger");
    EXPECT_FALSE(fs::exists(Path("pokal.tur.sicherung-1"))) << "no empty copy";
    EXPECT_FALSE(fs::exists(Path("Turnier-ohne-Datei.sicherung-1")));
}
