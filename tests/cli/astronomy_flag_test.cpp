// SPDX-License-Identifier: GPL-3.0-or-later
// --astronomy precise through the whole program: batch records in, the
// JSON's longitudes, ayanamsa and sunrises out, against what
// korvanta-precise-reference (Swiss Ephemeris called directly, by another
// route) computes for the same moments; and the refusals: the node and
// sunrise choices without the precise astronomy, missing data files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

using nlohmann::json;

constexpr double kArcSecond = 1.0 / 3600.0;
constexpr double kUnixEpochJulianDay = 2440587.5;

// One birth as a batch record states it, and its moment worked out here with
// the standard library's calendar alone.
struct TestBirth {
    int year, month, day, hour, minute, second;
    int latDeg, latMin;
    bool south;
    int lonDeg, lonMin;
    bool east;
    int offsetMinutes;  // local standard time minus UT
    bool dst;
    bool trueNode;

    double Latitude() const { return (south ? -1 : 1) * (latDeg + latMin / 60.0); }
    double Longitude() const { return (east ? 1 : -1) * (lonDeg + lonMin / 60.0); }
    // Seconds since 1970 of a local clock reading, as if it were UT.
    std::int64_t LocalSeconds(int h, int m, int s) const {
        const auto days = std::chrono::sys_days(std::chrono::year(year) /
                                                std::chrono::month(static_cast<unsigned>(month)) /
                                                std::chrono::day(static_cast<unsigned>(day)))
                              .time_since_epoch()
                              .count();
        return std::int64_t{days} * 86400 + h * 3600 + m * 60 + s;
    }
    std::int64_t ClockToUt() const { return -offsetMinutes * 60 - (dst ? 3600 : 0); }
    double JulianDay() const {
        return kUnixEpochJulianDay +
               static_cast<double>(LocalSeconds(hour, minute, second) + ClockToUt()) / 86400.0;
    }
    double DayStart() const {
        return kUnixEpochJulianDay +
               static_cast<double>(LocalSeconds(0, 0, 0) + ClockToUt()) / 86400.0;
    }
    std::string Record() const {
        json r = {{"name", "PRECISE"}, {"month", month},    {"day", day},
                  {"year", year},      {"hour", hour},      {"minute", minute},
                  {"second", second},  {"lat_deg", latDeg}, {"lat_min", latMin},
                  {"south", south},    {"lon_deg", lonDeg}, {"lon_min", lonMin},
                  {"east", east},      {"zone_index", 71},  {"utc_offset_minutes", offsetMinutes},
                  {"dst", dst}};
        if (trueNode) r["node"] = "true";
        return r.dump();
    }
    // The local clock text of a UT Julian day, "YYYY-MM-DD HH:MM[:SS]" as the
    // JSON writes sunrises, to the whole second.
    std::string ClockText(double julianDay) const {
        const auto ut = std::llround((julianDay - kUnixEpochJulianDay) * 86400.0);
        const std::int64_t local = ut - ClockToUt();
        const auto days = std::chrono::floor<std::chrono::days>(
            std::chrono::sys_seconds(std::chrono::seconds(local)));
        const std::chrono::year_month_day date(days);
        const std::int64_t ofDay = local - days.time_since_epoch().count() * 86400;
        char text[64];
        std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld", int(date.year()),
                      unsigned(date.month()), unsigned(date.day()),
                      static_cast<long long>(ofDay / 3600),
                      static_cast<long long>(ofDay / 60 % 60));
        std::string shown = text;
        if (ofDay % 60 != 0) {
            std::snprintf(text, sizeof text, ":%02lld", static_cast<long long>(ofDay % 60));
            shown += text;
        }
        return shown;
    }
};

// Births over 1901-2050, both hemispheres, every latitude the entry takes
// (up to 89°59′), every longitude, with and without daylight saving, a
// third with the true node.
std::vector<TestBirth> Spread(int count) {
    std::vector<TestBirth> births;
    std::uint64_t state = 20261209;
    const auto next = [&state](int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(n));
    };
    for (int k = 0; k < count; ++k) {
        TestBirth b{};
        b.year = 1901 + next(150);
        b.month = 1 + next(12);
        b.day = 1 + next(28);
        b.hour = next(24);
        b.minute = next(60);
        b.second = next(60);
        b.latDeg = k % 10 == 0 ? 89 : next(90);
        b.latMin = next(60);
        b.south = next(2) == 1;
        b.lonDeg = next(180);
        b.lonMin = next(60);
        b.east = next(2) == 1;
        // The clock near the longitude's own, to the quarter hour.
        const double own = b.Longitude() * 4.0;
        b.offsetMinutes = static_cast<int>(std::lround(own / 15.0)) * 15;
        b.offsetMinutes = std::clamp(b.offsetMinutes, -720, 840);
        b.dst = next(4) == 0;
        b.trueNode = k % 3 == 1;
        // The first and last accepted days.
        if (k == 0) b = {1901, 1, 1, 0, 0, 0, 51, 30, false, 0, 7, false, 0, false, false};
        if (k == 1) b = {2050, 12, 31, 23, 59, 59, 33, 52, true, 151, 12, true, 600, false, true};
        births.push_back(b);
    }
    return births;
}

struct Reference {
    double ayanamsa = 0;
    std::array<double, 9> bodies{};  // Sun .. Saturn, mean node, true node
    double asc = 0;
    std::optional<double> rise, set;  // upper limb with refraction
};

// The reference program's rows for the births' moments.
std::vector<Reference> ReferenceRows(const std::vector<TestBirth>& births) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string stem = "korvanta-astronomy-test-" + std::to_string(getpid());
    const std::filesystem::path moments = dir / (stem + ".in");
    const std::filesystem::path table = dir / (stem + ".out");
    {
        std::ofstream out(moments);
        out.precision(17);
        for (const TestBirth& b : births) {
            out << b.JulianDay() << ' ' << b.Latitude() << ' ' << b.Longitude() << ' '
                << b.DayStart() << '\n';
        }
    }
    const std::string command = std::string(KORVANTA_PRECISE_REFERENCE_PATH) + " - < " +
                                moments.string() + " > " + table.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<Reference> rows;
    std::ifstream in(table);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        double skip = 0;
        Reference r;
        fields >> skip >> skip >> skip >> skip >> r.ayanamsa;
        for (double& body : r.bodies) fields >> body;
        fields >> r.asc;
        std::string rise, set;
        fields >> rise >> set;
        if (rise != "-") r.rise = std::stod(rise);
        if (set != "-") r.set = std::stod(set);
        rows.push_back(r);
    }
    std::filesystem::remove(moments);
    std::filesystem::remove(table);
    return rows;
}

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// Tolerance 0.5″ for the ten longitudes and the ayanamsa, the sunrise and
// sunset to the whole second as the JSON writes them: the reference asks the
// same library for the same moments by another route, so any difference
// beyond rounding is a wrong moment, place, zone, node or flag on the way
// through the program.
TEST(AstronomyFlag, PreciseBatchAgreesWithTheReferenceOverTheCenturiesAndLatitudes) {
    const std::vector<TestBirth> births = Spread(300);
    const std::vector<Reference> expected = ReferenceRows(births);
    ASSERT_EQ(expected.size(), births.size());
    std::string input;
    for (const TestBirth& b : births) input += b.Record() + "\n";
    const CliRun run = RunCliProgram({"--batch", "--astronomy", "precise"}, input);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), births.size());

    constexpr std::array<const char*, 10> kKeys = {"Sun",     "Moon",   "Mercury", "Venus", "Mars",
                                                   "Jupiter", "Saturn", "Rahu",    "Ketu",  "Asc"};
    int sunrises = 0;
    for (std::size_t k = 0; k < births.size(); ++k) {
        const TestBirth& b = births[k];
        const Reference& r = expected[k];
        SCOPED_TRACE(b.Record());
        const json answer = json::parse(lines[k]);
        ASSERT_EQ(answer.value("astronomy", ""), "precise") << lines[k].substr(0, 200);
        EXPECT_EQ(answer["node"], b.trueNode ? "true" : "mean");
        EXPECT_EQ(answer["sunrise_kind"], "limb");
        // The JSON gives the ayanamsa as the classic astronomy does: added, negative.
        EXPECT_NEAR(answer["ayanamsa"].get<double>(), -r.ayanamsa, 0.5 * kArcSecond);
        const double node = r.bodies[b.trueNode ? 8 : 7];
        const std::array<double, 10> want = {r.bodies[0],  r.bodies[1], r.bodies[2], r.bodies[3],
                                             r.bodies[4],  r.bodies[5], r.bodies[6], node,
                                             node + 180.0, r.asc};
        for (std::size_t body = 0; body < kKeys.size(); ++body) {
            const double got = answer["longitudes"][kKeys[body]].get<double>();
            EXPECT_LE(AngleBetween(got, want[body]), 0.5 * kArcSecond)
                << kKeys[body] << ": expected " << want[body] << ", got " << got;
        }
        const json& sunrise = answer["sunrise"];
        EXPECT_EQ(sunrise["today"].is_null(), !r.rise.has_value());
        EXPECT_EQ(sunrise["sunset_today"].is_null(), !r.set.has_value());
        if (r.rise && sunrise["today"].is_string()) {
            EXPECT_EQ(sunrise["today"], b.ClockText(*r.rise));
            ++sunrises;
        }
        if (r.set && sunrise["sunset_today"].is_string()) {
            EXPECT_EQ(sunrise["sunset_today"], b.ClockText(*r.set));
        }
    }
    EXPECT_GT(sunrises, 200);
}

TEST(AstronomyFlag, RefusesChoicesWithoutThePreciseAstronomyAndMissingDataFiles) {
    const std::vector<std::string> birth = FlagsOf(NewDelhi1980());
    const auto with = [&birth](std::vector<std::string> extra) {
        extra.insert(extra.begin(), birth.begin(), birth.end());
        return extra;
    };
    // The node and sunrise choices need the precise astronomy.
    for (const auto& [flags, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--node", "true"}, "--node needs --astronomy precise"},
             {{"--astronomy", "classic", "--sunrise", "centre"},
              "--sunrise needs --astronomy precise"},
             {{"--astronomy", "exact"}, "--astronomy"}}) {
        const CliRun run = RunCliProgram(with(flags));
        EXPECT_EQ(run.status, 1) << flags.back();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const CliRun record = RunCliProgram(
        {"--batch"}, RecordLineOf(NewDelhi1980()).insert(1, "\"sunrise\":\"centre\",") + "\n");
    EXPECT_EQ(record.status, 3);
    EXPECT_NE(record.out.find("\"sunrise\\\" needs \\\"astronomy\\\": \\\"precise\\\""),
              std::string::npos)
        << record.out;

    // Without the data files: an error naming the package, never a chart.
    const std::filesystem::path empty = std::filesystem::temp_directory_path() /
                                        ("korvanta-no-ephemeris-cli-" + std::to_string(getpid()));
    std::filesystem::create_directories(empty);
    const std::map<std::string, std::string> env = {{"SE_EPHE_PATH", empty.string()}};
    const CliRun one = RunCliProgram(with({"--astronomy", "precise", "--json"}), "", env);
    EXPECT_EQ(one.status, 11) << one.err;
    EXPECT_EQ(one.out, "");
    EXPECT_NE(one.err.find("swe-basic-data"), std::string::npos) << one.err;
    EXPECT_NE(one.err.find(empty.string()), std::string::npos) << one.err;
    const CliRun batch = RunCliProgram({"--batch", "--astronomy", "precise"},
                                       RecordLineOf(NewDelhi1980()) + "\n", env);
    EXPECT_EQ(batch.status, 3);
    EXPECT_NE(batch.out.find("\"error\""), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find("swe-basic-data"), std::string::npos) << batch.out;
    // The classic astronomy needs no data files.
    EXPECT_EQ(RunCliProgram(with({"--json"}), "", env).status, 0);
    std::filesystem::remove(empty);
}

}  // namespace
}  // namespace korvanta::testing
