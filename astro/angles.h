// SPDX-License-Identifier: GPL-3.0-or-later
// Angles: the conversion factors every astronomy routine shares, the
// four-quadrant arctangent, the reduction into one turn, and a longitude's
// sign with its degrees, minutes and seconds within the sign.
#pragma once

#include <cstdint>

namespace korvanta {

inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kPi = 3.14159265358979;
inline constexpr int kSignsInZodiac = 12;
inline constexpr double kDegreesPerSign = 30.0;

// Four-quadrant arctangent with its own rules at x = 0: the sign of y times
// pi/2 (0 when y is 0 too).
// Given: y, x (any finite values). Returned: radians in [-pi, pi].
double ArcTan2(double y, double x);

// Brings x into [0, 360] with at most one addition and one subtraction of
// 360, so a value more than a turn outside stays outside.
// Given: x in degrees. Returned: the same value written back into x.
double Normalize360(double& x);

// A longitude split as the position texts show it: the sign, the whole
// degrees within it, and minutes and seconds cut (never rounded) from the
// fraction. Every sign the chart marks is read through this one split, so a
// body and its text always agree.
// Given: x in degrees, finite; its absolute value is used. Returned: sign
// 0..11 (0 = Aries; 360 degrees is 0 Aries), degrees 0..29, minutes and
// seconds 0..59.
struct SignPosition {
    int sign = 0;
    int degrees = 0;
    int minutes = 0;
    int seconds = 0;
};
SignPosition SignPositionOf(double x);

// The sign of SignPositionOf(x), without the rest: the one rounding rule by
// which every sign of a longitude is read.
// Given: x in degrees, finite. Returned: 0..11.
int SignOfLongitude(double x);

}  // namespace korvanta
