// SPDX-License-Identifier: GPL-3.0-or-later
// The one time and the one observer every step of a chart takes: the instant
// of birth on the universal and on the local clock, and the place on Earth.
// Both are made once from a birth; where a routine needs hours or a day
// number, a named function derives them from the Moment (time_scales.h).
#pragma once

#include <cstdint>

#include "calendar/calendar.h"

namespace korvanta {

// An instant. Both clocks count whole seconds from 30 December 1899 00:00 of
// their own clock; they differ by the zone correction and daylight saving.
struct Moment {
    std::int64_t ut = 0;     // universal time, seconds since 1899-12-30 00:00 UT
    std::int64_t local = 0;  // the place's clock, seconds since 1899-12-30 00:00
    // The zone correction, UT minus local standard time, in minutes
    // (-330 in India); daylight saving moves the clock one more hour on.
    int zoneMinutes = 0;
    bool dst = false;

    // The local clock's civil day, days since 30 December 1899.
    constexpr std::int32_t LocalDay() const {
        return static_cast<std::int32_t>(FloorDiv(local, kSecondsPerDay));
    }
    // Seconds of the local clock, counted from that day's midnight.
    constexpr std::int32_t LocalSecondOfDay() const {
        return static_cast<std::int32_t>(local - FloorDiv(local, kSecondsPerDay) * kSecondsPerDay);
    }
    friend constexpr bool operator==(const Moment&, const Moment&) = default;
};

// The Moment at a local clock reading. Given: seconds of the local clock
// since 1899-12-30 00:00, the zone correction (UT minus local standard time,
// minutes) and daylight saving. Returned: both clocks.
constexpr Moment MomentOfLocal(std::int64_t localSeconds, int zoneMinutes, bool dst) {
    return {localSeconds - (dst ? 3600 : 0) + std::int64_t{zoneMinutes} * 60, localSeconds,
            zoneMinutes, dst};
}

// The same Moment `days` civil days later (earlier when negative), on the
// same zone and daylight saving.
constexpr Moment ShiftedByDays(const Moment& moment, std::int32_t days) {
    return MomentOfLocal(moment.local + std::int64_t{days} * kSecondsPerDay, moment.zoneMinutes,
                         moment.dst);
}

// A place on Earth. Given and kept in degrees: latitude north-positive
// (-90..90), longitude east-positive (-180..180).
struct Place {
    double latitude = 0;
    double longitude = 0;
    friend constexpr bool operator==(const Place&, const Place&) = default;
};

}  // namespace korvanta
