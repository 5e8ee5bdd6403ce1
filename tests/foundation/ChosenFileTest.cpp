#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "LightForm.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"
#include "TurnierBuilder.h"
#include "foundation/ProgramFiles.h"
#include "foundation/files/ChosenFile.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "foundation/files/TournamentFile.h"
#include "platform/FileNames.h"
#include "platform/Registry.h"

using namespace turnier_builder;
using namespace scrambled_files;
using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

class ChosenFileTest : public ProgramTest {
protected:
    LightForm form;

    std::string Path(const std::string& name) const { return folder + name; }
    std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }
    std::string Refused(const std::string& path, ChosenContent content = ChosenContent::Turnier, int own = 0) {
        std::string file;
        if (!FollowLink(path, file)) file = path;
        return RefusedChosenFile(form, path, path, file, content, own);
    }
    // A small tournament, current, saved as `name`.
    void OpenSaved(const std::string& title, const std::string& name) {
        OpenTurnier(form, title, title.substr(0, 2));
        AddSmallStructure(form, "A", "1");
        ui.QueueFile(Path(name));
        ASSERT_TRUE(saveTurnier(form, false, true, false));
    }
    // Every file in the folder with its content.
    std::map<std::string, std::string> Files(const std::string& in) const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(in))
            if (entry.is_regular_file()) files[entry.path().string()] = ReadBytes(entry.path().string());
        return files;
    }
};

}  // namespace

// --- the program's own files ---

TEST_F(ChosenFileTest, EveryFileOfTheProgramIsRefusedInAnySpellingAndThroughALink) {
    fs::create_directory(Path("unter"));
    for (const ProgramOwnFile& own : kProgramOwnFiles) {
        const std::string expected = "Die Datei " + Path(own.name) + " ist " + own.role +
                                     " des Programms und wird nicht überschrieben.\r\n\r\n"
                                     "Bitte wählen Sie einen anderen Dateinamen.";
        EXPECT_EQ(Refused(Path(own.name)), expected) << "also before the program made it";
        WriteProgramFile(own.name, "vom Programm");
        EXPECT_EQ(Refused(Path(own.name), ChosenContent::Ergebnisse), expected);
        EXPECT_THAT(Refused(Path("unter/../") + own.name), HasSubstr(std::string(" ist ") + own.role + " des Programms"));
        const std::string link = Path(std::string("verweis_") + own.name + ".tur");
        fs::create_symlink(Path(own.name), link);
        EXPECT_THAT(Refused(link), HasSubstr(own.role)) << own.name;
    }
    EXPECT_EQ(Refused(Path("Vereine.txt")), "") << "a list the user names is his";
    EXPECT_EQ(Refused(Path("teams.dat.alt")), "");
}

// Another program folder's lists and forms are that program's own, and the running program is
// the program itself wherever its folder is.
TEST_F(ChosenFileTest, TheRunningProgramAndTheNamesOfTheProgramsFilesInAnyFolderAreRefused) {
    const std::string program = fs::read_symlink("/proc/self/exe").string();
    for (ChosenContent content : {ChosenContent::Turnier, ChosenContent::Ergebnisse})
        EXPECT_EQ(Refused(program, content), "Die Datei " + program +
                                                 " ist die ausführbare Datei des Programms und wird nicht überschrieben."
                                                 "\r\n\r\nBitte wählen Sie einen anderen Dateinamen.");
    fs::create_directory(Path("anderer"));
    for (const ProgramOwnFile& own : kProgramOwnFiles) {
        const std::string role = std::string(" ist ") + own.role + " des Programms";
        EXPECT_THAT(Refused(Path("anderer/") + own.name), HasSubstr(role)) << "before it exists";
        WriteProgramFile(std::string("anderer/") + own.name, "vom anderen Programm");
        EXPECT_THAT(Refused(Path("anderer/") + own.name, ChosenContent::Ergebnisse), HasSubstr(role));
        const std::string link = Path(std::string("anderer/verweis_") + own.name + ".exp");
        fs::create_symlink(Path("anderer/") + own.name, link);
        EXPECT_THAT(Refused(link, ChosenContent::Ergebnisse), HasSubstr(role)) << "the file behind the link";
    }
    EXPECT_THAT(Refused(Path("anderer/TEAMS.DAT")), HasSubstr(" ist die Teilnehmerliste des Programms"))
        << "the same file where names know no case";
    EXPECT_THAT(Refused(Path("anderer/") + fs::path(program).filename().string(), ChosenContent::Ergebnisse),
                HasSubstr(" ist die ausführbare Datei des Programms"));
    EXPECT_EQ(Refused(Path("anderer/teams.dat.alt")), "");
    EXPECT_EQ(Refused(Path("anderer/meine_teams.dat")), "");
}

// The lock a save holds lies beside the tournament's file; nothing is saved over it.
TEST_F(ChosenFileTest, TheLockFileBesideATournamentFileIsRefused) {
    for (const char* name : {"pokal.tur.sperre", "POKAL.TUR.SPERRE", "x.sperre"})
        for (ChosenContent content : {ChosenContent::Turnier, ChosenContent::Ergebnisse})
            EXPECT_EQ(Refused(Path(name), content), "Die Datei " + Path(name) +
                                                        " ist eine Sperrdatei des Programms und wird nicht überschrieben."
                                                        "\r\n\r\nBitte wählen Sie einen anderen Dateinamen.")
                << name;
    EXPECT_EQ(Refused(Path("pokal.sperre.tur")), "");
}

TEST_F(ChosenFileTest, TheSettingsStoreIsTheProgramsToo) {
    const std::string store = registry::StorePath();
    ASSERT_FALSE(store.empty());
    EXPECT_THAT(Refused(store, ChosenContent::Ergebnisse), HasSubstr("ist der Einstellungsspeicher des Programms"));
}

TEST_F(ChosenFileTest, ARecoveryCopyIsNoTargetInAnyFolderNorThroughALink) {
    EXPECT_EQ(Refused(Path("a.tur.sicherung-3")),
              "Die Datei " + Path("a.tur.sicherung-3") +
                  " ist eine Sicherungskopie des Programms und wird nicht überschrieben.\r\n\r\n"
                  "Bitte wählen Sie einen anderen Dateinamen.")
        << "also before one is written";
    fs::create_directory(Path("unter"));
    EXPECT_THAT(Refused(Path("unter/") + kRecoveryCopyWithoutFile + ".sicherung-12", ChosenContent::Ergebnisse),
                HasSubstr("ist eine Sicherungskopie"));
    WriteProgramFile("b.tur.sicherung-1", "die einzigen Ergebnisse");
    fs::create_symlink(Path("b.tur.sicherung-1"), Path("verweis.tur"));
    EXPECT_THAT(Refused(Path("verweis.tur")), HasSubstr("ist eine Sicherungskopie"));
    for (const char* name :
         {"a.tur.sicherung", "a.tur.sicherung-0", "a.tur.sicherung-1x", "a.sicherung-2.tur", ".sicherung-1"})
        EXPECT_EQ(Refused(Path(name)), "") << name << " is no copy's name";
}

TEST_F(ChosenFileTest, SaveAsAndTheEmptyCopyLeaveTheProgramsFilesAsTheyAre) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    WriteProgramFile(kTurFormenFile, "##ENDE##\r\n");
    WriteProgramFile(kTeamsListFile, "Adler\r\n");
    const auto before = Files(folder);
    const std::string dir = form.TurFileDir;
    fs::create_directory(Path("anderswo"));
    ui.QueueFile(Path(kTurFormenFile));
    EXPECT_FALSE(saveTurnier(form, false, true, false));
    EXPECT_THAT(LastBox(), HasSubstr("ist die Datei der vorgegebenen Turnierformen des Programms"));
    EXPECT_EQ(ui.boxes.back().kind, TMsgKind::Warning);
    ui.QueueFile(Path("anderswo/../") + kTeamsListFile);
    EXPECT_FALSE(saveTurnier(form, false, true, true));
    EXPECT_THAT(LastBox(), HasSubstr("ist die Teilnehmerliste des Programms"));
    EXPECT_EQ(Files(folder), before);
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiNameS, 1), Path("stadtpokal.tur"));
    EXPECT_EQ(form.TurFileDir, dir) << "a refused file's folder is not remembered";
}

// --- names without a file ---

TEST_F(ChosenFileTest, AFolderPathIsRefusedNamingWhatWasTyped) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    fs::create_directory(Path("unter"));
    const auto before = Files(folder);
    for (const std::string& typed : {Path("unter/"), Path("unter/."), Path("unter/.."), std::string(".."), std::string(".")}) {
        ui.QueueFile(typed);
        EXPECT_FALSE(saveTurnier(form, false, true, false)) << typed;
        EXPECT_EQ(LastBox(), "„" + typed + "“ ist kein Dateiname: es fehlt der Name der Datei.\r\n\r\n"
                                           "Bitte geben Sie einen Dateinamen an.");
        ui.QueueFile(typed);
        EXPECT_FALSE(saveTurnier(form, false, true, true)) << typed;
    }
    EXPECT_EQ(Files(folder), before) << "no hidden \".tur\" anywhere";
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiNameS, 1), Path("stadtpokal.tur"));
    // A folder of that name without the slash is the file beside it with the extension.
    ui.QueueFile(Path("unter"));
    EXPECT_TRUE(saveTurnier(form, false, true, false));
    EXPECT_EQ(form.Turnier.Cells(Turnier_DateiNameS, 1), Path("unter.tur"));
}

// --- tournament files ---

TEST_F(ChosenFileTest, ATournamentMayBeSavedOverItsOwnFileInAnySpellingButNotOverAnotherOpenOne) {
    OpenSaved("Kreisliga", "kreisliga.tur");
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    fs::create_directory(Path("unter"));
    ui.QueueFile(Path("unter/../stadtpokal.tur"));
    EXPECT_TRUE(saveTurnier(form, false, true, false));
    fs::create_symlink(Path("kreisliga.tur"), Path("verweis.tur"));
    EXPECT_THAT(Refused(Path("verweis.tur"), ChosenContent::Turnier, form.AktTurNr),
                HasSubstr("gehört schon zum geöffneten Turnier [Kr] Kreisliga"));
    EXPECT_EQ(Refused(Path("stadtpokal.tur"), ChosenContent::Turnier, form.AktTurNr), "");
    EXPECT_THAT(Refused(Path("stadtpokal.tur"), ChosenContent::Turnier, 0),
                HasSubstr("gehört schon zum geöffneten Turnier [St] Stadtpokal")) << "the empty copy's case";
}

TEST_F(ChosenFileTest, ResultsNeverGoOverATournamentFileOfAnyName) {
    OpenSaved("Stadtpokal", "stadtpokal.tur");
    fs::copy_file(Path("stadtpokal.tur"), Path("gesichert.bak"));
    fs::copy_file(Path("stadtpokal.tur"), Path("zu.TUR"));
    fs::create_symlink(Path("zu.TUR"), Path("verweis.exp"));
    WriteTurLines(Path("alt.spl"), {}, "MAROVELKA3", "v3.005");
    const std::string tournamentFile = " ist eine Turnierdatei und wird nicht mit Ergebnissen überschrieben.";
    for (const char* name : {"gesichert.bak", "zu.TUR", "verweis.exp", "neu.tur", "alt.spl"})
        EXPECT_EQ(Refused(Path(name), ChosenContent::Ergebnisse),
                  "Die Datei " + Path(name) + tournamentFile + "\r\n\r\nBitte wählen Sie einen anderen Dateinamen.")
            << name;
    EXPECT_EQ(Refused(Path("gesichert.bak"), ChosenContent::Turnier, form.AktTurNr), "") << "a tournament may go there";
    // An earlier exchange file, an empty one and one too short to have a header are no tournament files.
    ASSERT_TRUE(WriteExchangeFile(Path("stadtpokal.exp"), "stadtpokal.tur", {}));
    WriteProgramFile("leer.exp", "");
    WriteProgramFile("kurz.exp", "MAROVELKA4");
    for (const char* name : {"stadtpokal.exp", "leer.exp", "kurz.exp", "neu.exp"})
        EXPECT_EQ(Refused(Path(name), ChosenContent::Ergebnisse), "") << name;
}
