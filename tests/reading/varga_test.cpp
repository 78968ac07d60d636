// SPDX-License-Identifier: GPL-3.0-or-later
// The sixteen vargas: every part of every sign against the parts written out
// below by hand from the rules, D9 and D27 against the count of parts from 0°
// Aries, and D1 against the calculated chart over a sweep of births.
#include "reading/varga.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "pipeline/pipeline.h"

namespace korvanta {
namespace {

constexpr std::string_view kAbbr = "AriTauGemCanLeoVirLibScoSagCapAquPis";

// Far beyond kVargaBoundaryTolerance (1e-10°), far below any part's width.
constexpr double kHair = 1e-8;

// Each varga's parts, sign by sign from Aries. Twelve names alone give each
// sign's first part, every further part falling in the next sign. Otherwise
// twelve groups split by '|' name each part's sign in order; D30's groups
// give each part's start in degrees ("5:Aqu"). Equal parts start at
// k * 30° / parts.
struct WrittenVarga {
    Varga varga;
    int number;
    std::string_view name, parts;
};
// clang-format off
const std::array<WrittenVarga, kVargaCount> kWritten = {{
    {Varga::D1, 1, "D1 Rasi", "Ari Tau Gem Can Leo Vir Lib Sco Sag Cap Aqu Pis"},
    {Varga::D2, 2, "D2 Hora", "Leo Can|Can Leo|Leo Can|Can Leo|Leo Can|Can Leo|Leo Can|Can Leo|"
                              "Leo Can|Can Leo|Leo Can|Can Leo"},
    {Varga::D3, 3, "D3 Drekkana", "Ari Leo Sag|Tau Vir Cap|Gem Lib Aqu|Can Sco Pis|Leo Sag Ari|"
     "Vir Cap Tau|Lib Aqu Gem|Sco Pis Can|Sag Ari Leo|Cap Tau Vir|Aqu Gem Lib|Pis Can Sco"},
    {Varga::D4, 4, "D4 Chaturthamsa", "Ari Can Lib Cap|Tau Leo Sco Aqu|Gem Vir Sag Pis|"
     "Can Lib Cap Ari|Leo Sco Aqu Tau|Vir Sag Pis Gem|Lib Cap Ari Can|Sco Aqu Tau Leo|"
     "Sag Pis Gem Vir|Cap Ari Can Lib|Aqu Tau Leo Sco|Pis Gem Vir Sag"},
    {Varga::D7, 7, "D7 Saptamsa", "Ari Sco Gem Cap Leo Pis Lib Tau Sag Can Aqu Vir"},
    {Varga::D9, 9, "D9 Navamsa", "Ari Cap Lib Can Ari Cap Lib Can Ari Cap Lib Can"},
    {Varga::D10, 10, "D10 Dasamsa", "Ari Cap Gem Pis Leo Tau Lib Can Sag Vir Aqu Sco"},
    {Varga::D12, 12, "D12 Dwadasamsa", "Ari Tau Gem Can Leo Vir Lib Sco Sag Cap Aqu Pis"},
    {Varga::D16, 16, "D16 Shodasamsa", "Ari Leo Sag Ari Leo Sag Ari Leo Sag Ari Leo Sag"},
    {Varga::D20, 20, "D20 Vimsamsa", "Ari Sag Leo Ari Sag Leo Ari Sag Leo Ari Sag Leo"},
    {Varga::D24, 24, "D24 Chaturvimsamsa", "Leo Can Leo Can Leo Can Leo Can Leo Can Leo Can"},
    {Varga::D27, 27, "D27 Saptavimsamsa (Bhamsa)", "Ari Can Lib Cap Ari Can Lib Cap Ari Can Lib Cap"},
    {Varga::D30, 30, "D30 Trimsamsa",
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco"},
    {Varga::D40, 40, "D40 Khavedamsa", "Ari Lib Ari Lib Ari Lib Ari Lib Ari Lib Ari Lib"},
    {Varga::D45, 45, "D45 Akshavedamsa", "Ari Leo Sag Ari Leo Sag Ari Leo Sag Ari Leo Sag"},
    {Varga::D60, 60, "D60 Shashtiamsa", "Ari Tau Gem Can Leo Vir Lib Sco Sag Cap Aqu Pis"},
}};
// clang-format on

struct Part {
    double from;  // degrees within the sign
    int sign;     // 0..11
};

int SignOf(const std::string& abbr) {
    const auto at = kAbbr.find(abbr);
    EXPECT_TRUE(abbr.size() == 3 && at % 3 == 0) << abbr;
    return static_cast<int>(at / 3);
}

// The (from-degree, sign) pairs of each sign 0..11.
std::array<std::vector<Part>, 12> PartsOf(const WrittenVarga& w) {
    std::array<std::vector<Part>, 12> bySign;
    const bool grouped = w.parts.find('|') != std::string_view::npos;
    std::istringstream groups{std::string(w.parts)};
    std::string group;
    for (std::size_t s = 0; s < 12 && std::getline(groups, group, grouped ? '|' : ' '); ++s) {
        std::istringstream words(group);
        std::vector<std::string> names;
        for (std::string word; words >> word;) names.push_back(word);
        const int count = w.varga == Varga::D30 ? 5 : w.number;
        if (grouped && names.size() != static_cast<std::size_t>(count)) {
            ADD_FAILURE() << w.name << ": " << group;
            continue;
        }
        for (int k = 0; k < count; ++k) {
            const std::string& name = names[grouped ? static_cast<std::size_t>(k) : 0];
            if (w.varga == Varga::D30) {
                bySign[s].push_back({std::stod(name), SignOf(name.substr(name.find(':') + 1))});
            } else {
                const int sign = grouped ? SignOf(name) : (SignOf(name) + k) % 12;
                bySign[s].push_back({30.0 * k / w.number, sign});
            }
        }
    }
    for (const auto& parts : bySign) EXPECT_FALSE(parts.empty()) << w.name;
    return bySign;
}

TEST(Varga, NumbersAndNames) {
    for (std::size_t v = 0; v < kVargaCount; ++v) {
        const WrittenVarga& w = kWritten[v];
        EXPECT_EQ(kVargas[v], w.varga);
        EXPECT_EQ(VargaNumber(w.varga), w.number);
        EXPECT_EQ(VargaName(w.varga), w.name);
        EXPECT_EQ(VargaOfNumber(w.number), w.varga);
    }
    for (const int number : {0, -9, 5, 8, 13, 61}) EXPECT_FALSE(VargaOfNumber(number)) << number;
}

// Every part of every sign of every varga: its middle, and its start a hair
// before, on it and a hair after. A start is the sign's start plus the
// part's, both in double, as a reader would type 93°20'; about one in eight
// then lie a few units of the last place short of the true boundary and must
// still belong to the later part. Before a sign's start (1e-12° before too,
// inside the tolerance) comes the last part of the sign before, so 0° Aries
// meets 360°.
TEST(Varga, EveryPartMatchesTheWrittenTable) {
    for (const WrittenVarga& w : kWritten) {
        const auto bySign = PartsOf(w);
        for (int s = 0; s < 12; ++s) {
            const auto& parts = bySign[static_cast<std::size_t>(s)];
            for (std::size_t k = 0; k < parts.size(); ++k) {
                const double on = 30.0 * s + parts[k].from;
                const double to = k + 1 < parts.size() ? parts[k + 1].from : 30.0;
                const int previous =
                    k > 0 ? parts[k - 1].sign
                          : bySign[static_cast<std::size_t>((s + 11) % 12)].back().sign;
                const double turn = s == 0 && k == 0 ? 360.0 : 0.0;
                const std::string where = std::string(w.name) + ", sign " + std::to_string(s) +
                                          ", part " + std::to_string(k);
                EXPECT_EQ(VargaSign(w.varga, 30.0 * s + (parts[k].from + to) / 2), parts[k].sign)
                    << where << " middle";
                EXPECT_EQ(VargaSign(w.varga, on), parts[k].sign) << where << " on the start";
                EXPECT_EQ(VargaSign(w.varga, on + kHair), parts[k].sign) << where << " after";
                EXPECT_EQ(VargaSign(w.varga, turn + on - kHair), previous) << where << " before";
                if (k == 0) {
                    EXPECT_EQ(VargaSign(w.varga, turn + on - 1e-12), previous) << where << " end";
                }
            }
        }
        EXPECT_EQ(VargaSign(w.varga, 360.0), bySign[0][0].sign) << w.name << " at 360°";
    }
}

// D9 and D27 number their parts on from 0° Aries without a break: part m of
// the whole zodiac falls in sign m mod 12. Checked at each part's start
// (m * 360° / parts, over the whole circle), a hair either side, and its middle.
TEST(Varga, NavamsaAndBhamsaCountOnFromAries) {
    for (const Varga varga : {Varga::D9, Varga::D27}) {
        const int total = 12 * VargaNumber(varga);
        for (int m = 0; m < total; ++m) {
            const double start = 360.0 * m / total;
            const std::string where = std::string(VargaName(varga)) + " part " + std::to_string(m);
            EXPECT_EQ(VargaSign(varga, start), m % 12) << where;
            EXPECT_EQ(VargaSign(varga, start + kHair), m % 12) << where;
            EXPECT_EQ(VargaSign(varga, start + 180.0 / total), m % 12) << where;
            EXPECT_EQ(VargaSign(varga, (m == 0 ? 360.0 : start) - kHair), (m + total - 1) % 12)
                << where;
        }
    }
}

// Births every 11 days from 1901 to 2050 at shifting hours and places: D1 is
// the calculated chart's own signs, padas and UL; every varga's padas are the
// arudha rule on its own signs, the same whether found alone or with the
// other fifteen.
TEST(Varga, RasiIsTheChartOverASweepOfBirths) {
    int births = 0;
    for (int day = 0; day < 150 * 365; day += 11, ++births) {
        Birth b;
        b.year = 1901 + day / 365, b.month = 1 + (day / 31) % 12, b.day = 1 + day % 28;
        b.hour = (day * 7) % 24, b.minute = (day * 13) % 60, b.second = (day * 17) % 60;
        b.latDeg = (day * 23) % 90, b.latMin = (day * 29) % 60, b.south = day % 3 == 0;
        b.lonDeg = (day * 37) % 180, b.lonMin = (day * 11) % 60, b.east = day % 2 == 0;
        b.zoneHours = -12 + day % 25;
        const Chart chart = CalculateChart(b);
        const std::string when = std::to_string(b.year) + "-" + std::to_string(b.month) + "-" +
                                 std::to_string(b.day) + " ";

        const VargaChart rasi = VargaChartOf(Varga::D1, chart.longitude);
        ASSERT_EQ(rasi.sign, chart.sign) << when;
        ASSERT_EQ(rasi.padas, chart.padas) << when;
        const auto all = AllVargaCharts(chart.longitude);
        for (const Varga varga : kVargas) {
            const VargaChart& one = all[Index(varga)];
            ASSERT_EQ(one, VargaChartOf(varga, chart.longitude)) << when << VargaName(varga);
            ASSERT_EQ(one.sign, VargaSigns(varga, chart.longitude)) << when << VargaName(varga);
            ASSERT_EQ(one.padas, Arudha_Calculation(one.sign)) << when << VargaName(varga);
        }
    }
    EXPECT_GT(births, 4900);
}

}  // namespace
}  // namespace korvanta
