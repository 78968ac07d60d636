// SPDX-License-Identifier: GPL-3.0-or-later
// The sign tables in full against transcriptions of the written tables: the
// abbreviations, lords and sign counts typed here, the sign profile's short
// columns and the house readings read from sign_tables.txt.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "reading/arudha.h"
#include "reading/sign_profile.h"
#include "report/names.h"
#include "report/report.h"

namespace korvanta {
namespace {

TEST(SignTablesInFull, AbbreviationLordAndSignCountOfEverySign) {
    constexpr std::array<std::string_view, 12> abbr = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                                       "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
    constexpr std::array<std::string_view, 12> lord = {"Mars",    "Venus",   "Mercury", "Moon",
                                                       "Sun",     "Mercury", "Venus",   "Mars",
                                                       "Jupiter", "Saturn",  "Saturn",  "Jupiter"};
    constexpr std::array<int, 12> count = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};
    for (std::size_t k = 0; k < 12; ++k) {
        EXPECT_EQ(kSignAbbr[k], abbr[k]) << "sign " << k;
        EXPECT_EQ(kBodyNames[Index(kSignLord[k])], lord[k]) << "sign " << k;
        EXPECT_EQ(kSignCount[k], count[k]) << "sign " << k;
    }
}

// The records of sign_tables.txt by kind ("profile", "house"): each record's
// fields after kind and number, keyed by the number.
std::map<std::string, std::map<int, std::vector<std::string>>> ReadTranscription() {
    std::map<std::string, std::map<int, std::vector<std::string>>> records;
    std::ifstream in(KORVANTA_SIGN_TABLES);
    EXPECT_TRUE(in) << KORVANTA_SIGN_TABLES;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#') continue;
        std::vector<std::string> fields;
        for (std::size_t start = 0, bar; (bar = line.find('|', start)) != std::string::npos;
             start = bar + 1) {
            fields.push_back(line.substr(start, bar - start));
        }
        EXPECT_GE(fields.size(), 3u) << line;
        if (fields.size() < 3) continue;
        records[fields[0]][std::stoi(fields[1])].assign(fields.begin() + 2, fields.end());
    }
    return records;
}

constexpr std::size_t kAbbreviationColumn = 2;

TEST(SignTablesInFull, EveryShortProfileColumnOfEveryRow) {
    const auto profile = ReadTranscription()["profile"];
    ASSERT_EQ(profile.size(), 12u);
    const auto& table = SignProfile_Load();
    for (std::size_t k = 0; k < 12; ++k) {
        const std::vector<std::string>& w = profile.at(static_cast<int>(k));
        ASSERT_EQ(w.size(), 23u) << "row " << k;
        const SignProfileRow& r = table[k];
        // clang-format off
        const std::array<std::string_view, 23> columns = {
            r.vedicName, r.englishName, r.abbreviation, r.rulingPlanet, r.symbol, r.element,
            r.colour, r.typeOfSign, r.gender, r.bestPeriod, r.fruitfulness, r.caste, r.position,
            r.constituentCharacter, r.luckyDays, r.luckyNumbers, r.bestDirection, r.luckyColours,
            r.luckyGemstone, r.partOfBody, r.physique, r.compatibleWith, r.notCompatibleWith};
        // The report of a chart whose Upapada Lagna is in sign k.
        Chart chart;
        chart.padas.ulSign = static_cast<int>(k);
        chart.ulProfileRow = static_cast<int>(k);
        const ChartReport report = BuildReport(Birth{}, chart);
        const auto label = [&report](std::string_view name) {
            for (const LabelledView& row : report.profile) {
                if (row.label == name) return row.text;
            }
            return std::string_view("<no such label>");
        };
        // The labels in the same order; the English name is shown twice and
        // the abbreviation not at all.
        const std::array<std::string_view, 23> shown = {
            label("Vedic Name"), label("English Name"), {}, label("Rulling Planet"),
            label("Symbol"), label("Nature"), label("Color"), label("Type Of Sign"),
            label("Gender"), label("Best Period Of Activity"), label("Barren"), label("Caste"),
            label("Position"), label("Constituent Character"), label("Lucky Days"),
            label("Lucky Numbers"), label("Best Direction"), label("Lucky Colors"),
            label("Lucky Gemstone"), label("Part Of The Body"), label("Physique"),
            label("Compatible With"), label("Not Compatible With")};
        // clang-format on
        for (std::size_t col = 0; col < columns.size(); ++col) {
            EXPECT_EQ(columns[col], w[col]) << "row " << k << ", column " << col + 1;
            if (col == kAbbreviationColumn) continue;
            EXPECT_EQ(shown[col], w[col]) << "row " << k << ", label of column " << col + 1;
        }
        EXPECT_EQ(label("Upapada Lagna Present In Sign"), w[1]) << "row " << k;
    }
}

TEST(SignTablesInFull, EveryHouseReading) {
    const auto house = ReadTranscription()["house"];
    ASSERT_EQ(house.size(), 12u);
    for (int n = 1; n <= 12; ++n) {
        ASSERT_EQ(house.at(n).size(), 1u) << "house " << n;
        EXPECT_EQ(kHouseReading[static_cast<std::size_t>(n - 1)], house.at(n)[0]) << "house " << n;
    }
}

}  // namespace
}  // namespace korvanta
