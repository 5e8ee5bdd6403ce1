#include "platform/FileNames.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace {

bool HasExtension(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    return name.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

// A folder of that name is no file to load: the name still means the file with the extension.
bool FileExists(const std::string& name) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(name, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

std::string WithUsualExtension(const std::string& name, const std::string& extension) {
    if (extension.empty() || name.empty() || name.back() == '/' || HasExtension(name) || FileExists(name)) return name;
    return name + extension;
}

std::string FilterExtension(const std::string& filter) {
    const size_t bar = filter.find('|');
    if (bar == std::string::npos) return {};
    std::string pattern = filter.substr(bar + 1, filter.find_first_of("|;", bar + 1) - bar - 1);
    if (pattern.rfind("*.", 0) != 0) return {};
    pattern.erase(0, 1);
    if (pattern.size() < 2 || pattern.find_first_of("*?") != std::string::npos) return {};
    return pattern;
}

bool NamesAFile(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
    return !last.empty() && last != "." && last != "..";
}

namespace {

// The absolute path with the symbolic links of its existing part resolved and "." and ".." gone.
std::string ResolvedPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return std::filesystem::path(path).lexically_normal().string();
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    return (error ? absolute.lexically_normal() : resolved).string();
}

}  // namespace

bool SameResolvedPath(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && ResolvedPath(a) == ResolvedPath(b);
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    struct stat first {}, second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return ResolvedPath(a) == ResolvedPath(b);
}

bool FollowLink(const std::string& name, std::string& file) {
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        file = name;
        return true;
    }
    char* real = ::realpath(name.c_str(), nullptr);
    if (!real) return false;
    file = real;
    std::free(real);
    return true;
}
