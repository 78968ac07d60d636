// SPDX-License-Identifier: GPL-3.0-or-later
// --vargas and a batch record's "vargas": the divisional charts in the JSON,
// checked against the chart's own keys and the continuous counts of the
// Navamsa and the Bhamsa, not against the code that makes them. --varga N:
// the text chart of the Navamsa against its rule worked out here, the note on
// a fine varga's precision with either astronomy, the JSON left as it is.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "cli_process.h"
#include "pipeline/pipeline.h"
#include "reading/arudha.h"
#include "report/names.h"
#include "report/report.h"

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

// The Navamsa sign of a sidereal longitude by its rule: the sign's ninths
// run on from the sign itself (movable signs), from its 9th (fixed) or its
// 5th (dual).
int NavamsaByRule(double longitude) {
    const int sign = static_cast<int>(std::floor(longitude / 30.0));
    const int ninth = static_cast<int>(std::floor((longitude - 30.0 * sign) * 9.0 / 30.0));
    const int firstFrom[3] = {0, 8, 4};  // movable, fixed, dual: 1st, 9th, 5th from the sign
    return (sign + firstFrom[sign % 3] + ninth) % 12;
}

// The words of each cell of a South Indian text chart, by the sign name its
// first line carries; the centre block's words under "".
std::map<std::string, std::multiset<std::string>> SouthCellWords(const std::string& chart) {
    const std::string bar = "\u2502";
    std::map<std::string, std::multiset<std::string>> cells;
    std::vector<std::vector<std::string>> columns;
    const auto close = [&cells, &columns] {
        for (const std::vector<std::string>& column : columns) {
            std::string sign;
            for (std::size_t line = 0; line < column.size(); ++line) {
                std::istringstream words(column[line]);
                std::string word;
                if (line == 0 && words >> word) {
                    for (const std::string_view name : kSignNames) {
                        if (word == name) sign = word;
                    }
                    if (!sign.empty())
                        words >> word;  // the sign's number
                    else
                        cells[""].insert(word);
                }
                while (words >> word) cells[sign].insert(word);
            }
        }
        columns.clear();
    };
    for (const std::string& line : Lines(chart)) {
        if (line.rfind(bar, 0) != 0) {
            close();
            continue;
        }
        std::vector<std::string> parts;
        for (std::size_t at = bar.size(), next; (next = line.find(bar, at)) != std::string::npos;
             at = next + bar.size()) {
            parts.push_back(line.substr(at, next - at));
        }
        columns.resize(std::max(columns.size(), parts.size()));
        for (std::size_t k = 0; k < parts.size(); ++k) columns[k].push_back(parts[k]);
    }
    close();
    return cells;
}

TEST(VargaFlag, TheTextChartOfTheNavamsaFollowsItsRule) {
    for (const Birth& birth : {NewDelhi1980(), BuenosAiresNight(), LongyearbyenMidsummer()}) {
        SCOPED_TRACE(birth.name);
        const auto outcome = CalculateChart(FormOfBirth(birth));
        ASSERT_TRUE(std::holds_alternative<BirthChart>(outcome));
        const Chart& chart = std::get<BirthChart>(outcome).chart;
        std::array<int, kBodyCount> signs{};
        for (std::size_t body = 0; body < kBodyCount; ++body)
            signs[body] = NavamsaByRule(chart.longitude[body]);
        // The padas by the program's one arudha rule, from these signs.
        const ArudhaPadas padas = Arudha_Calculation(signs);

        std::vector<std::string> flags = FlagsOf(birth);
        const CliRun plain = RunCliProgram(flags);
        flags.insert(flags.end(), {"--varga", "1"});
        EXPECT_EQ(RunCliProgram(flags).out, plain.out);
        flags.back() = "9";
        flags.push_back("--all-padas");
        const CliRun run = RunCliProgram(flags);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string drawing = run.out.substr(0, run.out.find(kPositionsHeading));
        auto cells = SouthCellWords(drawing);
        for (std::size_t body = 0; body < kBodyCount; ++body) {
            const std::string name(kBodyNames[body]);
            const std::string sign(SignName(signs[body]));
            EXPECT_EQ(cells[sign].count(name), 1u) << name << " expected in " << sign;
        }
        for (std::size_t house = 0; house < 12; ++house) {
            const std::string tag(kPadaTags[house]);
            const std::string sign(SignName(padas.pada[house]));
            EXPECT_EQ(cells[sign].count(tag), 1u) << tag << " expected in " << sign;
        }
        const std::string ul =
            std::string(SignName(padas.ulSign)) + ", House " + std::to_string(padas.ulHouse);
        EXPECT_NE(drawing.find("D9 Navamsa"), std::string::npos) << drawing;
        EXPECT_NE(drawing.find(ul), std::string::npos) << ul << "\n" << drawing;
        // The Navamsa needs no note on its precision; the Shashtiamsa does,
        // but only when the classic astronomy made it.
        const std::string note = "The signs of this D60 Shashtiamsa can differ";
        EXPECT_EQ(run.out.find("precise astronomy"), std::string::npos);
        flags[flags.size() - 2] = "60";  // --varga 60 --all-padas
        EXPECT_NE(RunCliProgram(flags).out.find(note), std::string::npos);
        std::vector<std::string> precise = flags;
        precise.insert(precise.end(), {"--astronomy", "precise"});
        const CliRun preciseRun = RunCliProgram(precise);
        ASSERT_EQ(preciseRun.status, 0) << preciseRun.err;
        EXPECT_NE(preciseRun.out.find("D60 Shashtiamsa"), std::string::npos) << preciseRun.out;
        EXPECT_EQ(preciseRun.out.find(note), std::string::npos) << preciseRun.out;
        // The JSON describes the rasi chart whatever --varga draws.
        flags.push_back("--json");
        const CliRun json = RunCliProgram(flags);
        ASSERT_EQ(json.status, 0) << json.err;
        flags.erase(flags.end() - 4, flags.end() - 2);  // without --varga 60
        EXPECT_EQ(json.out, RunCliProgram(flags).out);
    }
    std::vector<std::string> refused = FlagsOf(NewDelhi1980());
    refused.insert(refused.end(), {"--varga", "5"});
    const CliRun run = RunCliProgram(refused);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--varga 5: expected the number of a divisional chart"),
              std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace korvanta::testing
