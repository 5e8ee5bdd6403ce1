#pragma once
#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>

// What tells one version of a file from another without reading it: the device and inode of the
// file a name leads to (a safe save puts a new file in the name's place), its size and its
// modification time. A symbolic link is followed: the file it leads to is the one saved.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    // Both names lead to one file now, whatever its content.
    bool SameFileAs(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
    // "device:inode:size:seconds.nanoseconds", as a table cell keeps it.
    std::string Text() const;
};

// None when the name leads to no file that can be looked at (it is missing, or a folder on the
// way may not be searched).
std::optional<FileIdentity> FileIdentityOf(const std::string& path);
