// SPDX-License-Identifier: GPL-3.0-or-later
// Flags of one birth: refused entries print the program's own message and
// exit with 2; malformed flags are named with what is wrong and exit with 1;
// zones are found by index, text, abbreviation or name, never guessed.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

constexpr int kBadCommandLine = 1;
constexpr int kRefused = 2;

// The flags of the New Delhi birth with one flag's value replaced (or the
// flag dropped when `value` is empty).
std::vector<std::string> Replace(const std::string& flag, const std::string& value) {
    std::vector<std::string> args = FlagsOf(NewDelhi1980());
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == flag) {
            if (value.empty()) {
                args.erase(args.begin() + static_cast<long>(i),
                           args.begin() + static_cast<long>(i) + 2);
            } else {
                args[i + 1] = value;
            }
            break;
        }
    }
    return args;
}

struct RefusedEntry {
    std::string flag, value;  // empty value: the flag is left out
    std::string message;
};

class Refusal : public ::testing::TestWithParam<RefusedEntry> {};

TEST_P(Refusal, PrintsTheProgramsMessageAndExitsWithTwo) {
    const RefusedEntry& entry = GetParam();
    const CliRun run = RunCliProgram(Replace(entry.flag, entry.value));
    EXPECT_EQ(run.status, kRefused) << run.err;
    EXPECT_EQ(run.out, "");
    const auto lines = Lines(run.err);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], entry.message);
    // The next line says which flag the check was about.
    ASSERT_EQ(lines.size(), 2u) << run.err;
    EXPECT_NE(lines[1].find(entry.flag), std::string::npos) << lines[1];
}

INSTANTIATE_TEST_SUITE_P(
    EveryCheck, Refusal,
    ::testing::Values(
        RefusedEntry{"--name", "   ", "Please Enter Name"},
        RefusedEntry{"--name", "", "Please Enter Name"},
        RefusedEntry{"--lon", "180E00",
                     "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
        RefusedEntry{"--lon", "",
                     "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
        RefusedEntry{"--lon", "77E60",
                     "Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
        RefusedEntry{"--lat", "90N00",
                     "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
        RefusedEntry{"--lat", "28N",
                     "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
        RefusedEntry{"--date", "1901-02-29", "Please Enter Correct Date Or Month!"},
        RefusedEntry{"--date", "1980-02-30", "Please Enter Correct Date Or Month!"},
        RefusedEntry{"--date", "1980-04-31", "Please Enter Correct Date Or Month !"}));

TEST(Entry, EdgeValuesThatTheChecksAcceptGiveACharts) {
    for (const auto& [flag, value] :
         std::vector<std::pair<std::string, std::string>>{{"--lon", "179W59"},
                                                          {"--lat", "0S0"},
                                                          {"--date", "2000-02-29"},
                                                          {"--date", "1904-02-29"},
                                                          {"--date", "2050-12-31"},
                                                          {"--time", "23:59:59"}}) {
        const CliRun run = RunCliProgram(Replace(flag, value));
        EXPECT_EQ(run.status, 0) << flag << " " << value << ": " << run.err;
    }
}

struct MalformedFlag {
    std::string flag, value;
    std::string reason;  // part of the message
};

class Malformed : public ::testing::TestWithParam<MalformedFlag> {};

TEST_P(Malformed, NamesTheFlagAndExitsWithOne) {
    const MalformedFlag& bad = GetParam();
    const CliRun run = RunCliProgram(Replace(bad.flag, bad.value));
    EXPECT_EQ(run.status, kBadCommandLine);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(bad.flag + " " + bad.value + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(bad.reason), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Values, Malformed,
                         ::testing::Values(MalformedFlag{"--date", "1980/06/05", "YYYY-MM-DD"},
                                           MalformedFlag{"--date", "1980-13-05", "month"},
                                           MalformedFlag{"--date", "1980-06-32", "day"},
                                           MalformedFlag{"--date", "1900-12-31",
                                                         "from 1901 to 2050"},
                                           MalformedFlag{"--time", "24:00", "hour"},
                                           MalformedFlag{"--time", "9h05", "HH:MM"},
                                           MalformedFlag{"--lat", "28X36", "N or S"},
                                           MalformedFlag{"--lat", "28E36", "N or S"},
                                           MalformedFlag{"--lat", "-28N36", "N or S"},
                                           MalformedFlag{"--lat", "100N00", "at most 2 digits"},
                                           MalformedFlag{"--lon", "77E123", "at most 2 digits"},
                                           MalformedFlag{"--lon", "77.5E0", "E or W"},
                                           MalformedFlag{"--zone", "XYZ", "see --list-zones"},
                                           MalformedFlag{"--zone", "72", "from 0 to 71"}));

TEST(CommandLine, UnknownFlagsMissingDatesAndMixedModesAreRefused) {
    const std::vector<std::vector<std::string>> commands = {{"--frobnicate"},
                                                            Replace("--date", ""),
                                                            Replace("--time", ""),
                                                            {"--batch", "--name", "X"},
                                                            {"--batch", "--list-zones"}};
    for (const auto& args : commands) {
        const CliRun run = RunCliProgram(args);
        EXPECT_EQ(run.status, kBadCommandLine) << args[0] << ": " << run.err;
        EXPECT_NE(run.err.find("korvanta-cli: "), std::string::npos) << run.err;
    }
}

TEST(Zone, AnAmbiguousAbbreviationIsRefusedWithItsCandidates) {
    const CliRun run = RunCliProgram(Replace("--zone", "NST"));
    EXPECT_EQ(run.status, kBadCommandLine);
    EXPECT_NE(run.err.find("--zone NST: ambiguous"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("50 \"Newfoundland Standard Time,NST,-3.5\""), std::string::npos);
    EXPECT_NE(run.err.find("52 \"North Sumatra Time,NST,+6.5\""), std::string::npos);
}

TEST(Zone, ARepeatedNameIsRefusedWithItsCandidates) {
    const CliRun run = RunCliProgram(Replace("--zone", "South Australia Daylight Time"));
    EXPECT_EQ(run.status, kBadCommandLine);
    EXPECT_NE(run.err.find("56 \"South Australia Daylight Time,SAD,+10.5\""), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("57 \"South Australia Daylight Time,SDT,+10.5\""), std::string::npos);
}

// The zone row the chart was computed with, read from its echoed input.
int ZoneUsed(const std::string& zone) {
    auto args = Replace("--zone", zone);
    args.push_back("--json");
    const CliRun run = RunCliProgram(args);
    if (run.status != 0) return -1;
    return nlohmann::json::parse(run.out)["input"]["zone_index"].get<int>();
}

TEST(Zone, IsFoundByIndexTextUniqueAbbreviationOrName) {
    EXPECT_EQ(ZoneUsed("34"), 34);
    EXPECT_EQ(ZoneUsed("Indian Time, IST, +5.3"), 34);
    EXPECT_EQ(ZoneUsed("IST"), 34);
    EXPECT_EQ(ZoneUsed("ist"), 34);
    EXPECT_EQ(ZoneUsed("Indian Time"), 34);
    EXPECT_EQ(ZoneUsed("SAD"), 56);
    EXPECT_EQ(ZoneUsed("USZ3"), 63);
    EXPECT_EQ(ZoneUsed("Universal Time, UT, 0.0"), 61);
}

// The entry check's name rule: the flag and a record take real names, made
// capital, as the window does.
TEST(Name, RealNamesPassMadeCapital) {
    for (const auto& [typed, name] : std::vector<std::pair<std::string, std::string>>{
             {"José", "JOSÉ"}, {"Mary-Jane", "MARY-JANE"}, {"o'brien", "O'BRIEN"}}) {
        auto args = Replace("--name", typed);
        args.push_back("--json");
        const CliRun run = RunCliProgram(args);
        ASSERT_EQ(run.status, 0) << typed << ": " << run.err;
        EXPECT_EQ(nlohmann::json::parse(run.out)["details"]["name"], name);

        auto record = nlohmann::json::parse(RecordLineOf(NewDelhi1980()));
        record["name"] = typed;
        const CliRun batch = RunCliProgram({"--batch"}, record.dump() + "\n");
        ASSERT_EQ(batch.status, 0) << typed << ": " << batch.out;
        EXPECT_EQ(nlohmann::json::parse(batch.out)["details"]["name"], name);
    }
}

TEST(Zone, DefaultsToGreenwichLikeTheWindow) {
    auto args = Replace("--zone", "");
    args.push_back("--json");
    const CliRun run = RunCliProgram(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto chart = nlohmann::json::parse(run.out);
    EXPECT_EQ(chart["input"]["zone_index"], 29);
    EXPECT_EQ(chart["zone_hours"], 0);
}

}  // namespace
}  // namespace korvanta::testing
