#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "frontend/Program.h"
#include "frontend/StartupChecks.h"

class StartupChecksTest : public ProgramTest {
protected:
    // Some tests move into the program folder, which goes away after the test.
    void TearDown() override {
        std::filesystem::current_path(startFolder);
        ProgramTest::TearDown();
    }
    const std::filesystem::path startFolder = std::filesystem::current_path();
};

TEST_F(StartupChecksTest, ProgramFolderThatCannotServeIsNamedWithItsReason) {
    EXPECT_EQ(ProgramFolderProblem(folder), "");
    EXPECT_EQ(ProgramFolderProblem(folder + "fehlt/"), "Der Programmordner „" + folder + "fehlt“ fehlt.");
    WriteProgramFile("datei", "x");
    EXPECT_EQ(ProgramFolderProblem(folder + "datei/"),
              "Der Programmordner „" + folder + "datei“ ist kein Ordner, sondern eine Datei.");
    EXPECT_EQ(ProgramFolderProblem(folder + "datei/unter/"),
              "Der Programmordner „" + folder + "datei/unter“ kann nicht geprüft werden: ein Teil des Pfades ist "
              "kein Ordner.");
    const std::string longName = folder + std::string(300, 'n');
    EXPECT_EQ(ProgramFolderProblem(longName),
              "Der Programmordner „" + longName + "“ kann nicht geprüft werden: der Name ist zu lang.");
    std::filesystem::create_symlink(folder + "b", folder + "a");
    std::filesystem::create_symlink(folder + "a", folder + "b");
    EXPECT_EQ(ProgramFolderProblem(folder + "a/x"),
              "Der Programmordner „" + folder + "a/x“ kann nicht geprüft werden: die symbolischen Verknüpfungen "
              "bilden eine Schleife.");
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".marovelka"), std::string::npos)
            << "the write probe leaves nothing behind";
}

// A program folder without write permission needs a user that permissions bind: the end-to-end
// test ordner_schreibgeschuetzt starts the program as "nobody", so it runs as root in CI too.

// As root the read-only lock file opens for writing anyway; the lock must hold either way.
TEST_F(StartupChecksTest, ALockFileOfAnotherUserStillLocks) {
    const std::string path = folder + kInstanceLockFile;
    WriteProgramFile(kInstanceLockFile, "");
    chmod(path.c_str(), 0444);
    std::string problem;
    InstanceLock first, second;
    EXPECT_EQ(first.Acquire(path, problem), InstanceLock::Result::Acquired) << problem;
    EXPECT_EQ(second.Acquire(path, problem), InstanceLock::Result::HeldElsewhere);
}

TEST_F(StartupChecksTest, OneInstanceAtATimeAndALeftLockNeverBlocks) {
    const std::string path = folder + kInstanceLockFile;
    WriteProgramFile(kInstanceLockFile, "4711\n");  // left behind by a killed process
    std::string problem;
    auto first = std::make_unique<InstanceLock>();
    EXPECT_EQ(first->Acquire(path, problem), InstanceLock::Result::Acquired);
    InstanceLock second;
    EXPECT_EQ(second.Acquire(path, problem), InstanceLock::Result::HeldElsewhere);
    first.reset();
    InstanceLock third;
    EXPECT_EQ(third.Acquire(path, problem), InstanceLock::Result::Acquired);
    InstanceLock elsewhere;
    EXPECT_EQ(elsewhere.Acquire(folder + "fehlt/" + kInstanceLockFile, problem), InstanceLock::Result::Failed);
    EXPECT_EQ(problem, "Die Sperrdatei „" + folder + "fehlt/Marovelka4.lock“ kann nicht geöffnet werden: nicht "
                       "vorhanden.");
}

TEST(ProgramArgumentsTest, DebugSwitchTournamentFileAndScript) {
    ProgramArguments parsed = ParseProgramArguments({"-d", "--script", "tag.skript", "/daten/Pokal.tur"});
    EXPECT_EQ(parsed.problem, "");
    EXPECT_EQ(parsed.debugSwitch, "-d");
    EXPECT_EQ(parsed.script, "tag.skript");
    EXPECT_EQ(parsed.tournamentFile, "/daten/Pokal.tur");
    EXPECT_EQ(ParseProgramArguments({}).problem, "");
    const std::string usage = " Aufruf: marovelkandis [-D] [--script DATEI] [TURNIER.tur]";
    EXPECT_EQ(ParseProgramArguments({"--script"}).problem, "Nach --script fehlt die Skriptdatei." + usage);
    EXPECT_EQ(ParseProgramArguments({"liste.txt"}).problem,
              "Das Argument „liste.txt“ versteht Marovelkandis nicht." + usage);
    EXPECT_EQ(ParseProgramArguments({"a.tur", "b.tur"}).problem,
              "Das Argument „b.tur“ versteht Marovelkandis nicht." + usage);
    EXPECT_EQ(ParseProgramArguments({"a.tur", "-D"}).problem,
              "Das Argument „-D“ versteht Marovelkandis nicht." + usage)
        << "the trace switch counts only as the first argument";
}

TEST_F(StartupChecksTest, EnteringTheProgramFolderIsRefusedWithItsReasonWhenItCannotBe) {
    EXPECT_EQ(EnterProgramFolder(folder), "");
    EXPECT_EQ(std::filesystem::current_path().string() + "/", folder);
    EXPECT_EQ(EnterProgramFolder(folder + "fehlt/"),
              "In den Programmordner „" + folder + "fehlt“ kann nicht gewechselt werden: nicht vorhanden.");
}

// Started beside its program folder, named relatively: the names on the command line mean what
// they meant there, a name in a command means a file of the program folder.
TEST_F(StartupChecksTest, RelativeNamesMeanTheProgramFolderOnceTheProgramRuns) {
    namespace fs = std::filesystem;
    const fs::path programFolder = fs::path(folder).parent_path();
    const std::string name = programFolder.filename().string();
    fs::copy_file(std::string(MAROVELKA_DATA_DIR) + "/../tests/data/stadtpokal.tur", folder + "stadtpokal.tur");
    WriteProgramFile("tag.skript", "speichern-unter kopie\nende\n");
    fs::current_path(programFolder.parent_path());
    setenv("MAROVELKA_HOME", name.c_str(), 1);
    EXPECT_EQ(RunProgram({"--script", name + "/tag.skript", name + "/stadtpokal.tur"}), 0);
    EXPECT_TRUE(ProgramFileExists("kopie.tur"));
    EXPECT_EQ(fs::current_path(), programFolder);
    EXPECT_EQ(std::string(std::getenv("MAROVELKA_HOME")), programFolder.string());
}
