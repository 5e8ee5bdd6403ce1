#pragma once
#include <sys/types.h>

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
