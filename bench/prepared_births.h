// The benchmark's births, each with the records as the pipeline holds them
// just before each stage, so that a stage can be timed on its own with the
// inputs it really receives.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "pipeline/pipeline.h"

namespace korvanta::bench {

struct PreparedBirth {
    EntryForm form;
    ChartResult result;                     // the whole calculation, as CalculateChart leaves it
    BirthData birth;                        // with its text copies
    ChartRecord birthChart;                 // birth-moment state: what the padas read
    ChartRecord sunriseChart;               // second-moment state: what the sunrise run leaves
    ArudhaState padas;                      // after the twelve pada calls
    std::array<std::string, 12> padaMarks;  // lblArudha after the twelve pada calls
    std::array<CivilDateTime, 3> sunriseDates;  // birth date, the day before, the day after
    double utJulianDay = 0;                     // the birth moment, UT, as a Julian day
    double latitude = 0, longitude = 0;         // degrees, north and east positive
};

// The spread of BirthSpread(count), prepared. Aborts when a birth is refused,
// which would make every figure meaningless.
const std::vector<PreparedBirth>& PreparedBirths();

// Births per benchmark pass.
inline constexpr std::size_t kBirthCount = 1000;

// Index of the next birth, cycling through the spread.
inline std::size_t NextBirth(std::size_t k) {
    return k + 1 == kBirthCount ? 0 : k + 1;
}

}  // namespace korvanta::bench
