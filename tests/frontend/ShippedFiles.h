#pragma once
#include <filesystem>
#include <string>

// The example's files beside the program and the program folder the current folder, as the
// program's start makes it; the current folder of before comes back when this ends.
class InProgramFolderWithShippedFiles {
public:
    explicit InProgramFolderWithShippedFiles(const std::string& folder) : start_(std::filesystem::current_path()) {
        for (const char* file : {"TurFormen.dat", "Spklrs.dat", "Vereine.txt"})
            std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/" + file, folder + file);
        std::filesystem::current_path(folder);
    }
    ~InProgramFolderWithShippedFiles() { std::filesystem::current_path(start_); }
    InProgramFolderWithShippedFiles(const InProgramFolderWithShippedFiles&) = delete;
    InProgramFolderWithShippedFiles& operator=(const InProgramFolderWithShippedFiles&) = delete;

private:
    std::filesystem::path start_;
};
