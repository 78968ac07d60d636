// SPDX-License-Identifier: GPL-3.0-or-later
// The births the report tests calculate, and their charts and reports.
#pragma once

#include <gtest/gtest.h>

#include <variant>

#include "pipeline/pipeline.h"
#include "report/report.h"
#include "support/chart_fixtures.h"

namespace korvanta::testing {

// The README's example: New Delhi, 5 June 1980, 9:05:30, Indian time.
inline Birth NewDelhi1980() {
    Birth b = SampleBirth();
    b.name = "ASHA RAO";
    b.year = 1980, b.month = 6, b.day = 5, b.hour = 9, b.minute = 5, b.second = 30;
    b.latDeg = 28, b.latMin = 36, b.lonDeg = 77, b.lonMin = 12, b.east = true;
    b.zoneIndex = 34;
    b.city = "New Delhi", b.state = "Delhi", b.country = "India";
    return b;
}

// Longyearbyen at midsummer: the Sun neither rises nor sets.
inline Birth LongyearbyenMidsummer() {
    Birth b = SampleBirth();
    b.name = "POLAR";
    b.year = 2000, b.month = 6, b.day = 21, b.hour = 12;
    b.latDeg = 78, b.latMin = 13, b.lonDeg = 15, b.lonMin = 39, b.east = true;
    b.zoneIndex = 20;  // Central European Time
    return b;
}

struct Calculation {
    Chart chart;
    ChartReport report;
};

inline Calculation Calculated(const Birth& birth) {
    auto outcome = CalculateChart(FormOfBirth(birth));
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        ADD_FAILURE() << "refused: " << refusal->message;
        return {};
    }
    const BirthChart& computed = std::get<BirthChart>(outcome);
    return {computed.chart, BuildReport(computed.birth, computed.chart)};
}

}  // namespace korvanta::testing
