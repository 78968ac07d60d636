// SPDX-License-Identifier: GPL-3.0-or-later
// --batch: one output line per input line, in order; a bad line gives an
// error object naming the field and the reason, the others still give
// charts, and the exit status tells that something failed.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

using nlohmann::json;

constexpr int kBatchFailures = 3;

Birth Numbered(int n) {
    Birth birth = NewDelhi1980();
    birth.name = "PERSON " + std::string(1, static_cast<char>('A' + n));
    birth.day = 1 + n * 5;
    birth.hour = 3 + n * 4;
    return birth;
}

std::vector<json> ParseLines(const std::string& out) {
    std::vector<json> objects;
    for (const std::string& line : Lines(out)) objects.push_back(json::parse(line));
    return objects;
}

TEST(Batch, FiveGoodLinesAndOneMalformedGiveSixLinesInOrder) {
    std::string input;
    for (int n = 0; n < 6; ++n) {
        input += (n == 3 ? R"({"name":"BROKEN","month":6,)" : RecordLineOf(Numbered(n))) + "\n";
    }
    const CliRun run = RunCliProgram({"--batch"}, input);
    EXPECT_EQ(run.status, kBatchFailures);
    const auto results = ParseLines(run.out);
    ASSERT_EQ(results.size(), 6u) << run.out;
    for (int n = 0; n < 6; ++n) {
        if (n == 3) {
            EXPECT_EQ(results[n]["input_line"], 4);
            EXPECT_TRUE(results[n]["error"].is_string());
            EXPECT_FALSE(results[n].contains("ul_house"));
        } else {
            EXPECT_EQ(results[n]["input"], json::parse(RecordLineOf(Numbered(n)))) << n;
            EXPECT_TRUE(results[n]["ul_house"].is_number_integer()) << n;
        }
    }
}

TEST(Batch, EachResultEqualsTheSingleChartJson) {
    const std::vector<Birth> births = {NewDelhi1980(), BuenosAiresNight(), LongyearbyenMidsummer()};
    std::string input;
    for (const Birth& birth : births) input += RecordLineOf(birth) + "\n";
    const CliRun run = RunCliProgram({"--batch"}, input);
    ASSERT_EQ(run.status, 0) << run.out;
    const auto results = ParseLines(run.out);
    ASSERT_EQ(results.size(), births.size());
    for (std::size_t i = 0; i < births.size(); ++i) {
        auto args = FlagsOf(births[i]);
        args.push_back("--json");
        const CliRun single = RunCliProgram(args);
        ASSERT_EQ(single.status, 0) << single.err;
        EXPECT_EQ(results[i], json::parse(single.out)) << births[i].name;
    }
}

TEST(Batch, EchoesTheInputRecordAsGivenWithBlanksAndOptionalKeysLeftOut) {
    const std::string record =
        R"(  { "name": "ASHA", "month": 6, "day": 5, "year": 1980, "hour": 9, "minute": 5,)"
        R"( "lat_deg": 28, "lat_min": 36, "south": false, "lon_deg": 77, "lon_min": 12,)"
        R"( "east": true, "zone_index": 34 }  )";
    const CliRun run = RunCliProgram({"--batch"}, record + "\r\n");
    ASSERT_EQ(run.status, 0) << run.out;
    const json result = json::parse(run.out);
    EXPECT_EQ(result["input"], json::parse(record));
    EXPECT_EQ(result["details"]["city"], "");
    EXPECT_EQ(result["sunrise"]["birth_moment"], "1980-06-05 09:05");
}

struct BadLine {
    std::string line;
    std::string field;          // "" when the error names no single key
    std::string errorContains;  // part of the error text
};

class BatchBadLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BatchBadLine, GivesAnErrorObjectNamingTheFieldAndTheReason) {
    const BadLine& bad = GetParam();
    const std::string good = RecordLineOf(NewDelhi1980());
    const CliRun run = RunCliProgram({"--batch"}, good + "\n" + bad.line + "\n" + good + "\n");
    EXPECT_EQ(run.status, kBatchFailures);
    const auto results = ParseLines(run.out);
    ASSERT_EQ(results.size(), 3u) << run.out;
    EXPECT_TRUE(results[0].contains("chart_list"));
    EXPECT_TRUE(results[2].contains("chart_list"));
    const json& error = results[1];
    EXPECT_EQ(error["input_line"], 2) << error.dump();
    ASSERT_TRUE(error["error"].is_string()) << error.dump();
    EXPECT_NE(error["error"].get<std::string>().find(bad.errorContains), std::string::npos)
        << error.dump();
    if (bad.field.empty()) {
        EXPECT_FALSE(error.contains("field")) << error.dump();
    } else {
        EXPECT_EQ(error["field"], bad.field) << error.dump();
    }
}

std::string With(const std::string& key, const std::string& value) {
    json record = json::parse(RecordLineOf(NewDelhi1980()));
    record[key] = json::parse(value);
    return record.dump();
}

std::string Without(const std::string& key) {
    json record = json::parse(RecordLineOf(NewDelhi1980()));
    record.erase(key);
    return record.dump();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchBadLine,
    ::testing::Values(BadLine{"not json", "", "not a JSON object"},
                      BadLine{"", "", "not a JSON object"},
                      BadLine{"[1, 2]", "", "expected a JSON object"},
                      BadLine{Without("lat_deg"), "lat_deg", "\"lat_deg\": missing"},
                      BadLine{With("dts", "true"), "dts", "\"dts\": unknown key"},
                      BadLine{With("month", "13"), "month",
                              "\"month\": expected a whole number from 1 to 12"},
                      BadLine{With("year", "1900"), "year", "from 1901 to 2050"},
                      BadLine{With("zone_index", "72"), "zone_index", "from 0 to 71"},
                      BadLine{With("hour", "9.5"), "hour", "got 9.5"},
                      BadLine{With("east", "1"), "east", "expected true or false"},
                      BadLine{With("name", "7"), "name", "expected a text"},
                      // A refused entry gives the program's own message.
                      BadLine{With("lon_deg", "180"), "lon_deg",
                              "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
                      BadLine{With("lat_min", "-1"), "lat_min",
                              "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
                      BadLine{With("name", "\"   \""), "name", "Please Enter Name"},
                      BadLine{With("day", "31"), "", "Please Enter Correct Date Or Month !"}));

TEST(Batch, AnImpossibleDateIsRefusedWithTheProgramsMessage) {
    json record = json::parse(RecordLineOf(NewDelhi1980()));
    record["month"] = 2;
    record["day"] = 30;
    const CliRun run = RunCliProgram({"--batch"}, record.dump() + "\n");
    EXPECT_EQ(run.status, kBatchFailures);
    const json error = json::parse(run.out);
    EXPECT_EQ(error["error"], "Please Enter Correct Date Or Month!");
}

}  // namespace
}  // namespace korvanta::testing
