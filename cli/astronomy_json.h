// SPDX-License-Identifier: GPL-3.0-or-later
// The keys a chart of the precise astronomy adds to its JSON object.
#pragma once

#include "library/birth_record.h"
#include "pipeline/chart.h"

namespace korvanta {

// {"astronomy": "precise", "node": "mean", "sunrise_kind": "limb",
// "longitudes": {"Sun": …, …, "Asc": …}}: the choices, and the ten points'
// sidereal longitudes in degrees at full precision. Given a chart of the
// precise astronomy; an empty object for a classic chart, whose JSON has
// always gone without them.
Json AstronomyJson(const Chart& chart);

}  // namespace korvanta
