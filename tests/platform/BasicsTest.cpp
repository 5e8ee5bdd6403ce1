#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Clock.h"
#include "platform/DateTime.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/UiHost.h"

TEST(DateTime, DayNumbersAndFormats) {
    EXPECT_EQ(datetime::DaysFromDate(1899, 12, 30), 0);
    EXPECT_EQ(datetime::DaysFromDate(1900, 3, 1), 61);
    TDateTime t = datetime::DateFromDays(46362);
    EXPECT_EQ(datetime::FormatDate(t), "06.12.2026");
    EXPECT_EQ(datetime::DayOfWeek(t), 1) << "a Sunday";
    TDateTime late = datetime::FromMilliseconds(datetime::ToMilliseconds(t) + 86399999);
    EXPECT_EQ(datetime::FormatLogStamp(late), "06.12.26 23:59:59");
}

TEST(DateTime, ParsesGermanDatesOnly) {
    auto d = datetime::ParseDate("6.12.2026");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Day, 6);
    EXPECT_EQ(datetime::ParseDate("01.02.99")->Year, 1999);
    EXPECT_EQ(datetime::ParseDate("01.02.26")->Year, 2026);
    EXPECT_EQ(datetime::ParseDate("29.02.2024 13:45")->Minute, 45);
    EXPECT_FALSE(datetime::ParseDate("29.02.2025"));
    EXPECT_FALSE(datetime::ParseDate("2026-12-06"));
    EXPECT_FALSE(datetime::ParseDate(""));
    EXPECT_FALSE(datetime::ParseDate("1.2.2026x"));
    EXPECT_FALSE(datetime::ParseDate("10"));
    // A year typed short by a digit is no year: "01.02.0202" is written out when it is meant.
    EXPECT_FALSE(datetime::ParseDate("1.2.202"));
    EXPECT_FALSE(datetime::ParseDate("1.2.202 10:00"));
    EXPECT_EQ(datetime::ParseDate("01.02.0202")->Year, 202);
    EXPECT_EQ(datetime::ParseDate("1.2.5")->Year, 2005);
}

TEST(Clock, ManualClockAdvancesTimeAndTicks) {
    TDateTime start;
    start.Year = 2026;
    start.Month = 12;
    start.Day = 31;
    start.Hour = 23;
    start.Minute = 59;
    ManualClock clock(start);
    SetClock(&clock);
    clock.Advance(60 * 1000);
    EXPECT_EQ(Now().Year, 2027);
    EXPECT_EQ(Now().Hour, 0);
    EXPECT_EQ(GetTickCount(), 60000);
    SetClock(nullptr);
    EXPECT_NE(&GetClock(), &clock);
}

TEST(Random, SeededSequenceRepeatsAndStaysInRange) {
    prng::Seed(99);
    std::vector<int> first;
    for (int i = 0; i < 100; ++i) first.push_back(prng::Rand());
    prng::Seed(99);
    for (int i = 0; i < 100; ++i) {
        int v = prng::Rand();
        EXPECT_EQ(v, first[static_cast<size_t>(i)]);
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 32767);
    }
    for (int i = 0; i < 1000; ++i) {
        int v = prng::Random(7);
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 7);
    }
    EXPECT_EQ(prng::Random(0), 0);
}

TEST(Random, OwnGeneratorLeavesTheSharedSequenceAlone) {
    prng::Seed(5);
    int expected = prng::Rand();
    prng::Seed(5);
    prng::Generator own(1);
    own.Next();
    EXPECT_EQ(prng::Rand(), expected);
}

TEST(ProgramFolder, EnvironmentOverridesAndEndsInSeparator) {
    setenv("MAROVELKA_HOME", "/tmp/mh", 1);
    EXPECT_EQ(ProgramFolder(), "/tmp/mh/");
    EXPECT_EQ(ProgramFile("error.log"), "/tmp/mh/error.log");
    unsetenv("MAROVELKA_HOME");
    EXPECT_EQ(ProgramFolder().back(), '/');
}

TEST(UiHost, ScriptedHostAnswersFromItsQueueAndRefusesToGuess) {
    ScriptedUiHost host;
    EXPECT_EQ(host.MessageBox(TMsgKind::Information, "Info", TMsgButtons::Ok), mrOk);
    host.QueueAnswer(mrYes);
    EXPECT_EQ(host.MessageBox(TMsgKind::Confirmation, "Frage 1", TMsgButtons::YesNo), mrYes);
    EXPECT_THROW(host.MessageBox(TMsgKind::Confirmation, "Frage 2", TMsgButtons::YesNo), UnscriptedQuestion);
    ASSERT_EQ(host.unscripted.size(), 1u);
    EXPECT_EQ(host.unscripted[0], "Frage 2");
    EXPECT_EQ(host.boxes.size(), 3u);
}

TEST(UiHost, DetachedHostRefusesQuestions) {
    SetUiHost(nullptr);
    EXPECT_EQ(Ui().MessageBox(TMsgKind::Warning, "x", TMsgButtons::Ok), mrOk);
    EXPECT_THROW(Ui().MessageBox(TMsgKind::Confirmation, "x", TMsgButtons::YesNo), UnscriptedQuestion);
}
