#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "frontend/InputReader.h"
#include "frontend/TerminalOut.h"
#include "platform/UiHost.h"

class CommandTable;

// A question the input cannot answer: in a script there was no "antwort" for it, on the
// terminal the input ended. The program stops at once with exit status 2 (a signal that ended
// the input gives its own, see Session). Not derived from
// std::exception, so that no handler's catch of library errors can swallow it.
struct UnansweredQuestion {
    std::string question;
};

// A question on the terminal that the user left with Ctrl-D or Ctrl-C: the command that asked is
// abandoned before it changed anything (every question comes before the change it asks about),
// and the terminal goes on at its prompt.
struct QuestionCancelled {
    std::string question;
};

// An answer queued for a question that does not fit it ("vielleicht" for a yes/no question).
// A script stops with exit status 1.
struct UnfitAnswer {
    std::string message;
};

// The user of the terminal front end: message boxes as one line each ("Warnung: ..."), yes/no
// and file questions answered from the answers a script queued ("antwort ...") or typed on the
// terminal, and dialogs shown field by field and filled from "Feld=Wert" lines. In a script
// nothing waits for a prompt: a dialog line that is refused, a check that fails or the end of
// the input inside a dialog cancels the dialog and marks the command failed. On a terminal a
// command line with a refused field presses no button of its dialog, which stays open; the end of
// the input (Ctrl-D, or Ctrl-C) cancels the dialog or question it comes in, and "hilfe" in a
// dialog or question says what it waits for.
class TerminalHost : public UiHost {
public:
    TerminalHost(InputReader& input, std::ostream& out, bool script) : input_(input), out_(out), script_(script) {}
    static constexpr int kTickMs = 1000;

    int MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
    // Shown as a warning, but the command that wrote it is not failed by it.
    void ShowDeveloperWarning(const std::string& text) override;
    bool ChooseFile(const std::string& filter, std::string& fileName) override;
    void ShowModal(TDialog& dialog) override;

    bool Script() const { return script_; }
    // Shows each line read on the terminal after its prompt, as a terminal shows what is typed;
    // for input that does not come from a terminal but is taken as typed.
    void EchoInput(bool echo) { echo_ = echo; }
    // Answers for the questions of the next command, in the order they are asked.
    void QueueAnswers(const std::vector<std::string>& answers);
    // Runs every kTickMs on the clock while the input is waited for (the window's timer); what
    // it shows interrupts the prompt, which is shown again after it.
    void SetIdle(std::function<void()> tick) { idle_ = std::move(tick); }
    // The commands that "hilfe BEFEHL" explains inside a dialog.
    void SetCommands(const CommandTable* commands) { commands_ = commands; }

    // Around one command: its dialog presets go to the first dialog it opens. EndCommand says
    // what was left over or went wrong and returns false when the command counts as failed
    // (presets or answers not used, a dialog refused in a script, a warning or error box);
    // who names the command in those messages.
    void BeginCommand(std::vector<std::string> dialogPresets);
    bool EndCommand(const std::string& who, bool keepAnswers);
    // The command has stored its change (a result): the warning and error boxes shown up to now
    // tell what followed from it (a Swiss round that cannot be paired) and no longer make the
    // command fail. A dialog refused in a script still does.
    void ChangeStored() { failed_ = refused_; }

    // A message box as the one line the terminal shows.
    static std::string BoxLine(TMsgKind kind, const std::string& text);

    // The next line of the input, after the prompt on the terminal; a script skips blank and
    // comment lines. A recoded or refused line is noted on the output. None at the end.
    std::optional<InputLine> ReadLine(const std::string& prompt);

private:
    std::optional<std::string> NextAnswer();
    int AskYesNo(const std::string& question);
    std::string AskFile(const std::string& question, const std::string& filter);
    // One dialog line; false when it was refused or did not close the dialog as a button should.
    bool ApplyLine(TDialog& dialog, const std::string& line, bool& closed);
    // The "Feld=Wert" presets of a command's line; false when any of them was refused.
    bool ApplyFields(TDialog& dialog, const std::vector<std::string>& fields, bool& closed);
    void ButtonNotPressed(const std::string& button);
    void Refuse(TDialog& dialog, bool inputEnded);
    void Describe(TDialog& dialog);
    // "hilfe" or "hilfe THEMA" inside a dialog.
    void DialogHelp(TDialog& dialog, const std::string& topic);
    bool ExplainTopic(TDialog& dialog, const std::string& topic);
    void WaitForInput();
    void Tick();

    InputReader& input_;
    TerminalOut out_;
    const bool script_;
    std::deque<std::string> answers_;
    std::vector<std::string> presets_;
    bool failed_ = false;
    bool refused_ = false;  // a dialog of the command was refused in a script
    bool echo_ = false;
    std::function<void()> idle_;
    const CommandTable* commands_ = nullptr;
    int64_t nextTick_ = 0;
    std::string prompt_;
    bool ticking_ = false;
    bool interrupted_ = false;
};
