// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the row of the zone list that stands for a UTC offset, and the
// offset texts the atlas writes in its notes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta::atlas {

// Offset east of UT, in seconds, of zone-list row `rowIndex` (0..70): the
// negated correction of the row ("Indian Time, IST, +5.3" gives +19800).
// Empty for any other index.
std::optional<int> ZoneRowOffsetSeconds(int rowIndex);

// Abbreviation of row `rowIndex` (0..70): the second comma field of its text,
// without blanks ("EST", "IST", "AEST"). Empty text for any other index.
std::string_view ZoneRowAbbreviation(int rowIndex);

// The row (0-based index into the zone list) whose offset equals
// `offsetSeconds` (east of UT, seconds). Among equal offsets: the row whose
// abbreviation equals `abbreviation` (case-sensitive, e.g. "CET"), else the
// first row whose name ends in "Standard Time", else the first row in list
// order. Empty when no row has that offset (Nepal's +5:45, any offset with
// seconds such as Amsterdam's +0:19:32).
std::optional<int> ZoneRowForOffset(int offsetSeconds, std::string_view abbreviation);

// An offset east of UT as the notes write it: "UTC+5:30", "UTC-4", "UTC+0",
// "UTC+0:19:32" (hours without padding, minutes and seconds only when needed).
std::string FormatUtcOffset(int offsetSeconds);

}  // namespace korvanta::atlas
