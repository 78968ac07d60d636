#include "cli/chart_json.h"

#include <cstdio>

#include "astro/calendar.h"
#include "reading/sign_profile.h"

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

// "YYYY-MM-DD HH:MM[:SS]" into `text`, which holds at least 32 characters.
std::string_view FormatDateTime(double dateTime, char* text, std::size_t size) {
    const CivilDateTime t = SplitDateTime(dateTime);
    const int length = t.second != 0
                           ? std::snprintf(text, size, "%04d-%02d-%02d %02d:%02d:%02d", t.year,
                                           t.month, t.day, t.hour, t.minute, t.second)
                           : std::snprintf(text, size, "%04d-%02d-%02d %02d:%02d", t.year, t.month,
                                           t.day, t.hour, t.minute);
    return {text, static_cast<std::size_t>(length)};
}

void SetDateTime(Json& slot, const std::optional<double>& dateTime) {
    char text[48];
    if (dateTime) {
        SetText(slot, FormatDateTime(*dateTime, text, sizeof text));
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

void SetRetrograde(Json& slot, const ChartRecord& chart) {
    // RetroFlags runs over the five planets in body-slot order.
    static constexpr std::array<std::string_view, 5> kPlanets = {"Mercury", "Venus", "Mars",
                                                                 "Jupiter", "Saturn"};
    for (std::size_t i = 0; i < kPlanets.size(); ++i) slot[kPlanets[i]] = chart.RetroFlags[i];
}

void SetDetails(Json& slot, const ResultCaptions& captions) {
    SetText(slot["name"], captions.lblName);
    SetText(slot["dob"], captions.lblDOB);
    SetText(slot["tob"], captions.lblTOB);
    SetText(slot["latitude"], captions.lblLatitude);
    SetText(slot["longitude"], captions.lblLongitude);
    SetText(slot["city"], captions.lblCity);
    SetText(slot["state"], captions.lblState);
    SetText(slot["country"], captions.lblCountry);
}

void SetSunrise(Json& slot, const ChartRecord& chart) {
    SetDateTime(slot["today"], chart.SunriseToday);
    SetDateTime(slot["sunset_today"], chart.SunsetToday);
    SetDateTime(slot["prev"], chart.SunrisePrev);
    SetDateTime(slot["sunset_prev"], chart.SunsetPrev);
    SetDateTime(slot["next"], chart.SunriseNext);
    SetDateTime(slot["sunset_next"], chart.SunsetNext);
    SetDateTime(slot["birth_moment"], chart.BirthMoment);
    SetDateTime(slot["reference"], chart.ReferenceSunrise);
    // The elapsed time and the Sun at sunrise mean nothing without a sunrise.
    if (chart.ReferenceSunrise) {
        SetNumber(slot["minutes_from_sunrise"], chart.MinutesFromSunrise);
        SetNumber(slot["seconds_from_sunrise"], chart.SecondsFromSunrise);
        SetNumber(slot["sun_longitude"], chart.SunriseSunLongitude);
        SetText(slot["sun_text"], chart.SunriseSunText);
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
void FillChart(const ChartResult& result, Json& out) {
    const ChartRecord& chart = result.chart;
    const ResultCaptions& captions = result.captions;
    SetNumber(out["zone_hours"], chart.ZoneHours);
    SetNumber(out["zone_minutes"], chart.ZoneMinutes);
    SetNumber(out["ayanamsa"], chart.Ayanamsa);
    SetNumber(out["moon_ayanamsa"], chart.MoonAyanamsa);
    SetNumber(out["ascendant"], chart.Ascendant);
    SetNumber(out["ascendant_whole"], static_cast<int>(chart.AscendantWhole));
    SetText(out["asc_text"], chart.AscText);
    SetNumber(out["moon_longitude"], chart.MoonLongitude);
    SetText(out["moon_text"], chart.MoonText);
    SetNumber(out["moon_nak_start"], chart.MoonNakStart);
    SetTextArray(out["planet_text"], result.birthPlanetText);
    SetText(out["rahu_text"], result.birthRahuText);
    SetText(out["ketu_text"], result.birthKetuText);
    SetTextArray(out["chart_list"], result.birthChartList);
    SetRetrograde(out["retrograde"], chart);
    // BodyName has an eleventh slot that no body uses.
    Json& bodyNames = SizedArray(out["body_name"], kAsc + 1);
    for (int slot = kSun; slot <= kAsc; ++slot) SetText(bodyNames[slot], chart.BodyName[slot]);
    SetTextArray(out["sign_cells"], captions.signCells);
    SetTextArray(out["arudha_cells"], captions.lblArudha);
    Json& padas = SizedArray(out["padas"], result.arudha.Pada.size());
    for (std::size_t house = 0; house < result.arudha.Pada.size(); ++house) {
        padas[house] = result.arudha.Pada[house];
    }
    SetNumber(out["ul_sign_index"], result.arudha.ULSignIndex);
    SetNumber(out["ul_house"], result.arudha.ULHouse);
    SetText(out["ul_house_caption"], captions.lblULPresentHouse);
    SetText(out["ul_house_reading"], captions.lblHoraDesc);
    SetDetails(out["details"], captions);
    SetSunrise(out["sunrise"], chart);
    SetSpecial(out["special"], result.special);
}

std::string Dump(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::string DateTimeText(double dateTime) {
    char text[48];
    return std::string(FormatDateTime(dateTime, text, sizeof text));
}

Json ProfileJson(int signIndex) {
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

Json ChartJson(const ChartResult& result, const Json& input) {
    Json out = Json::object();
    out["input"] = input;
    FillChart(result, out);
    out["profile"] = ProfileJson(result.arudha.ULSignIndex);
    return out;
}

void ChartLineWriter::Append(const ChartResult& result, std::string_view inputText,
                             std::string& line) {
    // The profile is most of the line and one of thirteen texts: each is
    // serialised once. The input is a JSON object already. Both are spliced
    // around the serialised rest: {"input":…, rest…, "profile":…}.
    static const std::array<std::string, 13> kProfileText = [] {
        std::array<std::string, 13> texts;
        for (int sign = 0; sign <= 12; ++sign)
            texts[sign] = Dump(ProfileJson(sign < 12 ? sign : -1));
        return texts;
    }();
    FillChart(result, document_);
    Dump(document_).swap(rest_);
    line += "{\"input\":";
    line += inputText;
    line += ',';
    line.append(rest_, 1, rest_.size() - 2);
    line += ",\"profile\":";
    const int sign = result.arudha.ULSignIndex;
    line += kProfileText[sign >= 0 && sign <= 11 ? sign : 12];
    line += '}';
}

}  // namespace korvanta
