#include "foundation/ProgramSettings.h"

#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/ProgramGlobals.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/Utf8.h"

namespace {

// The profile functions read into a buffer of 100 bytes.
constexpr long kMaxIniValueCharacters = 99;

// The user's settings fall back to their defaults while the store is damaged; the log says why,
// at every call that finds it so.
void LogDamagedStore(const registry::DamagedStore& store) {
    if (store.keptAs.empty())
        ErrorLog("[X] Einstellungsspeicher " + store.path + " ist beschädigt, seine Werte gelten nicht");
    else
        ErrorLog("[X] Einstellungsspeicher " + store.path + " ist beschädigt und bleibt als " + store.keptAs +
                 " erhalten; ein neuer ersetzt ihn");
}

}  // namespace

bool RegWriteInt(const std::string& name, int value) {
    return registry::WriteInteger(kRegistryKey, name, value, LogDamagedStore);
}

bool RegWriteString(const std::string& name, const std::string& value) {
    return registry::WriteString(kRegistryKey, name, value, LogDamagedStore);
}

int RegReadInt(const std::string& name, int defaultValue) {
    return registry::ReadInteger(kRegistryKey, name, LogDamagedStore).value_or(defaultValue);
}

std::string RegReadString(const std::string& name, const std::string& defaultValue) {
    return registry::ReadString(kRegistryKey, name, LogDamagedStore).value_or(defaultValue);
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

int IniReadInt(const std::string& key, int defaultValue) { return ToInt(IniReadString(key, IntToStr(defaultValue))); }

bool IniWriteInt(const std::string& key, int value) { return IniWriteString(key, std::to_string(value)); }
