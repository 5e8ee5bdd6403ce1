#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/FileOperations.h"
#include "platform/Strings.h"

namespace registry {
namespace {

// One line per value: key path, name, kind and value, separated by tabs. Tabs, line breaks,
// other control bytes and '%' inside a field are written as %XX, so any text fits on its line.
constexpr const char* kHeader = "Marovelkandis registry 1";
constexpr const char* kIntegerKind = "integer";
constexpr const char* kTextKind = "text";
constexpr size_t kMaxStoreBytes = 16 * 1024 * 1024;
// Copies of damaged stores kept at most; beyond that a write over a damaged store fails.
constexpr int kMaxDamagedCopies = 10000;

enum class Kind { Integer, Text };

struct Value {
    std::string keyPath;
    std::string name;
    Kind kind = Kind::Text;
    std::string text;
    int integer = 0;
};

enum class StoreState { Missing, Loaded, Damaged, Unreadable };

struct Store {
    StoreState state = StoreState::Missing;
    std::vector<Value> values;
};

std::string Escape(const std::string& field) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (char c : field) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> Unescape(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (static_cast<unsigned char>(field[i]) < 0x20) return std::nullopt;  // the writer escapes these
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size()) return std::nullopt;
        int high = HexValue(field[i + 1]), low = HexValue(field[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::optional<int> ParseInteger(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::optional<Value> ParseValueLine(std::string_view line) {
    std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != 4) return std::nullopt;
    auto keyPath = Unescape(fields[0]), name = Unescape(fields[1]), text = Unescape(fields[3]);
    if (!keyPath || !name || !text || keyPath->empty()) return std::nullopt;
    Value value{*keyPath, *name, Kind::Text, *text, 0};
    if (fields[2] == kTextKind) return value;
    if (fields[2] != kIntegerKind) return std::nullopt;
    std::optional<int> integer = ParseInteger(*text);
    if (!integer) return std::nullopt;
    value.kind = Kind::Integer;
    value.integer = *integer;
    return value;
}

// Every line must be right: a store with one bad line is not trusted at all.
std::optional<std::vector<Value>> ParseStore(std::string_view content) {
    std::vector<Value> values;
    size_t start = 0;
    bool headerSeen = false;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string_view::npos) return std::nullopt;  // every line ends in LF
        std::string_view line = content.substr(start, end - start);
        start = end + 1;
        if (!headerSeen) {
            if (line != kHeader) return std::nullopt;
            headerSeen = true;
            continue;
        }
        std::optional<Value> value = ParseValueLine(line);
        if (!value) return std::nullopt;
        values.push_back(std::move(*value));
    }
    if (!headerSeen) return std::nullopt;
    return values;
}

Store LoadStore(const std::string& path) {
    Store store;
    if (path.empty()) {
        store.state = StoreState::Unreadable;
        return store;
    }
    std::string content;
    switch (ReadWholeFile(path, kMaxStoreBytes, content)) {
        case FileReadResult::Missing:
            store.state = StoreState::Missing;
            return store;
        case FileReadResult::Unreadable:
            store.state = StoreState::Unreadable;
            return store;
        case FileReadResult::TooLarge:
            store.state = StoreState::Damaged;
            return store;
        case FileReadResult::Read:
            break;
    }
    std::optional<std::vector<Value>> values = ParseStore(content);
    store.state = values ? StoreState::Loaded : StoreState::Damaged;
    if (values) store.values = std::move(*values);
    return store;
}

std::string FormatStore(const std::vector<Value>& values) {
    std::string out = std::string(kHeader) + "\n";
    for (const Value& value : values) {
        bool integer = value.kind == Kind::Integer;
        out += Escape(value.keyPath) + "\t" + Escape(value.name) + "\t" + (integer ? kIntegerKind : kTextKind) + "\t" +
               Escape(integer ? std::to_string(value.integer) : value.text) + "\n";
    }
    return out;
}

const Value* Find(const Store& store, const std::string& keyPath, const std::string& name) {
    for (const Value& value : store.values)
        if (SameText(value.keyPath, keyPath) && SameText(value.name, name)) return &value;
    return nullptr;
}

void Put(Store& store, Value value) {
    for (Value& existing : store.values) {
        if (SameText(existing.keyPath, value.keyPath) && SameText(existing.name, value.name)) {
            existing.kind = value.kind;
            existing.text = std::move(value.text);
            existing.integer = value.integer;
            return;
        }
    }
    store.values.push_back(std::move(value));
}

bool PrepareFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (std::filesystem::is_directory(folder, error)) return true;
    if (!SystemFileOperations().CreateFolders(folder.string())) return false;
    ::chmod(folder.c_str(), 0700);
    return true;
}

// A store that could not be parsed is kept rather than lost, so its values can still be looked
// at by hand: each damaged store under a number of its own, never over an earlier copy. A store
// kept already (a write that failed after keeping it) is not kept twice.
std::optional<std::string> KeepDamagedStore(const std::string& path) {
    struct stat store {};
    if (::stat(path.c_str(), &store) != 0) return std::nullopt;
    for (int n = 1; n <= kMaxDamagedCopies; ++n) {
        const std::string copy = path + ".damaged." + std::to_string(n);
        struct stat existing {};
        if (::lstat(copy.c_str(), &existing) == 0) {
            if (existing.st_dev == store.st_dev && existing.st_ino == store.st_ino) return copy;
            continue;
        }
        // A second name keeps the store in place until the new one replaces it; where the file
        // system has no such names, the store itself moves aside.
        FileOperations& operations = SystemFileOperations();
        if (operations.Link(path, copy)) return copy;
        if (errno == EEXIST) continue;
        if (errno == EACCES || errno == EROFS || errno == ENOSPC || !operations.Rename(path, copy)) return std::nullopt;
        return copy;
    }
    return std::nullopt;
}

void Tell(const DamagedStoreNotice& notice, const std::string& path, const std::string& keptAs = {}) {
    if (notice) notice(DamagedStore{path, keptAs});
}

Store LoadStoreTelling(const std::string& path, const DamagedStoreNotice& notice) {
    Store store = LoadStore(path);
    if (store.state == StoreState::Damaged) Tell(notice, path);
    return store;
}

// Held across reading, changing and replacing the store, so that two programs writing at once
// never put back a store without the other's value. The lock is on the store's folder, which is
// there anyway; the system drops it when its process ends in any way, so a killed program never
// blocks the next one. Where the folder cannot be locked, writing goes on without the lock.
class StoreLock {
public:
    explicit StoreLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        for (int waited = 0; fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0; ++waited) {
            const bool busy = errno == EWOULDBLOCK || errno == EINTR;
            if (!busy) return;
            if (waited >= kMaxWaits) {
                granted_ = false;
                return;
            }
            ::usleep(kWaitMicroseconds);
        }
    }
    ~StoreLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    // False when another program kept the store locked beyond all patience.
    bool Granted() const { return granted_; }

private:
    // A write holds the lock for milliseconds; after ten seconds its holder is taken to hang.
    static constexpr int kWaitMicroseconds = 100;
    static constexpr int kMaxWaits = 100000;
    int fd_;
    bool granted_ = true;
};

bool Write(Value value, const DamagedStoreNotice& notice) {
    if (value.keyPath.empty()) return false;
    std::string path = StorePath();
    if (path.empty() || !PrepareFolder(path)) return false;
    StoreLock lock(std::filesystem::path(path).parent_path().string());
    if (!lock.Granted()) return false;
    Store store = LoadStore(path);
    if (store.state == StoreState::Unreadable) return false;
    if (store.state == StoreState::Damaged) {
        const std::optional<std::string> kept = KeepDamagedStore(path);
        Tell(notice, path, kept.value_or(std::string()));
        if (!kept) return false;
    }
    Put(store, std::move(value));
    return WriteFileAtomically(path, FormatStore(store.values), 0600);
}

}  // namespace

std::string StorePath() {
    std::string base;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/') {
        base = configHome;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return {};
        base = std::string(home) + "/.config";
    }
    return base + "/marovelkandis/registry";
}

std::optional<int> ReadInteger(const std::string& keyPath, const std::string& name, const DamagedStoreNotice& notice) {
    Store store = LoadStoreTelling(StorePath(), notice);
    const Value* value = Find(store, keyPath, name);
    if (!value || value->kind != Kind::Integer) return std::nullopt;
    return value->integer;
}

std::optional<std::string> ReadString(const std::string& keyPath, const std::string& name,
                                      const DamagedStoreNotice& notice) {
    Store store = LoadStoreTelling(StorePath(), notice);
    const Value* value = Find(store, keyPath, name);
    if (!value || value->kind != Kind::Text) return std::nullopt;
    return value->text;
}

bool WriteInteger(const std::string& keyPath, const std::string& name, int value, const DamagedStoreNotice& notice) {
    return Write(Value{keyPath, name, Kind::Integer, {}, value}, notice);
}

bool WriteString(const std::string& keyPath, const std::string& name, const std::string& value,
                 const DamagedStoreNotice& notice) {
    return Write(Value{keyPath, name, Kind::Text, value, 0}, notice);
}

}  // namespace registry
