// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/birth.h"

#include "calendar/calendar.h"

namespace korvanta {

Moment MomentOf(const Birth& birth) {
    const std::int64_t local =
        std::int64_t{DaysFromCivil(birth.year, birth.month, birth.day)} * kSecondsPerDay +
        std::int64_t{birth.hour} * 3600 + birth.minute * 60 + birth.second;
    return MomentOfLocal(local, birth.zoneHours * 60 + birth.zoneMinutes, birth.dst);
}

Place PlaceOf(const Birth& birth) {
    double latitude = birth.latDeg + birth.latMin / 60.0;
    if (birth.south) latitude = -latitude;
    double longitude = birth.lonDeg + birth.lonMin / 60.0;
    if (!birth.east) longitude = -longitude;
    return {latitude, longitude};
}

}  // namespace korvanta
