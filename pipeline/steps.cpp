// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/steps.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/ascendant.h"
#include "astro/ayanamsa.h"
#include "astro/moon.h"
#include "astro/retrograde.h"
#include "astro/time_scales.h"

namespace korvanta {

LagnaResult Lagna_Calculation(const Moment& moment, const Place& place) {
    const double T = CenturiesSince1900(moment);
    LagnaResult result;
    result.ayanamsa = Ayanamsa_1900(T);
    double sidereal =
        TropicalAscendant(T, UniversalHoursOfLocalDate(moment), place.latitude, place.longitude) +
        result.ayanamsa;
    Normalize360(sidereal);
    result.ascendant = sidereal;
    result.ascendantWhole = std::floor(sidereal);
    return result;
}

MoonResult Moon_Calculation(const Moment& moment) {
    const double T = CenturiesSinceJ2000(moment);
    MoonResult result;
    result.ayanamsa = Ayanamsa_2000(T);
    result.longitude = SiderealMoonLongitude(MoonTropicalLongitude(T), result.ayanamsa);
    result.nakStart = NakshatraStart(result.longitude);
    return result;
}

PlanetLongitudes PlanetPositions(const Moment& moment, double ayanamsa) {
    const double d = PlanetDayNumber(moment);
    return {SiderealPlanets(d, ayanamsa), SiderealNodes(d, ayanamsa)};
}

std::array<bool, 5> Retrograde_Calculation(const Moment& moment) {
    return RetrogradeFlags(moment);
}

}  // namespace korvanta
