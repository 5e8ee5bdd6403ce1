#pragma once
#include <iosfwd>
#include <string>
#include <vector>

class TForm1;
class CommandTable;
class InputSource;

// The program from its command line to its exit status:
//     marovelkandis [-D] [--script DATEI] [TURNIER.tur]
// "-D" switches the trace log on; a tournament file is loaded at start; commands come from the
// script, from standard input when it is not a terminal, or from the terminal with prompts.
// SIGHUP, SIGTERM, SIGQUIT, SIGPIPE and, where no one types at a terminal, SIGINT end it only
// between two commands, after its unsaved tournaments were written to recovery copies.
// For the end-to-end tests only, MAROVELKA_TEST=1 fixes the clock at MAROVELKA_CLOCK
// ("dd.mm.yyyy hh:nn:ss"), offers the command "testdialog", and with MAROVELKA_TERMINAL=1
// takes standard input as typed on a terminal even when it is not one.
int RunProgram(const std::vector<std::string>& arguments);

// The window's life on the terminal: created, first shown (loading the tournament file given),
// then commands until it closes or the input ends; echo shows each line read after its prompt.
// Recovery copies are named on errors (on out when none is given). Returns the exit status.
int RunWindow(TForm1& form, const CommandTable& commands, const std::string& tournamentFile, std::istream& in,
              std::ostream& out, bool script, bool echo = false);
int RunWindow(TForm1& form, const CommandTable& commands, const std::string& tournamentFile, InputSource& in,
              std::ostream& out, bool script, bool echo = false, std::ostream* errors = nullptr);

// The command line taken apart.
struct ProgramArguments {
    std::string debugSwitch;     // "-D" as the first argument, any case
    std::string tournamentFile;  // a file ending in ".tur"
    std::string script;          // after "--script"
    std::string problem;         // a German sentence when the command line is not understood
};
ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments);
