#include "foundation/files/ResultsExchangeFile.h"

#include <cstdlib>
#include <filesystem>

#include "foundation/files/Dateihandling.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr const char* kEnd = "<ENDE>";

}  // namespace

bool WriteExchangeFile(const std::string& path, const std::string& fileName, const std::vector<ExchangeBlock>& blocks,
                       int* error) {
    Dateihandling file;
    if (!file.Open(path, "W", true)) {
        if (error) *error = file.Error();
        return false;
    }
    for (const std::string& line : {std::string("<DATEI>"), std::string("MAROVELKA4 EXPORT"), std::string("v4.111"),
                                    std::string("<START>"), fileName})
        file.WriteLine(line);
    for (const ExchangeBlock& block : blocks)
        for (const std::string& line : block) file.WriteLine(line);
    file.WriteLine(kEnd);
    if (file.Close()) return true;
    if (error) *error = file.Error();
    return false;
}

std::optional<ExchangeContent> ReadExchangeFile(const std::string& path) {
    Dateihandling file;
    if (!file.Open(path, "R", true)) return std::nullopt;
    ExchangeContent content;
    std::string header[5];
    for (std::string& line : header) line = file.ReadLine();
    content.magic = header[1];
    content.fileName = header[4];
    // A block counts only when all its lines are there; an empty game number ends the list.
    while (!file.Eof() && !file.LineTooLong()) {
        ExchangeBlock block;
        block[0] = file.ReadLine();
        if (block[0] == kEnd) {
            content.endMarker = true;
            break;
        }
        if (block[0].empty()) break;
        size_t read = 1;
        for (; read < block.size() && !file.Eof(); ++read) {
            block[read] = file.ReadLine();
            if (block[read] == kEnd) break;
        }
        if (read < block.size()) {
            content.partialGame = block[0];
            content.endMarker = read < block.size() && block[read] == kEnd;
            break;
        }
        content.blocks.push_back(block);
    }
    file.Close();
    return content;
}

std::string ExchangeFilePath(const std::string& turnierPath) {
    if (turnierPath.empty()) {
        const char* home = std::getenv("HOME");
        const std::string folder = home && *home ? std::string(home) + "/" : ProgramFolder();
        return folder + "Turnier.exp";
    }
    return std::filesystem::path(turnierPath).replace_extension(".exp").string();
}
