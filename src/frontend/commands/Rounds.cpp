// New tournaments, the round page, the round tree and the tournament forms.
#include <functional>
#include <ostream>

#include "dialogs/FormGenerators.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MessageBoxes.h"
#include "foundation/ProgramFiles.h"
#include "frontend/CommandTable.h"
#include "frontend/RoundNodes.h"
#include "mainwindow/main.h"
#include "platform/Dialog.h"
#include "platform/ProgramFolder.h"

namespace {

// The round page as a dialog: its inputs are shown and set field by field; OK puts them on the
// page, cancelling leaves the page as it was.
class RoundPage : public TDialog {
public:
    explicit RoundPage(TForm1& form) : form_(form) {
        SetCaption("Neue Runde anlegen");
        Schiedsrichter.Items.Assign(form.RadioGroup1.Items);
        for (const Binding& b : Bindings()) b.copy->SetText(b.page->Text());
        Schiedsrichter.SetItemIndex(form.RadioGroup1.ItemIndex());
        Zeitspiele.SetChecked(form.CheckBox1.Checked());
        Vorrunde.SetChecked(form.CheckBox6.Checked());
        ProSieg.SetChecked(form.RadioButton1.Checked());
        ProSatz.SetChecked(!form.RadioButton1.Checked() && form.RadioButton2.Checked());
    }
    std::vector<DialogField> Fields() override {
        std::vector<DialogField> fields;
        for (const Binding& b : Bindings())
            fields.push_back(b.points ? PointsField(b.label, *b.copy, *b.page) : TextField(b.label, *b.copy));
        fields.insert(fields.begin() + 7, FlagField("Zeitspiele", Zeitspiele));
        DialogField carry = FlagField("Ergebnis aus Vorrunde übernehmen", Vorrunde);
        carry.shown = [this] { return form_.CheckBox6.Visible; };
        fields.insert(fields.begin() + 8, carry);
        fields.insert(fields.begin() + 9, ChoiceField("Schiedsrichter", Schiedsrichter));
        fields.insert(fields.begin() + 11, OptionField("Wertung", {{"Pro Sieg", &ProSieg}, {"Pro Satz", &ProSatz}}));
        return fields;
    }

protected:
    void AcceptOk() override {
        for (const Binding& b : Bindings()) b.page->SetText(b.copy->Text());
        form_.RadioGroup1.SetItemIndex(Schiedsrichter.ItemIndex());
        form_.CheckBox1.SetChecked(Zeitspiele.Checked());
        form_.CheckBox6.SetChecked(Vorrunde.Checked());
        form_.RadioButton1.SetChecked(ProSieg.Checked());
        form_.RadioButton2.SetChecked(ProSatz.Checked());
        if (ProSieg.Checked() || ProSatz.Checked()) form_.RadioButton3.SetChecked(false);
    }

private:
    struct Binding {
        const char* label;
        TEdit* page;
        TEdit* copy;
        bool points = false;  // typed through the page's key filter
    };
    std::vector<Binding> Bindings() {
        return {{"Runde", &form_.Edit4, &copies_[0]},
                {"Rundenname", &form_.Edit3, &copies_[1]},
                {"Turniertag", &form_.Edit5, &copies_[2]},
                {"Startzeit", &form_.Edit10, &copies_[3]},
                {"Felder", &form_.Edit11, &copies_[4]},
                {"Spieldauer", &form_.Edit12, &copies_[5]},
                {"Pause", &form_.Edit13, &copies_[6]},
                {"Neutrale Schiedsrichter", &form_.umNeutral2, &copies_[7]},
                {"Punkte pro Sieg", &form_.umEdit1, &copies_[8], true},
                {"Punkte pro Unentschieden", &form_.umEdit2, &copies_[9], true},
                {"Punkte pro Satz", &form_.umEdit3, &copies_[10], true},
                {"Punkte bei Ballgleichstand", &form_.umEdit4, &copies_[11], true}};
    }
    TForm1& form_;
    TEdit copies_[12];
    TCheckBox Zeitspiele, Vorrunde;
    TRadioGroup Schiedsrichter;
    TRadioButton ProSieg, ProSatz;
};

int Count(const TSortGrid& table, int column) {
    int n = 0;
    for (int row = 1; row < table.RowCount(); ++row) n += table.Cells(column, row).empty() ? 0 : 1;
    return n;
}

void PrintTournament(CommandCall& call) {
    const TForm1& f = call.form;
    call.out << "Turnier " << f.Label39.Caption() << ": " << f.AnzRunden << " Runden, " << Count(f.Gruppe, Gruppe_Nr)
             << " Gruppen, " << Count(f.Spielplan, Spielplan_SpNr) << " Spiele, " << Count(f.Teams, Teams_Platz)
             << " Plätze in der Endplatzierung.\n";
}

bool NewTournament(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„neu“ nimmt nur Felder des Assistenten (Feld=Wert).");
    const int before = call.form.AnzTurniere;
    if (call.fromStart) call.form.NeuesTurnier(true);
    else call.form.NeuesTurnierhinzufuegen1Click(nullptr);
    if (call.form.AnzTurniere == before) {
        call.out << "Kein neues Turnier angelegt.\n";
        return true;
    }
    PrintTournament(call);
    if (call.form.AnzRunden == 0) call.out << "Die Runden entstehen auf der Seite „Neue Runde anlegen“.\n";
    return true;
}

// While it lives, the window's start question is preceded by `before`.
class BeforeStartQuestion {
public:
    BeforeStartQuestion(TForm1& form, std::function<void()> before) : form_(form), startQuestion_(form.StartDialog) {
        form.StartDialog = [this, before = std::move(before)] {
            before();
            if (startQuestion_) startQuestion_();
        };
    }
    ~BeforeStartQuestion() { form_.StartDialog = startQuestion_; }
    BeforeStartQuestion(const BeforeStartQuestion&) = delete;
    BeforeStartQuestion& operator=(const BeforeStartQuestion&) = delete;

private:
    TForm1& form_;
    std::function<void()> startQuestion_;
};

// The window asks what to do first once every tournament is closed: the closing is told there,
// before the start question, whose choice may open a tournament again within this command.
bool CloseAll(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„neu-alle“ nimmt keine Angaben.");
    bool closed = false;
    {
        const BeforeStartQuestion told(call.form, [&] {
            closed = true;
            call.out << "Alle Turniere geschlossen; „neu“ legt ein neues an.\n";
        });
        call.form.NeuerMarovelkandis1Click(nullptr);
    }
    if (!closed) call.out << "Die Turniere bleiben offen.\n";
    return true;
}

bool RoundPageCommand(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„runde“ nimmt nur Felder der Rundenseite (Feld=Wert).");
    RoundPage page(call.form);
    if (page.ShowModal() != mrOk) call.out << "Die Rundenseite bleibt unverändert.\n";
    PrintGroupList(call);
    return true;
}

bool NewGroup(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„gruppe-neu“ nimmt nur Felder des Gruppendialogs (Feld=Wert).");
    call.form.IAeverButton20Click(nullptr);
    PrintGroupList(call);
    return true;
}

bool CreateRoundCommand(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„runde-anlegen“ nimmt keine Angaben.");
    const int before = call.form.AnzRunden;
    const bool listed = !call.form.Gruppen.Cells(0, 1).empty() || call.form.Gruppen.RowCount() > 2;
    call.form.IAeverButton2Click(nullptr);
    if (call.form.AnzRunden == before) {
        if (!listed) return Fail(call, "Die Runde hat keine Gruppe; „gruppe-neu“ legt eine an.");
        return true;
    }
    PrintTournament(call);
    call.out << "Nächste Runde: " << call.form.Edit4.Text() << " (" << call.form.Edit3.Text() << "), Tag "
             << call.form.Edit5.Text() << " ab " << call.form.Edit10.Text() << "\n";
    return true;
}

void PrintSelection(CommandCall& call) {
    const TForm1& f = call.form;
    call.out << "Runde " << f.Edit6.Text() << ": " << f.Edit7.Text() << "\n";
    if (f.Panel29.Visible)
        call.out << "Gruppe " << f.Label31.Caption() << ": " << f.Edit8.Text() << " (" << f.Edit9.Text() << ")\n";
    call.out << "Wertung: ";
    if (f.RadioButton1.Checked())
        call.out << "pro Sieg " << f.umEdit1.Text() << ", Unentschieden " << f.umEdit2.Text();
    else if (f.RadioButton2.Checked())
        call.out << "pro Satz " << f.umEdit3.Text() << ", Ballgleichstand " << f.umEdit4.Text();
    else
        call.out << "selbstdefiniert";
    call.out << "\n";
}

bool Rounds(CommandCall& call) {
    if (call.args.size() > 1) return Fail(call, "„runden“ nimmt höchstens die Nummer eines Knotens.");
    if (!SelectRoundNode(call, call.args.empty() ? "" : call.args[0])) return false;
    PrintRoundTree(call);
    PrintSelection(call);
    return true;
}

bool Rename(CommandCall& call) {
    if (call.args.size() < 2)
        return Fail(call, "„umbenennen KNOTEN NAME“ für eine Runde, „umbenennen KNOTEN ID NAME“ für eine Gruppe.");
    if (!SelectRoundNode(call, call.args[0])) return false;
    TForm1& f = call.form;
    if (f.TreeView3.Selected()->Level() > 0) {
        if (call.args.size() < 3) return Fail(call, "Eine Gruppe braucht eine Bezeichnung und einen Namen.");
        f.Edit8.SetText(call.args[1]);
        f.Edit9.SetText(JoinedArgs(call.args, 2));
        f.SpeedButton9Click(nullptr);
    } else {
        f.Edit7.SetText(JoinedArgs(call.args, 1));
        f.IAeverButton13Click(nullptr);
    }
    call.out << "Knoten " << call.args[0] << ": " << f.TreeView3.Selected()->Text << "\n";
    return true;
}

// The referee modes by a short word or their number from 1.
int RefereeMode(const std::string& word) {
    const char* const words[] = {"gruppe", "runde", "schiedsgericht", "neutrale", "keine"};
    for (int i = 0; i < 5; ++i)
        if (FoldName(word) == words[i] || word == IntToStr(i + 1)) return i;
    return -1;
}

bool Referees(CommandCall& call) {
    if (call.args.empty() || call.args.size() > 3)
        return Fail(call, "„schiedsrichter KNOTEN [gruppe|runde|schiedsgericht|neutrale|keine] [ANZAHL]“");
    if (!SelectRoundNode(call, call.args[0])) return false;
    TForm1& f = call.form;
    const int mode = call.args.size() > 1 ? RefereeMode(call.args[1]) : 0;
    if (mode < 0)
        return Fail(call, "Die Art " + Quoted(call.args[1]) +
                              " gibt es nicht: gruppe, runde, schiedsgericht, neutrale oder keine.");
    // Typing the count chooses neutral referees, as in the window; a kind given chooses again.
    if (call.args.size() > 2) f.umNeutral.SetText(call.args[2]);
    if (call.args.size() > 1) f.RadioGroup2.SetItemIndex(mode);
    f.IAeverButton40Click(nullptr);
    const TTreeNode* node = f.TreeView3.Selected();
    const int group = node->Level() > 0 ? static_cast<int>(node->Data) : 0;
    const int round = static_cast<int>(node->Level() > 0 ? node->Parent->Data : node->Data);
    call.out << "Schiedsrichter (" << f.RadioGroup2.Items[f.RadioGroup2.ItemIndex()] << "):\n";
    const TSortGrid& plan = f.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        const bool inGroup = group > 0 && IntGet(plan, Spielplan_GrNr, row, true) == group;
        if (inGroup || (group == 0 && IntGet(plan, Spielplan_RNr, row, true) == round))
            call.out << "  Spiel " << plan.Cells(Spielplan_SpNr, row) << ": " << f.getSchiriName(row) << "\n";
    }
    return true;
}

void PrintForms(CommandCall& call, const std::string& title, const std::vector<FormRecord>& records, int count) {
    call.out << title << ":\n";
    int shown = 0;
    for (const FormRecord& r : records)
        if (count == 0 || r.count == count) {
            call.out << "  " << r.count << " Teilnehmer, " << r.rounds << " Runden: " << r.shortText << "\n";
            ++shown;
        }
    if (shown == 0) call.out << "  keine\n";
}

// The forms of a file; one that is not read to its end says so.
void PrintFormFile(CommandCall& call, const char* title, const char* fileName, int count) {
    const std::string path = ProgramFile(fileName);
    const FormFile file = ReadFormFile(path);
    PrintForms(call, std::string(title) + " (" + fileName + ")", file.records, count);
    if (!file.complete) ShowMsg(3, FormFileProblem(path, file) + " Gezeigt werden nur die Turnierformen davor.");
}

bool Forms(CommandCall& call) {
    if (call.args.size() > 1) return Fail(call, "„formen“ nimmt höchstens eine Teilnehmerzahl.");
    const int count = call.args.empty() ? 0 : ToInt(call.args[0]);
    if (!call.args.empty() && count < 1) return Fail(call, Quoted(call.args[0]) + " ist keine Teilnehmerzahl.");
    PrintFormFile(call, "Vorgegebene Turnierformen", kTurFormenFile, count);
    PrintFormFile(call, "Exportierte Turnierformen", kEigenFormFile, count);
    call.out << "Schweizer System, K.O.-System und Poolspiel macht der Assistent für jede passende Teilnehmerzahl.\n";
    return true;
}

const CommandRegistration kRoundCommands({
    Command{"neu", kMenuTurnier, "[Feld=Wert...] [ok|abbrechen]", "Ein neues Turnier mit dem Assistenten anlegen",
            "Der Assistent fragt Name, Kürzel, Teilnehmer, ersten Tag, Wertung, Zeiten, Schiedsrichter und das\n"
            "System mit seiner Turnierform ab; jedes Feld lässt sich als Feld=Wert angeben, z. B.\n"
            "„neu Name=Stadtpokal Teilnehmer=8 System=K.O.-System ok“. „formen“ zeigt die Turnierformen.\n"
            "„Felder“ nennt die Spielfelder selbst: „Felder=1-3“ sind drei Felder, „Felder=3“ ist nur Feld 3.",
            false, NewTournament},
    Command{"neu-alle", kMenuTurnier, "", "Alle Turniere schließen und neu beginnen",
            "Fragt vorher nach und bietet an, ungespeicherte Turniere zu speichern.", false, CloseAll},
    Command{"alle-schliessen", kMenuTurnier, "", "Alle Turniere schließen",
            "Wie „neu-alle“ („Neuer Marovelkandis“): fragt vorher nach und bietet an, ungespeicherte\n"
            "Turniere zu speichern.",
            false, CloseAll},
    Command{"formen", kMenuTurnier, "[TEILNEHMER]", "Die Turnierformen zeigen, die der Assistent anbietet",
            "Die mitgelieferten und die exportierten Turnierformen, auf Wunsch nur die für eine Teilnehmerzahl.", false,
            Forms},
    Command{"runde", kMenuWerkzeuge, "[Feld=Wert...] [ok|abbrechen]",
            "Die Seite „Neue Runde anlegen“ zeigen und ausfüllen",
            "Runde, Rundenname, Turniertag, Startzeit, Felder, Spieldauer, Pause, Zeitspiele, Schiedsrichter\n"
            "und Wertung der nächsten Runde; danach die Gruppen, die in der Runde stehen.",
            true, RoundPageCommand},
    Command{"gruppe-neu", kMenuWerkzeuge, "[Feld=Wert...] [ok|abbrechen]", "Eine Gruppe für die nächste Runde anlegen",
            "Der Gruppendialog: Bezeichnung, Name, System, Teilnehmer (Codes wie M1;M2 oder 1.A;2.B) oder\n"
            "Kandidat (einer nach dem anderen); die Gruppe kommt in die Liste der Rundenseite.",
            true, NewGroup},
    Command{"runde-anlegen", kMenuWerkzeuge, "", "Die Runde der Rundenseite mit ihren Gruppen und Spielen anlegen", "",
            true, CreateRoundCommand},
    Command{"runden", kMenuWerkzeuge, "[KNOTEN]", "Die Runden und Gruppen der Seite „Runde bearbeiten“ zeigen",
            "Mit der Nummer eines Knotens wird er gewählt und seine Werte gezeigt.", true, Rounds},
    Command{"umbenennen", kMenuWerkzeuge, "KNOTEN [ID] NAME", "Eine Runde oder Gruppe umbenennen",
            "KNOTEN ist die Nummer aus „runden“: eine Runde bekommt einen neuen Namen, eine Gruppe eine neue\n"
            "Bezeichnung (höchstens 4 Zeichen) und einen neuen Namen.",
            true, Rename},
    Command{"schiedsrichter", kMenuWerkzeuge, "KNOTEN [ART] [ANZAHL]",
            "Die Schiedsrichter einer Runde oder Gruppe neu verteilen",
            "ART ist gruppe, runde, schiedsgericht, neutrale oder keine (oder 1 bis 5); ohne ART gilt die\n"
            "gewählte Art. ANZAHL gilt für „neutrale“. Nur Gruppen ohne Ergebnisse bekommen neue Schiedsrichter.",
            true, Referees},
});

}  // namespace
