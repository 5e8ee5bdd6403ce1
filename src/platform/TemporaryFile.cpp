#include "platform/TemporaryFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string_view>

#include "platform/FileNames.h"

namespace {

constexpr std::string_view kSuffix = ".tmp";
// Attempts at a fresh name when one is taken (a file of a dead process with our process id).
constexpr int kNameAttempts = 100;

// The temporary files this process is writing right now, by folder and name. Another writer of
// this process must not take them for files of a dead process that had the same id.
class LiveFiles {
public:
    static void Add(const std::string& key) {
        std::lock_guard lock(Mutex());
        Names().insert(key);
    }
    static void Erase(const std::string& key) {
        std::lock_guard lock(Mutex());
        Names().erase(key);
    }
    static bool Contains(const std::string& key) {
        std::lock_guard lock(Mutex());
        return Names().count(key) != 0;
    }

private:
    // Never destroyed: a save may still run while the program's statics go.
    static std::mutex& Mutex() {
        static auto* mutex = new std::mutex;
        return *mutex;
    }
    static std::set<std::string>& Names() {
        static auto* names = new std::set<std::string>;
        return *names;
    }
};

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LiveKey(const std::string& folder, const std::string& fileName) { return folder + "/" + fileName; }

bool ParseDigits(std::string_view text, unsigned long long& value) {
    if (text.empty() || text.size() > 19) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned long long>(c - '0');
    }
    return true;
}

// The process id in the name of a temporary file of the target; 0 when the name is not one.
pid_t WriterOf(std::string_view fileName, std::string_view targetFileName) {
    const size_t fixed = targetFileName.size() + 1 + kSuffix.size();
    if (fileName.size() <= fixed || fileName.substr(0, targetFileName.size()) != targetFileName) return 0;
    if (fileName[targetFileName.size()] != '.' || fileName.substr(fileName.size() - kSuffix.size()) != kSuffix) return 0;
    const std::string_view middle = fileName.substr(targetFileName.size() + 1, fileName.size() - fixed);
    const size_t dot = middle.find('.');
    unsigned long long pid = 0, counter = 0;
    if (dot == std::string_view::npos || !ParseDigits(middle.substr(0, dot), pid) ||
        !ParseDigits(middle.substr(dot + 1), counter))
        return 0;
    return pid > 0 && pid <= INT_MAX ? static_cast<pid_t>(pid) : 0;
}

bool WriterGone(pid_t writer, const std::string& key) {
    if (writer == ::getpid()) return !LiveFiles::Contains(key);
    return ::kill(writer, 0) != 0 && errno == ESRCH;
}

// A regular file whose lock nobody holds.
bool Unlocked(int folder, const char* name) {
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    const bool unlocked = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return unlocked;
}

// The file the save replaces: the target, or with Follow the file its symbolic link leads to.
bool ResolveTarget(const std::string& target, TargetLink links, std::string& resolved) {
    if (links == TargetLink::Follow) return FollowLink(target, resolved);
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        errno = ELOOP;
        return false;
    }
    resolved = target;
    return true;
}

// Only a regular file the user may write is replaced. A file without any write permission is
// meant to stay as it is, also for the superuser, who passes every other check.
bool MayReplace(const std::string& path, const struct stat& info) {
    errno = S_ISDIR(info.st_mode) ? EISDIR : S_ISREG(info.st_mode) ? EACCES : EINVAL;
    if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0) return false;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The new file takes the old one's owner and permissions, so that a private file stays private.
bool TakeOwnerAndMode(int fd, const struct stat& old) {
    struct stat made {};
    if (::fstat(fd, &made) != 0) return false;
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only the superuser may give a file away: the group is kept where the user belongs to
        // it, and another user's file that the user may write becomes the user's own.
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) errno = 0;
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

}  // namespace

bool IsTemporaryFileOf(const std::string& fileName, const std::string& targetFileName) {
    return !targetFileName.empty() && WriterOf(fileName, targetFileName) != 0;
}

void RemoveStaleTemporaryFiles(const std::string& target) {
    const std::string targetName = FileNameOf(target), folder = FolderOf(target);
    if (targetName.empty()) return;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = WriterOf(entry->d_name, targetName);
        if (writer == 0 || !WriterGone(writer, LiveKey(folder, entry->d_name))) continue;
        if (Unlocked(::dirfd(dir), entry->d_name)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

TemporaryFile::~TemporaryFile() { Remove(); }

int TemporaryFile::Create(const std::string& requested, FileOperations& operations, TargetLink links) {
    Remove();
    std::string target;
    if (!ResolveTarget(requested, links, target)) return -1;
    if (FileNameOf(target).empty()) {
        errno = EISDIR;
        return -1;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) return -1;
    if (exists && !MayReplace(target, existing)) return -1;
    RemoveStaleTemporaryFiles(target);
    static std::atomic<unsigned long long> counter{0};
    const std::string folder = FolderOf(target), prefix = target + "." + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = prefix + std::to_string(++counter) + std::string(kSuffix);
        const std::string key = LiveKey(folder, FileNameOf(name));
        // Listed before the file exists, so that no other writer of this process takes it for stale.
        LiveFiles::Add(key);
        const int fd = operations.Open(name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int error = errno;
            LiveFiles::Erase(key);
            if (error == EEXIST) continue;
            return -1;
        }
        // Where the file system has no locks, the process id alone tells that the writer lives.
        ::flock(fd, LOCK_EX | LOCK_NB);
        name_ = name;
        target_ = target;
        replacesExisting_ = exists;
        if (exists && !TakeOwnerAndMode(fd, existing)) {
            const int error = errno;
            ::close(fd);
            Remove();
            errno = error;
            return -1;
        }
        return fd;
    }
    return -1;
}

bool TemporaryFile::PutInPlace(FileOperations& operations) {
    if (!Pending()) return false;
    if (!operations.Rename(name_, target_)) {
        const int error = errno;
        Remove();
        errno = error;
        return false;
    }
    Forget();
    return operations.SyncFolder(FolderOf(target_));
}

void TemporaryFile::Remove() {
    if (!Pending()) return;
    ::unlink(name_.c_str());
    Forget();
}

void TemporaryFile::Forget() {
    LiveFiles::Erase(LiveKey(FolderOf(name_), FileNameOf(name_)));
    name_.clear();
}
