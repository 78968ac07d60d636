// SPDX-License-Identifier: GPL-3.0-or-later
// The clock of a place at a local birth moment, from the system's tz database:
// the UTC offset, whether daylight saving was in force, and the standard time
// around it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta::atlas {

// A local clock date and time of the birth place.
struct LocalBirthTime {
    int year = 1901;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
};

// The zone's clock in one reading of a local time. Offsets are local clock
// minus UT, in seconds, east positive.
struct ZoneState {
    int utcOffsetSeconds = 0;
    bool isDaylightSaving = false;  // the tz database marks this time as daylight saving
    std::string abbreviation;       // "EDT", "IST", "+0630", "LMT"
    // Standard time at the nearest moment without daylight saving (for a moment
    // without daylight saving, the moment's own). The database marks daylight
    // saving but not its size, so this is the only sound source: Britain's
    // +2 of 1943 had GMT, not +1, as its standard time.
    int standardOffsetSeconds = 0;
    std::string standardAbbreviation;  // "EST", "IST", "GMT"
};

enum class LocalTimeStatus {
    Unique,       // the clock showed this time once: `first`
    Ambiguous,    // twice, the clock went back: `first` then `second`
    Nonexistent,  // never, the clock jumped over it: `first` before, `second` after
    UnknownZone,  // no such zone in the database (or no database)
    InvalidTime,  // no such date or time of day
};

struct LocalTimeLookup {
    LocalTimeStatus status = LocalTimeStatus::UnknownZone;
    std::optional<ZoneState> first;
    std::optional<ZoneState> second;
};

// Reads local clock time `local` in IANA zone `ianaZone` ("Asia/Kolkata").
// Moments after the last change listed in the zone's file (2037 in the
// installed files) follow the file's closing rule string. Never throws.
LocalTimeLookup LookUpLocalTime(std::string_view ianaZone, const LocalBirthTime& local);

}  // namespace korvanta::atlas
