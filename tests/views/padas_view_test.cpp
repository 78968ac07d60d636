// The padas tab as values: the pada of every house, the special points read
// the way the chart marks them, the reference sunrise and the UL's account.
#include "ui/views/padas_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/ephemeris.h"
#include "reading/pada_account.h"
#include "view_births.h"

namespace korvanta::testing {
namespace {

constexpr std::array<const char*, 12> kSigns = {"Aries",       "Taurus",    "Gemini",   "Cancer",
                                                "Leo",         "Virgo",     "Libra",    "Scorpio",
                                                "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

TEST(PadasView, ListsThePadaOfEveryHouseByNameAndSign) {
    const ChartResult result = Calculated(NewDelhi1980());
    const PadasView view = DescribePadas(result);
    // The core's padas for this birth (korvanta-cli --json, "padas").
    const std::array<const char*, 12> expected = {
        "Virgo",  "Scorpio", "Sagittarius", "Aquarius",    "Aquarius", "Aries",
        "Pisces", "Scorpio", "Capricorn",   "Sagittarius", "Cancer",   "Pisces"};
    for (std::size_t house = 0; house < 12; ++house) {
        const PadaRow& row = view.padas[house];
        EXPECT_EQ(row.house, std::to_string(house + 1));
        EXPECT_EQ(row.name, PadaName(static_cast<int>(house) + 1));
        EXPECT_EQ(row.sign, kSigns[static_cast<std::size_t>(result.arudha.Pada[house])]);
        EXPECT_EQ(row.sign, expected[house]) << "house " << house + 1;
    }
    EXPECT_EQ(view.padas[0].name, "Arudha Lagna");
    EXPECT_EQ(view.padas[11].name, "Upapada Lagna");
    EXPECT_EQ(view.padas[11].sign, kSigns[static_cast<std::size_t>(result.arudha.ULSignIndex)]);
}

TEST(PadasView, GivesEachSpecialPointItsSignAndPositionWithinIt) {
    const PadasView view = DescribePadas(Calculated(NewDelhi1980()));
    // The core's longitudes for this birth ("special" of korvanta-cli --json),
    // split into sign, degrees, minutes and whole seconds by hand:
    // ghati 328.40550 = Aquarius 28° 24' 19.8", hora 161.90550 = Virgo
    // 11° 54' 19.8", bhava 106.40550 = Cancer 16° 24' 19.8", varnada 260 =
    // Sagittarius 20°, sree 148.47444 = Leo 28° 28' 27.97".
    const std::array<SpecialPointRow, kSpecialPointRows> expected = {{
        {"Ghati Lagna", "Aquarius", "28\u00b0 24' 19\""},
        {"Hora Lagna", "Virgo", "11\u00b0 54' 19\""},
        {"Bhava Lagna", "Cancer", "16\u00b0 24' 19\""},
        {"Varnada Lagna", "Sagittarius", "20\u00b0 0' 0\""},
        {"Sree Lagna", "Leo", "28\u00b0 28' 27\""},
        {"Pranapada Lagna", "Pisces", ""},
        {"Sign-count mark", "Aquarius", ""},
    }};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(view.points[i].point, expected[i].point);
        EXPECT_EQ(view.points[i].sign, expected[i].sign) << expected[i].point;
        EXPECT_EQ(view.points[i].position, expected[i].position) << expected[i].point;
    }
}

TEST(PadasView, TheSignOfEveryPointIsTheSignItsChartMarkUses) {
    // The chart marks a point in the sign of its FormatSignPosition text; the
    // table must agree with the mark, also at the edges of a sign.
    for (const double longitude : {0.0, 29.9999999, 30.0, 59.99999, 180.0, 359.9999999, 360.0}) {
        const std::optional<SignPosition> at = SignPositionOf(longitude);
        ASSERT_TRUE(at.has_value()) << longitude;
        const std::string text = FormatSignPosition(longitude);
        EXPECT_EQ(kSignAbbr[static_cast<std::size_t>(at->sign)], text.substr(text.size() - 3))
            << longitude;
        EXPECT_EQ(at->position + " " + std::string(kSignAbbr[static_cast<std::size_t>(at->sign)]),
                  text);
    }
    EXPECT_EQ(SignPositionOf(360.0)->sign, 0);  // a full circle is 0° of Aries
    EXPECT_FALSE(SignPositionOf(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(SignPositionOf(std::numeric_limits<double>::infinity()).has_value());
}

TEST(PadasView, NamesTheReferenceSunriseBeforeOrAfterTheBirth) {
    // Sunrise 05:23 on 5 June (korvanta-cli --json, "sunrise"), 222 minutes
    // before a birth at 9:05:30.
    EXPECT_EQ(DescribePadas(Calculated(NewDelhi1980())).referenceSunrise,
              "Sunrise used: 5 June 1980 at 05:23 local time, 222 minutes before the birth.");
    // After sunset the next morning's sunrise counts, 463 minutes on.
    Birth night = NewDelhi1980();
    night.hour = 21, night.minute = 40, night.second = 0;
    EXPECT_EQ(DescribePadas(Calculated(night)).referenceSunrise,
              "Sunrise used: 6 June 1980 at 05:23 local time, 463 minutes after the birth.");
}

TEST(PadasView, WithoutASunriseThePointsFromItAreNone) {
    const ChartResult result = Calculated(LongyearbyenMidsummer());
    ASSERT_FALSE(result.chart.ReferenceSunrise.has_value());
    const PadasView view = DescribePadas(result);
    EXPECT_EQ(view.referenceSunrise.rfind("No sunrise used:", 0), 0u) << view.referenceSunrise;
    for (const std::size_t i : {0u, 1u, 2u, 3u, 5u}) {  // Ghati, Hora, Bhava, Varnada, Pranapada
        EXPECT_EQ(view.points[i].sign, "none") << view.points[i].point;
        EXPECT_EQ(view.points[i].position, "") << view.points[i].point;
    }
    // The Sree Lagna and the sign-count mark need no sunrise.
    ASSERT_TRUE(result.special.sree.has_value());
    EXPECT_NE(view.points[4].sign, "none");
    EXPECT_EQ(view.points[4].sign,
              kSigns[static_cast<std::size_t>(SignPositionOf(*result.special.sree)->sign)]);
    ASSERT_TRUE(result.special.signCountMark.has_value());
    EXPECT_EQ(view.points[6].sign, kSigns[static_cast<std::size_t>(*result.special.signCountMark)]);
}

TEST(PadasView, TellsHowTheUpapadaLagnaWasFound) {
    const ChartResult result = Calculated(NewDelhi1980());
    const PadasView view = DescribePadas(result);
    EXPECT_EQ(view.upapadaAccount, ExplainUpapada(result.arudha, result.chart));
    EXPECT_NE(view.upapadaAccount.find("Pisces."), std::string::npos) << view.upapadaAccount;
}

}  // namespace
}  // namespace korvanta::testing
