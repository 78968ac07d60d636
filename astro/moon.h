// The Moon's sidereal longitude and the start of its nakshatra.
#pragma once

#include <array>

#include "records/records.h"

namespace korvanta {

// Start of nakshatra k (k = 0..26): k * 13.33 with two decimals.
extern const std::array<double, 27> kNakshatraStart;

// Reads the birth fields and the zone correction; writes MoonAyanamsa,
// MoonLongitude (degrees, [0, 360)), MoonText and MoonNakStart.
void Moon_Calculation(const BirthData& birth, ChartRecord& chart);

// Sidereal Moon from its tropical longitude and the (negative) ayanamsa,
// both in degrees: one turn added when the sum falls below 0.
double SiderealMoonLongitude(double tropical, double ayanamsa);

// Start (degrees) of the nakshatra holding a sidereal longitude in [0, 360):
// entry floor(longitude / 13°20') of kNakshatraStart.
double NakshatraStart(double moonLongitude);

// Tropical geocentric longitude of the Moon (degrees, [0, 360]) from the
// truncated lunar series. Given: T, Julian centuries from J2000.0.
double MoonTropicalLongitude(double T);

}  // namespace korvanta
