// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/birth_zone.h"

#include <cmath>

#include "atlas/zone_rows.h"
#include "pipeline/zones.h"

namespace korvanta::atlas {
namespace {

constexpr int kOneHour = 3600;

std::string NoRowReason(int offsetSeconds) {
    return "no zone in the list is " + FormatUtcOffset(offsetSeconds);
}

// "UTC-4, daylight saving in force (standard time UTC-5)".
std::string DescribeClock(const ZoneState& state) {
    std::string text = FormatUtcOffset(state.utcOffsetSeconds);
    if (!state.isDaylightSaving) return text + ", no daylight saving on this date";
    const std::string standard = FormatUtcOffset(state.standardOffsetSeconds);
    // Ireland's winter and Morocco's Ramadan are marked as daylight saving
    // behind standard time.
    if (state.utcOffsetSeconds < state.standardOffsetSeconds) {
        return text + ", set back from standard time " + standard;
    }
    return text + ", daylight saving in force (standard time " + standard + ")";
}

// Seconds east of UT to the nearest minute, halves away from zero.
int NearestMinute(int offsetSeconds) {
    return static_cast<int>(std::lround(offsetSeconds / 60.0));
}

// What the note adds after the clock for one reading's suggestion.
std::string DescribeSuggestion(const ZoneReading& reading) {
    const ZoneSuggestion& suggestion = reading.suggestion;
    if (!suggestion.zoneRow) return "; " + suggestion.reason;
    const ZoneState& state = reading.state;
    if (*suggestion.zoneRow == kOtherOffsetRow) {
        const int wanted =
            suggestion.daylightSaving ? state.standardOffsetSeconds : state.utcOffsetSeconds;
        std::string text = "; " + suggestion.reason + ", so the zone is \"" +
                           std::string(kOtherOffsetText) + "\" " +
                           UtcOffsetText(suggestion.utcOffsetMinutes);
        if (wanted % 60 != 0) text += " (to the nearest minute)";
        if (suggestion.daylightSaving) {
            text += " with the box ticked for daylight saving";
        } else if (state.isDaylightSaving) {
            text += " for the whole offset, daylight saving included, and the box stays clear";
        }
        return text;
    }
    if (state.isDaylightSaving && !reading.suggestion.daylightSaving) {
        const bool oneHour = state.utcOffsetSeconds - state.standardOffsetSeconds == kOneHour;
        return std::string("; ") +
               (oneHour ? "no zone in the list is the standard time"
                        : "the box stands for one hour ahead") +
               ", so the zone carries the whole offset and the box stays clear";
    }
    return {};
}

std::string Note(const BirthZoneFinding& finding) {
    const std::string zone = finding.zoneName + ": ";
    switch (finding.status) {
        case LocalTimeStatus::UnknownZone:
            return "Unknown time zone \"" + finding.zoneName + "\"";
        case LocalTimeStatus::InvalidTime:
            return zone + "no such date or time";
        case LocalTimeStatus::Unique:
            return zone + DescribeClock(finding.first->state) + DescribeSuggestion(*finding.first);
        case LocalTimeStatus::Ambiguous:
            return zone + "this time occurred twice on this date, first at " +
                   FormatUtcOffset(finding.first->state.utcOffsetSeconds) + ", then at " +
                   FormatUtcOffset(finding.second->state.utcOffsetSeconds) +
                   "; the first is suggested" + DescribeSuggestion(*finding.first);
        case LocalTimeStatus::Nonexistent:
            return zone + "this time did not exist on this date, the clocks went from " +
                   FormatUtcOffset(finding.first->state.utcOffsetSeconds) + " to " +
                   FormatUtcOffset(finding.second->state.utcOffsetSeconds) +
                   "; read as before the change" + DescribeSuggestion(*finding.first);
    }
    return {};
}

ZoneReading ReadingOf(const ZoneState& state) {
    return {state, SuggestZoneRow(state)};
}

}  // namespace

ZoneSuggestion SuggestZoneRow(const ZoneState& state) {
    ZoneSuggestion suggestion;
    const int shift = state.utcOffsetSeconds - state.standardOffsetSeconds;
    if (state.isDaylightSaving && shift == kOneHour) {
        suggestion.zoneRow =
            ZoneRowForOffset(state.standardOffsetSeconds, state.standardAbbreviation);
        if (suggestion.zoneRow) {
            suggestion.daylightSaving = true;
            return suggestion;
        }
    }
    suggestion.zoneRow = ZoneRowForOffset(state.utcOffsetSeconds, state.abbreviation);
    if (!suggestion.zoneRow) {
        const bool standardWanted = state.isDaylightSaving && shift == kOneHour;
        const int wanted = standardWanted ? state.standardOffsetSeconds : state.utcOffsetSeconds;
        suggestion.reason = NoRowReason(wanted);
        const int minutes = NearestMinute(wanted);
        if (UtcOffsetInRange(minutes)) {
            suggestion.zoneRow = kOtherOffsetRow;
            suggestion.utcOffsetMinutes = minutes;
            suggestion.daylightSaving = standardWanted;
        }
    }
    return suggestion;
}

BirthZoneFinding FindBirthZone(std::string_view ianaZone, const LocalBirthTime& local) {
    BirthZoneFinding finding;
    finding.zoneName = std::string(ianaZone);
    const LocalTimeLookup lookup = LookUpLocalTime(ianaZone, local);
    finding.status = lookup.status;
    if (lookup.first) finding.first = ReadingOf(*lookup.first);
    if (lookup.second) finding.second = ReadingOf(*lookup.second);
    finding.note = Note(finding);
    return finding;
}

}  // namespace korvanta::atlas
