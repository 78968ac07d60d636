// SPDX-License-Identifier: GPL-3.0-or-later
// --place: the birth place looked up in the atlas, which fills the
// coordinates, the zone row and daylight saving for the birth moment, and the
// atlas's findings as they go into the JSON object.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "atlas/atlas.h"
#include "cli/flag_values.h"
#include "library/birth_record.h"

namespace korvanta {

struct PlaceFlagResult {
    atlas::Place place;
    atlas::AtlasFinding finding;
};

// The place `query` names ("Pune, Maharashtra, India", or a city name that
// only one place has) and the atlas's findings for the local clock time given
// by --date and --time. A query that names no place, or several, is refused;
// the reason then lists the candidates, one per line.
std::variant<PlaceFlagResult, FlagError> LookUpPlaceFlag(std::string_view query,
                                                         const DateValue& date,
                                                         const TimeValue& time);

// The entry values given by their own flags beside --place. They win over the
// atlas, each on its own; the atlas fills the rest.
struct GivenFlags {
    bool lat = false, lon = false, zone = false, dst = false;
    bool offset = false;  // --offset, which gives the zone as --zone does
    bool city = false, state = false, country = false;
};

// Writes the place's values into `form`, except those in `given` (--offset
// counts as the zone). A clock that no named row has takes "Other UTC
// offset" with the clock's offset. Refuses (reason for "--place VALUE: ")
// when the zone is not given and the atlas cannot choose a row: the place's
// zone is unknown, or its offset lies beyond -12:00..+14:00.
// An impossible date (30 February) fills no zone: the entry check refuses it.
std::optional<FlagError> ApplyPlace(const PlaceFlagResult& found, const GivenFlags& given,
                                    EntryForm& form);

// A line for standard error when the clock time occurred twice or not at all
// at the place on that date; empty otherwise.
std::string LocalTimeWarning(const PlaceFlagResult& found);

// The "atlas" object of the JSON form: the query, the place, its rounded
// coordinates, how the local time reads (one reading, or two when it occurred
// twice or was skipped; the first is used), the note, and the flags that
// overrode the atlas.
Json AtlasJson(std::string_view query, const PlaceFlagResult& found, const GivenFlags& given);

}  // namespace korvanta
