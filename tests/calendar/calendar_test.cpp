// SPDX-License-Identifier: GPL-3.0-or-later
// Date-time values as days since 30 December 1899.
#include "calendar/calendar.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

TEST(Calendar, EpochAndKnownSerials) {
    EXPECT_EQ(DaysFromCivil(1899, 12, 30), 0);
    EXPECT_EQ(DaysFromCivil(1900, 1, 1), 2);
    EXPECT_EQ(DaysFromCivil(2000, 1, 1), 36526);  // the familiar spreadsheet serial
    EXPECT_EQ(DaysFromCivil(2000, 3, 1) - DaysFromCivil(2000, 2, 28), 2);
    EXPECT_EQ(DaysFromCivil(1900, 3, 1) - DaysFromCivil(1900, 2, 28), 1);  // 1900 not leap
}

TEST(Calendar, OverflowingFieldsCarry) {
    EXPECT_EQ(DateTimeValue(2000, 1, 1, 23, 60), DateTimeValue(2000, 1, 2, 0, 0));
    EXPECT_EQ(DateTimeValue(2000, 12, 31, 24, 0), DateTimeValue(2001, 1, 1, 0, 0));
    EXPECT_EQ(DateTimeValue(2000, 3, 1, -1, 0), DateTimeValue(2000, 2, 29, 23, 0));
    EXPECT_EQ(DaysFromCivil(2000, 13, 1), DaysFromCivil(2001, 1, 1));
    EXPECT_EQ(DaysFromCivil(2000, 0, 1), DaysFromCivil(1999, 12, 1));
}

TEST(Calendar, SplitRoundTripsEverySecondOfADay) {
    for (int s = 0; s < 86400; s += 7) {
        const double v = DateTimeValue(1987, 7, 14, 0, 0, s);
        const CivilDateTime c = SplitDateTime(v);
        ASSERT_EQ(c.year, 1987);
        ASSERT_EQ(c.month, 7);
        ASSERT_EQ(c.day, 14);
        ASSERT_EQ(c.hour * 3600 + c.minute * 60 + c.second, s);
    }
    const CivilDateTime before = SplitDateTime(-0.25);
    EXPECT_EQ(before.year, 1899);
    EXPECT_EQ(before.day, 29);
    EXPECT_EQ(before.hour, 18);
}

TEST(Calendar, CalendarDaysIgnoreTheTimeOfDay) {
    EXPECT_EQ(
        CalendarDaysBetween(DateTimeValue(1900, 7, 18, 23, 59), DateTimeValue(1900, 7, 19, 0, 1)),
        1);
    EXPECT_EQ(
        CalendarDaysBetween(DateTimeValue(1900, 7, 18, 0, 0), DateTimeValue(1900, 7, 18, 23, 59)),
        0);
    EXPECT_EQ(
        CalendarDaysBetween(DateTimeValue(1905, 1, 1, 0, 0), DateTimeValue(1904, 12, 22, 9, 42)),
        -10);
    EXPECT_EQ(DayOfYear(2001, 1, 1), 1);
    EXPECT_EQ(DayOfYear(2000, 12, 31), 366);
}

}  // namespace
}  // namespace korvanta
