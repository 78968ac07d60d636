// Arudha padas and the Upapada Lagna, on charts built by hand: each body is
// put in a sign through a position text of the form "05 Ari 07".
#include "reading/arudha.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace korvanta {
namespace {

enum Sign0 : int { Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis };

// signs[i] = sign 0..11 of body slot i (Sun..Ketu, then the ascendant).
ChartRecord ChartOf(const std::array<int, 10>& signs) {
    ChartRecord chart;
    for (std::size_t i = 0; i < signs.size(); ++i) {
        chart.ChartList[i] =
            "05 " + std::string(kSignAbbr[static_cast<std::size_t>(signs[i])]) + " 07";
    }
    return chart;
}

struct Result {
    ArudhaState state;
    ResultCaptions captions;
};

// The twelve calls in house order, each with the lord of the house's sign;
// `ascendant` is the sign 0..11 of house 1.
Result RunHouses(const ChartRecord& chart, int ascendant, int houses = 12) {
    Result r;
    for (int n = 0; n < houses; ++n) {
        Arudha_Calculation(kSignLord[static_cast<std::size_t>((ascendant + n) % 12)], chart,
                           r.state, r.captions);
    }
    return r;
}

// Every body and the ascendant in Aries: house n has sign n and every lord
// stands in Aries, so each rule of the count shows up once. Padas worked out
// by hand: house 1 (lord in the house) -> 10th = Cap; house 4 (lord in its
// 10th) and house 10 (lord in its 4th) -> 4th from the house = Lib and Ari;
// house 7 (lord in its 7th) -> 10th = Can; the rest by the plain count.
TEST(ArudhaPadas, EverythingInAriesCoversEachRuleOnce) {
    const Result r = RunHouses(ChartOf({Ari, Ari, Ari, Ari, Ari, Ari, Ari, Ari, Ari, Ari}), Ari);
    const std::array<std::int16_t, 12> padas = {Cap, Pis, Aqu, Lib, Sag, Sco,
                                                Can, Vir, Leo, Ari, Gem, Tau};
    EXPECT_EQ(r.state.Pada, padas);
    // The extra mark of house 1 goes to the lagna lord's sign (Mars in Aries),
    // so Aries holds two bare marks; the UL (Taurus) has none before it.
    EXPECT_EQ(r.captions.lblArudha[Ari], "\r\n\r\n");
    EXPECT_EQ(r.captions.lblArudha[Tau], "\r\nUL");
    for (int k = Gem; k <= Pis; ++k) EXPECT_EQ(r.captions.lblArudha[k], "\r\n") << k;
    EXPECT_EQ(r.state.ULSignIndex, Tau);
    EXPECT_EQ(r.state.ULHouse, 2);
    EXPECT_EQ(r.captions.lblULPresentHouse, "House 2");
    EXPECT_EQ(r.captions.lblHoraDesc,
              "Family life will gain importance. You will understand that your true happiness is "
              "with spending time with your wife and children.");
}

// Ascendant Leo, so house 12 is Cancer, ruled by the Moon. Sun and Saturn in
// Aries put the lagna lord's extra mark and the pada of house 6 (Cap, lord in
// its 4th) in Aries before the UL arrives there. Every pada worked out by hand.
TEST(ArudhaPadas, LeoChartPinsEveryMarkAndTheUlOnItsFourthLine) {
    //                    Sun  Moon Merc Ven  Mars Jup  Sat  Rahu Ketu Asc
    const ChartRecord c = ChartOf({Ari, Can, Leo, Vir, Sco, Sag, Ari, Tau, Sco, Leo});
    const Result r = RunHouses(c, Leo);
    const std::array<std::int16_t, 12> padas = {Sag, Can, Leo, Leo, Vir, Ari,
                                                Gem, Gem, Gem, Cap, Lib, Ari};
    EXPECT_EQ(r.state.Pada, padas);
    const std::array<std::string, 12> cells = {
        "\r\n\r\n\r\nUL", "", "\r\n\r\n\r\n", "\r\n", "\r\n\r\n", "\r\n",
        "\r\n",           "", "\r\n",         "\r\n", "",         ""};
    EXPECT_EQ(r.captions.lblArudha, cells);
    // Lord of house 12 (Moon) in house 12 itself: the UL is the 10th from Cancer.
    EXPECT_EQ(r.state.ULSignIndex, Ari);
    EXPECT_EQ(r.state.ULHouse, 9);
    EXPECT_EQ(r.captions.lblULPresentHouse, "House 9");
    EXPECT_EQ(r.captions.lblHoraDesc, "Wisdom and knowledge will be of utmost importance.  ");
    EXPECT_EQ(r.state.LagnaSign, 5);
    EXPECT_EQ(r.state.LagnaLordSign, 1);
    EXPECT_EQ(r.state.ExtraMarkSign, 5);
    EXPECT_EQ(r.state.LagnaSignCount, 6);  // Leo
    EXPECT_EQ(r.state.MoonSignCount, 10);  // Cancer
}

TEST(ArudhaPadas, LordInTheSeventhFromTheHouseGivesTheTenth) {
    // Ascendant Leo, Moon in Capricorn, the 7th from Cancer: the UL is again Aries.
    const Result leo = RunHouses(ChartOf({Ari, Cap, Leo, Vir, Sco, Sag, Ari, Tau, Sco, Leo}), Leo);
    EXPECT_EQ(leo.state.ULSignIndex, Ari);
    // Ascendant Aries, Mars in Libra: the lord stands six signs ahead of house
    // 1 (the doubled distance is 12, not 0); the pada is Capricorn.
    const Result aries =
        RunHouses(ChartOf({Tau, Tau, Tau, Tau, Lib, Tau, Tau, Tau, Tau, Ari}), Ari);
    EXPECT_EQ(aries.state.Pada[0], Cap);
}

// For every ascendant and every house, the lord in the 4th and in the 10th
// from the house: the plain count falls in the 7th, and the pada moves to the
// 4th from the house. From Scorpio on, house 12's sign number passes 12.
TEST(ArudhaPadas, FourthAndTenthRuleHoldsForEveryAscendantAndHouse) {
    for (int asc = Ari; asc <= Pis; ++asc) {
        for (int house = 1; house <= 12; ++house) {
            const int houseSign = (asc + house - 1) % 12;
            const auto lord = kSignLord[static_cast<std::size_t>(houseSign)];
            for (int away : {3, 9}) {
                std::array<int, 10> signs = {Tau, Tau, Tau, Tau, Tau, Tau, Tau, Tau, Tau, asc};
                for (std::size_t slot = 0; slot < 7; ++slot) {
                    if (kPlainBodyNames[slot] == lord) signs[slot] = (houseSign + away) % 12;
                }
                const Result r = RunHouses(ChartOf(signs), asc);
                EXPECT_EQ(r.state.Pada[static_cast<std::size_t>(house - 1)], (houseSign + 3) % 12)
                    << "ascendant " << asc << ", house " << house << ", lord " << away + 1
                    << " signs on";
            }
        }
    }
}

TEST(ArudhaPadas, RetrogradeJupiterIsFoundAsLordOfSagittariusAndPisces) {
    // Ascendant Aries: houses 9 and 12 are Sagittarius and Pisces. Mars (lord
    // of house 8) in Gemini makes a lord left over from house 8 visible.
    ChartRecord c = ChartOf({Can, Can, Can, Can, Gem, Ari, Can, Can, Can, Ari});
    c.BodyName[kJupiter] = "Jupiter (R) ";
    const Result r = RunHouses(c, Ari);
    EXPECT_EQ(r.state.Pada[8], Leo);   // Sagittarius, lord in its 5th: the 5th from Aries
    EXPECT_EQ(r.state.Pada[11], Tau);  // Pisces, lord in the 2nd: 2nd from Aries
    EXPECT_EQ(r.state.ULSignIndex, Tau);
}

// The UL's house for a UL in the ascendant's sign and the sign before it. The
// pada of house 12 of a consistent chart lies 2, 3, 4, 8, 9 or 10 houses on,
// so these two show only when the ascendant's text cannot be read in the last
// call: the ascendant found earlier (Aries) stays, and house 12 is counted on
// from the unreduced sign of house 11 (11 + 11 = 22, i.e. Capricorn).
TEST(ArudhaPadas, UlHouseOneAndTwelveCountFromTheAscendant) {
    for (const auto& [jupiter, ulSign, ulHouse] :
         {std::array<int, 3>{Aqu, Pis, 12}, std::array<int, 3>{Ari, Ari, 1}}) {
        ChartRecord c = ChartOf({Can, Can, Can, Can, Can, jupiter, Can, Can, Can, Ari});
        Result r = RunHouses(c, Ari, 11);
        c.ChartList[kAsc] = "05 ari 07";  // no exact match: the ascendant is skipped
        Arudha_Calculation("Jupiter", c, r.state, r.captions);
        EXPECT_EQ(r.state.ULSignIndex, ulSign);
        EXPECT_EQ(r.state.ULHouse, ulHouse);
        EXPECT_EQ(r.captions.lblULPresentHouse, "House " + std::to_string(ulHouse));
    }
}

TEST(ArudhaPadas, TextsWithoutAKnownSignAreSkippedSafely) {
    ChartRecord c;  // every position text empty
    c.ChartList[kMoon] = "5 Can 07";
    const Result r = RunHouses(c, Ari);
    EXPECT_EQ(r.state.LagnaSign, 0);
    EXPECT_EQ(r.state.MoonSignCount, 0);
    int marks = 0;
    for (const std::string& cell : r.captions.lblArudha) {
        for (std::size_t at = cell.find("\r\n"); at != std::string::npos;
             at = cell.find("\r\n", at + 2)) {
            ++marks;
        }
    }
    EXPECT_EQ(marks, 12);  // no lagna lord found: no extra mark
    for (std::int16_t pada : r.state.Pada) EXPECT_TRUE(pada >= 0 && pada < 12);
    EXPECT_FALSE(r.captions.lblHoraDesc.empty());
}

TEST(ArudhaPadas, HouseReadingsKeepTheirTrailingBlanks) {
    const std::array<std::size_t, 12> blanks = {1, 0, 0, 0, 0, 0, 0, 4, 2, 4, 4, 0};
    for (std::size_t h = 0; h < 12; ++h) {
        const std::string_view text = kHouseReading[h];
        EXPECT_EQ(text.size() - 1 - text.find_last_not_of(' '), blanks[h]) << "house " << h + 1;
    }
}

// Random charts against the rule in words: count from the house to its lord,
// count as many again from the lord; landing on the house itself (lord in the
// house or in its 7th) means the 10th from the house, landing on the 7th from
// the house means the 4th from it. Worked in 0-based signs, modulo 12.
TEST(ArudhaPadas, RandomChartsAgreeWithTheRuleInWords) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> anySign(0, 11);
    for (int trial = 0; trial < 20000; ++trial) {
        std::array<int, 10> signs{};
        for (int& s : signs) s = anySign(random);
        ChartRecord chart = ChartOf(signs);
        if (trial % 3 == 0) chart.BodyName[2 + trial % 5] += " (R) ";
        const int asc = signs[kAsc];
        const Result r = RunHouses(chart, asc);

        std::array<int, 12> marksPerSign{};
        for (int house = 0; house < 12; ++house) {
            const int houseSign = (asc + house) % 12;
            int lordSign = -1;
            for (int slot = 0; slot < 7; ++slot) {
                if (kPlainBodyNames[slot] == kSignLord[houseSign]) lordSign = signs[slot];
            }
            const int steps = (lordSign - houseSign + 12) % 12;
            int pada = (lordSign + steps) % 12;
            if (pada == houseSign) pada = (houseSign + 9) % 12;
            if (pada == (houseSign + 6) % 12) pada = (houseSign + 3) % 12;
            ASSERT_EQ(r.state.Pada[house], pada) << "trial " << trial << ", house " << house + 1;
            ++marksPerSign[pada];
            if (house == 0) ++marksPerSign[lordSign];
        }
        const int ul = r.state.Pada[11];
        EXPECT_EQ(r.state.ULSignIndex, ul);
        EXPECT_EQ(r.state.ULHouse, (ul - asc + 12) % 12 + 1);
        EXPECT_EQ(r.captions.lblHoraDesc, kHouseReading[(ul - asc + 12) % 12]);
        // Twice a distance is even, so the UL lies an even number of signs past
        // house 12 (never 0 or 6), or moved to 3 or 9 signs past it.
        constexpr std::array<int, 6> kReachable = {2, 3, 4, 8, 9, 10};
        EXPECT_NE(std::find(kReachable.begin(), kReachable.end(), r.state.ULHouse),
                  kReachable.end());
        for (int k = 0; k < 12; ++k) {
            std::string expected;
            for (int m = 0; m < marksPerSign[k]; ++m) expected += "\r\n";
            if (k == ul) expected += "UL";
            ASSERT_EQ(r.captions.lblArudha[k], expected) << "trial " << trial << ", sign " << k;
        }
    }
}

}  // namespace
}  // namespace korvanta
