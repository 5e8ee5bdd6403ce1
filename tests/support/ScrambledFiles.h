#pragma once
// Scrambled files in tests: written from rows, read whole, and compared byte for byte with the
// filler bytes left aside (readers never look at them).
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/files/Scrambling.h"
#include "foundation/files/TFile.h"
#include "foundation/files/TournamentFile.h"

namespace scrambled_files {

// The golden files written from the format description (see tests/data/golden.py).
inline std::string GoldenPath(const std::string& name) { return std::string(MAROVELKA_DATA_DIR) + "/../tests/data/" + name; }

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A tournament file of these rows (31 cells each), written line by line as the format says;
// without tableEnd it stops before "</TABLE>" as a file cut short would.
inline void WriteTurLines(const std::string& path, const std::vector<std::string>& rowLines,
                          const std::string& magic = "MAROVELKA4", const std::string& version = "v4.002",
                          bool tableEnd = true) {
    TFile file;
    file.OpenWrite(path, true);
    for (const std::string& line : {std::string("<DATEI>"), magic, version}) file.WriteLine(line);
    file.SetShiftScheme(version != "v4.002");
    for (const char* line : {"TURNIER", "<TurnierInfo>", "<|LEER|>", "<|LEER|>", "<|LEER|>", "</TurnierInfo>", "<TABLE>"})
        file.WriteLine(line);
    for (const auto& line : rowLines) file.WriteLine(line);
    if (tableEnd) {
        file.WriteLine("</TABLE>");
        file.WriteLine("</DATEI>");
    }
    file.Close();
}

inline void WriteTurFile(const std::string& path, const std::vector<std::vector<std::string>>& rows,
                         const std::string& magic = "MAROVELKA4", const std::string& version = "v4.002") {
    std::vector<std::string> lines;
    for (const auto& cells : rows) lines.push_back(TurRowLine(cells));
    WriteTurLines(path, lines, magic, version);
}

inline std::vector<std::string> SplitLines(const std::string& bytes, const std::string& end) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = bytes.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(bytes.substr(start, at - start));
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// The stored bytes of an interleaved line (at 0-based offsets 1, 4, 6, 9, ...); empty when a
// filler byte lies outside its range or the length does not fit the scheme.
inline bool InterleaveData(const std::string& line, std::string& data) {
    data.clear();
    size_t i = 0;
    for (int gap = 1; i < line.size(); gap = 3 - gap) {
        for (int g = 0; g < gap; ++g, ++i)
            if (i >= line.size() || static_cast<unsigned char>(line[i]) < 44 || static_cast<unsigned char>(line[i]) > 83)
                return false;
        if (i >= line.size()) return false;
        data += line[i++];
    }
    return true;
}

// The bytes before the marker of a key-shift line; false when the filler behind it is not as
// long as the scheme pads or holds characters outside the alphabet's first 40.
inline bool KeyShiftData(const std::string& line, std::string& data) {
    const size_t marker = line.rfind("<:>");
    if (marker == std::string::npos) return false;
    data = line.substr(0, marker);
    const std::string filler = line.substr(marker + 3);
    const size_t length = marker + 3;
    const size_t expected = length >= 60 ? 0 : (61 - length) / 2;
    if (filler.size() != expected) return false;
    for (char c : filler)
        if (std::string_view(scrambling::kAlphabet).substr(0, 40).find(c) == std::string_view::npos) return false;
    return true;
}

// The first difference between two scrambled files, filler aside; empty when they agree.
// keyShiftLines: how many lines from the top are in the key-shift scheme (-1: all).
inline std::string FirstDifference(const std::string& written, const std::string& golden, const std::string& lineEnd,
                                   int keyShiftLines) {
    const auto a = SplitLines(written, lineEnd);
    const auto b = SplitLines(golden, lineEnd);
    if (a.size() != b.size()) return "line count " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const bool keyShift = keyShiftLines < 0 || static_cast<int>(i) < keyShiftLines;
        std::string dataA, dataB;
        const bool okA = keyShift ? KeyShiftData(a[i], dataA) : InterleaveData(a[i], dataA);
        const bool okB = keyShift ? KeyShiftData(b[i], dataB) : InterleaveData(b[i], dataB);
        if (!okA) return "line " + std::to_string(i + 1) + " of the written file is not well formed";
        if (!okB) return "line " + std::to_string(i + 1) + " of the golden file is not well formed";
        if (dataA != dataB) return "line " + std::to_string(i + 1) + " differs";
    }
    return {};
}

}  // namespace scrambled_files
