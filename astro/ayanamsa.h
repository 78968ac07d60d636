// SPDX-License-Identifier: GPL-3.0-or-later
// The two ayanamsa series: the distance of the sidereal zodiac's start from
// the equinox of the date, as a negative correction to tropical longitudes.
#pragma once

namespace korvanta {

// Ayanamsa by the series from 1900, used for the ascendant and the planets.
// Given: T, Julian centuries from JD 2415020.0 (CenturiesSince1900).
// Returned: degrees, negative (about -23.86 in 2000).
double Ayanamsa_1900(double T);

// Ayanamsa by the series from J2000, used for the Moon.
// Given: T, Julian centuries from J2000.0 (CenturiesSinceJ2000).
// Returned: degrees, negative.
double Ayanamsa_2000(double T);

}  // namespace korvanta
