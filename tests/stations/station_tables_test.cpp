// SPDX-License-Identifier: GPL-3.0-or-later
// The station tables themselves: the moments of the rows, the counts, the
// order of the rows, the lengths of and gaps between periods, and their agreement with
// almanac values for the first and last periods.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "astro/stations.h"

namespace korvanta {
namespace {

const StationTable& TableOf(std::string_view planet) {
    for (const StationTable& table : StationTables()) {
        if (table.planetName == planet) {
            return table;
        }
    }
    ADD_FAILURE() << "no table for " << planet;
    return StationTables()[0];
}

std::string TextOf(const StationMoment& m) {
    return std::to_string(m.year) + "-" + std::to_string(m.month) + "-" + std::to_string(m.day) +
           " " + std::to_string(m.hour) + ":" + std::to_string(m.minute);
}

// Whole elapsed days between two stations (floor of the time difference).
std::int64_t ElapsedDays(const StationMoment& from, const StationMoment& to) {
    const std::int64_t minutes = StationMinuteNumber(to) - StationMinuteNumber(from);
    return minutes >= 0 ? minutes / 1440 : -((1439 - minutes) / 1440);
}

TEST(DaysFromCivil, MatchesKnownDayCounts) {
    // Day counts from 30 December 1899 as used by date-time values
    // (exact; checked with Python's datetime.date subtraction).
    EXPECT_EQ(DaysFromCivil(1899, 12, 30), 0);
    EXPECT_EQ(DaysFromCivil(1899, 12, 1), -29);
    EXPECT_EQ(DaysFromCivil(1900, 1, 1), 2);
    EXPECT_EQ(DaysFromCivil(1900, 3, 1), 61);  // 1900 is not a leap year
    EXPECT_EQ(DaysFromCivil(2000, 1, 1), 36526);
    EXPECT_EQ(DaysFromCivil(2000, 3, 1), 36586);  // 2000 is
    EXPECT_EQ(DaysFromCivil(2051, 6, 1), 55305);
    // Months and days outside their ranges carry over.
    EXPECT_EQ(DaysFromCivil(1999, 13, 1), DaysFromCivil(2000, 1, 1));
    EXPECT_EQ(DaysFromCivil(2000, 0, 31), DaysFromCivil(1999, 12, 31));
    EXPECT_EQ(DaysFromCivil(2000, 2, 30), DaysFromCivil(2000, 3, 1));
}

TEST(StationMoments, RealDatesAndTimesOnly) {
    EXPECT_TRUE(IsStationMoment({1912, 5, 8, 4, 3}));
    EXPECT_TRUE(IsStationMoment({2050, 12, 31, 23, 59}));
    EXPECT_TRUE(IsStationMoment({2000, 2, 29, 0, 0}));
    const StationMoment bad[] = {{912, 5, 8, 4, 3},   {1912, 13, 1, 4, 3}, {1912, 0, 1, 4, 3},
                                 {1900, 2, 29, 4, 3}, {1912, 4, 31, 4, 3}, {1912, 5, 0, 4, 3},
                                 {1912, 5, 8, 24, 3}, {1912, 5, 8, 4, 60}, {1912, 5, 8, -4, 3}};
    for (const StationMoment& moment : bad) {
        EXPECT_FALSE(IsStationMoment(moment)) << TextOf(moment);
    }
}

// Row counts, first and last rows as published for these tables (station
// times of a less precise ephemeris), and the ranges of period lengths and of
// intervals between period starts, in whole elapsed days.
struct TableExpectation {
    std::string_view planet;
    std::size_t rows;
    StationMoment firstRetrograde, firstDirect, lastRetrograde, lastDirect;
    std::int64_t minLength, maxLength, minInterval, maxInterval;
};

constexpr TableExpectation kExpected[] = {
    {"Mercury",
     476,
     {1900, 3, 15, 13, 19},
     {1900, 4, 7, 18, 42},
     {2050, 12, 1, 17, 17},
     {2050, 12, 21, 11, 33},
     19,
     24,
     107,
     125},
    {"Venus",
     95,
     {1900, 6, 16, 22, 56},
     {1900, 7, 30, 2, 44},
     {2050, 9, 25, 22, 15},
     {2050, 11, 6, 19, 4},
     40,
     43,
     579,
     587},
    {"Mars",
     71,
     {1901, 1, 13, 6, 16},
     {1901, 4, 4, 7, 21},
     {2050, 7, 15, 5, 50},
     {2050, 9, 13, 9, 41},
     59,
     81,
     764,
     810},
    {"Jupiter",
     139,
     {1900, 3, 27, 20, 39},
     {1900, 7, 29, 1, 35},
     {2050, 12, 21, 13, 21},
     {2051, 4, 21, 23, 46},
     116,
     124,
     394,
     403},
    {"Saturn",
     146,
     {1900, 4, 14, 6, 2},
     {1900, 9, 2, 14, 39},
     {2050, 5, 18, 13, 6},
     {2050, 10, 6, 11, 5},
     133,
     141,
     376,
     379},
};

TEST(StationTables, HoldTheFivePlanetsInOrder) {
    const auto& tables = StationTables();
    ASSERT_EQ(tables.size(), 5u);
    for (std::size_t k = 0; k < tables.size(); ++k) {
        EXPECT_EQ(tables[k].planetName, kExpected[k].planet);
    }
}

TEST(StationTables, HaveTheExpectedRowCounts) {
    std::size_t total = 0;
    for (const TableExpectation& expected : kExpected) {
        const StationTable& table = TableOf(expected.planet);
        EXPECT_EQ(table.periods.size(), expected.rows) << expected.planet;
        total += table.periods.size();
    }
    EXPECT_EQ(total, 927u);
}

TEST(StationTables, DayNumbersAreTheStationsDates) {
    for (const StationTable& table : StationTables()) {
        for (std::size_t k = 0; k < table.periods.size(); ++k) {
            const RetrogradePeriod& period = table.periods[k];
            EXPECT_TRUE(IsStationMoment(period.retrograde)) << table.planetName << " row " << k;
            EXPECT_TRUE(IsStationMoment(period.direct)) << table.planetName << " row " << k;
            EXPECT_EQ(period.retrogradeDay,
                      DaysFromCivil(period.retrograde.year, period.retrograde.month,
                                    period.retrograde.day));
            EXPECT_EQ(period.directDay,
                      DaysFromCivil(period.direct.year, period.direct.month, period.direct.day));
        }
    }
}

TEST(StationTables, RowsAreOrderedAndDoNotOverlap) {
    for (const StationTable& table : StationTables()) {
        for (std::size_t k = 0; k < table.periods.size(); ++k) {
            const RetrogradePeriod& period = table.periods[k];
            EXPECT_LT(StationMinuteNumber(period.retrograde), StationMinuteNumber(period.direct))
                << table.planetName << " row " << k << ": " << TextOf(period.retrograde);
            if (k > 0) {
                EXPECT_LT(table.periods[k - 1].directDay, period.retrogradeDay)
                    << table.planetName << " row " << k << ": " << TextOf(period.retrograde);
            }
        }
    }
}

TEST(StationTables, RetrogradeStationsFallIn1900To2050) {
    for (const StationTable& table : StationTables()) {
        for (const RetrogradePeriod& period : table.periods) {
            EXPECT_GE(period.retrograde.year, 1900) << table.planetName;
            EXPECT_LE(period.retrograde.year, 2050) << table.planetName;
            EXPECT_LE(period.direct.year, 2051) << table.planetName;
        }
    }
}

TEST(StationTables, LengthsAndIntervalsStayInTheirRanges) {
    // Whole elapsed days, inclusive ranges; a missing period would show as an
    // interval about twice the maximum.
    for (const TableExpectation& expected : kExpected) {
        const StationTable& table = TableOf(expected.planet);
        for (std::size_t k = 0; k < table.periods.size(); ++k) {
            const RetrogradePeriod& period = table.periods[k];
            const std::int64_t length = ElapsedDays(period.retrograde, period.direct);
            EXPECT_GE(length, expected.minLength) << expected.planet << " row " << k;
            EXPECT_LE(length, expected.maxLength) << expected.planet << " row " << k;
            if (k > 0) {
                const std::int64_t interval =
                    ElapsedDays(table.periods[k - 1].retrograde, period.retrograde);
                EXPECT_GE(interval, expected.minInterval) << expected.planet << " row " << k;
                EXPECT_LE(interval, expected.maxInterval) << expected.planet << " row " << k;
            }
        }
    }
}

TEST(StationTables, FirstAndLastRowsAgreeWithPublishedStations) {
    // Tolerance 120 minutes: slow planets' stations are shallow minima of the
    // speed, so ephemerides of different precision place them up to about
    // two hours apart (largest here: Saturn's last direct station, 98 min).
    constexpr std::int64_t kToleranceMinutes = 120;
    for (const TableExpectation& expected : kExpected) {
        const StationTable& table = TableOf(expected.planet);
        ASSERT_FALSE(table.periods.empty());
        const RetrogradePeriod& first = table.periods.front();
        const RetrogradePeriod& last = table.periods.back();
        const struct {
            const StationMoment& actual;
            const StationMoment& published;
        } checks[] = {{first.retrograde, expected.firstRetrograde},
                      {first.direct, expected.firstDirect},
                      {last.retrograde, expected.lastRetrograde},
                      {last.direct, expected.lastDirect}};
        for (const auto& check : checks) {
            EXPECT_NEAR(static_cast<double>(StationMinuteNumber(check.actual)),
                        static_cast<double>(StationMinuteNumber(check.published)),
                        kToleranceMinutes)
                << expected.planet << ": published " << TextOf(check.published);
        }
    }
}

TEST(StationTables, MarsHasNoPeriodStartingIn1900) {
    // Mars was retrograde from December 1898 to February 1899 and next from
    // 13 January 1901; nothing in between.
    const StationTable& mars = TableOf("Mars");
    ASSERT_FALSE(mars.periods.empty());
    EXPECT_EQ(mars.periods.front().retrogradeDay, DaysFromCivil(1901, 1, 13));
}

}  // namespace
}  // namespace korvanta
