// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/place_flag.h"

#include "atlas/entry_atlas.h"
#include "pipeline/zones.h"

namespace korvanta {
namespace {

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// The coordinates in the flags' own form: "18N31 73E51".
std::string FlagCoordinates(const atlas::EntryCoordinates& at) {
    return std::to_string(at.LatDeg) + (at.IsSouth ? "S" : "N") + TwoDigits(at.LatMin) + " " +
           std::to_string(at.LonDeg) + (at.IsEast ? "E" : "W") + TwoDigits(at.LonMin);
}

std::string CandidateLine(const atlas::Place& place) {
    std::string line = "  " + atlas::PlaceListText(place);
    if (const auto at = atlas::ToEntryCoordinates(place.latitude, place.longitude)) {
        line += "  " + FlagCoordinates(*at);
    }
    return line + "  " + place.timeZone;
}

std::string_view StatusName(atlas::LocalTimeStatus status) {
    switch (status) {
        case atlas::LocalTimeStatus::Unique:
            return "unique";
        case atlas::LocalTimeStatus::Ambiguous:
            return "ambiguous";
        case atlas::LocalTimeStatus::Nonexistent:
            return "nonexistent";
        case atlas::LocalTimeStatus::UnknownZone:
            return "unknown_zone";
        case atlas::LocalTimeStatus::InvalidTime:
            return "invalid_time";
    }
    return "";
}

Json ReadingJson(const atlas::ZoneReading& reading) {
    Json out = Json::object();
    out["utc_offset_seconds"] = reading.state.utcOffsetSeconds;
    out["daylight_saving"] = reading.state.isDaylightSaving;
    out["abbreviation"] = reading.state.abbreviation;
    out["standard_offset_seconds"] = reading.state.standardOffsetSeconds;
    out["standard_abbreviation"] = reading.state.standardAbbreviation;
    const std::optional<int> row = reading.suggestion.zoneRow;
    out["zone_index"] = row ? Json(*row) : Json(nullptr);
    out["zone_text"] = row ? Json(std::string(ZoneListText(*row))) : Json(nullptr);
    if (row == kOtherOffsetRow) out["utc_offset_minutes"] = reading.suggestion.utcOffsetMinutes;
    out["dst"] = reading.suggestion.daylightSaving;
    out["reason"] =
        reading.suggestion.reason.empty() ? Json(nullptr) : Json(reading.suggestion.reason);
    return out;
}

}  // namespace

std::variant<PlaceFlagResult, FlagError> LookUpPlaceFlag(std::string_view query,
                                                         const DateValue& date,
                                                         const TimeValue& time) {
    constexpr std::size_t kCandidatesShown = 12;
    atlas::PlaceResolution resolution = atlas::ResolvePlace(query, kCandidatesShown);
    if (!resolution.place) {
        if (resolution.candidates.empty()) {
            return FlagError{
                "no place of this name in the atlas; try the city's name alone, or "
                "give --lat, --lon and --zone"};
        }
        std::string reason =
            "several places have this name; add the state or the country "
            "(\"Pune, Maharashtra, India\"). It may be:";
        for (const atlas::Place& place : resolution.candidates) {
            reason += "\n" + CandidateLine(place);
        }
        return FlagError{reason};
    }
    const atlas::LocalBirthTime local{date.year, date.month,  date.day,
                                      time.hour, time.minute, time.second};
    std::optional<atlas::AtlasFinding> finding = atlas::LookUpBirthPlace(*resolution.place, local);
    if (!finding) return FlagError{"the atlas gives this place no usable position"};
    return PlaceFlagResult{std::move(*resolution.place), std::move(*finding)};
}

std::optional<FlagError> ApplyPlace(const PlaceFlagResult& found, const GivenFlags& given,
                                    EntryForm& form) {
    // The same values the entry window's Find Place writes into its boxes.
    const EntryPlace entry = EntryPlaceOf(found.place, found.finding.coordinates);
    if (!given.lat) {
        form.txtLatD = entry.latDeg;
        form.txtLatM = entry.latMin;
        form.optLatSouth = entry.south;
    }
    if (!given.lon) {
        form.txtLonD = entry.lonDeg;
        form.txtLonM = entry.lonMin;
        form.optLongEast = entry.east;
    }
    if (!given.city) form.txtMCity = entry.city;
    if (!given.state) form.txtMState = entry.state;
    if (!given.country) form.txtMCountry = entry.country;

    const atlas::BirthZoneFinding& zone = found.finding.zone;
    if (zone.status == atlas::LocalTimeStatus::InvalidTime) return std::nullopt;
    const atlas::ZoneSuggestion* suggestion = zone.first ? &zone.first->suggestion : nullptr;
    if (!given.zone && !given.offset) {
        if (suggestion == nullptr || !suggestion->zoneRow) {
            return FlagError{zone.note + "; give --zone (see --list-zones)"};
        }
        form.cmbTimeZone = suggestion->zoneRow.value();
        if (form.cmbTimeZone == kOtherOffsetRow) {
            form.txtUtcOffset = UtcOffsetText(suggestion->utcOffsetMinutes);
        }
    }
    if (!given.dst && zone.first) form.chkDST = zone.first->suggestion.daylightSaving;
    return std::nullopt;
}

std::string LocalTimeWarning(const PlaceFlagResult& found) {
    const atlas::LocalTimeStatus status = found.finding.zone.status;
    if (status != atlas::LocalTimeStatus::Ambiguous &&
        status != atlas::LocalTimeStatus::Nonexistent) {
        return "";
    }
    return "note: " + found.finding.zone.note;
}

Json AtlasJson(std::string_view query, const PlaceFlagResult& found, const GivenFlags& given) {
    const atlas::Place& place = found.place;
    Json out = Json::object();
    out["query"] = std::string(query);
    out["place"] = {{"name", place.name},
                    {"state", place.state},
                    {"country", place.country},
                    {"country_code", place.countryCode},
                    {"latitude", place.latitude},
                    {"longitude", place.longitude},
                    {"time_zone", place.timeZone},
                    {"population", place.population ? Json(*place.population) : Json(nullptr)}};
    const atlas::EntryCoordinates& at = found.finding.coordinates;
    out["coordinates"] = {{"lat_deg", at.LatDeg}, {"lat_min", at.LatMin}, {"south", at.IsSouth},
                          {"lon_deg", at.LonDeg}, {"lon_min", at.LonMin}, {"east", at.IsEast}};
    const atlas::BirthZoneFinding& zone = found.finding.zone;
    out["local_time"] = std::string(StatusName(zone.status));
    Json readings = Json::array();
    if (zone.first) readings.push_back(ReadingJson(*zone.first));
    if (zone.second) readings.push_back(ReadingJson(*zone.second));
    out["readings"] = readings;
    out["note"] = zone.note;
    Json fromFlags = Json::array();
    for (const auto& [flag, isGiven] : {std::pair{"--lat", given.lat},
                                        {"--lon", given.lon},
                                        {"--zone", given.zone},
                                        {"--offset", given.offset},
                                        {"--dst", given.dst},
                                        {"--city", given.city},
                                        {"--state", given.state},
                                        {"--country", given.country}}) {
        if (isGiven) fromFlags.push_back(flag);
    }
    out["from_flags"] = fromFlags;
    return out;
}

}  // namespace korvanta
