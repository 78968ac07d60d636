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

#include "astro/calendar.h"
#include "pipeline/pipeline.h"
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

int CountBreaks(const std::string& text) {
    int n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

TEST(Sweep, EveryDayOf1901To2050) {
    int step = 1;
    if (const char* env = std::getenv("KORVANTA_SWEEP_STEP")) step = std::max(1, std::atoi(env));

    const std::int32_t first = DaysFromCivil(1901, 1, 1);
    const std::int32_t last = DaysFromCivil(2050, 12, 31);
    ChartResult r;
    int charts = 0, failures = 0;
    for (std::int32_t day = first; day <= last && failures < 20; day += step, ++charts) {
        const CivilDateTime date = SplitDateTime(day);
        const int k = day - first;
        testing::Birth b;
        b.year = date.year, b.month = date.month, b.day = date.day;
        b.hour = (k * 7) % 24, b.minute = (k * 13) % 60, b.second = (k * 17) % 60;
        b.lonDeg = (k * 37) % 180, b.lonMin = (k * 11) % 60, b.east = (k % 2) == 0;
        b.latDeg = (k * 23) % 90, b.latMin = (k * 29) % 60, b.south = (k % 3) == 0;
        b.zone = k % 71;
        b.dst = (k % 5) == 0;
        const auto refusal = CalculateChart(testing::FormOf(b), r);
        ASSERT_FALSE(refusal) << refusal->message;
        const std::string where = std::to_string(date.year) + "-" + std::to_string(date.month) +
                                  "-" + std::to_string(date.day);
        auto check = [&](bool ok, const std::string& what) {
            if (!ok) {
                ++failures;
                ADD_FAILURE() << where << ": " << what;
            }
        };

        // Each body exactly once, in the cell of its sign.
        for (int slot = 0; slot < 10; ++slot) {
            const int sign = SignOf(r.birthChartList[static_cast<std::size_t>(slot)]);
            check(sign >= 0, "no sign in " + r.birthChartList[static_cast<std::size_t>(slot)]);
            if (sign < 0) continue;
            const std::string line = "\r\n" + r.chart.BodyName[static_cast<std::size_t>(slot)];
            const std::string& cell = r.captions.signCells[static_cast<std::size_t>(sign)];
            const auto at = cell.find(line);
            check(at != std::string::npos && (at + line.size() == cell.size() ||
                                              cell.compare(at + line.size(), 2, "\r\n") == 0),
                  "body " + std::to_string(slot) + " not in its cell");
        }
        int lines = 0;
        for (const auto& cell : r.captions.signCells) lines += CountBreaks(cell);
        check(lines == 10, "cells hold " + std::to_string(lines) + " bodies");

        for (const auto pada : r.arudha.Pada) check(pada >= 0 && pada <= 11, "pada out of range");
        check(r.arudha.Pada[11] == r.arudha.ULSignIndex, "UL is not the 12th pada");
        const int asc = SignOf(r.birthChartList[kAsc]);
        check(r.arudha.ULHouse == (r.arudha.ULSignIndex - asc + 12) % 12 + 1, "UL house");
        check(r.captions.lblULPresentHouse == "House " + std::to_string(r.arudha.ULHouse),
              "UL caption");

        // Marks: 12 padas + the lagna lord's, then at most nine bare breaks;
        // the only visible text is one "UL".
        int breaks = 0;
        std::string visible;
        for (const auto& cell : r.captions.lblArudha) {
            breaks += CountBreaks(cell);
            for (char ch : cell) {
                if (ch != '\r' && ch != '\n') visible += ch;
            }
        }
        check(breaks >= 13 && breaks <= 13 + 9, "marks: " + std::to_string(breaks));
        check(visible == "UL", "visible marks: " + visible);

        for (double v : {r.chart.Ascendant, r.chart.MoonLongitude, r.chart.Ayanamsa,
                         r.chart.MoonNakStart, r.chart.SunriseSunLongitude}) {
            check(std::isfinite(v), "not finite");
        }
        check(!r.captions.lblVedicName.empty(), "no profile");
    }
    EXPECT_GT(charts, 54787 / step - 2);
}

}  // namespace
}  // namespace korvanta
