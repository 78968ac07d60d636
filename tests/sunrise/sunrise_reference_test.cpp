// SPDX-License-Identifier: GPL-3.0-or-later
// The sunrise reference run on real charts: which sunrise a birth takes, the
// fields it fills, the Sun at that sunrise, the marks it adds, and births
// without a reference sunrise.
//
// Sunrise and sunset times below are the almanac formula's own results,
// evaluated separately to the minute (New Delhi on 20-22 June 2020: 05:24 and
// 19:22 each day; London on 1 January 2001: 08:06; New York on 4 July 1990
// with daylight saving: 05:29). They agree with Swiss Ephemeris 2.10.03 within
// one minute. Elapsed minutes and seconds are worked by hand from them.
#include "pipeline/sunrise_reference.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <variant>

#include "astro/angles.h"
#include "calendar/calendar.h"
#include "pipeline/pipeline.h"
#include "pipeline/steps.h"
#include "pipeline/zones.h"
#include "report/positions.h"
#include "report/report.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

using testing::SampleBirth;

int ZoneIndex(std::string_view text) {
    for (int i = 0; i < kZoneCount; ++i) {
        if (kZoneTable[i].text == text) return i;
    }
    ADD_FAILURE() << "no zone " << text;
    return kDefaultZoneIndex;
}

// A chart as the calculation holds it just before its sunrise steps: the
// birth's numbers with the zone correction, the ascendant, Moon, planets,
// retrograde marks and the twelve arudha padas, run step by step.
struct Prepared {
    korvanta::Birth birth;
    Chart chart;
};

Prepared Prepare(const Birth& b) {
    Prepared p;
    korvanta::Birth& birth = p.birth;
    birth = b;
    const ZoneCorrection zone = Zone_Calculation(b.zoneIndex);
    birth.zoneHours = zone.hours;
    birth.zoneMinutes = zone.minutes;

    Chart& chart = p.chart;
    chart.zoneHours = zone.hours;
    chart.zoneMinutes = zone.minutes;
    chart.moment = MomentOf(birth);
    chart.place = PlaceOf(birth);
    const LagnaResult lagna = Lagna_Calculation(chart.moment, chart.place);
    chart.ayanamsa = lagna.ayanamsa;
    chart.longitude[Index(korvanta::Body::Asc)] = lagna.ascendant;
    chart.ascendantWhole = lagna.ascendantWhole;
    const MoonResult moon = Moon_Calculation(chart.moment);
    chart.moonAyanamsa = moon.ayanamsa;
    chart.longitude[Index(korvanta::Body::Moon)] = moon.longitude;
    chart.moonNakStart = moon.nakStart;
    const PlanetLongitudes planets = PlanetPositions(chart.moment, lagna.ayanamsa);
    constexpr korvanta::Body kOrder[6] = {korvanta::Body::Mercury, korvanta::Body::Venus,
                                          korvanta::Body::Sun,     korvanta::Body::Mars,
                                          korvanta::Body::Jupiter, korvanta::Body::Saturn};
    for (std::size_t k = 0; k < 6; ++k) chart.longitude[Index(kOrder[k])] = planets.planets[k];
    chart.longitude[Index(korvanta::Body::Rahu)] = planets.nodes.rahu;
    chart.longitude[Index(korvanta::Body::Ketu)] = planets.nodes.ketu;
    for (std::size_t k = 0; k < kBodyCount; ++k) {
        chart.position[k] = SignPositionOf(chart.longitude[k]);
        chart.sign[k] = chart.position[k].sign;
    }
    chart.retrograde = Retrograde_Calculation(chart.moment);
    chart.padas = Arudha_Calculation(chart.sign);
    return p;
}

// Runs the sunrise steps and returns how many marks each sign's cell of the
// chart holds beyond the padas' (the lagna lord's included); fails when the
// padas' marks are not first in their cells or a further mark is not blank.
std::array<int, 12> RunAndCountMarks(Prepared& p) {
    const auto bodies = p.chart.longitude;
    SunriseReference_Calculation(p.chart);
    EXPECT_EQ(p.chart.longitude, bodies) << "the sunrise steps moved a body";

    std::array<std::vector<std::string_view>, 12> padaMarks;
    for (std::size_t house = 0; house < 12; ++house) {
        padaMarks[static_cast<std::size_t>(p.chart.padas.pada[house])].push_back(
            house == 11 ? kUpapadaTag : std::string_view{});
        if (house == 0) {
            padaMarks[static_cast<std::size_t>(p.chart.padas.lagnaLordSign)].push_back({});
        }
    }
    const ChartReport report = BuildReport(p.birth, p.chart);
    std::array<int, 12> added{};
    for (std::size_t k = 0; k < 12; ++k) {
        const auto& marks = report.cells[k].marks;
        const std::vector<std::string_view>& padas = padaMarks[k];
        const std::size_t first = std::min(padas.size(), marks.size());
        EXPECT_TRUE(std::equal(padas.begin(), padas.begin() + static_cast<std::ptrdiff_t>(first),
                               marks.begin()) &&
                    first == padas.size())
            << "cell " << k << " lost its pada marks";
        for (std::size_t i = first; i < marks.size(); ++i) {
            EXPECT_EQ(marks[i], "") << "cell " << k << " gained a mark that is not blank";
            ++added[k];
        }
    }
    return added;
}

Birth Delhi(int day, int hour, int minute, int second) {
    Birth b = SampleBirth();
    b.year = 2020, b.month = 6, b.day = day, b.hour = hour, b.minute = minute, b.second = second;
    b.latDeg = 28, b.latMin = 36, b.lonDeg = 77, b.lonMin = 12, b.east = true;
    b.zoneIndex = ZoneIndex("Indian Time, IST, +5.3");
    return b;
}

void ExpectReference(const Chart& chart, int day, int minutes, int seconds) {
    ASSERT_TRUE(chart.sunrise.reference.has_value());
    EXPECT_EQ(*chart.sunrise.reference, DateTimeValue(2020, 6, day, 5, 24));
    EXPECT_EQ(chart.sunrise.minutesFromSunrise, minutes);
    EXPECT_EQ(chart.sunrise.secondsFromSunrise, seconds);
}

TEST(SunriseReferenceChart, DayBirthFillsEveryFieldAndNineMarks) {
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    const std::array<int, 12> added = RunAndCountMarks(p);
    const Chart& chart = p.chart;
    const SunriseReference& sunrise = chart.sunrise;
    const SpecialPoints& special = chart.special;

    EXPECT_EQ(sunrise.today, DateTimeValue(2020, 6, 21, 5, 24));
    EXPECT_EQ(sunrise.sunsetToday, DateTimeValue(2020, 6, 21, 19, 22));
    EXPECT_EQ(sunrise.prev, DateTimeValue(2020, 6, 20, 5, 24));
    EXPECT_EQ(sunrise.sunsetPrev, DateTimeValue(2020, 6, 20, 19, 22));
    EXPECT_EQ(sunrise.next, DateTimeValue(2020, 6, 22, 5, 24));
    EXPECT_EQ(sunrise.sunsetNext, DateTimeValue(2020, 6, 22, 19, 22));
    EXPECT_EQ(sunrise.birthMoment, DateTimeValue(2020, 6, 21, 10, 30, 15));
    // 05:24:00 to 10:30:15.
    ExpectReference(chart, 21, 306, 18375);

    // The Sun at sunrise on the June solstice is in sidereal Gemini.
    const ChartReport report = BuildReport(p.birth, chart);
    EXPECT_EQ(report.sunAtSunrise.substr(3, 3), "Gem") << report.sunAtSunrise;
    EXPECT_EQ(report.sunAtSunrise, ShortPosition(SignPositionOf(sunrise.sunLongitude)));

    const double sun = sunrise.sunLongitude;
    ASSERT_TRUE(special.ghati && special.hora && special.bhava && special.varnada && special.sree);
    EXPECT_DOUBLE_EQ(*special.ghati, ReduceLongitude(sun + 1.25 * 306));
    EXPECT_DOUBLE_EQ(*special.hora, ReduceLongitude(sun + 0.5 * 306));
    EXPECT_DOUBLE_EQ(*special.bhava, ReduceLongitude(sun + 0.25 * 306));
    EXPECT_DOUBLE_EQ(*special.varnada,
                     Varnada_Calculation(chart.ascendantWhole, std::floor(*special.hora)));
    EXPECT_DOUBLE_EQ(*special.sree, SreeLagna_Calculation(chart.Longitude(korvanta::Body::Asc),
                                                          chart.Longitude(korvanta::Body::Moon),
                                                          chart.moonNakStart));

    // 18375 s / 360 = 51.04...: three signs, then the carry from the Sun.
    const std::array<int, 4> parts = Vighati2Degree(18375 / 360.0);
    EXPECT_EQ(parts[0], 3);
    EXPECT_EQ(special.pranapada, PranapadaSign(parts, sun));

    // One mark per point, nine in all, in the cells of their signs.
    ASSERT_TRUE(special.signCountMark && special.pranapada);
    std::array<int, 12> expected{};
    for (const double point :
         {*special.ghati, *special.hora, *special.bhava, *special.varnada, *special.sree}) {
        ++expected[static_cast<std::size_t>(SignOfLongitude(point))];
    }
    ++expected[static_cast<std::size_t>(*special.signCountMark)];
    ++expected[static_cast<std::size_t>(chart.SignOf(korvanta::Body::Moon))];
    ++expected[static_cast<std::size_t>(SignOfLongitude(sun))];
    ++expected[static_cast<std::size_t>(*special.pranapada)];
    EXPECT_EQ(added, expected);
}

TEST(SunriseReferenceChart, TwoInTheMorningTakesThePreviousSunrise) {
    Prepared p = Prepare(Delhi(21, 2, 0, 0));
    RunAndCountMarks(p);
    // 20 June 05:24 to 21 June 02:00: 20 h 36 min.
    ExpectReference(p.chart, 20, 1236, 74160);
}

TEST(SunriseReferenceChart, TenInTheEveningTakesTheNextSunrise) {
    Prepared p = Prepare(Delhi(21, 22, 0, 0));
    RunAndCountMarks(p);
    // 22:00 to 05:24 next morning: 7 h 24 min still to come.
    ExpectReference(p.chart, 22, 444, 26640);
}

TEST(SunriseReferenceChart, BirthAtTheMinuteOfSunsetIsADayBirth) {
    Prepared atSunset = Prepare(Delhi(21, 19, 22, 0));
    RunAndCountMarks(atSunset);
    ExpectReference(atSunset.chart, 21, 838, 50280);  // 05:24 to 19:22

    // One second later the night has begun: 19:22:01 to 05:24:00.
    Prepared after = Prepare(Delhi(21, 19, 22, 1));
    RunAndCountMarks(after);
    ExpectReference(after.chart, 22, 602, 36119);
}

TEST(SunriseReferenceChart, NightBirthOnNewYearsEveTakesNextYearsSunrise) {
    Birth london = SampleBirth();
    london.year = 2000, london.month = 12, london.day = 31, london.hour = 22;
    london.latDeg = 51, london.latMin = 30, london.lonDeg = 0, london.lonMin = 7;
    london.east = false;
    london.zoneIndex = ZoneIndex("Greenwich Mean Time,GMT,0.0");
    Prepared p = Prepare(london);
    RunAndCountMarks(p);
    ASSERT_TRUE(p.chart.sunrise.reference.has_value());
    EXPECT_EQ(*p.chart.sunrise.reference, DateTimeValue(2001, 1, 1, 8, 6));
    EXPECT_EQ(p.chart.sunrise.minutesFromSunrise, 606);  // 22:00 to 08:06
}

TEST(SunriseReferenceChart, SunAtSunriseIsTakenOnTheDaylightSavingClock) {
    // New York 40°43' N 74°0' W, Eastern Standard Time with daylight saving,
    // noon on 4 July 1990: the reference sunrise is 05:29 on the summer clock.
    // The Sun then must be the Sun of a birth entered at 05:29 with the box
    // ticked.
    Birth noon = SampleBirth();
    noon.year = 1990, noon.month = 7, noon.day = 4, noon.hour = 12;
    noon.latDeg = 40, noon.latMin = 43, noon.lonDeg = 74, noon.east = false, noon.dst = true;
    noon.zoneIndex = ZoneIndex("Eastern Standard Time,EST,-5.0");
    Prepared p = Prepare(noon);
    RunAndCountMarks(p);
    ASSERT_TRUE(p.chart.sunrise.reference.has_value());
    EXPECT_EQ(*p.chart.sunrise.reference, DateTimeValue(1990, 7, 4, 5, 29));

    Birth atSunrise = noon;
    atSunrise.hour = 5, atSunrise.minute = 29;
    const Prepared sunrise = Prepare(atSunrise);
    EXPECT_EQ(ShortPosition(SignPositionOf(p.chart.sunrise.sunLongitude)),
              ShortPosition(SignPositionOf(sunrise.chart.Longitude(korvanta::Body::Sun))));
}

Birth Svalbard(int month, int day) {
    Birth b = SampleBirth();
    b.year = 2000, b.month = month, b.day = day, b.hour = 12;
    b.latDeg = 80, b.lonDeg = 15, b.east = true;
    b.zoneIndex = ZoneIndex("Central European Time,CET,+1.0");
    return b;
}

void ExpectNoReference(const Birth& birth) {
    Prepared p = Prepare(birth);
    const std::array<int, 12> added = RunAndCountMarks(p);
    const Chart& chart = p.chart;
    const SpecialPoints& special = chart.special;

    EXPECT_FALSE(chart.sunrise.today.has_value());
    EXPECT_FALSE(chart.sunrise.sunsetToday.has_value());
    EXPECT_FALSE(chart.sunrise.reference.has_value());
    EXPECT_EQ(chart.sunrise.minutesFromSunrise, 0);
    EXPECT_EQ(chart.sunrise.secondsFromSunrise, 0);
    EXPECT_EQ(chart.sunrise.sunLongitude, 0.0) << "the Sun at sunrise was computed anyway";
    EXPECT_EQ(BuildReport(p.birth, chart).sunAtSunrise, "");

    EXPECT_FALSE(special.ghati || special.hora || special.bhava || special.varnada ||
                 special.pranapada);
    ASSERT_TRUE(special.sree.has_value());

    // Only the sign-count, Moon and Sree marks.
    std::array<int, 12> expected{};
    if (special.signCountMark) ++expected[static_cast<std::size_t>(*special.signCountMark)];
    ++expected[static_cast<std::size_t>(chart.SignOf(korvanta::Body::Moon))];
    ++expected[static_cast<std::size_t>(SignOfLongitude(*special.sree))];
    EXPECT_EQ(added, expected);
}

TEST(SunriseReferencePolar, MidsummerAtEightyNorthHasNoReference) {
    ExpectNoReference(Svalbard(6, 21));
}

TEST(SunriseReferencePolar, MidwinterAtEightyNorthHasNoReference) {
    ExpectNoReference(Svalbard(12, 21));
}

TEST(SunriseReferencePolar, NothingIsLeftFromAnEarlierBirth) {
    // The same chart first for Delhi, then for a polar birth.
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    RunAndCountMarks(p);
    ASSERT_TRUE(p.chart.sunrise.reference.has_value());

    const Prepared polar = Prepare(Svalbard(6, 21));
    p.birth = polar.birth;
    p.chart.moment = polar.chart.moment;
    p.chart.place = polar.chart.place;
    p.chart.longitude[Index(korvanta::Body::Asc)] = polar.chart.Longitude(korvanta::Body::Asc);
    p.chart.ascendantWhole = polar.chart.ascendantWhole;
    RunAndCountMarks(p);
    const SunriseReference& s = p.chart.sunrise;
    EXPECT_FALSE(s.today || s.sunsetToday || s.prev || s.sunsetPrev || s.next || s.sunsetNext);
    EXPECT_FALSE(s.reference.has_value());
    EXPECT_EQ(s.minutesFromSunrise, 0);
    EXPECT_EQ(s.sunLongitude, 0.0);
    EXPECT_FALSE(p.chart.special.ghati || p.chart.special.pranapada);
}

TEST(SunriseReferenceMarks, SignCountMarkBelowAriesMarksNothing) {
    // Aries (sign 1) advanced by (10 + 2) mod 12 - 1 = -1 lands on 0.
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    p.chart.padas.lagnaSign = 0;
    p.chart.padas.lagnaSignCount = 10;
    p.chart.padas.moonSignCount = 2;
    const std::array<int, 12> added = RunAndCountMarks(p);
    EXPECT_FALSE(p.chart.special.signCountMark.has_value());
    int total = 0;
    for (const int n : added) total += n;
    EXPECT_EQ(total, 8);
}

TEST(SunriseReferenceMarks, SignCountMarkWrapsPastPisces) {
    // Pisces (sign 12): 12 + (10 + 1) mod 12 - 1 = 22 -> 10: Capricorn, index 9.
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    p.chart.padas.lagnaSign = 11;
    p.chart.padas.lagnaSignCount = 10;
    p.chart.padas.moonSignCount = 1;
    RunAndCountMarks(p);
    EXPECT_EQ(p.chart.special.signCountMark, 9);
}

TEST(SunriseReferenceMarks, ANonFinitePointMarksNothingAndAFullTurnMarksAries) {
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    RunAndCountMarks(p);
    const auto markCount = [&p](std::size_t sign) {
        return BuildReport(p.birth, p.chart).cells[sign].marks.size();
    };
    ASSERT_TRUE(p.chart.special.ghati.has_value());
    const auto ghatiSign = static_cast<std::size_t>(SignOfLongitude(*p.chart.special.ghati));
    const std::size_t before = markCount(ghatiSign);
    p.chart.special.ghati = std::numeric_limits<double>::quiet_NaN();
    p.chart.special.SplitPositions();
    EXPECT_EQ(markCount(ghatiSign), before - 1);

    const std::size_t aries = markCount(0);
    p.chart.special.ghati = 360.0;
    p.chart.special.SplitPositions();
    EXPECT_EQ(markCount(0), aries + 1);
}

TEST(SunriseReferenceMarks, TheWholeCalculationAddsTheSameMarks) {
    // The full calculation reaches the same sunrise fields and cells as the
    // steps run here one by one.
    const Birth birth = Delhi(21, 10, 30, 15);
    Prepared p = Prepare(birth);
    RunAndCountMarks(p);

    const auto outcome = CalculateChart(FormOfBirth(birth));
    ASSERT_TRUE(std::holds_alternative<BirthChart>(outcome));
    const BirthChart& whole = std::get<BirthChart>(outcome);
    const ChartReport wholeReport = BuildReport(whole.birth, whole.chart);
    const ChartReport stepsReport = BuildReport(p.birth, p.chart);
    for (std::size_t k = 0; k < 12; ++k) {
        EXPECT_EQ(wholeReport.cells[k].marks, stepsReport.cells[k].marks) << "cell " << k;
    }
    EXPECT_EQ(whole.chart.sunrise.reference, p.chart.sunrise.reference);
    EXPECT_EQ(whole.chart.sunrise.secondsFromSunrise, p.chart.sunrise.secondsFromSunrise);
    EXPECT_EQ(whole.chart.special.pranapada, p.chart.special.pranapada);
    EXPECT_EQ(whole.chart.special.sree, p.chart.special.sree);
}

}  // namespace
}  // namespace korvanta
