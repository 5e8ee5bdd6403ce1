#pragma once
#include <fcntl.h>

#include <cerrno>
#include <string>

#include "platform/FileOperations.h"

// The file system as a user without rights sees it, whatever rights the tests run with:
// nothing can be made in or renamed into or out of the read-only folder, and the unreadable
// file cannot be opened. Names are compared as given (folders without a trailing '/').
class RefusingFileOperations : public FileOperations {
public:
    std::string readOnlyFolder;
    std::string unreadableFile;

    int Open(const std::string& path, int flags, mode_t mode) override {
        if (path == unreadableFile || ((flags & O_CREAT) != 0 && InReadOnlyFolder(path))) return Refuse();
        return FileOperations::Open(path, flags, mode);
    }
    bool CreateFolders(const std::string& folder) override {
        if (!readOnlyFolder.empty() && folder.rfind(readOnlyFolder + "/", 0) == 0) return Refuse() == 0;
        return FileOperations::CreateFolders(folder);
    }
    bool Rename(const std::string& from, const std::string& to) override {
        if (InReadOnlyFolder(from) || InReadOnlyFolder(to)) return Refuse() == 0;
        return FileOperations::Rename(from, to);
    }
    bool Link(const std::string& from, const std::string& to) override {
        if (InReadOnlyFolder(to)) return Refuse() == 0;
        return FileOperations::Link(from, to);
    }

private:
    bool InReadOnlyFolder(const std::string& path) const { return !readOnlyFolder.empty() && FolderOf(path) == readOnlyFolder; }
    static int Refuse() {
        errno = EACCES;
        return -1;
    }
};
