// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/atlas.h"

namespace korvanta::atlas {

std::optional<AtlasFinding> LookUpBirthPlace(double latitudeDeg, double longitudeDeg,
                                             std::string_view ianaZone,
                                             const LocalBirthTime& local) {
    const std::optional<EntryCoordinates> coordinates =
        ToEntryCoordinates(latitudeDeg, longitudeDeg);
    if (!coordinates) return std::nullopt;
    return AtlasFinding{*coordinates, FindBirthZone(ianaZone, local)};
}

std::optional<AtlasFinding> LookUpBirthPlace(const Place& place, const LocalBirthTime& local) {
    return LookUpBirthPlace(place.latitude, place.longitude, place.timeZone, local);
}

}  // namespace korvanta::atlas
