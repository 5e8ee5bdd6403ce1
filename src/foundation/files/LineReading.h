#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

// Reading one line of a file of the program, of any length up to a sanity limit, byte for byte:
// scrambled lines may hold NUL or any other byte.
namespace lines {

// No file of the program comes near this; a longer line means the file is not one of ours, and
// reading it whole could exhaust memory.
inline constexpr size_t kMaxLineBytes = 16u * 1024u * 1024u;

enum class LineRead { Line, End, TooLong };

// Reads up to and including the next line feed and drops that line feed. With
// windowsTextMode a carriage return right before it goes as well, as text streams do on Windows.
// End: nothing was left to read. TooLong: more than maxBytes before a line feed; line is empty.
LineRead ReadLine(std::FILE* file, std::string& line, bool windowsTextMode, size_t maxBytes = kMaxLineBytes);

// The error-log line for a refused file.
std::string TooLongMessage(const std::string& fileName);

// Opens a file in binary mode (Linux keeps bytes as they are; the classes do their own line ends).
// mode: "r", "w" or "a".
std::FILE* OpenBinary(const std::string& name, char mode);

}  // namespace lines
