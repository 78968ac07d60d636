// SPDX-License-Identifier: GPL-3.0-or-later
// The profile of each of the twelve signs: names, symbol, element, lucky
// things, compatibility and five reading paragraphs.
#pragma once

#include <array>
#include <string_view>

namespace korvanta {

struct SignProfileRow {
    std::string_view vedicName, englishName, abbreviation, rulingPlanet, symbol, element, colour;
    std::string_view typeOfSign, gender, bestPeriod, fruitfulness, caste, position;
    std::string_view constituentCharacter, luckyDays, luckyNumbers, bestDirection, luckyColours;
    std::string_view luckyGemstone, partOfBody, physique;
    std::string_view looks, nature, careerAndFinance, loveAndDomesticLife, health;
    std::string_view compatibleWith, notCompatibleWith;
};

// The table, rows 0..11 = Aries..Pisces. A constant of the program: loading
// it once or on every calculation gives the same values.
const std::array<SignProfileRow, 12>& SignProfile_Load();

}  // namespace korvanta
