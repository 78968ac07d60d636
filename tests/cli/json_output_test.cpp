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

// What each key holds, taken straight from the core.
json Expected(const ChartResult& r, const Birth& birth) {
    const ChartRecord& c = r.chart;
    const ResultCaptions& k = r.captions;
    json e;
    e["input"] = json::parse(RecordLineOf(birth));
    e["zone_hours"] = c.ZoneHours;
    e["zone_minutes"] = c.ZoneMinutes;
    e["ayanamsa"] = c.Ayanamsa;
    e["moon_ayanamsa"] = c.MoonAyanamsa;
    e["ascendant"] = c.Ascendant;
    e["ascendant_whole"] = c.AscendantWhole;
    e["asc_text"] = c.AscText;
    e["moon_longitude"] = c.MoonLongitude;
    e["moon_text"] = c.MoonText;
    e["moon_nak_start"] = c.MoonNakStart;
    e["planet_text"] = r.birthPlanetText;
    e["rahu_text"] = r.birthRahuText;
    e["ketu_text"] = r.birthKetuText;
    e["chart_list"] = r.birthChartList;
    e["retrograde"] = {{"Mercury", c.RetroFlags[0]},
                       {"Venus", c.RetroFlags[1]},
                       {"Mars", c.RetroFlags[2]},
                       {"Jupiter", c.RetroFlags[3]},
                       {"Saturn", c.RetroFlags[4]}};
    e["body_name"] = std::vector<std::string>(c.BodyName.begin(), c.BodyName.begin() + 10);
    e["sign_cells"] = k.signCells;
    e["arudha_cells"] = k.lblArudha;
    e["padas"] = r.arudha.Pada;
    e["ul_sign_index"] = r.arudha.ULSignIndex;
    e["ul_house"] = r.arudha.ULHouse;
    e["ul_house_caption"] = k.lblULPresentHouse;
    e["ul_house_reading"] = k.lblHoraDesc;
    e["details"] = {{"name", k.lblName},
                    {"dob", k.lblDOB},
                    {"tob", k.lblTOB},
                    {"latitude", k.lblLatitude},
                    {"longitude", k.lblLongitude},
                    {"city", k.lblCity},
                    {"state", k.lblState},
                    {"country", k.lblCountry}};
    const bool reference = c.ReferenceSunrise.has_value();
    e["sunrise"] = {
        {"today", DateTimeOrNull(c.SunriseToday)},
        {"sunset_today", DateTimeOrNull(c.SunsetToday)},
        {"prev", DateTimeOrNull(c.SunrisePrev)},
        {"sunset_prev", DateTimeOrNull(c.SunsetPrev)},
        {"next", DateTimeOrNull(c.SunriseNext)},
        {"sunset_next", DateTimeOrNull(c.SunsetNext)},
        {"birth_moment", DateTimeOrNull(c.BirthMoment)},
        {"reference", DateTimeOrNull(c.ReferenceSunrise)},
        {"minutes_from_sunrise", reference ? json(c.MinutesFromSunrise) : json(nullptr)},
        {"seconds_from_sunrise", reference ? json(c.SecondsFromSunrise) : json(nullptr)},
        {"sun_longitude", reference ? json(c.SunriseSunLongitude) : json(nullptr)},
        {"sun_text", reference ? json(c.SunriseSunText) : json(nullptr)}};
    e["special"] = {{"ghati", OrNull(r.special.ghati)},
                    {"hora", OrNull(r.special.hora)},
                    {"bhava", OrNull(r.special.bhava)},
                    {"varnada", OrNull(r.special.varnada)},
                    {"sree", OrNull(r.special.sree)},
                    {"sign_count_mark", OrNull(r.special.signCountMark)},
                    {"pranapada", OrNull(r.special.pranapada)}};
    const SignProfileRow& p = SignProfile_Load().at(static_cast<std::size_t>(r.arudha.ULSignIndex));
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

    const ChartOutcome outcome = CalculateChart(FormOf(birth));
    ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome));
    const json expected = Expected(std::get<ChartResult>(outcome), birth);

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
