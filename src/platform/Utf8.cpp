#include "platform/Utf8.h"

#include <utility>

namespace utf8 {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of a well-formed sequence at pos, or 0 when the bytes there are not one.
size_t WellFormedSize(std::string_view s, size_t pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = byte(pos);
    size_t remaining = s.size() - pos;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return remaining >= 2 && IsContinuation(byte(pos + 1)) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (remaining < 3 || !IsContinuation(byte(pos + 1)) || !IsContinuation(byte(pos + 2))) return 0;
        unsigned char c1 = byte(pos + 1);
        if (c == 0xE0 && c1 < 0xA0) return 0;  // overlong
        if (c == 0xED && c1 > 0x9F) return 0;  // surrogates
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (remaining < 4 || !IsContinuation(byte(pos + 1)) || !IsContinuation(byte(pos + 2)) ||
            !IsContinuation(byte(pos + 3)))
            return 0;
        unsigned char c1 = byte(pos + 1);
        if (c == 0xF0 && c1 < 0x90) return 0;
        if (c == 0xF4 && c1 > 0x8F) return 0;
        return 4;
    }
    return 0;
}

}  // namespace

size_t CharSize(std::string_view s, size_t pos) {
    if (pos >= s.size()) return 0;
    size_t n = WellFormedSize(s, pos);
    return n == 0 ? 1 : n;
}

size_t Length(std::string_view s) {
    size_t count = 0;
    for (size_t pos = 0; pos < s.size(); pos += CharSize(s, pos)) ++count;
    return count;
}

size_t ByteOffset(std::string_view s, size_t charIndex) {
    size_t pos = 0;
    while (charIndex > 0 && pos < s.size()) {
        pos += CharSize(s, pos);
        --charIndex;
    }
    return pos;
}

std::string Cut(std::string_view s, long n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, ByteOffset(s, static_cast<size_t>(n))));
}

std::string Sub(std::string_view s, long pos, long count) {
    if (count <= 0) return {};
    if (pos < 1) {
        count += pos - 1;
        pos = 1;
        if (count <= 0) return {};
    }
    size_t begin = ByteOffset(s, static_cast<size_t>(pos - 1));
    std::string_view rest = s.substr(begin);
    return std::string(rest.substr(0, ByteOffset(rest, static_cast<size_t>(count))));
}

bool IsValid(std::string_view s) {
    for (size_t pos = 0; pos < s.size();) {
        size_t n = WellFormedSize(s, pos);
        if (n == 0) return false;
        pos += n;
    }
    return true;
}

void Append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t Next(std::string_view s, size_t& pos) {
    size_t n = WellFormedSize(s, pos);
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    char32_t cp;
    switch (n) {
        case 2: cp = ((byte(pos) & 0x1F) << 6) | (byte(pos + 1) & 0x3F); break;
        case 3: cp = ((byte(pos) & 0x0F) << 12) | ((byte(pos + 1) & 0x3F) << 6) | (byte(pos + 2) & 0x3F); break;
        case 4:
            cp = ((byte(pos) & 0x07) << 18) | ((byte(pos + 1) & 0x3F) << 12) | ((byte(pos + 2) & 0x3F) << 6) |
                 (byte(pos + 3) & 0x3F);
            break;
        default: cp = byte(pos); n = 1; break;
    }
    pos += n;
    return cp;
}

bool IsControl(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

namespace {

// The pairs of upper- and lower-case letters outside the ranges that differ by a fixed offset.
constexpr std::pair<char32_t, char32_t> kCasePairs[] = {{0x0160, 0x0161}, {0x0152, 0x0153}, {0x017D, 0x017E}, {0x0178, 0x00FF}};

char32_t UpperOf(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
    for (const auto& [upper, lower] : kCasePairs)
        if (c == lower) return upper;
    return c;
}

char32_t LowerOf(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    for (const auto& [upper, lower] : kCasePairs)
        if (c == upper) return lower;
    return c;
}

// Malformed bytes are kept as they are, so nothing is lost.
std::string MapCharacters(std::string_view s, char32_t (*map)(char32_t)) {
    std::string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        if (WellFormedSize(s, pos) == 0) out += s[pos++];
        else Append(out, map(Next(s, pos)));
    }
    return out;
}

}  // namespace

std::string Upper(std::string_view s) { return MapCharacters(s, UpperOf); }
std::string Lower(std::string_view s) { return MapCharacters(s, LowerOf); }

}  // namespace utf8
