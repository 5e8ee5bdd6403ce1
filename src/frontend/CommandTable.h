#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/TerminalOut.h"
#include "platform/Strings.h"

class TForm1;
class TerminalHost;
class CommandTable;

// What a command gets when it runs: the window whose handlers it calls, its arguments (without
// the "Feld=Wert" presets of its dialog, which the host hands to the dialog) and the output.
struct CommandCall {
    TForm1& form;
    const std::vector<std::string>& args;
    TerminalOut& out;
    // The front end itself, for its own commands (help, answers).
    const CommandTable& commands;
    TerminalHost& host;
    // Chosen in the start question: a new tournament is the first after a fresh start.
    bool fromStart = false;
};

// Runs the command; false when it did not do what it says (it has said why).
using CommandHandler = std::function<bool(CommandCall&)>;

// The menus of the main window, in the order "hilfe" lists them.
inline constexpr const char* kMenuTurnier = "Turnier";
inline constexpr const char* kMenuWerkzeuge = "Werkzeuge";
inline constexpr const char* kMenuExtras = "Extras";
inline constexpr const char* kMenuAnsicht = "Ansicht";
inline constexpr const char* kMenuHilfe = "Hilfe";

struct Command {
    // As typed: lower case, words joined by "-"; umlauts or "ae", "oe", "ue", "ss" alike (FoldName).
    std::string name;
    // The menu a user would look in (one of the kMenu names).
    std::string menu;
    // The arguments as "hilfe" shows them, e.g. "[oben|unten] [KNOTEN]"; empty for none.
    std::string usage;
    // One German line for the list of "hilfe".
    std::string summary;
    // What "hilfe NAME" adds: German lines separated by "\n".
    std::string details;
    // Refused with a German message while no tournament is open.
    bool needsTournament = false;
    CommandHandler run;
    // Keeps what it queues for the next command (only "antwort").
    bool preparesNextCommand = false;
};

class CommandTable {
public:
    void Add(Command command);
    // The command of this name, umlauts and their two-letter forms alike, any case; null if none.
    const Command* Find(std::string_view typed) const;
    // The name of the command nearest to the typed text by edit distance.
    std::string Closest(std::string_view typed) const;
    // Ordered by menu, then by name.
    std::vector<const Command*> Listed() const;
    const std::vector<Command>& All() const { return commands_; }

private:
    std::vector<Command> commands_;
};

// Every command of the program. Each command file adds its own at start-up, so that two files
// never share a line:
//     static const CommandRegistration kViewCommands({Command{...}, Command{...}});
CommandTable& ProgramCommands();
struct CommandRegistration {
    explicit CommandRegistration(std::vector<Command> commands);
};

// The command with its arguments, as "hilfe" lists it.
std::string Synopsis(const Command& command);
// What "hilfe NAME" shows of a command.
void PrintCommandHelp(TerminalOut& out, const Command& command);

// Levenshtein distance counted in characters.
size_t EditDistance(std::string_view a, std::string_view b);

// The arguments from index `from` on, joined by blanks (a name or text typed in several words).
std::string JoinedArgs(const std::vector<std::string>& words, size_t from);

// When the program stays because unsaved tournaments were to be saved and are not.
inline constexpr const char* kNotEnded = "Hinweis: Marovelkandis läuft weiter, denn nicht alle Turniere wurden gespeichert.";

// Prints "Fehler: " and the message; returns false, for "return Fail(call, ...)".
bool Fail(CommandCall& call, const std::string& message);
// „text“, as the front end quotes what the user typed; long texts are cut.
std::string Quoted(std::string_view text);
