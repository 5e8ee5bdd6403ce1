#pragma once
#include <string>

// Clock texts "hh:mm" and whole minutes since midnight. Days are counted by the callers, so
// every result here stays within one day except MinutesToDuration.

constexpr int kMinutesPerDay = 1440;

// "hh:mm" up to "24:00", "h:mm", or "hh:mm:ss" (the seconds are not looked at).
bool IsValidTime(const std::string& text);
// Minutes since midnight of a valid clock text; 0 for anything else. "24:00" gives 1440.
int TimeToMinutes(const std::string& text);
// "hh:mm" of the minute value brought into one day; negative values count back from midnight.
std::string MinutesToTime(int minutes);
// "hh:mm" whose hours run on past 24 (three digits from 100 hours); a negative value gets a
// leading '-'.
std::string MinutesToDuration(int minutes);
// Takes the whole days off a value of 1440 or more and returns their number; a value below
// 1440, negative ones included, stays as it is with 0 days.
int SplitDays(int& minutes);
// The value brought into 0 .. 1439.
int NormalizeMinutes(int minutes);
