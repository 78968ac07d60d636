// Calendar services: civil dates and date-times as days since 30 December 1899
// 00:00, the time of day being the fraction (local clock unless said
// otherwise). Built on the proleptic Gregorian calendar of <chrono>.
#pragma once

#include <cstdint>

namespace korvanta {

struct CivilDateTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};

// Days from 30 December 1899 to the given civil date (negative before it).
std::int32_t DaysFromCivil(int year, int month, int day);

// The date-time value of a civil date and clock time. Hours, minutes and
// seconds outside their usual ranges carry into the neighbouring units, so
// (2000, 1, 1, 23, 60, 0) is 2 January 2000 00:00.
double DateTimeValue(int year, int month, int day, int hour, int minute, int second = 0);

// Splits a date-time value into its civil fields, rounded to the nearest
// whole second (so values built from whole seconds always come back exact).
CivilDateTime SplitDateTime(double value);

// Calendar-day difference later - earlier: the number of midnights between
// the two date-times; times of day do not count.
std::int32_t CalendarDaysBetween(double earlier, double later);

// Day of the year, 1 January = 1.
int DayOfYear(int year, int month, int day);

}  // namespace korvanta
