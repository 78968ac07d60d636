// SPDX-License-Identifier: GPL-3.0-or-later
// The sixteen vargas: every part of every sign against the parts written out
// below by hand from the rules, the D1 chart against the calculated chart
// over a sweep of births, D9 and D27 against the count of parts from 0°
// Aries, and the padas of each varga from its own signs.
#include "reading/varga.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "pipeline/pipeline.h"

namespace korvanta {
namespace {

constexpr std::array<std::string_view, 12> kAbbr = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                                    "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// Far beyond kVargaBoundaryTolerance (1e-10°), far below any part's width.
constexpr double kHair = 1e-8;

// Each varga's parts, sign by sign (Aries first, groups split by '|'). A
// group names the sign of each part in order; "..." after a name means every
// further part falls in the next sign. Equal parts start at k * 30° / parts;
// D30 writes each part's start in degrees ("5:Aqu").
struct WrittenVarga {
    Varga varga;
    int number;
    std::string_view name;
    std::string_view bySign;
};

// clang-format off
const std::array<WrittenVarga, kVargaCount> kWritten = {{
    {Varga::D1, 1, "D1 Rasi",
     "Ari|Tau|Gem|Can|Leo|Vir|Lib|Sco|Sag|Cap|Aqu|Pis"},
    {Varga::D2, 2, "D2 Hora",
     "Leo Can|Can Leo|Leo Can|Can Leo|Leo Can|Can Leo|Leo Can|Can Leo|Leo Can|Can Leo|Leo Can|"
     "Can Leo"},
    {Varga::D3, 3, "D3 Drekkana",
     "Ari Leo Sag|Tau Vir Cap|Gem Lib Aqu|Can Sco Pis|Leo Sag Ari|Vir Cap Tau|Lib Aqu Gem|"
     "Sco Pis Can|Sag Ari Leo|Cap Tau Vir|Aqu Gem Lib|Pis Can Sco"},
    {Varga::D4, 4, "D4 Chaturthamsa",
     "Ari Can Lib Cap|Tau Leo Sco Aqu|Gem Vir Sag Pis|Can Lib Cap Ari|Leo Sco Aqu Tau|"
     "Vir Sag Pis Gem|Lib Cap Ari Can|Sco Aqu Tau Leo|Sag Pis Gem Vir|Cap Ari Can Lib|"
     "Aqu Tau Leo Sco|Pis Gem Vir Sag"},
    {Varga::D7, 7, "D7 Saptamsa",
     "Ari ...|Sco ...|Gem ...|Cap ...|Leo ...|Pis ...|Lib ...|Tau ...|Sag ...|Can ...|Aqu ...|"
     "Vir ..."},
    {Varga::D9, 9, "D9 Navamsa",
     "Ari ...|Cap ...|Lib ...|Can ...|Ari ...|Cap ...|Lib ...|Can ...|Ari ...|Cap ...|Lib ...|"
     "Can ..."},
    {Varga::D10, 10, "D10 Dasamsa",
     "Ari ...|Cap ...|Gem ...|Pis ...|Leo ...|Tau ...|Lib ...|Can ...|Sag ...|Vir ...|Aqu ...|"
     "Sco ..."},
    {Varga::D12, 12, "D12 Dwadasamsa",
     "Ari ...|Tau ...|Gem ...|Can ...|Leo ...|Vir ...|Lib ...|Sco ...|Sag ...|Cap ...|Aqu ...|"
     "Pis ..."},
    {Varga::D16, 16, "D16 Shodasamsa",
     "Ari ...|Leo ...|Sag ...|Ari ...|Leo ...|Sag ...|Ari ...|Leo ...|Sag ...|Ari ...|Leo ...|"
     "Sag ..."},
    {Varga::D20, 20, "D20 Vimsamsa",
     "Ari ...|Sag ...|Leo ...|Ari ...|Sag ...|Leo ...|Ari ...|Sag ...|Leo ...|Ari ...|Sag ...|"
     "Leo ..."},
    {Varga::D24, 24, "D24 Chaturvimsamsa",
     "Leo ...|Can ...|Leo ...|Can ...|Leo ...|Can ...|Leo ...|Can ...|Leo ...|Can ...|Leo ...|"
     "Can ..."},
    {Varga::D27, 27, "D27 Saptavimsamsa (Bhamsa)",
     "Ari ...|Can ...|Lib ...|Cap ...|Ari ...|Can ...|Lib ...|Cap ...|Ari ...|Can ...|Lib ...|"
     "Cap ..."},
    {Varga::D30, 30, "D30 Trimsamsa",
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco|"
     "0:Ari 5:Aqu 10:Sag 18:Gem 25:Lib|0:Tau 5:Vir 12:Pis 20:Cap 25:Sco"},
    {Varga::D40, 40, "D40 Khavedamsa",
     "Ari ...|Lib ...|Ari ...|Lib ...|Ari ...|Lib ...|Ari ...|Lib ...|Ari ...|Lib ...|Ari ...|"
     "Lib ..."},
    {Varga::D45, 45, "D45 Akshavedamsa",
     "Ari ...|Leo ...|Sag ...|Ari ...|Leo ...|Sag ...|Ari ...|Leo ...|Sag ...|Ari ...|Leo ...|"
     "Sag ..."},
    {Varga::D60, 60, "D60 Shashtiamsa",
     "Ari ...|Tau ...|Gem ...|Can ...|Leo ...|Vir ...|Lib ...|Sco ...|Sag ...|Cap ...|Aqu ...|"
     "Pis ..."},
}};
// clang-format on

struct Part {
    double from;  // degrees within the sign
    int sign;     // 0..11
};
using Parts = std::vector<Part>;  // in order, the first from 0°

int SignOfAbbr(const std::string& abbr) {
    for (std::size_t k = 0; k < kAbbr.size(); ++k) {
        if (kAbbr[k] == abbr) return static_cast<int>(k);
    }
    ADD_FAILURE() << "no sign " << abbr;
    return 0;
}

// The parts of each sign 0..11, expanded from the written groups.
std::array<Parts, 12> PartsOf(const WrittenVarga& written) {
    std::array<Parts, 12> bySign;
    std::istringstream groups{std::string(written.bySign)};
    std::string group;
    std::size_t sign = 0;
    while (std::getline(groups, group, '|')) {
        EXPECT_LT(sign, 12u) << written.name;
        if (sign >= 12) break;
        std::istringstream words(group);
        std::string word;
        std::vector<std::string> names;
        while (words >> word) names.push_back(word);
        Parts& parts = bySign[sign++];
        if (written.varga == Varga::D30) {
            for (const std::string& n : names) {
                const auto colon = n.find(':');
                parts.push_back({std::stod(n.substr(0, colon)), SignOfAbbr(n.substr(colon + 1))});
            }
            continue;
        }
        const bool runsOn = names.size() == 2 && names[1] == "...";
        EXPECT_TRUE(runsOn || static_cast<int>(names.size()) == written.number)
            << written.name << ": " << group;
        for (int k = 0; k < written.number; ++k) {
            const double from = 30.0 * k / written.number;
            const int partSign = runsOn ? (SignOfAbbr(names[0]) + k) % 12
                                        : SignOfAbbr(names[static_cast<std::size_t>(k)]);
            parts.push_back({from, partSign});
        }
    }
    EXPECT_EQ(sign, 12u) << written.name;
    return bySign;
}

TEST(Varga, NumbersAndNamesRoundTrip) {
    for (std::size_t v = 0; v < kVargaCount; ++v) {
        const WrittenVarga& w = kWritten[v];
        EXPECT_EQ(kVargas[v], w.varga);
        EXPECT_EQ(Index(w.varga), v);
        EXPECT_EQ(VargaNumber(w.varga), w.number);
        EXPECT_EQ(VargaName(w.varga), w.name);
        EXPECT_EQ(VargaOfNumber(w.number), w.varga);
    }
    for (const int number : {0, -9, 5, 6, 8, 11, 13, 36, 61, 120})
        EXPECT_FALSE(VargaOfNumber(number).has_value()) << number;
}

// Every part of every sign of every varga: its middle, and each boundary a
// hair before, on it and a hair after. The boundary longitude is the sign's
// start plus the part's start, both in double; a third of the boundaries
// then lie a few units of the last place short of the true value, and still
// belong to the later part. The boundary at a sign's start is checked
// against the last part of the sign before, so 0° Aries meets 360°.
TEST(Varga, EveryPartMatchesTheWrittenTable) {
    for (const WrittenVarga& written : kWritten) {
        const std::array<Parts, 12> bySign = PartsOf(written);
        for (int s = 0; s < 12; ++s) {
            const Parts& parts = bySign[static_cast<std::size_t>(s)];
            const int before = bySign[static_cast<std::size_t>((s + 11) % 12)].back().sign;
            for (std::size_t k = 0; k < parts.size(); ++k) {
                const double from = parts[k].from;
                const double to = k + 1 < parts.size() ? parts[k + 1].from : 30.0;
                const double on = 30.0 * s + from;
                const int expected = parts[k].sign;
                const int previous = k == 0 ? before : parts[k - 1].sign;
                const auto where = [&](const char* what, double at) {
                    std::ostringstream out;
                    out.precision(17);
                    out << written.name << ", " << kAbbr[static_cast<std::size_t>(s)] << " part "
                        << k << " (from " << from << "°), " << what << ": longitude " << at;
                    return out.str();
                };
                const double middle = 30.0 * s + (from + to) / 2;
                EXPECT_EQ(VargaSign(written.varga, middle), expected) << where("middle", middle);
                EXPECT_EQ(VargaSign(written.varga, on), expected) << where("on", on);
                EXPECT_EQ(VargaSign(written.varga, on + kHair), expected)
                    << where("a hair after", on + kHair);
                const double justBefore = s == 0 && k == 0 ? 360.0 - kHair : on - kHair;
                EXPECT_EQ(VargaSign(written.varga, justBefore), previous)
                    << where("a hair before", justBefore);
            }
        }
        // 360° is 0° Aries, as in the chart.
        EXPECT_EQ(VargaSign(written.varga, 360.0), bySign[0].front().sign) << written.name;
    }
}

// A boundary written in degrees and minutes, as a reader gives it: 3°20' in
// Sagittarius is 243°20', the second Navamsa of Sagittarius (Taurus); 1°6'40"
// in Taurus opens the second D27 part (Leo).
TEST(Varga, BoundariesInDegreesAndMinutesBelongToTheLaterPart) {
    EXPECT_EQ(VargaSign(Varga::D9, 240.0 + 3.0 + 20.0 / 60.0), 1);
    EXPECT_EQ(VargaSign(Varga::D9, 240.0 + 10.0 / 3.0), 1);
    EXPECT_EQ(VargaSign(Varga::D27, 30.0 + 1.0 + 6.0 / 60.0 + 40.0 / 3600.0), 4);
    // Just short of a sign's end the point stays in the sign the chart shows.
    EXPECT_EQ(VargaSign(Varga::D9, 60.0 - 1e-12), 5);    // Taurus's last part: Virgo
    EXPECT_EQ(VargaSign(Varga::D60, 30.0 - 1e-12), 11);  // Aries's last part: Pisces
}

// D9 and D27 number their parts on from 0° Aries without a break: part m of
// the whole zodiac falls in sign m mod 12. Checked at each part's start (as
// m * 30° / parts, computed over the whole circle), a hair either side, its
// middle, and at 100,000 random longitudes away from the boundaries.
TEST(Varga, NavamsaAndBhamsaCountOnFromAries) {
    std::mt19937_64 random(26);
    std::uniform_real_distribution<double> anywhere(0.0, 360.0);
    for (const auto& [varga, parts] : {std::pair{Varga::D9, 9}, std::pair{Varga::D27, 27}}) {
        const int total = 12 * parts;
        const double width = 360.0 / total;
        for (int m = 0; m < total; ++m) {
            const double start = 360.0 * m / total;
            EXPECT_EQ(VargaSign(varga, start), m % 12) << VargaName(varga) << " part " << m;
            EXPECT_EQ(VargaSign(varga, start + kHair), m % 12) << VargaName(varga) << " " << m;
            EXPECT_EQ(VargaSign(varga, start + width / 2), m % 12) << VargaName(varga) << " " << m;
            const double before = m == 0 ? 360.0 - kHair : start - kHair;
            EXPECT_EQ(VargaSign(varga, before), (m + total - 1) % 12)
                << VargaName(varga) << " before part " << m;
        }
        int failures = 0;
        for (int n = 0; n < 100000 && failures < 10; ++n) {
            const double longitude = anywhere(random);
            const double count = longitude / width;
            if (count - std::floor(count) < 1e-6 || std::ceil(count) - count < 1e-6) continue;
            const int expected = static_cast<int>(std::floor(count)) % 12;
            const int actual = VargaSign(varga, longitude);
            if (actual != expected) ++failures;
            EXPECT_EQ(actual, expected) << VargaName(varga) << " at " << longitude;
        }
    }
}

// Births every 11 days from 1901 to 2050 at shifting hours and places: the
// D1 chart is the calculated chart's own signs and padas, the sixteen at once
// equal each varga alone, and every varga's UL house counts from its own
// ascendant.
TEST(Varga, RasiIsTheChartOverASweepOfBirths) {
    int births = 0;
    for (int day = 0; day < 150 * 365; day += 11, ++births) {
        Birth birth;
        birth.year = 1901 + day / 365;
        birth.month = 1 + (day / 31) % 12;
        birth.day = 1 + day % 28;
        birth.hour = (day * 7) % 24;
        birth.minute = (day * 13) % 60;
        birth.second = (day * 17) % 60;
        birth.latDeg = (day * 23) % 90;
        birth.latMin = (day * 29) % 60;
        birth.south = day % 3 == 0;
        birth.lonDeg = (day * 37) % 180;
        birth.lonMin = (day * 11) % 60;
        birth.east = day % 2 == 0;
        birth.zoneHours = -12 + day % 25;
        const Chart chart = CalculateChart(birth);
        const std::string when = std::to_string(birth.year) + "-" + std::to_string(birth.month) +
                                 "-" + std::to_string(birth.day);

        const VargaChart rasi = VargaChartOf(Varga::D1, chart.longitude);
        ASSERT_EQ(rasi.sign, chart.sign) << when;
        ASSERT_EQ(rasi.padas, chart.padas) << when;
        ASSERT_EQ(rasi.padas.ulSign, chart.padas.ulSign) << when;
        ASSERT_EQ(rasi.padas.ulHouse, chart.padas.ulHouse) << when;

        const std::array<VargaChart, kVargaCount> all = AllVargaCharts(chart.longitude);
        for (const Varga varga : kVargas) {
            const VargaChart& one = all[Index(varga)];
            ASSERT_EQ(one, VargaChartOf(varga, chart.longitude)) << when << VargaName(varga);
            ASSERT_EQ(one.sign, VargaSigns(varga, chart.longitude)) << when << VargaName(varga);
            const int asc = one.sign[Index(Body::Asc)];
            ASSERT_EQ(one.padas.ulSign, one.padas.pada[11]) << when << VargaName(varga);
            ASSERT_EQ(one.padas.ulHouse, (one.padas.ulSign - asc + 12) % 12 + 1)
                << when << VargaName(varga);
        }
    }
    EXPECT_GT(births, 4900);
}

// In every varga, points placed in parts of chosen signs (taken from the
// written table, in signs other than their own D1 sign where the varga
// allows) give padas that are the arudha rule applied to those signs: house 1
// at the varga's ascendant, each lord where the varga puts it.
TEST(Varga, PadasFollowTheVargaSigns) {
    std::mt19937_64 random(9);
    std::uniform_int_distribution<std::size_t> anySign(0, 11);
    for (const WrittenVarga& written : kWritten) {
        const std::array<Parts, 12> bySign = PartsOf(written);
        // Where each varga sign can be reached: (sign of the longitude, part).
        std::array<std::vector<std::pair<int, std::size_t>>, 12> reach;
        for (int s = 0; s < 12; ++s) {
            const Parts& parts = bySign[static_cast<std::size_t>(s)];
            for (std::size_t k = 0; k < parts.size(); ++k)
                reach[static_cast<std::size_t>(parts[k].sign)].push_back({s, k});
        }
        for (int trial = 0; trial < 200; ++trial) {
            std::array<int, kBodyCount> wanted{};
            std::array<double, kBodyCount> longitude{};
            for (std::size_t body = 0; body < kBodyCount; ++body) {
                // D2 reaches only Cancer and Leo: choose among reachable signs.
                std::size_t target = anySign(random);
                while (reach[target].empty()) target = anySign(random);
                const auto& ways = reach[target];
                const auto [s, k] = ways[random() % ways.size()];
                const Parts& parts = bySign[static_cast<std::size_t>(s)];
                const double to = k + 1 < parts.size() ? parts[k + 1].from : 30.0;
                wanted[body] = static_cast<int>(target);
                longitude[body] = 30.0 * s + (parts[k].from + to) / 2;
            }
            const VargaChart chart = VargaChartOf(written.varga, longitude);
            ASSERT_EQ(chart.sign, wanted) << written.name;
            ASSERT_EQ(chart.padas, Arudha_Calculation(wanted)) << written.name;
            ASSERT_EQ(chart.padas.lagnaSign, wanted[Index(Body::Asc)]) << written.name;
        }
    }
}

}  // namespace
}  // namespace korvanta
