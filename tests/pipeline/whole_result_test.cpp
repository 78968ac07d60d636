// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of the result for known births, and the pipeline's rules
// around them (fresh state per calculation, refusals, the chart cells).
//
// The body positions of these births are pinned in whole_chart_test.cpp
// against an independent re-computation; the padas below were counted by hand
// from those signs (house sign, its lord's sign, as many signs again; the
// 10th from the house when that lands on the house or its 7th; the 4th from
// the house when it lands on the 7th from the house).
#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "calendar/calendar.h"
#include "astro/retrograde.h"
#include "pipeline/pipeline.h"
#include "report/names.h"
#include "report/report.h"
#include "support/cell_columns.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

using testing::SampleBirth;

struct Result {
    korvanta::Birth birth;
    Chart chart;
    ChartReport report;

    // The text shown beside a caption of "Your Details" or of the profile.
    std::string_view Detail(std::string_view label) const {
        for (const LabelledText* d : report.details.Rows()) {
            if (d->label == label) return d->text;
        }
        ADD_FAILURE() << "no detail " << label;
        return {};
    }
    std::string_view Profile(std::string_view label) const {
        for (const auto& p : report.profile) {
            if (p.label == label) return p.text;
        }
        for (const auto& p : report.readings) {
            if (p.label == label) return p.text;
        }
        ADD_FAILURE() << "no profile entry " << label;
        return {};
    }
    // The chart cells' bodies and marks as the window's captions hold them.
    std::array<std::string, 12> BodyCaptions() const {
        std::array<std::string, 12> captions;
        for (std::size_t k = 0; k < 12; ++k)
            captions[k] = korvanta::testing::CrLfColumn((report.cells[k]).bodies);
        return captions;
    }
    std::string Marks(int sign) const {
        return korvanta::testing::CrLfColumn((report.cells[static_cast<std::size_t>(sign)]).marks);
    }
};

Result Calculate(const Birth& b) {
    auto outcome = CalculateChart(FormOfBirth(b));
    EXPECT_TRUE(std::holds_alternative<BirthChart>(outcome));
    const BirthChart& result = std::get<BirthChart>(outcome);
    return {result.birth, result.chart, BuildReport(result.birth, result.chart)};
}

CivilDateTime ReferenceSunrise(const Result& r) {
    return SplitDateTime(r.chart.sunrise.reference.value_or(0));
}

Birth NewDelhi1980() {
    Birth b = SampleBirth();
    b.name = "ASHA RAO";
    b.year = 1980, b.month = 6, b.day = 5, b.hour = 9, b.minute = 5, b.second = 30;
    b.lonDeg = 77, b.lonMin = 12, b.east = true, b.latDeg = 28, b.latMin = 36;
    b.zoneIndex = 34;
    b.city = "New Delhi", b.state = "Delhi", b.country = "India";
    return b;
}

Birth NewYork1969() {
    Birth b = SampleBirth();
    b.name = "NEIL";
    b.year = 1969, b.month = 7, b.day = 20, b.hour = 22, b.minute = 56;
    b.lonDeg = 73, b.lonMin = 58, b.east = false, b.latDeg = 40, b.latMin = 47;
    b.zoneIndex = 27;
    b.dst = true;
    b.city = "New York", b.state = "NY", b.country = "USA";
    return b;
}

// The pada marks leave each marker cell as a run
// of "\r\n" + tag; the sunrise marks only append bare line breaks. Strip
// those trailing breaks beyond `padaMarks` marks.
std::string PadaPart(const std::string& caption, int padaMarks) {
    std::size_t at = 0;
    for (int i = 0; i < padaMarks; ++i) {
        at = caption.find("\r\n", at);
        if (at == std::string::npos) return caption;
        at += 2;
        if (caption.compare(at, 2, "UL") == 0) at += 2;
    }
    return caption.substr(0, at);
}

TEST(WholeResult, NewDelhiEveryCaption) {
    const Result r = Calculate(NewDelhi1980());
    const ChartReport& c = r.report;

    // Venus turned retrograde on 24 May 1980 and direct on 6 July (stations).
    EXPECT_EQ(c.bodyNames[Index(korvanta::Body::Venus)], "Venus (R) ");
    for (auto body : {korvanta::Body::Mercury, korvanta::Body::Mars, korvanta::Body::Jupiter,
                      korvanta::Body::Saturn}) {
        EXPECT_EQ(c.bodyNames[Index(body)], kBodyNames[Index(body)]);
    }

    // Bodies by sign (positions pinned elsewhere), in body order.
    const std::array<std::string, 12> cells = {"",
                                               "\r\nSun",
                                               "\r\nMercury\r\nVenus (R) ",
                                               "\r\nRahu\r\nAsc",
                                               "\r\nMars\r\nJupiter\r\nSaturn",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "\r\nKetu",
                                               "\r\nMoon",
                                               ""};
    EXPECT_EQ(r.BodyCaptions(), cells);
    // The table shows positions only, never the retrograde mark.
    EXPECT_EQ(c.positions[Index(korvanta::Body::Venus)].text, "06 Gem 28");

    // Ascendant Cancer: houses 1..12 are Cancer..Gemini.
    const std::array<int, 12> padas = {5, 7, 8, 10, 10, 0, 11, 7, 9, 8, 3, 11};
    EXPECT_EQ(r.chart.padas.pada, padas);
    EXPECT_EQ(r.chart.padas.ulSign, 11);  // Pisces
    EXPECT_EQ(r.chart.padas.ulHouse, 9);
    EXPECT_EQ(c.ulHouse, "House 9");
    EXPECT_EQ(c.ulReading, "Wisdom and knowledge will be of utmost importance.  ");

    // Marks per cell: house 7 then house 12 ("UL") in Pisces; Aquarius holds
    // the lagna lord's mark and houses 4 and 5.
    EXPECT_EQ(PadaPart(r.Marks(11), 2), "\r\n\r\nUL");
    EXPECT_EQ(PadaPart(r.Marks(10), 3), "\r\n\r\n\r\n");
    EXPECT_EQ(PadaPart(r.Marks(5), 1), "\r\n");
    EXPECT_EQ(PadaPart(r.Marks(1), 0), "");

    EXPECT_EQ(c.name, "ASHA RAO");
    EXPECT_EQ(r.Detail("Date of Birth"), "June/5/1980");
    EXPECT_EQ(r.Detail("Time of Birth"), "9:5");
    EXPECT_EQ(r.Detail("Latitude"), "28\xC2\xB0 36' N");
    EXPECT_EQ(r.Detail("Longitude"), "77\xC2\xB0 12' E");
    EXPECT_EQ(r.Detail("City"), "New Delhi");
    EXPECT_EQ(r.Detail("State"), "Delhi");
    EXPECT_EQ(r.Detail("Country"), "India");

    // UL in Pisces: its profile row.
    EXPECT_EQ(r.Profile("Vedic Name"), "Meena");
    EXPECT_EQ(r.Profile("English Name"), "Pisces");
    EXPECT_EQ(r.Profile("Upapada Lagna Present In Sign"), "Pisces");
    EXPECT_EQ(r.Profile("Upapada Lagna Present In House"), "House 9");
    EXPECT_EQ(r.Profile("Rulling Planet"), "Jupiter");
    EXPECT_EQ(r.Profile("Lucky Gemstone"), "Yellow Sapphire");
    EXPECT_EQ(r.Profile("Compatible With"), "Taurus, Cancer, Virgo, Scorpio, Capricorn");
    EXPECT_EQ(r.Profile("Health").substr(0, 44), "Common cold will be your constant companion.");

    // A day birth: the day's own sunrise is the reference, and the birth
    // keeps its seconds.
    EXPECT_EQ(r.birth.second, 30);
    EXPECT_EQ(r.chart.sunrise.birthMoment, DateTimeValue(1980, 6, 5, 9, 5, 30));
    ASSERT_TRUE(r.chart.sunrise.reference && r.chart.sunrise.today);
    EXPECT_EQ(*r.chart.sunrise.reference, *r.chart.sunrise.today);
    const CivilDateTime sunrise = ReferenceSunrise(r);
    EXPECT_EQ(sunrise.day, 5);
    EXPECT_EQ(sunrise.month, 6);
    EXPECT_EQ(sunrise.year, 1980);
}

TEST(WholeResult, NewYorkWithDaylightSavingAndULOnTheFourthLine) {
    const Result r = Calculate(NewYork1969());
    // Ascendant Pisces: houses 1..12 are Pisces..Aquarius.
    const std::array<int, 12> padas = {8, 2, 10, 4, 7, 2, 1, 8, 4, 11, 0, 2};
    EXPECT_EQ(r.chart.padas.pada, padas);
    EXPECT_EQ(r.chart.padas.ulSign, 2);  // Gemini
    EXPECT_EQ(r.report.ulHouse, "House 4");
    // Gemini holds the marks of houses 2 and 6 before the UL.
    EXPECT_EQ(PadaPart(r.Marks(2), 3), "\r\n\r\n\r\nUL");
    EXPECT_EQ(r.Profile("Vedic Name"), "Mithuna");
    EXPECT_EQ(r.Detail("Date of Birth"), "July/20/1969");
    EXPECT_EQ(r.Detail("Time of Birth"), "22:56");
    EXPECT_EQ(r.Detail("Longitude"), "73\xC2\xB0 58' W");
    // 22:56 is after sunset: the next morning's sunrise is the reference.
    ASSERT_TRUE(r.chart.sunrise.reference && r.chart.sunrise.next);
    EXPECT_EQ(*r.chart.sunrise.reference, *r.chart.sunrise.next);
    const CivilDateTime sunrise = ReferenceSunrise(r);
    EXPECT_EQ(sunrise.day, 21);
    // Daylight saving moves the clock sunrise to about 05:40 (New York,
    // 21 July: 05:41 EDT in the US Naval Observatory tables; 3 min tolerance).
    EXPECT_NEAR(sunrise.hour * 60 + sunrise.minute, 5 * 60 + 41, 3);
}

TEST(WholeResult, SydneyBeforeDawnWithRetrogradePlanets) {
    Birth b = SampleBirth();
    b.name = "MAYA";
    b.year = 2001, b.month = 1, b.day = 1, b.hour = 0, b.minute = 30;
    b.lonDeg = 151, b.lonMin = 12, b.east = true, b.latDeg = 33, b.latMin = 52, b.south = true;
    b.zoneIndex = 8;
    b.city = "Sydney", b.state = "NSW", b.country = "Australia";
    const Result r = Calculate(b);
    // Jupiter and Saturn were retrograde from their stations of late
    // August / September 2000 until late January 2001.
    const std::array<std::string, 12> cells = {"",
                                               "\r\nJupiter (R) \r\nSaturn (R) ",
                                               "\r\nRahu",
                                               "",
                                               "",
                                               "",
                                               "\r\nMars\r\nAsc",
                                               "",
                                               "\r\nSun\r\nMercury\r\nKetu",
                                               "",
                                               "\r\nMoon\r\nVenus",
                                               ""};
    EXPECT_EQ(r.BodyCaptions(), cells);
    // Ascendant Libra: houses 1..12 are Libra..Virgo.
    const std::array<int, 12> padas = {2, 5, 6, 5, 1, 3, 9, 4, 11, 5, 0, 8};
    EXPECT_EQ(r.chart.padas.pada, padas);
    EXPECT_EQ(r.report.ulHouse, "House 3");
    EXPECT_EQ(r.report.ulReading,
              "Establish your creative pursuits and build a profitable career around it. This will "
              "not only give you wealth but also happiness.");
    EXPECT_EQ(PadaPart(r.Marks(8), 1), "\r\nUL");  // UL alone: on the second line
    EXPECT_EQ(r.Profile("Vedic Name"), "Dhanus");
    EXPECT_EQ(r.Profile("Color"), "Yellowish brown");
    EXPECT_EQ(r.Detail("Latitude"), "33\xC2\xB0 52' S");
    EXPECT_EQ(r.Detail("Date of Birth"), "January/1/2001");
    EXPECT_EQ(r.Detail("Time of Birth"), "0:30");
    // Before dawn: the reference is the previous day's sunrise, in 2000.
    ASSERT_TRUE(r.chart.sunrise.reference && r.chart.sunrise.prev);
    EXPECT_EQ(*r.chart.sunrise.reference, *r.chart.sunrise.prev);
    const CivilDateTime sunrise = ReferenceSunrise(r);
    EXPECT_EQ(sunrise.year, 2000);
    EXPECT_EQ(sunrise.month, 12);
    EXPECT_EQ(sunrise.day, 31);
}

TEST(WholeResult, RetrogradeMarksFollowTheStationTables) {
    constexpr std::array<std::pair<korvanta::Body, RetroPlanet>, 5> kPlanets = {{
        {korvanta::Body::Mercury, RetroPlanet::Mercury},
        {korvanta::Body::Venus, RetroPlanet::Venus},
        {korvanta::Body::Mars, RetroPlanet::Mars},
        {korvanta::Body::Jupiter, RetroPlanet::Jupiter},
        {korvanta::Body::Saturn, RetroPlanet::Saturn},
    }};
    for (const Birth& b : {NewDelhi1980(), NewYork1969()}) {
        const Result r = Calculate(b);
        const double moment = DateTimeValue(b.year, b.month, b.day, b.hour, b.minute);
        for (const auto& [body, planet] : kPlanets) {
            const std::string plain(kBodyNames[Index(body)]);
            const bool retrograde = IsRetrograde(planet, moment);
            EXPECT_EQ(r.chart.IsRetrograde(body), retrograde) << plain;
            EXPECT_EQ(r.report.bodyNames[Index(body)], retrograde ? plain + " (R) " : plain);
        }
    }
}

TEST(WholeResult, SecondCalculationIsIdentical) {
    // Another birth in between must leave nothing behind.
    const Result first = Calculate(NewDelhi1980());
    Calculate(NewYork1969());
    const Result again = Calculate(NewDelhi1980());
    EXPECT_EQ(again.BodyCaptions(), first.BodyCaptions());
    for (int sign = 0; sign < 12; ++sign) EXPECT_EQ(again.Marks(sign), first.Marks(sign));
    for (std::size_t k = 0; k < kBodyCount; ++k) {
        EXPECT_EQ(again.report.positions[k].text, first.report.positions[k].text);
    }
    EXPECT_EQ(again.Profile("Nature"), first.Profile("Nature"));
    EXPECT_EQ(again.chart.padas.pada, first.chart.padas.pada);
    EXPECT_EQ(again.chart.special.signCountMark, first.chart.special.signCountMark);
}

TEST(WholeResult, RefusedEntryReturnsOnlyTheRefusal) {
    EntryForm form = FormOfBirth(NewDelhi1980());
    form.txtLonD = "180";
    const auto outcome = CalculateChart(form);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
    EXPECT_EQ(std::get<Refusal>(outcome).message,
              "Please Enter Value Between 0 And 179 in the Degree of Longitude");
}

TEST(WholeResult, DetailsForSouthAndZeroCoordinates) {
    Birth b = NewDelhi1980();
    b.year = 1990, b.month = 3, b.day = 1, b.hour = 10, b.minute = 5;
    b.latDeg = 0, b.latMin = 0, b.south = true;
    const Result r = Calculate(b);
    EXPECT_EQ(r.Detail("Latitude"), "0\xC2\xB0 0' S");
    EXPECT_EQ(r.Detail("Date of Birth"), "March/1/1990");
    EXPECT_EQ(r.Detail("Time of Birth"), "10:5");
}

}  // namespace
}  // namespace korvanta
