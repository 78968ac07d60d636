// SPDX-License-Identifier: GPL-3.0-or-later
// The retrograde lookup and the marks it leaves on the bodies' names:
// calendar dates only, strictly inside a period, the entered local clock as
// it is.

#include "astro/retrograde.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "astro/stations.h"
#include "pipeline/chart.h"
#include "pipeline/steps.h"
#include "report/names.h"
#include "report/report.h"

namespace korvanta {
namespace {

constexpr std::array<std::string_view, 5> kPlanets = {"Mercury", "Venus", "Mars", "Jupiter",
                                                      "Saturn"};
// The five planets as the chart's bodies, in table order.
constexpr std::array<Body, 5> kPlanetBodies = {Body::Mercury, Body::Venus, Body::Mars,
                                               Body::Jupiter, Body::Saturn};

constexpr RetroPlanet Planet(std::size_t table) {
    return static_cast<RetroPlanet>(table);
}

double LocalDateTime(int year, int month, int day, int hour = 0, int minute = 0) {
    return DaysFromCivil(year, month, day) + (hour * 60 + minute) / 1440.0;
}

Birth BirthOn(int year, int month, int day, int hour = 12, int minute = 0) {
    Birth birth;
    birth.name = "TEST";
    birth.year = year;
    birth.month = month;
    birth.day = day;
    birth.hour = hour;
    birth.minute = minute;
    return birth;
}

std::array<bool, 5> Calculate(const Birth& birth) {
    return Retrograde_Calculation(MomentOf(birth));
}

// The bodies' names as the chart shows them for these retrograde marks.
std::array<std::string_view, kBodyCount> NamesWith(const Birth& birth,
                                                   const std::array<bool, 5>& flags) {
    Chart chart;
    chart.retrograde = flags;
    return BuildReport(birth, chart).bodyNames;
}

// The lookup's definition, row by row: the day lies after the retrograde
// station's date and before the direct station's date.
bool InsideByScan(const StationTable& table, std::int32_t day) {
    for (const RetrogradePeriod& period : table.periods) {
        if (period.retrogradeDay - day < 0 && period.directDay - day > 0) {
            return true;
        }
    }
    return false;
}

TEST(IsRetrograde, MercuryJuly1900CountsCalendarDaysOnly) {
    // Mercury turned retrograde on 18 July 1900 (about 12:54 UT) and direct on
    // 11 August 1900 (about 15:10 UT).
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, 7, 17, 23, 59)));
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, 7, 18, 0, 0)));
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, 7, 18, 13, 0)));
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, 7, 18, 23, 59)));
    for (int day = 19; day <= 31 + 10; ++day) {
        const int month = day <= 31 ? 7 : 8;
        const int dayOfMonth = day <= 31 ? day : day - 31;
        EXPECT_TRUE(
            IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, month, dayOfMonth, 0, 0)))
            << month << "/" << dayOfMonth;
        EXPECT_TRUE(
            IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, month, dayOfMonth, 23, 59)))
            << month << "/" << dayOfMonth;
    }
    // The direct station's own day, even before the station's time.
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, 8, 11, 0, 0)));
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, 8, 11, 14, 0)));
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1900, 8, 11, 23, 59)));
}

TEST(IsRetrograde, PeriodAcrossTheYearEndCoversNewYearsDay) {
    // Mercury: 22 December 1904 to 11 January 1905.
    EXPECT_TRUE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1904, 12, 31, 23, 59)));
    EXPECT_TRUE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1905, 1, 1, 0, 0)));
    EXPECT_TRUE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1905, 1, 10, 12, 0)));
    EXPECT_FALSE(IsRetrograde(RetroPlanet::Mercury, LocalDateTime(1905, 1, 11, 0, 0)));
}

TEST(IsRetrograde, NothingBeforeTheFirstOrAfterTheLastRow) {
    // Mars's first period starts on 13 January 1901; Saturn's last ends on
    // 6 October 2050.
    for (std::int32_t day = DaysFromCivil(1899, 1, 1); day <= DaysFromCivil(1901, 1, 13); ++day) {
        EXPECT_FALSE(IsRetrograde(RetroPlanet::Mars, day + 0.75)) << "day number " << day;
    }
    EXPECT_TRUE(IsRetrograde(RetroPlanet::Mars, LocalDateTime(1901, 1, 14)));
    EXPECT_TRUE(IsRetrograde(RetroPlanet::Saturn, LocalDateTime(2050, 10, 5, 23, 59)));
    for (std::int32_t day = DaysFromCivil(2050, 10, 6); day <= DaysFromCivil(2053, 1, 1); ++day) {
        EXPECT_FALSE(IsRetrograde(RetroPlanet::Saturn, day + 0.25)) << "day number " << day;
    }
}

TEST(IsRetrograde, EveryStationDayIsOutsideItsPeriod) {
    for (std::size_t t = 0; t < StationTables().size(); ++t) {
        const StationTable& table = StationTables()[t];
        EXPECT_EQ(table.planetName, kPlanets[t]);
        for (const RetrogradePeriod& period : table.periods) {
            const std::string row = std::string(table.planetName) + " " +
                                    std::to_string(period.retrogradeDay) + ".." +
                                    std::to_string(period.directDay);
            EXPECT_FALSE(IsRetrograde(Planet(t), period.retrogradeDay + 0.999)) << row;
            EXPECT_TRUE(IsRetrograde(Planet(t), period.retrogradeDay + 1.0)) << row;
            EXPECT_TRUE(IsRetrograde(Planet(t), period.directDay - 0.001)) << row;
            EXPECT_FALSE(IsRetrograde(Planet(t), period.directDay + 0.0)) << row;
        }
    }
}

TEST(IsRetrograde, AgreesWithTheRowByRowDefinitionOnEveryDay) {
    // Every day from before the first table row to after the last, at two
    // times of day; also the number of retrograde days equals the days
    // strictly inside the periods.
    for (std::size_t t = 0; t < StationTables().size(); ++t) {
        const StationTable& table = StationTables()[t];
        std::int64_t retrogradeDays = 0;
        for (std::int32_t day = DaysFromCivil(1899, 6, 1); day <= DaysFromCivil(2052, 1, 1);
             ++day) {
            const bool expected = InsideByScan(table, day);
            ASSERT_EQ(IsRetrograde(Planet(t), day + 0.0), expected)
                << table.planetName << " day number " << day;
            ASSERT_EQ(IsRetrograde(Planet(t), day + 0.9999), expected)
                << table.planetName << " day number " << day;
            retrogradeDays += expected ? 1 : 0;
        }
        std::int64_t insideDays = 0;
        for (const RetrogradePeriod& period : table.periods) {
            insideDays += period.directDay - period.retrogradeDay - 1;
        }
        EXPECT_EQ(retrogradeDays, insideDays) << table.planetName;
    }
}

TEST(IsRetrograde, ValuesFarOutsideTheTablesAreDirect) {
    for (const double moment : {-1.0e12, -1.0, 1.0e12, 1.0e300}) {
        for (std::size_t t = 0; t < kPlanets.size(); ++t) {
            EXPECT_FALSE(IsRetrograde(Planet(t), moment)) << kPlanets[t] << " at " << moment;
        }
    }
}

TEST(RetrogradeCalculation, MarksExactlyTheRetrogradePlanets) {
    // 1 January 1905: Mercury is retrograde (22 December 1904 to
    // 11 January 1905); the flags of the others follow the lookup.
    const Birth birth = BirthOn(1905, 1, 1, 6, 30);
    const std::array<bool, 5> flags = Calculate(birth);
    const double moment = LocalDateTime(1905, 1, 1, 6, 30);
    ASSERT_TRUE(flags[0]);
    Chart chart;
    chart.retrograde = flags;
    const auto names = NamesWith(birth, flags);
    EXPECT_EQ(names[Index(Body::Mercury)], "Mercury (R) ");
    for (std::size_t k = 0; k < kPlanets.size(); ++k) {
        const bool retrograde = IsRetrograde(Planet(k), moment);
        EXPECT_EQ(flags[k], retrograde) << kPlanets[k];
        EXPECT_EQ(chart.IsRetrograde(kPlanetBodies[k]), retrograde) << kPlanets[k];
        const std::string expectedName =
            std::string(kPlanets[k]) + (retrograde ? std::string(" (R) ") : std::string());
        EXPECT_EQ(names[Index(kPlanetBodies[k])], expectedName);
    }
    for (const Body body : {Body::Sun, Body::Moon, Body::Rahu, Body::Ketu, Body::Asc}) {
        EXPECT_FALSE(chart.IsRetrograde(body));
        EXPECT_EQ(names[Index(body)], kBodyNames[Index(body)]);
    }
    // 25 February 1990: none of the five planets is retrograde (found by
    // scanning the tables), so every name is plain.
    const Birth plain = BirthOn(1990, 2, 25);
    EXPECT_EQ(Calculate(plain), (std::array<bool, 5>{}));
    EXPECT_EQ(NamesWith(plain, Calculate(plain)), kBodyNames);
}

TEST(RetrogradeCalculation, SaturnsMarkIsBlankRBlank) {
    // Saturn's first period: 14 April to 2 September 1900.
    const Birth birth = BirthOn(1900, 6, 1);
    const std::array<bool, 5> flags = Calculate(birth);
    ASSERT_TRUE(flags[4]);
    const auto names = NamesWith(birth, flags);
    EXPECT_EQ(names[Index(Body::Saturn)], "Saturn (R) ");
    EXPECT_EQ(names[Index(Body::Saturn)].size(), 11u);
}

TEST(RetrogradeCalculation, ZoneDaylightSavingAndSecondsChangeNothing) {
    // Days around Mercury's July 1900 stations and a weekly sweep of the whole
    // range, each at 00:00 and 23:59, with the zone, the hemisphere, the
    // daylight-saving box and the seconds set to extremes.
    constexpr std::array<std::array<int, 3>, 5> kDates = {
        {{1900, 7, 18}, {1900, 7, 19}, {1900, 8, 10}, {1900, 8, 11}, {1905, 1, 1}}};
    auto check = [](int year, int month, int day) {
        for (const auto& [hour, minute] : {std::pair{0, 0}, std::pair{23, 59}}) {
            const Birth plain = BirthOn(year, month, day, hour, minute);
            const std::array<bool, 5> expected = Calculate(plain);
            Birth shifted = plain;
            shifted.zoneHours = -12;
            shifted.zoneMinutes = -45;
            shifted.east = true;
            shifted.dst = true;
            shifted.second = 59;
            ASSERT_EQ(Calculate(shifted), expected)
                << year << "-" << month << "-" << day << " " << hour << ":" << minute;
            // The time of day never matters either.
            ASSERT_EQ(Calculate(BirthOn(year, month, day, 12, 0)), expected);
        }
    };
    for (const auto& [knownYear, knownMonth, knownDay] : kDates) {
        check(knownYear, knownMonth, knownDay);
    }
    int year = 1901;
    int month = 1;
    int day = 1;
    while (year <= 2050) {
        check(year, month, day);
        day += 7;
        while (day > DaysInMonth(year, month)) {
            day -= DaysInMonth(year, month);
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

}  // namespace
}  // namespace korvanta
