#include "foundation/ClockTime.h"

#include <cstdlib>

#include "platform/Utf8.h"

namespace {

bool IsDigit(char c, char highest = '9') { return c >= '0' && c <= highest; }
int Digit(char c) { return c - '0'; }

std::string TwoDigits(long long value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// "hh:mm" and the first five characters of "hh:mm:ss".
bool IsValidLongForm(const std::string& text) {
    if (!IsDigit(text[0], '2') || !IsDigit(text[1]) || text[2] != ':' || !IsDigit(text[3], '5') || !IsDigit(text[4]))
        return false;
    int hhmm = Digit(text[0]) * 1000 + Digit(text[1]) * 100 + Digit(text[3]) * 10 + Digit(text[4]);
    return hhmm <= 2400;
}

bool IsValidShortForm(const std::string& text) {
    return IsDigit(text[0]) && text[1] == ':' && IsDigit(text[2], '5') && IsDigit(text[3]);
}

}  // namespace

bool IsValidTime(const std::string& text) {
    size_t length = utf8::Length(text);
    if (length == 5 || length == 8) return IsValidLongForm(text);
    if (length == 4) return IsValidShortForm(text);
    return false;
}

int TimeToMinutes(const std::string& text) {
    if (!IsValidTime(text)) return 0;
    if (text[1] == ':') return Digit(text[0]) * 60 + Digit(text[2]) * 10 + Digit(text[3]);
    return (Digit(text[0]) * 10 + Digit(text[1])) * 60 + Digit(text[3]) * 10 + Digit(text[4]);
}

int NormalizeMinutes(int minutes) {
    int rest = minutes % kMinutesPerDay;
    return rest < 0 ? rest + kMinutesPerDay : rest;
}

std::string MinutesToTime(int minutes) {
    int m = NormalizeMinutes(minutes);
    return TwoDigits(m / 60) + ":" + TwoDigits(m % 60);
}

std::string MinutesToDuration(int minutes) {
    long long m = std::llabs(static_cast<long long>(minutes));
    return (minutes < 0 ? "-" : "") + TwoDigits(m / 60) + ":" + TwoDigits(m % 60);
}

int SplitDays(int& minutes) {
    if (minutes < kMinutesPerDay) return 0;
    int days = minutes / kMinutesPerDay;
    minutes %= kMinutesPerDay;
    return days;
}
