// The 71 time zones of the zone list and the zone correction they give.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "records/records.h"

namespace korvanta {

// One row of the zone list. The correction is UT minus local standard time:
// local time + hours + minutes = UT. The display text is only shown, never
// parsed ("Indian Time, IST, +5.3" means five and a half hours east).
struct ZoneRow {
    std::string_view text;
    std::int16_t hours;
    std::int16_t minutes;  // 0, +30 or -30, same sign as hours
};

inline constexpr int kZoneCount = 71;
extern const std::array<ZoneRow, kZoneCount> kZoneTable;

// Sets chart.ZoneHours and chart.ZoneMinutes from the row at selectedIndex
// (0..70). Any other index (-1: nothing selected) leaves both unchanged.
void Zone_Calculation(int selectedIndex, ChartRecord& chart);

}  // namespace korvanta
