// One calculated chart as the command line's JSON object: the input record
// echoed, the astronomy, the chart's captions, the arudha padas and the UL,
// "Your Details", the sunrise reference, the special points and the UL
// sign's profile.
#pragma once

#include <string>

#include "cli/input_record.h"
#include "pipeline/pipeline.h"

namespace korvanta {

// A date-time (days since 30 December 1899, local clock) as
// "YYYY-MM-DD HH:MM", with ":SS" appended when the seconds are not zero.
std::string DateTimeText(double dateTime);

// The chart object for `result`, computed from the entry that `input`
// describes. Keys in a fixed order; missing values are null.
Json ChartJson(const ChartResult& result, const Json& input);

}  // namespace korvanta
