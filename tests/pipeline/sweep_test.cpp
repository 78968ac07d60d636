// SPDX-License-Identifier: GPL-3.0-or-later
// Every day from 1901 to 2050 through the whole calculation, checking what
// must hold for any birth: each body in exactly one sign cell, twelve padas
// in range, the UL's house consistent with its sign, no NaN, no text without
// a sign, and the sunrise marks adding only a few bare line breaks.
//
// One birth per date, rotating through hours, zones (all 71 rows), both
// hemispheres and latitudes up to 89°. KORVANTA_SWEEP_STEP=n samples every
// n-th day (the sanitizer build uses it to stay fast).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calendar/calendar.h"
#include "pipeline/pipeline.h"
#include "report/names.h"
#include "report/report.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

int SignOf(const std::string& shortText) {
    for (int k = 0; k < 12; ++k) {
        if (shortText.size() == 9 &&
            shortText.compare(3, 3, kSignAbbr[static_cast<std::size_t>(k)]) == 0)
            return k;
    }
    return -1;
}

TEST(Sweep, EveryDayOf1901To2050) {
    int step = 1;
    if (const char* env = std::getenv("KORVANTA_SWEEP_STEP")) step = std::max(1, std::atoi(env));

    const std::int32_t first = DaysFromCivil(1901, 1, 1);
    const std::int32_t last = DaysFromCivil(2050, 12, 31);
    int charts = 0, failures = 0;
    for (std::int32_t day = first; day <= last && failures < 20; day += step, ++charts) {
        const CivilDateTime date = SplitDateTime(day);
        const int k = day - first;
        Birth b = testing::SampleBirth();
        b.year = date.year, b.month = date.month, b.day = date.day;
        b.hour = (k * 7) % 24, b.minute = (k * 13) % 60, b.second = (k * 17) % 60;
        b.lonDeg = (k * 37) % 180, b.lonMin = (k * 11) % 60, b.east = (k % 2) == 0;
        b.latDeg = (k * 23) % 90, b.latMin = (k * 29) % 60, b.south = (k % 3) == 0;
        b.zoneIndex = k % 71;
        b.dst = (k % 5) == 0;
        const auto outcome = CalculateChart(FormOfBirth(b));
        ASSERT_TRUE(std::holds_alternative<BirthChart>(outcome))
            << std::get<Refusal>(outcome).message;
        const Chart& chart = std::get<BirthChart>(outcome).chart;
        const ChartReport r = BuildReport(std::get<BirthChart>(outcome).birth, chart);
        const std::string where = std::to_string(date.year) + "-" + std::to_string(date.month) +
                                  "-" + std::to_string(date.day);
        auto check = [&](bool ok, const std::string& what) {
            if (!ok) {
                ++failures;
                ADD_FAILURE() << where << ": " << what;
            }
        };

        // Each body exactly once, in the cell of the sign its position shows.
        for (std::size_t slot = 0; slot < kBodyCount; ++slot) {
            const int sign = SignOf(r.positions[slot].text);
            check(sign >= 0, "no sign in " + r.positions[slot].text);
            if (sign < 0) continue;
            check(sign == chart.sign[slot], "body " + std::to_string(slot) + " sign");
            const auto& bodies = r.cells[static_cast<std::size_t>(sign)].bodies;
            check(std::count(bodies.begin(), bodies.end(), r.bodyNames[slot]) == 1,
                  "body " + std::to_string(slot) + " not in its cell");
        }
        std::size_t lines = 0;
        for (const auto& cell : r.cells) lines += cell.bodies.size();
        check(lines == 10, "cells hold " + std::to_string(lines) + " bodies");

        const ArudhaPadas& padas = chart.padas;
        for (const auto pada : padas.pada) check(pada >= 0 && pada <= 11, "pada out of range");
        check(padas.pada[11] == padas.ulSign, "UL is not the 12th pada");
        const int asc = SignOf(r.positions[Index(korvanta::Body::Asc)].text);
        check(padas.ulHouse == (padas.ulSign - asc + 12) % 12 + 1, "UL house");
        check(r.ulHouse == "House " + std::to_string(padas.ulHouse), "UL caption");

        // Marks: 12 padas + the lagna lord's, then at most nine blank ones;
        // the only visible text is one "UL".
        std::size_t marks = 0;
        std::string visible;
        for (const auto& cell : r.cells) {
            marks += cell.marks.size();
            for (const auto mark : cell.marks) visible += mark;
        }
        check(marks >= 13 && marks <= 13 + 9, "marks: " + std::to_string(marks));
        check(visible == "UL", "visible marks: " + visible);

        for (double v :
             {chart.Longitude(korvanta::Body::Asc), chart.Longitude(korvanta::Body::Moon),
              chart.ayanamsa, chart.moonNakStart, chart.sunrise.sunLongitude}) {
            check(std::isfinite(v), "not finite");
        }
        check(!r.profile[0].text.empty(), "no profile");
    }
    EXPECT_GT(charts, 54787 / step - 2);
}

}  // namespace
}  // namespace korvanta
