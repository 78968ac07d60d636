// SPDX-License-Identifier: GPL-3.0-or-later
// Sweeps over every place where a rule of the sunrise marks changes: the
// sign-count mark for each ascendant and Moon sign, the Varnada Lagna across
// every sign boundary of the ascendant and the Hora Lagna, the Pranapada's
// minute and degree carries, and births at the very minute of sunrise and
// sunset.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "calendar/calendar.h"
#include "astro/sunrise.h"
#include "pipeline/birth.h"
#include "pipeline/chart.h"
#include "pipeline/sunrise_reference.h"
#include "pipeline/zones.h"
#include "reading/arudha.h"

namespace korvanta {
namespace {

// Written sign counts, Aries..Pisces.
constexpr std::array<int, 12> kWrittenSignCount = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

Birth DelhiBirth(int year, int month, int day, int hour, int minute, int second) {
    Birth b;
    b.year = year, b.month = month, b.day = day;
    b.hour = hour, b.minute = minute, b.second = second;
    b.latDeg = 28, b.latMin = 36, b.lonDeg = 77, b.lonMin = 12, b.east = true;
    return b;
}

TEST(BoundarySweeps, SignCountMarkForEveryAscendantAndMoonSign) {
    // The mark lands (count of the ascendant's sign + count of the Moon's
    // sign) mod 12, less one, signs after the ascendant's sign, round the
    // circle; it reaches Pisces and wraps from it to Aries.
    std::array<int, 12> reached{};
    for (int asc = 0; asc < 12; ++asc) {
        for (int moon = 0; moon < 12; ++moon) {
            Chart chart;
            chart.sign.fill(0);
            chart.sign[Index(Body::Asc)] = asc;
            chart.sign[Index(Body::Moon)] = moon;
            chart.padas = Arudha_Calculation(chart.sign);
            const Birth delhi = DelhiBirth(2020, 6, 21, 10, 30, 0);
            chart.moment = MomentOf(delhi);
            chart.place = PlaceOf(delhi);
            SunriseReference_Calculation(chart);
            const SpecialPoints& special = chart.special;

            const int advance = (kWrittenSignCount[asc] + kWrittenSignCount[moon]) % 12;
            const int expected = (asc + advance - 1 + 12) % 12;
            EXPECT_EQ(special.signCountMark, expected) << "ascendant " << asc << ", Moon " << moon;
            ++reached[expected];
        }
    }
    // Every sign, Pisces included, is reached by some pair.
    for (int k = 0; k < 12; ++k) EXPECT_GT(reached[k], 0) << "sign " << k;
}

TEST(BoundarySweeps, VarnadaAcrossEverySignBoundaryOfAscendantAndHora) {
    // Aries, Gemini, Leo, Libra, Sagittarius and Aquarius count forward from
    // 0 degrees; the other signs, and 360 itself, backward from 360.
    constexpr std::array<bool, 13> kForward = {true,  false, true,  false, true,  false, true,
                                               false, true,  false, true,  false, false};
    const auto count = [&](int degrees) {
        return kForward[static_cast<std::size_t>(degrees / 30)] ? degrees : 360 - degrees;
    };
    // Every whole degree 0..360 of both, so each boundary is crossed both ways.
    for (int a = 0; a <= 360; ++a) {
        for (int h = 0; h <= 360; ++h) {
            const bool same = kForward[static_cast<std::size_t>(a / 30)] ==
                              kForward[static_cast<std::size_t>(h / 30)];
            int v = same ? count(a) + count(h) : std::abs(count(a) - count(h));
            while (v > 360) v -= 360;
            if (!kForward[static_cast<std::size_t>(a / 30)]) v = 360 - v;
            ASSERT_EQ(Varnada_Calculation(a, h), v) << "ascendant " << a << ", hora " << h;
        }
    }
}

TEST(BoundarySweeps, PranapadaCarriesMinutesAtSixtyAndDegreesAtThirty) {
    // Sun's minutes + the parts' minutes, Sun's degrees + the parts' degrees,
    // and the whole signs that must be carried.
    struct Case {
        int minuteSum, degreeSum, carriedSigns;
    };
    constexpr Case kCases[] = {{59, 29, 0}, {60, 29, 1}, {61, 29, 1}, {0, 29, 0},   {59, 30, 1},
                               {60, 30, 1}, {59, 28, 0}, {60, 58, 1}, {118, 58, 1}, {0, 0, 0}};
    // Counted from the Sun's sign itself when it is movable, from its 9th
    // when fixed, from its 5th when dual.
    constexpr std::array<int, 12> kFrom = {0, 8, 4, 0, 8, 4, 0, 8, 4, 0, 8, 4};
    for (int sun = 0; sun < 12; ++sun) {
        for (const Case& c : kCases) {
            const int sunMinutes = std::min(c.minuteSum, 59);
            const int sunDegrees = std::min(c.degreeSum, 29);
            // Half a second more, so that the minutes are not cut short.
            const double sunLongitude = 30.0 * sun + sunDegrees + sunMinutes / 60.0 + 0.5 / 3600;
            const std::array<int, 4> parts = {5, c.degreeSum - sunDegrees, c.minuteSum - sunMinutes,
                                              0};
            const std::optional<int> sign = PranapadaSign(parts, sunLongitude);
            EXPECT_EQ(sign, (5 + c.carriedSigns + sun + kFrom[sun]) % 12)
                << "Sun " << sunDegrees << "d " << sunMinutes << "m of sign " << sun << " + "
                << parts[1] << "d " << parts[2] << "m";
        }
    }
}

// Births at a second before, at, and after the minute of sunrise and of
// sunset, across a year in three places (east, west with daylight saving in
// summer, south), each against the day's own sunrise and sunset.
TEST(BoundarySweeps, BirthsAtTheMinuteOfSunriseAndSunset) {
    struct Place {
        int latDeg;
        bool south;
        int lonDeg;
        bool east;
        std::string_view zone;
        bool summerTime;
    };
    constexpr Place kPlaces[] = {
        {28, false, 77, true, "Indian Time, IST, +5.3", false},
        {40, false, 74, false, "Eastern Standard Time,EST,-5.0", true},
        {33, true, 151, true, "Australian Eastern Standard Time,AEST,+10.0", false}};
    for (const Place& place : kPlaces) {
        int zoneIndex = -1;
        for (int i = 0; i < kZoneCount; ++i) {
            if (kZoneTable[static_cast<std::size_t>(i)].text == place.zone) zoneIndex = i;
        }
        ASSERT_GE(zoneIndex, 0) << place.zone;
        for (int month = 1; month <= 12; ++month) {
            const bool dst = place.summerTime && month >= 4 && month <= 10;
            const ZoneCorrection zone = Zone_Calculation(zoneIndex);
            const auto events = [&](int dayOffset) {
                const double at = DateTimeValue(2021, month, 15 + dayOffset, 0, 0);
                const korvanta::Moment day =
                    MomentOfLocal(std::llround(at * 86400.0), zone.hours * 60 + zone.minutes, dst);
                const double latitude = place.south ? -place.latDeg : place.latDeg;
                const double longitude = place.east ? place.lonDeg : -place.lonDeg;
                return SunRiseSet_Calculation(day, {latitude, longitude});
            };
            const double rise = events(0).sunrise.value(), set = events(0).sunset.value();
            const double prevRise = events(-1).sunrise.value();
            const double nextRise = events(1).sunrise.value();
            const auto minutes = [](double from, double to) {
                return static_cast<int>(std::llround((to - from) * 1440));
            };
            struct Case {
                double moment, reference;
                int minutes, seconds;
            };
            const double second = 1.0 / 86400;
            const Case births[] = {
                {rise - second, prevRise, minutes(prevRise, rise) - 1,
                 minutes(prevRise, rise) * 60 - 1},
                {rise, rise, 0, 0},
                {rise + 59 * second, rise, 0, 59},
                {set, rise, minutes(rise, set), minutes(rise, set) * 60},
                {set + 59 * second, nextRise, minutes(set, nextRise),
                 minutes(set, nextRise) * 60 - 59},
            };
            for (const Case& b : births) {
                const CivilDateTime at = SplitDateTime(b.moment);
                Birth birth = DelhiBirth(at.year, at.month, at.day, at.hour, at.minute, at.second);
                birth.zoneHours = zone.hours, birth.zoneMinutes = zone.minutes;
                birth.latDeg = place.latDeg, birth.latMin = 0;
                birth.lonDeg = place.lonDeg, birth.lonMin = 0;
                birth.south = place.south, birth.east = place.east, birth.dst = dst;
                Chart chart;
                chart.moment = MomentOf(birth);
                chart.place = PlaceOf(birth);
                SunriseReference_Calculation(chart);
                const std::string where =
                    std::string(place.zone) + ", birth " + std::to_string(at.month) + "/" +
                    std::to_string(at.day) + " " + std::to_string(at.hour) + ":" +
                    std::to_string(at.minute) + ":" + std::to_string(at.second);
                ASSERT_TRUE(chart.sunrise.reference.has_value()) << where;
                EXPECT_EQ(*chart.sunrise.reference, b.reference) << where;
                EXPECT_EQ(chart.sunrise.minutesFromSunrise, b.minutes) << where;
                EXPECT_EQ(chart.sunrise.secondsFromSunrise, b.seconds) << where;
            }
        }
    }
}

}  // namespace
}  // namespace korvanta
