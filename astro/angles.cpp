// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/angles.h"

#include <cmath>

namespace korvanta {
namespace {

double Sgn(double v) {
    return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

}  // namespace

double ArcTan2(double y, double x) {
    if (x > 0) return std::atan(y / x);
    if (x == 0) return Sgn(y) * kPi / 2.0;
    return Sgn(y) * (kPi - std::atan(std::fabs(y / x)));
}

double Normalize360(double& x) {
    if (x < 0) x += 360.0;
    if (x > 360.0) x -= 360.0;
    return x;
}

SignPosition SignPositionOf(double x) {
    x = std::fabs(x);
    double whole = std::floor(x);
    const double fraction = x - whole;
    const double minutes = std::floor(60.0 * fraction);
    const double seconds = std::floor(60.0 * (60.0 * fraction - minutes));
    // The sign is taken modulo 12 so that 360 degrees reads as 0 Aries rather
    // than as a thirteenth sign.
    const auto sign =
        static_cast<std::int64_t>(std::floor(whole / kDegreesPerSign)) % kSignsInZodiac;
    whole -= kDegreesPerSign * std::floor(whole / kDegreesPerSign);
    return {static_cast<int>(sign), static_cast<int>(whole), static_cast<int>(minutes),
            static_cast<int>(seconds)};
}

int SignOfLongitude(double x) {
    return SignPositionOf(x).sign;
}

}  // namespace korvanta
