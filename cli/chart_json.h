// SPDX-License-Identifier: GPL-3.0-or-later
// One calculated chart as the command line's JSON object: the input record
// echoed, the astronomy, the chart's captions, the arudha padas and the UL,
// "Your Details", the sunrise reference, the special points and the UL
// sign's profile. The object is written straight from the chart and its
// report into a text buffer (JsonWriter); the single chart's output reads
// that text back into a document to add its parts and indent it.
#pragma once

#include <string>
#include <string_view>

#include "cli/json_writer.h"
#include "library/birth_record.h"
#include "pipeline/chart.h"
#include "report/report.h"

namespace korvanta {

// Writes the keys of the chart object, "input" to "profile", into the object
// `json` has open, so that a caller may add keys of its own before closing
// it. `inputJson` is the input record's JSON text (one object), echoed as it
// is.
void WriteChartKeys(JsonWriter& json, const Chart& chart, const ChartReport& report,
                    std::string_view inputJson);

// Appends the whole chart object to `line`, without a line break.
void AppendChartLine(const Chart& chart, const ChartReport& report, std::string_view inputJson,
                     std::string& line);

// The chart object as a document, computed from the entry that `input`
// describes. Keys in a fixed order; missing values are null.
Json ChartJson(const Chart& chart, const ChartReport& report, const Json& input);

}  // namespace korvanta
