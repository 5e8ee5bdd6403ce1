#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>

std::string ProgramFolder() {
    std::string folder;
    if (const char* home = std::getenv("MAROVELKA_HOME"); home && *home) {
        folder = home;
    } else {
        std::error_code error;
        auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
        folder = error ? std::filesystem::current_path(error).string() : exe.parent_path().string();
    }
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string ProgramFile(const std::string& name) { return ProgramFolder() + name; }
