#include "platform/FileIdentity.h"

#include <sys/stat.h>

std::string FileIdentity::Text() const {
    return std::to_string(device) + ":" + std::to_string(inode) + ":" + std::to_string(size) + ":" +
           std::to_string(modified.tv_sec) + "." + std::to_string(modified.tv_nsec);
}

std::optional<FileIdentity> FileIdentityOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}
