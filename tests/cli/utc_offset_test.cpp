// SPDX-License-Identifier: GPL-3.0-or-later
// Zone 71, "Other UTC offset": a clock no named row has, given by --offset,
// by the atlas, or by a record's "utc_offset_minutes", computes at that
// offset; the command line, the records and the entry check refuse the
// offsets the row does not take.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

using nlohmann::json;

std::vector<std::string> Kathmandu(const std::string& time, std::vector<std::string> zone) {
    std::vector<std::string> args = {"--name", "K",     "--date", "1990-07-01", "--time",
                                     time,     "--lat", "27N42",  "--lon",      "85E19"};
    args.insert(args.end(), zone.begin(), zone.end());
    args.push_back("--json");
    return args;
}

json Chart(const std::vector<std::string>& args, const std::string& input = "") {
    const CliRun run = RunCliProgram(args, input);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? json::parse(run.out) : json::object();
}

// The keys that depend on UT alone: equal for births at one moment whatever
// the local clock reads.
void ExpectSameMoment(const json& a, const json& b, const std::string& what) {
    for (const char* key : {"ascendant", "asc_text", "moon_text", "planet_text", "rahu_text",
                            "chart_list", "padas", "ul_sign_index"}) {
        EXPECT_EQ(a[key], b[key]) << what << ": " << key;
    }
}

// Kathmandu, 1 July 1990, 12:15 at +5:45 is 6:30 UT, as is 12:00 Indian
// time (+5:30): the charts agree, whichever way the offset came.
TEST(UtcOffset, KathmanduAtPlusFiveFortyFiveComputesAtThatOffset) {
    const json indian = Chart(Kathmandu("12:00", {"--zone", "34"}));
    const json flag = Chart(Kathmandu("12:15", {"--offset", "+05:45"}));
    EXPECT_EQ(flag["input"]["zone_index"], 71);
    EXPECT_EQ(flag["input"]["utc_offset_minutes"], 345);
    EXPECT_EQ(flag["zone_hours"], -5);
    EXPECT_EQ(flag["zone_minutes"], -45);
    ExpectSameMoment(indian, flag, "--offset");
    ExpectSameMoment(indian, Chart(Kathmandu("12:15", {"--zone", "71", "--offset", "5:45"})),
                     "--zone 71 --offset");

    // The atlas chooses the row and the offset, and says so.
    const json atlas = Chart({"--name", "K", "--date", "1990-07-01", "--time", "12:15", "--place",
                              "Kathmandu", "--json"});
    EXPECT_EQ(atlas["input"]["zone_index"], 71);
    EXPECT_EQ(atlas["input"]["utc_offset_minutes"], 345);
    EXPECT_NE(atlas["atlas"]["note"].get<std::string>().find(
                  "so the zone is \"Other UTC offset\" +05:45"),
              std::string::npos);
    ExpectSameMoment(indian, atlas, "--place");

    // A record carries it, and its answer echoes it.
    const std::string record = flag["input"].dump();
    const json batch = Chart({"--batch"}, record + "\n");
    EXPECT_EQ(batch["input"]["utc_offset_minutes"], 345);
    ExpectSameMoment(indian, batch, "--batch");
}

TEST(UtcOffset, OffsetsTheRowDoesNotTakeAreRefused) {
    const struct {
        std::vector<std::string> zone;
        int status;
        std::string message;
    } cases[] = {
        {{"--offset", "+14:30"}, 1, "--offset +14:30: the offset must be from -12:00 to +14:00"},
        {{"--offset", "-12:01"}, 1, "the offset must be from -12:00 to +14:00"},
        {{"--offset", "5.75"}, 1, "--offset 5.75: expected a UTC offset as +HH:MM or -HH:MM"},
        {{"--offset", "+05:45", "--zone", "34"}, 1, "goes with zone 71 \"Other UTC offset\" only"},
        {{"--zone", "71"}, 1, "--zone 71: this row takes its offset from --offset"},
        {{"--zone", "72"}, 1, "a zone index must be from 0 to 71"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCliProgram(Kathmandu("12:15", c.zone));
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    // Records: the offset stands with zone 71 and only there; out of range
    // it meets the entry check's message.
    json record = json::parse(RecordLineOf(NewDelhi1980()));
    std::string lines;
    record["zone_index"] = 71;
    lines += record.dump() + "\n";
    record["utc_offset_minutes"] = 900;
    lines += record.dump() + "\n";
    record["zone_index"] = 34;
    record["utc_offset_minutes"] = 330;
    lines += record.dump() + "\n";
    const CliRun run = RunCliProgram({"--batch"}, lines);
    EXPECT_EQ(run.status, 3);
    const std::vector<std::string> answers = Lines(run.out);
    ASSERT_EQ(answers.size(), 3u) << run.out;
    const std::string errors[] = {
        "\"utc_offset_minutes\": missing, \"zone_index\": 71 takes its offset from it",
        "Please Enter a UTC Offset Between -12:00 And +14:00",
        "\"utc_offset_minutes\": only with \"zone_index\": 71"};
    for (std::size_t i = 0; i < 3; ++i) {
        const json answer = json::parse(answers[i]);
        EXPECT_EQ(answer["error"], errors[i]) << answers[i];
        EXPECT_EQ(answer["field"], "utc_offset_minutes") << answers[i];
    }
}

}  // namespace
}  // namespace korvanta::testing
