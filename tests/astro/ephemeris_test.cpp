// SPDX-License-Identifier: GPL-3.0-or-later
// Julian days, ayanamsas, the angle helpers, the position text and the
// ascendant's universal time.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/angles.h"
#include "astro/ayanamsa.h"
#include "astro/time_scales.h"
#include "pipeline/birth.h"
#include "pipeline/steps.h"
#include "report/positions.h"

namespace korvanta {
namespace {

TEST(JulianDayNumber, KnownDates) {
    // Standard Julian day numbers (Meeus, Astronomical Algorithms, ch. 7).
    EXPECT_EQ(JulianDayNumber(2000, 1, 1), 2451545.0);
    EXPECT_EQ(JulianDayNumber(1900, 1, 1), 2415021.0);
    EXPECT_EQ(JulianDayNumber(1582, 10, 15), 2299161.0);  // the first Gregorian day
    EXPECT_EQ(JulianDayNumber(2050, 12, 31), 2470172.0);
}

TEST(Ayanamsa, SizeNearTheEpochs) {
    // Both series give the ayanamsa as a negative number of degrees; in 2000
    // it is about 23°52' (tolerance 0.01°).
    const double t1900 = (2451545.0 - 2415020.0) / 36525.0;
    EXPECT_NEAR(Ayanamsa_1900(t1900), -23.86, 0.01);
    EXPECT_NEAR(Ayanamsa_2000(0.0), -23.86, 0.01);
    // It grows by about 50.3" a year; the nutation terms add up to 18.5"
    // either way, so half a century moves it 0.698° +/- 0.01°.
    EXPECT_NEAR(Ayanamsa_2000(0.5) - Ayanamsa_2000(0.0), -0.698, 0.0103);
    EXPECT_NEAR(Ayanamsa_1900(0.0), -22.46, 0.01);
}

TEST(Normalize360, OneStepEachWayAndWritesBack) {
    double x = -10;
    EXPECT_EQ(Normalize360(x), 350);
    EXPECT_EQ(x, 350);
    x = 370;
    EXPECT_EQ(Normalize360(x), 10);
    x = 360;
    EXPECT_EQ(Normalize360(x), 360);  // exactly 360 stays
    x = 0;
    EXPECT_EQ(Normalize360(x), 0);
}

TEST(ArcTan2, QuadrantsAndItsOwnRulesOnTheAxes) {
    EXPECT_DOUBLE_EQ(ArcTan2(1, 1), std::atan(1.0));
    EXPECT_DOUBLE_EQ(ArcTan2(1, -1), kPi - std::atan(1.0));
    EXPECT_DOUBLE_EQ(ArcTan2(-1, -1), -(kPi - std::atan(1.0)));
    EXPECT_DOUBLE_EQ(ArcTan2(2, 0), kPi / 2);
    EXPECT_DOUBLE_EQ(ArcTan2(-2, 0), -kPi / 2);
    EXPECT_EQ(ArcTan2(0, 0), 0);
    // Unlike atan2, a point on the negative x axis gives 0, not pi.
    EXPECT_EQ(ArcTan2(0, -1), 0);
}

TEST(FormatSignPosition, DegreesMinutesSecondsAndSign) {
    EXPECT_EQ(FormatSignPosition(SignPositionOf(5 + 7 / 60.0 + 9.5 / 3600)),
              "5\xC2\xB0 7' 9\" Ari");
    EXPECT_EQ(FormatSignPosition(SignPositionOf(235.5)), "25\xC2\xB0 30' 0\" Sco");
    EXPECT_EQ(FormatSignPosition(SignPositionOf(-235.5)),
              "25\xC2\xB0 30' 0\" Sco");  // absolute value
    EXPECT_EQ(FormatSignPosition(SignPositionOf(359.99)), "29\xC2\xB0 59' 24\" Pis");
    EXPECT_EQ(FormatSignPosition(SignPositionOf(30)), "0\xC2\xB0 0' 0\" Tau");
    // 360 is 0° Aries, never a position without a sign.
    EXPECT_EQ(FormatSignPosition(SignPositionOf(360)), "0\xC2\xB0 0' 0\" Ari");
    EXPECT_EQ(FormatSignPosition(SignPositionOf(361.25)), "1\xC2\xB0 15' 0\" Ari");
}

Birth BirthAt(int hour, int minute, bool east, bool dst) {
    Birth b;
    b.year = 2000;
    b.month = 1;
    b.day = 1;
    b.hour = hour;
    b.minute = minute;
    b.east = east;
    b.dst = dst;
    return b;
}

// UT hours from 0 h of the local date of a clock time on 1 January 2000.
double UniversalHours(int hour, int minute, bool dst, int zoneMinutes) {
    const std::int64_t local =
        std::int64_t{DaysFromCivil(2000, 1, 1)} * kSecondsPerDay + hour * 3600 + minute * 60;
    return UniversalHoursOfLocalDate(MomentOfLocal(local, zoneMinutes, dst));
}

TEST(UniversalHours, SignedZoneAndDaylightSaving) {
    // Indian Time: 5h30 east.
    EXPECT_DOUBLE_EQ(UniversalHours(23, 30, false, -330), 18.0);
    // Before the zone's offset has passed, UT falls on the day before: -3.5 h.
    EXPECT_DOUBLE_EQ(UniversalHours(2, 0, false, -330), -3.5);
    // Daylight saving makes UT one hour earlier on both sides of Greenwich.
    EXPECT_DOUBLE_EQ(UniversalHours(23, 30, true, -330), 17.0);
    EXPECT_DOUBLE_EQ(UniversalHours(22, 0, true, 300), 26.0);
}

TEST(Lagna, TheZoneRowDecidesWhateverTheHemisphere) {
    // A western longitude with Indian Time still takes local time - 5.5 h:
    // the same moment as 06:30 at Greenwich.
    Birth west = BirthAt(12, 0, false, false);
    west.zoneHours = -5;
    west.zoneMinutes = -30;
    Birth greenwich = BirthAt(6, 30, false, false);
    EXPECT_NEAR(Lagna_Calculation(MomentOf(west), PlaceOf(west)).ascendant,
                Lagna_Calculation(MomentOf(greenwich), PlaceOf(greenwich)).ascendant, 1e-9);
}

TEST(Lagna, SameMomentGivesSameAscendantWhateverTheZone) {
    // Madrid's longitude with Central European Time at 12:00 and with GMT at
    // 11:00 is the same moment, so the same ascendant (to 1e-9°).
    Birth madrid = BirthAt(12, 0, false, false);
    madrid.lonDeg = 3;
    madrid.lonMin = 42;
    madrid.latDeg = 40;
    madrid.latMin = 25;
    madrid.zoneHours = -1;
    const LagnaResult cet = Lagna_Calculation(MomentOf(madrid), PlaceOf(madrid));
    Birth madridGmt = madrid;
    madridGmt.hour = 11;
    madridGmt.zoneHours = 0;
    const LagnaResult gmt = Lagna_Calculation(MomentOf(madridGmt), PlaceOf(madridGmt));
    EXPECT_NEAR(cet.ascendant, gmt.ascendant, 1e-9);
    EXPECT_EQ(FormatSignPosition(SignPositionOf(cet.ascendant)),
              FormatSignPosition(SignPositionOf(gmt.ascendant)));
    EXPECT_EQ(cet.ascendantWhole, std::floor(cet.ascendant));
    EXPECT_NEAR(cet.ayanamsa, -23.86, 0.01);
}

TEST(Lagna, RisesThroughAllSignsInADay) {
    // The ascendant moves about a sign every two hours: over 24 hourly
    // samples every sign appears, and each value lies in [0, 360].
    bool seen[12] = {};
    for (int hour = 0; hour < 24; ++hour) {
        Birth b = BirthAt(hour, 0, true, false);
        b.lonDeg = 77;
        b.latDeg = 28;
        const double ascendant = Lagna_Calculation(MomentOf(b), PlaceOf(b)).ascendant;
        ASSERT_GE(ascendant, 0);
        ASSERT_LE(ascendant, 360);
        seen[static_cast<int>(ascendant / 30) % 12] = true;
    }
    for (bool s : seen) EXPECT_TRUE(s);
}

}  // namespace
}  // namespace korvanta
