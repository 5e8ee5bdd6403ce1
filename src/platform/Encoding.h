#pragma once
#include <string>
#include <string_view>

// Texts are UTF-8 in memory; the program's files hold Windows-1252 lines wherever the text allows,
// so that files stay readable by older releases, and UTF-8 lines otherwise.
namespace encoding {

// The character of a Windows-1252 byte (bytes without a character map to the C1 control of the
// same number, so every byte has one and converts back to itself).
char32_t FromWindows1252Byte(unsigned char byte);
// The Windows-1252 byte of a character; false when the code page has none for it.
bool ToWindows1252Byte(char32_t codePoint, unsigned char& byte);

// Windows-1252 bytes as UTF-8 text.
std::string Windows1252ToUtf8(std::string_view bytes);
// UTF-8 text as Windows-1252 bytes; false (out untouched) when a character does not fit or the
// text is not valid UTF-8.
bool Utf8ToWindows1252(std::string_view text, std::string& out);

// The bytes of a text line for a file: Windows-1252 when every character fits and those bytes
// cannot be mistaken for UTF-8 when read back, else the UTF-8 bytes (text that is not valid
// UTF-8 goes out as it is).
std::string ToFileBytes(std::string_view text);
// A line read from a file: taken as UTF-8 when it is valid UTF-8, else as Windows-1252.
std::string FromFileBytes(std::string_view bytes);

}  // namespace encoding
