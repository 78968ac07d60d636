// The retrograde lookup and the marks it leaves in BodyName: calendar dates
// only, strictly inside a period, the entered local clock as it is.

#include "astro/retrograde.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "astro/stations.h"
#include "records/records.h"

namespace korvanta {
namespace {

constexpr std::array<std::string_view, 5> kPlanets = {"Mercury", "Venus", "Mars", "Jupiter",
                                                      "Saturn"};

double Moment(int year, int month, int day, int hour = 0, int minute = 0) {
    return CivilDayNumber(year, month, day) + (hour * 60 + minute) / 1440.0;
}

BirthData Birth(int year, int month, int day, int hour = 12, int minute = 0) {
    BirthData birth;
    birth.BirthName = "Test";
    birth.BirthYear = static_cast<std::int16_t>(year);
    birth.BirthMonth = static_cast<std::int16_t>(month);
    birth.BirthDay = static_cast<std::int16_t>(day);
    birth.BirthHour = static_cast<std::int16_t>(hour);
    birth.BirthMinute = static_cast<std::int16_t>(minute);
    birth.BirthSecondText = "0";
    return birth;
}

ChartRecord Calculate(const BirthData& birth) {
    ChartRecord chart;
    Retrograde_Calculation(birth, chart);
    return chart;
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
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1900, 7, 17, 23, 59)));
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1900, 7, 18, 0, 0)));
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1900, 7, 18, 13, 0)));
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1900, 7, 18, 23, 59)));
    for (int day = 19; day <= 31 + 10; ++day) {
        const int month = day <= 31 ? 7 : 8;
        const int dayOfMonth = day <= 31 ? day : day - 31;
        EXPECT_TRUE(IsRetrograde("Mercury", Moment(1900, month, dayOfMonth, 0, 0)))
            << month << "/" << dayOfMonth;
        EXPECT_TRUE(IsRetrograde("Mercury", Moment(1900, month, dayOfMonth, 23, 59)))
            << month << "/" << dayOfMonth;
    }
    // The direct station's own day, even before the station's time.
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1900, 8, 11, 0, 0)));
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1900, 8, 11, 14, 0)));
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1900, 8, 11, 23, 59)));
}

TEST(IsRetrograde, PeriodAcrossTheYearEndCoversNewYearsDay) {
    // Mercury: 22 December 1904 to 11 January 1905.
    EXPECT_TRUE(IsRetrograde("Mercury", Moment(1904, 12, 31, 23, 59)));
    EXPECT_TRUE(IsRetrograde("Mercury", Moment(1905, 1, 1, 0, 0)));
    EXPECT_TRUE(IsRetrograde("Mercury", Moment(1905, 1, 10, 12, 0)));
    EXPECT_FALSE(IsRetrograde("Mercury", Moment(1905, 1, 11, 0, 0)));
}

TEST(IsRetrograde, NothingBeforeTheFirstOrAfterTheLastRow) {
    // Mars's first period starts on 13 January 1901; Saturn's last ends on
    // 6 October 2050.
    for (std::int32_t day = CivilDayNumber(1899, 1, 1); day <= CivilDayNumber(1901, 1, 13); ++day) {
        EXPECT_FALSE(IsRetrograde("Mars", day + 0.75)) << "day number " << day;
    }
    EXPECT_TRUE(IsRetrograde("Mars", Moment(1901, 1, 14)));
    EXPECT_TRUE(IsRetrograde("Saturn", Moment(2050, 10, 5, 23, 59)));
    for (std::int32_t day = CivilDayNumber(2050, 10, 6); day <= CivilDayNumber(2053, 1, 1); ++day) {
        EXPECT_FALSE(IsRetrograde("Saturn", day + 0.25)) << "day number " << day;
    }
}

TEST(IsRetrograde, EveryStationDayIsOutsideItsPeriod) {
    for (const StationTable& table : StationTables()) {
        for (const RetrogradePeriod& period : table.periods) {
            const std::string row = std::string(table.planetName) + " " +
                                    std::to_string(period.retrogradeDay) + ".." +
                                    std::to_string(period.directDay);
            EXPECT_FALSE(IsRetrograde(table.planetName, period.retrogradeDay + 0.999)) << row;
            EXPECT_TRUE(IsRetrograde(table.planetName, period.retrogradeDay + 1.0)) << row;
            EXPECT_TRUE(IsRetrograde(table.planetName, period.directDay - 0.001)) << row;
            EXPECT_FALSE(IsRetrograde(table.planetName, period.directDay + 0.0)) << row;
        }
    }
}

TEST(IsRetrograde, AgreesWithTheRowByRowDefinitionOnEveryDay) {
    // Every day from before the first table row to after the last, at two
    // times of day; also the number of retrograde days equals the days
    // strictly inside the periods.
    for (const StationTable& table : StationTables()) {
        std::int64_t retrogradeDays = 0;
        for (std::int32_t day = CivilDayNumber(1899, 6, 1); day <= CivilDayNumber(2052, 1, 1);
             ++day) {
            const bool expected = InsideByScan(table, day);
            ASSERT_EQ(IsRetrograde(table.planetName, day + 0.0), expected)
                << table.planetName << " day number " << day;
            ASSERT_EQ(IsRetrograde(table.planetName, day + 0.9999), expected)
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

TEST(IsRetrograde, PlanetNamesAreExact) {
    const double mercuryRetrograde = Moment(1905, 1, 1, 12, 0);
    ASSERT_TRUE(IsRetrograde("Mercury", mercuryRetrograde));
    for (const std::string_view name :
         {"mercury", "MERCURY", "Mercury ", " Mercury", "Mercury (R) ", "Merc", "", "Sun"}) {
        EXPECT_FALSE(IsRetrograde(name, mercuryRetrograde)) << '"' << name << '"';
    }
}

TEST(IsRetrograde, ValuesFarOutsideTheTablesAreDirect) {
    for (const double moment : {-1.0e12, -1.0, 1.0e12, 1.0e300}) {
        for (const std::string_view planet : kPlanets) {
            EXPECT_FALSE(IsRetrograde(planet, moment)) << planet << " at " << moment;
        }
    }
}

TEST(RetrogradeCalculation, MarksExactlyTheRetrogradePlanets) {
    // 1 January 1905: Mercury is retrograde (22 December 1904 to
    // 11 January 1905); the flags of the others follow the lookup.
    const ChartRecord chart = Calculate(Birth(1905, 1, 1, 6, 30));
    const double moment = Moment(1905, 1, 1, 6, 30);
    ASSERT_TRUE(chart.RetroFlags[0]);
    EXPECT_EQ(chart.BodyName[kMercury], "Mercury (R) ");
    const std::array<int, 5> slots = {kMercury, kVenus, kMars, kJupiter, kSaturn};
    for (std::size_t k = 0; k < kPlanets.size(); ++k) {
        const bool retrograde = IsRetrograde(kPlanets[k], moment);
        EXPECT_EQ(chart.RetroFlags[k], retrograde) << kPlanets[k];
        const std::string expectedName =
            std::string(kPlanets[k]) + (retrograde ? std::string(kRetroMark) : std::string());
        EXPECT_EQ(chart.BodyName[static_cast<std::size_t>(slots[k])], expectedName);
    }
    for (const int slot : {kSun, kMoon, kRahu, kKetu, kAsc}) {
        EXPECT_EQ(chart.BodyName[static_cast<std::size_t>(slot)],
                  kPlainBodyNames[static_cast<std::size_t>(slot)]);
    }
}

TEST(RetrogradeCalculation, SaturnsMarkIsBlankRBlank) {
    // Saturn's first period: 14 April to 2 September 1900.
    const ChartRecord chart = Calculate(Birth(1900, 6, 1));
    ASSERT_TRUE(chart.RetroFlags[4]);
    EXPECT_EQ(chart.BodyName[kSaturn], "Saturn (R) ");
    EXPECT_EQ(chart.BodyName[kSaturn].size(), 11u);
}

TEST(RetrogradeCalculation, SecondCalculationRestoresThePlainNames) {
    // 25 February 1990: none of the five planets is retrograde (found by
    // scanning the tables); 1 January 1905 has Mercury retrograde.
    ChartRecord chart;
    Retrograde_Calculation(Birth(1905, 1, 1), chart);
    ASSERT_EQ(chart.BodyName[kMercury], "Mercury (R) ");
    Retrograde_Calculation(Birth(1990, 2, 25), chart);
    for (std::size_t k = 0; k < chart.RetroFlags.size(); ++k) {
        EXPECT_FALSE(chart.RetroFlags[k]) << kPlanets[k];
    }
    for (std::size_t slot = 0; slot < kPlainBodyNames.size(); ++slot) {
        EXPECT_EQ(chart.BodyName[slot], kPlainBodyNames[slot]) << "slot " << slot;
    }
    // Repeating a retrograde chart never doubles the mark.
    Retrograde_Calculation(Birth(1905, 1, 1), chart);
    Retrograde_Calculation(Birth(1905, 1, 1), chart);
    EXPECT_EQ(chart.BodyName[kMercury], "Mercury (R) ");
}

TEST(RetrogradeCalculation, ZoneDaylightSavingAndSecondsChangeNothing) {
    // Days around Mercury's July 1900 stations and a weekly sweep of the whole
    // range, each at 00:00 and 23:59, with the zone, the hemisphere, the
    // daylight-saving box and the seconds set to extremes.
    constexpr std::array<std::array<int, 3>, 5> kDates = {
        {{1900, 7, 18}, {1900, 7, 19}, {1900, 8, 10}, {1900, 8, 11}, {1905, 1, 1}}};
    auto check = [](int year, int month, int day) {
        for (const auto& [hour, minute] : {std::pair{0, 0}, std::pair{23, 59}}) {
            const BirthData plain = Birth(year, month, day, hour, minute);
            const ChartRecord expected = Calculate(plain);
            BirthData shifted = plain;
            shifted.AbsZoneHours = 12;
            shifted.AbsZoneMinutes = 45;
            shifted.IsEast = true;
            shifted.IsDST = true;
            shifted.BirthSecondText = "59";
            ChartRecord zoned;
            zoned.ZoneHours = -12;
            zoned.ZoneMinutes = -45;
            Retrograde_Calculation(shifted, zoned);
            ASSERT_EQ(zoned.RetroFlags, expected.RetroFlags)
                << year << "-" << month << "-" << day << " " << hour << ":" << minute;
            ASSERT_EQ(zoned.BodyName, expected.BodyName);
            // The time of day never matters either.
            ASSERT_EQ(Calculate(Birth(year, month, day, 12, 0)).RetroFlags, expected.RetroFlags);
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
