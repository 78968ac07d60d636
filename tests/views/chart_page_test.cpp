// The exported chart page as values: the sign square with its bodies and UL
// tag, the position table, the details, the UL's house and reading, the sign
// profile, the padas, and the names the page's files get.
#include "ui/views/chart_page.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "view_births.h"

namespace korvanta::testing {
namespace {

TEST(ChartPage, SignsSitClockwiseAroundTheCentreFromPiscesInTheCorner) {
    EXPECT_EQ(ChartCellOf(11).row, 0);  // Pisces
    EXPECT_EQ(ChartCellOf(11).column, 0);
    EXPECT_EQ(ChartCellOf(0).column, 1);  // Aries beside it
    EXPECT_EQ(ChartCellOf(3).row, 1);     // Cancer down the right side
    EXPECT_EQ(ChartCellOf(3).column, 3);
    EXPECT_EQ(ChartCellOf(5).row, 3);  // Virgo in the bottom right corner
    EXPECT_EQ(ChartCellOf(5).column, 3);
    EXPECT_EQ(ChartCellOf(8).row, 3);  // Sagittarius in the bottom left corner
    EXPECT_EQ(ChartCellOf(8).column, 0);
    std::set<std::pair<int, int>> places;
    for (int sign = 0; sign < 12; ++sign) {
        const ChartCellPlace place = ChartCellOf(sign);
        const bool centre =
            place.row >= 1 && place.row <= 2 && place.column >= 1 && place.column <= 2;
        EXPECT_FALSE(centre) << sign;
        places.insert({place.row, place.column});
    }
    EXPECT_EQ(places.size(), 12u);
}

TEST(ChartPage, EveryBodyStandsOnceInTheCellOfItsSign) {
    const ChartResult result = Calculated(NewDelhi1980());
    const ChartPage page = BuildChartPage(result);
    // Bodies per sign of this birth: the chart printed in the README.
    const std::map<std::string, std::string> signOf = {
        {"Sun", "Taurus"},     {"Mercury", "Gemini"}, {"Venus (R)", "Gemini"}, {"Rahu", "Cancer"},
        {"Asc", "Cancer"},     {"Mars", "Leo"},       {"Jupiter", "Leo"},      {"Saturn", "Leo"},
        {"Ketu", "Capricorn"}, {"Moon", "Aquarius"}};
    std::map<std::string, int> seen;
    for (const PageCell& cell : page.cells) {
        for (const CellLine& line : cell.lines) {
            if (line.body.empty()) continue;
            ++seen[line.body];
            ASSERT_TRUE(signOf.count(line.body)) << line.body;
            EXPECT_EQ(signOf.at(line.body), cell.signName) << line.body;
        }
    }
    EXPECT_EQ(seen.size(), signOf.size());
    for (const auto& [body, count] : seen) EXPECT_EQ(count, 1) << body;
    EXPECT_EQ(page.cells[2].lines.front().body, "Mercury");  // in the order of the caption
    EXPECT_EQ(page.cells[0].signName, "Aries");
    EXPECT_EQ(page.cells[11].number, "12");
}

TEST(ChartPage, TheUpapadaTagKeepsItsLineAndEmptyMarksShowNothing) {
    const ChartPage page = BuildChartPage(Calculated(NewDelhi1980()));
    // lblArudha of Pisces is "\r\n\r\nUL\r\n": the tag on the second line
    // below the sign's name, as in the window.
    const std::vector<CellLine>& pisces = page.cells[11].lines;
    ASSERT_EQ(pisces.size(), 2u);
    EXPECT_EQ(pisces[0].tag, "");
    EXPECT_EQ(pisces[1].tag, "UL");
    // Aquarius holds only bare marks after the Moon: nothing below it.
    const std::vector<CellLine>& aquarius = page.cells[10].lines;
    ASSERT_EQ(aquarius.size(), 1u);
    EXPECT_EQ(aquarius[0].body, "Moon");
    int tags = 0;
    for (const PageCell& cell : page.cells) {
        for (const CellLine& line : cell.lines) tags += line.tag.empty() ? 0 : 1;
    }
    EXPECT_EQ(tags, 1);
}

TEST(ChartPage, HoldsTheTablesTheResultWindowShows) {
    const ChartResult result = Calculated(NewDelhi1980());
    const ResultCaptions& c = result.captions;
    const ChartPage page = BuildChartPage(result);

    EXPECT_EQ(page.title, "Upapada Lagna Chart of ASHA RAO");
    EXPECT_EQ(page.centre.back(), "Pisces, House 9");
    ASSERT_EQ(page.positions.size(), 10u);
    for (std::size_t slot = 0; slot < 10; ++slot)
        EXPECT_EQ(page.positions[slot].text, c.planet[slot]);
    EXPECT_EQ(page.positions[0].label, "Surya/Sun");
    EXPECT_EQ(page.positions[9].label, "Asc/Lagna");

    EXPECT_EQ(page.name, "ASHA RAO");
    ASSERT_EQ(page.details.size(), 7u);
    EXPECT_EQ(page.details[0].text, "June/5/1980");
    EXPECT_EQ(page.details[2].text, c.lblLongitude);
    EXPECT_EQ(page.details[4].text, "New Delhi");
    EXPECT_EQ(page.details[6].text, "India");

    EXPECT_EQ(page.ulHouse, "Upapada Lagna Present In House: House 9");
    EXPECT_EQ(page.ulReading, std::string(c.lblHoraDesc));
    ASSERT_EQ(page.profile.size(), 24u);
    EXPECT_EQ(page.profile.front().label, "Vedic Name");
    EXPECT_EQ(page.profile.front().text, "Meena");
    EXPECT_EQ(page.profile.back().text, "Pisces");
    ASSERT_EQ(page.readings.size(), 5u);
    EXPECT_EQ(page.readings[0].label, "Looks");
    EXPECT_EQ(page.readings[4].text, std::string(c.txtHealth));
    for (const LabelledText& reading : page.readings) {
        EXPECT_FALSE(reading.text.empty()) << reading.label;
        EXPECT_EQ(reading.text.find('\r'), std::string::npos) << reading.label;
    }
    EXPECT_EQ(page.padas.padas[11].sign, "Pisces");
    EXPECT_EQ(page.padas.upapadaAccount, DescribePadas(result).upapadaAccount);
}

TEST(ChartPage, FileNamesComeFromTheNameAndKeepTheirExtension) {
    EXPECT_EQ(PageFileStem("ASHA RAO"), "asha-rao-upapada-lagna");
    EXPECT_EQ(PageFileStem("  O'NEIL  "), "o-neil-upapada-lagna");
    EXPECT_EQ(PageFileStem(""), "upapada-lagna");
    EXPECT_EQ(WithExtension("/tmp/chart", ".pdf"), "/tmp/chart.pdf");
    EXPECT_EQ(WithExtension("/tmp/chart.PDF", ".pdf"), "/tmp/chart.PDF");
    EXPECT_EQ(WithExtension("/tmp/chart.pdf.png", ".pdf"), "/tmp/chart.pdf.png.pdf");
}

}  // namespace
}  // namespace korvanta::testing
