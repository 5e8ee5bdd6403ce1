#pragma once
#include <functional>
#include <optional>
#include <string>

// The per-user settings store that stands in for the registry under HKEY_CURRENT_USER: values
// addressed by key path and value name (both without regard to case, as in the registry), each
// an integer or a text. The store is one file, $XDG_CONFIG_HOME/marovelkandis/registry
// (~/.config when XDG_CONFIG_HOME is not set), read anew by every call and replaced atomically by
// every write. Programs share it: a write holds a lock from reading the store to replacing it, so
// no write undoes another's. A damaged or unreadable store reads as empty; reading never changes
// the file.
namespace registry {

// Where the store lives; empty when there is no home folder to put it in.
std::string StorePath();

// A call that finds the store damaged says so, every time: the store's path, and the copy a
// write kept of it before putting a new store in its place (empty when reading, or when no copy
// could be kept and the write failed).
struct DamagedStore {
    std::string path;
    std::string keptAs;
};
using DamagedStoreNotice = std::function<void(const DamagedStore&)>;

// The value when it exists with that kind; nothing when it is missing or of the other kind.
std::optional<int> ReadInteger(const std::string& keyPath, const std::string& name,
                               const DamagedStoreNotice& notice = {});
std::optional<std::string> ReadString(const std::string& keyPath, const std::string& name,
                                      const DamagedStoreNotice& notice = {});

// Sets the value (replacing one of the other kind), creating the key as needed. A damaged store
// is kept beside the new one, every damaged store under a number of its own ("registry.damaged.1",
// ".2", ...). False when the store cannot be written.
bool WriteInteger(const std::string& keyPath, const std::string& name, int value,
                  const DamagedStoreNotice& notice = {});
bool WriteString(const std::string& keyPath, const std::string& name, const std::string& value,
                 const DamagedStoreNotice& notice = {});

}  // namespace registry
