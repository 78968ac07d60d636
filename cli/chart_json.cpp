// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chart_json.h"

#include <array>
#include <utility>

namespace korvanta {
namespace {

using Keys = std::array<std::string_view, 28>;

void WriteProfileRow(JsonWriter& json, const SignProfileRow& row) {
    static constexpr Keys kKeys = {"vedic_name",
                                   "english_name",
                                   "abbreviation",
                                   "ruling_planet",
                                   "symbol",
                                   "element",
                                   "colour",
                                   "type_of_sign",
                                   "gender",
                                   "best_period",
                                   "fruitfulness",
                                   "caste",
                                   "position",
                                   "constituent_character",
                                   "lucky_days",
                                   "lucky_numbers",
                                   "best_direction",
                                   "lucky_colours",
                                   "lucky_gemstone",
                                   "part_of_body",
                                   "physique",
                                   "looks",
                                   "nature",
                                   "career_and_finance",
                                   "love_and_domestic_life",
                                   "health",
                                   "compatible_with",
                                   "not_compatible_with"};
    const std::array<std::string_view, 28> values = {row.vedicName,
                                                     row.englishName,
                                                     row.abbreviation,
                                                     row.rulingPlanet,
                                                     row.symbol,
                                                     row.element,
                                                     row.colour,
                                                     row.typeOfSign,
                                                     row.gender,
                                                     row.bestPeriod,
                                                     row.fruitfulness,
                                                     row.caste,
                                                     row.position,
                                                     row.constituentCharacter,
                                                     row.luckyDays,
                                                     row.luckyNumbers,
                                                     row.bestDirection,
                                                     row.luckyColours,
                                                     row.luckyGemstone,
                                                     row.partOfBody,
                                                     row.physique,
                                                     row.looks,
                                                     row.nature,
                                                     row.careerAndFinance,
                                                     row.loveAndDomesticLife,
                                                     row.health,
                                                     row.compatibleWith,
                                                     row.notCompatibleWith};
    json.BeginObject();
    for (std::size_t k = 0; k < kKeys.size(); ++k) json.Key(kKeys[k]).String(values[k]);
    json.EndObject();
}

// The profile object of row 0..11 (ProfileRow), null for any other row. The
// profile is most of a line and one of thirteen texts: each is written once.
std::string_view ProfileText(int profileRow) {
    static const std::array<std::string, 13> kTexts = [] {
        std::array<std::string, 13> texts;
        for (int row = 0; row <= 12; ++row) {
            JsonWriter json(texts[static_cast<std::size_t>(row)]);
            if (const SignProfileRow* fields = ProfileRow(row < 12 ? row : -1)) {
                WriteProfileRow(json, *fields);
            } else {
                json.Null();
            }
        }
        return texts;
    }();
    return kTexts[profileRow >= 0 && profileRow <= 11 ? static_cast<std::size_t>(profileRow) : 12];
}

void WriteDateTime(JsonWriter& json, const std::optional<double>& dateTime) {
    if (dateTime) {
        json.String(DateTimeChars(*dateTime).View());
    } else {
        json.Null();
    }
}

void WriteRetrograde(JsonWriter& json, const Chart& chart) {
    static constexpr std::array<std::pair<std::string_view, Body>, 5> kPlanets = {{
        {"Mercury", Body::Mercury},
        {"Venus", Body::Venus},
        {"Mars", Body::Mars},
        {"Jupiter", Body::Jupiter},
        {"Saturn", Body::Saturn},
    }};
    json.BeginObject();
    for (const auto& [name, body] : kPlanets) json.Key(name).Bool(chart.IsRetrograde(body));
    json.EndObject();
}

void WriteDetails(JsonWriter& json, const ChartReport& report) {
    const BirthDetails& details = report.details;
    json.BeginObject();
    json.Key("name").String(report.name);
    json.Key("dob").String(details.dateOfBirth.text);
    json.Key("tob").String(details.timeOfBirth.text);
    json.Key("latitude").String(details.latitude.text);
    json.Key("longitude").String(details.longitude.text);
    json.Key("city").String(details.city.text);
    json.Key("state").String(details.state.text);
    json.Key("country").String(details.country.text);
    json.EndObject();
}

// One column of a chart cell as the JSON has always carried it: each line
// opened by CR LF, so the first line stays free for the sign's name.
template <std::size_t Capacity>
void WriteColumn(JsonWriter& json, const TextList<Capacity>& lines) {
    json.BeginString();
    for (const std::string_view line : lines) {
        json.StringPart("\r\n");
        json.StringPart(line);
    }
    json.EndString();
}

void WriteSunrise(JsonWriter& json, const SunriseReference& sunrise, const ChartReport& report) {
    json.BeginObject();
    WriteDateTime(json.Key("today"), sunrise.today);
    WriteDateTime(json.Key("sunset_today"), sunrise.sunsetToday);
    WriteDateTime(json.Key("prev"), sunrise.prev);
    WriteDateTime(json.Key("sunset_prev"), sunrise.sunsetPrev);
    WriteDateTime(json.Key("next"), sunrise.next);
    WriteDateTime(json.Key("sunset_next"), sunrise.sunsetNext);
    WriteDateTime(json.Key("birth_moment"), sunrise.birthMoment);
    WriteDateTime(json.Key("reference"), sunrise.reference);
    // The elapsed time and the Sun at sunrise mean nothing without a sunrise.
    if (sunrise.reference) {
        json.Key("minutes_from_sunrise").Int(sunrise.minutesFromSunrise);
        json.Key("seconds_from_sunrise").Int(sunrise.secondsFromSunrise);
        json.Key("sun_longitude").Double(sunrise.sunLongitude);
        json.Key("sun_text").String(report.sunAtSunrise);
    } else {
        for (const std::string_view key :
             {"minutes_from_sunrise", "seconds_from_sunrise", "sun_longitude", "sun_text"}) {
            json.Key(key).Null();
        }
    }
    json.EndObject();
}

void WriteSpecial(JsonWriter& json, const SpecialPoints& special) {
    json.BeginObject();
    json.Key("ghati").Optional(special.ghati);
    json.Key("hora").Optional(special.hora);
    json.Key("bhava").Optional(special.bhava);
    json.Key("varnada").Optional(special.varnada);
    json.Key("sree").Optional(special.sree);
    json.Key("sign_count_mark").Optional(special.signCountMark);
    json.Key("pranapada").Optional(special.pranapada);
    json.EndObject();
}

}  // namespace

void WriteChartKeys(JsonWriter& json, const Chart& chart, const ChartReport& report,
                    std::string_view inputJson) {
    const auto text = [&report](Body body) -> const std::string& {
        return report.longPositions[Index(body)];
    };
    json.Key("input").Raw(inputJson);
    json.Key("zone_hours").Int(chart.zoneHours);
    json.Key("zone_minutes").Int(chart.zoneMinutes);
    json.Key("ayanamsa").Double(chart.ayanamsa);
    json.Key("moon_ayanamsa").Double(chart.moonAyanamsa);
    json.Key("ascendant").Double(chart.Longitude(Body::Asc));
    json.Key("ascendant_whole").Int(static_cast<int>(chart.ascendantWhole));
    json.Key("asc_text").String(text(Body::Asc));
    json.Key("moon_longitude").Double(chart.Longitude(Body::Moon));
    json.Key("moon_text").String(text(Body::Moon));
    json.Key("moon_nak_start").Double(chart.moonNakStart);
    // The planets in the order of their element table.
    constexpr std::array<Body, 6> kPlanetOrder = {Body::Mercury, Body::Venus,   Body::Sun,
                                                  Body::Mars,    Body::Jupiter, Body::Saturn};
    json.Key("planet_text").BeginArray();
    for (const Body body : kPlanetOrder) json.String(text(body));
    json.EndArray();
    json.Key("rahu_text").String(text(Body::Rahu));
    json.Key("ketu_text").String(text(Body::Ketu));
    json.Key("chart_list").BeginArray();
    for (const LabelledText& position : report.positions) json.String(position.text);
    json.EndArray();
    WriteRetrograde(json.Key("retrograde"), chart);
    json.Key("body_name").BeginArray();
    for (const std::string_view name : report.bodyNames) json.String(name);
    json.EndArray();
    json.Key("sign_cells").BeginArray();
    for (const ChartCell& cell : report.cells) WriteColumn(json, cell.bodies);
    json.EndArray();
    json.Key("arudha_cells").BeginArray();
    for (const ChartCell& cell : report.cells) WriteColumn(json, cell.marks);
    json.EndArray();
    json.Key("padas").BeginArray();
    for (const int sign : chart.padas.pada) json.Int(sign);
    json.EndArray();
    json.Key("ul_sign_index").Int(chart.padas.ulSign);
    json.Key("ul_house").Int(chart.padas.ulHouse);
    json.Key("ul_house_caption").String(report.ulHouse);
    json.Key("ul_house_reading").String(report.ulReading);
    WriteDetails(json.Key("details"), report);
    WriteSunrise(json.Key("sunrise"), chart.sunrise, report);
    WriteSpecial(json.Key("special"), chart.special);
    json.Key("profile").Raw(ProfileText(report.profileRow));
}

void AppendChartLine(const Chart& chart, const ChartReport& report, std::string_view inputJson,
                     std::string& line) {
    JsonWriter json(line);
    json.BeginObject();
    WriteChartKeys(json, chart, report, inputJson);
    json.EndObject();
}

Json ChartJson(const Chart& chart, const ChartReport& report, const Json& input) {
    std::string text;
    AppendChartLine(chart, report, input.dump(-1, ' ', false, Json::error_handler_t::replace),
                    text);
    return Json::parse(text);
}

}  // namespace korvanta
