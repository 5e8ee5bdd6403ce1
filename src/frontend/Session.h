#pragma once
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/files/RecoveryCopy.h"
#include "frontend/InputReader.h"
#include "frontend/TerminalHost.h"
#include "frontend/TerminalOut.h"

class TForm1;
class CommandTable;

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
// A command failed (in a script), or the program could not start.
inline constexpr int kExitFailed = 1;
// A question had no answer.
inline constexpr int kExitUnanswered = 2;
// Ended by a signal: this plus the signal's number, as a shell shows a program a signal ended.
inline constexpr int kExitSignalled = 128;

// The terminal front end at work: reads one command a line from the terminal or a script and
// runs it through the command table until "ende" or the end of the input. On the terminal a
// failed command is only reported; a script stops at the first failed command (exit status 1)
// and at the first question it does not answer (exit status 2). Where the program ends and no
// one can be asked whether to save (a question left without an answer, a signal that stops it,
// StopSignals.h), every tournament with unsaved changes is written to a recovery copy, named on
// the error output; a signal ends the program with exit status 128 + its number.
class Session {
public:
    Session(TForm1& form, const CommandTable& commands, std::istream& in, std::ostream& out, bool script);
    // Input from a source of its own: the terminal, which can be waited on and read after Ctrl-D.
    Session(TForm1& form, const CommandTable& commands, InputSource& in, std::ostream& out, bool script);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The first showing of the window: a ".tur" file named as first argument is loaded with the
    // load command; a start on the terminal without one asks what to do first. Returns the exit
    // status when the program must end here.
    std::optional<int> Start(const std::string& firstArgument);
    // Runs commands until the program ends; returns its exit status.
    int Run();
    // One command line as typed; false when it failed. fromStart: chosen in the start question,
    // where a new tournament is the first after a fresh start.
    bool Execute(const std::string& line, bool fromStart = false);

    TerminalHost& Host() { return host_; }
    // Where the recovery copies are named (the output, unless set).
    void SetErrorOutput(std::ostream& errors) { errors_ = &errors; }

private:
    Session(TForm1& form, const CommandTable& commands, std::unique_ptr<InputReader> input, std::ostream& out,
            bool script);
    bool LoadFromCommandLine();
    void showStartDialog();
    // Runs step; a question without an answer or an unfit answer ends the program.
    template <typename Step>
    std::optional<int> Guarded(const std::string& where, Step step);
    // The exit status, or none when the program goes on (on the terminal: not ended after all).
    std::optional<int> EndOfInput();
    void Abandoned(const QuestionCancelled& cancelled, const std::string& what);
    int Stop(const std::string& where, const std::string& message, int status);
    // No one can be asked any more: the unsaved tournaments go to recovery copies.
    int StopUnanswered(const std::string& where, const std::string& message);
    int StopOnSignal(int signal);
    void ReportRecoveryCopies(const std::vector<RecoveryCopyResult>& copies);
    void NameCopiesInProgramFolder();
    int StopAfterFailure(const InputLine& command);
    bool LinesAfterEnd();

    TForm1& form_;
    const CommandTable& commands_;
    TerminalOut out_;
    std::ostream* errors_;
    // The error output, where names from files show as the terminal shows them on standard output.
    TerminalOut Errors() const { return TerminalOut(*errors_); }
    const bool script_;
    std::unique_ptr<InputReader> input_;
    TerminalHost host_;
    UiHost* previousHost_;
};
