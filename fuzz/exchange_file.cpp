// Reads arbitrary bytes as a results exchange file: raw, or as lines properly scrambled so that
// the blocks are reached. Every block read is whole, and written back it reads the same and whole,
// with the names of its participants when the file has them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/files/Dateihandling.h"
#include "foundation/files/ResultsExchangeFile.h"

namespace {

std::string folder;

void WriteRaw(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void WriteLines(const std::string& path, const std::string& text) {
    Dateihandling file;
    if (!file.Open(path, "W", true)) std::abort();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        file.WriteLine(text.substr(start, end - start));
        start = end + 1;
    }
    file.Close();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char made[] = "/tmp/fuzz-exchange-file-XXXXXX";
    if (!mkdtemp(made)) std::abort();
    folder = std::string(made) + "/";
    setenv("MAROVELKA_HOME", made, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string path = folder + "input.exp";
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2) WriteRaw(path, body);
    else WriteLines(path, body);
    const auto content = ReadExchangeFile(path);
    if (!content) std::abort();
    for (const ExchangeBlock& block : content->blocks)
        if (block[0].empty() || block[0] == "<ENDE>") std::abort();
    // A value "[LEER]" is how the scheme writes the empty line; it cannot be a value of its own.
    // The participant list, when read, names every block's participants and nothing else.
    if (!content->participants.empty() && content->participants.size() != content->blocks.size()) std::abort();
    for (const ExchangeBlock& block : content->blocks)
        for (const std::string& line : block)
            if (line == "[LEER]") return 0;
    for (const ParticipantNames& names : content->participants)
        for (const std::string& name : names)
            if (name == "[LEER]") return 0;
    if (content->fileName == "[LEER]") return 0;
    const std::string copy = folder + "copy.exp";
    if (!WriteExchangeFile(copy, content->fileName, content->blocks, content->participants)) return 0;
    const auto again = ReadExchangeFile(copy);
    if (!again || again->blocks != content->blocks || again->fileName != content->fileName || !again->damage.empty() ||
        again->participants != content->participants)
        std::abort();
    return 0;
}
