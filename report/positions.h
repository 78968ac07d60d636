// SPDX-License-Identifier: GPL-3.0-or-later
// The two position texts of a longitude.
#pragma once

#include <string>

namespace korvanta {

// Long position text: degrees within the sign, minutes, seconds and the sign
// abbreviation, "5° 7' 9\" Ari". Given: degrees, finite (the absolute value
// is used; 360 reads as 0° Ari).
std::string FormatSignPosition(double x);

// Short position text "DD Sss MM": whole degrees within the sign and minutes,
// both two digits, around the abbreviation: "05 Ari 07".
std::string ShortPosition(double x);

// The degrees, minutes and seconds of the long text without the sign:
// "11° 54' 19\"".
std::string DegreesWithinSign(double x);

}  // namespace korvanta
