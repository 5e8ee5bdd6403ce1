// The built program in a pseudo-terminal, typed at as a user types: the first minute as the
// README shows it, and Ctrl-D in dialogs, questions and at the prompt.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestEnvironment.h"

namespace {

constexpr auto kPatience = std::chrono::seconds(60);

// Carriage returns gone (the terminal ends its lines with them), and the blanks at the end of
// each line, which a terminal does not show.
std::string Normalized(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n')
            while (!out.empty() && out.back() == ' ') out.pop_back();
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The program run on a pseudo-terminal in the given program folder.
class Terminal {
public:
    explicit Terminal(const std::string& home) {
        std::vector<std::string> environment{"PATH=/usr/bin:/bin", "LANG=C.UTF-8", "TERM=dumb", "HOME=" + home,
                                             "MAROVELKA_HOME=" + home, "XDG_CONFIG_HOME=" + home + "config"};
        // A sanitizer build's program: its leak checker's summary of the suppressions it used is no
        // part of what the terminal shows.
        for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"})
            if (const char* value = std::getenv(name)) environment.push_back(std::string(name) + "=" + value);
        const char* leaks = std::getenv("LSAN_OPTIONS");
        environment.push_back(std::string("LSAN_OPTIONS=print_suppressions=0") + (leaks ? std::string(":") + leaks : ""));
        std::vector<char*> envp;
        for (std::string& entry : environment) envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string program = std::string(MAROVELKA_BINARY_DIR) + "/marovelkandis";
        char* argv[] = {program.data(), nullptr};
        pid_ = forkpty(&fd_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            execve(argv[0], argv, envp.data());
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0) close(fd_);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool Started() const { return pid_ > 0 && fd_ >= 0; }

    // Reads until what the terminal shows is exactly `expected`; false as soon as it shows
    // something else, or when nothing more comes for a long while.
    bool Shows(const std::string& expected) {
        const std::string want = Normalized(expected);
        return ReadUntil([&](const std::string& shown) { return shown == want; },
                         [&](const std::string& shown) { return want.compare(0, shown.size(), shown) != 0; });
    }
    // Reads until what the terminal shows since the last input ends with `end`.
    bool ShowsAtEnd(const std::string& end) {
        const std::string want = Normalized(end);
        return ReadUntil([&](const std::string&) { return EndsWith(Normalized(output_.substr(typedAt_)), want); },
                         [](const std::string&) { return false; });
    }
    void Type(const std::string& line) { Write(line + "\n"); }
    // Ctrl-D at the start of a line: the program's read ends without a byte.
    void EndOfInput() { Write("\x04"); }
    // Ctrl-C: the terminal sends SIGINT to the program.
    void Interrupt() { Write("\x03"); }
    // The terminal window closed: the program gets SIGHUP and its terminal is gone. Its exit
    // status, -1 when it did not end by itself.
    int HangUp() {
        close(fd_);
        fd_ = -1;
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_) return -1;
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Reads to the end and waits for the program; its exit status, -1 when it did not end.
    int ExitStatus() {
        ReadUntil([](const std::string&) { return false; }, [](const std::string&) { return false; });
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_) return -1;
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Shown() const { return Normalized(output_); }

private:
    template <typename Done, typename Wrong>
    bool ReadUntil(Done done, Wrong wrong) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        for (;;) {
            const std::string shown = Normalized(output_);
            if (done(shown)) return true;
            if (wrong(shown) || ended_) return false;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd ready{fd_, POLLIN, 0};
            if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
            char buffer[4096];
            const ssize_t got = read(fd_, buffer, sizeof buffer);
            // The other side closed: the program has ended.
            if (got <= 0) ended_ = true;
            else output_.append(buffer, static_cast<size_t>(got));
        }
    }
    // What the program answers comes after what was typed.
    void Write(const std::string& bytes) {
        typedAt_ = output_.size();
        ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::string output_;
    size_t typedAt_ = 0;
    bool ended_ = false;
    bool exited_ = false;
};

class PseudoTerminalTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // The tournament forms the wizard offers, as beside the program.
        for (const char* name : {"TurFormen.dat", "Spklrs.dat"})
            std::filesystem::copy_file(std::string(MAROVELKA_BINARY_DIR) + "/" + name, folder + name);
        terminal = std::make_unique<Terminal>(folder);
        ASSERT_TRUE(terminal->Started());
    }
    void TearDown() override {
        terminal.reset();
        ProgramTest::TearDown();
    }
    // Waits for the prompt, then types the line.
    void At(const std::string& prompt, const std::string& line) {
        ASSERT_TRUE(terminal->ShowsAtEnd(prompt)) << "waited for " << prompt << " in:\n" << terminal->Shown();
        terminal->Type(line);
    }
    void EndOfInputAt(const std::string& prompt) {
        ASSERT_TRUE(terminal->ShowsAtEnd(prompt)) << "waited for " << prompt << " in:\n" << terminal->Shown();
        terminal->EndOfInput();
    }
    std::unique_ptr<Terminal> terminal;
};

const std::string kStart = "Start – was möchten Sie tun?> ";
const std::string kWizard = "Neues Turnier> ";
const std::string kQuestion = "(ja/nein)> ";
const std::string kFile = "Datei (leer = abbrechen)> ";

// The lines of the README's transcript after "$ ./build.sh run".
std::vector<std::string> ReadmeTranscript() {
    std::ifstream readme(std::string(MAROVELKA_SOURCE_DIR) + "/README.md");
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string line; std::getline(readme, line);) {
        if (line == "    $ ./build.sh run") {
            inside = true;
            continue;
        }
        if (!inside) continue;
        if (line.rfind("    ", 0) != 0) break;
        lines.push_back(line.substr(4));
    }
    return lines;
}

// A transcript line the user typed into: its prompt (up to the "> " it ends in) and the input.
bool IsTypedLine(const std::string& line, std::string& prompt, std::string& typed) {
    if (line.empty() || line[0] == ' ' || line[0] == '[') return false;
    const size_t mark = line.find("> ");
    if (mark == std::string::npos) {
        if (line.back() != '>') return false;
        prompt = line + " ";
        typed.clear();
        return true;
    }
    prompt = line.substr(0, mark + 2);
    typed = line.substr(mark + 2);
    return true;
}

}  // namespace

TEST_F(PseudoTerminalTest, TheReadmeTranscriptIsWhatTheTerminalShows) {
    const std::vector<std::string> transcript = ReadmeTranscript();
    ASSERT_GT(transcript.size(), 5u) << "the README's transcript after „$ ./build.sh run“";
    std::string expected;
    for (const std::string& line : transcript) {
        std::string prompt, typed;
        if (!IsTypedLine(line, prompt, typed)) {
            expected += line + "\n";
            continue;
        }
        expected += prompt;
        ASSERT_TRUE(terminal->Shows(expected)) << "expected:\n" << Normalized(expected) << "\nshown:\n" << terminal->Shown();
        terminal->Type(typed);
        expected += typed + "\n";
    }
    EXPECT_EQ(terminal->ExitStatus(), 0);
    EXPECT_EQ(terminal->Shown(), Normalized(expected));
}

TEST_F(PseudoTerminalTest, CtrlDCancelsOnlyTheDialogAndTheQuestionAndTheUnsavedTournamentIsKept) {
    At(kStart, "neu");
    At(kWizard, "Name=Pokal");
    At(kWizard, "ok");
    At("\n> ", "neu");
    EndOfInputAt(kWizard);
    ASSERT_TRUE(terminal->ShowsAtEnd("Hinweis: Strg-D bricht den Dialog „Neues Turnier“ ab, nichts geändert.\n"
                                     "Kein neues Turnier angelegt.\n> "))
        << terminal->Shown();
    // At the prompt Ctrl-D is "ende"; at its save question it cancels the ending.
    terminal->EndOfInput();
    EndOfInputAt(kQuestion);
    At("das Beenden wird abgebrochen, nichts geändert.\n> ", "ende");
    At(kQuestion, "ja");
    // The tournament has no file yet: leaving the file question keeps the program running.
    EndOfInputAt(kFile);
    At("Hinweis: Marovelkandis läuft weiter, denn nicht alle Turniere wurden gespeichert.\n> ", "ende");
    At(kQuestion, "ja");
    At(kFile, "Pokal");
    EXPECT_EQ(terminal->ExitStatus(), 0) << terminal->Shown();
    EXPECT_TRUE(ProgramFileExists("Pokal.tur"));
}

TEST_F(PseudoTerminalTest, CtrlCIsCtrlDAtTheTerminalAndNeverEndsTheProgramUnasked) {
    At(kStart, "neu");
    At(kWizard, "Name=Pokal");
    ASSERT_TRUE(terminal->ShowsAtEnd(kWizard)) << terminal->Shown();
    terminal->Interrupt();
    ASSERT_TRUE(terminal->ShowsAtEnd("Hinweis: Strg-C bricht den Dialog „Neues Turnier“ ab, nichts geändert.\n"
                                     "Kein neues Turnier angelegt.\n> "))
        << terminal->Shown();
    At("> ", "neu Name=Pokal ok");
    ASSERT_TRUE(terminal->ShowsAtEnd("\n> ")) << terminal->Shown();
    // At the prompt Ctrl-C asks as "ende" does; at that question it cancels the ending.
    terminal->Interrupt();
    ASSERT_TRUE(terminal->ShowsAtEnd(kQuestion)) << terminal->Shown();
    terminal->Interrupt();
    At("das Beenden wird abgebrochen, nichts geändert.\n> ", "turniere");
    ASSERT_TRUE(terminal->ShowsAtEnd("* 1 [Tur1] Pokal   (nie gespeichert)   (geändert)\n> ")) << terminal->Shown();
    terminal->Interrupt();
    At(kQuestion, "nein");
    EXPECT_EQ(terminal->ExitStatus(), 0) << terminal->Shown();
}

TEST_F(PseudoTerminalTest, ClosingTheTerminalWritesTheUnsavedTournamentToACopyInTheProgramFolder) {
    At(kStart, "neu Name=Pokal ok");
    ASSERT_TRUE(terminal->ShowsAtEnd("\n> ")) << terminal->Shown();
    EXPECT_EQ(terminal->HangUp(), 128 + SIGHUP);
    EXPECT_TRUE(ProgramFileExists("Turnier-ohne-Datei.sicherung-1"));
}

TEST_F(PseudoTerminalTest, CtrlDAtTheStartQuestionLeadsToThePromptAndThereEndsTheProgram) {
    At(kStart, "hilfe");
    EndOfInputAt(kStart);
    ASSERT_TRUE(terminal->ShowsAtEnd("Hinweis: Strg-D bricht den Dialog „Start – was möchten Sie tun?“ ab, nichts "
                                     "geändert.\n> "))
        << terminal->Shown();
    At("> ", "turniere");
    ASSERT_TRUE(terminal->ShowsAtEnd("turniere\nKein Turnier geöffnet.\n> ")) << "read again after Ctrl-D\n"
                                                                              << terminal->Shown();
    terminal->EndOfInput();
    EXPECT_EQ(terminal->ExitStatus(), 0) << "nothing unsaved: Ctrl-D at the prompt ends at once\n" << terminal->Shown();
}

// A command line whose field is refused presses no button of its dialog: the wizard chosen in the
// start question, the result dialog and the options stay open and nothing is stored. Fields left
// empty are no result either.
TEST_F(PseudoTerminalTest, ALineWithARefusedFieldPressesNoButtonAndItsDialogStaysOpen) {
    WriteProgramFile("teams.dat", "Adler\r\nBären\r\nCondor\r\nDachse\r\n");
    const std::string refused = "Hinweis: Ein Feld der Zeile wurde abgelehnt: ";
    const std::string kept = " wird nicht gedrückt, es ändert sich nichts. Der Dialog bleibt mit den Werten oben offen.\n";
    const std::string wizard = "neu Name=Korb Teilnehmer=4 Sportart=Basketball System=K.O.-System Turnierform=Liga ok";
    ASSERT_NO_FATAL_FAILURE(At(kStart, wizard));
    ASSERT_NO_FATAL_FAILURE(At(refused + "„ok“" + kept + kWizard, "ok"));
    ASSERT_NO_FATAL_FAILURE(At("Turnier [Tur1] Korb: 2 Runden, 3 Gruppen, 4 Spiele, 4 Plätze in der Endplatzierung.\n> ",
                               "zuweisen 1 Adler Bären Condor Dachse"));
    ASSERT_NO_FATAL_FAILURE(At("> ", "ergebnis 1 Tore1=70 Tore2=60 übernehmen"));
    ASSERT_NO_FATAL_FAILURE(At(refused + "„übernehmen“" + kept + "Ergebnis eingeben> ", "übernehmen"));
    ASSERT_NO_FATAL_FAILURE(At("Warnung: Es ist kein Ergebnis eingegeben: bitte das Ergebnis eingeben oder einen Sieger "
                               "wählen; ein Spiel, das nicht stattfand, bekommt „Kein Ergebnis“\nErgebnis eingeben> ",
                               "abbrechen"));
    ASSERT_NO_FATAL_FAILURE(
        At("Abgebrochen – das Ergebnis bleibt, wie es war.\n> ", "optionen AutoSave=ja Tabellenwertung=9 ok"));
    ASSERT_NO_FATAL_FAILURE(At(refused + "„ok“" + kept + "Turnieroptionen> ", "abbrechen"));
    ASSERT_NO_FATAL_FAILURE(At("Die Turnieroptionen bleiben, wie sie sind.\nAutomatisches Speichern: aus.\n> ", "ende"));
    ASSERT_NO_FATAL_FAILURE(At(kQuestion, "nein"));
    EXPECT_EQ(terminal->ExitStatus(), 0) << terminal->Shown();
}
