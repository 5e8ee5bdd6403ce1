#include "foundation/files/LineReading.h"

namespace lines {

LineRead ReadLine(std::FILE* file, std::string& line, bool windowsTextMode, size_t maxBytes) {
    line.clear();
    int c = getc_unlocked(file);
    if (c == EOF) return LineRead::End;
    while (c != EOF && c != '\n') {
        if (line.size() >= maxBytes) {
            line.clear();
            line.shrink_to_fit();
            return LineRead::TooLong;
        }
        line += static_cast<char>(c);
        c = getc_unlocked(file);
    }
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
