#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/FileOperations.h"
#include "platform/TemporaryFile.h"

namespace {

bool WriteAll(FileOperations& operations, int fd, std::string_view content) {
    size_t done = 0;
    while (done < content.size()) {
        ssize_t n = operations.Write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& content) {
    content.clear();
    // Not blocking: a pipe in the file's place must not stop the program; it is refused below.
    int fd = SystemFileOperations().Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileReadResult::Missing : FileReadResult::Unreadable;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileReadResult::Unreadable;
    }
    std::vector<char> buffer(64 * 1024);
    FileReadResult result = FileReadResult::Read;
    for (;;) {
        ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result = FileReadResult::Unreadable;
            break;
        }
        if (n == 0) break;
        if (content.size() + static_cast<size_t>(n) > maxBytes) {
            result = FileReadResult::TooLarge;
            break;
        }
        content.append(buffer.data(), static_cast<size_t>(n));
    }
    ::close(fd);
    if (result != FileReadResult::Read) content.clear();
    return result;
}

bool WriteFileAtomically(const std::string& path, std::string_view content, mode_t newFileMode) {
    FileOperations& operations = SystemFileOperations();
    TemporaryFile temporary;
    const int fd = temporary.Create(path, operations);
    if (fd < 0) return false;
    // A file replaced keeps its permissions; the temporary file has taken them already.
    const bool written = (temporary.ReplacesExisting() || ::fchmod(fd, newFileMode) == 0) &&
                         WriteAll(operations, fd, content) && operations.SyncFile(fd);
    const int error = errno;
    if (::close(fd) != 0 || !written) {
        // A file that is not whole never takes the target's place; the temporary file goes.
        if (!written) errno = error;
        const int reason = errno;
        temporary.Remove();
        errno = reason;
        return false;
    }
    return temporary.PutInPlace(operations);
}
