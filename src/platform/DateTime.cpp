#include "platform/DateTime.h"

#include <cstdio>

namespace datetime {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

const int64_t kDayZero = DaysFromCivil(1899, 12, 30);
constexpr int64_t kMsPerDay = 86400000;

bool ReadNumber(std::string_view s, size_t& pos, int& out, int maxDigits) {
    size_t start = pos;
    int value = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && static_cast<int>(pos - start) < maxDigits) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    if (pos == start) return false;
    out = value;
    return true;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int limit = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= limit;
}

int64_t DaysFromDate(int year, int month, int day) {
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kDayZero;
}

TDateTime DateFromDays(int64_t days) {
    int64_t z = days + kDayZero + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    TDateTime t;
    t.Year = static_cast<int>(y + (m <= 2));
    t.Month = static_cast<int>(m);
    t.Day = static_cast<int>(d);
    return t;
}

int64_t ToMilliseconds(const TDateTime& t) {
    return DaysFromDate(t.Year, t.Month, t.Day) * kMsPerDay +
           ((static_cast<int64_t>(t.Hour) * 60 + t.Minute) * 60 + t.Second) * 1000 + t.Millisecond;
}

TDateTime FromMilliseconds(int64_t ms) {
    int64_t days = ms / kMsPerDay;
    int64_t rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    TDateTime t = DateFromDays(days);
    t.Hour = static_cast<int>(rest / 3600000);
    t.Minute = static_cast<int>(rest / 60000 % 60);
    t.Second = static_cast<int>(rest / 1000 % 60);
    t.Millisecond = static_cast<int>(rest % 1000);
    return t;
}

int DayOfWeek(const TDateTime& t) {
    // Day zero (30.12.1899) was a Saturday.
    int64_t days = DaysFromDate(t.Year, t.Month, t.Day);
    int64_t w = (days + 6) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

std::string FormatDate(const TDateTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", t.Day, t.Month, t.Year);
    return buffer;
}

std::string FormatLogStamp(const TDateTime& t) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%02d %02d:%02d:%02d", t.Day, t.Month, t.Year % 100, t.Hour,
                  t.Minute, t.Second);
    return buffer;
}

std::optional<TDateTime> ParseDate(std::string_view s) {
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < s.size() && s[pos] == ' ') ++pos;
    };
    skipBlanks();
    int day = 0, month = 0, year = 0;
    if (!ReadNumber(s, pos, day, 2) || pos >= s.size() || s[pos] != '.') return std::nullopt;
    ++pos;
    if (!ReadNumber(s, pos, month, 2) || pos >= s.size() || s[pos] != '.') return std::nullopt;
    ++pos;
    size_t yearStart = pos;
    if (!ReadNumber(s, pos, year, 4)) return std::nullopt;
    // "1.2.202" is a year typed short by a digit, not the year 202.
    if (pos - yearStart == 3) return std::nullopt;
    if (pos - yearStart <= 2) year += year < 50 ? 2000 : 1900;
    if (!IsValidDate(year, month, day)) return std::nullopt;
    TDateTime t;
    t.Year = year;
    t.Month = month;
    t.Day = day;
    skipBlanks();
    if (pos < s.size()) {
        int h = 0, n = 0, sec = 0;
        if (!ReadNumber(s, pos, h, 2) || pos >= s.size() || s[pos] != ':') return std::nullopt;
        ++pos;
        if (!ReadNumber(s, pos, n, 2)) return std::nullopt;
        if (pos < s.size() && s[pos] == ':') {
            ++pos;
            if (!ReadNumber(s, pos, sec, 2)) return std::nullopt;
        }
        if (h > 23 || n > 59 || sec > 59) return std::nullopt;
        t.Hour = h;
        t.Minute = n;
        t.Second = sec;
        skipBlanks();
        if (pos != s.size()) return std::nullopt;
    }
    return t;
}

}  // namespace datetime
