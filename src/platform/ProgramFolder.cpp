#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>

std::string ProgramExecutable() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.string();
}

std::string ProgramFolder() {
    std::string folder;
    if (const char* home = std::getenv("MAROVELKA_HOME"); home && *home) {
        folder = home;
    } else if (const std::string exe = ProgramExecutable(); !exe.empty()) {
        folder = std::filesystem::path(exe).parent_path().string();
    } else {
        std::error_code error;
        folder = std::filesystem::current_path(error).string();
    }
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string ProgramFile(const std::string& name) { return ProgramFolder() + name; }
