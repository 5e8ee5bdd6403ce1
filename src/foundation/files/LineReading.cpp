#include "foundation/files/LineReading.h"

namespace lines {

LineRead ReadLine(std::FILE* file, std::string& line, bool windowsTextMode, size_t maxBytes) {
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

std::string TooLongMessage(const std::string& fileName) {
    return "[X] Datei " + fileName + " hat eine Zeile mit mehr als " + std::to_string(kMaxLineBytes) +
           " Zeichen und wird nicht weiter gelesen";
}

std::FILE* OpenBinary(const std::string& name, char mode) {
    const char* stdioMode = mode == 'r' ? "rb" : mode == 'w' ? "wb" : "ab";
    return std::fopen(name.c_str(), stdioMode);
}

}  // namespace lines
