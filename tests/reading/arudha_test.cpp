// SPDX-License-Identifier: GPL-3.0-or-later
// Arudha padas and the Upapada Lagna, on charts built by hand: each body is
// put in a sign 0..11.
#include "reading/arudha.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace korvanta {
namespace {

enum Sign0 : int { Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis };

// signs[i] = sign 0..11 of Body i (Sun..Ketu, then the ascendant).
using Signs = std::array<int, kBodyCount>;

// The reading of the UL's house.
std::string_view UlReading(const ArudhaPadas& padas) {
    return kHouseReading[static_cast<std::size_t>(padas.ulHouse - 1)];
}

// Every body and the ascendant in Aries: house n has sign n and every lord
// stands in Aries, so each rule of the count shows up once. Padas worked out
// by hand: house 1 (lord in the house) -> 10th = Cap; house 4 (lord in its
// 10th) and house 10 (lord in its 4th) -> 4th from the house = Lib and Ari;
// house 7 (lord in its 7th) -> 10th = Can; the rest by the plain count.
TEST(ArudhaPadas, EverythingInAriesCoversEachRuleOnce) {
    const ArudhaPadas r = Arudha_Calculation({Ari, Ari, Ari, Ari, Ari, Ari, Ari, Ari, Ari, Ari});
    const std::array<int, 12> padas = {Cap, Pis, Aqu, Lib, Sag, Sco,
                                       Can, Vir, Leo, Ari, Gem, Tau};
    EXPECT_EQ(r.pada, padas);
    // The lagna lord (Mars) stands in Aries.
    EXPECT_EQ(r.lagnaLordSign, Ari);
    EXPECT_EQ(r.ulSign, Tau);
    EXPECT_EQ(r.ulHouse, 2);
    EXPECT_EQ(UlReading(r),
              "Family life will gain importance. You will understand that your true happiness is "
              "with spending time with your wife and children.");
}

// Ascendant Leo, so house 12 is Cancer, ruled by the Moon. Sun and Saturn in
// Aries put the lagna lord and the pada of house 6 (Cap, lord in its 4th) in
// Aries. Every pada worked out by hand.
TEST(ArudhaPadas, LeoChartPinsEveryPadaAndTheLords) {
    //                           Sun  Moon Merc Ven  Mars Jup  Sat  Rahu Ketu Asc
    const ArudhaPadas r = Arudha_Calculation({Ari, Can, Leo, Vir, Sco, Sag, Ari, Tau, Sco, Leo});
    const std::array<int, 12> padas = {Sag, Can, Leo, Leo, Vir, Ari,
                                       Gem, Gem, Gem, Cap, Lib, Ari};
    EXPECT_EQ(r.pada, padas);
    // Lord of house 12 (Moon) in house 12 itself: the UL is the 10th from Cancer.
    EXPECT_EQ(r.ulSign, Ari);
    EXPECT_EQ(r.ulHouse, 9);
    EXPECT_EQ(UlReading(r), "Wisdom and knowledge will be of utmost importance.  ");
    EXPECT_EQ(r.lagnaSign, Leo);
    EXPECT_EQ(r.lagnaLordSign, Ari);
    EXPECT_EQ(r.house12Sign, Can);
    EXPECT_EQ(r.house12LordSign, Can);
    EXPECT_EQ(r.lagnaSignCount, 6);  // Leo
    EXPECT_EQ(r.moonSignCount, 10);  // Cancer
}

TEST(ArudhaPadas, LordInTheSeventhFromTheHouseGivesTheTenth) {
    // Ascendant Leo, Moon in Capricorn, the 7th from Cancer: the UL is again Aries.
    EXPECT_EQ(Arudha_Calculation({Ari, Cap, Leo, Vir, Sco, Sag, Ari, Tau, Sco, Leo}).ulSign, Ari);
    // Ascendant Aries, Mars in Libra: the lord stands six signs ahead of house
    // 1 (the doubled distance is 12, not 0); the pada is Capricorn.
    EXPECT_EQ(Arudha_Calculation({Tau, Tau, Tau, Tau, Lib, Tau, Tau, Tau, Tau, Ari}).pada[0], Cap);
}

// For every ascendant and every house, the lord in the 4th and in the 10th
// from the house: the plain count falls in the 7th, and the pada moves to the
// 4th from the house. From Scorpio on, house 12's sign number passes 12.
TEST(ArudhaPadas, FourthAndTenthRuleHoldsForEveryAscendantAndHouse) {
    for (int asc = Ari; asc <= Pis; ++asc) {
        for (int house = 1; house <= 12; ++house) {
            const int houseSign = (asc + house - 1) % 12;
            const Body lord = kSignLord[static_cast<std::size_t>(houseSign)];
            for (int away : {3, 9}) {
                Signs signs = {Tau, Tau, Tau, Tau, Tau, Tau, Tau, Tau, Tau, asc};
                signs[Index(lord)] = (houseSign + away) % 12;
                const ArudhaPadas r = Arudha_Calculation(signs);
                EXPECT_EQ(r.pada[static_cast<std::size_t>(house - 1)], (houseSign + 3) % 12)
                    << "ascendant " << asc << ", house " << house << ", lord " << away + 1
                    << " signs on";
            }
        }
    }
}

TEST(ArudhaPadas, JupiterIsFoundAsLordOfSagittariusAndPisces) {
    // Ascendant Aries: houses 9 and 12 are Sagittarius and Pisces. Mars (lord
    // of house 8) in Gemini makes a lord left over from house 8 visible.
    const ArudhaPadas r = Arudha_Calculation({Can, Can, Can, Can, Gem, Ari, Can, Can, Can, Ari});
    EXPECT_EQ(r.pada[8], Leo);   // Sagittarius, lord in its 5th: the 5th from Aries
    EXPECT_EQ(r.pada[11], Tau);  // Pisces, lord in the 2nd: 2nd from Aries
    EXPECT_EQ(r.ulSign, Tau);
}

TEST(PadaSign, HouseNumbersPastTwelveAreReduced) {
    // House 12 of a Sagittarius ascendant is numbered 9 + 11 = 20 (Scorpio);
    // its lord Mars in Capricorn (10): 2 signs on, 2 more gives Pisces.
    EXPECT_EQ(PadaSign(20, 10), 12);
    EXPECT_EQ(PadaSign(8, 10), 12);
    // The lord in the 7th (Taurus from Scorpio): the 10th from Scorpio, Leo.
    EXPECT_EQ(PadaSign(20, 2), 5);
    EXPECT_EQ(PadaSign(8, 2), 5);
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
        Signs signs{};
        for (int& sign : signs) sign = anySign(random);
        const int asc = signs[Index(Body::Asc)];
        const ArudhaPadas r = Arudha_Calculation(signs);

        for (int house = 0; house < 12; ++house) {
            const int houseSign = (asc + house) % 12;
            const int lordSign = signs[Index(kSignLord[static_cast<std::size_t>(houseSign)])];
            const int steps = (lordSign - houseSign + 12) % 12;
            int pada = (lordSign + steps) % 12;
            if (pada == houseSign) pada = (houseSign + 9) % 12;
            if (pada == (houseSign + 6) % 12) pada = (houseSign + 3) % 12;
            ASSERT_EQ(r.pada[static_cast<std::size_t>(house)], pada)
                << "trial " << trial << ", house " << house + 1;
            if (house == 0) {
                ASSERT_EQ(r.lagnaLordSign, lordSign) << "trial " << trial;
            }
        }
        const int ul = r.pada[11];
        EXPECT_EQ(r.ulSign, ul);
        EXPECT_EQ(r.ulHouse, (ul - asc + 12) % 12 + 1);
        EXPECT_EQ(r.lagnaSignCount, kSignCount[static_cast<std::size_t>(asc)]);
        EXPECT_EQ(r.moonSignCount, kSignCount[static_cast<std::size_t>(signs[Index(Body::Moon)])]);
        // Twice a distance is even, so the UL lies an even number of signs past
        // house 12 (never 0 or 6), or moved to 3 or 9 signs past it.
        constexpr std::array<int, 6> kReachable = {2, 3, 4, 8, 9, 10};
        EXPECT_NE(std::find(kReachable.begin(), kReachable.end(), r.ulHouse), kReachable.end());
    }
}

}  // namespace
}  // namespace korvanta
