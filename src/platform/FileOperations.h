#pragma once
#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <string>

// The file-system steps of reading and safely saving a file, each of which can fail. The
// platform's readers and writers take them from SystemFileOperations(); tests put a failing
// double in their place to prove that a failure is reported and the previous file survives,
// whatever rights the test runs with.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // Opens a file as open(2) does: a descriptor, or -1 with errno set.
    virtual int Open(const std::string& path, int flags, mode_t mode = 0);
    // Makes the folder and every missing folder above it; true when it exists afterwards.
    virtual bool CreateFolders(const std::string& folder);
    // Writes up to size bytes as write(2) does: the number written, or -1 with errno set. A disk
    // that fills up takes what fits and then fails with ENOSPC.
    virtual ssize_t Write(int fd, const void* data, size_t size);
    // Cuts the open file back to length bytes (ftruncate(2)); false with errno set.
    virtual bool Truncate(int fd, off_t length);
    // Puts the written data on the disk: fsync of the open file descriptor.
    virtual bool SyncFile(int fd);
    // Replaces `to` atomically.
    virtual bool Rename(const std::string& from, const std::string& to);
    // Gives the file `from` the second name `to`, which must not exist yet (link(2)); false with
    // errno set.
    virtual bool Link(const std::string& from, const std::string& to);
    // Makes a rename in the folder durable.
    virtual bool SyncFolder(const std::string& folder);
};

// The real file system on a disk with only so many bytes left: a write beyond them stores what
// still fits and fails with ENOSPC, as a full disk does. Tests, and the program's test commands,
// put it in place to see what a full disk does to a save or an addition.
class FullDiskFileOperations : public FileOperations {
public:
    explicit FullDiskFileOperations(size_t bytesLeft) : bytesLeft_(bytesLeft) {}
    ssize_t Write(int fd, const void* data, size_t size) override;

private:
    std::atomic<size_t> bytesLeft_;
};

// The folder part of a file name ("." for a bare name), for syncing the folder after a rename.
std::string FolderOf(const std::string& name);

// The file operations in force: the real file system unless a ScopedFileOperations says otherwise.
FileOperations& SystemFileOperations();

// While it lives, SystemFileOperations() is the given double (for tests).
class ScopedFileOperations {
public:
    explicit ScopedFileOperations(FileOperations& operations);
    ~ScopedFileOperations();
    ScopedFileOperations(const ScopedFileOperations&) = delete;
    ScopedFileOperations& operator=(const ScopedFileOperations&) = delete;

private:
    FileOperations* previous_;
};
