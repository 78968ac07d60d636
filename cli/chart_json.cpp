// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chart_json.h"

#include <array>
#include <utility>

namespace korvanta {
namespace {

// The setters below write into an existing value where they can, so that a
// document filled once and then refilled for every chart keeps its keys and
// the storage of its strings. Filling an empty document creates the keys in
// the order of the calls.

void SetText(Json& slot, std::string_view text) {
    if (slot.is_string()) {
        slot.get_ref<std::string&>().assign(text);
    } else {
        slot = std::string(text);
    }
}

template <typename Number>
void SetNumber(Json& slot, Number value) {
    slot = value;
}

template <typename Number>
void SetOptionalNumber(Json& slot, const std::optional<Number>& value) {
    if (value) {
        slot = *value;
    } else {
        slot = nullptr;
    }
}

void SetDateTime(Json& slot, const std::optional<double>& dateTime) {
    if (dateTime) {
        SetText(slot, DateTimeText(*dateTime));
    } else {
        slot = nullptr;
    }
}

// Makes `slot` an array of `size` elements, keeping the elements it has.
Json& SizedArray(Json& slot, std::size_t size) {
    if (!slot.is_array() || slot.size() != size) slot = Json(size, Json());
    return slot;
}

template <typename Container>
void SetTextArray(Json& slot, const Container& texts) {
    Json& array = SizedArray(slot, texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) SetText(array[i], texts[i]);
}

void SetRetrograde(Json& slot, const Chart& chart) {
    static constexpr std::array<std::pair<std::string_view, Body>, 5> kPlanets = {{
        {"Mercury", Body::Mercury},
        {"Venus", Body::Venus},
        {"Mars", Body::Mars},
        {"Jupiter", Body::Jupiter},
        {"Saturn", Body::Saturn},
    }};
    for (const auto& [name, body] : kPlanets) slot[name] = chart.IsRetrograde(body);
}

void SetDetails(Json& slot, const ChartReport& report) {
    const BirthDetails& details = report.details;
    SetText(slot["name"], report.name);
    SetText(slot["dob"], details.dateOfBirth.text);
    SetText(slot["tob"], details.timeOfBirth.text);
    SetText(slot["latitude"], details.latitude.text);
    SetText(slot["longitude"], details.longitude.text);
    SetText(slot["city"], details.city.text);
    SetText(slot["state"], details.state.text);
    SetText(slot["country"], details.country.text);
}

// One column of a chart cell as the JSON has always carried it: each line
// opened by CR LF, so the first line stays free for the sign's name.
template <std::size_t Capacity>
void SetColumn(Json& slot, const TextList<Capacity>& lines) {
    std::string caption;
    for (const std::string_view line : lines) caption.append("\r\n").append(line);
    SetText(slot, caption);
}

void SetSunrise(Json& slot, const SunriseReference& sunrise, const ChartReport& report) {
    SetDateTime(slot["today"], sunrise.today);
    SetDateTime(slot["sunset_today"], sunrise.sunsetToday);
    SetDateTime(slot["prev"], sunrise.prev);
    SetDateTime(slot["sunset_prev"], sunrise.sunsetPrev);
    SetDateTime(slot["next"], sunrise.next);
    SetDateTime(slot["sunset_next"], sunrise.sunsetNext);
    SetDateTime(slot["birth_moment"], sunrise.birthMoment);
    SetDateTime(slot["reference"], sunrise.reference);
    // The elapsed time and the Sun at sunrise mean nothing without a sunrise.
    if (sunrise.reference) {
        SetNumber(slot["minutes_from_sunrise"], sunrise.minutesFromSunrise);
        SetNumber(slot["seconds_from_sunrise"], sunrise.secondsFromSunrise);
        SetNumber(slot["sun_longitude"], sunrise.sunLongitude);
        SetText(slot["sun_text"], report.sunAtSunrise);
    } else {
        for (const char* key :
             {"minutes_from_sunrise", "seconds_from_sunrise", "sun_longitude", "sun_text"}) {
            slot[key] = nullptr;
        }
    }
}

void SetSpecial(Json& slot, const SpecialPoints& special) {
    SetOptionalNumber(slot["ghati"], special.ghati);
    SetOptionalNumber(slot["hora"], special.hora);
    SetOptionalNumber(slot["bhava"], special.bhava);
    SetOptionalNumber(slot["varnada"], special.varnada);
    SetOptionalNumber(slot["sree"], special.sree);
    SetOptionalNumber(slot["sign_count_mark"], special.signCountMark);
    SetOptionalNumber(slot["pranapada"], special.pranapada);
}

// Every key after "input" and before "profile".
void FillChart(const Chart& chart, const ChartReport& report, Json& out) {
    const auto text = [&report](Body body) -> const std::string& {
        return report.longPositions[Index(body)];
    };
    SetNumber(out["zone_hours"], chart.zoneHours);
    SetNumber(out["zone_minutes"], chart.zoneMinutes);
    SetNumber(out["ayanamsa"], chart.ayanamsa);
    SetNumber(out["moon_ayanamsa"], chart.moonAyanamsa);
    SetNumber(out["ascendant"], chart.Longitude(Body::Asc));
    SetNumber(out["ascendant_whole"], static_cast<int>(chart.ascendantWhole));
    SetText(out["asc_text"], text(Body::Asc));
    SetNumber(out["moon_longitude"], chart.Longitude(Body::Moon));
    SetText(out["moon_text"], text(Body::Moon));
    SetNumber(out["moon_nak_start"], chart.moonNakStart);
    // The planets in the order of their element table.
    Json& planetText = SizedArray(out["planet_text"], 6);
    constexpr std::array<Body, 6> kPlanetOrder = {Body::Mercury, Body::Venus,   Body::Sun,
                                                  Body::Mars,    Body::Jupiter, Body::Saturn};
    for (std::size_t k = 0; k < kPlanetOrder.size(); ++k)
        SetText(planetText[k], text(kPlanetOrder[k]));
    SetText(out["rahu_text"], text(Body::Rahu));
    SetText(out["ketu_text"], text(Body::Ketu));
    Json& chartList = SizedArray(out["chart_list"], kBodyCount);
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        SetText(chartList[body], report.positions[body].text);
    }
    SetRetrograde(out["retrograde"], chart);
    SetTextArray(out["body_name"], report.bodyNames);
    Json& signCells = SizedArray(out["sign_cells"], 12);
    Json& arudhaCells = SizedArray(out["arudha_cells"], 12);
    for (std::size_t sign = 0; sign < 12; ++sign) {
        SetColumn(signCells[sign], report.cells[sign].bodies);
        SetColumn(arudhaCells[sign], report.cells[sign].marks);
    }
    Json& padas = SizedArray(out["padas"], chart.padas.pada.size());
    for (std::size_t house = 0; house < chart.padas.pada.size(); ++house) {
        padas[house] = chart.padas.pada[house];
    }
    SetNumber(out["ul_sign_index"], chart.padas.ulSign);
    SetNumber(out["ul_house"], chart.padas.ulHouse);
    SetText(out["ul_house_caption"], report.ulHouse);
    SetText(out["ul_house_reading"], report.ulReading);
    SetDetails(out["details"], report);
    SetSunrise(out["sunrise"], chart.sunrise, report);
    SetSpecial(out["special"], chart.special);
}

std::string Dump(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

Json ProfileJson(int profileRow) {
    const SignProfileRow* fields = ProfileRow(profileRow);
    if (fields == nullptr) return nullptr;
    const SignProfileRow& row = *fields;
    Json profile = Json::object();
    profile["vedic_name"] = row.vedicName;
    profile["english_name"] = row.englishName;
    profile["abbreviation"] = row.abbreviation;
    profile["ruling_planet"] = row.rulingPlanet;
    profile["symbol"] = row.symbol;
    profile["element"] = row.element;
    profile["colour"] = row.colour;
    profile["type_of_sign"] = row.typeOfSign;
    profile["gender"] = row.gender;
    profile["best_period"] = row.bestPeriod;
    profile["fruitfulness"] = row.fruitfulness;
    profile["caste"] = row.caste;
    profile["position"] = row.position;
    profile["constituent_character"] = row.constituentCharacter;
    profile["lucky_days"] = row.luckyDays;
    profile["lucky_numbers"] = row.luckyNumbers;
    profile["best_direction"] = row.bestDirection;
    profile["lucky_colours"] = row.luckyColours;
    profile["lucky_gemstone"] = row.luckyGemstone;
    profile["part_of_body"] = row.partOfBody;
    profile["physique"] = row.physique;
    profile["looks"] = row.looks;
    profile["nature"] = row.nature;
    profile["career_and_finance"] = row.careerAndFinance;
    profile["love_and_domestic_life"] = row.loveAndDomesticLife;
    profile["health"] = row.health;
    profile["compatible_with"] = row.compatibleWith;
    profile["not_compatible_with"] = row.notCompatibleWith;
    return profile;
}

Json ChartJson(const Chart& chart, const ChartReport& report, const Json& input) {
    Json out = Json::object();
    out["input"] = input;
    FillChart(chart, report, out);
    out["profile"] = ProfileJson(report.profileRow);
    return out;
}

void ChartLineWriter::Append(const Chart& chart, const ChartReport& report,
                             std::string_view inputText, std::string& line) {
    // The profile is most of the line and one of thirteen texts: each is
    // serialised once. The input is a JSON object already. Both are spliced
    // around the serialised rest: {"input":…, rest…, "profile":…}.
    static const std::array<std::string, 13> kProfileText = [] {
        std::array<std::string, 13> texts;
        for (int sign = 0; sign <= 12; ++sign)
            texts[sign] = Dump(ProfileJson(sign < 12 ? sign : -1));
        return texts;
    }();
    FillChart(chart, report, document_);
    Dump(document_).swap(rest_);
    line += "{\"input\":";
    line += inputText;
    line += ',';
    line.append(rest_, 1, rest_.size() - 2);
    line += ",\"profile\":";
    const int row = report.profileRow;
    line += kProfileText[row >= 0 && row <= 11 ? row : 12];
    line += '}';
}

}  // namespace korvanta
