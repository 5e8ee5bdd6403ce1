#include "frontend/CommandTable.h"

#include <algorithm>
#include <ostream>

#include "platform/Strings.h"
#include "platform/Utf8.h"

namespace {

// The characters of a text as code points (a malformed byte counts as one).
std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> out;
    for (size_t pos = 0; pos < text.size();) out.push_back(utf8::Next(text, pos));
    return out;
}

const char* const kMenuOrder[] = {kMenuTurnier, kMenuWerkzeuge, kMenuExtras, kMenuAnsicht, kMenuHilfe};

size_t MenuRank(const std::string& menu) {
    const auto* found = std::find(std::begin(kMenuOrder), std::end(kMenuOrder), menu);
    return static_cast<size_t>(found - std::begin(kMenuOrder));
}

}  // namespace

size_t EditDistance(std::string_view a, std::string_view b) {
    const std::vector<char32_t> x = CodePoints(a), y = CodePoints(b);
    std::vector<size_t> row(y.size() + 1);
    for (size_t j = 0; j <= y.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= x.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= y.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[y.size()];
}

std::string Synopsis(const Command& command) {
    return command.usage.empty() ? command.name : command.name + " " + command.usage;
}

void PrintCommandHelp(TerminalOut& out, const Command& command) {
    out << Synopsis(command) << "\n  " << command.summary << "\n";
    for (size_t start = 0; start < command.details.size();) {
        size_t end = command.details.find('\n', start);
        if (end == std::string::npos) end = command.details.size();
        out << "  " << command.details.substr(start, end - start) << "\n";
        start = end + 1;
    }
    if (command.needsTournament) out << "  Braucht ein geöffnetes Turnier.\n";
}

void CommandTable::Add(Command command) { commands_.push_back(std::move(command)); }

const Command* CommandTable::Find(std::string_view typed) const {
    const std::string wanted = FoldName(typed);
    for (const Command& command : commands_)
        if (FoldName(command.name) == wanted) return &command;
    return nullptr;
}

std::string CommandTable::Closest(std::string_view typed) const {
    // Only the start of a very long input is compared: no command name is that long.
    const std::string wanted = FoldName(utf8::Cut(typed, 64));
    const Command* best = nullptr;
    size_t bestDistance = 0;
    for (const Command* command : Listed()) {
        const size_t distance = EditDistance(wanted, FoldName(command->name));
        if (!best || distance < bestDistance) {
            best = command;
            bestDistance = distance;
        }
    }
    return best ? best->name : std::string();
}

std::vector<const Command*> CommandTable::Listed() const {
    std::vector<const Command*> out;
    for (const Command& command : commands_) out.push_back(&command);
    std::stable_sort(out.begin(), out.end(), [](const Command* a, const Command* b) {
        const size_t ra = MenuRank(a->menu), rb = MenuRank(b->menu);
        if (ra != rb) return ra < rb;
        if (a->menu != b->menu) return a->menu < b->menu;
        return FoldName(a->name) < FoldName(b->name);
    });
    return out;
}

CommandTable& ProgramCommands() {
    static CommandTable table;
    return table;
}

CommandRegistration::CommandRegistration(std::vector<Command> commands) {
    for (Command& command : commands) ProgramCommands().Add(std::move(command));
}

std::string JoinedArgs(const std::vector<std::string>& words, size_t from) {
    std::string out;
    for (size_t i = from; i < words.size(); ++i) out += (i > from ? " " : "") + words[i];
    return out;
}

bool Fail(CommandCall& call, const std::string& message) {
    call.out << "Fehler: " << message << "\n";
    return false;
}

std::string Quoted(std::string_view text) {
    constexpr long kShown = 60;
    std::string shown = utf8::Cut(text, kShown);
    if (utf8::Length(text) > static_cast<size_t>(kShown)) shown += "…";
    return "„" + shown + "“";
}
