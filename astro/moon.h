// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's sidereal longitude and the start of its nakshatra.
#pragma once

#include <array>

namespace korvanta {

// Start of nakshatra k (k = 0..26), degrees: k * 13.33 with two decimals.
extern const std::array<double, 27> kNakshatraStart;

// Tropical geocentric longitude of the Moon from the truncated lunar series.
// Given: T, Julian centuries from J2000.0. Returned: degrees, [0, 360].
double MoonTropicalLongitude(double T);

// Sidereal Moon from its tropical longitude and the (negative) ayanamsa.
// Given: both in degrees. Returned: degrees; one turn added when the sum
// falls below 0.
double SiderealMoonLongitude(double tropical, double ayanamsa);

// Start of the nakshatra holding a sidereal longitude: entry
// floor(longitude / 13 deg 20') of kNakshatraStart, clamped to 0..26.
// Given: degrees, [0, 360). Returned: degrees.
double NakshatraStart(double moonLongitude);

}  // namespace korvanta
