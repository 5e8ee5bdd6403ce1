#include "dialogs/turPhase.h"

#include <set>

#include "dialogs/NeuTur.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "platform/FileNames.h"
#include "platform/Strings.h"
#include "platform/Utf8.h"

namespace {

// Two participants make the smallest tournament a wizard builds.
constexpr size_t kMinTeilnehmer = 2;

std::string Quoted(const std::string& text) { return "„" + text + "“"; }

bool IsTurFile(const std::string& path) {
    return path.size() > 4 && UpperAscii(path.substr(path.size() - 4)) == ".TUR";
}

// The participants typed on one line are separated by ";"; shown the same way.
DialogField TeilnehmerField(TMemo& memo) {
    return {"Teilnehmer",
            [&memo] {
                std::string text;
                for (int i = 0; i < memo.Lines.Count(); ++i) text += (i ? "; " : "") + memo.Lines[i];
                return text;
            },
            [&memo](const std::string& text) {
                memo.Lines.Clear();
                for (const std::string& name : SplitTeilnehmer(text)) memo.Lines.Add(name);
                return true;
            },
            {}};
}

std::string NamesProblem(const TStringList& names) {
    std::set<std::string> seen;
    for (int i = 0; i < names.Count(); ++i) {
        const std::string& name = names[i];
        if (!IsTypedText(name)) return TypedTextProblem("Der Name " + Quoted(name), name) + ".";
        if (utf8::Length(name) > static_cast<size_t>(kMaxNameLength))
            return "Der Name " + Quoted(name) + " ist länger als " + IntToStr(kMaxNameLength) + " Zeichen.";
        if (!seen.insert(UpperAscii(name)).second) return "Der Name " + Quoted(name) + " steht zweimal in der Liste.";
    }
    return {};
}

std::string FileProblem(const std::string& path) {
    if (path.empty()) return "Bitte wählen Sie die gespeicherte Turnierform (eine Turnierdatei .tur).";
    if (!IsTurFile(path)) return Quoted(path) + " ist keine Turnierdatei (.tur).";
    if (const std::string missing = NoRegularFileText(path, Quoted(path)); !missing.empty()) return missing + ".";
    return {};
}

}  // namespace

std::vector<std::string> SplitTeilnehmer(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(";\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (std::string name = TrimName(text.substr(start, end - start)); !name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

TfrmTurPhase::TfrmTurPhase() {
    Name = "frmTurPhase";
    SetCaption("Vorbereitung");
    for (const char* kind : {"Schweizer System", "Gespeicherte Turnierform", "K.O.-System", "Poolspiel"})
        RadioGroup1.Items.Add(kind);
}

void TfrmTurPhase::Reset() {
    TurPhaseArt = kTurPhaseKeine;
    Teilnehmer.Clear();
    TurFormDatei.clear();
}

std::vector<DialogField> TfrmTurPhase::Fields() {
    DialogField file = TextField("Turnierform", Edit1);
    file.shown = [this] { return ChosenKind() == kTurPhaseGespeichert; };
    return {ChoiceField("Art", RadioGroup1), TeilnehmerField(Memo1), file};
}

std::string TfrmTurPhase::TurFormPfad() const { return WithUsualExtension(Edit1.Text(), ".tur"); }

std::string TfrmTurPhase::FirstProblem() const {
    const int kind = ChosenKind();
    if (kind < kTurPhaseSchweiz || kind > kTurPhasePool) return "Bitte wählen Sie die Art des Turniers.";
    if (std::string problem = NamesProblem(Memo1.Lines); !problem.empty()) return problem;
    if (kind == kTurPhaseGespeichert) return FileProblem(TurFormPfad());
    if (static_cast<size_t>(Memo1.Lines.Count()) < kMinTeilnehmer)
        return "Bitte geben Sie mindestens zwei Teilnehmer an.";
    if (kind == kTurPhaseSchweiz) return SwissOddCountProblem(Memo1.Lines.Count(), "Teilnehmern");
    return {};
}

bool TfrmTurPhase::CheckOk() {
    const std::string problem = FirstProblem();
    if (problem.empty()) return true;
    ShowMsg(3, problem);
    return false;
}

void TfrmTurPhase::AcceptOk() {
    TurPhaseArt = ChosenKind();
    Teilnehmer.Assign(Memo1.Lines);
    TurFormDatei = TurPhaseArt == kTurPhaseGespeichert ? TurFormPfad() : std::string();
}
