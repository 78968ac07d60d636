// SPDX-License-Identifier: GPL-3.0-or-later
// Retrograde station tables of Mercury, Venus, Mars, Jupiter and Saturn.
//
// Each planet's table lists its retrograde periods from 1900 to 2050 in
// ascending order, one row per period: the retrograde station (start) and the
// following direct station (end), each as the numbers of its UT date and
// clock time, {1912, 5, 8, 4, 3} for 8 May 1912 04:03 UT. The day numbers the
// lookup compares are worked out, and every row checked, at compile time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "calendar/calendar.h"

namespace korvanta {

// One station: a civil date and clock time, universal time, whole minutes.
struct StationMoment {
    std::int16_t year = 0;    // four digits
    std::int16_t month = 0;   // 1..12
    std::int16_t day = 0;     // 1..31
    std::int16_t hour = 0;    // 0..23
    std::int16_t minute = 0;  // 0..59
};

// One row of a table as written: the two stations of a period.
struct StationRow {
    StationMoment retrograde;
    StationMoment direct;
};

// One retrograde period with the calendar day numbers of its two stations
// (days since 30 December 1899, the station's date only).
struct RetrogradePeriod {
    StationMoment retrograde;
    StationMoment direct;
    std::int32_t retrogradeDay = 0;
    std::int32_t directDay = 0;
};

// A planet's table: its name as the lookup spells it and its periods.
struct StationTable {
    std::string_view planetName;
    std::span<const RetrogradePeriod> periods;
};

// The five tables in the order Mercury, Venus, Mars, Jupiter, Saturn.
const std::array<StationTable, 5>& StationTables();

// Number of days in the given month of the proleptic Gregorian calendar
// (month 1..12; 0 for any other month).
constexpr int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kLengths[static_cast<std::size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
}

// Whether a station names a real moment: a four-digit year, a date that
// exists, hour 0..23 and minute 0..59.
constexpr bool IsStationMoment(const StationMoment& station) {
    return station.year >= 1000 && station.year <= 9999 && station.month >= 1 &&
           station.month <= 12 && station.day >= 1 &&
           station.day <= DaysInMonth(station.year, station.month) && station.hour >= 0 &&
           station.hour <= 23 && station.minute >= 0 && station.minute <= 59;
}

// Minutes from 30 December 1899 00:00 to the station (same clock as the row).
constexpr std::int64_t StationMinuteNumber(const StationMoment& station) {
    return std::int64_t{DaysFromCivil(station.year, station.month, station.day)} * 1440 +
           station.hour * 60 + station.minute;
}

// The periods of a table, worked out at compile time. A station that is no
// real moment, a row whose retrograde station is not earlier than its direct
// station, or a row that does not start after the previous one ended on an
// earlier calendar day stops the compilation; so every table in the program
// is ordered and free of overlaps, which the date lookup relies on.
template <std::size_t N>
consteval std::array<RetrogradePeriod, N> StationPeriods(const std::array<StationRow, N>& rows) {
    std::array<RetrogradePeriod, N> periods{};
    for (std::size_t k = 0; k < N; ++k) {
        RetrogradePeriod& period = periods[k];
        period.retrograde = rows[k].retrograde;
        period.direct = rows[k].direct;
        if (!IsStationMoment(period.retrograde) || !IsStationMoment(period.direct)) {
            throw "a station that is no real date and time";
        }
        period.retrogradeDay =
            DaysFromCivil(period.retrograde.year, period.retrograde.month, period.retrograde.day);
        period.directDay =
            DaysFromCivil(period.direct.year, period.direct.month, period.direct.day);
        if (StationMinuteNumber(period.retrograde) >= StationMinuteNumber(period.direct)) {
            throw "retrograde station not before its direct station";
        }
        if (k > 0 && periods[k - 1].directDay >= period.retrogradeDay) {
            throw "period does not start on a later day than the previous one ends";
        }
    }
    return periods;
}

}  // namespace korvanta
