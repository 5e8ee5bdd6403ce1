#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "foundation/ClockTime.h"

namespace {

// The day-wrapping as the plan always did it, one day at a time; the fast versions must agree.
int NormalizeStepByStep(int m) {
    while (m < 0) m += kMinutesPerDay;
    while (m >= kMinutesPerDay) m -= kMinutesPerDay;
    return m;
}

const std::vector<int> kAwkwardMinutes = {
    INT_MIN, INT_MIN + 1, -1440 * 1000 - 1, -2881, -2880, -1441, -1440, -1439, -1, 0, 1, 1439, 1440, 1441,
    2879,    2880,        1440 * 1000 + 7,  INT_MAX - 1, INT_MAX};

}  // namespace

TEST(ClockTimeTest, AcceptsTheThreeClockForms) {
    EXPECT_TRUE(IsValidTime("07:30"));
    EXPECT_TRUE(IsValidTime("7:30"));
    EXPECT_TRUE(IsValidTime("07:30:59"));
    EXPECT_TRUE(IsValidTime("07:30xyz")) << "the seconds part is not looked at";
    EXPECT_TRUE(IsValidTime("00:00"));
    EXPECT_TRUE(IsValidTime("24:00"));
    EXPECT_TRUE(IsValidTime("23:59"));
}

TEST(ClockTimeTest, RejectsEverythingElse) {
    for (const char* text : {"", "-", "24:01", "25:00", "29:00", "30:00", "07:60", "7:60", "7.05", "07.05", "0730",
                             "07:3", "007:30", "7:30:0", "a7:30", "07:3a", "ä:30", "07:30:5"})
        EXPECT_FALSE(IsValidTime(text)) << text;
}

TEST(ClockTimeTest, ClockTextToMinutes) {
    EXPECT_EQ(TimeToMinutes("7:05"), 425);
    EXPECT_EQ(TimeToMinutes("07:05"), 425);
    EXPECT_EQ(TimeToMinutes("07:05:59"), 425);
    EXPECT_EQ(TimeToMinutes("00:00"), 0);
    EXPECT_EQ(TimeToMinutes("23:59"), 1439);
    EXPECT_EQ(TimeToMinutes("24:00"), 1440);
    EXPECT_EQ(TimeToMinutes("9:59"), 599);
    EXPECT_EQ(TimeToMinutes("7.05"), 0);
    EXPECT_EQ(TimeToMinutes("25:00"), 0);
    EXPECT_EQ(TimeToMinutes(""), 0);
}

TEST(ClockTimeTest, MinutesToTimeWrapsAcrossMidnightBothWays) {
    EXPECT_EQ(MinutesToTime(0), "00:00");
    EXPECT_EQ(MinutesToTime(5), "00:05");
    EXPECT_EQ(MinutesToTime(1439), "23:59");
    EXPECT_EQ(MinutesToTime(1440), "00:00");
    EXPECT_EQ(MinutesToTime(1505), "01:05");
    EXPECT_EQ(MinutesToTime(-30), "23:30");
    EXPECT_EQ(MinutesToTime(-1440), "00:00");
    EXPECT_EQ(MinutesToTime(-1500), "23:00");
    EXPECT_EQ(MinutesToTime(3 * 1440 + 600), "10:00");
}

TEST(ClockTimeTest, ClockTextSurvivesTheRoundTrip) {
    for (int m = 0; m < kMinutesPerDay; ++m) EXPECT_EQ(TimeToMinutes(MinutesToTime(m)), m);
}

TEST(ClockTimeTest, WrappingAgreesWithDayByDayStepsForEveryKindOfInt) {
    for (int m : kAwkwardMinutes) {
        int expected = NormalizeStepByStep(m);
        EXPECT_EQ(NormalizeMinutes(m), expected) << m;
        EXPECT_EQ(MinutesToTime(m), MinutesToTime(expected)) << m;
    }
    for (int m = -5000; m <= 5000; ++m) ASSERT_EQ(NormalizeMinutes(m), NormalizeStepByStep(m)) << m;
}

TEST(ClockTimeTest, DurationHoursDoNotWrap) {
    EXPECT_EQ(MinutesToDuration(0), "00:00");
    EXPECT_EQ(MinutesToDuration(59), "00:59");
    EXPECT_EQ(MinutesToDuration(60), "01:00");
    EXPECT_EQ(MinutesToDuration(1500), "25:00");
    EXPECT_EQ(MinutesToDuration(99 * 60 + 59), "99:59");
    EXPECT_EQ(MinutesToDuration(100 * 60), "100:00");
    EXPECT_EQ(MinutesToDuration(-90), "-01:30");
    EXPECT_EQ(MinutesToDuration(INT_MIN), "-35791394:08");
}

TEST(ClockTimeTest, SplitDaysCarriesWholeDaysOnly) {
    int m = 3000;
    EXPECT_EQ(SplitDays(m), 2);
    EXPECT_EQ(m, 120);
    m = 1440;
    EXPECT_EQ(SplitDays(m), 1);
    EXPECT_EQ(m, 0);
    m = 1439;
    EXPECT_EQ(SplitDays(m), 0);
    EXPECT_EQ(m, 1439);
    m = -30;
    EXPECT_EQ(SplitDays(m), 0);
    EXPECT_EQ(m, -30) << "a negative value stays unchanged";
    m = INT_MAX;
    int days = SplitDays(m);
    EXPECT_EQ(static_cast<long long>(days) * kMinutesPerDay + m, INT_MAX);
    EXPECT_LT(m, kMinutesPerDay);
}
