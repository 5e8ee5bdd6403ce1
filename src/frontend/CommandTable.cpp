#include "frontend/CommandTable.h"

#include <algorithm>
#include <ostream>

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

std::string NormalizeCommandName(std::string_view text) {
    std::string out;
    for (char32_t c : CodePoints(text)) {
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        switch (c) {
            case U'ä': case U'Ä': out += "ae"; break;
            case U'ö': case U'Ö': out += "oe"; break;
            case U'ü': case U'Ü': out += "ue"; break;
            case U'ß': out += "ss"; break;
            default: utf8::Append(out, c);
        }
    }
    return out;
}

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

void CommandTable::Add(Command command) { commands_.push_back(std::move(command)); }

const Command* CommandTable::Find(std::string_view typed) const {
    const std::string wanted = NormalizeCommandName(typed);
    for (const Command& command : commands_)
        if (NormalizeCommandName(command.name) == wanted) return &command;
    return nullptr;
}

std::string CommandTable::Closest(std::string_view typed) const {
    // Only the start of a very long input is compared: no command name is that long.
    const std::string wanted = NormalizeCommandName(utf8::Cut(typed, 64));
    const Command* best = nullptr;
    size_t bestDistance = 0;
    for (const Command* command : Listed()) {
        const size_t distance = EditDistance(wanted, NormalizeCommandName(command->name));
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
        return NormalizeCommandName(a->name) < NormalizeCommandName(b->name);
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
