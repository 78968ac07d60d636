// SPDX-License-Identifier: GPL-3.0-or-later
// The padas tab as values: the pada of every house, the special points read
// the way the chart marks them, the reference sunrise and the UL's account.
#include <gtest/gtest.h>

#include "astro/angles.h"
#include "report/names.h"
#include "report/pada_account.h"
#include "report/positions.h"
#include "report/report.h"
#include "view_births.h"

namespace korvanta::testing {
namespace {

constexpr std::array<const char*, 12> kSigns = {"Aries",       "Taurus",    "Gemini",   "Cancer",
                                                "Leo",         "Virgo",     "Libra",    "Scorpio",
                                                "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

TEST(PadasView, ListsThePadaOfEveryHouseByNameAndSign) {
    const Calculation result = Calculated(NewDelhi1980());
    const PadasView& view = result.report.padas;
    // The core's padas for this birth (korvanta-cli --json, "padas").
    const std::array<const char*, 12> expected = {
        "Virgo",  "Scorpio", "Sagittarius", "Aquarius",    "Aquarius", "Aries",
        "Pisces", "Scorpio", "Capricorn",   "Sagittarius", "Cancer",   "Pisces"};
    for (std::size_t house = 0; house < 12; ++house) {
        const PadaRow& row = view.padas[house];
        EXPECT_EQ(row.house, std::to_string(house + 1));
        EXPECT_EQ(row.name, PadaName(static_cast<int>(house) + 1));
        EXPECT_EQ(row.sign, kSigns[static_cast<std::size_t>(result.chart.padas.pada[house])]);
        EXPECT_EQ(row.sign, expected[house]) << "house " << house + 1;
    }
    EXPECT_EQ(view.padas[0].name, "Arudha Lagna");
    EXPECT_EQ(view.padas[11].name, "Upapada Lagna");
    EXPECT_EQ(view.padas[11].sign, kSigns[static_cast<std::size_t>(result.chart.padas.ulSign)]);
}

TEST(PadasView, GivesEachSpecialPointItsSignAndPositionWithinIt) {
    const PadasView view = Calculated(NewDelhi1980()).report.padas;
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
    // table (sign and DegreesWithinSign) must agree with the mark, also at the
    // edges of a sign.
    for (const double longitude : {0.0, 29.9999999, 30.0, 59.99999, 180.0, 359.9999999, 360.0}) {
        const std::string_view abbr =
            kSignAbbr[static_cast<std::size_t>(SignOfLongitude(longitude))];
        const std::string text = FormatSignPosition(SignPositionOf(longitude));
        EXPECT_EQ(abbr, text.substr(text.size() - 3)) << longitude;
        EXPECT_EQ(DegreesWithinSign(SignPositionOf(longitude)) + " " + std::string(abbr), text);
    }
    EXPECT_EQ(SignOfLongitude(360.0), 0);  // a full circle is 0° of Aries
}

TEST(PadasView, NamesTheReferenceSunriseBeforeOrAfterTheBirth) {
    // Sunrise 05:23 on 5 June (korvanta-cli --json, "sunrise"), 222 minutes
    // before a birth at 9:05:30.
    EXPECT_EQ(Calculated(NewDelhi1980()).report.padas.referenceSunrise,
              "Sunrise used: 5 June 1980 at 05:23 local time, 222 minutes before the birth.");
    // After sunset the next morning's sunrise counts, 463 minutes on.
    Birth night = NewDelhi1980();
    night.hour = 21, night.minute = 40, night.second = 0;
    EXPECT_EQ(Calculated(night).report.padas.referenceSunrise,
              "Sunrise used: 6 June 1980 at 05:23 local time, 463 minutes after the birth.");
}

TEST(PadasView, WithoutASunriseThePointsFromItAreNone) {
    const Calculation result = Calculated(LongyearbyenMidsummer());
    ASSERT_FALSE(result.chart.sunrise.reference.has_value());
    const PadasView& view = result.report.padas;
    EXPECT_EQ(view.referenceSunrise.rfind("No sunrise used:", 0), 0u) << view.referenceSunrise;
    for (const std::size_t i : {0u, 1u, 2u, 3u, 5u}) {  // Ghati, Hora, Bhava, Varnada, Pranapada
        EXPECT_EQ(view.points[i].sign, "none") << view.points[i].point;
        EXPECT_EQ(view.points[i].position, "") << view.points[i].point;
    }
    // The Sree Lagna and the sign-count mark need no sunrise.
    const SpecialPoints& special = result.chart.special;
    ASSERT_TRUE(special.sree.has_value());
    EXPECT_NE(view.points[4].sign, "none");
    EXPECT_EQ(view.points[4].sign,
              kSigns[static_cast<std::size_t>(SignOfLongitude(*special.sree))]);
    ASSERT_TRUE(special.signCountMark.has_value());
    EXPECT_EQ(view.points[6].sign, kSigns[static_cast<std::size_t>(*special.signCountMark)]);
}

TEST(PadasView, TellsHowTheUpapadaLagnaWasFound) {
    const Calculation result = Calculated(NewDelhi1980());
    const PadasView& view = result.report.padas;
    EXPECT_EQ(view.upapadaAccount, ExplainUpapada(result.chart));
    EXPECT_NE(view.upapadaAccount.find("Pisces."), std::string::npos) << view.upapadaAccount;
}

}  // namespace
}  // namespace korvanta::testing
