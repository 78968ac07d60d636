// SPDX-License-Identifier: GPL-3.0-or-later
// The names a reader sees for signs, bodies and months.
#pragma once

#include <array>
#include <string_view>

#include "astro/bodies.h"

namespace korvanta {

// Signs 0..11, Aries..Pisces.
inline constexpr std::array<std::string_view, 12> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
// The signs' numbers as the charts write them, "1".."12".
inline constexpr std::array<std::string_view, 12> kSignNumbers = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
inline constexpr std::array<std::string_view, 12> kSignAbbr = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// The bodies' names in the chart, by Body; a retrograde planet's name carries
// the mark " (R) " (blank, "(R)", blank).
inline constexpr std::array<std::string_view, kBodyCount> kBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
inline constexpr std::array<std::string_view, kBodyCount> kRetrogradeBodyNames = {
    "Sun",          "Moon",        "Mercury (R) ", "Venus (R) ", "Mars (R) ",
    "Jupiter (R) ", "Saturn (R) ", "Rahu",         "Ketu",       "Asc"};

inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// The name of sign 0..11; "" for any other value.
constexpr std::string_view SignName(int sign) {
    return sign >= 0 && sign < 12 ? kSignNames[static_cast<std::size_t>(sign)] : std::string_view{};
}

}  // namespace korvanta
