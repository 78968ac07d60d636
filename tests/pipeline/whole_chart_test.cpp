// SPDX-License-Identifier: GPL-3.0-or-later
// Whole charts of four births, one per hemisphere quadrant, against an
// independent re-computation.
//
// The expected texts come from tools/reference/chart_reference.py, a second
// implementation of the chart's astronomy written separately in Python from
// the formulas (run it to print them). The two agree to the second of arc; a
// difference here means one of them has left the formulas. As a check on
// both, the same births' planets lie within 0.3° of Swiss Ephemeris (see
// tests/astro/planets_test.cpp).
#include <gtest/gtest.h>

#include <variant>

#include "pipeline/pipeline.h"
#include "report/report.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

using testing::SampleBirth;

struct Expected {
    const char* asc;
    const char* moon;
    double nakStart;
    std::array<const char*, 6> planets;  // Mercury, Venus, Sun, Mars, Jupiter, Saturn
    const char* rahu;
    const char* ketu;
    std::array<const char*, 10> chartList;
};

struct Calculated {
    Chart chart;
    ChartReport report;
};

Calculated Calculate(const Birth& b) {
    auto outcome = CalculateChart(FormOfBirth(b));
    EXPECT_TRUE(std::holds_alternative<BirthChart>(outcome));
    const BirthChart& result = std::get<BirthChart>(outcome);
    return {result.chart, BuildReport(result.birth, result.chart)};
}

void ExpectChart(const Calculated& r, const Expected& e) {
    const auto& text = r.report.longPositions;
    EXPECT_EQ(text[Index(korvanta::Body::Asc)], e.asc);
    EXPECT_EQ(text[Index(korvanta::Body::Moon)], e.moon);
    EXPECT_EQ(r.chart.moonNakStart, e.nakStart);
    constexpr korvanta::Body kPlanetOrder[6] = {korvanta::Body::Mercury, korvanta::Body::Venus,
                                                korvanta::Body::Sun,     korvanta::Body::Mars,
                                                korvanta::Body::Jupiter, korvanta::Body::Saturn};
    for (std::size_t p = 0; p < 6; ++p)
        EXPECT_EQ(text[Index(kPlanetOrder[p])], e.planets[p]) << "planet " << p;
    EXPECT_EQ(text[Index(korvanta::Body::Rahu)], e.rahu);
    EXPECT_EQ(text[Index(korvanta::Body::Ketu)], e.ketu);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(r.report.positions[i].text, e.chartList[i]) << "body " << i;
    }
}

#define DEG "\xC2\xB0"

TEST(WholeChart, NorthEastNewDelhi) {
    Birth b = SampleBirth();
    b.year = 1980, b.month = 6, b.day = 5, b.hour = 9, b.minute = 5;
    b.lonDeg = 77, b.lonMin = 12, b.east = true, b.latDeg = 28, b.latMin = 36;
    b.zoneIndex = 34;  // "Indian Time, IST, +5.3"
    ExpectChart(Calculate(b),
                {"9" DEG " 50' 55\" Can",
                 "8" DEG " 23' 27\" Aqu",
                 306.59,
                 {"13" DEG " 2' 49\" Gem", "6" DEG " 28' 24\" Gem", "21" DEG " 3' 11\" Tau",
                  "18" DEG " 20' 15\" Leo", "8" DEG " 56' 42\" Leo", "26" DEG " 47' 48\" Leo"},
                 "29" DEG " 7' 35\" Can",
                 "29" DEG " 7' 35\" Cap",
                 {"21 Tau 03", "08 Aqu 23", "13 Gem 02", "06 Gem 28", "18 Leo 20", "08 Leo 56",
                  "26 Leo 47", "29 Can 07", "29 Cap 07", "09 Can 50"}});
}

TEST(WholeChart, NorthWestNewYorkWithDaylightSaving) {
    Birth b = SampleBirth();
    b.year = 1969, b.month = 7, b.day = 20, b.hour = 22, b.minute = 56;
    b.lonDeg = 73, b.lonMin = 58, b.east = false, b.latDeg = 40, b.latMin = 47;
    b.zoneIndex = 27;  // "Eastern Standard Time,EST,-5.0"
    b.dst = true;
    ExpectChart(Calculate(b),
                {"4" DEG " 22' 6\" Pis",
                 "17" DEG " 57' 58\" Vir",
                 159.96,
                 {"3" DEG " 0' 57\" Can", "21" DEG " 54' 59\" Tau", "4" DEG " 44' 51\" Can",
                  "9" DEG " 24' 16\" Sco", "7" DEG " 22' 33\" Vir", "14" DEG " 46' 38\" Ari"},
                 "29" DEG " 36' 28\" Aqu",
                 "29" DEG " 36' 28\" Leo",
                 {"04 Can 44", "17 Vir 57", "03 Can 00", "21 Tau 54", "09 Sco 24", "07 Vir 22",
                  "14 Ari 46", "29 Aqu 36", "29 Leo 36", "04 Pis 22"}});
}

TEST(WholeChart, SouthEastSydneyJustAfterMidnight) {
    // 00:30 local is 14:30 UT on the day before: the planets' UT date moves.
    Birth b = SampleBirth();
    b.year = 2001, b.month = 1, b.day = 1, b.hour = 0, b.minute = 30;
    b.lonDeg = 151, b.lonMin = 12, b.east = true, b.latDeg = 33, b.latMin = 52, b.south = true;
    b.zoneIndex = 8;  // "Australian Eastern Standard Time,AEST,+10.0"
    ExpectChart(Calculate(b),
                {"4" DEG " 37' 53\" Lib",
                 "20" DEG " 3' 27\" Aqu",
                 319.92,
                 {"19" DEG " 46' 44\" Sag", "2" DEG " 40' 7\" Aqu", "16" DEG " 22' 15\" Sag",
                  "10" DEG " 51' 11\" Lib", "8" DEG " 25' 44\" Tau", "0" DEG " 34' 17\" Tau"},
                 "20" DEG " 55' 17\" Gem",
                 "20" DEG " 55' 17\" Sag",
                 {"16 Sag 22", "20 Aqu 03", "19 Sag 46", "02 Aqu 40", "10 Lib 51", "08 Tau 25",
                  "00 Tau 34", "20 Gem 55", "20 Sag 55", "04 Lib 37"}});
}

TEST(WholeChart, SouthWestSaoPauloLateEvening) {
    Birth b = SampleBirth();
    b.year = 1935, b.month = 11, b.day = 15, b.hour = 23, b.minute = 45;
    b.lonDeg = 46, b.lonMin = 38, b.east = false, b.latDeg = 23, b.latMin = 33, b.south = true;
    b.zoneIndex = 14;  // "Brazil Zone 2,BZT2,-3.0"
    ExpectChart(Calculate(b),
                {"15" DEG " 13' 36\" Can",
                 "8" DEG " 31' 46\" Can",
                 93.31,
                 {"16" DEG " 13' 57\" Lib", "13" DEG " 12' 21\" Vir", "29" DEG " 50' 59\" Lib",
                  "20" DEG " 49' 48\" Sag", "8" DEG " 32' 34\" Sco", "10" DEG " 30' 27\" Aqu"},
                 "21" DEG " 27' 36\" Sag",
                 "21" DEG " 27' 36\" Gem",
                 {"29 Lib 50", "08 Can 31", "16 Lib 13", "13 Vir 12", "20 Sag 49", "08 Sco 32",
                  "10 Aqu 30", "21 Sag 27", "21 Gem 27", "15 Can 13"}});
}

TEST(WholeChart, ZoneAndLongitudeOnDifferentSidesGiveOneMoment) {
    // Indian Time entered for a western longitude: every body is computed for
    // local time - 5.5 h, the same chart as GMT entered 5.5 h earlier.
    Birth india = SampleBirth();
    india.year = 1990, india.month = 3, india.day = 1, india.hour = 12, india.minute = 0;
    india.lonDeg = 3, india.lonMin = 42, india.east = false, india.latDeg = 40, india.latMin = 25;
    india.zoneIndex = 34;
    Birth gmt = india;
    gmt.hour = 6;
    gmt.minute = 30;
    gmt.zoneIndex = 29;
    const Calculated a = Calculate(india);
    const Calculated b = Calculate(gmt);
    EXPECT_EQ(a.report.longPositions, b.report.longPositions);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(a.report.positions[i].text, b.report.positions[i].text) << "body " << i;
    }
}

}  // namespace
}  // namespace korvanta
