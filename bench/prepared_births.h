// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark's births, each with what the calculation holds just before
// each stage, so that a stage can be timed on its own with the inputs it
// really receives.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "calendar/calendar.h"
#include "pipeline/pipeline.h"
#include "pipeline/steps.h"

namespace korvanta::bench {

struct PreparedBirth {
    EntryForm form;
    Birth birth;  // what the entry check accepted
    Chart chart;  // the whole calculation, as CalculateChart returns it
    // The birth moment on its own date, the day before and the day after.
    std::array<Moment, 3> sunriseDays;
    // The Moment of the reference sunrise; empty without one.
    std::optional<Moment> referenceSunrise;
    double utJulianDay = 0;              // the birth moment, UT, as a Julian day
    double latitude = 0, longitude = 0;  // degrees, north and east positive
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
