// SPDX-License-Identifier: GPL-3.0-or-later
// Local clock times of sunrise and sunset at the birth place.
#pragma once

#include <optional>

namespace korvanta {

// Sunrise and sunset of one calendar date at a place, as date-times (days
// since 30 December 1899, local clock) of that date at the computed hour and
// minute. An event that does not happen that day (polar day or night) has no
// value; each event stands on its own.
struct SunEvents {
    std::optional<double> sunrise;
    std::optional<double> sunset;
};

// Given: the civil date; latitude and longitude as entered (whole degrees,
// minutes, hemisphere); the signed zone correction (UT minus local standard
// time, hours and minutes of the same sign); daylight saving, which moves the
// clock one hour on. Returned: the two events, local clock, whole minutes.
SunEvents SunRiseSet_Calculation(int year, int month, int day, int latDeg, int latMin, bool isSouth,
                                 int lonDeg, int lonMin, bool isEast, int zoneHours,
                                 int zoneMinutes, bool isDst);

}  // namespace korvanta
