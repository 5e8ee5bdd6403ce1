#include "platform/FileNames.h"

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
