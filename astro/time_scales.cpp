// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/time_scales.h"

#include <cmath>
#include <cstdint>

namespace korvanta {
namespace {

// Julian day number of 1900 January 0.5 and of J2000.0.
constexpr double kJd1900 = 2415020.0;
constexpr double kJd2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
// Last day number that is still in the Julian calendar.
constexpr double kLastJulianCalendarDay = 2299171.0;

}  // namespace

double JulianDayNumber(int month, int day, int year) {
    // 64-bit integers keep every intermediate exact for any 16-bit input.
    const auto floorDiv = [](std::int64_t a, std::int64_t b) {
        std::int64_t q = a / b;
        if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
        return q;
    };
    const std::int64_t mPrime = month + 12 * (static_cast<std::int64_t>(year) + 4800) - 3;
    std::int64_t jd = day +
                      floorDiv(365 * mPrime + 7 + 2 * (mPrime - 12 * floorDiv(mPrime, 12)), 12) +
                      floorDiv(mPrime, 48) - 32083;
    if (static_cast<double>(jd) > kLastJulianCalendarDay) {
        jd = jd + floorDiv(mPrime, 4800) - floorDiv(mPrime, 1200) + 38;
    }
    return static_cast<double>(jd);
}

// The day number counts from noon, hence the half day.
double CenturiesSince1900(double julianDayNumber, double utHours) {
    return (((julianDayNumber - kJd1900) + utHours / 24.0) - 0.5) / kDaysPerCentury;
}

double CenturiesSinceJ2000(double julianDayNumber, double utHours) {
    return (((julianDayNumber - kJd2000) + utHours / 24.0) - 0.5) / kDaysPerCentury;
}

double DayNumber(int year, int month, int day, int hour, int minute) {
    const double y = year, m = month;
    return 367.0 * y - std::floor(7.0 * (y + std::floor((m + 9.0) / 12.0)) / 4.0) +
           std::floor(275.0 * m / 9.0) + day - 730531.5 + (hour + minute / 60.0) / 24.0;
}

double UniversalHours(int hour, int minute, bool dst, int zoneHours, int zoneMinutes) {
    const double clock = hour + minute / 60.0;
    return clock - (dst ? 1.0 : 0.0) + zoneHours + zoneMinutes / 60.0;
}

}  // namespace korvanta
