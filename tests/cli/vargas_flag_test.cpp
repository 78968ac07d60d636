// SPDX-License-Identifier: GPL-3.0-or-later
// --vargas and a batch record's "vargas": the divisional charts in the JSON,
// checked against the chart's own keys and the continuous counts of the
// Navamsa and the Bhamsa, not against the code that makes them.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

using json = nlohmann::ordered_json;

const std::vector<std::string> kVargaKeys = {"D1",  "D2",  "D3",  "D4",  "D7",  "D9",
                                             "D10", "D12", "D16", "D20", "D24", "D27",
                                             "D30", "D40", "D45", "D60"};
constexpr const char* kSignAbbr[] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                     "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// The sign index of a short position text "DD Sss MM".
int SignOfShortText(const std::string& text) {
    for (int sign = 0; sign < 12; ++sign) {
        if (text.substr(3, 3) == kSignAbbr[sign]) return sign;
    }
    return -1;
}

// The part of the zodiac, counted from 0° Aries in parts of 30/n degrees,
// modulo 12: the Navamsa (n = 9) and the Bhamsa (n = 27) follow this count.
int ContinuousCount(double longitude, int parts) {
    return static_cast<int>(std::floor(longitude * parts / 30.0 + 1e-9)) % 12;
}

void ExpectVargas(const json& chart) {
    ASSERT_TRUE(chart.contains("vargas"));
    const json& vargas = chart["vargas"];
    std::vector<std::string> keys;
    for (const auto& [key, value] : vargas.items()) keys.push_back(key);
    EXPECT_EQ(keys, kVargaKeys);
    for (const auto& [key, varga] : vargas.items()) {
        ASSERT_EQ(varga["signs"].size(), 10u) << key;
        ASSERT_EQ(varga["padas"].size(), 12u) << key;
        EXPECT_EQ(varga["ul_sign_index"], varga["padas"][11]) << key;
        const int ulHouse = varga["ul_house"];
        const int asc = varga["signs"][9];
        const int ul = varga["ul_sign_index"];
        EXPECT_EQ(ulHouse, (ul - asc + 12) % 12 + 1) << key;
    }
    // D1 is the rasi chart itself.
    for (int body = 0; body < 10; ++body) {
        EXPECT_EQ(vargas["D1"]["signs"][body], SignOfShortText(chart["chart_list"][body]))
            << "body " << body;
    }
    EXPECT_EQ(vargas["D1"]["padas"], chart["padas"]);
    EXPECT_EQ(vargas["D1"]["ul_sign_index"], chart["ul_sign_index"]);
    EXPECT_EQ(vargas["D1"]["ul_house"], chart["ul_house"]);
    // The Moon and the ascendant in the Navamsa and the Bhamsa.
    const double moon = chart["moon_longitude"];
    const double ascendant = chart["ascendant"];
    EXPECT_EQ(vargas["D9"]["signs"][1], ContinuousCount(moon, 9)) << moon;
    EXPECT_EQ(vargas["D9"]["signs"][9], ContinuousCount(ascendant, 9)) << ascendant;
    EXPECT_EQ(vargas["D27"]["signs"][1], ContinuousCount(moon, 27)) << moon;
    EXPECT_EQ(vargas["D27"]["signs"][9], ContinuousCount(ascendant, 27)) << ascendant;
}

TEST(VargasFlag, JsonAndBatchCarryTheDivisionalChartsAndNothingElseChanges) {
    for (const Birth& birth : {NewDelhi1980(), BuenosAiresNight(), LongyearbyenMidsummer()}) {
        SCOPED_TRACE(birth.name);
        std::vector<std::string> flags = FlagsOf(birth);
        flags.push_back("--json");
        const CliRun plain = RunCliProgram(flags);
        flags.push_back("--vargas");
        const CliRun withVargas = RunCliProgram(flags);
        ASSERT_EQ(withVargas.status, 0) << withVargas.err;
        json chart = json::parse(withVargas.out);
        ExpectVargas(chart);
        chart.erase("vargas");
        EXPECT_EQ(chart, json::parse(plain.out));

        std::string record = RecordLineOf(birth);
        record.insert(record.size() - 1, ",\"vargas\":true");
        const CliRun batch = RunCliProgram({"--batch"}, record + "\n" + RecordLineOf(birth) + "\n");
        ASSERT_EQ(batch.status, 0) << batch.err;
        const std::vector<std::string> lines = Lines(batch.out);
        ASSERT_EQ(lines.size(), 2u);
        const json first = json::parse(lines[0]);
        ExpectVargas(first);
        EXPECT_EQ(first["vargas"], json::parse(withVargas.out)["vargas"]);
        EXPECT_FALSE(json::parse(lines[1]).contains("vargas"));
    }
    const CliRun alone = RunCliProgram({"--vargas", "--date", "1980-06-05", "--time", "09:05"});
    EXPECT_EQ(alone.status, 1);
    EXPECT_NE(alone.err.find("--vargas needs --json"), std::string::npos) << alone.err;
}

}  // namespace
}  // namespace korvanta::testing
