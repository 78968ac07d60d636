// SPDX-License-Identifier: GPL-3.0-or-later
// One calculated chart as the command line's JSON object: the input record
// echoed, the astronomy, the chart's captions, the arudha padas and the UL,
// "Your Details", the sunrise reference, the special points and the UL
// sign's profile.
#pragma once

#include <string>

#include "library/birth_record.h"
#include "pipeline/chart.h"
#include "report/report.h"

namespace korvanta {

// The chart object of a chart and its report, computed from the entry that
// `input` describes. Keys in a fixed order; missing values are null.
Json ChartJson(const Chart& chart, const ChartReport& report, const Json& input);

// The profile object of the report's profile row 0..11 (ProfileRow); null
// for any other row.
Json ProfileJson(int profileRow);

// Writes chart objects as lines of compact JSON, the same text as dumping
// ChartJson, for many charts in a row: it keeps one document and refills it,
// so a line costs few allocations, and serialises only what changes.
class ChartLineWriter {
  public:
    // Appends the object of a chart and its report to `line`, without a
    // line break.
    // `inputText` is the input record's JSON text (one object), echoed as
    // it came.
    void Append(const Chart& chart, const ChartReport& report, std::string_view inputText,
                std::string& line);

  private:
    Json document_ = Json::object();  // every key but "input" and "profile"
    std::string rest_;
};

}  // namespace korvanta
