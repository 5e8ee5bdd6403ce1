// The commands of the front end itself: help, answers to questions, and ending the program.
#include <algorithm>
#include <ostream>

#include "frontend/CommandTable.h"
#include "frontend/TerminalHost.h"
#include "mainwindow/main.h"
#include "platform/Utf8.h"

namespace {

void ListCommands(CommandCall& call) {
    const std::vector<const Command*> listed = call.commands.Listed();
    size_t width = 0;
    for (const Command* command : listed) width = std::max(width, utf8::Length(Synopsis(*command)));
    call.out << "Befehle – „hilfe BEFEHL“ erklärt einen:\n";
    std::string menu;
    for (const Command* command : listed) {
        if (command->menu != menu) call.out << (menu = command->menu) << "\n";
        const std::string synopsis = Synopsis(*command);
        call.out << "  " << synopsis << std::string(width - utf8::Length(synopsis) + 2, ' ') << command->summary
                 << "\n";
    }
    call.out << "Eine Zeile, ein Befehl; „#“ beginnt einen Kommentar. Dialoge füllt man mit Feld=Wert "
                "und schließt sie mit ok oder abbrechen.\n"
                "Ein Dateiname ohne Endung meint die übliche seiner Art (.tur, .exp, .txt, .csv), wenn es keine "
                "Datei genau dieses Namens gibt.\n";
}

bool Help(CommandCall& call) {
    if (call.args.empty()) {
        ListCommands(call);
        return true;
    }
    if (call.args.size() > 1) return Fail(call, "„hilfe“ erklärt einen Befehl: hilfe BEFEHL.");
    const Command* command = call.commands.Find(call.args[0]);
    if (!command)
        return Fail(call, "Unbekannter Befehl " + Quoted(call.args[0]) + " – meinten Sie " +
                              Quoted(call.commands.Closest(call.args[0])) + "?");
    PrintCommandHelp(call.out, *command);
    return true;
}

bool Answer(CommandCall& call) {
    if (call.args.empty()) return Fail(call, "„antwort“ braucht mindestens eine Antwort, z. B. antwort ja.");
    call.host.QueueAnswers(call.args);
    return true;
}

bool End(CommandCall& call) {
    call.form.Ende1Click(nullptr);
    if (!call.form.Closed) call.out << kNotEnded << "\n";
    return call.form.Closed;
}

const CommandRegistration kFrameCommands({
    Command{"hilfe", kMenuHilfe, "[BEFEHL]", "Alle Befehle zeigen oder einen erklären",
            "Ohne Angabe: die Liste aller Befehle nach Menüs.\n"
            "Mit einem Befehl: was er tut und was er braucht.",
            false, Help},
    Command{"antwort", kMenuHilfe, "ANTWORT...", "Die Fragen des nächsten Befehls im Voraus beantworten",
            "Steht vor dem Befehl, der fragt; eine Antwort je Frage, in der Reihenfolge der Fragen.\n"
            "Ja/Nein-Fragen: ja oder nein. Dateiauswahl: der Pfad, oder abbrechen.\n"
            "In einem Skript bricht eine Frage ohne Antwort das Skript mit Status 2 ab;\n"
            "eine Antwort, die der nächste Befehl nicht braucht, ist ein Fehler.",
            false, Answer, true},
    Command{"ende", kMenuTurnier, "", "Marovelkandis beenden",
            "Wie „Beenden“ im Menü: fragt, was vor dem Beenden zu fragen ist, und beendet das Programm.\n"
            "Das Ende der Eingabe tut dasselbe; am Terminal bricht Strg-D bei seiner Frage das Beenden ab.\n"
            "In einem Skript dürfen nach „ende“ keine Befehle folgen.",
            false, End},
});

}  // namespace
