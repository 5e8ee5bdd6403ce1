#include "platform/SaveLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string_view>

#include "platform/Strings.h"

namespace {

constexpr std::string_view kSuffix = ".sperre";

bool SameInode(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The lock file a name leads to now is the one the descriptor has open: its holder did not
// remove it while this program waited.
bool StillNamed(int fd, const std::string& lockFile) {
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::lstat(lockFile.c_str(), &named) == 0 && SameInode(open, named);
}

}  // namespace

SaveLock::SaveLock(const std::string& file, int patienceMs) : lockFile_(SaveLockFileOf(file)) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(patienceMs);
    int pauseMs = 1;
    for (;;) {
        // Read only is enough for flock, and takes over a lock file another user made.
        const int fd = ::open(lockFile_.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0) return;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            return;
        }
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            const int error = errno;
            if (error == EINTR) continue;
            if (error != EWOULDBLOCK || Clock::now() >= deadline) {
                // A file system without locks saves without one; a holder beyond patience stops the save.
                granted_ = error != EWOULDBLOCK;
                ::close(fd);
                return;
            }
            ::usleep(static_cast<useconds_t>(pauseMs) * 1000);
            pauseMs = std::min(pauseMs * 2, 20);
        }
        if (StillNamed(fd, lockFile_)) {
            fd_ = fd;
            return;
        }
        ::close(fd);
    }
}

SaveLock::~SaveLock() { Release(); }

void SaveLock::Release() {
    if (fd_ < 0) return;
    // Nobody else holds it now: whoever waits on this file finds it gone and takes a new one.
    if (StillNamed(fd_, lockFile_)) ::unlink(lockFile_.c_str());
    ::close(fd_);
    fd_ = -1;
}

std::string SaveLockFileOf(const std::string& file) { return file + std::string(kSuffix); }

bool IsSaveLockFileName(const std::string& name) {
    return name.size() > kSuffix.size() && SameText(std::string_view(name).substr(name.size() - kSuffix.size()), kSuffix);
}
