// SPDX-License-Identifier: GPL-3.0-or-later
// What the entry window's zone list and daylight-saving box should show for a
// birth moment, with a one-line note on how it was found.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "atlas/zone_history.h"

namespace korvanta::atlas {

// The zone row and box for one reading of the birth time.
struct ZoneSuggestion {
    // 0-based index into the zone list, kOtherOffsetRow when no named row
    // fits; empty only when not even that can hold the offset (beyond
    // -12:00..+14:00)
    std::optional<int> zoneRow;
    int utcOffsetMinutes = 0;     // for kOtherOffsetRow: its offset, local minus UT
    bool daylightSaving = false;  // tick "Daylight Saving Time"
    std::string reason;           // why no named row fits ("no zone in the list is UTC+5:45")
};

// Chooses the row and the box so that together they give the clock's offset
// (the box stands for exactly one hour ahead of the row).
// With no daylight saving: the row of the offset, box clear. With daylight
// saving one hour ahead of standard time: the row of the standard time, box
// ticked. With any other daylight saving (Britain's double summer time, Irish
// winter time, Lord Howe's half hour), or when standard time has no row: the
// row of the whole offset, box clear. Rows are chosen by ZoneRowForOffset with
// the matching abbreviation ("EST" for the standard row, "BDST" for the whole
// offset). When no named row has the offset (Nepal's +5:45, a local mean
// time such as +5:21:10), "Other UTC offset" takes it to the nearest minute:
// the standard time with the box ticked for daylight saving one hour ahead,
// else the whole offset with the box clear.
ZoneSuggestion SuggestZoneRow(const ZoneState& state);

struct ZoneReading {
    ZoneState state;
    ZoneSuggestion suggestion;
};

struct BirthZoneFinding {
    LocalTimeStatus status = LocalTimeStatus::UnknownZone;
    std::string zoneName;               // as asked for: "Asia/Kolkata"
    std::optional<ZoneReading> first;   // the reading to use (see LocalTimeLookup)
    std::optional<ZoneReading> second;  // the other reading of an ambiguous or skipped time
    std::string note;                   // one line for the window
};

// The clock of zone `ianaZone` at local time `local`, the suggested row and
// box, and the note ("Asia/Kolkata: UTC+5:30, no daylight saving on this
// date"). For a time that occurred twice `first` is the earlier (daylight
// saving) reading; for a time the clock skipped, `first` is the clock before
// the change, as if it had not yet been moved. Never throws.
BirthZoneFinding FindBirthZone(std::string_view ianaZone, const LocalBirthTime& local);

}  // namespace korvanta::atlas
