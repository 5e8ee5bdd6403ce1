// Reads arbitrary bytes as a scrambled line file through both file classes and both schemes:
// no crash, no hang, and every text line survives scrambling and unscrambling.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/files/Dateihandling.h"
#include "foundation/files/TFile.h"
#include "platform/Utf8.h"

namespace {

std::string fileName;

void ReadAllWithTFile(bool shiftScheme) {
    TFile file;
    file.SetShiftScheme(shiftScheme);
    if (!file.OpenRead(fileName, true)) std::abort();
    // Every line read consumes at least one byte, so the loop ends.
    while (!file.Eof()) file.ReadLine();
    file.Close();
}

void ReadAllWithDateihandling() {
    Dateihandling file;
    if (!file.Open(fileName, "R", true)) std::abort();
    while (!file.Eof()) file.ReadLine();
    file.Close();
}

void CheckRoundTrips(const std::string& text) {
    bool isText = utf8::IsValid(text) && text != "[LEER]";
    Dateihandling writer, reader;  // both at key position 1
    // A stored line never holds a line feed (reading would split it); a line that cannot be
    // stored at all comes back empty and is refused by the writers.
    std::string stored = writer.ScrambleLine(text);
    if (stored.find('\n') != std::string::npos) std::abort();
    if (isText && !stored.empty() && reader.UnscrambleLine(stored) != text) std::abort();
    std::string back;
    TFile block;
    block.SetShiftScheme(false);
    back = block.UnscrambleLine(block.ScrambleLine(text));
    if (isText && text.find_first_of("\x15\x16") == std::string::npos && back != text) std::abort();
}

std::string folderName;

void RemoveFolder() {
    std::error_code error;
    std::filesystem::remove_all(folderName, error);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/fuzz-line-files-XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    folderName = folder;
    std::atexit(RemoveFolder);
    setenv("MAROVELKA_HOME", folder, 1);
    fileName = folderName + "/input.tur";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    // A new file each time: a file cut to nothing and written again makes some file systems write
    // it through to the disk on close, and the run would wait for the disk.
    std::remove(fileName.c_str());
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    ReadAllWithTFile(true);
    ReadAllWithTFile(false);
    ReadAllWithDateihandling();
    CheckRoundTrips(bytes);
    return 0;
}
