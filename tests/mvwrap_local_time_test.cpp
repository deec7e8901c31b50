// The local times of many files, as the one conversion gives each: the
// remembered bias never gives what the system's conversion would not, and
// the conversion takes the zone's rules of today for every year.
#include <gtest/gtest.h>

#include <stdint.h>

#include "dos_time.h"
#include "local_time.h"

namespace {

using namespace mvwrap;

bool Leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The universal time at that date, in 100 ns steps since 1601, plus `extra`
// steps.
uint64_t At(int year, int month, int day, int hour, int minute, int second, int extra) {
    static const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    uint64_t days = static_cast<uint64_t>(day - 1);
    for (int y = 1601; y < year; ++y) days += Leap(y) ? 366 : 365;
    for (int m = 1; m < month; ++m) days += kMonthDays[m - 1] + (m == 2 && Leap(year) ? 1 : 0);
    const uint64_t seconds = ((days * 24 + hour) * 60 + minute) * 60 + second;
    return seconds * 10000000 + static_cast<uint64_t>(extra);
}

// Runs of times close together, as a setup's files are, about the changes
// of daylight-saving time in the zone the tests run in (set for them) and
// away from them, each with fractions of a millisecond: every one must come
// out as the conversion gives it alone.
TEST(LocalTimesTest, GivesWhatTheConversionGivesEachTime) {
    uint64_t winter = 0, summer = 0;
    ASSERT_TRUE(ToLocalTime(At(2021, 1, 15, 12, 0, 0, 0), winter));
    ASSERT_TRUE(ToLocalTime(At(2021, 7, 15, 12, 0, 0, 0), summer));
    ASSERT_NE(CalendarOf(winter).hour, CalendarOf(summer).hour)
        << "the zone has no daylight-saving time to test";
    const struct {
        uint64_t start;
        int count;
        int step;  // seconds
    } runs[] = {
        {At(2021, 3, 28, 0, 30, 0, 1234567), 200, 17},  // spring change, 01:00 UTC in Europe
        {At(2021, 10, 31, 0, 44, 59, 9999), 100, 1},    // autumn change
        {At(2021, 10, 31, 0, 59, 59, 5), 3, 1},         // about its very instant
        {At(1999, 6, 1, 8, 0, 0, 42), 300, 2},         {At(2030, 3, 31, 0, 0, 0, 0), 500, 9},
    };
    LocalTimes times;
    int checked = 0;
    for (const auto& run : runs) {
        uint64_t time = run.start;
        for (int i = 0; i < run.count; ++i, time += 10000000ull * run.step) {
            uint64_t alone = 0, memo = 0;
            ASSERT_TRUE(ToLocalTime(time, alone));
            ASSERT_TRUE(times.Convert(time, memo));
            const CalendarTime local = CalendarOf(alone);
            ASSERT_EQ(alone, memo) << local.year << "-" << local.month << "-" << local.day << " "
                                   << local.hour << ":" << local.minute << ":" << local.second
                                   << " came out " << int64_t(memo - alone) << " steps off";
            ++checked;
        }
    }
    EXPECT_EQ(checked, 1103);
}

// Germany had no summer time before 1980 and ended it in September until
// 1996, but Windows applies its one set of rules, today's, to every year:
// so do the native conversion and the DOS times of files of those years.
TEST(LocalTimesTest, TakesTodaysRulesForEveryYear) {
    const uint64_t january = At(2021, 1, 15, 12, 0, 0, 0), july = At(2021, 7, 15, 12, 0, 0, 0);
    uint64_t winter = 0, summer = 0;
    ASSERT_TRUE(ToLocalTime(january, winter));
    ASSERT_TRUE(ToLocalTime(july, summer));
    const struct {
        uint64_t time;
        bool summer;
    } cases[] = {
        {At(1975, 7, 1, 12, 0, 0, 0), true},
        {At(1985, 10, 15, 12, 0, 0, 0), true},
        {At(1985, 1, 15, 12, 0, 0, 0), false},
        {At(2035, 8, 1, 12, 0, 0, 0), true},
    };
    for (const auto& c : cases) {
        uint64_t local = 0;
        ASSERT_TRUE(ToLocalTime(c.time, local));
        EXPECT_EQ(local - c.time, c.summer ? summer - july : winter - january)
            << CalendarOf(c.time).year << "-" << CalendarOf(c.time).month;
    }
}

}  // namespace
