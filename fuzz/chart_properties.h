// What must hold for every chart the pipeline computes, and whether two
// results are the same in every field. Shared by the fuzz targets.
#pragma once

#include <string>

#include "pipeline/pipeline.h"

namespace korvanta::fuzz {

// The first property of `result` (computed from the accepted `form`) that
// does not hold, or an empty text.
std::string ChartFaults(const EntryForm& form, const ChartResult& result);

// The first field in which `a` and `b` differ, or an empty text.
std::string ResultDifference(const ChartResult& a, const ChartResult& b);

}  // namespace korvanta::fuzz
