#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A local calendar date and time of day.
struct TDateTime {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;

    friend bool operator==(const TDateTime&, const TDateTime&) = default;
};

namespace datetime {

// Days since 1899-12-30 (the day count the stored formats use as day zero).
int64_t DaysFromDate(int year, int month, int day);
TDateTime DateFromDays(int64_t days);
int64_t ToMilliseconds(const TDateTime& t);    // since day zero
TDateTime FromMilliseconds(int64_t ms);
bool IsValidDate(int year, int month, int day);
int DayOfWeek(const TDateTime& t);  // 1 = Sunday .. 7 = Saturday

// The program's own date form "dd.mm.yyyy".
std::string FormatDate(const TDateTime& t);
// "dd.mm.yy hh:nn:ss", the time stamp of log lines.
std::string FormatLogStamp(const TDateTime& t);
// A German date "d.m.yyyy" or "d.m.yy" (two-digit years from 1950 on; never a three-digit
// year), optionally followed by a blank and a time "h:n" or "h:n:s". Leading and trailing blanks
// are allowed.
std::optional<TDateTime> ParseDate(std::string_view text);

}  // namespace datetime
