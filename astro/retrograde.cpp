// Retrograde marks of Mercury to Saturn from the station tables.

#include "astro/retrograde.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "astro/stations.h"

namespace korvanta {
namespace {

// The planets with station tables, in the order of RetroFlags and of the
// tables, with their BodyName slots.
constexpr std::array<std::string_view, 5> kRetroPlanetNames = {"Mercury", "Venus", "Mars",
                                                               "Jupiter", "Saturn"};
constexpr std::array<int, 5> kRetroPlanetSlots = {kMercury, kVenus, kMars, kJupiter, kSaturn};

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

bool IsRetrograde(std::string_view planetName, double birthMoment) {
    const std::optional<std::int32_t> birthDay = DayNumberOf(birthMoment);
    if (!birthDay) {
        return false;
    }
    for (const StationTable& table : StationTables()) {
        if (table.planetName == planetName) {
            return InsideAPeriod(table.periods, *birthDay);
        }
    }
    return false;
}

void Retrograde_Calculation(const BirthData& birth, ChartRecord& chart) {
    // The local clock as entered: the zone, daylight saving and the seconds
    // never take part, and only the date can change the outcome.
    const double birthMoment = CivilDayNumber(birth.BirthYear, birth.BirthMonth, birth.BirthDay) +
                               (birth.BirthHour * 60.0 + birth.BirthMinute) / 1440.0;
    for (std::size_t k = 0; k < kRetroPlanetNames.size(); ++k) {
        chart.RetroFlags[k] = IsRetrograde(kRetroPlanetNames[k], birthMoment);
    }
    // Plain names first, so a second calculation never keeps an old mark.
    for (std::size_t slot = 0; slot < kPlainBodyNames.size(); ++slot) {
        chart.BodyName[slot] = kPlainBodyNames[slot];
    }
    for (std::size_t k = 0; k < kRetroPlanetSlots.size(); ++k) {
        if (chart.RetroFlags[k]) {
            chart.BodyName[static_cast<std::size_t>(kRetroPlanetSlots[k])] += kRetroMark;
        }
    }
}

}  // namespace korvanta
