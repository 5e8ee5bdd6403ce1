// The open tournaments and their files: loading, saving, closing, switching, the exchange files
// and the own tournament forms.
#include <ostream>

#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Platzgrid.h"
#include "foundation/TurnierStore.h"
#include "frontend/CommandTable.h"
#include "frontend/TerminalHost.h"
#include "mainwindow/main.h"
#include "platform/FileNames.h"

namespace {

std::string CurrentFile(const TForm1& form) { return form.Turnier.Cells(Turnier_DateiNameS, 1); }
bool CurrentChanged(const TForm1& form) { return form.Turnier.Cells(Turnier_Changes, 1) == "true"; }

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

void PrintCurrent(CommandCall& call) {
    if (call.form.AktTurNr < 1) {
        call.out << "Kein Turnier geöffnet.\n";
        return;
    }
    call.out << "Aktuell: " << call.form.AktTurNr << " " << call.form.Label39.Caption() << "\n";
}

bool NoArguments(CommandCall& call, const char* name) {
    if (call.args.empty()) return true;
    return Fail(call, std::string("„") + name + "“ nimmt keine Angaben.");
}

bool OneFile(CommandCall& call, const char* name) {
    if (call.args.size() == 1) return true;
    return Fail(call, std::string("„") + name + "“ braucht genau eine Datei.");
}

bool Load(CommandCall& call) {
    TForm1& form = call.form;
    const int before = form.AnzTurniere;
    if (!call.args.empty()) {
        form.OpenDialog1.Files.Clear();
        for (const std::string& file : call.args) form.OpenDialog1.Files.Add(WithUsualExtension(file, ".tur"));
        form.ShowLoadDialog = false;
        form.SpeedButton2Click(nullptr);
        form.ShowLoadDialog = true;
    } else {
        // At start-up the window has put the file named on the command line into the list.
        form.SpeedButton2Click(nullptr);
    }
    const int loaded = form.AnzTurniere - before;
    if (loaded == 0) {
        if (call.args.empty() && form.ShowLoadDialog) {
            call.out << "Nichts geladen.\n";
            return true;
        }
        return Fail(call, "Es wurde kein Turnier geladen.");
    }
    call.out << "Geladen: " << loaded << (loaded == 1 ? " Turnier" : " Turniere") << ".\n";
    PrintCurrent(call);
    return true;
}

// Whether the handler saved the current tournament: only a save that worked says so below.
bool SavedNow(CommandCall& call, void (TForm1::*handler)(TObject*)) {
    call.form.setStatusText(1, "");
    (call.form.*handler)(nullptr);
    return call.form.StatusBar1.Panels[1].rfind("Datei gespeichert: ", 0) == 0 && !CurrentChanged(call.form);
}

bool Save(CommandCall& call) {
    if (!NoArguments(call, "speichern")) return false;
    if (!SavedNow(call, &TForm1::AktuellesTurnierspeichern1Click))
        return Fail(call, "Das Turnier wurde nicht gespeichert.");
    call.out << "Gespeichert: " << CurrentFile(call.form) << "\n";
    return true;
}

bool SaveAs(CommandCall& call) {
    if (call.args.size() > 1) return Fail(call, "„speichern-unter“ nimmt höchstens eine Datei.");
    // Without a name the save dialog asks for one, as "laden" asks for its file.
    if (!call.args.empty()) call.host.QueueAnswers({call.args[0]});
    if (!SavedNow(call, &TForm1::AktuellesTurnierspeichernunter1Click))
        return Fail(call, "Das Turnier wurde nicht gespeichert.");
    call.out << "Gespeichert: " << CurrentFile(call.form) << "\n";
    return true;
}

bool SaveAll(CommandCall& call) {
    if (!NoArguments(call, "alle-speichern")) return false;
    call.form.IAeverButton6Click(nullptr);
    if (!call.form.AlleGespeichert || AnyTurnierChanged(call.form))
        return Fail(call, "Nicht alle Turniere wurden gespeichert.");
    call.out << "Alle Turniere gespeichert.\n";
    return true;
}

bool Close(CommandCall& call) {
    if (!NoArguments(call, "schliessen")) return false;
    const int before = call.form.AnzTurniere;
    call.form.AktuellesTurnierentfernen1Click(nullptr);
    if (call.form.AnzTurniere == before) return Fail(call, "Das Turnier bleibt geöffnet.");
    call.out << "Geschlossen.\n";
    PrintCurrent(call);
    return true;
}

bool Switch(CommandCall& call) {
    TForm1& form = call.form;
    if (call.args.size() != 1 || !IsNumber(call.args[0]))
        return Fail(call, "„wechseln“ braucht die Nummer eines geöffneten Turniers (siehe „turniere“).");
    const int wanted = ToInt(call.args[0]);
    if (wanted < 1 || wanted > form.XComboBox1.Items.Count())
        return Fail(call, "Ein Turnier " + call.args[0] + " ist nicht geöffnet; geöffnet sind 1 bis " +
                              IntToStr(form.XComboBox1.Items.Count()) + ".");
    form.XComboBox1.SetItemIndex(wanted - 1);
    form.XComboBox1Change(&form.XComboBox1);
    PrintCurrent(call);
    return true;
}

bool List(CommandCall& call) {
    if (!NoArguments(call, "turniere")) return false;
    const TForm1& form = call.form;
    if (form.XComboBox1.Items.Count() == 0) {
        call.out << "Kein Turnier geöffnet.\n";
        return true;
    }
    for (int i = 0; i < form.XComboBox1.Items.Count(); ++i) {
        const int number = i + 1;
        const bool current = number == form.AktTurNr;
        const int row = current ? 1 : MasterTurnierRow(form, number);
        const TSortGrid& grid = current ? form.Turnier : form.XMasterGrid;
        const std::string file = row > 0 ? grid.Cells(Turnier_DateiNameS, row) : "";
        const bool changed = row > 0 && grid.Cells(Turnier_Changes, row) == "true";
        call.out << (current ? "* " : "  ") << number << " " << form.XComboBox1.Items[i] << "   "
                 << (file.empty() ? "(nie gespeichert)" : file) << (changed ? "   (geändert)" : "") << "\n";
    }
    return true;
}

bool ExportResults(CommandCall& call) {
    if (call.args.size() > 1) return Fail(call, "„ergebnisse-exportieren“ nimmt höchstens eine Datei.");
    if (call.args.empty()) call.form.Spielergebnisse1Click(nullptr);
    else call.form.ErgebnisseExportierenNach(WithUsualExtension(call.args[0], ".exp"));
    return true;
}

bool ImportResults(CommandCall& call) {
    if (!OneFile(call, "ergebnisse-importieren")) return false;
    call.host.QueueAnswers({call.args[0]});
    call.form.Ergebnisse1Click(nullptr);
    if (call.form.ErgebnisImportAbgelehnt) return Fail(call, "Es wurde kein Ergebnis importiert.");
    call.out << "Übernommene Ergebnisse: " << call.form.ErgebnisseUebernommen << "\n";
    // The import's warning has named each one with its reason.
    if (const int held = call.form.ErgebnisseZurueckgehalten; held > 0)
        return Fail(call, held == 1 ? std::string("1 Ergebnis wurde nicht übernommen.")
                                    : IntToStr(held) + " Ergebnisse wurden nicht übernommen.");
    return true;
}

bool EmptyTournament(CommandCall& call) {
    if (!OneFile(call, "leeres-turnier")) return false;
    call.host.QueueAnswers({call.args[0]});
    call.form.TurnierzumTausch1Click(nullptr);
    return true;
}

bool ExportForm(CommandCall& call) {
    if (!NoArguments(call, "form-exportieren")) return false;
    call.form.Turnierform1Click(nullptr);
    return true;
}

int NamedSlots(const TForm1& form) {
    int named = 0;
    for (int row = 1; row < form.Xplatzgrid.RowCount(); ++row)
        named += form.Xplatzgrid.Cells(Platzgrid_Mannschaft, row).empty() ? 0 : 1;
    return named;
}

bool Prepare(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„vorbereitung“ nimmt nur Felder des Dialogs (Feld=Wert).");
    TForm1& form = call.form;
    const int before = form.AnzTurniere;
    form.Vorbereitung1Click(&form.Vorbereitung1);
    if (form.AnzTurniere == before) {
        call.out << "Kein Turnier angelegt oder geladen.\n";
        return true;
    }
    PrintCurrent(call);
    call.out << "Plätze mit Namen: " << NamedSlots(form) << "\n";
    return true;
}

const CommandRegistration kFileCommands({
    Command{"laden", kMenuTurnier, "[DATEI...]", "Ein oder mehrere Turniere laden",
            "Lädt die Turnierdateien (.tur) als neue Turniere; das erste wird das aktuelle.\n"
            "Ohne Angabe wird nach der Datei gefragt. Eine Datei, die schon geöffnet,\n"
            "beschädigt oder unvollständig ist, wird gemeldet und nicht geladen.",
            false, Load},
    Command{"speichern", kMenuTurnier, "", "Das aktuelle Turnier speichern",
            "Schreibt das aktuelle Turnier in seine Datei; ein nie gespeichertes fragt nach dem Namen.\n"
            "Hat ein anderes Programm die Datei seit dem Laden oder Speichern geändert, wird vorher gefragt.",
            true, Save},
    Command{"speichern-unter", kMenuTurnier, "[DATEI]", "Das aktuelle Turnier unter einem neuen Namen speichern",
            "Ohne Endung im Dateinamen wird „.tur“ angehängt. Die Datei eines anderen geöffneten\n"
            "Turniers wird nicht überschrieben. Ohne Angabe wird nach der Datei gefragt.",
            true, SaveAs},
    Command{"alle-speichern", kMenuTurnier, "", "Alle geöffneten Turniere speichern",
            "Schreibt jedes geöffnete Turnier in seine Datei, das aktuelle zuletzt.", true, SaveAll},
    Command{"schliessen", kMenuTurnier, "", "Das aktuelle Turnier schließen",
            "Ungespeicherte Änderungen werden vorher zum Speichern angeboten. Danach ist das Turnier\n"
            "davor das aktuelle (beim ersten das nächste).",
            true, Close},
    Command{"wechseln", kMenuTurnier, "N", "Zum geöffneten Turnier N wechseln",
            "N ist die Nummer, die „turniere“ zeigt.", true, Switch},
    Command{"turniere", kMenuTurnier, "", "Die geöffneten Turniere zeigen",
            "Nummer, Bezeichnung, Datei; * steht vor dem aktuellen, (geändert) nach ungespeicherten.", false, List},
    Command{"ergebnisse-exportieren", kMenuTurnier, "[DATEI]", "Die Ergebnisse für einen zweiten Marovelkandis exportieren",
            "Schreibt die Spielergebnisse (.exp) neben die Turnierdatei, bei einem nie gespeicherten\n"
            "Turnier in den persönlichen Ordner, oder in die angegebene Datei.",
            true, ExportResults},
    Command{"ergebnisse-importieren", kMenuTurnier, "DATEI", "Die Ergebnisse eines zweiten Marovelkandis importieren",
            "Übernimmt aus der Datei (.exp) jedes Ergebnis eines Spiels, das hier noch nicht gespielt ist\n"
            "und zwischen denselben Plätzen (ihren Nummern im Turnier, etwa „1. Gruppe A“) gespielt wird.\n"
            "Nennt die Datei die Teilnehmer ihrer Spiele, werden auch deren Namen verglichen, wenn das\n"
            "Spiel übernommen werden soll: stehen hier andere auf den Plätzen, wird das Ergebnis nicht\n"
            "übernommen, und beide Paarungen werden genannt. Wer auf einem Platz wie „1. Gruppe A“ steht,\n"
            "entscheiden hier die übernommenen Ergebnisse und bei Gleichstand der Konfliktdialog, der so\n"
            "zu lösen ist wie im exportierenden Marovelkandis. Ein Ergebnis, das hier nicht übernommen\n"
            "wird, nennt der Import mit seinem Grund, und der Befehl schlägt fehl. Die Datei muss zu\n"
            "dieser Turnierdatei gehören; ist sie unvollständig oder beschädigt oder hat sie ein Ergebnis,\n"
            "das die Ergebniseingabe nicht annähme, wird nichts übernommen.",
            true, ImportResults},
    Command{"leeres-turnier", kMenuTurnier, "DATEI", "Das Turnier ohne Ergebnisse für den Tausch exportieren",
            "Schreibt eine leere Kopie: ohne Ergebnisse, Zuordnungen, Töne und Urkunden.", true, EmptyTournament},
    Command{"vorbereitung", kMenuTurnier, "[Feld=Wert...] [ok|abbrechen]",
            "Teilnehmer vorbereiten, dann ein Turnier mit ihnen anlegen oder laden",
            "Der Dialog „Vorbereitung“: Art (Schweizer System, Gespeicherte Turnierform, K.O.-System,\n"
            "Poolspiel), Teilnehmer (durch „;“ getrennt, in ihrer Reihenfolge) und bei einer gespeicherten\n"
            "Turnierform die Turnierdatei (Turnierform=DATEI). Danach folgt der Assistent mit dem System der\n"
            "Art, oder die Datei wird geladen; die Plätze „Mannschaft 1“, „Mannschaft 2“, ... bekommen die\n"
            "Namen in dieser Reihenfolge. Die Felder des Assistenten folgen in den nächsten Zeilen.",
            false, Prepare},
    Command{"form-exportieren", kMenuTurnier, "", "Die Turnierform als eigene Turnierform speichern",
            "Öffnet den Dialog „Turnierform exportieren“ (Kurzbeschreibung=..., Beschreibung=...;\n"
            "Zeilen der Beschreibung mit \\n getrennt).",
            true, ExportForm},
});

}  // namespace
