// SPDX-License-Identifier: GPL-3.0-or-later
// The 71 time zones of the zone list and the zone correction they give.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

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

// The zone correction of a row: UT minus local standard time, signed hours
// and minutes of the same sign.
struct ZoneCorrection {
    int hours = 0;
    int minutes = 0;
};

// Given: the selected row 0..70. Returned: its correction; any other index
// (-1: nothing selected) gives no correction (0, 0).
ZoneCorrection Zone_Calculation(int selectedIndex);

}  // namespace korvanta
