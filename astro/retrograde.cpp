// SPDX-License-Identifier: GPL-3.0-or-later
// Retrograde marks of Mercury to Saturn from the station tables.

#include "astro/retrograde.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "astro/stations.h"

namespace korvanta {
namespace {

// Whether the calendar day lies strictly inside one of the table's periods:
// after the retrograde station's date and before the direct station's date.
// The rows are ascending and each ends on an earlier day than the next
// begins (checked when the table is compiled), so the only candidate is the
// first period whose direct station falls after the day.
bool InsideAPeriod(std::span<const RetrogradePeriod> periods, std::int32_t dayNumber) {
    const auto candidate = std::upper_bound(
        periods.begin(), periods.end(), dayNumber,
        [](std::int32_t day, const RetrogradePeriod& period) { return day < period.directDay; });
    return candidate != periods.end() && candidate->retrogradeDay < dayNumber;
}

// The calendar day number of a date-time value; values too far out to be a
// day number give no value (they lie outside every table anyway).
std::optional<std::int32_t> DayNumberOf(double dateTime) {
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 1.0e9) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::floor(dateTime));
}

}  // namespace

bool IsRetrograde(RetroPlanet planet, double localMoment) {
    const std::optional<std::int32_t> day = DayNumberOf(localMoment);
    if (!day) return false;
    const auto index = static_cast<std::size_t>(planet);
    return index < StationTables().size() && InsideAPeriod(StationTables()[index].periods, *day);
}

std::array<bool, kRetroPlanetCount> RetrogradeFlags(const Moment& moment) {
    std::array<bool, kRetroPlanetCount> flags{};
    const std::int32_t day = moment.LocalDay();
    for (int k = 0; k < kRetroPlanetCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        flags[index] =
            index < StationTables().size() && InsideAPeriod(StationTables()[index].periods, day);
    }
    return flags;
}

}  // namespace korvanta
