// SPDX-License-Identifier: GPL-3.0-or-later
// What must hold for every chart the calculation gives and for its report,
// and whether two calculations gave the same in every field. Shared by the
// fuzz targets.
#pragma once

#include <string>

#include "pipeline/pipeline.h"
#include "report/report.h"

namespace korvanta::fuzz {

// The first property of `chart` and its `report` (computed from the accepted
// `form`) that does not hold, or an empty text.
std::string ChartFaults(const EntryForm& form, const Chart& chart, const ChartReport& report);

// The first field in which the two charts or the two reports differ, or an
// empty text.
std::string ResultDifference(const Chart& a, const ChartReport& ra, const Chart& b,
                             const ChartReport& rb);

}  // namespace korvanta::fuzz
