// Program entry of the headless front end.
#include <iostream>
#include <string>

#include "foundation/ProgramGlobals.h"
#include "mainwindow/main.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/UiHost.h"

namespace {
void PrintAbilities(const TForm1& form) {
    std::cout << form.Caption() << " (ohne Bildschirm)\n"
              << "Programmordner: " << ProgramFolder() << "\n"
              << "Dieser Stand kann:\n"
              << "  - Protokolle schreiben: error.log immer, debug.log mit dem Schalter -D\n"
              << "  - die Datentabellen eines Turniers halten, sortieren und seine Einstellungen führen\n"
              << "  - Zeilendateien mit der Verschlüsselung des Programms lesen und schreiben\n"
              << "  - Spiele je Spielsystem erzeugen und über Felder, Tage und Uhrzeiten verteilen\n"
              << "  - Platzhalter auflösen und Namenslisten führen\n"
              << "Ein ganzes Turnier über die Befehlszeile anlegen und durchspielen kann er noch nicht.\n";
}
}  // namespace

int main(int argc, char** argv) {
    TerminalUiHost terminal(std::cin, std::cout);
    SetUiHost(&terminal);
    prng::SeedFromClock();
    {
        SetProgramGlobals(argc > 1 ? argv[1] : "");
        TForm1 form;
        LogMemo = &form.Memo1;
        form.FormCreate();
        PrintAbilities(form);
        LogMemo = nullptr;
    }
    SetUiHost(nullptr);
    return 0;
}
