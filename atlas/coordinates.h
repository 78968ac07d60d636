// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal coordinates turned into what the entry window takes: whole degrees,
// whole minutes and a hemisphere for each axis.
#pragma once

#include <optional>

namespace korvanta::atlas {

// Coordinates as the entry window holds them. Degrees and minutes are never
// negative; the hemisphere options carry the sign.
struct EntryCoordinates {
    int LonDeg = 0;  // 0..179
    int LonMin = 0;  // 0..59
    bool IsEast = true;
    int LatDeg = 0;  // 0..89
    int LatMin = 0;  // 0..59
    bool IsSouth = false;
};

// Rounds a position to the nearest arc-minute (halves away from zero).
// Given: latitude in decimal degrees, -90..90, north positive; longitude in
// decimal degrees, east positive (any finite value; it is first brought into
// -180..180).
// Returned: the entry-window coordinates, or empty for a non-finite value or a
// latitude beyond the poles.
// A minute count that rounds to 60 carries into the degrees (18°59.7' is
// 19°00'). The window accepts neither 180° of longitude nor 90° of latitude, so
// those become 179°59' and 89°59' in the same hemisphere (an error of one
// arc-minute, four seconds of time). A value that rounds to 0°00' is given as
// East or North.
std::optional<EntryCoordinates> ToEntryCoordinates(double latitudeDeg, double longitudeDeg);

}  // namespace korvanta::atlas
