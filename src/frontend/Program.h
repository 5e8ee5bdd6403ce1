#pragma once
#include <string>
#include <vector>

// The program from its command line to its exit status:
//     marovelkandis [-D] [--script DATEI] [TURNIER.tur]
// "-D" switches the trace log on; a tournament file is loaded at start; commands come from the
// script, from standard input when it is not a terminal, or from the terminal with prompts.
// For the end-to-end tests only, MAROVELKA_TEST=1 fixes the clock at MAROVELKA_CLOCK
// ("dd.mm.yyyy hh:nn:ss") and offers the command "testdialog".
int RunProgram(const std::vector<std::string>& arguments);

// The command line taken apart.
struct ProgramArguments {
    std::string debugSwitch;     // "-D" as the first argument, any case
    std::string tournamentFile;  // a file ending in ".tur"
    std::string script;          // after "--script"
    std::string problem;         // a German sentence when the command line is not understood
};
ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments);
