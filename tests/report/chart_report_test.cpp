// SPDX-License-Identifier: GPL-3.0-or-later
// The report of a chart: the sign square with its bodies and UL tag, the
// position table, the details, the UL's house and reading, the sign profile,
// the padas, and the names the page's files get.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "astro/angles.h"
#include "reading/arudha.h"
#include "reading/sign_profile.h"
#include "report/pada_account.h"
#include "report/positions.h"
#include "report/report.h"
#include "support/cell_columns.h"
#include "view_births.h"

namespace korvanta::testing {
namespace {

TEST(ChartReport, SignsSitClockwiseAroundTheCentreFromPiscesInTheCorner) {
    EXPECT_EQ(kChartCellOfSign[11].row, 0);  // Pisces
    EXPECT_EQ(kChartCellOfSign[11].column, 0);
    EXPECT_EQ(kChartCellOfSign[0].column, 1);  // Aries beside it
    EXPECT_EQ(kChartCellOfSign[3].row, 1);     // Cancer down the right side
    EXPECT_EQ(kChartCellOfSign[3].column, 3);
    EXPECT_EQ(kChartCellOfSign[5].row, 3);  // Virgo in the bottom right corner
    EXPECT_EQ(kChartCellOfSign[5].column, 3);
    EXPECT_EQ(kChartCellOfSign[8].row, 3);  // Sagittarius in the bottom left corner
    EXPECT_EQ(kChartCellOfSign[8].column, 0);
    std::set<std::pair<int, int>> places;
    for (const ChartCellPlace& place : kChartCellOfSign) {
        const bool centre =
            place.row >= 1 && place.row <= 2 && place.column >= 1 && place.column <= 2;
        EXPECT_FALSE(centre) << place.row << ", " << place.column;
        places.insert({place.row, place.column});
    }
    EXPECT_EQ(places.size(), 12u);
}

TEST(ChartReport, EveryBodyStandsOnceInTheCellOfItsSign) {
    const ChartReport report = Calculated(NewDelhi1980()).report;
    // Bodies per sign of this birth: the chart printed in the README.
    const std::map<std::string, std::string> signOf = {
        {"Sun", "Taurus"},     {"Mercury", "Gemini"}, {"Venus (R)", "Gemini"}, {"Rahu", "Cancer"},
        {"Asc", "Cancer"},     {"Mars", "Leo"},       {"Jupiter", "Leo"},      {"Saturn", "Leo"},
        {"Ketu", "Capricorn"}, {"Moon", "Aquarius"}};
    std::map<std::string, int> seen;
    for (const ChartCell& cell : report.cells) {
        for (const CellLine& line : CellLines(cell)) {
            if (line.body.empty()) continue;
            const std::string body(line.body);
            ++seen[body];
            ASSERT_TRUE(signOf.count(body)) << body;
            EXPECT_EQ(signOf.at(body), cell.signName) << body;
        }
    }
    EXPECT_EQ(seen.size(), signOf.size());
    for (const auto& [body, count] : seen) EXPECT_EQ(count, 1) << body;
    EXPECT_EQ(CellLines(report.cells[2]).front().body, "Mercury");  // in body order
    EXPECT_EQ(report.cells[2].bodies.at(1), "Venus (R) ");          // the window's caption text
    EXPECT_EQ(report.cells[0].signName, "Aries");
    EXPECT_EQ(report.cells[11].number, 12);
}

TEST(ChartReport, TheUpapadaTagKeepsItsLineAndEmptyMarksShowNothing) {
    const ChartReport report = Calculated(NewDelhi1980()).report;
    // Pisces holds a blank mark, then the tag, then a blank mark: the tag on
    // the second line below the sign's name, as in the window.
    const std::vector<std::string_view> pisces = {"", "UL", ""};
    EXPECT_EQ(report.cells[11].marks.ToVector(), pisces);
    EXPECT_EQ(korvanta::testing::CrLfColumn((report.cells[11]).marks), "\r\n\r\nUL\r\n");
    const std::vector<CellLine> piscesLines = CellLines(report.cells[11]);
    ASSERT_EQ(piscesLines.size(), 2u);
    EXPECT_EQ(piscesLines[0].mark, "");
    EXPECT_EQ(piscesLines[1].mark, "UL");
    // Aquarius holds only bare marks after the Moon: nothing below it.
    const std::vector<CellLine> aquarius = CellLines(report.cells[10]);
    ASSERT_EQ(aquarius.size(), 1u);
    EXPECT_EQ(aquarius[0].body, "Moon");
    int tags = 0;
    for (const ChartCell& cell : report.cells) {
        for (const CellLine& line : CellLines(cell)) tags += line.mark.empty() ? 0 : 1;
    }
    EXPECT_EQ(tags, 1);
}

TEST(ChartReport, HoldsTheTablesTheResultWindowShows) {
    const Calculation result = Calculated(NewDelhi1980());
    const Chart& chart = result.chart;
    const ChartReport& report = result.report;

    EXPECT_EQ(report.title, "Upapada Lagna Chart of ASHA RAO");
    EXPECT_EQ(report.centre.back(), "Pisces, House 9");
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        EXPECT_EQ(report.positions[body].text, ShortPosition(SignPositionOf(chart.longitude[body])))
            << body;
    }
    EXPECT_EQ(report.positions[0].label, "Surya/Sun");
    EXPECT_EQ(report.positions[9].label, "Asc/Lagna");

    EXPECT_EQ(report.name, "ASHA RAO");
    EXPECT_EQ(report.details.Rows()[0]->text, "June/5/1980");
    EXPECT_EQ(report.details.Rows()[2]->text, "77\u00b0 12' E");
    EXPECT_EQ(report.details.Rows()[4]->text, "New Delhi");
    EXPECT_EQ(report.details.Rows()[6]->text, "India");

    ASSERT_EQ(chart.padas.ulHouse, 9);
    EXPECT_EQ(report.ulHouse, "House 9");
    EXPECT_EQ(report.ulReading, kHouseReading[8]);
    EXPECT_EQ(report.profile.front().label, "Vedic Name");
    EXPECT_EQ(report.profile.front().text, "Meena");
    EXPECT_EQ(report.profile.back().text, "Pisces");
    EXPECT_EQ(report.readings[0].label, "Looks");
    EXPECT_EQ(report.readings[4].text, SignProfile_Load()[11].health);
    for (const LabelledView& reading : report.readings) {
        EXPECT_FALSE(reading.text.empty()) << reading.label;
        EXPECT_EQ(reading.text.find('\r'), std::string::npos) << reading.label;
    }
    EXPECT_EQ(report.padas.padas[11].sign, "Pisces");
    EXPECT_EQ(report.padas.upapadaAccount, ExplainUpapada(chart));
}

TEST(ChartReport, FileNamesComeFromTheNameAndKeepTheirExtension) {
    EXPECT_EQ(PageFileStem("ASHA RAO"), "asha-rao-upapada-lagna");
    EXPECT_EQ(PageFileStem("  O'NEIL  "), "o-neil-upapada-lagna");
    EXPECT_EQ(PageFileStem(""), "upapada-lagna");
    EXPECT_EQ(WithExtension("/tmp/chart", ".pdf"), "/tmp/chart.pdf");
    EXPECT_EQ(WithExtension("/tmp/chart.PDF", ".pdf"), "/tmp/chart.PDF");
    EXPECT_EQ(WithExtension("/tmp/chart.pdf.png", ".pdf"), "/tmp/chart.pdf.png.pdf");
}

}  // namespace
}  // namespace korvanta::testing

namespace korvanta::testing {
namespace {

// Each row of the position table names its body in its label ("Surya/Sun",
// "Rahu/North Node") and shows that body's place: whole degrees in the sign,
// the sign's abbreviation and the minutes, from the chart's split of the
// body's own longitude. Over a spread of births every body's place differs
// from every other's somewhere, so a swapped pair of labels fails.
TEST(ChartReport, EachPositionLabelShowsItsOwnBodysPlace) {
    const std::map<std::string_view, Body> kNamed = {
        {"Sun", Body::Sun},       {"Moon", Body::Moon},       {"Mercury", Body::Mercury},
        {"Venus", Body::Venus},   {"Mars", Body::Mars},       {"Jupiter", Body::Jupiter},
        {"Saturn", Body::Saturn}, {"North Node", Body::Rahu}, {"South node", Body::Ketu},
        {"Lagna", Body::Asc}};
    constexpr std::array<std::string_view, 12> kAbbr = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                                        "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
    for (int month = 1; month <= 12; ++month) {
        for (int hour = 0; hour < 24; hour += 5) {
            Birth b = NewDelhi1980();
            b.year = 1901 + 12 * month;
            b.month = month;
            b.hour = hour;
            const Calculation result = Calculated(b);
            std::set<Body> seen;
            for (const LabelledText& row : result.report.positions) {
                const std::size_t slash = row.label.find('/');
                ASSERT_NE(slash, std::string_view::npos) << row.label;
                const auto named = kNamed.find(row.label.substr(slash + 1));
                ASSERT_NE(named, kNamed.end()) << row.label;
                seen.insert(named->second);
                const SignPosition& at = result.chart.position[Index(named->second)];
                char expected[16];
                std::snprintf(expected, sizeof expected, "%02d %s %02d", at.degrees,
                              std::string(kAbbr[static_cast<std::size_t>(at.sign)]).c_str(),
                              at.minutes);
                EXPECT_EQ(row.text, expected)
                    << row.label << " on " << b.year << "-" << month << " at " << hour << " h";
            }
            EXPECT_EQ(seen.size(), kBodyCount);
        }
    }
}

}  // namespace
}  // namespace korvanta::testing
