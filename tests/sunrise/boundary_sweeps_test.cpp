// Sweeps over every place where a rule of the sunrise marks changes: the
// sign-count mark for each ascendant and Moon sign, the Varnada Lagna across
// every sign boundary of the ascendant and the Hora Lagna, the Pranapada's
// minute and degree carries, and births at the very minute of sunrise and
// sunset.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "astro/calendar.h"
#include "astro/sunrise.h"
#include "pipeline/sunrise_reference.h"
#include "pipeline/zones.h"
#include "reading/arudha.h"
#include "records/records.h"

namespace korvanta {
namespace {

// Written sign counts, Aries..Pisces.
constexpr std::array<int, 12> kWrittenSignCount = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

BirthData DelhiBirth(int year, int month, int day, int hour, int minute, int second,
                     ChartRecord& chart) {
    BirthData b;
    b.BirthYear = static_cast<std::int16_t>(year);
    b.BirthMonth = static_cast<std::int16_t>(month);
    b.BirthDay = static_cast<std::int16_t>(day);
    b.BirthHour = static_cast<std::int16_t>(hour);
    b.BirthMinute = static_cast<std::int16_t>(minute);
    b.LatDeg = 28, b.LatMin = 36, b.LonDeg = 77, b.LonMin = 12, b.IsEast = true;
    b.BirthMonthName = std::string(kMonthNames[static_cast<std::size_t>(month - 1)]);
    b.BirthDayText = std::to_string(day);
    b.BirthYearText = std::to_string(year);
    b.BirthHourText = std::to_string(hour);
    b.BirthMinuteText = std::to_string(minute);
    b.BirthSecondText = std::to_string(second);
    b.BirthDateText = b.BirthMonthName + " " + b.BirthDayText + "," + b.BirthYearText;
    chart.BirthDateText = b.BirthDateText;
    return b;
}

TEST(BoundarySweeps, SignCountMarkForEveryAscendantAndMoonSign) {
    // The mark lands (count of the ascendant's sign + count of the Moon's
    // sign) mod 12, less one, signs after the ascendant's sign, round the
    // circle; it reaches Pisces and wraps from it to Aries.
    std::array<int, 12> reached{};
    for (int asc = 0; asc < 12; ++asc) {
        for (int moon = 0; moon < 12; ++moon) {
            ChartRecord chart;
            const BirthData birth = DelhiBirth(2020, 6, 21, 10, 30, 0, chart);
            for (std::string& text : chart.ChartList) text = "05 Ari 07";
            chart.ChartList[kAsc] = "05 " + std::string(kSignAbbr[asc]) + " 07";
            chart.ChartList[kMoon] = "05 " + std::string(kSignAbbr[moon]) + " 07";
            ArudhaState arudha;
            ResultCaptions captions;
            for (int n = 0; n < 12; ++n) {
                Arudha_Calculation(kSignLord[(asc + n) % 12], chart, arudha, captions);
            }
            SpecialPoints special;
            SunriseReference_Calculation(birth, chart, arudha, captions, special);

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
            const auto twoDigits = [](int n) {
                return std::string(n < 10 ? "0" : "") + std::to_string(n);
            };
            const std::string text = twoDigits(sunDegrees) + " " + std::string(kSignAbbr[sun]) +
                                     " " + twoDigits(sunMinutes);
            std::array<int, 4> parts = {5, c.degreeSum - sunDegrees, c.minuteSum - sunMinutes, 0};
            const std::optional<int> sign = PranapadaSign(parts, text);
            EXPECT_EQ(parts[0], 5 + c.carriedSigns)
                << text << " + " << parts[1] << "d " << parts[2];
            EXPECT_EQ(sign, (5 + c.carriedSigns + sun + kFrom[sun]) % 12)
                << text << " + " << parts[1] << "d " << parts[2] << "m";
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
            ChartRecord zone;
            Zone_Calculation(zoneIndex, zone);
            const auto events = [&](int dayOffset) {
                const CivilDateTime d =
                    SplitDateTime(DateTimeValue(2021, month, 15 + dayOffset, 0, 0));
                std::array<std::optional<double>, 3> result;
                SunRiseSet_Calculation(d.month, d.day, d.year, 0, 0, place.latDeg, 0, place.south,
                                       place.lonDeg, 0, place.east, zone.ZoneHours,
                                       zone.ZoneMinutes, dst, result);
                return result;
            };
            const double rise = events(0)[0].value(), set = events(0)[1].value();
            const double prevRise = events(-1)[0].value(), nextRise = events(1)[0].value();
            const auto minutes = [](double from, double to) {
                return static_cast<int>(std::llround((to - from) * 1440));
            };
            struct Birth {
                double moment, reference;
                int minutes, seconds;
            };
            const double second = 1.0 / 86400;
            const Birth births[] = {
                {rise - second, prevRise, minutes(prevRise, rise) - 1,
                 minutes(prevRise, rise) * 60 - 1},
                {rise, rise, 0, 0},
                {rise + 59 * second, rise, 0, 59},
                {set, rise, minutes(rise, set), minutes(rise, set) * 60},
                {set + 59 * second, nextRise, minutes(set, nextRise),
                 minutes(set, nextRise) * 60 - 59},
            };
            for (const Birth& b : births) {
                const CivilDateTime at = SplitDateTime(b.moment);
                ChartRecord chart;
                Zone_Calculation(zoneIndex, chart);
                BirthData birth =
                    DelhiBirth(at.year, at.month, at.day, at.hour, at.minute, at.second, chart);
                birth.LatDeg = static_cast<std::int16_t>(place.latDeg), birth.LatMin = 0;
                birth.LonDeg = static_cast<std::int16_t>(place.lonDeg), birth.LonMin = 0;
                birth.IsSouth = place.south, birth.IsEast = place.east, birth.IsDST = dst;
                ArudhaState arudha;
                ResultCaptions captions;
                SpecialPoints special;
                SunriseReference_Calculation(birth, chart, arudha, captions, special);
                const std::string where =
                    std::string(place.zone) + ", birth " + std::to_string(at.month) + "/" +
                    std::to_string(at.day) + " " + std::to_string(at.hour) + ":" +
                    std::to_string(at.minute) + ":" + std::to_string(at.second);
                ASSERT_TRUE(chart.ReferenceSunrise.has_value()) << where;
                EXPECT_EQ(*chart.ReferenceSunrise, b.reference) << where;
                EXPECT_EQ(chart.MinutesFromSunrise, b.minutes) << where;
                EXPECT_EQ(chart.SecondsFromSunrise, b.seconds) << where;
            }
        }
    }
}

}  // namespace
}  // namespace korvanta
