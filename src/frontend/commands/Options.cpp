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
             << ". Minute des Tages, jedes Turnier mit Datei und ungespeicherten Änderungen.\n";
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
            "Datei und ungespeicherte Änderungen hat, zu jeder „AutoSave Min“-ten Minute des Tages (1 bis 1440;\n"
            "bei 15 um 10:00, 10:15, ...), auch während das Programm auf eine Eingabe wartet. Eine Datei, die\n"
            "seit dem Laden oder Speichern ein anderes Programm geändert hat, überschreibt es nicht. Wertung 1\n"
            "bis 3 sind die Namen der drei Wertungen (etwa Punkte, Tore, Bälle; leer: nicht gewertet). Die\n"
            "Tabellenwertung ordnet die Tabellen nach Punkten, Minuspunkten, Satz- oder Tordifferenz, Sätzen\n"
            "(Toren), Balldifferenz und Bällen und zeigt Ergebnisse und Tabellen ohne oder mit Differenzen und\n"
            "Satzergebnissen; die Fussballwertung ordnet nach Punkten, Tordifferenz und Toren, bei Gleichstand\n"
            "nach dem direkten Vergleich. „Punkte, Torverhältnis dann direkter Vergleich“ lässt das Spiel der\n"
            "beiden gleichauf Liegenden nach der Tordifferenz entscheiden, „Punkte, dann direkter Vergleich“ (nur\n"
            "Fussballwertung) gleich nach den Punkten. Die Tabellen werden sofort neu geordnet, die Platzhalter\n"
            "fertiger Gruppen folgen; hat schon ein Spiel ein Ergebnis, das auf der Tabelle einer Gruppe aufbaut,\n"
            "bleibt die Ordnung, wie sie ist. Minuspunkte ausblenden zeigt in den Tabellen nur Gewonnenes.\n"
            "Fussballpunkte merkt sich, dass das Turnier nach Fußballregeln zählt. Die Optionen gehören zum\n"
            "aktuellen Turnier und werden mit ihm gespeichert; OK ohne Änderung ändert nichts.",
            true, Options},
});

}  // namespace
