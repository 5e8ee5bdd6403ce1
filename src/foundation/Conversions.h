#pragma once
#include <string>
#include <string_view>

class TStrings;

// Text to integer: "" and " " give 0; leading blanks and a sign are allowed, "$", "x" or "0x"
// introduce hexadecimal digits; anything else, overflow included, gives 0 silently.
int ToInt(std::string_view text);
// Text with the program's decimal comma to double; "" and " " give 0; a text that does not
// convert gives 0 and an error-log line. Independent of the process locale.
double ToDouble(std::string_view text);
// Strict conversion with the decimal comma, for callers that must tell "no number" from 0.
bool TryTextToDouble(std::string_view text, double& value);
std::string IntToStr(long long value);
// General format, up to 15 significant digits, decimal comma.
std::string FloatToStr(double value);
std::string BoolToStr(bool value);
// The first text while the language setting is German (always).
std::string lngPick(const std::string& german, const std::string& other);

// printf-style formatting; the result is as long as it needs to be.
std::string FormatStr(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The text helpers count characters (UTF-8 code points), positions from 1.
std::string TrimRightStr(std::string_view text);
int CountChar(std::string_view text, char32_t c);
std::string PadLeft(std::string_view text, int length, char32_t fill);
std::string PadRight(std::string_view text, int length, char32_t fill);
std::string ReplaceChar(std::string_view text, char32_t from, char32_t to);
// "a|b|" split at '|' gives "a", "b" and "": every separator ends an item, the rest is the last.
void SplitToStrings(TStrings& list, std::string_view text, char32_t separator);
