// SPDX-License-Identifier: GPL-3.0-or-later
// The keys a chart of the precise astronomy adds to its JSON object.
#pragma once

#include "cli/json_writer.h"
#include "library/birth_record.h"
#include "pipeline/chart.h"

namespace korvanta {

// "astronomy": "precise", "node": "mean", "sunrise_kind": "limb",
// "longitudes": {"Sun": …, …, "Asc": …}: the choices, and the ten points'
// sidereal longitudes in degrees at full precision, written as keys of the
// object `json` is in. Nothing for a classic chart, whose JSON has always
// gone without them.
void WriteAstronomyKeys(JsonWriter& json, const Chart& chart);

// The same keys as an object, for the single chart's JSON document.
Json AstronomyJson(const Chart& chart);

}  // namespace korvanta
