// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/zone_check.h"

#include <cstdlib>

#include "atlas/zone_rows.h"
#include "pipeline/zones.h"

namespace korvanta::atlas {
namespace {

// One arc-minute of longitude is four seconds of time.
int SolarOffsetSeconds(int lonDeg, int lonMin, bool isEast) {
    const int seconds = (lonDeg * 60 + lonMin) * 4;
    return isEast ? seconds : -seconds;
}

std::string HoursAndMinutes(int seconds) {
    const int minutes = (std::abs(seconds) + 30) / 60;
    std::string text = std::to_string(minutes / 60) + " h";
    if (minutes % 60 != 0) text += " " + std::to_string(minutes % 60) + " min";
    return text;
}

}  // namespace

ZoneCheck CheckZoneAgainstLongitude(int zoneRow, int lonDeg, int lonMin, bool isEast,
                                    bool mayDoubtHemisphere, int utcOffsetMinutes) {
    ZoneCheck check;
    const std::optional<int> zoneOffset = zoneRow == kOtherOffsetRow
                                              ? std::optional<int>(utcOffsetMinutes * 60)
                                              : ZoneRowOffsetSeconds(zoneRow);
    if (!zoneOffset) return check;

    const int solar = SolarOffsetSeconds(lonDeg, lonMin, isEast);
    check.differenceSeconds = *zoneOffset - solar;
    check.farFromLongitude = std::abs(check.differenceSeconds) > kZoneCheckToleranceSeconds;
    if (!check.farFromLongitude) return check;

    const int otherSide = *zoneOffset + solar;  // the same longitude in the other hemisphere
    const bool hemisphereFits =
        mayDoubtHemisphere && std::abs(otherSide) <= kZoneCheckToleranceSeconds;
    const std::string_view text = ZoneListText(zoneRow);
    check.note =
        "The zone \"" + std::string(text) + "\" (" + FormatUtcOffset(*zoneOffset) + ") is " +
        HoursAndMinutes(check.differenceSeconds) + " from the solar time of " +
        std::to_string(lonDeg) + "\u00b0" + (lonMin < 10 ? "0" : "") + std::to_string(lonMin) +
        "' " + (isEast ? "East" : "West") + " (" + FormatUtcOffset(solar) + "): " +
        (hemisphereFits ? "is the longitude really " + std::string(isEast ? "East" : "West") + "?"
                        : "please check the zone.");
    return check;
}

}  // namespace korvanta::atlas
