// SPDX-License-Identifier: GPL-3.0-or-later
// Calendar services: civil dates and date-times as days since 30 December 1899
// 00:00, the time of day being the fraction (local clock unless said
// otherwise). Built on the proleptic Gregorian calendar of <chrono>.
#pragma once

#include <cstdint>

namespace korvanta {

inline constexpr std::int64_t kSecondsPerDay = 86400;

// Division that rounds towards minus infinity, for counts of seconds, minutes,
// days and months on either side of their epoch. Given: b != 0.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

struct CivilDateTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};

// Days from 30 December 1899 to the given proleptic Gregorian date (negative
// before it), by Hinnant's days-from-civil algorithm. Months outside 1..12 carry into the year and
// days outside the month carry into the neighbouring months, so every input has a value.
constexpr std::int32_t DaysFromCivil(std::int32_t year, std::int32_t month, std::int32_t day) {
    // Fold the month into 1..12 (floor division), carrying whole years.
    const std::int32_t monthIndex0 = month - 1;
    const auto yearCarry = static_cast<std::int32_t>(FloorDiv(monthIndex0, 12));
    year += yearCarry;
    month = monthIndex0 - 12 * yearCarry + 1;
    // Count from 1 March of year 0, so the leap day ends each counted year.
    if (month <= 2) {
        --year;
    }
    const auto era = static_cast<std::int32_t>(FloorDiv(year, 400));
    const std::int32_t yearOfEra = year - era * 400;
    const std::int32_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // 1 March of year 0 lies 693 899 days before 30 December 1899.
    constexpr std::int32_t kMarch0000To18991230 = 693899;
    return era * 146097 + dayOfEra - kMarch0000To18991230;
}

// The date-time value of a civil date and clock time. Hours, minutes and
// seconds outside their usual ranges carry into the neighbouring units, so
// (2000, 1, 1, 23, 60, 0) is 2 January 2000 00:00.
double DateTimeValue(int year, int month, int day, int hour, int minute, int second = 0);

// The date-time value of a count of whole seconds since 30 December 1899
// 00:00 (of either clock): the days, and the second of the day as the fraction.
double DateTimeOfSeconds(std::int64_t seconds);

// The civil fields of a count of whole seconds since 30 December 1899 00:00.
CivilDateTime CivilOfSeconds(std::int64_t seconds);

// Splits a date-time value into its civil fields, rounded to the nearest
// whole second (so values built from whole seconds always come back exact).
CivilDateTime SplitDateTime(double value);

// Calendar-day difference later - earlier: the number of midnights between
// the two date-times; times of day do not count.
std::int32_t CalendarDaysBetween(double earlier, double later);

// Day of the year, 1 January = 1.
int DayOfYear(int year, int month, int day);

}  // namespace korvanta
