// Time scales, the two ayanamsas, the ascendant and the small angle routines
// every astronomy module shares.
#pragma once

#include <string>

#include "records/records.h"

namespace korvanta {

inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kPi = 3.14159265358979;

// Julian day number of a civil date (Gregorian from 15 October 1582, Julian
// before). Given: month 1..12, day, year. Returned: a whole number as double;
// 2451545 for 1 January 2000.
double JulianDayNumber(int month, int day, int year);

// Ayanamsa with its series from 1900. Given: T, Julian centuries from
// JD 2415020.0. Returned: degrees, negative (about -23.86 in 2000).
double Ayanamsa_1900(double T);

// Ayanamsa with its series from J2000 (used for the Moon). Given: T, Julian
// centuries from J2000.0. Returned: degrees, negative.
double Ayanamsa_2000(double T);

// Brings x into [0, 360] with at most one addition and one subtraction of
// 360; writes x back and returns it.
double Normalize360(double& x);

// Four-quadrant arctangent with its own rules at x = 0. Given: y, x.
// Returned: radians in [-pi, pi].
double ArcTan2(double y, double x);

// Long position text of a longitude: degrees within the sign, minutes,
// seconds, sign abbreviation: 5° 7' 9" Ari. Given: x in degrees (its absolute
// value is used). A longitude of exactly 360 is written as 0° of Aries.
std::string FormatSignPosition(double x);

// The same text written into `out`, reusing its storage.
void FormatSignPositionTo(double x, std::string& out);

// Sign index 0..11 named by FormatSignPosition(x): the whole degrees of |x|
// divided by 30, modulo 12. Given: x in degrees, finite.
int SignIndexOfLongitude(double x);

// Universal time of the birth in hours from 0 h of the local civil date:
// clock time, one hour less with daylight saving, plus the signed zone
// correction. May fall below 0 or reach 24 and beyond.
double BirthUniversalHours(const BirthData& birth, const ChartRecord& chart);

// The sidereal ascendant of the birth. Reads the birth fields and the zone
// correction; writes Ayanamsa, Ascendant, AscendantWhole and AscText.
void Lagna_Calculation(const BirthData& birth, ChartRecord& chart);

}  // namespace korvanta
