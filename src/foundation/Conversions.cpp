#include "foundation/Conversions.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "foundation/Logs.h"
#include "platform/Strings.h"
#include "platform/Utf8.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Encode(char32_t c) {
    std::string out;
    utf8::Append(out, c);
    return out;
}

// Whole numbers of up to 15 digits, what the tables mostly hold, are exact as doubles: the value
// strtod gives, without its cost.
bool TryWholeNumber(std::string_view s, double& value) {
    const bool signed_ = !s.empty() && (s[0] == '-' || s[0] == '+');
    const std::string_view digits = s.substr(signed_ ? 1 : 0);
    if (digits.empty() || digits.size() > 15 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    long long whole = 0;
    for (char c : digits) whole = whole * 10 + (c - '0');
    value = s[0] == '-' ? -static_cast<double>(whole) : static_cast<double>(whole);
    return true;
}

}  // namespace

int ToInt(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    int base = 10;
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) return 0;
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        int digit = HexDigit(text[pos]);
        if (digit < 0 || digit >= base) return 0;
        value = value * base + digit;
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return 0;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return 0;
    return static_cast<int>(value);
}

bool TryTextToDouble(std::string_view text, double& value) {
    size_t begin = 0, end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    std::string_view s = text.substr(begin, end - begin);
    if (TryWholeNumber(s, value)) return true;
    // Validate the grammar: sign? digits [',' digits] [('e'|'E') sign? digits]
    size_t pos = 0;
    std::string plain;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) plain += s[pos++];
    size_t digits = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') plain += s[pos++], ++digits;
    if (pos < s.size() && s[pos] == ',') {
        plain += '.';
        ++pos;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') plain += s[pos++], ++digits;
    }
    if (digits == 0) return false;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        plain += 'e';
        ++pos;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) plain += s[pos++];
        size_t expDigits = 0;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') plain += s[pos++], ++expDigits;
        if (expDigits == 0) return false;
    }
    if (pos != s.size()) return false;
    // strtod reads '.' in the "C" locale, which the program never changes.
    char* stop = nullptr;
    double result = std::strtod(plain.c_str(), &stop);
    if (!std::isfinite(result)) return false;
    value = result;
    return true;
}

double ToDouble(std::string_view text) {
    if (text.empty() || text == " ") return 0.0;
    double value = 0.0;
    if (TryTextToDouble(text, value)) return value;
    ErrorLog("ToDouble(): Kann [" + std::string(text) + "] nicht in Double umwandeln");
    return 0.0;
}

std::string IntToStr(long long value) { return std::to_string(value); }

std::string FloatToStr(double value) {
    // Whole numbers, what the standings hold, print as the integer: the same text, without printf.
    if (value == std::trunc(value) && std::fabs(value) < 1e15 && !(value == 0 && std::signbit(value)))
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string s = buffer;
    // Exponent as "E5" / "E-5", without '+' and leading zeros.
    if (auto e = s.find('E'); e != std::string::npos) {
        std::string mantissa = s.substr(0, e);
        std::string exponent = s.substr(e + 1);
        bool negative = !exponent.empty() && exponent[0] == '-';
        size_t first = exponent.find_first_not_of("+-0");
        s = mantissa + "E" + (negative ? "-" : "") + (first == std::string::npos ? "0" : exponent.substr(first));
    }
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::string BoolToStr(bool value) { return value ? "true" : "false"; }

std::string lngPick(const std::string& german, const std::string&) { return german; }

std::string FormatStr(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (length > 0) {
        out.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return out;
}

std::string TrimRightStr(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) < 33) --end;
    return std::string(text.substr(0, end));
}

int CountChar(std::string_view text, char32_t c) {
    int count = 0;
    for (size_t pos = 0; pos < text.size();)
        if (utf8::Next(text, pos) == c) ++count;
    return count;
}

std::string PadLeft(std::string_view text, int length, char32_t fill) {
    if (length < 0) length = 0;
    long have = static_cast<long>(utf8::Length(text));
    if (have >= length) return utf8::Cut(text, length);
    std::string out;
    std::string f = Encode(fill);
    for (long i = have; i < length; ++i) out += f;
    return out + std::string(text);
}

std::string PadRight(std::string_view text, int length, char32_t fill) {
    if (length < 0) length = 0;
    long have = static_cast<long>(utf8::Length(text));
    if (have >= length) return utf8::Cut(text, length);
    std::string out(text);
    std::string f = Encode(fill);
    for (long i = have; i < length; ++i) out += f;
    return out;
}

std::string ReplaceChar(std::string_view text, char32_t from, char32_t to) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        char32_t c = utf8::Next(text, pos);
        if (c == from)
            utf8::Append(out, to);
        else
            out.append(text.substr(start, pos - start));
    }
    return out;
}

void SplitToStrings(TStrings& list, std::string_view text, char32_t separator) {
    list.Clear();
    size_t itemStart = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        if (utf8::Next(text, pos) == separator) {
            list.Add(std::string(text.substr(itemStart, start - itemStart)));
            itemStart = pos;
        }
    }
    list.Add(std::string(text.substr(itemStart)));
}
