// SPDX-License-Identifier: GPL-3.0-or-later
// Both series add the two largest terms of the nutation in longitude (from
// twice the Sun's mean longitude and from the Moon's mean node) to Newcomb's
// general precession in longitude (5025.64" per century, 1.11" per century
// squared) and subtract the ayanamsa at the epoch. The 1900 series takes the
// node and the Sun in arcseconds as Newcomb tabulated them for 1900; the J2000
// series takes them in degrees from the modern polynomials of Meeus,
// Astronomical Algorithms, ch. 22 and 25.
#include "astro/ayanamsa.h"

#include <cmath>

#include "astro/angles.h"

namespace korvanta {
namespace {

// The 1900 series: mean node and twice the Sun's mean longitude in
// arcseconds, nutation amplitudes in arcseconds, general precession and the
// ayanamsa at the epoch in arcseconds.
constexpr double kNode1900 = 933060.0, kNodeRate1900 = 6962911.0, kNodeT2_1900 = 7.5;
constexpr double kTwoSun1900 = 2013816.0, kTwoSunRate1900 = 259205536.0;
constexpr double kNutationSun = 1.27, kNutationNode = 17.23;
constexpr double kPrecessionRate = 5025.64, kPrecessionT2 = 1.11;
constexpr double kAyanamsaAt1900 = 80861.27;

// The J2000 series (degrees) and its ayanamsa at the epoch (arcseconds).
constexpr double kNode2000 = 125.044555, kNodeRate2000 = 1934.1361849, kNodeT2_2000 = 0.0020762;
constexpr double kSun2000 = 280.466449, kSunRate2000 = 36000.7698231, kSunT2_2000 = 0.0003106;
constexpr double kAyanamsaAt2000 = 85886.27;

}  // namespace

double Ayanamsa_1900(double T) {
    double node = (kNode1900 - kNodeRate1900 * T + kNodeT2_1900 * T * T) / 3600.0;
    while (node >= 360.0) node -= 360.0;
    const double twoSun = (kTwoSun1900 + kTwoSunRate1900 * T) / 3600.0;
    const double nutation =
        kNutationSun * std::sin(twoSun * kDegToRad) + kNutationNode * std::sin(node * kDegToRad);
    const double a = nutation - T * (kPrecessionRate + kPrecessionT2 * T);
    return (a - kAyanamsaAt1900) / 3600.0;
}

double Ayanamsa_2000(double T) {
    const double node = kNode2000 - kNodeRate2000 * T + kNodeT2_2000 * T * T;
    const double sun = kSun2000 + kSunRate2000 * T + kSunT2_2000 * T * T;
    const double nutation =
        kNutationSun * std::sin(sun * kDegToRad) + kNutationNode * std::sin(node * kDegToRad);
    const double a = nutation - T * (kPrecessionRate + kPrecessionT2 * T);
    return (a - kAyanamsaAt2000) / 3600.0;
}

}  // namespace korvanta
