// SPDX-License-Identifier: GPL-3.0-or-later
// Local clock times of sunrise and sunset at the birth place.
#pragma once

#include <optional>

#include "astro/moment.h"

namespace korvanta {

// Sunrise and sunset of one calendar date at a place, as date-times (days
// since 30 December 1899, local clock) of that date at the computed hour and
// minute. An event that does not happen that day (polar day or night) has no
// value; each event stands on its own.
struct SunEvents {
    std::optional<double> sunrise;
    std::optional<double> sunset;
};

// Given: a Moment whose local civil date is the day wanted (its zone
// correction and daylight saving set the clock) and the place. Returned: the
// two events, local clock, whole minutes.
SunEvents SunRiseSet_Calculation(const Moment& day, const Place& place);

// The almanac's zone of a Moment: local clock minus UT in hours, daylight
// saving included, except that 13 hours is taken as -11. The two name the
// same clock, but the almanac's radians for them differ in the sixth decimal,
// which can move a sunrise by a minute; sunrises have always been computed
// with -11, so it stays.
// Given: the Moment. Returned: hours, -12..14 for the zone table's rows.
double AlmanacZoneHours(const Moment& moment);

}  // namespace korvanta
