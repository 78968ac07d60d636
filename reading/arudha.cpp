// SPDX-License-Identifier: GPL-3.0-or-later
// Arudha padas of the twelve houses, the Upapada Lagna and its house reading.
//
// The pada arithmetic counts whole signs numbered 1..12 (1 = Aries), as the
// rule is usually stated; the results are kept as sign indexes 0..11.
#include "reading/arudha.h"

#include <cstddef>

#include "astro/angles.h"

namespace korvanta {

constexpr std::array<Body, 12> kSignLord = {
    Body::Mars,  Body::Venus, Body::Mercury, Body::Moon,   Body::Sun,    Body::Mercury,
    Body::Venus, Body::Mars,  Body::Jupiter, Body::Saturn, Body::Saturn, Body::Jupiter};

constexpr std::array<int, 12> kSignCount = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

constexpr std::array<std::string_view, 12> kHouseReading = {
    "If you have a good reputation and are famous then wealth and riches will come knocking on "
    "your doors. ",
    "Family life will gain importance. You will understand that your true happiness is with "
    "spending time with your wife and children.",
    "Establish your creative pursuits and build a profitable career around it. This will not "
    "only give you wealth but also happiness.",
    "Your heart is where your home is. If you have been thinking of returning home or coming back "
    "to the place of our birth, do not delay. You will be more happy and satisfied going back to "
    "your roots.",
    "You will spend more time with your children and people who support you. This maybe a period "
    "of reckoning and realizing who your true well wishers are.",
    "Survival of the fittest. That's the keyword of this placement. You will need to know how to "
    "survive in order to achieve happiness and prosperity.",
    "You will crave for a partner and look forward to getting into a relationship. This is of "
    "utmost importance to you.",
    "You will gain money from people who return their debts. There will be a play of destiny.    ",
    "Wisdom and knowledge will be of utmost importance.  ",
    "Build your professional career and look at it as the most important aspect if your life.    ",
    "You will need to understand the importance of friendships and know how to work in groups "
    "for mutual benefit.    ",
    "You will gain money from foreign places.",
};

namespace {

constexpr std::size_t kUpapadaHouse = 12;

// The pada rule on sign numbers 1..12 (see PadaSign).
constexpr int PadaRule(int houseSign, int lordSign) {
    // Twice the distance from house to lord: the pada lies as far beyond the
    // lord as the lord lies beyond the house.
    int d = 2 * (lordSign - houseSign);
    while (d < 0) d += kSignsInZodiac;
    if (d > kSignsInZodiac) d -= kSignsInZodiac;
    // Lord in the house or in its 7th: the pada falls in the 10th from the house.
    if (d == 0 || d == kSignsInZodiac) d = 9;

    int p = houseSign + d;
    while (p > kSignsInZodiac) p -= kSignsInZodiac;

    // A pada in the 7th from the house moves on to the 10th from there (the 4th
    // from the house). The house sign is reduced first, since it may exceed 12.
    int h = houseSign;
    while (h > kSignsInZodiac) h -= kSignsInZodiac;
    if (p - h == 6 || p - h == -6) {
        p += 9;
        while (p > kSignsInZodiac) p -= kSignsInZodiac;
    }
    return p;
}

// The rule's every result, sign indexes 0..11 in and out: [houseSign0][lordSign0]
// with houseSign0 = 0..22 (the ascendant's sign 0..11 plus house - 1, not
// reduced, as the rule takes it). Found once at compile time from PadaRule
// itself, so a look-up gives exactly what the rule gives; sixteen charts at
// a time (the vargas) then cost a few table reads each rather than the
// rule's hard-to-predict branches.
constexpr int kHouseSignSpan = 2 * kSignsInZodiac - 1;
using PadaTable = std::array<std::array<std::uint8_t, kSignsInZodiac>, kHouseSignSpan>;

constexpr PadaTable MakePadaTable() {
    PadaTable table{};
    for (int house = 0; house < kHouseSignSpan; ++house) {
        for (int lord = 0; lord < kSignsInZodiac; ++lord) {
            table[static_cast<std::size_t>(house)][static_cast<std::size_t>(lord)] =
                static_cast<std::uint8_t>(PadaRule(house + 1, lord + 1) - 1);
        }
    }
    return table;
}

constexpr PadaTable kPadaTable = MakePadaTable();

// The body that rules each house sign 0..22 (kSignLord, running on past Pisces).
constexpr std::array<std::size_t, kHouseSignSpan> MakeLordOfHouseSign() {
    std::array<std::size_t, kHouseSignSpan> lords{};
    for (std::size_t sign = 0; sign < lords.size(); ++sign)
        lords[sign] = Index(kSignLord[sign % kSignsInZodiac]);
    return lords;
}

constexpr std::array<std::size_t, kHouseSignSpan> kLordOfHouseSign = MakeLordOfHouseSign();

}  // namespace

int PadaSign(int houseSign, int lordSign) {
    return PadaRule(houseSign, lordSign);
}

ArudhaPadas Arudha_Calculation(const std::array<int, kBodyCount>& signs) {
    ArudhaPadas padas;
    const int lagna = signs[Index(Body::Asc)];
    padas.lagnaSign = lagna;
    padas.lagnaSignCount = kSignCount[static_cast<std::size_t>(lagna)];
    padas.moonSignCount = kSignCount[static_cast<std::size_t>(signs[Index(Body::Moon)])];

    // House n is the n-th sign from the ascendant's; its number runs on past
    // Pisces for the pada rule, which reduces it itself.
    const auto lordSignOf = [&signs](std::size_t houseSign0) {
        return signs[kLordOfHouseSign[houseSign0]];
    };
    const auto first = static_cast<std::size_t>(lagna);
    for (std::size_t house = 0; house < kUpapadaHouse; ++house) {
        const std::size_t houseSign0 = first + house;
        padas.pada[house] =
            kPadaTable[houseSign0][static_cast<std::size_t>(lordSignOf(houseSign0))];
    }
    padas.lagnaLordSign = lordSignOf(first);
    padas.house12Sign = static_cast<int>((first + kUpapadaHouse - 1) % kSignsInZodiac);
    padas.house12LordSign = lordSignOf(first + kUpapadaHouse - 1);
    padas.ulSign = padas.pada[kUpapadaHouse - 1];
    padas.ulHouse = (padas.ulSign - lagna + kSignsInZodiac) % kSignsInZodiac + 1;
    return padas;
}

}  // namespace korvanta
