// SPDX-License-Identifier: GPL-3.0-or-later
// The "vargas" object that --vargas (or a batch record's "vargas": true)
// adds to a chart's JSON: one key per divisional chart, "D1" .. "D60"; and
// the value of --varga, the divisional chart drawn.
#pragma once

#include <string_view>
#include <variant>

#include "cli/flag_values.h"
#include "library/birth_record.h"
#include "pipeline/chart.h"

namespace korvanta {

// {"D1": {"signs": [10 sign indexes: Sun, Moon, Mercury, Venus, Mars,
// Jupiter, Saturn, Rahu, Ketu, Asc], "padas": [12 sign indexes, houses
// 1..12], "ul_sign_index": 0..11, "ul_house": 1..12}, "D2": ...}.
Json VargasJson(const Chart& chart);

// --varga N: the number of the divisional chart the text chart and the page
// draw, one of 1, 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, 27, 30, 40, 45, 60,
// written as plain digits.
std::variant<int, FlagError> ParseVargaNumber(std::string_view text);

}  // namespace korvanta
