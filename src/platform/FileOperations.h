#pragma once
#include <string>

// The file-system steps of a safe save that can fail after every byte is written. Tests put a
// failing double in their place to prove that the previous file survives.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // Puts the written data on the disk: fsync of the open file descriptor.
    virtual bool SyncFile(int fd);
    // Replaces `to` atomically.
    virtual bool Rename(const std::string& from, const std::string& to);
    // Makes a rename in the folder durable.
    virtual bool SyncFolder(const std::string& folder);
};

// The folder part of a file name ("." for a bare name), for syncing the folder after a rename.
std::string FolderOf(const std::string& name);

// The real file system.
FileOperations& SystemFileOperations();
