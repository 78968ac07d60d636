// SPDX-License-Identifier: GPL-3.0-or-later
// The plausibility check of a chosen zone against the longitude entered.
#pragma once

#include <string>

namespace korvanta::atlas {

// Largest difference between a zone's offset and the longitude's solar offset
// that passes without a note, in seconds of time.
inline constexpr int kZoneCheckToleranceSeconds = 3 * 3600;

struct ZoneCheck {
    bool farFromLongitude = false;  // difference > kZoneCheckToleranceSeconds
    int differenceSeconds = 0;      // zone offset minus solar offset, seconds of time
    std::string note;               // one line for the window; empty when nothing to say
};

// Compares the offset of zone-list row `zoneRow` (0..70, or 71 "Other UTC
// offset" with its offset `utcOffsetMinutes`, local minus UT) with the solar offset
// of the longitude (degrees 0..179, minutes 0..59, isEast: the East option),
// longitude / 15 hours, east positive. No wrap across the date line: the chart
// reads the side of Greenwich from the longitude, so a zone on the other side
// of the date line is worth a note too.
// Returned: the difference and, when it exceeds three hours, a note naming the
// likely mistake (the East/West option when the other hemisphere would fit
// and `mayDoubtHemisphere`, else the zone). An index outside 0..71 gives no
// note. A longitude that came from the atlas has its hemisphere right, so
// callers pass false for it.
ZoneCheck CheckZoneAgainstLongitude(int zoneRow, int lonDeg, int lonMin, bool isEast,
                                    bool mayDoubtHemisphere = true, int utcOffsetMinutes = 0);

}  // namespace korvanta::atlas
