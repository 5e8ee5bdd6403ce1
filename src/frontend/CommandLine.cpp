#include "frontend/CommandLine.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The words of a line; false when a quote is left open.
bool SplitWords(const std::string& line, std::vector<std::string>& words) {
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size() || line[i] == '#') return true;
        std::string word;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            const char c = line[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (quoted && c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                word += line[++i];
            } else {
                word += c;
            }
        }
        if (quoted) return false;
        words.push_back(std::move(word));
    }
    return true;
}

bool IsButtonWord(const std::string& word) { return word == "ok" || word == "abbrechen"; }

}  // namespace

bool IsFieldLine(const std::string& word) {
    const size_t equals = word.find('=');
    return equals != std::string::npos && word.find_first_not_of(" \t") < equals;
}

bool IsEmptyOrComment(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

bool ParseCommandLine(const std::string& line, CommandLine& parsed, std::string& problem) {
    parsed = CommandLine{};
    std::vector<std::string> words;
    if (!SplitWords(line, words)) {
        problem = "Ein Anführungszeichen ist nicht geschlossen.";
        return false;
    }
    if (words.empty()) return true;
    parsed.name = words.front();
    size_t first = 1;
    while (first < words.size() && !IsFieldLine(words[first])) ++first;
    if (first == words.size() && words.size() > 1 && IsButtonWord(words.back())) first = words.size() - 1;
    parsed.args.assign(words.begin() + 1, words.begin() + static_cast<long>(first));
    parsed.dialogLines.assign(words.begin() + static_cast<long>(first), words.end());
    for (size_t i = 0; i + 1 < parsed.dialogLines.size(); ++i)
        if (!IsFieldLine(parsed.dialogLines[i])) {
            problem = "Nach den Feldern des Dialogs darf nur noch eine Schaltfläche folgen, nicht „" +
                      parsed.dialogLines[i] + "“.";
            return false;
        }
    return true;
}
