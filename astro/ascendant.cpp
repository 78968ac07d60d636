// SPDX-License-Identifier: GPL-3.0-or-later
// The ascendant from the local sidereal time and the obliquity, both by
// Newcomb's polynomials from 1900 (sidereal time 6h 38m 45.836s +
// 8640184.542s T + 0.0929s T^2, here in hours; obliquity 23 27' 8.26" -
// 46.845" T), and the standard formula
//   tan(asc) = cos(RAMC) / (-sin(RAMC) cos(eps) - sin(eps) tan(lat)).
#include "astro/ascendant.h"

#include <cmath>

#include "astro/angles.h"

namespace korvanta {
namespace {

// Sidereal time (hours) and obliquity (degrees) of the 1900 series.
constexpr double kSidereal0 = 6.6460656, kSiderealRate = 2400.0513, kSiderealT2 = 0.0000258;
constexpr double kObliquity0 = 23.452294, kObliquityRate = 0.0130125;

}  // namespace

double TropicalAscendant(double T, double utHours, double latitudeDeg, double eastLongitudeDeg) {
    // Local sidereal angle in degrees; negative values are left as they are.
    // (Adding an east longitude gives the same bits as subtracting its
    // west-positive negation.)
    double theta = 15.0 * (((kSidereal0 + kSiderealRate * T) + T * (kSiderealT2 * T)) + utHours) +
                   eastLongitudeDeg;
    if (theta >= 360.0) {
        // Whole turns removed at once; every step is exact, so this equals
        // subtracting 360 one turn at a time.
        theta -= 360.0 * std::floor(theta / 360.0);
        if (theta < 0) theta += 360.0;
        while (theta >= 360.0) theta -= 360.0;
    }
    const double ramc = theta * kDegToRad;
    const double obliquity = (kObliquity0 - kObliquityRate * T) * kDegToRad;

    const double x = (-std::sin(ramc)) * std::cos(obliquity) -
                     std::sin(obliquity) * std::tan(latitudeDeg * kDegToRad);
    double a = ArcTan2(std::cos(ramc), x);
    if (a < 0) a += kPi;
    if (std::cos(ramc) < 0) a += kPi;
    double asc = a * kRadToDeg;
    while (asc >= 360.0) asc -= 360.0;
    return asc;
}

}  // namespace korvanta
