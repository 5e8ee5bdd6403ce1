#pragma once
#include <string>
#include <string_view>

// Texts are UTF-8 in memory; where the program counts characters, it counts code points.
// Malformed bytes count as one character each, so no input is ever lost or over-read.
namespace utf8 {

// Byte length of the character starting at s[pos] (1 for a malformed or lone byte).
size_t CharSize(std::string_view s, size_t pos);
size_t Length(std::string_view s);
// The first n characters (all of s when it is shorter; empty for n <= 0).
std::string Cut(std::string_view s, long n);
// count characters from position pos (counted from 1), as far as s reaches.
std::string Sub(std::string_view s, long pos, long count);
// Byte offset of character index i (from 0); s.size() when beyond the end.
size_t ByteOffset(std::string_view s, size_t charIndex);
bool IsValid(std::string_view s);
void Append(std::string& out, char32_t codePoint);
// Code point at s[pos] (the byte value for a malformed byte); pos advances past it.
char32_t Next(std::string_view s, size_t& pos);
// A character that steers a terminal or the order of what it shows instead of being shown: the
// C0 controls, DEL, the C1 controls, the bidirectional controls (marks, embeddings, overrides,
// isolates) and the line and paragraph separators.
bool IsControl(char32_t c);
// Upper and lower case of the letters of Windows-1252 (ASCII, the accented Latin-1 letters, Š,
// Œ, Ž, Ÿ); every other character stays as it is (ß has no single upper-case letter).
std::string Upper(std::string_view s);
std::string Lower(std::string_view s);

}  // namespace utf8
