// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/steps.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/ascendant.h"
#include "astro/ayanamsa.h"
#include "astro/calendar.h"
#include "astro/moon.h"
#include "astro/retrograde.h"
#include "astro/time_scales.h"

namespace korvanta {
namespace {

double BirthUniversalHours(const Birth& birth) {
    return UniversalHours(birth.hour, birth.minute, birth.dst, birth.zoneHours, birth.zoneMinutes);
}

}  // namespace

LagnaResult Lagna_Calculation(const Birth& birth) {
    // West longitudes count positive here, south latitudes negative.
    double westLongitude = birth.lonDeg + birth.lonMin / 60.0;
    if (birth.east) westLongitude = -westLongitude;
    double latitude = birth.latDeg + birth.latMin / 60.0;
    if (birth.south) latitude = -latitude;

    const double ut = BirthUniversalHours(birth);
    const double T = CenturiesSince1900(JulianDayNumber(birth.month, birth.day, birth.year), ut);
    LagnaResult result;
    result.ayanamsa = Ayanamsa_1900(T);
    double sidereal = TropicalAscendant(T, ut, latitude, westLongitude) + result.ayanamsa;
    Normalize360(sidereal);
    result.ascendant = sidereal;
    result.ascendantWhole = std::floor(sidereal);
    return result;
}

MoonResult Moon_Calculation(const Birth& birth) {
    const double T = CenturiesSinceJ2000(JulianDayNumber(birth.month, birth.day, birth.year),
                                         BirthUniversalHours(birth));
    MoonResult result;
    result.ayanamsa = Ayanamsa_2000(T);
    result.longitude = SiderealMoonLongitude(MoonTropicalLongitude(T), result.ayanamsa);
    result.nakStart = NakshatraStart(result.longitude);
    return result;
}

double PlanetDayNumber(const Birth& birth, const LocalMinute& local) {
    const double clock =
        DateTimeValue(local.year, local.month, local.day, local.hour, local.minute);
    const int offsetMinutes = (birth.dst ? -60 : 0) + birth.zoneHours * 60 + birth.zoneMinutes;
    const CivilDateTime ut = SplitDateTime(clock + offsetMinutes / 1440.0);
    return DayNumber(ut.year, ut.month, ut.day, ut.hour, ut.minute);
}

PlanetLongitudes PlanetPositions(const Birth& birth, const LocalMinute& local, double ayanamsa) {
    const double d = PlanetDayNumber(birth, local);
    return {SiderealPlanets(d, ayanamsa), SiderealNodes(d, ayanamsa)};
}

std::array<bool, 5> Retrograde_Calculation(const Birth& birth) {
    return RetrogradeFlags(DaysFromCivil(birth.year, birth.month, birth.day) +
                           (birth.hour * 60.0 + birth.minute) / 1440.0);
}

}  // namespace korvanta
