// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun and the five planets from Keplerian mean elements, and the Moon's
// mean nodes.
#pragma once

#include <array>

namespace korvanta {

// Mean orbital elements of planet 0..5 (Mercury, Venus, Earth, Mars, Jupiter,
// Saturn) at day number d. Angles in radians, L reduced to [0, 2 pi).
struct Elements {
    double a = 0, e = 0, i = 0, node = 0, perihelion = 0, L = 0;
};
// Returns false (and leaves `out` unchanged) for a planet outside 0..5.
bool OrbitalElements(int planet, double d, Elements& out);

// True anomaly from the mean anomaly by Newton's method on Kepler's equation.
// Given: M (radians), eccentricity e < 1. Returned: radians, [0, 2 pi).
double SolveKepler(double M, double e);

// Tropical geocentric longitude of planet 0..5 referred to the J2000 equinox;
// planet 2 (the Earth's slot) gives the Sun.
// Given: d, days from J2000.0 (DayNumber). Returned: degrees, [0, 360];
// 0 for a planet outside 0..5.
double GeocentricLongitude(int planet, double d);

// General precession in longitude from J2000 to the date (IAU 1976:
// 5029.0966" T + 1.11113" T^2, T in Julian centuries).
// Given: d, days from J2000.0. Returned: degrees.
double PrecessionSinceJ2000(double d);

// Sidereal longitudes of the Sun and the five planets at one moment, in the
// order Mercury, Venus, Sun, Mars, Jupiter, Saturn (the element table's
// order, the Earth's slot giving the Sun): tropical on the J2000 equinox,
// precessed to the date, less |ayanamsa|, one turn added while below 0.
// Given: d, days from J2000.0; the ayanamsa in degrees (its absolute value
// is used). Returned: degrees, [0, 360] plus less than one turn.
std::array<double, 6> SiderealPlanets(double d, double ayanamsa);

// The Sun alone, exactly as SiderealPlanets gives it (slot 2).
double SiderealSun(double d, double ayanamsa);

// The Moon's mean nodes. Rahu: the mean ascending node 125.1228 deg -
// 0.0529538083 deg/day, reduced to one turn, converted with pi written as
// 3.1416 and less one degree -- the almanac's own figures, kept as they are
// because every chart made with them shows the nodes there; then less
// |ayanamsa|, one turn added while below 0. Ketu: Rahu + 180, one turn
// subtracted while above 360.
// Given: d, days from J2000.0; the ayanamsa in degrees. Returned: degrees.
struct Nodes {
    double rahu = 0;
    double ketu = 0;
};
Nodes SiderealNodes(double d, double ayanamsa);

}  // namespace korvanta
