// SPDX-License-Identifier: GPL-3.0-or-later
// The two position texts of a longitude.
#pragma once

#include <string>

#include "astro/angles.h"

namespace korvanta {

// Long position text: degrees within the sign, minutes, seconds and the sign
// abbreviation, "5° 7' 9\" Ari". Given: a longitude split as the chart keeps
// it (SignPositionOf).
std::string FormatSignPosition(const SignPosition& at);

// Short position text "DD Sss MM": whole degrees within the sign and minutes,
// both two digits, around the abbreviation: "05 Ari 07".
std::string ShortPosition(const SignPosition& at);

// The degrees, minutes and seconds of the long text without the sign:
// "11° 54' 19\"".
std::string DegreesWithinSign(const SignPosition& at);

// The same texts appended to `text`, for a report that reuses its storage.
void AppendSignPosition(std::string& text, const SignPosition& at);
void AppendShortPosition(std::string& text, const SignPosition& at);
void AppendDegreesWithinSign(std::string& text, const SignPosition& at);

}  // namespace korvanta
