// SPDX-License-Identifier: GPL-3.0-or-later
// Time scales: the Julian day number of a civil date, Julian centuries from
// the epochs of the ayanamsa series, days from J2000.0 for the planets, and
// universal time from a local clock time.
#pragma once

namespace korvanta {

// Julian day number of a civil date, by the integer algorithm of Fliegel and
// Van Flandern (Gregorian calendar from 15 October 1582, Julian before).
// Given: month 1..12, day 1..31, year (any 16-bit value). Returned: a whole
// number as double; 2451545 for 1 January 2000.
double JulianDayNumber(int month, int day, int year);

// Julian centuries of a moment from JD 2415020.0 (1900 January 0.5), the
// epoch of the 1900 ayanamsa series and of the sidereal time.
// Given: the Julian day number of the local civil date and the universal
// time in hours from 0 h of that date (may lie outside 0..24).
// Returned: centuries of 36525 days.
double CenturiesSince1900(double julianDayNumber, double utHours);

// The same from J2000.0 (JD 2451545.0), for the Moon and its ayanamsa.
double CenturiesSinceJ2000(double julianDayNumber, double utHours);

// Days from J2000.0 (2000 January 1, 12:00 UT) of a UT civil date and time,
// by the day-count formula of the Keplerian element tables (valid 1900-2100).
// Given: year, month 1..12, day, hour 0..23, minute 0..59 (UT).
// Returned: days, fractional.
double DayNumber(int year, int month, int day, int hour, int minute);

// Universal time of a local clock time in hours from 0 h of the local civil
// date: the clock time, one hour less with daylight saving, plus the signed
// zone correction (UT minus local standard time).
// Given: hour 0..23, minute 0..59, daylight saving, zone hours and minutes
// (same sign). Returned: hours; may fall below 0 or reach 24 and beyond.
double UniversalHours(int hour, int minute, bool dst, int zoneHours, int zoneMinutes);

}  // namespace korvanta
