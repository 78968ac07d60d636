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

#include "astro/calendar.h"
#include "astro/retrograde.h"
#include "pipeline/pipeline.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

using testing::Birth;
using testing::FormOf;

ChartResult Calculate(const Birth& b) {
    ChartOutcome outcome = CalculateChart(FormOf(b));
    EXPECT_TRUE(std::holds_alternative<ChartResult>(outcome));
    return std::get<ChartResult>(std::move(outcome));
}

Birth NewDelhi1980() {
    Birth b;
    b.name = "ASHA RAO";
    b.year = 1980, b.month = 6, b.day = 5, b.hour = 9, b.minute = 5, b.second = 30;
    b.lonDeg = 77, b.lonMin = 12, b.east = true, b.latDeg = 28, b.latMin = 36;
    b.zone = 34;
    b.city = "New Delhi", b.state = "Delhi", b.country = "India";
    return b;
}

Birth NewYork1969() {
    Birth b;
    b.name = "NEIL";
    b.year = 1969, b.month = 7, b.day = 20, b.hour = 22, b.minute = 56;
    b.lonDeg = 73, b.lonMin = 58, b.east = false, b.latDeg = 40, b.latMin = 47;
    b.zone = 27;
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
    const ChartResult r = Calculate(NewDelhi1980());
    const ResultCaptions& c = r.captions;

    // Venus turned retrograde on 24 May 1980 and direct on 6 July (stations).
    EXPECT_EQ(r.chart.BodyName[kVenus], "Venus (R) ");
    for (int slot : {kMercury, kMars, kJupiter, kSaturn}) {
        EXPECT_EQ(r.chart.BodyName[static_cast<std::size_t>(slot)],
                  kPlainBodyNames[static_cast<std::size_t>(slot)]);
    }

    // Bodies by sign (positions pinned elsewhere), in ChartList order.
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
    EXPECT_EQ(c.signCells, cells);
    // The table shows positions only, never the retrograde mark.
    EXPECT_EQ(c.planet[kVenus], "06 Gem 28");

    // Ascendant Cancer: houses 1..12 are Cancer..Gemini.
    const std::array<std::int16_t, 12> padas = {5, 7, 8, 10, 10, 0, 11, 7, 9, 8, 3, 11};
    EXPECT_EQ(r.arudha.Pada, padas);
    EXPECT_EQ(r.arudha.ULSignIndex, 11);  // Pisces
    EXPECT_EQ(r.arudha.ULHouse, 9);
    EXPECT_EQ(c.lblULPresentHouse, "House 9");
    EXPECT_EQ(c.lblHoraDesc, "Wisdom and knowledge will be of utmost importance.  ");

    // Marks per cell: house 7 then house 12 ("UL") in Pisces; Aquarius holds
    // the lagna lord's mark and houses 4 and 5.
    EXPECT_EQ(PadaPart(c.lblArudha[11], 2), "\r\n\r\nUL");
    EXPECT_EQ(PadaPart(c.lblArudha[10], 3), "\r\n\r\n\r\n");
    EXPECT_EQ(PadaPart(c.lblArudha[5], 1), "\r\n");
    EXPECT_EQ(PadaPart(c.lblArudha[1], 0), "");

    EXPECT_EQ(c.lblName, "ASHA RAO");
    EXPECT_EQ(c.lblDOB, "June/5/1980");
    EXPECT_EQ(c.lblTOB, "9:5");
    EXPECT_EQ(c.lblLatitude, "28\xC2\xB0 36' N");
    EXPECT_EQ(c.lblLongitude, "77\xC2\xB0 12' E");
    EXPECT_EQ(c.lblCity, "New Delhi");
    EXPECT_EQ(c.lblState, "Delhi");
    EXPECT_EQ(c.lblCountry, "India");

    // UL in Pisces: its profile row.
    EXPECT_EQ(c.lblVedicName, "Meena");
    EXPECT_EQ(c.lblEnglishName, "Pisces");
    EXPECT_EQ(c.lblArudhaLagnaPresentInSign, "Pisces");
    EXPECT_EQ(c.lblRullingPlanet, "Jupiter");
    EXPECT_EQ(c.lblLuckyGemstone, "Yellow Sapphire");
    EXPECT_EQ(c.lblCompatibleWith, "Taurus, Cancer, Virgo, Scorpio, Capricorn");
    EXPECT_EQ(c.txtHealth.substr(0, 44), "Common cold will be your constant companion.");

    // A day birth: the day's own sunrise is the reference, and the text
    // copies keep the seconds.
    EXPECT_EQ(r.birth.BirthDateText, "June 5,1980");
    EXPECT_EQ(r.birth.BirthSecondText, "30");
    ASSERT_TRUE(r.chart.ReferenceSunrise && r.chart.SunriseToday);
    EXPECT_EQ(*r.chart.ReferenceSunrise, *r.chart.SunriseToday);
    EXPECT_EQ(r.chart.SunriseDay, "5");
    EXPECT_EQ(r.chart.SunriseMonthName, "June");
    EXPECT_EQ(r.chart.SunriseYear, "1980");
}

TEST(WholeResult, NewYorkWithDaylightSavingAndULOnTheFourthLine) {
    const ChartResult r = Calculate(NewYork1969());
    const ResultCaptions& c = r.captions;
    // Ascendant Pisces: houses 1..12 are Pisces..Aquarius.
    const std::array<std::int16_t, 12> padas = {8, 2, 10, 4, 7, 2, 1, 8, 4, 11, 0, 2};
    EXPECT_EQ(r.arudha.Pada, padas);
    EXPECT_EQ(r.arudha.ULSignIndex, 2);  // Gemini
    EXPECT_EQ(c.lblULPresentHouse, "House 4");
    // Gemini holds the marks of houses 2 and 6 before the UL.
    EXPECT_EQ(PadaPart(c.lblArudha[2], 3), "\r\n\r\n\r\nUL");
    EXPECT_EQ(c.lblVedicName, "Mithuna");
    EXPECT_EQ(c.lblDOB, "July/20/1969");
    EXPECT_EQ(c.lblTOB, "22:56");
    EXPECT_EQ(c.lblLongitude, "73\xC2\xB0 58' W");
    // 22:56 is after sunset: the next morning's sunrise is the reference.
    ASSERT_TRUE(r.chart.ReferenceSunrise && r.chart.SunriseNext);
    EXPECT_EQ(*r.chart.ReferenceSunrise, *r.chart.SunriseNext);
    EXPECT_EQ(r.chart.SunriseDay, "21");
    // Daylight saving moves the clock sunrise to about 05:40 (New York,
    // 21 July: 05:41 EDT in the US Naval Observatory tables; 3 min tolerance).
    const CivilDateTime sunrise = SplitDateTime(*r.chart.SunriseNext);
    EXPECT_NEAR(sunrise.hour * 60 + sunrise.minute, 5 * 60 + 41, 3);
}

TEST(WholeResult, SydneyBeforeDawnWithRetrogradePlanets) {
    Birth b;
    b.name = "MAYA";
    b.year = 2001, b.month = 1, b.day = 1, b.hour = 0, b.minute = 30;
    b.lonDeg = 151, b.lonMin = 12, b.east = true, b.latDeg = 33, b.latMin = 52, b.south = true;
    b.zone = 8;
    b.city = "Sydney", b.state = "NSW", b.country = "Australia";
    const ChartResult r = Calculate(b);
    const ResultCaptions& c = r.captions;
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
    EXPECT_EQ(c.signCells, cells);
    // Ascendant Libra: houses 1..12 are Libra..Virgo.
    const std::array<std::int16_t, 12> padas = {2, 5, 6, 5, 1, 3, 9, 4, 11, 5, 0, 8};
    EXPECT_EQ(r.arudha.Pada, padas);
    EXPECT_EQ(c.lblULPresentHouse, "House 3");
    EXPECT_EQ(c.lblHoraDesc,
              "Establish your creative pursuits and build a profitable career around it. This will "
              "not only give you wealth but also happiness.");
    EXPECT_EQ(PadaPart(c.lblArudha[8], 1), "\r\nUL");  // UL alone: on the second line
    EXPECT_EQ(c.lblVedicName, "Dhanus");
    EXPECT_EQ(c.lblColor, "Yellowish brown");
    EXPECT_EQ(c.lblLatitude, "33\xC2\xB0 52' S");
    EXPECT_EQ(c.lblDOB, "January/1/2001");
    EXPECT_EQ(c.lblTOB, "0:30");
    // Before dawn: the reference is the previous day's sunrise, in 2000.
    ASSERT_TRUE(r.chart.ReferenceSunrise && r.chart.SunrisePrev);
    EXPECT_EQ(*r.chart.ReferenceSunrise, *r.chart.SunrisePrev);
    EXPECT_EQ(r.chart.SunriseYear, "2000");
    EXPECT_EQ(r.chart.SunriseMonthName, "December");
    EXPECT_EQ(r.chart.SunriseDay, "31");
}

TEST(WholeResult, RetrogradeMarksFollowTheStationTables) {
    for (const Birth& b : {NewDelhi1980(), NewYork1969()}) {
        const ChartResult r = Calculate(b);
        const double moment = DateTimeValue(b.year, b.month, b.day, b.hour, b.minute);
        for (int slot = kMercury; slot <= kSaturn; ++slot) {
            const std::string_view plain = kPlainBodyNames[static_cast<std::size_t>(slot)];
            const std::string expected =
                IsRetrograde(plain, moment) ? std::string(plain) + " (R) " : std::string(plain);
            EXPECT_EQ(r.chart.BodyName[static_cast<std::size_t>(slot)], expected);
        }
    }
}

TEST(WholeResult, SecondCalculationIsIdenticalAndFresh) {
    const EntryForm form = FormOf(NewDelhi1980());
    ChartResult result;
    ASSERT_FALSE(CalculateChart(form, result));
    const ResultCaptions first = result.captions;
    const ArudhaState firstArudha = result.arudha;
    // Another birth in between must leave nothing behind.
    ASSERT_FALSE(CalculateChart(FormOf(NewYork1969()), result));
    ASSERT_FALSE(CalculateChart(form, result));
    EXPECT_EQ(result.captions.signCells, first.signCells);
    EXPECT_EQ(result.captions.lblArudha, first.lblArudha);
    EXPECT_EQ(result.captions.planet, first.planet);
    EXPECT_EQ(result.captions.txtNature, first.txtNature);
    EXPECT_EQ(result.arudha.Pada, firstArudha.Pada);
    EXPECT_EQ(result.arudha.ExtraMarkSign, firstArudha.ExtraMarkSign);
}

TEST(WholeResult, RefusedEntryReturnsOnlyTheRefusal) {
    EntryForm form = FormOf(NewDelhi1980());
    form.txtLonD = "180";
    const ChartOutcome outcome = CalculateChart(form);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
    EXPECT_EQ(std::get<Refusal>(outcome).message,
              "Please Enter Value Between 0 And 179 in the Degree of Longitude");

    ChartResult kept;
    ASSERT_FALSE(CalculateChart(FormOf(NewYork1969()), kept));
    const auto before = kept.captions.signCells;
    EXPECT_TRUE(CalculateChart(form, kept));
    EXPECT_EQ(kept.captions.signCells, before);  // untouched by the refusal
}

TEST(WholeResult, DetailsForSouthAndZeroCoordinates) {
    Birth b = NewDelhi1980();
    b.year = 1990, b.month = 3, b.day = 1, b.hour = 10, b.minute = 5;
    b.latDeg = 0, b.latMin = 0, b.south = true;
    const ChartResult r = Calculate(b);
    EXPECT_EQ(r.captions.lblLatitude, "0\xC2\xB0 0' S");
    EXPECT_EQ(r.captions.lblDOB, "March/1/1990");
    EXPECT_EQ(r.captions.lblTOB, "10:5");
}

}  // namespace
}  // namespace korvanta
