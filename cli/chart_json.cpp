#include "cli/chart_json.h"

#include <cstdio>

#include "astro/calendar.h"
#include "reading/sign_profile.h"

namespace korvanta {
namespace {

template <typename T>
Json OrNull(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json DateTimeOrNull(const std::optional<double>& value) {
    return value ? Json(DateTimeText(*value)) : Json(nullptr);
}

template <typename Container>
Json Array(const Container& items) {
    Json array = Json::array();
    for (const auto& item : items) array.push_back(item);
    return array;
}

Json Retrograde(const ChartRecord& chart) {
    // RetroFlags runs over the five planets in body-slot order.
    static constexpr std::array<std::string_view, 5> kPlanets = {"Mercury", "Venus", "Mars",
                                                                 "Jupiter", "Saturn"};
    Json flags = Json::object();
    for (std::size_t i = 0; i < kPlanets.size(); ++i) flags[kPlanets[i]] = chart.RetroFlags[i];
    return flags;
}

Json Details(const ResultCaptions& captions) {
    return Json{{"name", captions.lblName},
                {"dob", captions.lblDOB},
                {"tob", captions.lblTOB},
                {"latitude", captions.lblLatitude},
                {"longitude", captions.lblLongitude},
                {"city", captions.lblCity},
                {"state", captions.lblState},
                {"country", captions.lblCountry}};
}

Json Sunrise(const ChartRecord& chart) {
    const bool hasReference = chart.ReferenceSunrise.has_value();
    Json sunrise = Json::object();
    sunrise["today"] = DateTimeOrNull(chart.SunriseToday);
    sunrise["sunset_today"] = DateTimeOrNull(chart.SunsetToday);
    sunrise["prev"] = DateTimeOrNull(chart.SunrisePrev);
    sunrise["sunset_prev"] = DateTimeOrNull(chart.SunsetPrev);
    sunrise["next"] = DateTimeOrNull(chart.SunriseNext);
    sunrise["sunset_next"] = DateTimeOrNull(chart.SunsetNext);
    sunrise["birth_moment"] = DateTimeText(chart.BirthMoment);
    sunrise["reference"] = DateTimeOrNull(chart.ReferenceSunrise);
    sunrise["minutes_from_sunrise"] = hasReference ? Json(chart.MinutesFromSunrise) : Json(nullptr);
    sunrise["seconds_from_sunrise"] = hasReference ? Json(chart.SecondsFromSunrise) : Json(nullptr);
    sunrise["sun_longitude"] = hasReference ? Json(chart.SunriseSunLongitude) : Json(nullptr);
    sunrise["sun_text"] = hasReference ? Json(chart.SunriseSunText) : Json(nullptr);
    return sunrise;
}

Json Special(const SpecialPoints& special) {
    Json points = Json::object();
    points["ghati"] = OrNull(special.ghati);
    points["hora"] = OrNull(special.hora);
    points["bhava"] = OrNull(special.bhava);
    points["varnada"] = OrNull(special.varnada);
    points["sree"] = OrNull(special.sree);
    points["sign_count_mark"] = OrNull(special.signCountMark);
    points["pranapada"] = OrNull(special.pranapada);
    return points;
}

Json Profile(int signIndex) {
    if (signIndex < 0 || signIndex > 11) return nullptr;
    const SignProfileRow& row = SignProfile_Load()[static_cast<std::size_t>(signIndex)];
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

}  // namespace

std::string DateTimeText(double dateTime) {
    const CivilDateTime t = SplitDateTime(dateTime);
    char text[32];
    if (t.second != 0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                      t.minute);
    }
    return text;
}

Json ChartJson(const ChartResult& result, const Json& input) {
    const ChartRecord& chart = result.chart;
    const ResultCaptions& captions = result.captions;
    Json out = Json::object();
    out["input"] = input;
    out["zone_hours"] = chart.ZoneHours;
    out["zone_minutes"] = chart.ZoneMinutes;
    out["ayanamsa"] = chart.Ayanamsa;
    out["moon_ayanamsa"] = chart.MoonAyanamsa;
    out["ascendant"] = chart.Ascendant;
    out["ascendant_whole"] = static_cast<int>(chart.AscendantWhole);
    out["asc_text"] = chart.AscText;
    out["moon_longitude"] = chart.MoonLongitude;
    out["moon_text"] = chart.MoonText;
    out["moon_nak_start"] = chart.MoonNakStart;
    out["planet_text"] = Array(result.birthPlanetText);
    out["rahu_text"] = result.birthRahuText;
    out["ketu_text"] = result.birthKetuText;
    out["chart_list"] = Array(result.birthChartList);
    out["retrograde"] = Retrograde(chart);
    Json bodyNames = Json::array();
    for (int slot = kSun; slot <= kAsc; ++slot) bodyNames.push_back(chart.BodyName[slot]);
    out["body_name"] = std::move(bodyNames);
    out["sign_cells"] = Array(captions.signCells);
    out["arudha_cells"] = Array(captions.lblArudha);
    out["padas"] = Array(result.arudha.Pada);
    out["ul_sign_index"] = result.arudha.ULSignIndex;
    out["ul_house"] = result.arudha.ULHouse;
    out["ul_house_caption"] = captions.lblULPresentHouse;
    out["ul_house_reading"] = captions.lblHoraDesc;
    out["details"] = Details(captions);
    out["sunrise"] = Sunrise(chart);
    out["special"] = Special(result.special);
    out["profile"] = Profile(result.arudha.ULSignIndex);
    return out;
}

}  // namespace korvanta
