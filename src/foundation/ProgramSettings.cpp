#include "foundation/ProgramSettings.h"

#include <charconv>

#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/Utf8.h"

std::string IniPath;

namespace {

// The profile functions read into a buffer of 100 bytes.
constexpr long kMaxIniValueCharacters = 99;

bool ParseWholeNumber(std::string_view text, int& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return false;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool RegWriteInt(const std::string& name, int value) { return registry::WriteInteger(kRegistryKey, name, value); }

bool RegWriteString(const std::string& name, const std::string& value) {
    return registry::WriteString(kRegistryKey, name, value);
}

int RegReadInt(const std::string& name, int defaultValue) {
    return registry::ReadInteger(kRegistryKey, name).value_or(defaultValue);
}

std::string RegReadString(const std::string& name, const std::string& defaultValue) {
    return registry::ReadString(kRegistryKey, name).value_or(defaultValue);
}

std::string IniReadString(const std::string& key, const std::string& defaultValue) {
    if (IniPath.empty()) return defaultValue;
    std::string text = utf8::Cut(TIniFile(IniPath).ReadString(kIniSection, key, defaultValue), kMaxIniValueCharacters);
    return text.empty() ? defaultValue : text;
}

bool IniWriteString(const std::string& key, const std::string& value) {
    if (IniPath.empty()) return false;
    return TIniFile(IniPath).WriteString(kIniSection, key, value);
}

int IniReadInt(const std::string& key, int defaultValue) {
    int value = 0;
    return ParseWholeNumber(IniReadString(key, ""), value) ? value : defaultValue;
}

bool IniWriteInt(const std::string& key, int value) { return IniWriteString(key, std::to_string(value)); }
