// SPDX-License-Identifier: GPL-3.0-or-later
// Pada names and the plain-language account of the Upapada Lagna.
#include "report/pada_account.h"

#include <gtest/gtest.h>

#include <variant>

#include "pipeline/pipeline.h"
#include "report/names.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

// A chart with every body in the ascendant's sign but the house-12 lord, and
// its padas as the calculation finds them.
Chart PadasFor(int ascendantSign, korvanta::Body lord, int lordSign) {
    Chart chart;
    chart.sign.fill(ascendantSign);
    chart.sign[Index(lord)] = lordSign;
    chart.padas = Arudha_Calculation(chart.sign);
    return chart;
}

TEST(PadaName, HouseNames) {
    EXPECT_EQ(PadaName(1), "Arudha Lagna");
    EXPECT_EQ(PadaName(2), "A2");
    EXPECT_EQ(PadaName(11), "A11");
    EXPECT_EQ(PadaName(12), "Upapada Lagna");
    EXPECT_EQ(PadaName(0), "");
    EXPECT_EQ(PadaName(13), "");
}

TEST(ExplainUpapada, LordInTheHouseItself) {
    // Ascendant Leo: house 12 is Cancer; the Moon in Cancer gives Aries.
    const Chart chart = PadasFor(4, korvanta::Body::Moon, 3);
    EXPECT_EQ(ExplainUpapada(chart),
              "House 12 is Cancer; its lord, the Moon, stands in Cancer itself, so the pada is the "
              "10th sign from Cancer: Aries.");
}

TEST(ExplainUpapada, LordInTheSeventhAndPlainCount) {
    // Ascendant Aries: house 12 Pisces, lord Jupiter in Virgo (7th): 10th from Pisces =
    // Sagittarius.
    Chart chart = PadasFor(0, korvanta::Body::Jupiter, 5);
    EXPECT_EQ(
        ExplainUpapada(chart),
        "House 12 is Pisces; its lord, Jupiter, stands in Virgo, the 7th sign from Pisces, so "
        "the pada is the 10th sign from Pisces: Sagittarius.");
    // Jupiter in Taurus (3rd from Pisces): three signs on from Taurus is Cancer.
    chart = PadasFor(0, korvanta::Body::Jupiter, 1);
    EXPECT_EQ(ExplainUpapada(chart),
              "House 12 is Pisces; its lord, Jupiter, stands in Taurus, the 3rd sign from Pisces; "
              "counting 3 signs on from Taurus gives Cancer, the pada.");
    EXPECT_EQ(chart.padas.ulSign, 3);
}

TEST(ExplainUpapada, FourthFromTheHouseAndRetrogradeLord) {
    // Jupiter in Gemini is the 4th from Pisces; counting 4 on lands in Virgo,
    // the 7th from Pisces, so the pada is the 4th from Pisces: Gemini.
    Chart chart = PadasFor(0, korvanta::Body::Jupiter, 2);
    chart.retrograde[3] = true;  // Mercury, Venus, Mars, Jupiter, Saturn
    EXPECT_EQ(chart.padas.ulSign, 2);
    EXPECT_EQ(
        ExplainUpapada(chart),
        "House 12 is Pisces; its lord, Jupiter (retrograde), stands in Gemini, the 4th sign "
        "from Pisces; counting 4 signs on from Gemini gives Virgo, the 7th from Pisces, so the "
        "pada moves to the 4th sign from Pisces: Gemini.");
}

TEST(ExplainUpapada, AgreesWithThePadaInEveryChartOfASweep) {
    // The account names the pada the calculation found, for any birth.
    for (int k = 0; k < 400; ++k) {
        Birth b = testing::SampleBirth();
        b.year = 1901 + (k * 37) % 150;
        b.month = 1 + k % 12;
        b.day = 1 + k % 28;
        b.hour = (k * 5) % 24;
        b.lonDeg = (k * 17) % 180;
        b.latDeg = (k * 7) % 70;
        const auto outcome = CalculateChart(FormOfBirth(b));
        ASSERT_TRUE(std::holds_alternative<BirthChart>(outcome));
        const Chart& chart = std::get<BirthChart>(outcome).chart;
        const std::string text = ExplainUpapada(chart);
        const std::string_view ul = SignName(chart.padas.ulSign);
        const std::string ending = ": " + std::string(ul) + ".";
        const bool namesPada = text.ends_with(ending) || text.ends_with(", the pada.");
        EXPECT_TRUE(namesPada) << text;
        if (text.ends_with(", the pada.")) {
            EXPECT_NE(text.find(std::string(ul) + ", the pada."), std::string::npos) << text;
        }
    }
}

}  // namespace
}  // namespace korvanta
