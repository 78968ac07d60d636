// SPDX-License-Identifier: GPL-3.0-or-later
// Retrograde station tables of Mercury, Venus, Mars, Jupiter and Saturn.
//
// Each planet's table lists its retrograde periods from 1900 to 2050 in
// ascending order, one row per period: the retrograde station (start) and the
// following direct station (end). A station is kept as the text
// "month,day,year,hour,minute," (no leading zeros, every number followed by a
// comma, "5,8,1912,4,3," is 8 May 1912 04:03 UT) so the rows read like an
// almanac; the texts are turned into numbers at compile time, never at run
// time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "astro/calendar.h"

namespace korvanta {

// One station: a civil date and clock time, universal time, whole minutes.
struct StationMoment {
    std::int16_t month = 0;   // 1..12
    std::int16_t day = 0;     // 1..31
    std::int16_t year = 0;    // four digits
    std::int16_t hour = 0;    // 0..23
    std::int16_t minute = 0;  // 0..59
};

// One retrograde period with the calendar day numbers of its two stations
// (days since 30 December 1899, the station's date only).
struct RetrogradePeriod {
    StationMoment retrograde;
    StationMoment direct;
    std::int32_t retrogradeDay = 0;
    std::int32_t directDay = 0;
};

// A planet's table: its name as the lookup spells it, the station texts as
// two parallel lists (row k is element k of both) and the parsed periods.
struct StationTable {
    std::string_view planetName;
    std::span<const std::string_view> retrogradeRows;
    std::span<const std::string_view> directRows;
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

// Reads one station text "month,day,year,hour,minute,": five unsigned decimal
// numbers without leading zeros, each followed by a comma, nothing else. The
// date must exist, the year have four digits, hour 0..23 and minute 0..59.
// Any other text gives no value.
constexpr std::optional<StationMoment> ParseStationRow(std::string_view text) {
    std::array<std::int32_t, 5> fields{};
    std::size_t pos = 0;
    for (std::int32_t& field : fields) {
        const std::size_t start = pos;
        std::int32_t value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            value = value * 10 + (text[pos] - '0');
            ++pos;
            if (pos - start > 4) {
                return std::nullopt;
            }
        }
        const std::size_t digits = pos - start;
        if (digits == 0 || (digits > 1 && text[start] == '0') || pos == text.size() ||
            text[pos] != ',') {
            return std::nullopt;
        }
        ++pos;
        field = value;
    }
    const auto [month, day, year, hour, minute] = fields;
    if (pos != text.size() || year < 1000 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour > 23 || minute > 59) {
        return std::nullopt;
    }
    return StationMoment{static_cast<std::int16_t>(month), static_cast<std::int16_t>(day),
                         static_cast<std::int16_t>(year), static_cast<std::int16_t>(hour),
                         static_cast<std::int16_t>(minute)};
}

// Minutes from 30 December 1899 00:00 to the station (same clock as the row).
constexpr std::int64_t StationMinuteNumber(const StationMoment& station) {
    return std::int64_t{DaysFromCivil(station.year, station.month, station.day)} * 1440 +
           station.hour * 60 + station.minute;
}

// Parses a whole table at compile time. A malformed row, lists of unequal
// length, a row whose retrograde station is not earlier than its direct
// station, or a row that does not start after the previous one ended on an
// earlier calendar day stops the compilation; so every table in the program
// is ordered and free of overlaps, which the date lookup relies on.
template <std::size_t N>
consteval std::array<RetrogradePeriod, N> ParseStationTable(
    const std::array<std::string_view, N>& retrogradeRows,
    const std::array<std::string_view, N>& directRows) {
    std::array<RetrogradePeriod, N> periods{};
    for (std::size_t k = 0; k < N; ++k) {
        RetrogradePeriod& period = periods[k];
        // value() throws on a malformed row, which is a compile error here.
        period.retrograde = ParseStationRow(retrogradeRows[k]).value();
        period.direct = ParseStationRow(directRows[k]).value();
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
