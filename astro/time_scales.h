// SPDX-License-Identifier: GPL-3.0-or-later
// Time scales: the Julian day number of a civil date, Julian centuries from
// the epochs of the ayanamsa series, days from J2000.0 for the planets. The
// numbers the routines take are derived here from the birth's Moment, each in
// one function.
#pragma once

#include <cstdint>

#include "astro/moment.h"

namespace korvanta {

// Julian day number of a proleptic Gregorian civil date (the day that begins
// at its noon). Given: year, month 1..12, day 1..31 (out-of-range months and
// days carry as DaysFromCivil carries them). Returned: a whole number as
// double; 2451545 for 1 January 2000.
double JulianDayNumber(int year, int month, int day);

// Universal time of a Moment in hours from 0 h of its local civil date, the
// clock's seconds left out: the clock time, one hour less with daylight
// saving, plus the zone correction's hours and its minutes / 60, summed in
// that order. The ascendant and the Moon have always been computed from this
// sum; a sum of the same value in another order can differ in its last bit,
// which would move a minute-rounded position, so the order is kept.
// Given: the Moment. Returned: hours; may fall below 0 or reach 24 and beyond.
double UniversalHoursOfLocalDate(const Moment& moment);

// Julian centuries of a Moment from JD 2415020.0 (1900 January 0.5), the
// epoch of the 1900 ayanamsa series and of the sidereal time, from the Julian
// day number of the local date and UniversalHoursOfLocalDate.
// Given: the Moment. Returned: centuries of 36525 days.
double CenturiesSince1900(const Moment& moment);

// The same from J2000.0 (JD 2451545.0), for the Moon and its ayanamsa.
double CenturiesSinceJ2000(const Moment& moment);

// Days from J2000.0 (2000 January 1, 12:00 UT) of a UT civil date and time,
// as the Keplerian element tables count them (valid 1900-03-01..2100-02-28).
// Given: year, month 1..12, day, hour 0..23, minute 0..59 (UT).
// Returned: days, fractional.
double DayNumber(int year, int month, int day, int hour, int minute);

// The planets' day number of a Moment: DayNumber of its UT date and time, the
// seconds left out. Given: the Moment. Returned: days from J2000.0.
double PlanetDayNumber(const Moment& moment);

}  // namespace korvanta
