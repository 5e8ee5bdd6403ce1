// The program ended by a signal, where no one can be asked whether to save: each tournament with
// unsaved changes goes to a recovery copy (beside its file, or into the program folder), the
// tournament's own file stays as it was, and the next start that loads the file offers the copy.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "ProgramProcess.h"
#include "ScrambledFiles.h"
#include "TestEnvironment.h"

using ::testing::HasSubstr;
using ::testing::Not;
using scrambled_files::ReadBytes;

namespace {

struct StopSignal {
    int number;
    const char* name;
};
void PrintTo(const StopSignal& signal, std::ostream* out) { *out << signal.name; }

class SignalsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        tur = folder + "T.tur";
        std::filesystem::copy_file(std::string(MAROVELKA_SOURCE_DIR) + "/tests/data/stadtpokal.tur", tur);
        original = ReadBytes(tur);
        copy = tur + ".sicherung-1";
    }
    // A program with T.tur loaded and game 3 won 2:1, not saved, waiting for its next line.
    std::unique_ptr<ProgramProcess> WithUnsavedResult(bool typed) {
        auto program = std::make_unique<ProgramProcess>(folder + "a/", typed, std::vector<std::string>{tur});
        EXPECT_TRUE(program->WaitFor("Aktuell: 1 [SP] Stadtpokal\n")) << program->Output();
        program->Send("ergebnis 3 Tore1=2 Tore2=1 übernehmen");
        program->Send("ok");
        EXPECT_TRUE(program->WaitFor("Spiel 3: Bären Süd - Crew É, Tore 2:1, Sieger Bären Süd\n")) << program->Output();
        return program;
    }

    std::string tur, original, copy;
};

class StopSignalsTest : public SignalsTest, public ::testing::WithParamInterface<StopSignal> {};

}  // namespace

TEST_P(StopSignalsTest, TheUnsavedResultGoesToACopyBesideTheFileAndTheFileStays) {
    const StopSignal stop = GetParam();
    // Ctrl-C has someone to ask only at a terminal: this input is a script.
    auto program = WithUnsavedResult(false);
    program->Signal(stop.number);
    EXPECT_EQ(program->WaitForExit(), 128 + stop.number) << program->Output();
    EXPECT_THAT(program->Output(), HasSubstr(std::string("(") + stop.name + ")"));
    EXPECT_THAT(program->Output(),
                HasSubstr("Warnung: Die ungespeicherten Änderungen von [SP] Stadtpokal stehen in der Sicherungskopie " +
                          copy + "; beim nächsten Laden von T.tur wird sie angeboten.\n"));
    EXPECT_TRUE(ReadBytes(tur) == original) << "the tournament's own file was written";
    EXPECT_TRUE(std::filesystem::exists(copy));
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalsTest,
                         ::testing::Values(StopSignal{SIGHUP, "SIGHUP"}, StopSignal{SIGTERM, "SIGTERM"},
                                           StopSignal{SIGQUIT, "SIGQUIT"}, StopSignal{SIGINT, "SIGINT"}),
                         [](const ::testing::TestParamInfo<StopSignal>& info) { return std::string(info.param.name); });

TEST_F(SignalsTest, TheNextStartOffersTheCopyAndASaveOfItRemovesIt) {
    {
        auto program = WithUnsavedResult(true);
        program->Signal(SIGTERM);
        ASSERT_EQ(program->WaitForExit(), 128 + SIGTERM) << program->Output();
    }
    ProgramProcess next(folder + "b/", true, {tur});
    ASSERT_TRUE(next.WaitFor("Frage: Von T.tur gibt es eine Sicherungskopie mit ungespeicherten Änderungen (" + copy +
                             ") – Die Sicherungskopie statt der Datei laden? Bei 'Nein' wird die Datei geladen; die "
                             "Sicherungskopie bleibt liegen.\n(ja/nein)> "))
        << next.Output();
    next.Send("ja");
    ASSERT_TRUE(next.WaitFor("Aktuell: 1 [SP] Stadtpokal\n> ")) << next.Output();
    next.Send("turniere");
    ASSERT_TRUE(next.WaitFor("* 1 [SP] Stadtpokal   " + tur + "   (geändert)\n> ")) << next.Output();
    EXPECT_TRUE(std::filesystem::exists(copy)) << "kept until the tournament is saved";
    next.Send("speichern");
    ASSERT_TRUE(next.WaitFor("Gespeichert: " + tur + "\n> ")) << next.Output();
    EXPECT_FALSE(std::filesystem::exists(copy)) << "its changes are in the file now";
    next.Send("ende");
    EXPECT_EQ(next.ExitStatus(), 0) << next.Output();
    // The file holds the result of the first program.
    std::string shown;
    ASSERT_EQ(ProgramProcess::RunScript(folder + "c/", {"laden " + tur, "tabelle A", "ende"}, &shown), 0) << shown;
    EXPECT_THAT(shown, HasSubstr("2      Bären Süd    Bären Süd   2       3 : 4   0:0\n")) << shown;
}

TEST_F(SignalsTest, NoAtTheOfferLoadsTheFileAndKeepsTheCopy) {
    {
        auto program = WithUnsavedResult(false);
        program->Signal(SIGHUP);
        ASSERT_EQ(program->WaitForExit(), 128 + SIGHUP) << program->Output();
    }
    ProgramProcess next(folder + "b/", true, {tur});
    ASSERT_TRUE(next.WaitFor("(ja/nein)> ")) << next.Output();
    next.Send("nein");
    ASSERT_TRUE(next.WaitFor("Aktuell: 1 [SP] Stadtpokal\n> ")) << next.Output();
    next.Send("turniere");
    ASSERT_TRUE(next.WaitFor("* 1 [SP] Stadtpokal   " + tur + "\n> ")) << "the file as it was: nothing changed\n"
                                                                        << next.Output();
    next.Send("ende");
    EXPECT_EQ(next.ExitStatus(), 0) << next.Output();
    EXPECT_TRUE(std::filesystem::exists(copy));
}

TEST_F(SignalsTest, WithNothingUnsavedASignalEndsTheProgramAndWritesNoCopy) {
    ProgramProcess program(folder + "a/", false, {tur});
    ASSERT_TRUE(program.WaitFor("Aktuell: 1 [SP] Stadtpokal\n")) << program.Output();
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitForExit(), 128 + SIGTERM) << program.Output();
    EXPECT_THAT(program.Output(), HasSubstr("Marovelkandis wird beendet: es wurde dazu aufgefordert (SIGTERM).\n"));
    EXPECT_THAT(program.Output(), Not(HasSubstr("Sicherungskopie")));
    EXPECT_FALSE(std::filesystem::exists(copy));
}
