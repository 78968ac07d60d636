// SPDX-License-Identifier: GPL-3.0-or-later
// --place: the atlas fills coordinates, zone and daylight saving for the
// birth moment, names that several places share are refused with the
// candidates, flags given beside it win, and the JSON carries the findings.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "atlas/atlas.h"
#include "cli_process.h"

namespace korvanta::testing {
namespace {

// Parsed in key order: the atlas must follow the echoed input.
using json = nlohmann::ordered_json;

constexpr int kBadCommandLine = 1;

std::vector<std::string> PlaceArgs(const std::string& place, const std::string& date,
                                   const std::string& time,
                                   const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {"--name", "ASHA RAO", "--date", date,    "--time",
                                     time,     "--place",  place,    "--json"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// The JSON of a run that must succeed.
json Chart(const std::vector<std::string>& args) {
    const CliRun run = RunCliProgram(args);
    EXPECT_EQ(run.status, 0) << run.err;
    if (run.status != 0) return json::object();
    return json::parse(run.out);
}

TEST(PlaceFlag, FillsTheEntryFromTheAtlasAndGivesTheSameChartAsTypedFlags) {
    const json chart = Chart(PlaceArgs("Pune, Maharashtra, India", "1980-06-05", "09:05:30"));
    const json& input = chart["input"];

    // What the atlas itself finds for Pune at that moment.
    const atlas::PlaceResolution pune = atlas::ResolvePlace("Pune, Maharashtra, India");
    ASSERT_TRUE(pune.place.has_value());
    const auto found = atlas::LookUpBirthPlace(*pune.place, {1980, 6, 5, 9, 5, 30});
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(input["lat_deg"], found->coordinates.LatDeg);
    EXPECT_EQ(input["lat_min"], found->coordinates.LatMin);
    EXPECT_EQ(input["lon_deg"], found->coordinates.LonDeg);
    EXPECT_EQ(input["lon_min"], found->coordinates.LonMin);
    EXPECT_EQ(input["lat_deg"], 18);
    EXPECT_EQ(input["lat_min"], 31);
    EXPECT_EQ(input["south"], false);
    EXPECT_EQ(input["lon_deg"], 73);
    EXPECT_EQ(input["lon_min"], 51);
    EXPECT_EQ(input["east"], true);
    EXPECT_EQ(input["zone_index"], 34);
    EXPECT_EQ(input["dst"], false);
    EXPECT_EQ(input["city"], "Pune");
    EXPECT_EQ(input["state"], "Maharashtra");
    EXPECT_EQ(input["country"], "India");

    const json& atlas = chart["atlas"];
    EXPECT_EQ(atlas["query"], "Pune, Maharashtra, India");
    EXPECT_EQ(atlas["place"]["time_zone"], "Asia/Kolkata");
    EXPECT_EQ(atlas["place"]["country_code"], "IN");
    EXPECT_EQ(atlas["coordinates"]["lon_min"], 51);
    EXPECT_EQ(atlas["local_time"], "unique");
    ASSERT_EQ(atlas["readings"].size(), 1u);
    EXPECT_EQ(atlas["readings"][0]["utc_offset_seconds"], 19800);
    EXPECT_EQ(atlas["readings"][0]["zone_index"], 34);
    EXPECT_EQ(atlas["readings"][0]["zone_text"], "Indian Time, IST, +5.3");
    EXPECT_EQ(atlas["note"], "Asia/Kolkata: UTC+5:30, no daylight saving on this date");
    EXPECT_EQ(atlas["from_flags"], json::array());

    // The same birth typed flag by flag gives the same chart, key by key.
    json typed = Chart({"--name", "ASHA RAO", "--date", "1980-06-05", "--time", "09:05:30", "--lat",
                        "18N31", "--lon", "73E51", "--zone", "34", "--city", "Pune", "--state",
                        "Maharashtra", "--country", "India", "--json"});
    json fromPlace = chart;
    fromPlace.erase("atlas");
    EXPECT_EQ(fromPlace, typed);
    // The atlas's findings follow the echoed input.
    auto key = chart.begin();
    EXPECT_EQ(key.key(), "input");
    EXPECT_EQ((++key).key(), "atlas");
}

TEST(PlaceFlag, AUniqueCityNameIsEnough) {
    json input = Chart(PlaceArgs("Jalandhar", "1990-07-01", "12:00"))["input"];
    EXPECT_EQ(input["city"], "Jalandhar");
    EXPECT_EQ(input["zone_index"], 34);
    // South and west of Greenwich.
    input = Chart(PlaceArgs("São Paulo", "1990-07-01", "12:00"))["input"];
    EXPECT_EQ(input["city"], "São Paulo");
    EXPECT_EQ(input["south"], true);
    EXPECT_EQ(input["east"], false);
    EXPECT_EQ(input["lat_deg"], 23);
    EXPECT_EQ(input["lon_deg"], 46);
}

TEST(PlaceFlag, ANameSeveralPlacesShareIsRefusedWithTheCandidates) {
    CliRun run = RunCliProgram(PlaceArgs("Springfield", "1990-07-01", "12:00"));
    EXPECT_EQ(run.status, kBadCommandLine);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("--place Springfield: several places have this name"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("\n  Springfield, Illinois, United States of America \u2014 116,565 "
                           "inhabitants  39N48 89W39"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("\n  Springfield, Missouri, "), std::string::npos) << run.err;

    // Madrid, Spain comes first; the state or country settles it.
    run = RunCliProgram(PlaceArgs("Madrid", "1990-07-01", "12:00"));
    EXPECT_EQ(run.status, kBadCommandLine);
    const auto spain = run.err.find("Madrid, Madrid, Spain");
    const auto colombia = run.err.find("Madrid, Cundinamarca, Colombia");
    ASSERT_NE(spain, std::string::npos) << run.err;
    ASSERT_NE(colombia, std::string::npos) << run.err;
    EXPECT_LT(spain, colombia);
    const json madrid = Chart(PlaceArgs("Madrid, Spain", "1990-07-01", "12:00"))["input"];
    EXPECT_EQ(madrid["zone_index"], 20);  // Central European Time with daylight saving
    EXPECT_EQ(madrid["dst"], true);
    EXPECT_EQ(madrid["east"], false);
}

TEST(PlaceFlag, AnUnknownNameIsRefused) {
    const CliRun run = RunCliProgram(PlaceArgs("Xyzzyqville", "1990-07-01", "12:00"));
    EXPECT_EQ(run.status, kBadCommandLine);
    EXPECT_NE(run.err.find("--place Xyzzyqville: no place of this name"), std::string::npos)
        << run.err;
}

TEST(PlaceFlag, DaylightSavingFollowsTheBirthMoment) {
    // New York: EDT in July is Eastern Standard Time (27) with the box.
    json input = Chart(PlaceArgs("New York, US", "1990-07-01", "12:00"))["input"];
    EXPECT_EQ(input["zone_index"], 27);
    EXPECT_EQ(input["dst"], true);
    input = Chart(PlaceArgs("New York, US", "1990-01-15", "12:00"))["input"];
    EXPECT_EQ(input["zone_index"], 27);
    EXPECT_EQ(input["dst"], false);
    // Sydney in January: AEST (8) with the box.
    input = Chart(PlaceArgs("Sydney, Australia", "1990-01-15", "12:00"))["input"];
    EXPECT_EQ(input["zone_index"], 8);
    EXPECT_EQ(input["dst"], true);
    // Kolkata in 1943: war time +6:30 as Indian time (34) with the box.
    input = Chart(PlaceArgs("Kolkata", "1943-07-01", "12:00"))["input"];
    EXPECT_EQ(input["zone_index"], 34);
    EXPECT_EQ(input["dst"], true);
}

TEST(PlaceFlag, FlagsGivenBesideItWin) {
    const json chart =
        Chart(PlaceArgs("New York, US", "1990-07-01", "12:00",
                        {"--no-dst", "--zone", "24", "--lat", "40N00", "--city", "Brooklyn"}));
    const json& input = chart["input"];
    EXPECT_EQ(input["dst"], false);
    EXPECT_EQ(input["zone_index"], 24);
    EXPECT_EQ(input["lat_deg"], 40);
    EXPECT_EQ(input["lat_min"], 0);
    EXPECT_EQ(input["city"], "Brooklyn");
    EXPECT_EQ(input["state"], "New York");  // still the atlas's
    EXPECT_EQ(input["lon_deg"], 74);
    EXPECT_EQ(chart["atlas"]["from_flags"], json({"--lat", "--zone", "--dst", "--city"}));
    // The atlas's own suggestion stays in its findings.
    EXPECT_EQ(chart["atlas"]["readings"][0]["zone_index"], 27);

    const CliRun both =
        RunCliProgram(PlaceArgs("Pune", "1990-07-01", "12:00", {"--dst", "--no-dst"}));
    EXPECT_EQ(both.status, kBadCommandLine);
}

TEST(PlaceFlag, WithoutAFittingNamedRowTheAtlasTakesTheOtherOffset) {
    // A zone given beside --place wins; the atlas's own choice stays in its
    // findings.
    const json chart = Chart(PlaceArgs("Kathmandu", "1990-07-01", "12:00", {"--zone", "34"}));
    EXPECT_EQ(chart["input"]["zone_index"], 34);
    EXPECT_FALSE(chart["input"].contains("utc_offset_minutes"));
    EXPECT_EQ(chart["input"]["lon_deg"], 85);
    EXPECT_EQ(chart["atlas"]["readings"][0]["zone_index"], 71);
    EXPECT_EQ(chart["atlas"]["readings"][0]["zone_text"], "Other UTC offset");
    EXPECT_EQ(chart["atlas"]["readings"][0]["utc_offset_minutes"], 345);
    EXPECT_EQ(chart["atlas"]["readings"][0]["utc_offset_seconds"], 20700);
    // So does an offset given beside it.
    const json offset =
        Chart(PlaceArgs("Kathmandu", "1990-07-01", "12:00", {"--offset", "+05:30"}));
    EXPECT_EQ(offset["input"]["utc_offset_minutes"], 330);
    EXPECT_EQ(offset["atlas"]["from_flags"], json({"--offset"}));
}

TEST(PlaceFlag, AClockChangeIsNotedAndBothReadingsAreKept) {
    // 2:30 on 1 April 1990 did not exist in New York: read before the change.
    CliRun run = RunCliProgram(PlaceArgs("New York, US", "1990-04-01", "02:30"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("korvanta-cli: note: America/New_York: this time did not exist"),
              std::string::npos)
        << run.err;
    json chart = json::parse(run.out);
    EXPECT_EQ(chart["atlas"]["local_time"], "nonexistent");
    EXPECT_EQ(chart["atlas"]["readings"].size(), 2u);
    EXPECT_EQ(chart["input"]["dst"], false);

    // 1:30 on 28 October 1990 happened twice: the first, daylight reading.
    run = RunCliProgram(PlaceArgs("New York, US", "1990-10-28", "01:30"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("occurred twice"), std::string::npos) << run.err;
    chart = json::parse(run.out);
    EXPECT_EQ(chart["atlas"]["local_time"], "ambiguous");
    EXPECT_EQ(chart["input"]["dst"], true);
    EXPECT_EQ(chart["atlas"]["readings"][1]["dst"], false);

    // An ordinary moment gives no note.
    run = RunCliProgram(PlaceArgs("New York, US", "1990-10-28", "12:00"));
    EXPECT_EQ(run.err, "");
}

TEST(PlaceFlag, TextOutputShowsThePlaceAndBatchModeTakesNone) {
    std::vector<std::string> args = PlaceArgs("Pune, Maharashtra, India", "1980-06-05", "09:05");
    args.pop_back();  // no --json
    const CliRun run = RunCliProgram(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  City : Pune\n"), std::string::npos);
    EXPECT_NE(run.out.find("  Longitude : 73° 51' E\n"), std::string::npos);

    const CliRun batch = RunCliProgram({"--batch", "--place", "Pune"});
    EXPECT_EQ(batch.status, kBadCommandLine);
    EXPECT_NE(batch.err.find("--batch takes no --place"), std::string::npos) << batch.err;
}

}  // namespace
}  // namespace korvanta::testing
