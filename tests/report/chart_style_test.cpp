// SPDX-License-Identifier: GPL-3.0-or-later
// The three drawings of the chart square as places and contents: every body,
// sign number and pada tag lands in the compartment of its sign (South and
// East Indian) or of its house (North Indian), and the compartments tile the
// square as the styles draw it.
#include "report/chart_style.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "report/names.h"
#include "view_births.h"

namespace korvanta::testing {
namespace {

constexpr std::array<ChartStyle, 3> kStyles = {ChartStyle::South, ChartStyle::North,
                                               ChartStyle::East};

bool Inside(const std::vector<SquarePoint>& outline, SquarePoint p) {
    bool inside = false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const SquarePoint a = outline[i], b = outline[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

bool InBox(const SquareBox& box, SquarePoint p) {
    return p.x > box.topLeft.x && p.x < box.bottomRight.x && p.y > box.topLeft.y &&
           p.y < box.bottomRight.y;
}

// The compartment holding a point of the square; -1 for none.
int CompartmentAt(const std::array<ChartCompartment, 12>& compartments, SquarePoint p) {
    int found = -1;
    for (std::size_t k = 0; k < compartments.size(); ++k) {
        if (!Inside(compartments[k].outline, p)) continue;
        if (found != -1) return -2;  // two compartments overlap
        found = static_cast<int>(k);
    }
    return found;
}

TEST(ChartStyle, BodiesSignNumbersAndPadaTagsLandInTheirSignsCompartment) {
    const Calculation c = Calculated(NewDelhi1980());
    ASSERT_EQ(c.report.ascendantSign, 3);  // Cancer rises
    for (const ChartStyle style : kStyles) {
        for (const bool allPadas : {false, true}) {
            SCOPED_TRACE(std::string(ChartStyleKey(style)) + (allPadas ? " all padas" : ""));
            const auto compartments = ChartCompartments(c.report, {style, allPadas});
            std::map<std::string, int> signOfText;  // body or tag -> sign
            std::set<int> signs;
            for (std::size_t k = 0; k < compartments.size(); ++k) {
                const ChartCompartment& comp = compartments[k];
                // North: houses in order from the ascendant; the others by sign.
                if (style == ChartStyle::North) {
                    EXPECT_EQ(comp.house, static_cast<int>(k) + 1);
                    EXPECT_EQ(comp.sign, (3 + static_cast<int>(k)) % 12);
                } else {
                    EXPECT_EQ(comp.sign, static_cast<int>(k));
                }
                EXPECT_EQ((comp.sign - comp.house + 1 + 24) % 12, 3) << comp.sign;
                signs.insert(comp.sign);
                const std::vector<std::string_view> texts = CompartmentTexts(comp);
                ASSERT_FALSE(texts.empty());
                EXPECT_EQ(texts.front(), kSignNumbers[static_cast<std::size_t>(comp.sign)]);
                EXPECT_EQ(comp.cell.signName, kSignNames[static_cast<std::size_t>(comp.sign)]);
                for (std::size_t t = 1; t < texts.size(); ++t) {
                    EXPECT_TRUE(signOfText.emplace(std::string(texts[t]), comp.sign).second)
                        << texts[t] << " shown twice";
                }
            }
            EXPECT_EQ(signs.size(), 12u);
            for (std::size_t body = 0; body < kBodyCount; ++body) {
                std::string name(c.report.bodyNames[body]);
                while (name.back() == ' ') name.pop_back();
                ASSERT_TRUE(signOfText.count(name)) << name;
                EXPECT_EQ(signOfText.at(name), c.chart.sign[body]) << name;
            }
            EXPECT_EQ(signOfText.at("Asc"), 3);
            EXPECT_EQ(signOfText.at("UL"), c.chart.padas.ulSign);
            for (std::size_t house = 0; house < 11; ++house) {
                const std::string tag(kPadaTags[house]);
                if (!allPadas) {
                    EXPECT_EQ(signOfText.count(tag), 0u) << tag;
                } else {
                    ASSERT_TRUE(signOfText.count(tag)) << tag;
                    EXPECT_EQ(signOfText.at(tag), c.chart.padas.pada[house]) << tag;
                }
            }
            EXPECT_EQ(signOfText.size(), kBodyCount + (allPadas ? 12u : 1u));
        }
    }
}

TEST(ChartStyle, AllPadasOnlyTagsThePadaLinesAndLeavesTheReportAsItIs) {
    const Calculation c = Calculated(NewDelhi1980());
    const std::array<ChartCell, 12> plain = DrawnCells(c.report, false);
    const std::array<ChartCell, 12> tagged = DrawnCells(c.report, true);
    for (std::size_t sign = 0; sign < 12; ++sign) {
        EXPECT_TRUE(plain[sign].marks == c.report.cells[sign].marks);
        EXPECT_TRUE(tagged[sign].bodies == c.report.cells[sign].bodies);
        ASSERT_EQ(tagged[sign].marks.size(), plain[sign].marks.size());
        for (std::size_t line = 0; line < plain[sign].marks.size(); ++line) {
            // A mark line keeps its place; only blank ones gain a tag.
            if (!plain[sign].marks[line].empty()) {
                EXPECT_EQ(tagged[sign].marks[line], plain[sign].marks[line]);
            }
        }
    }
    for (std::size_t house = 0; house < 12; ++house) {
        const PadaMarkPlace place = c.report.padaMarks[house];
        EXPECT_EQ(place.sign, c.chart.padas.pada[house]);
        EXPECT_EQ(tagged[static_cast<std::size_t>(place.sign)].marks.at(place.line),
                  kPadaTags[house]);
    }
}

TEST(ChartStyle, CompartmentsTileTheSquareWhereEachStyleDrawsThem) {
    const Calculation c = Calculated(NewDelhi1980());
    // A point inside each house of the North Indian chart, houses 1..12:
    // top diamond, then counter-clockwise.
    const std::array<SquarePoint, 12> north = {{{0.5, 0.25},
                                                {0.25, 0.05},
                                                {0.05, 0.25},
                                                {0.25, 0.5},
                                                {0.05, 0.75},
                                                {0.25, 0.95},
                                                {0.5, 0.75},
                                                {0.75, 0.95},
                                                {0.95, 0.75},
                                                {0.75, 0.5},
                                                {0.95, 0.25},
                                                {0.75, 0.05}}};
    // A point inside each sign of the East Indian chart, Aries..Pisces.
    const std::array<SquarePoint, 12> east = {{{0.5, 0.1},
                                               {0.3, 0.05},
                                               {0.05, 0.3},
                                               {0.1, 0.5},
                                               {0.05, 0.7},
                                               {0.3, 0.95},
                                               {0.5, 0.9},
                                               {0.7, 0.95},
                                               {0.95, 0.7},
                                               {0.9, 0.5},
                                               {0.95, 0.3},
                                               {0.7, 0.05}}};
    const auto northComps = ChartCompartments(c.report, {ChartStyle::North, false});
    const auto eastComps = ChartCompartments(c.report, {ChartStyle::East, false});
    const auto southComps = ChartCompartments(c.report, {ChartStyle::South, false});
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(CompartmentAt(northComps, north[static_cast<std::size_t>(k)]), k)
            << "house " << k + 1;
        EXPECT_EQ(CompartmentAt(eastComps, east[static_cast<std::size_t>(k)]), k) << "sign " << k;
        const ChartCellPlace place = kChartCellOfSign[static_cast<std::size_t>(k)];
        EXPECT_EQ(CompartmentAt(southComps, {place.column * 0.25 + 0.1, place.row * 0.25 + 0.1}),
                  k);
    }
    // Every point of the square off the lines lies in exactly one compartment
    // or in the centre block, and each text box sits inside its compartment.
    for (const ChartStyle style : kStyles) {
        const auto comps = ChartCompartments(c.report, {style, false});
        const std::optional<SquareBox> centre = CentreBox(style);
        for (int i = 0; i < 97; ++i) {
            for (int j = 0; j < 97; ++j) {
                const SquarePoint p{(i + 0.5) / 97.0 + 0.0013, (j + 0.5) / 97.0 + 0.0007};
                const int at = CompartmentAt(comps, p);
                const bool inCentre = centre && InBox(*centre, p);
                EXPECT_TRUE(inCentre ? at == -1 : at >= 0)
                    << ChartStyleKey(style) << " " << p.x << "," << p.y << ": " << at;
            }
        }
        for (const ChartCompartment& comp : comps) {
            const SquareBox& box = comp.textBox;
            const SquarePoint middle{(box.topLeft.x + box.bottomRight.x) / 2,
                                     (box.topLeft.y + box.bottomRight.y) / 2};
            EXPECT_TRUE(Inside(comp.outline, middle)) << ChartStyleKey(style) << " " << comp.sign;
        }
    }
    EXPECT_FALSE(CentreBox(ChartStyle::North).has_value());
}

TEST(ChartStyle, KeysNameEachStyleOnce) {
    for (const ChartStyle style : kStyles) {
        EXPECT_EQ(ChartStyleOfKey(ChartStyleKey(style)), style);
    }
    for (const std::string_view key : {"", "South", "west", "north ", "souths"}) {
        EXPECT_FALSE(ChartStyleOfKey(key).has_value()) << key;
    }
}

}  // namespace
}  // namespace korvanta::testing
