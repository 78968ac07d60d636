// SPDX-License-Identifier: GPL-3.0-or-later
// The sign profile table: the short columns of the twelve signs, joined with
// their reading paragraphs, and the copy of one row into the result captions.
#include "reading/sign_profile.h"

#include <cstddef>

#include "reading/sign_readings.h"

namespace korvanta {

namespace {

// The short columns in four groups, each with rows 0..11 = Aries..Pisces.

struct NameColumns {
    std::string_view vedicName, englishName, abbreviation, rulingPlanet, symbol, element, colour;
};

constexpr std::array<NameColumns, 12> kNameColumns = {{
    {"Mesha", "Aries", "Ari", "Mars", "The Ram", "Fire", "Red, Brown, Copper"},
    {"Vrishabha", "Taurus", "Tau", "Venus", "The Bull", "Earth", "White"},
    {"Mithuna", "Gemini", "Gem", "Mercury", "The Twins", "Air", "Green"},
    {"Kataka", "Cancer", "Can", "Moon", "The Crab", "Water", "Pink"},
    {"Simha", "Leo", "Leo", "Sun", "The Lion", "Fire", "White"},
    {"Kanya", "Virgo", "Vir", "Mercury", "The Virgin", "Earth", "Multicolored"},
    {"Thula", "Libra", "Lib", "Venus", "The Balance", "Air", "Black"},
    {"Vrischika", "Scorpio", "Sco", "Mars", "The Scorpion", "Water", "Reddish Brown"},
    {"Dhanus", "Sagittarius", "Sag", "Jupiter", "The Archer", "Fire", "Yellowish brown"},
    {"Makara", "Capricorn", "Cap", "Saturn", "The Crocodile", "Earth", "Multicolored"},
    {"Kumbha", "Aquarius", "Aqu", "Saturn", "The Water Carrier", "Air", "Deep Brown"},
    {"Meena", "Pisces", "Pis", "Jupiter", "The Double Fish", "Water", "Blue"},
}};

struct KindColumns {
    std::string_view typeOfSign, gender, bestPeriod, fruitfulness, caste, position,
        constituentCharacter;
};

constexpr std::array<KindColumns, 12> kKindColumns = {{
    {"Movable", "Male", "Night", "Barren", "Kshatriya", "Dwara", "Mineral (Dhatu)"},
    {"Fixed", "Female", "Night", "Semi-Fruitful", "Vaisya", "Bahya", "Vegetable (Moola)"},
    {"Mixed", "Female", "Night", "Barren", "Sudra", "Garbha", "Animal (Jeeva)"},
    {"Movable", "Female", "Night", "Fruitful", "Brahmana", "Dwara", "Mineral (Dhatu)"},
    {"Fixed", "Male", "Day", "Barren", "Kshatriya", "Bahya", "Vegetable (Moola)"},
    {"Mixed", "Female", "Day", "Barren", "Vaisya", "Garbha", "Animal (Jeeva)"},
    {"Movable", "Male", "Day", "Semi-Fruitful", "Sudra", "Dwara", "Mineral (Dhatu)"},
    {"Fixed", "Female", "Day", "Fruitful", "Brahmana", "Bahya", "Vegetable (Moola)"},
    {"Mixed", "Male", "Night", "Semi-Fruitful", "Kshatriya", "Garbha", "Animal (Jeeva)"},
    {"Movable", "Female", "Night", "Barren", "Vaisya", "Dwara", "Mineral (Dhatu)"},
    {"Fixed", "Male", "Day", "Semi-Fruitful", "Sudra", "Bahya", "Vegetable (Moola)"},
    {"Mixed", "Female", "Day", "Fruitful", "Brahmana", "Garbha", "Animal (Jeeva)"},
}};

// "Lucky colours" is a column of its own: it agrees with "Colour" only for Aries.
struct LuckyColumns {
    std::string_view luckyDays, luckyNumbers, bestDirection, luckyColours, luckyGemstone,
        partOfBody, physique;
};

constexpr std::array<LuckyColumns, 12> kLuckyColumns = {{
    {"Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper", "Coral", "Head", "Short"},
    {"Thursday, Friday", "2, 8", "South", "Pink, Green", "Diamond", "Face", "Short"},
    {"Monday, Wednesday", "3, 7", "West", "Yellow, Purple, Blue", "Emerald", "Shoulders", "Even"},
    {"Monday, Thursday", "2, 7, 9", "North", "White, Red, Yellow", "Pearl", "Chest", "Even"},
    {"Sunday, Monday", "1, 4, 5, 9", "East", "Orange, Red, Green", "Ruby", "Heart & Stomach",
     "Tall"},
    {"Wednesday, Friday", "2, 3, 5, 6", "South", "Green", "Emerald", "Abdomen", "Tall"},
    {"Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow", "Diamond",
     "Lower Abdomen & Groin", "Tall"},
    {"Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White", "Coral",
     "External Genitalia", "Tall"},
    {"Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown", "Yellow Sapphire", "Thighs",
     "Even"},
    {"Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue", "Blue Sapphire", "Knees", "Even"},
    {"Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire", "Calves",
     "Short"},
    {"Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire", "Feet",
     "Short"},
}};

struct CompatibilityColumns {
    std::string_view compatibleWith, notCompatibleWith;
};

// Aquarius lists itself among its three compatible signs.
constexpr std::array<CompatibilityColumns, 12> kCompatibilityColumns = {{
    {"Leo, Sagittarius, Gemini, Aquarius, Libra", "Scorpio, Pisces, Cancer"},
    {"Cancer, Virgo, Scorpio, Capricorn, Pisces", "Gemini, Aquarius, Libra"},
    {"Aries, Leo, Libra, Sagittarius, Aquarius", "Taurus, Virgo, Capricorn"},
    {"Virgo, Scorpio, Capricorn, Pisces, Taurus", "Aries, Leo, Sagittarius"},
    {"Libra, Sagittarius, Aquarius, Aries, Gemini", "Scorpio, Pisces, Cancer"},
    {"Scorpio, Capricorn, Pisces, Cancer", "Gemini, Aquarius, Libra"},
    {"Sagittarius, Aquarius, Aries, Gemini, Leo", "Taurus, Virgo, Capricorn"},
    {"Capricorn, Pisces, Taurus, Cancer, Virgo", "Aries, Leo, Sagittarius"},
    {"Aquarius, Aries, Gemini, Leo, Libra", "Scorpio, Pisces, Cancer"},
    {"Pisces, Taurus, Cancer, Virgo, Scorpio", "Gemini, Aquarius, Libra"},
    {"Aquarius, Libra, Gemini", "Taurus, Virgo, Capricorn"},
    {"Taurus, Cancer, Virgo, Scorpio, Capricorn", "Aries, Leo, Sagittarius"},
}};

std::array<SignProfileRow, 12> BuildSignProfile() {
    std::array<SignProfileRow, 12> table{};
    for (std::size_t k = 0; k < table.size(); ++k) {
        const NameColumns& n = kNameColumns[k];
        const KindColumns& t = kKindColumns[k];
        const LuckyColumns& l = kLuckyColumns[k];
        const SignReadings& r = kSignReadings[k];
        const CompatibilityColumns& c = kCompatibilityColumns[k];
        table[k] = SignProfileRow{
            .vedicName = n.vedicName,
            .englishName = n.englishName,
            .abbreviation = n.abbreviation,
            .rulingPlanet = n.rulingPlanet,
            .symbol = n.symbol,
            .element = n.element,
            .colour = n.colour,
            .typeOfSign = t.typeOfSign,
            .gender = t.gender,
            .bestPeriod = t.bestPeriod,
            .fruitfulness = t.fruitfulness,
            .caste = t.caste,
            .position = t.position,
            .constituentCharacter = t.constituentCharacter,
            .luckyDays = l.luckyDays,
            .luckyNumbers = l.luckyNumbers,
            .bestDirection = l.bestDirection,
            .luckyColours = l.luckyColours,
            .luckyGemstone = l.luckyGemstone,
            .partOfBody = l.partOfBody,
            .physique = l.physique,
            .looks = r.looks,
            .nature = r.nature,
            .careerAndFinance = r.careerAndFinance,
            .loveAndDomesticLife = r.loveAndDomesticLife,
            .health = r.health,
            .compatibleWith = c.compatibleWith,
            .notCompatibleWith = c.notCompatibleWith,
        };
    }
    return table;
}

}  // namespace

const std::array<SignProfileRow, 12>& SignProfile_Load() {
    static const std::array<SignProfileRow, 12> table = BuildSignProfile();
    return table;
}

}  // namespace korvanta
