// SPDX-License-Identifier: GPL-3.0-or-later
// Arudha padas of the twelve houses and the Upapada Lagna (the pada of the
// 12th house) with its house.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "astro/bodies.h"

namespace korvanta {

// The lord of each sign 0..11 (Aries: Mars, Taurus: Venus, ...).
extern const std::array<Body, 12> kSignLord;

// The sign counts of signs 0..11, behind the sign-count mark.
extern const std::array<int, 12> kSignCount;

// The twelve house readings, index = house - 1 (trailing blanks belong to them).
extern const std::array<std::string_view, 12> kHouseReading;

// Houses count as whole signs from the ascendant's. All signs 0..11 here.
struct ArudhaPadas {
    std::array<int, 12> pada{};  // sign of the pada of house 1..12 (pada[11] is the UL)
    int lagnaSign = 0;           // sign of the ascendant: house 1
    int lagnaLordSign = 0;       // sign of the lord of house 1
    int house12Sign = 0;         // sign of house 12
    int house12LordSign = 0;     // sign of the lord of house 12
    int ulSign = 0;              // sign of the Upapada Lagna
    int ulHouse = 1;             // house of the Upapada Lagna, 1..12
    int lagnaSignCount = 0;      // kSignCount of the ascendant's sign
    int moonSignCount = 0;       // kSignCount of the Moon's sign

    friend bool operator==(const ArudhaPadas&, const ArudhaPadas&) = default;
};

// The pada of one house: twice as far beyond the lord as the lord lies beyond
// the house; a lord in the house or in its 7th puts the pada in the 10th from
// the house, and a pada in the 7th from the house moves to the 4th from it.
// Given: houseSign 1..23 (the ascendant's sign 1..12 plus house - 1, not
// reduced), lordSign 1..12. Returned: sign 1..12.
int PadaSign(int houseSign, int lordSign);

// The padas of all twelve houses and the UL's sign and house.
// Given: the sign 0..11 of each body, by Body. Returned: the padas.
ArudhaPadas Arudha_Calculation(const std::array<int, kBodyCount>& signs);

}  // namespace korvanta
