#include "frontend/Program.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "foundation/FileProblems.h"
#include "foundation/ProgramGlobals.h"
#include "frontend/CommandTable.h"
#include "frontend/Session.h"
#include "frontend/StartupChecks.h"
#include "frontend/StopSignals.h"
#include "frontend/TerminalInput.h"
#include "frontend/TerminalOut.h"
#include "frontend/TestCommands.h"
#include "mainwindow/main.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/Strings.h"

namespace {

const char* const kUsage = "Aufruf: marovelkandis [-D] [--script DATEI] [TURNIER.tur]";

bool EndsWithTur(const std::string& text) {
    return text.size() > 4 && UpperAscii(text.substr(text.size() - 4)) == ".TUR";
}

bool TestMode() {
    const char* test = std::getenv("MAROVELKA_TEST");
    return test && std::string(test) == "1";
}

// The fixed clock of a test run; none outside tests. A time that cannot be read is an error.
std::optional<std::unique_ptr<ManualClock>> TestClock(std::string& problem) {
    const char* text = std::getenv("MAROVELKA_CLOCK");
    if (!TestMode() || !text) return std::unique_ptr<ManualClock>();
    const std::optional<TDateTime> start = datetime::ParseDate(text);
    if (!start) {
        problem = "MAROVELKA_CLOCK „" + std::string(text) + "“ ist kein Zeitpunkt (tt.mm.jjjj hh:mm:ss).";
        return std::nullopt;
    }
    return std::make_unique<ManualClock>(*start);
}

// The script to read, opened; a German sentence in problem when it cannot be read.
bool OpenScript(const std::string& path, std::ifstream& file, std::string& problem) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        problem = "Das Skript „" + path + "“ kann nicht gelesen werden: " + SystemErrorText(errno) + ".";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = "Das Skript „" + path + "“ ist keine Datei.";
        return false;
    }
    file.open(path, std::ios::binary);
    if (!file) problem = "Das Skript „" + path + "“ kann nicht gelesen werden.";
    return static_cast<bool>(file);
}

// The path as it reads from the folder the program was started in; unchanged when that fails.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

int StartFailed(const std::string& problem) {
    TerminalOut(std::cerr) << "Fehler: " << problem << "\n" << std::flush;
    return kExitFailed;
}

// The end-to-end tests of the terminal's rules feed it from a file: MAROVELKA_TERMINAL=1 takes
// standard input as typed on a terminal (test mode only).
bool InputAsTyped() {
    const char* terminal = std::getenv("MAROVELKA_TERMINAL");
    return TestMode() && terminal && std::string(terminal) == "1";
}

int RunProgramWindow(const ProgramArguments& arguments, InputSource& in, bool script) {
    CommandTable commands = ProgramCommands();
    if (TestMode()) AddTestCommands(commands);
    TForm1 form;
    LogMemo = &form.Memo1;
    const int status = ::RunWindow(form, commands, arguments.tournamentFile, in, std::cout, script,
                                   !script && InputAsTyped(), &std::cerr);
    LogMemo = nullptr;
    std::cout << std::flush;
    return status;
}

}  // namespace

int RunWindow(TForm1& form, const CommandTable& commands, const std::string& tournamentFile, std::istream& in,
              std::ostream& out, bool script, bool echo) {
    StreamSource source(in);
    return RunWindow(form, commands, tournamentFile, source, out, script, echo);
}

int RunWindow(TForm1& form, const CommandTable& commands, const std::string& tournamentFile, InputSource& in,
              std::ostream& out, bool script, bool echo, std::ostream* errors) {
    Session session(form, commands, in, out, script);
    session.Host().EchoInput(echo);
    if (errors) session.SetErrorOutput(*errors);
    form.FormCreate();
    const std::optional<int> ended = session.Start(tournamentFile);
    return ended ? *ended : session.Run();
}

ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments) {
    ProgramArguments parsed;
    for (size_t i = 0; i < arguments.size() && parsed.problem.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (i == 0 && UpperAscii(argument) == "-D") {
            parsed.debugSwitch = argument;
        } else if (argument == "--script") {
            if (i + 1 == arguments.size()) parsed.problem = "Nach --script fehlt die Skriptdatei.";
            else parsed.script = arguments[++i];
        } else if (EndsWithTur(argument) && parsed.tournamentFile.empty()) {
            parsed.tournamentFile = argument;
        } else {
            parsed.problem = "Das Argument „" + argument + "“ versteht Marovelkandis nicht.";
        }
    }
    if (!parsed.problem.empty()) parsed.problem += " " + std::string(kUsage);
    return parsed;
}

int RunProgram(const std::vector<std::string>& arguments) {
    // A write beyond the file-size limit (ulimit -f) fails with EFBIG and is reported like a full
    // disk; the signal the system would send instead ends the process with the unsaved changes.
    ::signal(SIGXFSZ, SIG_IGN);
    const ProgramArguments parsed = ParseProgramArguments(arguments);
    if (!parsed.problem.empty()) return StartFailed(parsed.problem);
    // Ctrl-C has someone to ask only where the commands are typed at a terminal.
    InstallStopSignals(parsed.script.empty() && isatty(STDIN_FILENO));
    std::string problem;
    std::optional<std::unique_ptr<ManualClock>> clock = TestClock(problem);
    if (!clock) return StartFailed(problem);
    if (*clock) SetClock(clock->get());

    const std::string folder = ProgramFolder();
    if (problem = ProgramFolderProblem(folder); !problem.empty()) return StartFailed(problem);
    InstanceLock lock;
    switch (lock.Acquire(folder + kInstanceLockFile, problem)) {
        case InstanceLock::Result::HeldElsewhere: return StartFailed("Marovelkandis läuft bereits");
        case InstanceLock::Result::Failed: return StartFailed(problem);
        case InstanceLock::Result::Acquired: break;
    }

    // The program folder becomes the current folder below, so that a relative name in a command
    // or an answer means a file of the program folder; a relative MAROVELKA_HOME must keep
    // naming the same folder after that.
    if (const char* home = std::getenv("MAROVELKA_HOME"); home && *home)
        setenv("MAROVELKA_HOME", Absolute(home).c_str(), 1);
    prng::SeedFromClock();
    SetProgramGlobals(parsed.debugSwitch);
    std::ifstream scriptFile;
    if (!parsed.script.empty() && !OpenScript(parsed.script, scriptFile, problem)) return StartFailed(problem);
    ProgramArguments started = parsed;
    if (!started.tournamentFile.empty()) started.tournamentFile = Absolute(started.tournamentFile);
    if (problem = EnterProgramFolder(ProgramFolder()); !problem.empty()) return StartFailed(problem);
    const bool terminal = parsed.script.empty() && isatty(STDIN_FILENO);
    const bool script = !parsed.script.empty() || (!terminal && !InputAsTyped());
    StreamSource scriptSource(scriptFile);
    DescriptorSource standardInput(STDIN_FILENO);
    TerminalSource keyboard(STDIN_FILENO);
    InputSource& input = terminal ? static_cast<InputSource&>(keyboard)
                         : parsed.script.empty() ? static_cast<InputSource&>(standardInput)
                                                 : scriptSource;
    const int status = RunProgramWindow(started, input, script);
    SetClock(nullptr);
    return status;
}
