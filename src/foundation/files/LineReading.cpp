#include "foundation/files/LineReading.h"

#include "foundation/Logs.h"

namespace lines {
namespace {

enum class LineRead { Line, End, TooLong };

LineRead ReadRawLine(std::FILE* file, std::string& line, bool windowsTextMode, size_t maxBytes) {
    line.clear();
    int c = getc_unlocked(file);
    if (c == EOF) return LineRead::End;
    // Bytes gather in a small buffer first; appending them one by one costs more than reading.
    char chunk[4096];
    size_t filled = 0;
    while (c != EOF && c != '\n') {
        if (filled == sizeof chunk) {
            line.append(chunk, filled);
            filled = 0;
        }
        chunk[filled++] = static_cast<char>(c);
        if (line.size() + filled > maxBytes) {
            line.clear();
            line.shrink_to_fit();
            return LineRead::TooLong;
        }
        c = getc_unlocked(file);
    }
    line.append(chunk, filled);
    if (c == '\n' && windowsTextMode && !line.empty() && line.back() == '\r') line.pop_back();
    return LineRead::Line;
}

}  // namespace

bool ReadLine(std::FILE* file, std::string& line, bool windowsTextMode, const std::string& fileName, bool& refused,
              size_t maxBytes) {
    switch (ReadRawLine(file, line, windowsTextMode, maxBytes)) {
        case LineRead::Line: return true;
        case LineRead::End: return false;
        case LineRead::TooLong: break;
    }
    refused = true;
    ErrorLog("[X] Datei " + fileName + " hat eine Zeile mit mehr als " + std::to_string(maxBytes) +
             " Zeichen und wird nicht weiter gelesen");
    return false;
}

std::FILE* OpenBinary(const std::string& name, char mode) {
    const char* stdioMode = mode == 'r' ? "rb" : mode == 'w' ? "wb" : "ab";
    return std::fopen(name.c_str(), stdioMode);
}

}  // namespace lines
