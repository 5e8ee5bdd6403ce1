#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "engine/ResultsExchange.h"
#include "engine/TurnierWechsel.h"
#include "foundation/ProgramFiles.h"
#include "foundation/files/TournamentFile.h"

using namespace turnier_builder;
using namespace scrambled_files;
using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

// Where the results export may not write: the results go into a file of their own, never over a
// tournament or a file of the program.
class ResultsExportTargetTest : public ProgramTest {
protected:
    LightForm form;

    std::string Path(const std::string& name) const { return folder + name; }
    std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }
    void Load(const std::string& name) {
        if (!fs::exists(Path(name))) fs::copy_file(GoldenPath("stadtpokal.tur"), Path(name));
        form.ShowLoadDialog = false;
        form.OpenDialog1.Files.Clear();
        form.OpenDialog1.Files.Add(Path(name));
        ASSERT_EQ(turniereLaden(form), 1);
    }
    // The export to `name` is refused with a message naming the file, and the file stays as it was.
    void ExpectRefused(const std::string& name, const std::string& why) {
        const std::string before = ReadProgramFile(name);
        EXPECT_FALSE(ergebnisseExportieren(form, Path(name))) << name;
        EXPECT_THAT(LastBox(), HasSubstr("Die Datei " + Path(name) + why)) << name;
        EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
        EXPECT_EQ(ReadProgramFile(name), before) << name;
    }
};

}  // namespace

TEST_F(ResultsExportTargetTest, TheOpenTournamentsFileKeepsItsTournament) {
    Load("stadtpokal.tur");
    const std::string open = " gehört schon zum geöffneten Turnier [SP] Stadtpokal und wird nicht überschrieben.";
    ExpectRefused("stadtpokal.tur", open);
    fs::create_directory(Path("unter"));
    ExpectRefused("unter/../stadtpokal.tur", open);
    EXPECT_EQ(form.Turnier.Cells(Turnier_Changes, 1), "") << "nothing happened to the tournament";
    // The file still loads as the tournament it was.
    LightForm reader;
    reader.AnzTurniere = 1;
    EXPECT_TRUE(LoadFileToMaster(reader, Path("stadtpokal.tur"), 1, nullptr));
}

TEST_F(ResultsExportTargetTest, AnotherOpenTournamentsFileAndAnyOtherTournamentFileStay) {
    Load("kreisliga.tur");
    Load("stadtpokal.tur");
    ExpectRefused("kreisliga.tur", " gehört schon zum geöffneten Turnier [SP] Stadtpokal");
    fs::copy_file(GoldenPath("stadtpokal.tur"), Path("archiv.tur"));
    ExpectRefused("archiv.tur", " ist eine Turnierdatei und wird nicht mit Ergebnissen überschrieben.");
    EXPECT_FALSE(ergebnisseExportieren(form, Path("neu.tur")));
    EXPECT_FALSE(fs::exists(Path("neu.tur"))) << "not even a new file named as a tournament";
}

// A tournament saved under the exchange file's extension: its results would go over itself.
TEST_F(ResultsExportTargetTest, TheUsualPlaceOfTheResultsIsRefusedWhenItIsTheTournamentsFile) {
    fs::copy_file(GoldenPath("stadtpokal.tur"), Path("pokal.exp"));
    Load("pokal.exp");
    const std::string before = ReadProgramFile("pokal.exp");
    EXPECT_FALSE(ergebnisseExportieren(form));
    EXPECT_THAT(LastBox(), HasSubstr("gehört schon zum geöffneten Turnier [SP] Stadtpokal"));
    EXPECT_EQ(ReadProgramFile("pokal.exp"), before);
}

TEST_F(ResultsExportTargetTest, FilesOfTheProgramAndFolderPathsAreRefused) {
    Load("stadtpokal.tur");
    WriteProgramFile(kEigenFormFile, "Bitte diese Datei nicht editieren\r\n");
    ExpectRefused(kEigenFormFile, " ist die Datei der eigenen Turnierformen des Programms und wird nicht überschrieben.");
    ExpectRefused(kInstanceLockFile, " ist die Sperrdatei des Programms");
    fs::create_directory(Path("unter"));
    EXPECT_FALSE(ergebnisseExportieren(form, Path("unter/")));
    EXPECT_EQ(LastBox(), "„" + Path("unter/") + "“ ist kein Dateiname: es fehlt der Name der Datei.\r\n\r\n"
                                               "Bitte geben Sie einen Dateinamen an.");
    EXPECT_TRUE(fs::is_empty(Path("unter")));
    // An exchange file of its own is written as ever.
    EXPECT_TRUE(ergebnisseExportieren(form, Path("unter/stadtpokal.exp")));
}
