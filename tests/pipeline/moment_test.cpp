// SPDX-License-Identifier: GPL-3.0-or-later
// The Moment and Place of a birth at the edges: across the date line, at the
// zones of -13 and +13 hours, with daylight saving, on the first and last days
// of the accepted years, and where a clock of 24:00 carries into the next day.
// Expected values are worked out by hand from the civil calendar: a local
// clock minus the zone's offset (and an hour more with daylight saving) is UT.
#include <gtest/gtest.h>

#include <cstdint>

#include "calendar/calendar.h"
#include "astro/sunrise.h"
#include "astro/time_scales.h"
#include "pipeline/birth.h"

namespace korvanta {
namespace {

Birth At(int year, int month, int day, int hour, int minute, int second, int zoneHours,
         int zoneMinutes, bool dst) {
    Birth b;
    b.year = year, b.month = month, b.day = day;
    b.hour = hour, b.minute = minute, b.second = second;
    b.zoneHours = zoneHours, b.zoneMinutes = zoneMinutes, b.dst = dst;
    return b;
}

std::int64_t Seconds(int year, int month, int day, int hour, int minute, int second) {
    return std::int64_t{DaysFromCivil(year, month, day)} * kSecondsPerDay + hour * 3600 +
           minute * 60 + second;
}

TEST(Moment, UniversalTimeAtTheEdges) {
    struct Case {
        const char* what;
        Birth birth;
        CivilDateTime ut;  // worked out by hand
        int zoneMinutes;
    };
    const Case cases[] = {
        // New Zealand summer (+13): the UT date is the day before.
        {"zone +13", At(2020, 1, 1, 5, 0, 0, -13, 0, false), {2019, 12, 31, 16, 0, 0}, -780},
        // West of the date line (-12) with daylight saving: 11 hours behind.
        {"zone -12 with daylight saving",
         At(2020, 12, 31, 20, 30, 15, 12, 0, true),
         {2021, 1, 1, 7, 30, 15},
         720},
        // India (+5:30) at the first second the program accepts.
        {"first second, India",
         At(1901, 1, 1, 0, 0, 0, -5, -30, false),
         {1900, 12, 31, 18, 30, 0},
         -330},
        // Newfoundland (-3:30) at the last second: UT runs into 2051.
        {"last second, Newfoundland",
         At(2050, 12, 31, 23, 59, 59, 3, 30, false),
         {2051, 1, 1, 3, 29, 59},
         210},
        // Daylight saving at midnight moves UT back across the date.
        {"daylight saving at midnight",
         At(1999, 3, 1, 0, 30, 0, 0, 0, true),
         {1999, 2, 28, 23, 30, 0},
         0},
    };
    for (const Case& c : cases) {
        const Moment m = MomentOf(c.birth);
        const CivilDateTime ut = CivilOfSeconds(m.ut);
        EXPECT_EQ(m.local, Seconds(c.birth.year, c.birth.month, c.birth.day, c.birth.hour,
                                   c.birth.minute, c.birth.second))
            << c.what;
        EXPECT_EQ(m.zoneMinutes, c.zoneMinutes) << c.what;
        EXPECT_EQ(m.ut,
                  Seconds(c.ut.year, c.ut.month, c.ut.day, c.ut.hour, c.ut.minute, c.ut.second))
            << c.what << ": UT " << ut.year << "-" << ut.month << "-" << ut.day << " " << ut.hour
            << ":" << ut.minute << ":" << ut.second;
        // The planets read UT to the minute: the same Moment entered at
        // Greenwich gives the same day number.
        const Birth greenwich =
            At(c.ut.year, c.ut.month, c.ut.day, c.ut.hour, c.ut.minute, c.ut.second, 0, 0, false);
        EXPECT_EQ(PlanetDayNumber(m), PlanetDayNumber(MomentOf(greenwich))) << c.what;
        // The ascendant's UT hours count from the local date's midnight.
        const double expectedHours =
            static_cast<double>(m.ut - (m.local - m.LocalSecondOfDay()) - c.birth.second) / 3600;
        EXPECT_DOUBLE_EQ(UniversalHoursOfLocalDate(m), expectedHours) << c.what;
    }
}

TEST(Moment, ShiftingByDaysCarriesAcrossMonthsYearsAndTheLeapDay) {
    const Moment m = MomentOf(At(2000, 2, 28, 23, 59, 59, -5, -30, true));
    const CivilDateTime leap = CivilOfSeconds(ShiftedByDays(m, 1).local);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
    const CivilDateTime march = CivilOfSeconds(ShiftedByDays(m, 2).local);
    EXPECT_EQ(march.month, 3);
    EXPECT_EQ(march.day, 1);
    const Moment newYear = MomentOf(At(2050, 12, 31, 12, 0, 0, 0, 0, false));
    EXPECT_EQ(CivilOfSeconds(ShiftedByDays(newYear, 1).local).year, 2051);
    EXPECT_EQ(ShiftedByDays(newYear, -1).ut, newYear.ut - kSecondsPerDay);
    EXPECT_EQ(ShiftedByDays(m, 1).zoneMinutes, m.zoneMinutes);
    EXPECT_TRUE(ShiftedByDays(m, 1).dst);
}

TEST(Moment, AClockOf2400CarriesIntoTheNextDay) {
    // The calendar carries 24:00 into the next day's 00:00, as a sunrise a
    // hair before midnight rounds to.
    EXPECT_EQ(DateTimeValue(2000, 12, 31, 24, 0), DateTimeValue(2001, 1, 1, 0, 0));
    EXPECT_EQ(DateTimeOfSeconds(Seconds(2000, 12, 31, 0, 0, 0) + kSecondsPerDay),
              DateTimeValue(2001, 1, 1, 0, 0));
    const Birth late = At(2000, 12, 31, 23, 59, 59, 0, 0, false);
    EXPECT_EQ(MomentOf(late).local + 1, Seconds(2001, 1, 1, 0, 0, 0));
}

TEST(Moment, TheAlmanacZoneIsLocalMinusUniversalTime) {
    // Hours east of Greenwich, an hour more with daylight saving; +13 alone is
    // taken as -11, the same clock a day apart.
    const struct {
        int zoneMinutes;
        bool dst;
        double hours;
    } cases[] = {{-330, false, 5.5}, {300, true, -4.0},   {-780, false, -11.0}, {-720, true, -11.0},
                 {-780, true, 14.0}, {720, false, -12.0}, {210, false, -3.5}};
    for (const auto& c : cases) {
        EXPECT_EQ(AlmanacZoneHours(MomentOfLocal(0, c.zoneMinutes, c.dst)), c.hours)
            << c.zoneMinutes << (c.dst ? " with" : " without") << " daylight saving";
    }
}

TEST(Place, SignedDegreesNorthAndEastPositive) {
    Birth b;
    b.latDeg = 33, b.latMin = 52, b.south = true;
    b.lonDeg = 151, b.lonMin = 12, b.east = true;
    EXPECT_EQ(PlaceOf(b).latitude, -(33 + 52 / 60.0));
    EXPECT_EQ(PlaceOf(b).longitude, 151 + 12 / 60.0);
    b.south = false, b.east = false;
    EXPECT_EQ(PlaceOf(b).latitude, 33 + 52 / 60.0);
    EXPECT_EQ(PlaceOf(b).longitude, -(151 + 12 / 60.0));
}

}  // namespace
}  // namespace korvanta
