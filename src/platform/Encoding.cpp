#include "platform/Encoding.h"

#include <array>

#include "platform/Utf8.h"

namespace encoding {
namespace {

// Where the code page differs from Latin-1: bytes 0x80..0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr std::array<char16_t, 256> MakeTable() {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<char16_t>(byte);
    for (int i = 0; i < 32; ++i) table[0x80 + i] = kHighControls[i];
    return table;
}

constexpr std::array<char16_t, 256> kWindows1252 = MakeTable();

bool IsAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

char32_t FromWindows1252Byte(unsigned char byte) { return kWindows1252[byte]; }

bool ToWindows1252Byte(char32_t codePoint, unsigned char& byte) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        byte = static_cast<unsigned char>(codePoint);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    for (char c : bytes) utf8::Append(text, FromWindows1252Byte(static_cast<unsigned char>(c)));
    return text;
}

bool Utf8ToWindows1252(std::string_view text, std::string& out) {
    if (!utf8::IsValid(text)) return false;
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        unsigned char byte = 0;
        if (!ToWindows1252Byte(utf8::Next(text, pos), byte)) return false;
        bytes += static_cast<char>(byte);
    }
    out = std::move(bytes);
    return true;
}

std::string ToFileBytes(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    std::string bytes;
    // Bytes that happen to form valid UTF-8 (say "Ã¼") would come back as other characters.
    if (Utf8ToWindows1252(text, bytes) && !utf8::IsValid(bytes)) return bytes;
    return std::string(text);
}

std::string FromFileBytes(std::string_view bytes) {
    if (utf8::IsValid(bytes)) return std::string(bytes);
    return Windows1252ToUtf8(bytes);
}

}  // namespace encoding
