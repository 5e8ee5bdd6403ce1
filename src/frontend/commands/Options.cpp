// The tournament options: saving on the clock, the scoring names, how results show and the
// standings are ranked.
#include <ostream>

#include "dialogs/Dialogs.h"
#include "engine/Wertungsregeln.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "frontend/CommandTable.h"
#include "mainwindow/main.h"

namespace {

void PrintAutoSave(CommandCall& call) {
    if (GetSetting(call.form, "AutoSave", "false") != "true") {
        call.out << "Automatisches Speichern: aus.\n";
        return;
    }
    call.out << "Automatisches Speichern: an, zu jeder " << GetSetting(call.form, "AutoSave Min", "15")
             << ". Minute des Tages, jedes Turnier mit Datei.\n";
    if (call.form.Turnier.Cells(Turnier_DateiNameS, 1).empty())
        call.out << "Hinweis: Dieses Turnier hat noch keine Datei; „speichern-unter DATEI“ gibt ihm eine.\n";
}

// The standings ranked by changed rules, and the groups whose order they changed.
void RankAgain(CommandCall& call) {
    TForm1& f = call.form;
    const std::vector<int> reordered = tabellenNeuOrdnen(f);
    call.out << "Die Tabellen sind nach der neuen Wertung geordnet";
    if (reordered.empty()) {
        call.out << "; ihre Reihenfolge bleibt.\n";
        return;
    }
    call.out << "; eine neue Reihenfolge hat " << (reordered.size() == 1 ? "Gruppe" : "die Gruppen");
    for (size_t i = 0; i < reordered.size(); ++i)
        call.out << (i == 0 ? " " : i + 1 == reordered.size() ? " und " : ", ") << ListGet(f.XAGruppBez, reordered[i]);
    call.out << ".\n";
}

bool Options(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„optionen“ nimmt nur Felder des Dialogs (Feld=Wert).");
    TForm1& f = call.form;
    TfrmOptionen& dialog = DialogsOf(f).frmOptionen;
    dialog.Form = &f;
    if (dialog.ShowModal() != mrOk) call.out << "Die Turnieroptionen bleiben, wie sie sind.\n";
    else if (dialog.WertungGeaendert) RankAgain(call);
    if (dialog.ModalResult == mrOk && dialog.Geaendert) {
        f.DoPlan(f.XPlan1, 0, 0, nullptr);
        f.DoPlan(f.XPlan2, 0, 0, nullptr);
    }
    PrintAutoSave(call);
    return true;
}

const CommandRegistration kOptionCommands({
    Command{"optionen", kMenuExtras, "[Feld=Wert...] [ok|abbrechen]", "Die Turnieroptionen zeigen und setzen",
            "Der Dialog „Turnieroptionen“: AutoSave (ja oder nein) speichert jedes geöffnete Turnier, das eine\n"
            "Datei hat, zu jeder „AutoSave Min“-ten Minute des Tages (1 bis 1440; bei 15 um 10:00, 10:15, ...),\n"
            "auch während das Programm auf eine Eingabe wartet. Wertung 1 bis 3 sind die Namen der drei\n"
            "Wertungen (etwa Punkte, Tore, Bälle; leer: nicht gewertet). Die Tabellenwertung ordnet die\n"
            "Tabellen nach Punkten, Minuspunkten, Satz- oder Tordifferenz, Sätzen (Toren), Balldifferenz\n"
            "und Bällen und zeigt Ergebnisse und Tabellen ohne oder mit Differenzen und Satzergebnissen;\n"
            "die Fussballwertung ordnet nach Punkten, Tordifferenz und Toren, bei Gleichstand nach dem\n"
            "direkten Vergleich. „Punkte, Torverhältnis dann direkter Vergleich“ lässt das Spiel der\n"
            "beiden gleichauf Liegenden nach der Tordifferenz entscheiden, „Punkte, dann direkter\n"
            "Vergleich“ (nur Fussballwertung) gleich nach den Punkten. Die Tabellen werden sofort neu\n"
            "geordnet, die Platzhalter fertiger Gruppen folgen; hat schon ein Spiel ein Ergebnis, das auf\n"
            "der Tabelle einer Gruppe aufbaut, bleibt die Ordnung, wie sie ist. Minuspunkte ausblenden\n"
            "zeigt in den Tabellen nur Gewonnenes. Fussballpunkte merkt sich, dass das Turnier nach\n"
            "Fußballregeln zählt. Die Optionen gehören zum aktuellen Turnier und werden mit ihm\n"
            "gespeichert; OK ohne Änderung ändert nichts.",
            true, Options},
});

}  // namespace
