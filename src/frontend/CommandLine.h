#pragma once
#include <string>
#include <vector>

// One command line split into its parts. Words are separated by blanks; double quotes keep
// blanks inside a word (\" and \\ inside quotes stand for " and \); a word that starts with
// "#" begins a comment. From the first "Feld=Wert" word on, the words preset the next dialog
// the command opens; the last of them may be a button of that dialog ("ok", "abbrechen", ...).
// Without any "Feld=Wert", a last word "ok" or "abbrechen" is such a button.
struct CommandLine {
    std::string name;  // empty for a blank or comment line
    std::vector<std::string> args;
    std::vector<std::string> dialogLines;
};

// False with a German message when the line cannot be split as the rules say.
bool ParseCommandLine(const std::string& line, CommandLine& parsed, std::string& problem);
// A dialog line that sets a field: "Feld=Wert" with a field name before the "=".
bool IsFieldLine(const std::string& word);
// Blank, or a comment: input lines that carry nothing.
bool IsEmptyOrComment(const std::string& line);
