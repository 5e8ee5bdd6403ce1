#include "engine/PairingFile.h"

#include "foundation/Conversions.h"
#include "foundation/files/Dateihandling.h"

namespace {

// x|a|b| : the positions a and b; lines without "|" carry no pair.
bool ParsePairLine(const std::string& line, std::pair<int, int>& pair) {
    const size_t first = line.find('|');
    if (first == std::string::npos) return false;
    const size_t second = line.find('|', first + 1);
    const size_t third = second == std::string::npos ? std::string::npos : line.find('|', second + 1);
    pair.first = ToInt(line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1));
    pair.second = second == std::string::npos
                      ? 0
                      : ToInt(line.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1));
    return true;
}

std::string NextLine(Dateihandling& file) { return TrimRightStr(file.ReadLine()); }

// Reads one block after its key line. Repeated blocks of one size add up, but never beyond what a
// single block may hold, so a damaged file cannot make memory grow without bound. A block without
// its end line may lack pairs: none of it is used.
void ReadBlock(Dateihandling& file, PairingBlock& block) {
    const size_t before = block.positions.size();
    for (int lines = 0; lines < kPairingLineLimit && !file.Eof(); ++lines) {
        const std::string line = NextLine(file);
        if (line == "<END>") {
            block.found = true;
            return;
        }
        std::pair<int, int> pair;
        if (ParsePairLine(line, pair) && block.positions.size() < static_cast<size_t>(kPairingLineLimit))
            block.positions.push_back(pair);
    }
    block.faulty = true;
    block.positions.resize(before);
}

}  // namespace

std::string PairingKey(int size) { return "T" + IntToStr(size) + "F1"; }

PairingBlock ReadPairingBlock(const std::string& path, int size) {
    PairingBlock block;
    Dateihandling file;
    if (!file.Open(path, "R", true)) {
        block.readable = false;
        return block;
    }
    const std::string key = PairingKey(size);
    for (int lines = 0; lines < kPairingLineLimit && !file.Eof(); ++lines) {
        const std::string line = NextLine(file);
        if (line == "<EOF>") break;
        if (line == key) ReadBlock(file, block);
    }
    file.Close();
    return block;
}
