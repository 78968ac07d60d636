// The Sun and the five planets from Keplerian mean elements, the lunar nodes,
// and the ten short position texts of the chart.
#pragma once

#include <string>
#include <string_view>

#include "records/records.h"

namespace korvanta {

// Days from J2000.0 (2000 January 1, 12:00 UT) of a UT civil date and time.
double DayNumber(int year, int month, int day, int hour, int minute);

// Mean orbital elements of planet 0..5 (Mercury, Venus, Earth, Mars, Jupiter,
// Saturn) at day number d. Angles in radians, L reduced to [0, 2 pi).
struct Elements {
    double a = 0, e = 0, i = 0, node = 0, perihelion = 0, L = 0;
};
// Returns false (and leaves `out` unchanged) for a planet outside 0..5.
bool OrbitalElements(int planet, double d, Elements& out);

// True anomaly (radians, [0, 2 pi)) for mean anomaly M (radians) and
// eccentricity e.
double SolveKepler(double M, double e);

// Tropical geocentric longitude of planet 0..5 at day number d, referred to
// the J2000 equinox. Degrees in [0, 360]. Planet 2 gives the Sun.
double GeocentricLongitude(int planet, double d);

// General precession in longitude from J2000 to day number d, degrees.
double PrecessionSinceJ2000(double d);

// Short text "DD Sss MM" of a FormatSignPosition text: "05 Ari 07".
std::string ShortPosition(std::string_view text);

// The same text written into `out`, reusing its storage; `out` must not
// overlap `text`.
void ShortPositionTo(std::string_view text, std::string& out);

// Birth-moment mode (chart.SecondMomentMode false): the planets, nodes and all
// ten ChartList texts for the birth. Second-moment mode: the same for the
// moment given by chart.SunriseDay/MonthName/Year/Hour/Minute (a local clock
// time), and the Sun's longitude and short text in SunriseSunLongitude and
// SunriseSunText. Reads AscText, MoonText, Ayanamsa and the zone correction.
void PlanetPositions(const BirthData& birth, ChartRecord& chart);

}  // namespace korvanta
