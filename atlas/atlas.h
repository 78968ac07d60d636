// SPDX-License-Identifier: GPL-3.0-or-later
// The atlas: place search, and for a place and a local birth time everything
// the entry window needs (coordinates, zone row, daylight saving, a note).
// Standard library types only; no Qt.
#pragma once

#include <optional>
#include <string_view>

#include "atlas/birth_zone.h"
#include "atlas/coordinates.h"
#include "atlas/places.h"
#include "atlas/zone_check.h"
#include "atlas/zone_history.h"
#include "atlas/zone_rows.h"

namespace korvanta::atlas {

struct AtlasFinding {
    EntryCoordinates coordinates;
    BirthZoneFinding zone;
};

// Coordinates and zone findings for a position and a local birth time.
// Given: latitude and longitude in decimal degrees (north and east positive),
// the IANA zone name of the place, the local clock date and time.
// Returned: empty only when the position is unusable (see ToEntryCoordinates);
// an unknown zone or impossible date is reported in `zone.status`.
std::optional<AtlasFinding> LookUpBirthPlace(double latitudeDeg, double longitudeDeg,
                                             std::string_view ianaZone,
                                             const LocalBirthTime& local);

// The same for a place found by SearchPlaces or ResolvePlace.
std::optional<AtlasFinding> LookUpBirthPlace(const Place& place, const LocalBirthTime& local);

}  // namespace korvanta::atlas
