// SPDX-License-Identifier: GPL-3.0-or-later
// The ascendant: the point of the ecliptic rising on the eastern horizon.
#pragma once

namespace korvanta {

// Tropical ascendant of a place at a moment.
// Given: T, Julian centuries from JD 2415020.0; the universal time in hours
// from 0 h of the local civil date (as in T); latitude in degrees, north
// positive; longitude in degrees, east positive.
// Returned: degrees of the ecliptic of the date, [0, 360).
double TropicalAscendant(double T, double utHours, double latitudeDeg, double eastLongitudeDeg);

}  // namespace korvanta
