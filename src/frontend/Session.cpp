#include "frontend/Session.h"

#include <ostream>

#include "foundation/Busy.h"
#include "foundation/Conversions.h"
#include "foundation/files/TournamentFile.h"
#include "frontend/CommandLine.h"
#include "frontend/CommandTable.h"
#include "frontend/StartDialog.h"
#include "frontend/StopSignals.h"
#include "mainwindow/main.h"

namespace {

bool TournamentOpen(const TForm1& form) { return form.AktTurNr >= 1 && form.AnzTurniere > 0; }

std::string LineWhere(int number) { return "in Zeile " + IntToStr(number); }

}  // namespace

Session::Session(TForm1& form, const CommandTable& commands, std::istream& in, std::ostream& out, bool script)
    : Session(form, commands, std::make_unique<InputReader>(in), out, script) {}

Session::Session(TForm1& form, const CommandTable& commands, InputSource& in, std::ostream& out, bool script)
    : Session(form, commands, std::make_unique<InputReader>(in), out, script) {}

Session::Session(TForm1& form, const CommandTable& commands, std::unique_ptr<InputReader> input, std::ostream& out,
                 bool script)
    : form_(form),
      commands_(commands),
      out_(out),
      errors_(&out),
      script_(script),
      input_(std::move(input)),
      host_(*input_, out, script),
      previousHost_(&Ui()) {
    SetUiHost(&host_);
    host_.SetCommands(&commands_);
    // The window's timer: its autosave runs while the user is at a prompt, a dialog or a question.
    host_.SetIdle([this] { form_.Timer1Timer(nullptr); });
    // "Neuer Marovelkandis" closes everything and then asks what to do first, as the start does;
    // a script says what comes next with its following command.
    form_.StartDialog = [this] {
        if (!script_) showStartDialog();
    };
}

Session::~Session() {
    form_.StartDialog = nullptr;
    SetUiHost(previousHost_);
}

template <typename Step>
std::optional<int> Session::Guarded(const std::string& where, Step step) {
    try {
        step();
        return std::nullopt;
    } catch (const UnansweredQuestion& unanswered) {
        if (const int signal = StopSignal()) return StopOnSignal(signal);
        const std::string how = script_ ? "; eine Antwort steht vor dem Befehl, der fragt: „antwort ja“ oder „antwort nein“."
                                        : ", die Eingabe ist zu Ende.";
        return StopUnanswered(where, "Die Frage " + Quoted(unanswered.question) + " wurde nicht beantwortet" + how);
    } catch (const UnfitAnswer& unfit) {
        return Stop(where, unfit.message, kExitFailed);
    }
}

int Session::Stop(const std::string& where, const std::string& message, int status) {
    out_ << "Abbruch " << where << ": " << message << "\n" << std::flush;
    return status;
}

// The copies are written before anything is said: an output that nobody reads may block.
int Session::StopUnanswered(const std::string& where, const std::string& message) {
    const std::vector<RecoveryCopyResult> copies = WriteRecoveryCopies(form_);
    Stop(where, message, kExitUnanswered);
    ReportRecoveryCopies(copies);
    return kExitUnanswered;
}

int Session::StopOnSignal(int signal) {
    const std::vector<RecoveryCopyResult> copies = WriteRecoveryCopies(form_);
    out_ << std::flush;
    Errors() << "Marovelkandis wird beendet: " << StopSignalText(signal) << ".\n";
    ReportRecoveryCopies(copies);
    return kExitSignalled + signal;
}

void Session::ReportRecoveryCopies(const std::vector<RecoveryCopyResult>& copies) {
    for (const RecoveryCopyResult& copy : copies) {
        const std::string changes = "Die ungespeicherten Änderungen von " + copy.turnier;
        if (copy.copy.empty())
            Errors() << "Fehler: " << changes << " konnten in keine Sicherungskopie geschrieben werden: "
                     << copy.problem << ".\n";
        else if (copy.BesideFile())
            Errors() << "Warnung: " << changes << " stehen in der Sicherungskopie " << copy.copy
                     << "; beim nächsten Laden von " << FileNameOf(copy.file) << " wird sie angeboten.\n";
        else
            Errors() << "Warnung: " << changes << " stehen in der Sicherungskopie " << copy.copy << "; „laden "
                     << FileNameOf(copy.copy) << "“ lädt sie.\n";
    }
    Errors() << std::flush;
}

// The copies in the program folder belong to no file whose loading would offer them.
void Session::NameCopiesInProgramFolder() {
    for (const std::string& copy : RecoveryCopiesInProgramFolder())
        out_ << "Hinweis: Im Programmordner liegt die Sicherungskopie " << FileNameOf(copy)
             << " mit ungespeicherten Änderungen; „laden " << FileNameOf(copy) << "“ lädt sie.\n";
}

std::optional<int> Session::Start(const std::string& firstArgument) {
    out_ << form_.Caption() << " – „hilfe“ zeigt die Befehle.\n";
    NameCopiesInProgramFolder();
    bool fileGiven = false, loaded = false;
    const std::string where = "beim Start";
    if (auto status = Guarded(where, [&] {
            form_.FormShow(firstArgument, [&] {
                fileGiven = true;
                loaded = LoadFromCommandLine();
            });
        }))
        return status;
    if (fileGiven && !loaded)
        return Stop(where, "Die Datei " + Quoted(firstArgument) + " wurde nicht geladen.", kExitFailed);
    if (fileGiven || script_) return std::nullopt;
    return Guarded(where, [&] { showStartDialog(); });
}

bool Session::LoadFromCommandLine() {
    if (!commands_.Find("laden")) {
        out_ << "Fehler: Turnierdateien laden kann dieser Stand noch nicht (der Befehl „laden“ fehlt).\n";
        return false;
    }
    return Execute("laden");
}

// Offers what can be done first; with nothing to offer but quitting, the command prompt is the
// better start. Leaving the question without a choice (Ctrl-D) goes to the prompt as well. A
// choice typed with more on its line runs as that line would at the prompt.
void Session::showStartDialog() {
    std::vector<StartChoice> choices;
    for (const char* name : {"neu", "laden"})
        if (const Command* command = commands_.Find(name)) choices.push_back({name, command->summary});
    if (choices.empty()) return;
    const Command* end = commands_.Find("ende");
    choices.push_back({"beenden", end ? end->summary : "Marovelkandis beenden", false});
    TfrmStart start(choices);
    start.ShowModal();
    if (start.Chosen.empty()) return;
    if (start.Chosen == "beenden") return form_.Ende1Click(nullptr);
    Execute(start.Line, true);
}

int Session::Run() {
    while (!form_.Closed) {
        // Between two commands, never during one: the autosave timer's check; after a signal
        // that stops the program only the recovery copies are written.
        if (StopSignal() == 0) form_.Timer1Timer(nullptr);
        const std::optional<InputLine> line = host_.ReadLine("> ");
        if (!line) {
            if (const std::optional<int> status = EndOfInput()) return *status;
            continue;
        }
        const std::string where = LineWhere(line->number);
        if (line->tooLong) {
            if (script_) return Stop(where, "Die Zeile ist zu lang.", kExitFailed);
            continue;
        }
        bool ok = true;
        if (auto status = Guarded(where, [&] { ok = Execute(line->text); })) return *status;
        // A signal that came during the command stops the program at the next read.
        if (!ok && script_ && StopSignal() == 0) return StopAfterFailure(*line);
    }
    return script_ && LinesAfterEnd() ? kExitFailed : kExitOk;
}

bool Session::Execute(const std::string& line, bool fromStart) {
    CommandLine parsed;
    std::string problem;
    if (!ParseCommandLine(line, parsed, problem)) {
        out_ << "Fehler: " << problem << "\n";
        return false;
    }
    if (parsed.name.empty()) return true;
    const Command* command = commands_.Find(parsed.name);
    if (!command) {
        out_ << "Fehler: Unbekannter Befehl " << Quoted(parsed.name) << " – meinten Sie "
             << Quoted(commands_.Closest(parsed.name)) << "? („hilfe“ zeigt alle Befehle)\n";
        return false;
    }
    // Commands are read only between two commands, so nothing is busy here unless an operation
    // left its mark behind; then nothing may touch the half-written tables.
    if (RefuseWhileBusy(form_)) return false;
    // Answers are words of their own: "antwort abbrechen" answers a file dialog, and a path may
    // hold "=".
    if (command->preparesNextCommand) {
        parsed.args.insert(parsed.args.end(), parsed.dialogLines.begin(), parsed.dialogLines.end());
        parsed.dialogLines.clear();
    }
    if (command->needsTournament && !TournamentOpen(form_)) {
        out_ << "Fehler: Kein Turnier geöffnet – " << Quoted(command->name) << " braucht ein geöffnetes Turnier.\n";
        return false;
    }
    host_.BeginCommand(parsed.dialogLines);
    CommandCall call{form_, parsed.args, out_, commands_, host_, fromStart};
    bool ran = false;
    try {
        ran = command->run(call);
    } catch (const QuestionCancelled& cancelled) {
        Abandoned(cancelled, Quoted(command->name));
    }
    const bool clean = host_.EndCommand(Quoted(command->name), command->preparesNextCommand);
    out_ << std::flush;
    return ran && clean;
}

// A command that read dialog lines failed where it stopped reading; the message names both.
int Session::StopAfterFailure(const InputLine& command) {
    std::string where = LineWhere(command.number), what = Quoted(command.text);
    if (input_->AtEnd()) where = "am Ende der Eingabe";
    else if (input_->LineNumber() != command.number) where = LineWhere(input_->LineNumber());
    if (where != LineWhere(command.number)) what += " (Zeile " + IntToStr(command.number) + ")";
    return Stop(where, what + " ist fehlgeschlagen.", kExitFailed);
}

void Session::Abandoned(const QuestionCancelled& cancelled, const std::string& what) {
    out_ << "Hinweis: Die Frage " << Quoted(cancelled.question) << " blieb offen; " << what
         << " wird abgebrochen, nichts geändert.\n";
}

// The end of the input ends the program as "ende" does, with the same questions. On the
// terminal it is Ctrl-D at the prompt: what stops the ending there (Ctrl-D at its question, a
// save that did not happen) keeps the program at its prompt, so nothing unsaved is lost.
std::optional<int> Session::EndOfInput() {
    if (const int signal = StopSignal()) return StopOnSignal(signal);
    const std::string where = "am Ende der Eingabe";
    const bool resumes = input_->Resumes();
    bool ok = true;
    if (auto status = Guarded(where, [&] {
            host_.BeginCommand({});
            try {
                form_.Ende1Click(nullptr);
                if (resumes && !form_.Closed) out_ << kNotEnded << "\n";
            } catch (const QuestionCancelled& cancelled) {
                Abandoned(cancelled, "das Beenden");
            }
            ok = host_.EndCommand("Das Ende der Eingabe", false);
        }))
        return status;
    if (resumes && !form_.Closed) return std::nullopt;
    if (!ok && script_) return Stop(where, "Beenden ist fehlgeschlagen.", kExitFailed);
    return kExitOk;
}

// A script that goes on after "ende" did not mean to stop there.
bool Session::LinesAfterEnd() {
    const std::optional<InputLine> line = host_.ReadLine("");
    if (!line) return false;
    Stop(LineWhere(line->number), "Nach „ende“ folgen noch Befehle; sie werden nicht ausgeführt.", kExitFailed);
    return true;
}
