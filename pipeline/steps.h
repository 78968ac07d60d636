// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation steps of one chart, each from the birth's numbers to
// numbers: the ascendant, the Moon, the Sun, planets and nodes, the
// retrograde marks. CalculateChart (pipeline.h) runs them in order.
#pragma once

#include <array>

#include "astro/planets.h"
#include "pipeline/birth.h"

namespace korvanta {

// The sidereal ascendant. Given: the birth (date, clock time without
// seconds, coordinates, zone correction, daylight saving). Returned: the
// 1900-series ayanamsa (degrees, negative), the ascendant (degrees,
// [0, 360]) and its whole degrees.
struct LagnaResult {
    double ayanamsa = 0;
    double ascendant = 0;
    double ascendantWhole = 0;
};
LagnaResult Lagna_Calculation(const Birth& birth);

// The sidereal Moon. Given: the birth (date, clock time without seconds,
// zone correction, daylight saving). Returned: the J2000-series ayanamsa
// (degrees, negative), the Moon's longitude (degrees, [0, 360)) and the start
// of its nakshatra (degrees).
struct MoonResult {
    double ayanamsa = 0;
    double longitude = 0;
    double nakStart = 0;
};
MoonResult Moon_Calculation(const Birth& birth);

// A local clock time to the whole minute: the moments at which the planets
// are computed (the birth without its seconds, the reference sunrise).
struct LocalMinute {
    int year = 1901, month = 1, day = 1, hour = 0, minute = 0;
};

// Days from J2000.0 of a local clock minute at the birth place: the clock
// time, one hour less with daylight saving, plus the zone correction, carried
// through the calendar to a UT date and time.
double PlanetDayNumber(const Birth& birth, const LocalMinute& local);

// Sidereal longitudes of the Sun, the five planets and the nodes at a local
// clock minute. Given: the birth (zone correction, daylight saving), the
// minute, the 1900-series ayanamsa (degrees). Returned: degrees.
struct PlanetLongitudes {
    std::array<double, 6> planets{};  // Mercury, Venus, Sun, Mars, Jupiter, Saturn
    Nodes nodes;
};
PlanetLongitudes PlanetPositions(const Birth& birth, const LocalMinute& local, double ayanamsa);

// The retrograde marks of Mercury, Venus, Mars, Jupiter and Saturn at the
// birth's local date and clock time as entered: the zone, daylight saving
// and the seconds never take part, and only the date can change the outcome.
std::array<bool, 5> Retrograde_Calculation(const Birth& birth);

}  // namespace korvanta
