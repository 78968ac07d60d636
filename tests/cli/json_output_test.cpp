// SPDX-License-Identifier: GPL-3.0-or-later
// --json: the printed object, parsed back, holds for every key of the
// command line's JSON form exactly what the core computes for the same birth.
#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>

#include "astro/calendar.h"
#include "cli_process.h"
#include "pipeline/pipeline.h"
#include "reading/sign_profile.h"
#include "report/report.h"

namespace korvanta::testing {
namespace {

using nlohmann::json;

const std::set<std::string> kTopKeys = {
    "input",          "zone_hours",      "zone_minutes",     "ayanamsa",         "moon_ayanamsa",
    "ascendant",      "ascendant_whole", "asc_text",         "moon_longitude",   "moon_text",
    "moon_nak_start", "planet_text",     "rahu_text",        "ketu_text",        "chart_list",
    "retrograde",     "body_name",       "sign_cells",       "arudha_cells",     "padas",
    "ul_sign_index",  "ul_house",        "ul_house_caption", "ul_house_reading", "details",
    "sunrise",        "special",         "profile"};

std::set<std::string> KeysOf(const json& object) {
    std::set<std::string> keys;
    for (const auto& item : object.items()) keys.insert(item.key());
    return keys;
}

json DateTimeOrNull(std::optional<double> value) {
    if (!value) return nullptr;
    const CivilDateTime t = SplitDateTime(*value);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    std::string result = text;
    if (t.second != 0) {
        std::snprintf(text, sizeof text, ":%02d", t.second);
        result += text;
    }
    return result;
}

template <typename T>
json OrNull(const std::optional<T>& value) {
    return value ? json(*value) : json(nullptr);
}

// What each key holds, taken straight from the core and its report.
json Expected(const Chart& c, const ChartReport& k, const Birth& birth) {
    const auto text = [&k](Body body) { return k.longPositions[Index(body)]; };
    json e;
    e["input"] = json::parse(RecordLineOf(birth));
    e["zone_hours"] = c.zoneHours;
    e["zone_minutes"] = c.zoneMinutes;
    e["ayanamsa"] = c.ayanamsa;
    e["moon_ayanamsa"] = c.moonAyanamsa;
    e["ascendant"] = c.Longitude(Body::Asc);
    e["ascendant_whole"] = c.ascendantWhole;
    e["asc_text"] = text(Body::Asc);
    e["moon_longitude"] = c.Longitude(Body::Moon);
    e["moon_text"] = text(Body::Moon);
    e["moon_nak_start"] = c.moonNakStart;
    e["planet_text"] = {text(Body::Mercury), text(Body::Venus),   text(Body::Sun),
                        text(Body::Mars),    text(Body::Jupiter), text(Body::Saturn)};
    e["rahu_text"] = text(Body::Rahu);
    e["ketu_text"] = text(Body::Ketu);
    e["chart_list"] = json::array();
    for (const LabelledText& position : k.positions) e["chart_list"].push_back(position.text);
    e["retrograde"] = {{"Mercury", c.retrograde[0]},
                       {"Venus", c.retrograde[1]},
                       {"Mars", c.retrograde[2]},
                       {"Jupiter", c.retrograde[3]},
                       {"Saturn", c.retrograde[4]}};
    e["body_name"] = std::vector<std::string>(k.bodyNames.begin(), k.bodyNames.end());
    e["sign_cells"] = json::array();
    e["arudha_cells"] = json::array();
    for (const ChartCell& cell : k.cells) {
        e["sign_cells"].push_back(BodyCaption(cell));
        e["arudha_cells"].push_back(MarkCaption(cell));
    }
    e["padas"] = c.padas.pada;
    e["ul_sign_index"] = c.padas.ulSign;
    e["ul_house"] = c.padas.ulHouse;
    e["ul_house_caption"] = k.ulHouse;
    e["ul_house_reading"] = k.ulReading;
    e["details"] = {{"name", k.name},
                    {"dob", k.details[0].text},
                    {"tob", k.details[1].text},
                    {"latitude", k.details[3].text},
                    {"longitude", k.details[2].text},
                    {"city", k.details[4].text},
                    {"state", k.details[5].text},
                    {"country", k.details[6].text}};
    const SunriseReference& s = c.sunrise;
    const bool reference = s.reference.has_value();
    e["sunrise"] = {
        {"today", DateTimeOrNull(s.today)},
        {"sunset_today", DateTimeOrNull(s.sunsetToday)},
        {"prev", DateTimeOrNull(s.prev)},
        {"sunset_prev", DateTimeOrNull(s.sunsetPrev)},
        {"next", DateTimeOrNull(s.next)},
        {"sunset_next", DateTimeOrNull(s.sunsetNext)},
        {"birth_moment", DateTimeOrNull(s.birthMoment)},
        {"reference", DateTimeOrNull(s.reference)},
        {"minutes_from_sunrise", reference ? json(s.minutesFromSunrise) : json(nullptr)},
        {"seconds_from_sunrise", reference ? json(s.secondsFromSunrise) : json(nullptr)},
        {"sun_longitude", reference ? json(s.sunLongitude) : json(nullptr)},
        {"sun_text", reference ? json(k.sunAtSunrise) : json(nullptr)}};
    e["special"] = {{"ghati", OrNull(c.special.ghati)},
                    {"hora", OrNull(c.special.hora)},
                    {"bhava", OrNull(c.special.bhava)},
                    {"varnada", OrNull(c.special.varnada)},
                    {"sree", OrNull(c.special.sree)},
                    {"sign_count_mark", OrNull(c.special.signCountMark)},
                    {"pranapada", OrNull(c.special.pranapada)}};
    const SignProfileRow& p = SignProfile_Load().at(static_cast<std::size_t>(c.padas.ulSign));
    e["profile"] = {{"vedic_name", p.vedicName},
                    {"english_name", p.englishName},
                    {"abbreviation", p.abbreviation},
                    {"ruling_planet", p.rulingPlanet},
                    {"symbol", p.symbol},
                    {"element", p.element},
                    {"colour", p.colour},
                    {"type_of_sign", p.typeOfSign},
                    {"gender", p.gender},
                    {"best_period", p.bestPeriod},
                    {"fruitfulness", p.fruitfulness},
                    {"caste", p.caste},
                    {"position", p.position},
                    {"constituent_character", p.constituentCharacter},
                    {"lucky_days", p.luckyDays},
                    {"lucky_numbers", p.luckyNumbers},
                    {"best_direction", p.bestDirection},
                    {"lucky_colours", p.luckyColours},
                    {"lucky_gemstone", p.luckyGemstone},
                    {"part_of_body", p.partOfBody},
                    {"physique", p.physique},
                    {"looks", p.looks},
                    {"nature", p.nature},
                    {"career_and_finance", p.careerAndFinance},
                    {"love_and_domestic_life", p.loveAndDomesticLife},
                    {"health", p.health},
                    {"compatible_with", p.compatibleWith},
                    {"not_compatible_with", p.notCompatibleWith}};
    return e;
}

// Numbers must come back exactly: the JSON writer prints the shortest text
// that reads back as the same double.
void ExpectSameValue(const json& actual, const json& expected, const std::string& path) {
    if (expected.is_object()) {
        ASSERT_TRUE(actual.is_object()) << path << " is " << actual.dump();
        EXPECT_EQ(KeysOf(actual), KeysOf(expected)) << "keys of " << path;
        for (const auto& item : expected.items()) {
            if (actual.contains(item.key())) {
                ExpectSameValue(actual[item.key()], item.value(), path + "." + item.key());
            }
        }
    } else if (expected.is_number()) {
        ASSERT_TRUE(actual.is_number()) << path << " is " << actual.dump();
        EXPECT_EQ(actual.get<double>(), expected.get<double>()) << path;
    } else {
        EXPECT_EQ(actual, expected) << path;
    }
}

class JsonOutput : public ::testing::TestWithParam<Birth> {};

TEST_P(JsonOutput, EveryKeyEqualsTheCoreResult) {
    const Birth& birth = GetParam();
    auto args = FlagsOf(birth);
    args.push_back("--json");
    const CliRun run = RunCliProgram(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const json actual = json::parse(run.out);

    const auto outcome = CalculateChart(FormOf(birth));
    ASSERT_TRUE(std::holds_alternative<BirthChart>(outcome));
    const BirthChart& computed = std::get<BirthChart>(outcome);
    const json expected =
        Expected(computed.chart, BuildReport(computed.birth, computed.chart), birth);

    EXPECT_EQ(KeysOf(actual), kTopKeys);
    ExpectSameValue(actual, expected, "chart");
}

INSTANTIATE_TEST_SUITE_P(ThreeBirths, JsonOutput,
                         ::testing::Values(NewDelhi1980(), BuenosAiresNight(),
                                           LongyearbyenMidsummer()));

TEST(JsonOutputSunrise, ABirthWhoseSunDoesNotSetHasNullSunriseFields) {
    auto args = FlagsOf(LongyearbyenMidsummer());
    args.push_back("--json");
    const CliRun run = RunCliProgram(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const json sunrise = json::parse(run.out)["sunrise"];
    EXPECT_TRUE(sunrise["today"].is_null()) << sunrise.dump();
    EXPECT_TRUE(sunrise["reference"].is_null()) << sunrise.dump();
    EXPECT_TRUE(sunrise["minutes_from_sunrise"].is_null()) << sunrise.dump();
    EXPECT_EQ(sunrise["birth_moment"], "1992-06-21 14:30:15");
}

TEST(JsonOutputSunrise, DateTimesDropZeroSeconds) {
    auto args = FlagsOf(BuenosAiresNight());
    args.push_back("--json");
    const CliRun run = RunCliProgram(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["sunrise"]["birth_moment"], "1975-11-17 22:40");
}

}  // namespace
}  // namespace korvanta::testing
