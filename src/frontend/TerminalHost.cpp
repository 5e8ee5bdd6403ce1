#include "frontend/TerminalHost.h"

#include <algorithm>
#include <ostream>

#include "frontend/CommandLine.h"
#include "frontend/CommandTable.h"
#include "platform/Clock.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Utf8.h"

namespace {

const char* KindName(TMsgKind kind) {
    switch (kind) {
        case TMsgKind::Information: return "Information";
        case TMsgKind::Confirmation: return "Frage";
        case TMsgKind::Warning: return "Warnung";
        case TMsgKind::Error: return "Fehler";
        default: return "Meldung";
    }
}

// The lines of a box text on one line.
std::string OneLine(const std::string& text) {
    std::string out, line;
    auto flush = [&] {
        const size_t first = line.find_first_not_of(' ');
        if (first != std::string::npos) out += (out.empty() ? "" : " – ") + line.substr(first);
        line.clear();
    };
    for (char c : text) {
        if (c == '\r' || c == '\n') flush();
        else line += c;
    }
    flush();
    return out;
}

// mrYes, mrNo, or mrNone for a text that is neither.
int YesOrNo(const std::string& text) {
    const std::string answer = FoldName(text);
    if (answer == "ja" || answer == "j") return mrYes;
    if (answer == "nein" || answer == "n") return mrNo;
    return mrNone;
}

// "Textdatei (*.txt)|*.txt" shows as "Textdatei (*.txt)".
std::string FilterDescriptions(const std::string& filter) {
    std::string out;
    size_t start = 0;
    for (int part = 0; start <= filter.size(); ++part) {
        const size_t bar = filter.find('|', start);
        const std::string piece = filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (part % 2 == 0 && !piece.empty()) out += (out.empty() ? "" : ", ") + piece;
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return out;
}

// "hilfe" alone (topic empty) or "hilfe THEMA"; false for any other line.
bool IsHelpLine(const std::string& line, std::string& topic) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const size_t end = line.find_first_of(" \t", first);
    if (FoldName(line.substr(first, end == std::string::npos ? std::string::npos : end - first)) != "hilfe") return false;
    const size_t start = end == std::string::npos ? std::string::npos : line.find_first_not_of(" \t", end);
    topic = start == std::string::npos ? std::string() : line.substr(start, line.find_last_not_of(" \t") - start + 1);
    return true;
}

// A button's caption is shown beside its name only where it says more than the name.
bool SaysMore(const DialogAction& action) {
    std::string caption = action.caption;
    for (char& c : caption)
        if (c == ' ') c = '-';
    return !caption.empty() && !SameName(caption, action.name);
}

std::string JoinWords(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& word : words) out += (out.empty() ? "" : " ") + word;
    return out;
}

}  // namespace

std::string TerminalHost::BoxLine(TMsgKind kind, const std::string& text) {
    return std::string(KindName(kind)) + ": " + OneLine(text);
}

int TerminalHost::MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
    if (ticking_ && !interrupted_) {
        if (!script_) out_ << "\n";
        interrupted_ = true;
    }
    out_ << BoxLine(kind, text) << "\n";
    if (kind == TMsgKind::Warning || kind == TMsgKind::Error) failed_ = true;
    if (buttons == TMsgButtons::Ok) return mrOk;
    return AskYesNo(OneLine(text));
}

void TerminalHost::ShowDeveloperWarning(const std::string& text) {
    const bool failed = failed_;
    MessageBox(TMsgKind::Warning, text, TMsgButtons::Ok);
    failed_ = failed;
}

int TerminalHost::AskYesNo(const std::string& question) {
    if (std::optional<std::string> answer = NextAnswer()) {
        if (const int result = YesOrNo(*answer); result != mrNone) {
            out_ << "Antwort: " << *answer << "\n";
            return result;
        }
        const std::string message = "Die Antwort " + Quoted(*answer) + " passt nicht zur Frage: „ja“ oder „nein“.";
        if (script_) throw UnfitAnswer{message};
        out_ << "Fehler: " << message << "\n";
    }
    if (script_) throw UnansweredQuestion{question};
    for (;;) {
        const std::optional<InputLine> line = ReadLine("(ja/nein)> ");
        if (!line && input_.Resumes()) throw QuestionCancelled{question};
        if (!line) throw UnansweredQuestion{question};
        if (const int result = YesOrNo(line->text); result != mrNone) return result;
        std::string topic;
        if (IsHelpLine(line->text, topic)) {
            out_ << "Die Frage " << Quoted(question) << " wartet auf „ja“ oder „nein“."
                 << (input_.Resumes() ? " Strg-D bricht den Befehl ab, der fragt; nichts wird geändert." : "") << "\n";
            continue;
        }
        out_ << "Bitte „ja“ oder „nein“ eingeben.\n";
    }
}

bool TerminalHost::ChooseFile(const std::string& filter, std::string& fileName) {
    const std::string question = "Datei wählen: " + FilterDescriptions(filter);
    out_ << question << "\n";
    std::string chosen;
    if (std::optional<std::string> answer = NextAnswer()) {
        out_ << "Antwort: " << *answer << "\n";
        chosen = FoldName(*answer) == "abbrechen" ? std::string() : *answer;
    } else {
        if (script_) throw UnansweredQuestion{question};
        chosen = AskFile(question, filter);
    }
    if (chosen.empty()) return false;
    fileName = chosen;
    return true;
}

// The file typed on the terminal; empty when the user cancels (an empty line, or Ctrl-D).
std::string TerminalHost::AskFile(const std::string& question, const std::string& filter) {
    for (;;) {
        const std::optional<InputLine> line = ReadLine("Datei (leer = abbrechen)> ");
        if (!line && input_.Resumes()) return {};
        if (!line) throw UnansweredQuestion{question};
        std::string topic;
        if (!IsHelpLine(line->text, topic)) return line->text;
        const std::string extension = FilterExtension(filter);
        out_ << "Gesucht ist eine Datei: " << FilterDescriptions(filter)
             << ". Ein Name ohne Ordner meint eine Datei im Programmordner"
             << (extension.empty() ? std::string() : ", ein Name ohne Endung die mit „" + extension + "“")
             << ". Eine leere Zeile bricht ab.\n";
    }
}

void TerminalHost::ShowModal(TDialog& dialog) {
    std::vector<std::string> presets = std::move(presets_);
    presets_.clear();
    std::string button;
    if (!presets.empty() && !IsFieldLine(presets.back())) {
        button = presets.back();
        presets.pop_back();
    }
    bool closed = false;
    const bool fieldsTaken = ApplyFields(dialog, presets, closed);
    if (!fieldsTaken && script_) return Refuse(dialog, false);
    Describe(dialog);
    if (!button.empty() && !fieldsTaken) ButtonNotPressed(button);
    else if (!button.empty() && !ApplyLine(dialog, button, closed) && script_) return Refuse(dialog, false);
    while (!closed) {
        const std::optional<InputLine> line = ReadLine(dialog.Caption() + "> ");
        if (!line) return Refuse(dialog, true);
        if (line->tooLong) {
            if (script_) return Refuse(dialog, false);
            continue;
        }
        if (IsEmptyOrComment(line->text)) {
            if (!script_ && line->text.find('#') == std::string::npos)
                Describe(dialog);
            continue;
        }
        if (std::string topic; IsHelpLine(line->text, topic)) {
            DialogHelp(dialog, topic);
            continue;
        }
        if (!ApplyLine(dialog, line->text, closed) && script_) return Refuse(dialog, false);
    }
}

void TerminalHost::Describe(TDialog& dialog) {
    for (std::string line : DescribeDialog(dialog)) {
        line.erase(line.find_last_not_of(' ') + 1);
        out_ << line << "\n";
    }
}

void TerminalHost::DialogHelp(TDialog& dialog, const std::string& topic) {
    if (!topic.empty() && ExplainTopic(dialog, topic)) return;
    if (!topic.empty()) out_ << Quoted(topic) << " ist weder Feld noch Schaltfläche dieses Dialogs noch ein Befehl.\n";
    bool fields = false;
    for (const DialogField& field : dialog.Fields()) fields = fields || field.shown();
    for (const std::string& note : dialog.Notes()) out_ << note << "\n";
    out_ << "Der Dialog " << Quoted(dialog.Caption()) << " wartet auf "
         << (fields ? "Feld=Wert (ein Feld je Zeile) und zuletzt eine Schaltfläche" : "eine Schaltfläche")
         << ": ihren Namen eingeben.\n";
    const std::vector<DialogAction> actions = dialog.Actions();
    size_t width = 0;
    for (const DialogAction& action : actions) width = std::max(width, utf8::Length(action.name));
    for (const DialogAction& action : actions) {
        out_ << "  " << action.name;
        if (SaysMore(action)) out_ << std::string(width - utf8::Length(action.name) + 2, ' ') << action.caption;
        out_ << "\n";
    }
    if (fields) out_ << "Eine leere Zeile zeigt die Felder mit ihren Werten, „hilfe FELD“ eines davon.\n";
    out_ << "Befehle gibt es erst nach dem Dialog, an der Eingabe „>“."
         << (input_.Resumes() ? " Strg-D bricht den Dialog ab." : "") << "\n";
}

// One field, button or command by its name; false when the dialog has none of that name.
bool TerminalHost::ExplainTopic(TDialog& dialog, const std::string& topic) {
    const std::vector<DialogField> fields = dialog.Fields();
    const DialogField* field = dialog.FindField(fields, topic);
    if (field && !field->shown() && !field->notOfferedBecause.empty()) {
        out_ << NoSuchField(dialog, topic, field) << ".\n";
        return true;
    }
    if (field && field->shown()) {
        std::string line = DescribeField(*field);
        line.erase(line.find_last_not_of(' ') + 1);
        out_ << "Feld des Dialogs " << Quoted(dialog.Caption()) << ", gesetzt mit „" << field->label << "=Wert“:\n"
             << line << "\n";
        if (!field->rule.empty()) out_ << "  " << field->rule << "\n";
        return true;
    }
    for (const DialogAction& action : dialog.Actions()) {
        if (!SameName(action.name, topic)) continue;
        out_ << "Schaltfläche des Dialogs " << Quoted(dialog.Caption()) << ": „" << action.name << "“"
             << (SaysMore(action) ? " – " + action.caption : std::string()) << "\n";
        return true;
    }
    const Command* command = commands_ ? commands_->Find(topic) : nullptr;
    if (!command) return false;
    PrintCommandHelp(out_, *command);
    out_ << "Befehle gibt es erst nach dem Dialog " << Quoted(dialog.Caption()) << ", an der Eingabe „>“; "
         << "„hilfe“ zeigt, worauf der Dialog wartet.\n";
    return true;
}

// The fields a command's line sets in the dialog it opens. Each refused field is named; a script
// stops at the first, since its dialog is refused whole anyway.
bool TerminalHost::ApplyFields(TDialog& dialog, const std::vector<std::string>& fields, bool& closed) {
    bool taken = true;
    for (const std::string& field : fields) {
        if (ApplyLine(dialog, field, closed)) continue;
        taken = false;
        if (script_) break;
    }
    return taken;
}

// A button typed after a refused field would act on values the user did not mean: it waits until
// the fields are put right.
void TerminalHost::ButtonNotPressed(const std::string& button) {
    out_ << "Hinweis: Ein Feld der Zeile wurde abgelehnt: " << Quoted(button)
         << " wird nicht gedrückt, es ändert sich nichts. Der Dialog bleibt mit den Werten oben offen.\n";
}

bool TerminalHost::ApplyLine(TDialog& dialog, const std::string& line, bool& closed) {
    const std::string problem = ApplyDialogLine(dialog, line, closed);
    if (!problem.empty()) {
        out_ << "Fehler: " << problem << "\n";
        return false;
    }
    // A button that leaves the dialog open has had its check fail, and the check has said why.
    return closed || IsFieldLine(line);
}

// Ends a dialog that the input cannot finish: cancelled, nothing changed. On the terminal only
// the end of the input gets here: Ctrl-D, or the end of a file taken as typed.
void TerminalHost::Refuse(TDialog& dialog, bool inputEnded) {
    dialog.Cancel();
    out_ << (script_ ? "Fehler: " : "Hinweis: ");
    if (inputEnded && input_.Resumes())
        out_ << (input_.Interrupted() ? "Strg-C" : "Strg-D") << " bricht den Dialog " << Quoted(dialog.Caption())
             << " ab";
    else if (inputEnded) out_ << "Die Eingabe endet im Dialog " << Quoted(dialog.Caption()) << "; er wird abgebrochen";
    else out_ << "Der Dialog " << Quoted(dialog.Caption()) << " wird abgebrochen";
    out_ << ", nichts geändert.\n";
    if (script_) failed_ = refused_ = true;
}

// Until the user types, the window's timer keeps its pace on the clock: one tick a second.
void TerminalHost::WaitForInput() {
    if (!idle_ || input_.Wait(0)) return;
    for (;;) {
        const int64_t now = GetTickCount();
        if (now >= nextTick_) {
            nextTick_ = now + kTickMs;
            Tick();
        }
        if (input_.Wait(static_cast<int>(std::min<int64_t>(nextTick_ - GetTickCount(), kTickMs)))) return;
    }
}

// A tick may show a box (a failed autosave): it takes a line of its own, the prompt follows it
// again, and it does not count against the command that waits for the user.
void TerminalHost::Tick() {
    const bool failed = failed_;
    ticking_ = true;
    interrupted_ = false;
    idle_();
    ticking_ = false;
    failed_ = failed;
    if (interrupted_ && !script_) out_ << prompt_ << std::flush;
}

std::optional<InputLine> TerminalHost::ReadLine(const std::string& prompt) {
    for (;;) {
        prompt_ = prompt;
        if (!script_) out_ << prompt << std::flush;
        WaitForInput();
        std::optional<InputLine> line = input_.Next();
        if (!line) {
            if (!script_) out_ << "\n";
            return line;
        }
        if (echo_ && !script_) out_ << (line->tooLong ? "..." : line->text) << "\n";
        if (const std::string problem = InputLineProblem(*line); !problem.empty())
            out_ << (line->tooLong ? "Fehler: " : "Hinweis: ") << problem << "\n";
        if (script_ && !line->tooLong && IsEmptyOrComment(line->text)) continue;
        return line;
    }
}

void TerminalHost::QueueAnswers(const std::vector<std::string>& answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::optional<std::string> TerminalHost::NextAnswer() {
    if (answers_.empty()) return std::nullopt;
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

void TerminalHost::BeginCommand(std::vector<std::string> dialogPresets) {
    presets_ = std::move(dialogPresets);
    failed_ = refused_ = false;
}

bool TerminalHost::EndCommand(const std::string& who, bool keepAnswers) {
    bool ok = !failed_;
    failed_ = refused_ = false;
    if (!presets_.empty()) {
        out_ << "Fehler: " << who << " hat keinen Dialog geöffnet; die Angaben "
             << Quoted(JoinWords(presets_)) << " wurden nicht gebraucht.\n";
        presets_.clear();
        ok = false;
    }
    if (!keepAnswers && !answers_.empty()) {
        out_ << "Fehler: " << who << " hat nichts mehr gefragt; die Antwort "
             << Quoted(JoinWords({answers_.begin(), answers_.end()})) << " wurde nicht gebraucht.\n";
        answers_.clear();
        ok = false;
    }
    return ok;
}
