// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the core tests: a sample birth, the Moment of a local
// clock minute, and the gap between two longitudes.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "pipeline/birth.h"
#include "pipeline/entry.h"

namespace korvanta::testing {

// A birth with every field filled, for tests that set only what they vary:
// "TEST", noon of 1 January 2000 at 0°N 0°E in the default zone row. Its
// entry form is FormOfBirth's, and a chart is computed from that form.
inline Birth SampleBirth() {
    Birth b;
    b.name = "TEST";
    b.year = 2000, b.month = 1, b.day = 1, b.hour = 12;
    b.east = true;
    b.zoneIndex = kDefaultZoneIndex;
    b.city = "City", b.state = "State", b.country = "Country";
    return b;
}

// A local clock minute, and the Moment of it with a birth's zone and daylight
// saving.
struct LocalMinute {
    int year = 1901, month = 1, day = 1, hour = 0, minute = 0;
};
inline Moment MomentAt(const Birth& birth, const LocalMinute& local) {
    Birth at = birth;
    at.year = local.year, at.month = local.month, at.day = local.day;
    at.hour = local.hour, at.minute = local.minute, at.second = 0;
    return MomentOf(at);
}

// Smallest difference of two longitudes in degrees, across 0°/360°.
inline double AngleGap(double a, double b) {
    double gap = std::fmod(std::fabs(a - b), 360.0);
    return gap > 180.0 ? 360.0 - gap : gap;
}

}  // namespace korvanta::testing
