// Pada names and the plain-language account of the Upapada Lagna.
#include "reading/pada_account.h"

#include <gtest/gtest.h>

#include <variant>

#include "pipeline/pipeline.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

// A chart holding only the ascendant and the house-12 lord, run through the
// twelve house calls as the pipeline makes them.
ArudhaState PadasFor(int ascendantSign, int lordSlot, int lordSign, ChartRecord& chart) {
    chart.ChartList.fill("");
    chart.ChartList[kAsc] =
        "05 " + std::string(kSignAbbr[static_cast<std::size_t>(ascendantSign)]) + " 00";
    chart.ChartList[static_cast<std::size_t>(lordSlot)] =
        "10 " + std::string(kSignAbbr[static_cast<std::size_t>(lordSign)]) + " 00";
    ArudhaState state;
    ResultCaptions captions;
    for (int n = 0; n < 12; ++n) {
        Arudha_Calculation(kSignLord[static_cast<std::size_t>((ascendantSign + n) % 12)], chart,
                           state, captions);
    }
    return state;
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
    ChartRecord chart;
    const ArudhaState state = PadasFor(4, kMoon, 3, chart);
    EXPECT_EQ(ExplainUpapada(state, chart),
              "House 12 is Cancer; its lord, the Moon, stands in Cancer itself, so the pada is the "
              "10th sign from Cancer: Aries.");
}

TEST(ExplainUpapada, LordInTheSeventhAndPlainCount) {
    ChartRecord chart;
    // Ascendant Aries: house 12 Pisces, lord Jupiter in Virgo (7th): 10th from Pisces =
    // Sagittarius.
    ArudhaState state = PadasFor(0, kJupiter, 5, chart);
    EXPECT_EQ(
        ExplainUpapada(state, chart),
        "House 12 is Pisces; its lord, Jupiter, stands in Virgo, the 7th sign from Pisces, so "
        "the pada is the 10th sign from Pisces: Sagittarius.");
    // Jupiter in Taurus (3rd from Pisces): three signs on from Taurus is Cancer.
    state = PadasFor(0, kJupiter, 1, chart);
    EXPECT_EQ(ExplainUpapada(state, chart),
              "House 12 is Pisces; its lord, Jupiter, stands in Taurus, the 3rd sign from Pisces; "
              "counting 3 signs on from Taurus gives Cancer, the pada.");
    EXPECT_EQ(state.ULSignIndex, 3);
}

TEST(ExplainUpapada, FourthFromTheHouseAndRetrogradeLord) {
    ChartRecord chart;
    chart.BodyName[kJupiter] = "Jupiter (R) ";
    // Jupiter in Gemini is the 4th from Pisces; counting 4 on lands in Virgo,
    // the 7th from Pisces, so the pada is the 4th from Pisces: Gemini.
    const ArudhaState state = PadasFor(0, kJupiter, 2, chart);
    EXPECT_EQ(state.ULSignIndex, 2);
    EXPECT_EQ(
        ExplainUpapada(state, chart),
        "House 12 is Pisces; its lord, Jupiter (retrograde), stands in Gemini, the 4th sign "
        "from Pisces; counting 4 signs on from Gemini gives Virgo, the 7th from Pisces, so the "
        "pada moves to the 4th sign from Pisces: Gemini.");
}

TEST(ExplainUpapada, AgreesWithThePadaInEveryChartOfASweep) {
    // The account names the pada the calculation found, for any birth.
    for (int k = 0; k < 400; ++k) {
        testing::Birth b;
        b.year = 1901 + (k * 37) % 150;
        b.month = 1 + k % 12;
        b.day = 1 + k % 28;
        b.hour = (k * 5) % 24;
        b.lonDeg = (k * 17) % 180;
        b.latDeg = (k * 7) % 70;
        ChartOutcome outcome = CalculateChart(testing::FormOf(b));
        const auto& r = std::get<ChartResult>(outcome);
        const std::string text = ExplainUpapada(r.arudha, r.chart);
        const std::string ending =
            ": " + std::string(kSignNames[static_cast<std::size_t>(r.arudha.ULSignIndex)]) + ".";
        const bool namesPada = text.ends_with(ending) || text.ends_with(", the pada.");
        EXPECT_TRUE(namesPada) << text;
        if (text.ends_with(", the pada.")) {
            EXPECT_NE(
                text.find(std::string(kSignNames[static_cast<std::size_t>(r.arudha.ULSignIndex)]) +
                          ", the pada."),
                std::string::npos)
                << text;
        }
    }
    EXPECT_EQ(ExplainUpapada(ArudhaState{}, ChartRecord{}), "");
}

}  // namespace
}  // namespace korvanta
