// Program entry of the headless front end.
#include <iostream>
#include <string>

#include "foundation/Logs.h"
#include "foundation/WindowHelpers.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/UiHost.h"

namespace {
const char* kVersion = "Release 1.88a";

void PrintAbilities() {
    std::cout << "Marovelkandis " << kVersion << " (ohne Bildschirm)\n"
              << "Programmordner: " << ProgramFolder() << "\n"
              << "Dieser Stand kann:\n"
              << "  - Protokolle schreiben: error.log immer, debug.log mit dem Schalter -D\n"
              << "  - Tabellen sortieren, Texte umwandeln und Meldungen im Terminal zeigen\n"
              << "Turniere anlegen und durchspielen kommt in den naechsten Staenden.\n";
}
}  // namespace

int main(int argc, char** argv) {
    TerminalUiHost terminal(std::cin, std::cout);
    SetUiHost(&terminal);
    prng::SeedFromClock();
    SetDebugModusFromArgument(argc > 1 ? argv[1] : "");
    Log(std::string("[F] Marovelkandis ") + kVersion + " gestartet");
    Log("Auf: " + GetWindowsVersion());
    PrintAbilities();
    SetUiHost(nullptr);
    return 0;
}
