// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/entry_atlas.h"

#include <charconv>

#include "atlas/zone_check.h"
#include "atlas/zone_rows.h"
#include "pipeline/zones.h"

namespace korvanta {
namespace {

// A box's whole number 0..max, as the entry check reads digits.
std::optional<int> BoxNumber(std::string_view text, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 0 || value > max) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<EntryPlace> EntryPlaceOf(const atlas::Place& place) {
    const std::optional<atlas::EntryCoordinates> at =
        atlas::ToEntryCoordinates(place.latitude, place.longitude);
    if (!at) return std::nullopt;
    return EntryPlaceOf(place, *at);
}

EntryPlace EntryPlaceOf(const atlas::Place& place, const atlas::EntryCoordinates& at) {
    EntryPlace entry;
    entry.city = place.name;
    entry.state = place.state;
    entry.country = place.country;
    entry.lonDeg = std::to_string(at.LonDeg);
    entry.lonMin = std::to_string(at.LonMin);
    entry.east = at.IsEast;
    entry.latDeg = std::to_string(at.LatDeg);
    entry.latMin = std::to_string(at.LatMin);
    entry.south = at.IsSouth;
    return entry;
}

std::optional<atlas::LocalBirthTime> EntryBirthTime(const EntryForm& form) {
    for (const int index :
         {form.cboYear, form.cboMonth, form.cboDate, form.cboHH, form.cboMM, form.cboSS}) {
        if (index < 0) return std::nullopt;
    }
    atlas::LocalBirthTime local;
    local.year = kFirstYear + form.cboYear;
    local.month = form.cboMonth + 1;
    local.day = form.cboDate + 1;
    local.hour = form.cboHH;
    local.minute = form.cboMM;
    local.second = form.cboSS;
    return local;
}

EntryZone EntryZoneFor(std::string_view ianaZone, const EntryForm& form) {
    EntryZone zone;
    const std::optional<atlas::LocalBirthTime> local = EntryBirthTime(form);
    if (!local) {
        zone.note = std::string(ianaZone) + ": choose the date and time of birth";
        return zone;
    }
    const atlas::BirthZoneFinding finding = atlas::FindBirthZone(ianaZone, *local);
    zone.note = finding.note;
    if (finding.first && finding.first->suggestion.zoneRow) {
        const atlas::ZoneSuggestion& suggestion = finding.first->suggestion;
        zone.zoneRow = suggestion.zoneRow;
        zone.dst = suggestion.daylightSaving;
        if (*suggestion.zoneRow == kOtherOffsetRow) {
            zone.utcOffset = UtcOffsetText(suggestion.utcOffsetMinutes);
        }
        return zone;
    }
    // An impossible date is the date's fault, not the zone's.
    if (finding.status == atlas::LocalTimeStatus::InvalidTime) return zone;
    zone.zoneRow = kNoZoneRow;
    zone.dst = false;
    if (finding.first) {
        const std::string nearest = NearestZoneRows(finding.first->state.utcOffsetSeconds);
        if (!nearest.empty()) zone.note += "; nearest rows: " + nearest;
    }
    zone.note += "; please select the zone";
    return zone;
}

std::string NearestZoneRows(int offsetSeconds) {
    std::optional<int> below, above;
    for (int row = 0; row < kZoneCount; ++row) {
        const int offset = *atlas::ZoneRowOffsetSeconds(row);
        if (offset < offsetSeconds && (!below || offset > *below)) below = offset;
        if (offset > offsetSeconds && (!above || offset < *above)) above = offset;
    }
    std::string text;
    for (const std::optional<int>& offset : {below, above}) {
        if (!offset) continue;
        const std::optional<int> row = atlas::ZoneRowForOffset(*offset, "");
        if (!text.empty()) text += " or ";
        text += "\"" + std::string(kZoneTable[static_cast<std::size_t>(*row)].text) + "\" (" +
                atlas::FormatUtcOffset(*offset) + ")";
    }
    return text;
}

std::string ZoneCheckNote(const EntryForm& form, bool longitudeFromAtlas) {
    const std::optional<int> degrees = BoxNumber(form.txtLonD, 179);
    const std::optional<int> minutes = BoxNumber(form.txtLonM, 59);
    if (!degrees || !minutes) return {};
    int offsetMinutes = 0;
    if (form.cmbTimeZone == kOtherOffsetRow) {
        const std::optional<int> offset = ReadUtcOffset(form.txtUtcOffset);
        if (!offset || !UtcOffsetInRange(*offset)) return {};
        offsetMinutes = *offset;
    }
    return atlas::CheckZoneAgainstLongitude(form.cmbTimeZone, *degrees, *minutes, form.optLongEast,
                                            !longitudeFromAtlas, offsetMinutes)
        .note;
}

}  // namespace korvanta
