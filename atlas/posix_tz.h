// SPDX-License-Identifier: GPL-3.0-or-later
// The rule string that closes every version-2 tz file ("EST5EDT,M3.2.0,M11.1.0"):
// it governs all moments after the file's last listed change. The date library
// reads only the listed changes, which in the installed files end in 2037, so
// later births take their daylight saving from this rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta::atlas {

// The day and local time of one yearly change.
struct PosixChangeRule {
    enum class Kind {
        JulianNoLeap,  // "Jn": day 1..365, February 29 never counted
        ZeroBasedDay,  // "n": day 0..365, February 29 counted
        MonthWeekDay,  // "Mm.w.d": weekday d (0 = Sunday) of week w (5 = last) of month m
    };
    Kind kind = Kind::MonthWeekDay;
    int day = 0;
    int month = 1;
    int week = 1;
    int weekday = 0;
    int timeSeconds = 7200;  // local clock time of the change; may be < 0 or > 24 h
};

// A parsed rule string. Offsets are east of UT in seconds (the string itself
// counts west positive).
struct PosixTimeZone {
    std::string standardAbbreviation;
    int standardOffsetSeconds = 0;
    bool hasDaylightSaving = false;
    std::string daylightAbbreviation;
    int daylightOffsetSeconds = 0;
    PosixChangeRule daylightStart;  // given in standard local time
    PosixChangeRule daylightEnd;    // given in daylight local time
};

// Parses a rule string. Empty for text that is not one, and for a rule with
// daylight saving but without its change dates (their default is not fixed).
std::optional<PosixTimeZone> ParsePosixTimeZone(std::string_view text);

// The rule string at the end of a tz file's bytes; empty for a version-1 file
// or anything that is not a tz file.
std::optional<std::string> TzFileFooter(std::string_view fileBytes);

// The clock of a rule at one moment.
struct PosixClock {
    int utcOffsetSeconds = 0;  // east of UT
    bool isDaylightSaving = false;
    std::string abbreviation;
};

// The clock at `unixSeconds` (UT seconds since 1970-01-01 00:00).
PosixClock PosixClockAt(const PosixTimeZone& zone, std::int64_t unixSeconds);

// A local clock time under a rule: one reading, two (the clock went back), or
// none (the clock jumped over it; then `first` is the clock before the jump and
// `second` the clock after it).
struct PosixLocalReading {
    enum class Kind { Unique, Ambiguous, Nonexistent };
    Kind kind = Kind::Unique;
    PosixClock first;   // Unique: the reading; Ambiguous: the earlier one
    PosixClock second;  // Ambiguous: the later reading; Nonexistent: after the jump
};

// Reads `localSeconds` (local clock seconds since 1970-01-01 00:00) under a rule.
PosixLocalReading PosixLocalTime(const PosixTimeZone& zone, std::int64_t localSeconds);

}  // namespace korvanta::atlas
