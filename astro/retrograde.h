// SPDX-License-Identifier: GPL-3.0-or-later
// Retrograde marks of Mercury to Saturn from the station tables.
#pragma once

#include <array>

#include "astro/moment.h"

namespace korvanta {

// The planets with station tables, in the order of the tables.
enum class RetroPlanet { Mercury, Venus, Mars, Jupiter, Saturn };
inline constexpr int kRetroPlanetCount = 5;

// Whether a planet is retrograde at a local date-time: its calendar date lies
// strictly after the date of a retrograde station and strictly before the
// date of the following direct station (stations compare by calendar date
// only, so a birth on the day of a station is never retrograde).
// Given: the date-time, days since 30 December 1899 (local clock). Returned:
// false for a moment outside every table.
bool IsRetrograde(RetroPlanet planet, double localMoment);

// The five marks at once, in RetroPlanet order, on the local civil date of a
// Moment (its clock time, zone and daylight saving never take part).
std::array<bool, kRetroPlanetCount> RetrogradeFlags(const Moment& moment);

}  // namespace korvanta
