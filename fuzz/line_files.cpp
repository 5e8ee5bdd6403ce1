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

// A program folder of its own for one input, gone again when the input is through, so that no
// way of ending the run (libFuzzer may leave with _Exit) leaves it behind.
class InputFolder {
public:
    InputFolder() {
        folder_ = (std::filesystem::temp_directory_path() / "fuzz-line-files-XXXXXX").string();
        if (!mkdtemp(folder_.data())) std::abort();
        setenv("MAROVELKA_HOME", folder_.c_str(), 1);
        fileName = folder_ + "/input.tur";
    }
    ~InputFolder() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    InputFolder(const InputFolder&) = delete;
    InputFolder& operator=(const InputFolder&) = delete;

private:
    std::string folder_;
};

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const InputFolder folder;
    std::string bytes(reinterpret_cast<const char*>(data), size);
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
