// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window's use of the atlas, as plain values: what choosing a
// place writes into the entry controls, the zone row and daylight-saving box
// for the birth moment with the note under the zone, and the zone check
// against the longitude. No Qt: the window only copies these into its controls.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "atlas/atlas.h"
#include "pipeline/entry.h"

namespace korvanta {

// The place controls for a place of the atlas: City, State, Country, the four
// coordinate boxes (texts without padding, as a user types them) and the two
// hemisphere options.
struct EntryPlace {
    std::string city, state, country;
    std::string lonDeg, lonMin;
    bool east = true;
    std::string latDeg, latMin;
    bool south = false;
};

// Empty when the place's position cannot be entered (see ToEntryCoordinates).
std::optional<EntryPlace> EntryPlaceOf(const atlas::Place& place);

// The same with the place's coordinates already in entry form.
EntryPlace EntryPlaceOf(const atlas::Place& place, const atlas::EntryCoordinates& at);

// Zone-list index that stands for "no row selected".
inline constexpr int kNoZoneRow = -1;

// The zone controls for a birth at a place.
struct EntryZone {
    // 0..71 to select; kNoZoneRow to select none; empty: leave the list as it is
    std::optional<int> zoneRow;
    // The offset box's text ("+05:45") when zoneRow is "Other UTC offset"
    // (kOtherOffsetRow); empty otherwise.
    std::string utcOffset;
    std::optional<bool> dst;  // the box's state; empty: leave it as it is
    std::string note;         // one line for under the zone; never empty
};

// The local clock date and time the entry controls hold; empty while a list
// has no selection.
std::optional<atlas::LocalBirthTime> EntryBirthTime(const EntryForm& form);

// The zone row and box for a birth at the clock time the form holds, in IANA
// zone `ianaZone`. When a named row fits, the row and the box are both set;
// when none does, "Other UTC offset" with the clock's offset in the offset
// box, and the note says what was chosen. When the zone is unknown (or the
// offset lies beyond what "Other UTC offset" takes), no row is selected and
// the box is cleared, so that no zone stays that the user did not choose; the
// note says why and, for a known clock, names the nearest rows. While the date is
// impossible or not chosen, both are left alone and the note says why. An
// ambiguous or skipped local time takes the atlas's first reading, and the
// note says so.
EntryZone EntryZoneFor(std::string_view ianaZone, const EntryForm& form);

// The note that the selected zone does not suit the longitude entered (more
// than three hours from its solar time); empty when it suits, or while the
// longitude boxes do not hold a longitude the entry check would accept.
// `longitudeFromAtlas`: the longitude and its hemisphere came from the atlas,
// so the note asks about the zone, never about the East/West option.
std::string ZoneCheckNote(const EntryForm& form, bool longitudeFromAtlas = false);

// The rows nearest to a clock offset (seconds east of UT) that no row has:
// the nearest below and the nearest above, as the note names them
// ("\"Indian Time, IST, +5.3\" (UTC+5:30) or \"...\" (UTC+6)"); empty when
// there are none.
std::string NearestZoneRows(int offsetSeconds);

}  // namespace korvanta
