#include "platform/IniFile.h"

#include <optional>
#include <string_view>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/Strings.h"

namespace {

constexpr size_t kMaxIniBytes = 4 * 1024 * 1024;

std::string_view Trim(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(begin, end - begin);
}

bool IsComment(std::string_view line) {
    std::string_view trimmed = Trim(line);
    return !trimmed.empty() && trimmed.front() == ';';
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    size_t close = trimmed.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(trimmed.substr(1, close - 1));
}

std::optional<std::string_view> KeyName(std::string_view line) {
    if (IsComment(line) || SectionName(line)) return std::nullopt;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

std::string_view ValueOf(std::string_view line) {
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

struct IniLines {
    std::vector<std::string> lines;
    std::string lineEnd = "\r\n";  // the file's own line ends are kept
};

// Missing file: no lines. Nothing when the file exists but cannot be read.
std::optional<IniLines> LoadLines(const std::string& path) {
    std::string content;
    FileReadResult result = ReadWholeFile(path, kMaxIniBytes, content);
    if (result == FileReadResult::Missing) return IniLines{};
    if (result != FileReadResult::Read) return std::nullopt;
    IniLines ini;
    size_t firstLf = content.find('\n');
    if (firstLf != std::string::npos && (firstLf == 0 || content[firstLf - 1] != '\r')) ini.lineEnd = "\n";
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ini.lines.push_back(std::move(line));
        start = end + 1;
    }
    return ini;
}

struct SectionRange {
    size_t header;  // index of the "[name]" line
    size_t end;     // one past its last line
};

std::optional<SectionRange> FindSection(const std::vector<std::string>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string_view> name = SectionName(lines[i]);
        if (!name || !SameText(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end])) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<std::string>& lines, SectionRange range, std::string_view key) {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        std::optional<std::string_view> name = KeyName(lines[i]);
        if (name && SameText(*name, key)) return i;
    }
    return std::nullopt;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool CanBeStored(const std::string& section, const std::string& key, const std::string& value) {
    std::string_view trimmedSection = Trim(section), trimmedKey = Trim(key);
    if (trimmedSection.empty() || section.find(']') != std::string::npos || HasLineBreak(section)) return false;
    if (trimmedKey.empty() || key.find('=') != std::string::npos || HasLineBreak(key)) return false;
    if (trimmedKey.front() == '[' || trimmedKey.front() == ';') return false;
    return !HasLineBreak(value);
}

void SetKeyLine(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                const std::string& value) {
    std::string keyLine = key + "=" + value;
    std::optional<SectionRange> range = FindSection(lines, section);
    if (!range) {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(keyLine);
        return;
    }
    if (std::optional<size_t> found = FindKey(lines, *range, key)) {
        lines[*found] = keyLine;
        return;
    }
    // A new key goes after the section's last entry, before blank lines that part it from the next.
    size_t insertAt = range->header + 1;
    for (size_t i = range->header + 1; i < range->end; ++i)
        if (KeyName(lines[i])) insertAt = i + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine);
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    std::optional<IniLines> ini = LoadLines(path_);
    if (!ini) return defaultValue;
    std::optional<SectionRange> range = FindSection(ini->lines, Trim(section));
    if (!range) return defaultValue;
    std::optional<size_t> line = FindKey(ini->lines, *range, Trim(key));
    if (!line) return defaultValue;
    return std::string(ValueOf(ini->lines[*line]));
}

bool TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (path_.empty() || !CanBeStored(section, key, value)) return false;
    std::optional<IniLines> ini = LoadLines(path_);
    if (!ini) return false;
    SetKeyLine(ini->lines, std::string(Trim(section)), std::string(Trim(key)), value);
    std::string content;
    for (const std::string& line : ini->lines) content += line + ini->lineEnd;
    return WriteFileAtomically(path_, content);
}
