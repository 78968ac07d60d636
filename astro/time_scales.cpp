// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/time_scales.h"

#include "calendar/calendar.h"

namespace korvanta {
namespace {

// Julian day number of 1900 January 0.5 and of J2000.0.
constexpr double kJd1900 = 2415020.0;
constexpr double kJd2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
// The Julian day number of 30 December 1899, day 0 of DaysFromCivil.
constexpr std::int32_t kJulianDayOfEpoch = 2415019;
// 1 January 2000, the day that J2000.0 (its noon) falls on.
constexpr std::int32_t kJ2000Day = DaysFromCivil(2000, 1, 1);

}  // namespace

double JulianDayNumber(int year, int month, int day) {
    return static_cast<double>(std::int64_t{DaysFromCivil(year, month, day)} + kJulianDayOfEpoch);
}

double UniversalHoursOfLocalDate(const Moment& moment) {
    const std::int32_t second = moment.LocalSecondOfDay();
    const int hour = second / 3600;
    const int minute = second / 60 % 60;
    // Hours and minutes of the zone correction share its sign.
    const int zoneHours = moment.zoneMinutes / 60;
    const int zoneMinutes = moment.zoneMinutes % 60;
    const double clock = hour + minute / 60.0;
    return clock - (moment.dst ? 1.0 : 0.0) + zoneHours + zoneMinutes / 60.0;
}

// The day number counts from noon, hence the half day.
double CenturiesSince1900(const Moment& moment) {
    const double jd = static_cast<double>(moment.LocalDay() + kJulianDayOfEpoch);
    return (((jd - kJd1900) + UniversalHoursOfLocalDate(moment) / 24.0) - 0.5) / kDaysPerCentury;
}

double CenturiesSinceJ2000(const Moment& moment) {
    const double jd = static_cast<double>(moment.LocalDay() + kJulianDayOfEpoch);
    return (((jd - kJd2000) + UniversalHoursOfLocalDate(moment) / 24.0) - 0.5) / kDaysPerCentury;
}

// Within the tables' range the element tables' formula (367 y - 7 (y + (m +
// 9) / 12) / 4 + 275 m / 9 + d - 730531.5) is a whole count of days less a
// half, which the calendar's day count gives exactly.
double DayNumber(int year, int month, int day, int hour, int minute) {
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kJ2000Day) - 0.5;
    return days + (hour + minute / 60.0) / 24.0;
}

double PlanetDayNumber(const Moment& moment) {
    const CivilDateTime ut = CivilOfSeconds(moment.ut);
    return DayNumber(ut.year, ut.month, ut.day, ut.hour, ut.minute);
}

}  // namespace korvanta
