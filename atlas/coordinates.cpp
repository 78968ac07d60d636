// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/coordinates.h"

#include <cmath>

namespace korvanta::atlas {
namespace {

struct DegreesMinutes {
    int degrees = 0;
    int minutes = 0;
};

// |value| rounded to whole arc-minutes, kept below `limitDegrees`.
DegreesMinutes RoundToMinutes(double value, int limitDegrees) {
    long long totalMinutes = std::llround(std::fabs(value) * 60.0);
    const long long limitMinutes = static_cast<long long>(limitDegrees) * 60;
    if (totalMinutes >= limitMinutes) totalMinutes = limitMinutes - 1;
    return {static_cast<int>(totalMinutes / 60), static_cast<int>(totalMinutes % 60)};
}

}  // namespace

std::optional<EntryCoordinates> ToEntryCoordinates(double latitudeDeg, double longitudeDeg) {
    if (!std::isfinite(latitudeDeg) || !std::isfinite(longitudeDeg)) return std::nullopt;
    if (std::fabs(latitudeDeg) > 90.0) return std::nullopt;

    // Into -180..180; both ends stay as given.
    double longitude = longitudeDeg;
    if (std::fabs(longitude) > 180.0) {
        longitude = std::fmod(longitude, 360.0);
        if (longitude > 180.0) longitude -= 360.0;
        if (longitude < -180.0) longitude += 360.0;
    }

    const DegreesMinutes lon = RoundToMinutes(longitude, 180);
    const DegreesMinutes lat = RoundToMinutes(latitudeDeg, 90);
    EntryCoordinates entry;
    entry.LonDeg = lon.degrees;
    entry.LonMin = lon.minutes;
    entry.IsEast = longitude >= 0.0 || (lon.degrees == 0 && lon.minutes == 0);
    entry.LatDeg = lat.degrees;
    entry.LatMin = lat.minutes;
    entry.IsSouth = latitudeDeg < 0.0 && (lat.degrees != 0 || lat.minutes != 0);
    return entry;
}

}  // namespace korvanta::atlas
