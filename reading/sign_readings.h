// SPDX-License-Identifier: GPL-3.0-or-later
// The five reading paragraphs of each sign, kept apart from the short
// profile columns because of their length. Used only inside reading/.
#pragma once

#include <array>
#include <string_view>

namespace korvanta {

// One sign's paragraphs: single lines of plain text in the second person.
struct SignReadings {
    std::string_view looks, nature, careerAndFinance, loveAndDomesticLife, health;
};

// Rows 0..11 = Aries..Pisces; constant-initialised, so safe to read from any
// static initialiser.
extern const std::array<SignReadings, 12> kSignReadings;

}  // namespace korvanta
