// Two programs, each in its own program folder, on one tournament file: the first loads it, the
// second loads it, enters a result and saves, and then the first saves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "LightForm.h"
#include "ProgramProcess.h"
#include "ScriptedWindow.h"
#include "TestEnvironment.h"
#include "foundation/Columns.h"
#include "foundation/files/TournamentFile.h"
#include "platform/FileOperations.h"

using ::testing::HasSubstr;

namespace {

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

class TwoProgramsTest : public ProgramTest, public ScriptedWindow {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        tur = folder + "T.tur";
        std::filesystem::copy_file(std::string(MAROVELKA_SOURCE_DIR) + "/tests/data/stadtpokal.tur", tur);
    }
    // The second program: game 3 won 2:1, the tie the conflict dialog shows taken as it stands.
    void SecondProgramEntersAResultAndSaves() {
        std::string shown;
        ASSERT_EQ(ProgramProcess::RunScript(folder + "b/", {"laden " + tur, "ergebnis 3 Tore1=2 Tore2=1 übernehmen", "ok",
                                                            "speichern", "ende"},
                                            &shown),
                  0)
            << shown;
        ASSERT_THAT(shown, HasSubstr("Gespeichert: " + tur + "\n"));
        theirs = Bytes();
    }
    std::string Bytes() const {
        std::ifstream in(tur, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    // The winner the file holds for a game; empty without a result.
    std::string WinnerInFile(int game) const {
        LightForm reader;
        reader.AnzTurniere = 1;
        if (!LoadFileToMaster(reader, tur, 1, nullptr)) return "unlesbar";
        for (int r = 1; r < reader.XMasterGrid.RowCount(); ++r)
            if (reader.XMasterGrid.Cells(1, r) == "4" && reader.XMasterGrid.Cells(Spielplan_SpNr, r) == std::to_string(game))
                return reader.XMasterGrid.Cells(Spielplan_Sieger, r);
        return "kein Spiel";
    }

    std::string tur;
    std::string theirs;  // the file as the second program saved it
    const std::string question = "Die Datei T.tur wurde seit dem Laden geändert. Überschreiben?";
};

}  // namespace

TEST_F(TwoProgramsTest, AtTheTerminalTheFirstAsksAndNoKeepsTheSecondsResult) {
    ProgramProcess first(folder + "a/", true, {tur});
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(first.WaitFor("Aktuell: 1 [SP] Stadtpokal\n> ")) << first.Output();
    SecondProgramEntersAResultAndSaves();
    first.Send("speichern");
    ASSERT_TRUE(first.WaitFor("Frage: " + question + "\n(ja/nein)> ")) << first.Output();
    first.Send("nein");
    ASSERT_TRUE(first.WaitFor("Information: Turnier T.tur wurde nicht gespeichert; die Datei bleibt, wie sie ist.\n"
                              "Fehler: Das Turnier wurde nicht gespeichert.\n> "))
        << first.Output();
    EXPECT_TRUE(Bytes() == theirs) << "the second program's save is gone";
    // Nothing changed here, yet the file kept is no file saved.
    first.Send("alle-speichern");
    ASSERT_TRUE(first.WaitFor(question)) << first.Output();
    first.Send("nein");
    ASSERT_TRUE(first.WaitFor("Fehler: Nicht alle Turniere wurden gespeichert.\n> ")) << first.Output();
    // Asked again, the user may still overwrite: then the file is the first program's own.
    first.Send("speichern");
    ASSERT_TRUE(first.WaitFor(question)) << first.Output();
    first.Send("ja");
    ASSERT_TRUE(first.WaitFor("Gespeichert: " + tur + "\n> ")) << first.Output();
    EXPECT_FALSE(Bytes() == theirs) << "overwritten as the user said";
    first.Send("speichern");
    ASSERT_TRUE(first.WaitFor("Gespeichert: " + tur + "\n> ")) << first.Output();
    first.Send("ende");
    EXPECT_EQ(first.ExitStatus(), 0) << first.Output();
    EXPECT_EQ(Occurrences(first.Output(), "Frage: "), 3) << "the last save asked nothing";
}

TEST_F(TwoProgramsTest, AScriptStopsAtTheQuestionItHasNoAnswerForAndTheSecondsResultStays) {
    ProgramProcess first(folder + "a/", false);
    ASSERT_TRUE(first.Started());
    first.Send("laden " + tur);
    ASSERT_TRUE(first.WaitFor("Aktuell: 1 [SP] Stadtpokal\n")) << first.Output();
    SecondProgramEntersAResultAndSaves();
    first.Send("speichern");
    EXPECT_EQ(first.ExitStatus(), 2) << first.Output();
    EXPECT_THAT(first.Output(), HasSubstr("Frage: " + question +
                                          "\nAbbruch in Zeile 2: Die Frage „Die Datei T.tur wurde seit dem Laden "
                                          "geändert. Überschreiben…“ wurde nicht beantwortet"));
    EXPECT_TRUE(Bytes() == theirs) << "the second program's save is gone";
}

namespace {

// The file system as the first program's save sees it: the moment the save makes its new file
// beside the target (after its look at the file, before its rename), the second program is told
// to save. Unhindered it takes milliseconds; held back, it waits until the first is done.
class SecondSavesWhileTheFirstWrites : public FileOperations {
public:
    explicit SecondSavesWhileTheFirstWrites(ProgramProcess& second) : second_(second) {}
    int Open(const std::string& path, int flags, mode_t mode) override {
        if (!told_ && (flags & O_CREAT) != 0 && path.size() > 4 && path.substr(path.size() - 4) == ".tmp") {
            told_ = true;
            second_.Send("speichern");
            savedAtOnce = second_.WaitFor("Gespeichert: ", std::chrono::milliseconds(300));
        }
        return FileOperations::Open(path, flags, mode);
    }
    bool savedAtOnce = false;

private:
    ProgramProcess& second_;
    bool told_ = false;
};

}  // namespace

TEST_F(TwoProgramsTest, ASaveOfTheSecondWhileTheFirstWritesIsNeitherThrownAwayNorOverwrittenUnasked) {
    ProgramProcess second(folder + "b/", true, {tur});
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitFor("Aktuell: 1 [SP] Stadtpokal\n> ")) << second.Output();
    second.Send("ergebnis 3 Tore1=2 Tore2=1 übernehmen");
    second.Send("ok");
    ASSERT_TRUE(second.WaitFor("Tore 2:1, Sieger Bären Süd\n> ")) << second.Output();
    form = std::make_unique<TForm1>();
    form->FormCreate();
    ASSERT_EQ(RunCommands("laden " + tur + "\n"), kExitOk) << output;
    SecondSavesWhileTheFirstWrites operations(second);
    {
        ScopedFileOperations scope(operations);
        EXPECT_EQ(RunCommands("speichern\n"), kExitOk) << output;
    }
    if (!operations.savedAtOnce) {
        // Its save waited for the first one's and found the file changed since its load.
        ASSERT_TRUE(second.WaitFor("Frage: " + question + "\n(ja/nein)> ")) << second.Output();
        second.Send("nein");
        ASSERT_TRUE(second.WaitFor("Fehler: Das Turnier wurde nicht gespeichert.\n> ")) << second.Output();
    }
    second.Send("ende");
    second.Send("nein");
    EXPECT_EQ(second.ExitStatus(), 0) << second.Output();
    if (operations.savedAtOnce) {
        EXPECT_EQ(WinnerInFile(3), "2") << "the second program said it saved, and its result is gone";
    }
    EXPECT_EQ(WinnerInFile(3), "") << "the first program's save, asked nothing";
}
