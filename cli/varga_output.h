// SPDX-License-Identifier: GPL-3.0-or-later
// The "vargas" object that --vargas (or a batch record's "vargas": true)
// adds to a chart's JSON: one key per divisional chart, "D1" .. "D60".
#pragma once

#include "library/birth_record.h"
#include "pipeline/chart.h"

namespace korvanta {

// {"D1": {"signs": [10 sign indexes: Sun, Moon, Mercury, Venus, Mars,
// Jupiter, Saturn, Rahu, Ketu, Asc], "padas": [12 sign indexes, houses
// 1..12], "ul_sign_index": 0..11, "ul_house": 1..12}, "D2": ...}.
Json VargasJson(const Chart& chart);

}  // namespace korvanta
