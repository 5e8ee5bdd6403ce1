// Results: entering a game's result, the standings of a group, the placing conflict and the log.
#include <ostream>

#include "dialogs/Dialogs.h"
#include "engine/Gruppenstatus.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/TeilnehmerName.h"
#include "frontend/CommandTable.h"
#include "frontend/TerminalHost.h"
#include "frontend/TextTable.h"
#include "mainwindow/main.h"
#include "platform/Strings.h"

namespace {

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string Participant(const TForm1& f, const std::string& number) { return TeilnehmerName(f, ToInt(number)); }

// "3:1" of two score cells, or nothing when both are empty.
std::string Pair(const TSortGrid& plan, int row, int plus) {
    const std::string& a = plan.Cells(plus, row);
    const std::string& b = plan.Cells(plus + 1, row);
    if (a.empty() && b.empty()) return {};
    return (a.empty() ? "0" : a) + ":" + (b.empty() ? "0" : b);
}

// Whether a later game or place takes the winner or the loser of this game.
bool DecidesAParticipant(const TForm1& f, const std::string& game) {
    for (int row = 1; row < f.Teams.RowCount(); ++row) {
        const std::string& kind = f.Teams.Cells(Teams_SV, row);
        if ((kind == "S" || kind == "V") && f.Teams.Cells(Teams_Pos, row) == game) return true;
    }
    return false;
}

// The game as it stands now: its participants, scores and winner.
std::string GameLine(const TForm1& f, int row) {
    const TSortGrid& plan = f.Spielplan;
    std::string line = "Spiel " + plan.Cells(Spielplan_SpNr, row) + ": " + Participant(f, plan.Cells(Spielplan_T1, row)) +
                       " - " + Participant(f, plan.Cells(Spielplan_T2, row));
    const std::string& winner = plan.Cells(Spielplan_Sieger, row);
    if (winner.empty()) return line + ", kein Ergebnis";
    if (plan.Cells(Spielplan_SatzErg, row) == "NULL") return line + ", Keine Wertung";
    for (int k = 1; k <= 3; ++k)
        if (const std::string pair = Pair(plan, row, Spielplan_PPkt + 2 * (k - 1)); !pair.empty())
            line += ", " + f.ScoreName(k) + " " + pair;
    if (const std::string& sets = plan.Cells(Spielplan_SatzErg, row); !sets.empty()) line += " (" + sets + ")";
    if (winner != "0") return line + ", Sieger " + Participant(f, winner);
    line += ", unentschieden";
    if (DecidesAParticipant(f, plan.Cells(Spielplan_SpNr, row)))
        line += " – Sieger und Verlierer bleiben offen, bis das Spiel entschieden ist";
    return line;
}

// Why a game takes no result now: its group's state, as the plans tell by leaving it unmarked, or
// a participant not known yet; empty when it does.
std::string NoResultReason(const TForm1& f, int row) {
    const int g = IntGet(f.Spielplan, Spielplan_GrNr, row, true);
    const std::string state = g >= 1 ? Get(f.Gruppe, Gruppe_State, g, true) : std::string();
    // A result stored before such games were refused opens the dialog, to be cleared.
    if (NimmtErgebnisse(state) && SpielHatErgebnis(f, row)) return {};
    return KeinErgebnisGrund(f, row);
}

bool EnterResult(CommandCall& call) {
    if (call.args.size() == 2 && IsNumber(call.args[0]))
        return Fail(call, "Ohne Feld=Wert steht die Schaltfläche " + Quoted(call.args[1]) + " in der Zeile nach „ergebnis " +
                              call.args[0] + "“.");
    if (call.args.size() != 1 || !IsNumber(call.args[0]))
        return Fail(call, "„ergebnis“ braucht die Nummer eines Spiels, z. B. „ergebnis 3“.");
    TForm1& f = call.form;
    const int row = FindRow(f.Spielplan, Spielplan_SpNr, IntToStr(ToInt(call.args[0])));
    if (row < 1) return Fail(call, "Ein Spiel " + call.args[0] + " gibt es nicht.");
    if (const std::string reason = NoResultReason(f, row); !reason.empty())
        return Fail(call, "Spiel " + call.args[0] + " nimmt kein Ergebnis an: " + reason + ".");
    TMenuItem entry;
    entry.Tag = ToInt(call.args[0]);
    f.SpielErgebnisClick(&entry);
    if (DialogsOf(f).frmErgebnis.ModalResult != mrOk) {
        call.out << "Abgebrochen – das Ergebnis bleibt, wie es war.\n";
        return true;
    }
    // The result is stored: what its processing shows after it reports, it does not refuse.
    call.host.ChangeStored();
    call.out << GameLine(f, FindRow(f.Spielplan, Spielplan_SpNr, IntToStr(entry.Tag))) << "\n";
    return true;
}

// The group of an id (any case) or number; 0 when there is none.
int GroupByName(const TForm1& f, const std::string& wanted) {
    for (int g = 1; g < f.XAGruppBez.Items.Count(); ++g)
        if (SameText(f.XAGruppBez.Items[g], wanted)) return g;
    if (IsNumber(wanted) && ToInt(wanted) >= 1 && ToInt(wanted) < f.XAGruppBez.Items.Count()) return ToInt(wanted);
    return 0;
}

bool ShowStandings(CommandCall& call) {
    TForm1& f = call.form;
    if (call.args.size() > 1) return Fail(call, "„tabelle“ nimmt höchstens eine Gruppe.");
    std::vector<int> groups;
    if (call.args.empty()) {
        for (int g = 1; g < f.XAGruppBez.Items.Count(); ++g) groups.push_back(g);
    } else if (const int g = GroupByName(f, call.args[0]); g > 0) {
        groups.push_back(g);
    } else {
        return Fail(call, "Eine Gruppe " + Quoted(call.args[0]) + " gibt es nicht.");
    }
    for (size_t i = 0; i < groups.size(); ++i) {
        const int g = groups[i];
        f.DoPlan(f.XPlan1, 2, g, nullptr);
        call.out << (i ? "\n" : "") << "Tabelle " << ListGet(f.XAGruppBez, g) << " ( " << ListGet(f.XAGruppName, g)
                 << " )\n";
        for (const std::string& line : GridLines(f.XPlan1)) call.out << line << "\n";
    }
    return true;
}

bool SettleConflict(CommandCall& call) {
    TForm1& f = call.form;
    if (call.args.size() > 1) return Fail(call, "„konflikt“ nimmt höchstens eine Gruppe.");
    TMenuItem entry;
    if (!call.args.empty()) {
        entry.Tag = GroupByName(f, call.args[0]);
        if (entry.Tag == 0) return Fail(call, "Eine Gruppe " + Quoted(call.args[0]) + " gibt es nicht.");
    }
    f.PlatzierungskonfliktClick(&entry);
    return true;
}

bool ShowLog(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„log“ nimmt keine Angaben.");
    const TStringList& lines = call.form.Memo1.Lines;
    if (lines.Count() == 0) call.out << "Das Protokoll ist leer.\n";
    for (int i = 0; i < lines.Count(); ++i) call.out << lines[i] << "\n";
    return true;
}

const CommandRegistration kResultCommands({
    Command{"ergebnis", kMenuWerkzeuge, "SPIEL [Feld=Wert...] [SCHALTFLÄCHE]",
            "Das Ergebnis eines Spiels eingeben, ändern oder löschen",
            "Öffnet den Ergebnisdialog des Spiels, wie ein Doppelklick im Plan.\n"
            "Felder: Sieger (automatisch oder einer der beiden), Punkte1, Punkte2, Sätze1, Sätze2, Bälle1, Bälle2,\n"
            "Satzergebnisse (z. B. 25:20, 18:25, 15:10). Die Felder heißen nach den Wertungen des Turniers,\n"
            "im Fußball etwa Tore1 und Tore2; die Namen oben gelten auch dann. Punkte1 und Punkte2 gibt es\n"
            "nur, wenn die Gruppe keine Punkte vergibt (Wertung „Selbstdefinierte Punkte“); vergibt sie\n"
            "Punkte pro Sieg oder pro Satz (im Assistenten „Punkte“, danach „wertung“), folgen die Punkte\n"
            "aus dem Ergebnis. Satzergebnisse allein geben Sätze und Bälle (ihre Summen); eingegebene\n"
            "müssen zu ihnen passen. Der Sieger folgt sonst aus Punkten, Sätzen (Toren), Bällen; gleich\n"
            "in allen drei ist unentschieden. Ein gewählter Sieger entscheidet ein unentschiedenes Spiel\n"
            "und muss sonst zum Ergebnis passen; Tore, Sätze und Bälle sind ganze Zahlen. Danach folgen\n"
            "Tabelle, Gruppenstand und Platzhalter.\n"
            "Ist eine Gruppe damit fertig und sind Teilnehmer gleichauf, folgt der Konfliktdialog.\n"
            "Schaltflächen: übernehmen, kein-ergebnis, ergebnis-löschen, abbrechen. Ohne Feld=Wert steht\n"
            "die Schaltfläche in der nächsten Zeile, z. B. „ergebnis 3“, dann „kein-ergebnis“.\n"
            "„übernehmen“ braucht ein Ergebnis oder einen gewählten Sieger (0:0 ist unentschieden); ein\n"
            "Spiel, das nicht stattfand, bekommt „kein-ergebnis“.",
            true, EnterResult},
    Command{"tabelle", kMenuAnsicht, "[GRUPPE]", "Die Tabelle einer Gruppe zeigen, ohne Angabe die aller Gruppen",
            "GRUPPE ist die Bezeichnung der Gruppe (z. B. A) oder ihre Nummer.", true, ShowStandings},
    Command{"konflikt", kMenuWerkzeuge, "[GRUPPE]", "Einen Platzierungskonflikt einer fertigen Gruppe lösen",
            "Zeigt die Teilnehmer, die nach den Wertungsregeln gleichauf sind, im Konfliktdialog, in\n"
            "der Reihenfolge, in der sie jetzt stehen; die neue Reihenfolge gilt dann für Tabelle und\n"
            "Platzhalter. Ohne GRUPPE die erste fertige Gruppe mit einem solchen Konflikt. Hat ein\n"
            "späteres Spiel schon ein Ergebnis mit Teilnehmern der Gruppe, bleibt ihre Reihenfolge.",
            true, SettleConflict},
    Command{"log", kMenuAnsicht, "", "Das Protokoll (DebugInfo) zeigen",
            "Die Zeilen des Protokollfensters, etwa die der Schweizer Auslosung.", true, ShowLog},
});

}  // namespace
