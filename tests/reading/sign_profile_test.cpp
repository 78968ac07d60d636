// SPDX-License-Identifier: GPL-3.0-or-later
// The sign profile table.
#include "reading/sign_profile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "report/names.h"

namespace korvanta {
namespace {

// The short columns of a row in table order, the English name twice (as the
// profile shows it: the name, and the sign of the UL), the abbreviation left out.
std::array<std::string_view, 23> ShownLabels(const SignProfileRow& r) {
    // clang-format off
    return {r.vedicName, r.englishName, r.englishName, r.rulingPlanet,
            r.symbol, r.element, r.colour, r.typeOfSign, r.gender,
            r.bestPeriod, r.fruitfulness, r.caste, r.position,
            r.constituentCharacter, r.luckyDays, r.luckyNumbers, r.bestDirection,
            r.luckyColours, r.luckyGemstone, r.partOfBody, r.physique,
            r.compatibleWith, r.notCompatibleWith};
    // clang-format on
}

TEST(SignProfile, AriesAndAquariusRowsHoldEveryColumn) {
    // clang-format off
    const std::array<std::string_view, 23> aries = {
        "Mesha", "Aries", "Aries", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable",
        "Male", "Night", "Barren", "Kshatriya", "Dwara", "Mineral (Dhatu)", "Monday, Tuesday",
        "9, 1", "East", "Red, Brown, Copper", "Coral", "Head", "Short",
        "Leo, Sagittarius, Gemini, Aquarius, Libra", "Scorpio, Pisces, Cancer"};
    const std::array<std::string_view, 23> aquarius = {
        "Kumbha", "Aquarius", "Aquarius", "Saturn", "The Water Carrier", "Air", "Deep Brown",
        "Fixed", "Male", "Day", "Semi-Fruitful", "Sudra", "Bahya", "Vegetable (Moola)",
        "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire",
        "Calves", "Short", "Aquarius, Libra, Gemini", "Taurus, Virgo, Capricorn"};
    // clang-format on
    for (const auto& [row, expected] : {std::pair{0, aries}, std::pair{10, aquarius}}) {
        EXPECT_EQ(ShownLabels(SignProfile_Load()[static_cast<std::size_t>(row)]), expected)
            << "row " << row;
    }
}

TEST(SignProfile, RowsFollowTheSignOrderAndAllDiffer) {
    const auto& table = SignProfile_Load();
    std::set<std::string_view> seen;
    for (std::size_t k = 0; k < table.size(); ++k) {
        const SignProfileRow& r = table[k];
        EXPECT_EQ(r.abbreviation, kSignAbbr[k]);
        for (std::string_view text : {r.vedicName, r.englishName, r.looks, r.nature,
                                      r.careerAndFinance, r.loveAndDomesticLife, r.health}) {
            EXPECT_TRUE(seen.insert(text).second) << "row " << k << " repeats: " << text;
        }
    }
}

// The opening sentence of each paragraph, as the program must show it; row 4's
// Looks has two blanks after "tall".
constexpr std::array<std::array<std::string_view, 5>, 12> kFirstSentences = {{
    {"You may be slim and of medium complexion.", "You are very independent and dynamic.",
     "You are ambitious by nature.", "You are a romantic to the core by nature.",
     "You may be prone to blood circulation problems, head related illnesses and BP issues."},
    {"You are attractive and beautiful.", "You have a powerful and commanding personality.",
     "You love spending on luxurious things.",
     "You may not express your emotions but you are still a romantic at heart.",
     "You may not enjoy good health all the time."},
    {"You are tall slim and good looking.", "You have an analytical mind.",
     "You will do very well in jobs that need interaction with people.",
     "You are blessed with a long life.", "You may have some problems of the sexual nature."},
    {"You have a medium stature and may be a bit stout.",
     "You are a patient person and very emotional.", "You have an artistic bent of mind.",
     "Parents will mean a lot to you.",
     "You may have stress and mental illnesses because of your highly emotional and sensitive "
     "nature."},
    {"You are tall  and have broad squarely built shoulders.",
     "You are a leader and can never take orders.",
     "You can do well in professions that need you to be in the limelight.",
     "You love living life king size.", "Heart problems may occur."},
    {"You are tall and slim with sharp features.", "You are practical and polished.",
     "You are skilled in music and dance.", "You are not romantic at all.",
     "Your intestine and liver may give you some problems."},
    {"You are tall and thin.", "Justice means everything to you.",
     "You could make a career of the artistic kind.",
     "Being peaceful and loving by nature, you have good love life.",
     "Kidney and liver are your weak parts."},
    {"You have broad body shape.",
     "Mysterious is the first word that comes to mind about this moon sign.",
     "You may come in possession of sudden legacies and gifts.",
     "Your possessive nature may create problems in life.",
     "You may have problems from piles and colic."},
    {"You may be medium to tall and well built.",
     "You are very optimistic and spontaneous by nature.",
     "You always yearn to learn more in life.",
     "You may have some problem dealing with other people.",
     "Your body gives out too much heat, which may create a few problems."},
    {"You have beautiful eyes.", "You want to achieve a lot in life.",
     "Material wealth means a lot to you.",
     "Domestic life will have its share of problems mainly because of inability of household "
     "members to get along with each other.",
     "You may be prone to gout and blood related problems."},
    {"You have a fair complexion.", "You are a thinker, philosopher and an idealist.",
     "You will do very well in public related jobs and businesses.",
     "You are influenced more by your friends than your relatives.",
     "Your legs and eyes may be weak."},
    {"You have the perfect body with the right nose, eyes and mouth.",
     "You are very creative and soft by nature.", "You are artistically inclined.",
     "Your children will be very fortunate to be born to you.",
     "Common cold will be your constant companion."},
}};

struct Range {
    std::size_t low, high;
};
constexpr std::array<Range, 5> kLengths = {
    {{100, 230}, {510, 890}, {120, 290}, {140, 330}, {80, 170}}};
constexpr std::array<std::string_view, 5> kColumnNames = {"Looks", "Nature", "Career and finance",
                                                          "Love and domestic life", "Health"};

TEST(SignProfile, ReadingsOpenWithTheirSentenceAndKeepTheirLength) {
    const auto& table = SignProfile_Load();
    for (std::size_t k = 0; k < table.size(); ++k) {
        const SignProfileRow& r = table[k];
        const std::array<std::string_view, 5> texts = {r.looks, r.nature, r.careerAndFinance,
                                                       r.loveAndDomesticLife, r.health};
        for (std::size_t col = 0; col < texts.size(); ++col) {
            const std::string_view text = texts[col];
            const std::string_view first = kFirstSentences[k][col];
            SCOPED_TRACE(std::string(kColumnNames[col]) + ", row " + std::to_string(k));
            EXPECT_TRUE(text.starts_with(first)) << text;
            EXPECT_GE(text.size(), kLengths[col].low);
            EXPECT_LE(text.size(), kLengths[col].high);
            EXPECT_EQ(text.find_first_of("\r\n"), std::string_view::npos);
            // After the given opening: single blanks between words, and a blank
            // after every full stop, as pieces of a joined literal easily lose one.
            const std::string_view rest = text.substr(first.size());
            EXPECT_EQ(rest.find("  "), std::string_view::npos) << rest;
            for (std::size_t at = rest.find('.');
                 at != std::string_view::npos && at + 1 < rest.size();
                 at = rest.find('.', at + 1)) {
                EXPECT_EQ(rest[at + 1], ' ') << rest.substr(0, at + 2);
            }
            EXPECT_TRUE(text.ends_with('.'));
        }
    }
}

}  // namespace
}  // namespace korvanta
