// SPDX-License-Identifier: GPL-3.0-or-later
// The zone list: 71 named time zones with their fixed offsets, then one row
// "Other UTC offset" whose offset is typed beside it; and the zone correction
// they give.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
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

// The named rows, with their fixed offsets.
inline constexpr int kZoneCount = 71;
extern const std::array<ZoneRow, kZoneCount> kZoneTable;

// The last row of the list, after the named ones: its offset is given
// separately, to the minute, for clocks no named row has (Nepal's +5:45, the
// local mean times of the nineteenth century).
inline constexpr int kOtherOffsetRow = kZoneCount;
inline constexpr std::string_view kOtherOffsetText = "Other UTC offset";
// Rows of the whole list: the named ones and "Other UTC offset".
inline constexpr int kZoneListCount = kZoneCount + 1;
// The offsets the row takes, local standard time minus UT, in minutes:
// -12:00 to +14:00, the span of the world's clocks.
inline constexpr int kMinUtcOffsetMinutes = -12 * 60;
inline constexpr int kMaxUtcOffsetMinutes = 14 * 60;

// Text of list row `index` (0..71); empty for any other index.
std::string_view ZoneListText(int index);

// The zone correction of a row: UT minus local standard time, signed hours
// and minutes of the same sign.
struct ZoneCorrection {
    int hours = 0;
    int minutes = 0;
};

// Given: the selected row 0..70. Returned: its correction; any other index
// (-1: nothing selected) gives no correction (0, 0).
ZoneCorrection Zone_Calculation(int selectedIndex);

// Given: an offset of the clock, local standard time minus UT, in minutes
// ("+05:45" is 345). Returned: the correction, UT minus local standard time,
// in hours and minutes of the same sign (345 gives -5 hours, -45 minutes).
ZoneCorrection OffsetCorrection(int utcOffsetMinutes);

// Given: a list row 0..71 and, for "Other UTC offset", its offset in minutes
// (local minus UT). Returned: the row's correction; Zone_Calculation's for
// rows 0..70.
ZoneCorrection ZoneCorrectionOf(int zoneIndex, int utcOffsetMinutes);

// The offset in an offset text: a sign ("+", "-" or the minus sign U+2212;
// none means "+"), hours of one or two digits, a colon and minutes of two
// digits (00..59), blanks around it allowed: "+05:45", "-3:30", "5:45".
// Returned: minutes, local minus UT, unchecked for range; empty for any
// other text.
std::optional<int> ReadUtcOffset(std::string_view text);

// Whether an offset in minutes lies within -12:00..+14:00.
bool UtcOffsetInRange(int utcOffsetMinutes);

// "+05:45", "-03:30", "+00:00": an offset in minutes as the offset box and
// the command line write it.
std::string UtcOffsetText(int utcOffsetMinutes);

// The zone as a stored birth names it: the row's text, or for "Other UTC
// offset" the text with the offset ("Other UTC offset +05:45"); empty for an
// index outside 0..71.
std::string ZoneChoiceText(int zoneIndex, int utcOffsetMinutes);

// The offset of a ZoneChoiceText of "Other UTC offset"; empty for any other
// text.
std::optional<int> OffsetOfZoneChoiceText(std::string_view text);

}  // namespace korvanta
