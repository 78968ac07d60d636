// SPDX-License-Identifier: GPL-3.0-or-later
// One person's birth as numbers: what the entry check accepted, once, for
// every later step and every output.
#pragma once

#include <string>

#include "astro/moment.h"

namespace korvanta {

struct Birth {
    std::string name;  // capitals and blanks, as the name box holds it
    // Civil date and clock time at the birth place.
    int year = 1901;  // 1901..2050
    int month = 1;    // 1..12
    int day = 1;      // 1..31, a day of that month
    int hour = 0;     // 0..23
    int minute = 0;   // 0..59
    int second = 0;   // 0..59
    // Coordinates as entered: whole degrees and minutes with the hemisphere;
    // the numbers never carry a sign.
    int latDeg = 0;  // 0..89
    int latMin = 0;  // 0..59
    bool south = false;
    int lonDeg = 0;  // 0..179
    int lonMin = 0;  // 0..59
    bool east = false;
    // The zone row and its correction, UT minus local standard time, in
    // signed hours and minutes of the same sign ("Indian Time": -5, -30).
    int zoneIndex = 0;
    int zoneHours = 0;
    int zoneMinutes = 0;
    // The offset of row 71, "Other UTC offset": local standard time minus UT
    // in minutes, -720..+840 ("+05:45" is 345); 0 for the named rows.
    int utcOffsetMinutes = 0;
    bool dst = false;  // daylight saving in force: the clock runs an hour ahead
    std::string city, state, country;
};

// The birth's instant: its local clock reading with the seconds, the zone
// correction (zoneHours * 60 + zoneMinutes) and daylight saving, and the UT
// they give. Every step of the calculation takes this Moment.
Moment MomentOf(const Birth& birth);

// The birth place in signed degrees, north and east positive: whole degrees
// plus minutes / 60, negated in the south and the west.
Place PlaceOf(const Birth& birth);

}  // namespace korvanta
