#include "platform/FileOperations.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

int FileOperations::Open(const std::string& path, int flags, mode_t mode) { return ::open(path.c_str(), flags, mode); }

bool FileOperations::CreateFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error && std::filesystem::is_directory(folder, error);
}

ssize_t FileOperations::Write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

bool FileOperations::Truncate(int fd, off_t length) { return ::ftruncate(fd, length) == 0; }

bool FileOperations::SyncFile(int fd) { return ::fsync(fd) == 0; }

ssize_t FullDiskFileOperations::Write(int fd, const void* data, size_t size) {
    size_t left = bytesLeft_.load();
    size_t taken = 0;
    do {
        taken = size < left ? size : left;
    } while (!bytesLeft_.compare_exchange_weak(left, left - taken));
    if (taken == 0 && size > 0) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t written = FileOperations::Write(fd, data, taken);
    // What the disk refused for another reason is free again.
    if (written >= 0 && static_cast<size_t>(written) < taken) bytesLeft_ += taken - static_cast<size_t>(written);
    if (written < 0) bytesLeft_ += taken;
    return written;
}

bool FileOperations::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool FileOperations::Link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0;
}

bool FileOperations::SyncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool synced = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync folders
    ::close(fd);
    return synced;
}

std::string FolderOf(const std::string& name) {
    size_t slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
}

namespace {

FileOperations& RealFileOperations() {
    static FileOperations operations;
    return operations;
}

std::atomic<FileOperations*> current{nullptr};

}  // namespace

FileOperations& SystemFileOperations() {
    FileOperations* operations = current.load();
    return operations ? *operations : RealFileOperations();
}

ScopedFileOperations::ScopedFileOperations(FileOperations& operations) : previous_(current.exchange(&operations)) {}

ScopedFileOperations::~ScopedFileOperations() { current.store(previous_); }
