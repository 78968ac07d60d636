// SPDX-License-Identifier: GPL-3.0-or-later
// Sunrise and sunset of a calendar date: almanac accuracy, the day index,
// zones and daylight saving, the minute carry and days without an event.
//
// Reference times marked "Swiss Ephemeris" were computed with swe_rise_trans
// of Swiss Ephemeris 2.10.03 (Debian libswe-dev): the Sun's upper limb with
// standard refraction (1013.25 hPa, 10 °C), from local midnight, written here
// to a hundredth of a minute of the local clock. Times marked "formula" were
// evaluated from the almanac method's own constants in double precision, in
// a separate session, and are exact to the minute.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>

#include "calendar/calendar.h"
#include "astro/sunrise.h"
#include "pipeline/birth.h"

namespace korvanta {
namespace {

constexpr double kMinutesPerDay = 1440.0;
// The low-precision method against a precise ephemeris, at latitudes below 60°.
constexpr double kAlmanacToleranceMinutes = 3.0;

// A place and zone as the entry form gives them.
struct EnteredPlace {
    int latDeg = 0, latMin = 0;
    bool south = false;
    int lonDeg = 0, lonMin = 0;
    bool east = true;
    std::int16_t zoneHours = 0, zoneMinutes = 0;  // UT minus local standard time
    bool dst = false;
};

// Sunrise, then sunset.
using Slots = std::array<std::optional<double>, 2>;

Slots RiseSet(int year, int month, int day, const EnteredPlace& p) {
    Birth birth;
    birth.year = year, birth.month = month, birth.day = day;
    birth.latDeg = p.latDeg, birth.latMin = p.latMin, birth.south = p.south;
    birth.lonDeg = p.lonDeg, birth.lonMin = p.lonMin, birth.east = p.east;
    birth.zoneHours = p.zoneHours, birth.zoneMinutes = p.zoneMinutes, birth.dst = p.dst;
    const SunEvents events = SunRiseSet_Calculation(MomentOf(birth), PlaceOf(birth));
    return {events.sunrise, events.sunset};
}

// Local clock time hh:mm.mm of a date as a date-time value.
double ClockTime(int year, int month, int day, double hours, double minutes) {
    return DateTimeValue(year, month, day, 0, 0) + (hours * 60 + minutes) / kMinutesPerDay;
}

void ExpectNear(const std::optional<double>& actual, double expected, const char* what) {
    ASSERT_TRUE(actual.has_value()) << what << ": no event computed";
    EXPECT_NEAR((*actual - expected) * kMinutesPerDay, 0.0, kAlmanacToleranceMinutes)
        << what << ": expected " << expected << ", got " << *actual << " (days since 1899-12-30)";
}

void ExpectExact(const std::optional<double>& actual, int year, int month, int day, int hour,
                 int minute, const char* what) {
    ASSERT_TRUE(actual.has_value()) << what << ": no event computed";
    const CivilDateTime got = SplitDateTime(*actual);
    EXPECT_EQ(*actual, DateTimeValue(year, month, day, hour, minute))
        << what << ": expected " << year << "-" << month << "-" << day << " " << hour << ":"
        << minute << ", got " << got.year << "-" << got.month << "-" << got.day << " " << got.hour
        << ":" << got.minute << ":" << got.second;
}

// New Delhi 28°36' N 77°12' E, Indian Time "+5.3" (ZoneHours -5, ZoneMinutes -30).
constexpr EnteredPlace kDelhi{28, 36, false, 77, 12, true, -5, -30, false};

TEST(SunriseAlmanac, MatchesSwissEphemerisInDelhiAtMidsummer) {
    // A zone of 5.3 hours instead of 5.5 would put both times 12 minutes early.
    const Slots slots = RiseSet(2020, 6, 21, kDelhi);
    ExpectNear(slots[0], ClockTime(2020, 6, 21, 5, 24.03), "sunrise");  // Swiss Ephemeris
    ExpectNear(slots[1], ClockTime(2020, 6, 21, 19, 22.09), "sunset");  // Swiss Ephemeris
}

TEST(SunriseAlmanac, MatchesSwissEphemerisInLondonAtNewYear) {
    // London 51°30' N 0°7' W, Greenwich Mean Time.
    const EnteredPlace london{51, 30, false, 0, 7, false, 0, 0, false};
    const Slots slots = RiseSet(2000, 1, 1, london);
    ExpectNear(slots[0], ClockTime(2000, 1, 1, 8, 6.08), "sunrise");  // Swiss Ephemeris
    ExpectNear(slots[1], ClockTime(2000, 1, 1, 16, 1.60), "sunset");  // Swiss Ephemeris
}

TEST(SunriseAlmanac, MatchesSwissEphemerisNearTheEquatorWestOfGreenwich) {
    // Quito 0°13' S 78°31' W, Eastern Standard Time (ZoneHours +5).
    const EnteredPlace quito{0, 13, true, 78, 31, false, 5, 0, false};
    const Slots slots = RiseSet(2010, 3, 20, quito);
    ExpectNear(slots[0], ClockTime(2010, 3, 20, 6, 18.21), "sunrise");  // Swiss Ephemeris
    ExpectNear(slots[1], ClockTime(2010, 3, 20, 18, 24.79), "sunset");  // Swiss Ephemeris
}

TEST(SunriseDayIndex, FirstOfJanuaryIsDayZero) {
    // 66° N 0° E, GMT. Formula with N = 0: 10:30 and 13:37; N = 1 would give
    // 10:29 and 13:40.
    const EnteredPlace place{66, 0, false, 0, 0, true, 0, 0, false};
    const Slots slots = RiseSet(2001, 1, 1, place);
    ExpectExact(slots[0], 2001, 1, 1, 10, 30, "sunrise");
    ExpectExact(slots[1], 2001, 1, 1, 13, 37, "sunset");
}

TEST(SunriseDayIndex, LastDayOfALeapYearIsDay365) {
    // Same place. Formula with N = 365: 10:31 and 13:36; N = 364 would give
    // 10:32 and 13:34.
    const EnteredPlace place{66, 0, false, 0, 0, true, 0, 0, false};
    const Slots slots = RiseSet(2000, 12, 31, place);
    ExpectExact(slots[0], 2000, 12, 31, 10, 31, "sunrise");
    ExpectExact(slots[1], 2000, 12, 31, 13, 36, "sunset");
}

TEST(SunriseZone, HalfHourZoneShiftsByThirtyMinutes) {
    // "+5.3" means five and a half hours: against a whole +5 zone the clock
    // moves by 30 minutes, give or take the rounding of the minute.
    EnteredPlace wholeHours = kDelhi;
    wholeHours.zoneMinutes = 0;
    const Slots half = RiseSet(2020, 6, 21, kDelhi);
    const Slots whole = RiseSet(2020, 6, 21, wholeHours);
    ASSERT_TRUE(half[0] && whole[0] && half[1] && whole[1]);
    EXPECT_NEAR((*half[0] - *whole[0]) * kMinutesPerDay, 30.0, 1.0);
    EXPECT_NEAR((*half[1] - *whole[1]) * kMinutesPerDay, 30.0, 1.0);
}

TEST(SunriseZone, TwelveHoursWithDaylightSavingBecomesMinusEleven) {
    // Auckland 36°51' S 174°46' E, "New Zealand Std Time" (ZoneHours -12),
    // daylight saving ticked in January: 13 hours ahead, taken as -11.
    const EnteredPlace auckland{36, 51, true, 174, 46, true, -12, 0, true};
    const Slots slots = RiseSet(2000, 1, 15, auckland);
    ExpectNear(slots[0], ClockTime(2000, 1, 15, 6, 17.03), "sunrise");  // Swiss Ephemeris, +13 h
    ExpectNear(slots[1], ClockTime(2000, 1, 15, 20, 42.54), "sunset");  // Swiss Ephemeris, +13 h

    // The same arithmetic as a zone 11 hours behind UT (ZoneHours +11).
    EnteredPlace minusEleven = auckland;
    minusEleven.zoneHours = 11;
    minusEleven.dst = false;
    const Slots wrapped = RiseSet(2000, 1, 15, minusEleven);
    EXPECT_EQ(slots[0], wrapped[0]);
    EXPECT_EQ(slots[1], wrapped[1]);
}

TEST(SunriseDaylightSaving, JanuarySouthOfTheEquatorAddsTheHour) {
    // Sydney 33°52' S 151°13' E, "Australian Eastern Standard Time" (ZoneHours
    // -10) with daylight saving in January: clocks at +11 hours.
    const EnteredPlace sydney{33, 52, true, 151, 13, true, -10, 0, true};
    const Slots summer = RiseSet(1995, 1, 15, sydney);
    ExpectNear(summer[0], ClockTime(1995, 1, 15, 5, 59.05), "sunrise");  // Swiss Ephemeris, +11 h
    ExpectNear(summer[1], ClockTime(1995, 1, 15, 20, 9.23), "sunset");   // Swiss Ephemeris, +11 h

    EnteredPlace standard = sydney;
    standard.dst = false;
    const Slots winterClock = RiseSet(1995, 1, 15, standard);
    ASSERT_TRUE(winterClock[0] && winterClock[1]);
    EXPECT_NEAR((*summer[0] - *winterClock[0]) * kMinutesPerDay, 60.0, 1.0);
    EXPECT_NEAR((*summer[1] - *winterClock[1]) * kMinutesPerDay, 60.0, 1.0);
}

TEST(SunriseDaylightSaving, NorthernSummerAddsTheHour) {
    // New York 40°43' N 74°0' W, "Eastern Standard Time" (ZoneHours +5) with
    // daylight saving: clocks at -4 hours.
    const EnteredPlace newYork{40, 43, false, 74, 0, false, 5, 0, true};
    const Slots slots = RiseSet(1990, 7, 4, newYork);
    ExpectNear(slots[0], ClockTime(1990, 7, 4, 5, 29.95), "sunrise");  // Swiss Ephemeris, -4 h
    ExpectNear(slots[1], ClockTime(1990, 7, 4, 20, 30.56), "sunset");  // Swiss Ephemeris, -4 h
}

TEST(SunriseMinuteCarry, MinuteSixtyCarriesIntoTheNextHour) {
    // 0° N 0° E, GMT, 2 January 2001: the formula gives 5 h + 59.84 min,
    // which rounds to minute 60.
    const EnteredPlace place{0, 0, false, 0, 0, true, 0, 0, false};
    const Slots slots = RiseSet(2001, 1, 2, place);
    ExpectExact(slots[0], 2001, 1, 2, 6, 0, "sunrise");
    ExpectExact(slots[1], 2001, 1, 2, 18, 7, "sunset");  // formula
}

TEST(SunriseMinuteCarry, TwentyThreeSixtyBecomesMidnightOfTheNextDay) {
    // 0° N 1°52' E with a zone six hours ahead of UT (ZoneHours -6), 2 January
    // 2001: the formula puts the sunset at 23 h + 59.85 min.
    const EnteredPlace place{0, 0, false, 1, 52, true, -6, 0, false};
    const Slots slots = RiseSet(2001, 1, 2, place);
    ExpectExact(slots[0], 2001, 1, 2, 11, 52, "sunrise");  // formula
    ExpectExact(slots[1], 2001, 1, 3, 0, 0, "sunset");
}

// 80° N 15° E, Central European Time (ZoneHours -1).
constexpr EnteredPlace kSvalbard{80, 0, false, 15, 0, true, -1, 0, false};

TEST(SunrisePolar, MidsummerAtEightyNorthHasNeitherEvent) {
    const Slots slots = RiseSet(2000, 6, 21, kSvalbard);
    EXPECT_FALSE(slots[0].has_value());
    EXPECT_FALSE(slots[1].has_value());
}

TEST(SunrisePolar, MidwinterAtEightyNorthHasNeitherEvent) {
    const Slots slots = RiseSet(2000, 12, 21, kSvalbard);
    EXPECT_FALSE(slots[0].has_value());
    EXPECT_FALSE(slots[1].has_value());
}

TEST(SunrisePolar, EquinoxAtEightyNorthHasBoth) {
    // Swiss Ephemeris: 05:39.85 and 18:39.21; the method is coarser this far
    // north, so only the presence and the hour are checked.
    const Slots slots = RiseSet(2000, 3, 21, kSvalbard);
    ASSERT_TRUE(slots[0] && slots[1]);
    EXPECT_EQ(SplitDateTime(*slots[0]).hour, 5);
    EXPECT_EQ(SplitDateTime(*slots[1]).hour, 18);
}

TEST(SunrisePolar, EachEventStandsOnItsOwn) {
    // At the edge of the polar night the two events fall on different
    // declinations (the formula's c: 1.00032 at sunrise, 0.99968 at sunset at
    // 67°26' N on 26 December 2001; 0.99952 and 1.00005 at 67°25' N on 20
    // December 2001).
    EnteredPlace noSunrise{67, 26, false, 15, 0, true, -1, 0, false};
    const Slots evening = RiseSet(2001, 12, 26, noSunrise);
    EXPECT_FALSE(evening[0].has_value());
    ExpectExact(evening[1], 2001, 12, 26, 12, 6, "sunset");  // formula

    EnteredPlace noSunset{67, 25, false, 15, 0, true, -1, 0, false};
    const Slots morning = RiseSet(2001, 12, 20, noSunset);
    ExpectExact(morning[0], 2001, 12, 20, 11, 50, "sunrise");  // formula
    EXPECT_FALSE(morning[1].has_value());
}

TEST(SunriseSweep, EveryDayCarriesItsDateInWholeMinutes) {
    // Every day of 1901-2050 at a latitude rotating through 0..60° north and
    // south and a longitude through both hemispheres, with the zone near the
    // longitude: both events exist, fall on the given date (or exactly at the
    // next midnight after a 23:60 carry) and hold whole minutes.
    const std::int32_t first = DaysFromCivil(1901, 1, 1);
    const std::int32_t last = DaysFromCivil(2050, 12, 31);
    int failures = 0;
    for (std::int32_t day = first; day <= last && failures < 10; ++day) {
        const CivilDateTime date = SplitDateTime(day);
        const int step = day - first;
        EnteredPlace place;
        place.latDeg = step % 61;
        place.south = step % 2 == 1;
        place.lonDeg = (step * 7) % 180;
        place.east = step % 3 != 0;
        const int zone = (place.lonDeg + 7) / 15;
        place.zoneHours = static_cast<std::int16_t>(place.east ? -zone : zone);
        place.dst = step % 5 == 0;
        const Slots slots = RiseSet(date.year, date.month, date.day, place);
        for (int slot = 0; slot < 2; ++slot) {
            if (!slots[slot]) {
                ++failures;
                ADD_FAILURE() << "no event " << slot << " on " << date.year << "-" << date.month
                              << "-" << date.day << " at latitude " << place.latDeg;
                continue;
            }
            const CivilDateTime got = SplitDateTime(*slots[slot]);
            const bool sameDay = std::floor(*slots[slot]) == day;
            const bool nextMidnight = *slots[slot] == day + 1.0;
            if ((!sameDay && !nextMidnight) || got.second != 0) {
                ++failures;
                ADD_FAILURE() << "event " << slot << " of " << date.year << "-" << date.month << "-"
                              << date.day << " at " << got.year << "-" << got.month << "-"
                              << got.day << " " << got.hour << ":" << got.minute << ":"
                              << got.second;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace korvanta
