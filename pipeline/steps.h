// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation steps of one chart, each from the birth's numbers to
// numbers: the ascendant, the Moon, the Sun, planets and nodes, the
// retrograde marks. CalculateChart (pipeline.h) runs them in order.
#pragma once

#include <array>

#include "astro/moment.h"
#include "astro/planets.h"

namespace korvanta {

// The sidereal ascendant. Given: the Moment (its clock time without seconds,
// through UniversalHoursOfLocalDate) and the Place. Returned: the 1900-series
// ayanamsa (degrees, negative), the ascendant (degrees, [0, 360]) and its
// whole degrees.
struct LagnaResult {
    double ayanamsa = 0;
    double ascendant = 0;
    double ascendantWhole = 0;
};
LagnaResult Lagna_Calculation(const Moment& moment, const Place& place);

// The sidereal Moon. Given: the Moment (its clock time without seconds, as
// for the ascendant). Returned: the J2000-series ayanamsa (degrees,
// negative), the Moon's longitude (degrees, [0, 360)) and the start of its
// nakshatra (degrees).
struct MoonResult {
    double ayanamsa = 0;
    double longitude = 0;
    double nakStart = 0;
};
MoonResult Moon_Calculation(const Moment& moment);

// Sidereal longitudes of the Sun, the five planets and the nodes at a Moment
// (its UT to the whole minute, PlanetDayNumber). Given: the Moment, the
// 1900-series ayanamsa (degrees). Returned: degrees.
struct PlanetLongitudes {
    std::array<double, 6> planets{};  // Mercury, Venus, Sun, Mars, Jupiter, Saturn
    Nodes nodes;
};
PlanetLongitudes PlanetPositions(const Moment& moment, double ayanamsa);

// The retrograde marks of Mercury, Venus, Mars, Jupiter and Saturn on the
// Moment's local civil date: the clock time, the zone and daylight saving
// never take part.
std::array<bool, 5> Retrograde_Calculation(const Moment& moment);

}  // namespace korvanta
