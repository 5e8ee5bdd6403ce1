// Editing a tournament between its creation and its end: the groups of the round page, deleting
// groups and rounds, single games, the clash report, the play-through, scoring and times.
#include <ostream>
#include <string>
#include <vector>

#include "engine/Gruppenstatus.h"
#include "engine/ResultTexts.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Texts.h"
#include "frontend/CommandTable.h"
#include "frontend/RoundNodes.h"
#include "mainwindow/main.h"
#include "platform/Dialog.h"

namespace {

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 6 && text.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<std::string> RowCells(const TStringGrid& grid, int row) { return grid.Rows(row).ToVector(); }

// --- the round page's list ---

// A listed group by its row number from 1 or by its id; 0 when there is none.
int ListedGroup(const TStringGrid& list, const std::string& wanted) {
    for (int row = 1; row < list.RowCount(); ++row) {
        if (list.Cells(0, row).empty()) continue;
        if ((IsNumber(wanted) && ToInt(wanted) == row) || SameText(list.Cells(0, row), wanted)) return row;
    }
    return 0;
}

bool ChooseListedGroup(CommandCall& call, const char* command) {
    if (call.args.size() != 1) return Fail(call, "„" + std::string(command) + " ZEILE“: die Zeile oder Bezeichnung einer Gruppe der Rundenseite.");
    const int row = ListedGroup(call.form.Gruppen, call.args[0]);
    if (row == 0)
        return Fail(call, "Eine Gruppe " + Quoted(call.args[0]) + " steht nicht in der Liste der Rundenseite; „runde“ zeigt die Liste.");
    call.form.Gruppen.SetRow(row);
    return true;
}

bool EditListedGroup(CommandCall& call) {
    if (!ChooseListedGroup(call, "gruppe-bearbeiten")) return false;
    const int row = call.form.Gruppen.Row();
    const std::vector<std::string> before = RowCells(call.form.Gruppen, row);
    call.form.IAeverButton18Click(nullptr);
    if (RowCells(call.form.Gruppen, row) == before) call.out << "Die Gruppe bleibt unverändert.\n";
    PrintGroupList(call);
    return true;
}

bool RemoveListedGroup(CommandCall& call) {
    if (!ChooseListedGroup(call, "gruppe-entfernen")) return false;
    call.form.IAeverButton19Click(nullptr);
    PrintGroupList(call);
    return true;
}

// --- deleting groups and rounds ---

std::vector<std::string> GroupIds(const TForm1& form) {
    std::vector<std::string> ids;
    for (int row = 1; row < form.Gruppe.RowCount(); ++row)
        if (!form.Gruppe.Cells(0, row).empty()) ids.push_back(form.Gruppe.Cells(Gruppe_Bez, row));
    return ids;
}

// The ids that were there before and are gone now, or "nichts".
std::string Gone(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::string gone;
    size_t kept = 0;
    for (const std::string& id : before) {
        if (kept < after.size() && after[kept] == id) ++kept;
        else gone += (gone.empty() ? "" : ", ") + id;
    }
    return gone.empty() ? "nichts" : "Gruppe " + gone;
}

bool DeleteNode(CommandCall& call, bool round) {
    const char* command = round ? "runde-loeschen" : "gruppe-loeschen";
    if (call.args.size() != 1) return Fail(call, "„" + std::string(command) + " KNOTEN“: die Nummer aus „runden“.");
    if (!SelectRoundNode(call, call.args[0])) return false;
    TForm1& f = call.form;
    if (!round && f.TreeView3.Selected()->Level() == 0)
        return Fail(call, "Knoten " + call.args[0] + " ist eine Runde; „runde-loeschen“ löscht eine Runde.");
    const std::vector<std::string> before = GroupIds(f);
    if (round) f.SpeedButton8Click(nullptr);
    else f.SpeedButton7Click(nullptr);
    call.out << "Gelöscht: " << Gone(before, GroupIds(f)) << "\n";
    if (f.TreeView3.Nodes().empty()) call.out << "Das Turnier hat keine Runde mehr.\n";
    else PrintRoundTree(call);
    return true;
}

bool DeleteGroup(CommandCall& call) { return DeleteNode(call, false); }
bool DeleteRound(CommandCall& call) { return DeleteNode(call, true); }

// --- one game ---

// The row of the game in a plan that lists games; 0 when it does not show it.
int PlanRowOf(const TStringGrid& plan, int mode, const std::string& game) {
    if (mode != 1 && mode != 4 && mode != 5 && mode != 7) return 0;
    for (int row = 1; row < plan.RowCount(); ++row)
        if (plan.Cells(1, row) == game) return row;
    return 0;
}

std::string Participant(const TForm1& f, const std::string& number) {
    const int team = ToInt(number);
    std::string name = team >= 1 && team < f.XATeamsTur.Items.Count() ? f.XATeamsTur.Items[team] : "";
    if (name.empty() && team >= 1 && team < f.XATeams.Items.Count()) name = f.XATeams.Items[team];
    return name.empty() ? "?" : name;
}

void PrintGame(CommandCall& call, int row) {
    const TForm1& f = call.form;
    const TSortGrid& plan = f.Spielplan;
    const int group = IntGet(plan, Spielplan_GrNr, row, true);
    call.out << "Spiel " << plan.Cells(Spielplan_SpNr, row) << " (Gruppe " << ListGet(f.XAGruppBez, group) << "): "
             << Participant(f, plan.Cells(Spielplan_T1, row)) << " - " << Participant(f, plan.Cells(Spielplan_T2, row));
    const std::string winner = plan.Cells(Spielplan_Sieger, row);
    if (winner.empty()) call.out << ", kein Ergebnis";
    else if (winner == "0") call.out << ", unentschieden";
    else call.out << ", Sieger " << Participant(f, winner);
    if (const std::string points = PunkteText(f, row, false); !points.empty()) call.out << " (" << points << ")";
    call.out << "\n  Feld " << plan.Cells(Spielplan_Feld, row) << ", Tag " << plan.Cells(Spielplan_Tag, row);
    if (!plan.Cells(Spielplan_Von, row).empty())
        call.out << ", " << plan.Cells(Spielplan_Von, row) << "-" << plan.Cells(Spielplan_Bis, row);
    call.out << ", Schiedsrichter: " << f.getSchiriName(row);
    if (!plan.Cells(Spielplan_Zeitnehmer, row).empty()) call.out << ", Zeitnehmer: " << plan.Cells(Spielplan_Zeitnehmer, row);
    call.out << "\n";
}

// Where a game stands in the plans: its Spielplan row, the plan that lists it (the upper one
// first) and its row there, selected as a click selects it.
struct GameInPlan {
    int r = 0;
    bool upper = true;
    TStringGrid* plan = nullptr;
    int row = 0;
};

// False, having said why, when the game does not exist or neither plan lists it.
bool FindGameInPlan(CommandCall& call, const char* command, GameInPlan& found) {
    if (call.args.size() != 1 || !IsNumber(call.args[0]))
        return Fail(call, "„" + std::string(command) + " SPIEL“: die Nummer eines Spiels.");
    TForm1& f = call.form;
    const std::string& game = call.args[0];
    found.r = FindRow(f.Spielplan, Spielplan_SpNr, game);
    if (found.r == 0) return Fail(call, "Ein Spiel " + game + " gibt es nicht.");
    // The plans show what the tables hold now, as the window does by the time a user clicks.
    f.DoPlan(f.XPlan1, 0, 0, nullptr);
    f.DoPlan(f.XPlan2, 0, 0, nullptr);
    found.upper = PlanRowOf(f.XPlan1, f.Plan1Modus, game) > 0;
    found.plan = found.upper ? &f.XPlan1 : &f.XPlan2;
    found.row = PlanRowOf(*found.plan, found.upper ? f.Plan1Modus : f.Plan2Modus, game);
    if (found.row == 0)
        return Fail(call, "Spiel " + game + " steht in keinem der beiden Pläne; „plan“ wählt eine Spielliste.");
    found.plan->SetRow(found.row);
    return true;
}

void ReportGame(CommandCall& call, const std::vector<std::string>& before) {
    const TForm1& f = call.form;
    const std::string& game = call.args[0];
    const int r = FindRow(f.Spielplan, Spielplan_SpNr, game);
    if (RowCells(f.Spielplan, r) == before) call.out << "Spiel " << game << " bleibt unverändert.\n";
    PrintGame(call, r);
}

bool Game(CommandCall& call) {
    GameInPlan at;
    if (!FindGameInPlan(call, "spiel", at)) return false;
    TForm1& f = call.form;
    if (at.plan->Cells(0, at.row) != ">>" && SpielHatErgebnis(f, at.r))
        return Fail(call, "Spiel " + call.args[0] + " hat ein Ergebnis, und seine Gruppe nimmt keine Ergebnisse mehr an.");
    const std::vector<std::string> before = RowCells(f.Spielplan, at.r);
    if (at.upper) f.XPlan1DblClick(nullptr);
    else f.XPlan2DblClick(nullptr);
    ReportGame(call, before);
    return true;
}

// The popup entry "Spieleinstellung" of the plan that lists the game.
bool GameSettings(CommandCall& call) {
    GameInPlan at;
    if (!FindGameInPlan(call, "spieleinstellung", at)) return false;
    TForm1& f = call.form;
    const std::vector<std::string> before = RowCells(f.Spielplan, at.r);
    f.PopupPlan = at.plan;
    f.Spieleinstellung1Click(&f.Spieleinstellung1);
    ReportGame(call, before);
    return true;
}

// --- reports ---

void PrintReport(CommandCall& call, const TRichEdit& report) {
    for (const TRichEdit::Line& line : report.Lines) call.out << line.text << "\n";
}

bool ClashReport(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„fehlermeldungen“ nimmt keine Angaben.");
    call.form.IAeverButton38Click(nullptr);
    PrintReport(call, call.form.RichEdit1);
    return true;
}

bool PlayThrough(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„durchspielen“ nimmt keine Angaben.");
    call.form.IAeverButton33Click(nullptr);
    PrintReport(call, call.form.RichEdit3);
    const std::vector<TRichEdit::Line>& lines = call.form.RichEdit3.Lines;
    if (!lines.empty() && lines.back().text == lngText(72)) return Fail(call, "Das Turnier wurde nicht durchgespielt.");
    return true;
}

// --- the tabs "Wertung" and "Sonstiges" ---

// A tab of the round-editing page as a dialog: its controls are copied in, shown and set field
// by field; OK copies them back, cancelling leaves the page as it was.
class ScoringTab : public TDialog {
public:
    explicit ScoringTab(TForm1& form) : form_(form) {
        SetCaption("Wertung");
        for (size_t i = 0; i < 4; ++i) points_[i].SetText(Points()[i]->Text());
        for (size_t i = 0; i < 3; ++i) kinds_[i].SetChecked(Kinds()[i]->Checked());
        carried_.SetChecked(form.CheckBox2.Checked());
    }
    std::vector<DialogField> Fields() override {
        return {OptionField("Wertung", {{"Pro Sieg", &kinds_[0]}, {"Pro Satz", &kinds_[1]}, {"Selbstdefinierte Punkte", &kinds_[2]}}),
                PointsField("Punkte pro Sieg", points_[0], form_.umEdit1),
                PointsField("Punkte pro Unentschieden", points_[1], form_.umEdit2),
                PointsField("Punkte pro Satz", points_[2], form_.umEdit3),
                PointsField("Punkte bei Ballgleichstand", points_[3], form_.umEdit4),
                FlagField("Ergebnisse aus Vorrunde übernehmen", carried_)};
    }

    // Whether OK took anything other than the tab showed.
    bool Changed() const { return changed_; }

protected:
    void AcceptOk() override {
        changed_ = carried_.Checked() != form_.CheckBox2.Checked();
        for (size_t i = 0; i < 4; ++i) {
            changed_ = changed_ || Points()[i]->Text() != points_[i].Text();
            Points()[i]->SetText(points_[i].Text());
        }
        for (size_t i = 0; i < 3; ++i) {
            changed_ = changed_ || Kinds()[i]->Checked() != kinds_[i].Checked();
            Kinds()[i]->SetChecked(kinds_[i].Checked());
        }
        form_.CheckBox2.SetChecked(carried_.Checked());
    }

private:
    std::vector<TEdit*> Points() { return {&form_.umEdit1, &form_.umEdit2, &form_.umEdit3, &form_.umEdit4}; }
    std::vector<TRadioButton*> Kinds() { return {&form_.RadioButton1, &form_.RadioButton2, &form_.RadioButton3}; }
    TForm1& form_;
    TEdit points_[4];
    TRadioButton kinds_[3];
    TCheckBox carried_;
    bool changed_ = false;
};

class TimesTab : public TDialog {
public:
    explicit TimesTab(TForm1& form) : form_(form) {
        SetCaption("Sonstiges");
        shift_.SetText(form.umValidEdit5.Text());
        length_.SetText(form.umValidEdit7.Text());
        for (size_t i = 0; i < 3; ++i) choice_[i].SetChecked(Choice()[i]->Checked());
    }
    std::vector<DialogField> Fields() override {
        return {OptionField("Änderung", {{"Alle Zeiten verschieben um", &choice_[0]},
                                         {"Spieldauer verändern um", &choice_[1]},
                                         {"Keine Änderung", &choice_[2]}}),
                Minutes("Verschiebung", shift_, 0), Minutes("Spieldauer", length_, 1)};
    }

protected:
    void AcceptOk() override {
        // Typing into a minute field chooses its change; the choice made here comes last.
        form_.umValidEdit5.SetText(shift_.Text());
        form_.umValidEdit7.SetText(length_.Text());
        for (size_t i = 0; i < 3; ++i) Choice()[i]->SetChecked(choice_[i].Checked());
    }

private:
    // Minutes typed choose the change they are for, as in the window.
    DialogField Minutes(const std::string& label, TEdit& edit, size_t option) {
        DialogField field = TextField(label, edit);
        field.assign = [this, &edit, option](const std::string& text) {
            edit.SetText(text);
            for (size_t i = 0; i < 3; ++i) choice_[i].SetChecked(i == option);
            return true;
        };
        return field;
    }
    std::vector<TRadioButton*> Choice() { return {&form_.RadioButton18, &form_.RadioButton19, &form_.RadioButton20}; }
    TForm1& form_;
    TEdit shift_, length_;
    TRadioButton choice_[3];
};

// The round and group the selected node stands for (group 0 for a round).
struct NodeTarget {
    int round = 0, group = 0;
};
NodeTarget TargetOf(const TForm1& f) {
    const TTreeNode* node = f.TreeView3.Selected();
    if (node->Level() > 0) return {static_cast<int>(node->Parent->Data), static_cast<int>(node->Data)};
    return {static_cast<int>(node->Data), 0};
}

bool Concerns(const NodeTarget& target, int group, int round) {
    return target.group > 0 ? group == target.group : round == target.round;
}

void PrintScoring(CommandCall& call, const NodeTarget& target) {
    const TSortGrid& g = call.form.Gruppe;
    for (int row = 1; row < g.RowCount(); ++row) {
        if (g.Cells(0, row).empty() || !Concerns(target, row, IntGet(g, Gruppe_RNr, row, true))) continue;
        call.out << "  Gruppe " << g.Cells(Gruppe_Bez, row) << ": ";
        if (!g.Cells(Gruppe_P1, row).empty())
            call.out << "pro Sieg " << g.Cells(Gruppe_P1, row) << ", Unentschieden " << g.Cells(Gruppe_P2, row);
        else if (!g.Cells(Gruppe_P3, row).empty())
            call.out << "pro Satz " << g.Cells(Gruppe_P3, row) << ", Ballgleichstand " << g.Cells(Gruppe_P4, row);
        else
            call.out << "selbstdefiniert";
        call.out << ", Ergebnisse aus Vorrunde " << (g.Cells(Gruppe_ErgUE, row) == "1" ? "übernommen" : "nicht übernommen") << "\n";
    }
}

void PrintTimes(CommandCall& call, const NodeTarget& target) {
    const TSortGrid& plan = call.form.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row)
        if (!plan.Cells(0, row).empty() &&
            Concerns(target, IntGet(plan, Spielplan_GrNr, row, true), IntGet(plan, Spielplan_RNr, row, true)))
            call.out << "  Spiel " << plan.Cells(Spielplan_SpNr, row) << ": Tag " << plan.Cells(Spielplan_Tag, row) << ", "
                     << plan.Cells(Spielplan_Von, row) << "-" << plan.Cells(Spielplan_Bis, row) << ", Feld "
                     << plan.Cells(Spielplan_Feld, row) << "\n";
}

bool ChooseNode(CommandCall& call, const char* command) {
    if (call.args.size() != 1)
        return Fail(call, "„" + std::string(command) + " KNOTEN“: die Nummer einer Runde oder Gruppe aus „runden“.");
    return SelectRoundNode(call, call.args[0]);
}

bool Scoring(CommandCall& call) {
    if (!ChooseNode(call, "wertung")) return false;
    ScoringTab tab(call.form);
    // OK on the tab as it was shown writes nothing: a round's groups may hold scorings of their own.
    if (tab.ShowModal() != mrOk || !tab.Changed()) {
        call.out << "Die Wertung bleibt unverändert.\n";
        return true;
    }
    call.form.IAeverButton9Click(nullptr);
    call.out << "Wertung:\n";
    PrintScoring(call, TargetOf(call.form));
    return true;
}

bool Times(CommandCall& call) {
    if (!ChooseNode(call, "zeiten")) return false;
    TForm1& f = call.form;
    if (!f.XZeitSpiele.Checked()) return Fail(call, "Die Spiele dieses Turniers haben keine Uhrzeiten.");
    TimesTab tab(f);
    if (tab.ShowModal() != mrOk) {
        call.out << "Die Zeiten bleiben unverändert.\n";
        return true;
    }
    const bool change = !f.RadioButton20.Checked();
    f.IAeverButton3Click(nullptr);
    // A change that was carried out chooses "Keine Änderung" again.
    if (!f.RadioButton20.Checked()) return Fail(call, "Es wurde nichts geändert.");
    if (!change) call.out << "Keine Änderung gewählt.\n";
    call.out << "Spiele:\n";
    PrintTimes(call, TargetOf(f));
    return true;
}

const CommandRegistration kEditingCommands({
    Command{"gruppe-bearbeiten", kMenuWerkzeuge, "ZEILE [Feld=Wert...] [ok|abbrechen]",
            "Eine Gruppe der Rundenseite im Gruppendialog ändern",
            "ZEILE ist die Zeile (ab 1) oder die Bezeichnung der Gruppe in der Liste, die „runde“ zeigt.\n"
            "Die Felder sind die von „gruppe-neu“.",
            true, EditListedGroup},
    Command{"gruppe-entfernen", kMenuWerkzeuge, "ZEILE", "Eine Gruppe aus der Liste der Rundenseite nehmen",
            "Die Gruppe ist noch nicht angelegt; die Gruppen darunter rücken auf.", true, RemoveListedGroup},
    Command{"gruppe-loeschen", kMenuWerkzeuge, "KNOTEN", "Eine angelegte Gruppe mit ihren Spielen löschen",
            "KNOTEN ist die Nummer der Gruppe aus „runden“. Fragt vorher nach (antwort ja|nein). Eine Gruppe,\n"
            "aus der Teilnehmer einer späteren Gruppe kommen, bleibt stehen. Danach rücken die Nummern der\n"
            "Gruppen, Teilnehmer und Spiele auf.",
            true, DeleteGroup},
    Command{"runde-loeschen", kMenuWerkzeuge, "KNOTEN", "Eine Runde mit allen ihren Gruppen löschen",
            "KNOTEN ist die Nummer der Runde oder einer ihrer Gruppen aus „runden“. Fragt vorher nach.\n"
            "Gruppen, von denen spätere Gruppen abhängen, bleiben stehen und werden genannt.",
            true, DeleteRound},
    Command{"spiel", kMenuWerkzeuge, "SPIEL [Feld=Wert...] [Schaltfläche]", "Ein Spiel doppelt anklicken",
            "Wie ein Doppelklick auf das Spiel im Plan: ein Spiel, das sein Ergebnis jetzt annimmt, öffnet die\n"
            "Ergebniseingabe; ein Spiel, das noch nicht spielbereit ist, die Spieleinstellung (Feld, Beginn,\n"
            "Ende, Tag, Teilnehmer, Schiedsrichter, Zeitnehmer). Das Spiel muss in einem der Pläne stehen.",
            true, Game},
    Command{"spieleinstellung", kMenuWerkzeuge, "SPIEL [Feld=Wert...] [ok|abbrechen]",
            "Feld, Zeiten, Tag, Teilnehmer, Schiedsrichter und Zeitnehmer eines Spiels einstellen",
            "Wie „Spieleinstellung“ im Kontextmenü des Plans, auch für ein spielbereites Spiel. Die Teilnehmer\n"
            "eines Spiels mit Ergebnis bleiben. Das Spiel muss in einem der Pläne stehen.",
            true, GameSettings},
    Command{"fehlermeldungen", kMenuExtras, "", "Überschneidungen im Spielplan suchen",
            "Zwei Spiele auf einem Feld zur selben Zeit, und wer zur selben Zeit spielt oder pfeift.", true,
            ClashReport},
    Command{"durchspielen", kMenuExtras, "", "Das Turnier mit ausgedachten Ergebnissen durchspielen",
            "Zeigt Spiele, Tabellen, Endplatzierung und Schiedsrichter und ob sich alles auflösen lässt;\n"
            "danach steht das Turnier wieder genau wie vorher. Nur vor dem ersten Ergebnis.",
            true, PlayThrough},
    Command{"wertung", kMenuWerkzeuge, "KNOTEN [Feld=Wert...] [ok|abbrechen]",
            "Die Wertung einer Runde oder Gruppe setzen",
            "KNOTEN aus „runden“: eine Runde gilt für alle ihre Gruppen. Felder: Wertung (Pro Sieg, Pro Satz,\n"
            "Selbstdefinierte Punkte), Punkte pro Sieg, Punkte pro Unentschieden, Punkte pro Satz, Punkte bei\n"
            "Ballgleichstand, Ergebnisse aus Vorrunde übernehmen. Der Dialog zeigt die Wertung der Gruppe,\n"
            "bei einer Runde die ihrer ersten Gruppe; OK ohne Änderung ändert nichts.",
            true, Scoring},
    Command{"zeiten", kMenuWerkzeuge, "KNOTEN [Feld=Wert...] [ok|abbrechen]",
            "Die Spiele einer Runde oder Gruppe verschieben oder verlängern",
            "KNOTEN aus „runden“. Felder: Änderung, Verschiebung, Spieldauer (Minuten von -120 bis 120);\n"
            "Minuten in einem Feld wählen seine Änderung. Nur mit Spielzeiten.",
            true, Times},
});

}  // namespace
