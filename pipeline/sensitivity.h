// SPDX-License-Identifier: GPL-3.0-or-later
// How the chart's main results move with the birth time: each quantity over a
// span of clock time around the birth, the rest of the birth held fixed, cut
// into segments where it keeps one value, each change found to the second
// with the chart calculation itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "pipeline/birth.h"
#include "pipeline/chart.h"
#include "pipeline/positions_source.h"

namespace korvanta {

// The quantities followed, one row each, in the order they are shown.
enum class SensitivityRow {
    Ascendant,      // sign 0..11 of the ascendant
    UpapadaSign,    // sign 0..11 of the Upapada Lagna
    UpapadaHouse,   // house 1..12 of the Upapada Lagna
    ArudhaLagna,    // sign 0..11 of the first house's pada
    MoonSign,       // sign 0..11 of the Moon
    MoonNakshatra,  // nakshatra 0..26 of the Moon
    Retrograde,     // retrograde marks: bit k for Mercury, Venus, Mars, Jupiter, Saturn
    SunriseCase,    // SunriseCase below, as its number
    // sign 0..11 of the ascendant in the Navamsa (D9), which changes every
    // few minutes
    NavamsaAscendant,
    NavamsaUpapada,  // sign 0..11 of the Upapada Lagna of the Navamsa
};
inline constexpr std::size_t kSensitivityRows = 10;

// Where the birth falls with respect to its reference sunrise; NoSunrise when
// the chart has none (polar day or night).
enum class SunriseCase { BeforeSunrise, Day, AfterSunset, NoSunrise };

// The spans offered, in minutes on either side of the birth.
inline constexpr std::array<int, 4> kSensitivitySpans = {15, 30, 60, 120};
bool IsSensitivitySpan(int minutes);

// Clock moments are whole seconds since 30 December 1899 00:00, local clock
// of the birth place (the date-time values of calendar/calendar.h times 86400).
std::int64_t ClockSecondsOf(const Birth& birth);
// The birth with its date and clock time moved to `clockSeconds`; place, zone
// correction and daylight saving stay as they are.
Birth BirthAtClock(const Birth& birth, std::int64_t clockSeconds);

// The first and last moments the entry accepts: 1901-01-01 00:00:00 and
// 2050-12-31 23:59:59.
std::int64_t FirstAcceptedClockSecond();
std::int64_t LastAcceptedClockSecond();

// The value of each row in a calculated chart, by SensitivityRow.
using SensitivityValues = std::array<int, kSensitivityRows>;
SensitivityValues SensitivityValuesOf(const Chart& chart);

// One stretch of a row with one value: it holds from `from` (its first
// second) until `to`, where the next segment's value begins; the last
// segment of a row holds until `to` inclusive, the end of the span.
struct SensitivitySegment {
    std::int64_t from = 0;
    std::int64_t to = 0;
    int value = 0;
};

struct SensitivityStrip {
    int spanMinutes = 60;
    std::int64_t birth = 0;  // the birth moment
    std::int64_t start = 0;  // first moment of the span
    std::int64_t end = 0;    // last moment of the span, included
    // Whether the span was cut short at the first or last accepted moment.
    bool cutAtStart = false;
    bool cutAtEnd = false;
    // By SensitivityRow; every row covers start..end without gaps.
    std::array<std::vector<SensitivitySegment>, kSensitivityRows> rows;

    const std::vector<SensitivitySegment>& Row(SensitivityRow row) const {
        return rows[static_cast<std::size_t>(row)];
    }
};

// The strip of a birth over `spanMinutes` before and after its clock time
// (any positive count; the program offers kSensitivitySpans).
SensitivityStrip BirthTimeSensitivity(const Birth& birth, int spanMinutes);

// The same with every chart made from `source` (CalculateChart with a
// source); the source's first error instead of the strip.
std::variant<AstronomyError, SensitivityStrip> BirthTimeSensitivity(const Birth& birth,
                                                                    int spanMinutes,
                                                                    PositionsSource& source);

// The segment of a row that holds the birth moment.
const SensitivitySegment& SegmentAtBirth(const SensitivityStrip& strip, SensitivityRow row);

}  // namespace korvanta
