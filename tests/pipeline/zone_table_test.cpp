// SPDX-License-Identifier: GPL-3.0-or-later
// Every row of the zone list: the offset its text shows (local time minus UT,
// "+5.3" or "+5.5" for five and a half hours east, "-3.5" for three and a
// half west) agrees with the correction Zone_Calculation gives for its index
// (UT minus local time, hours and minutes of the same sign), read from the
// text independently of the numbers.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "pipeline/zones.h"

namespace korvanta {
namespace {

// The offset a row's text shows, in minutes east of Greenwich: its last
// comma-separated field, a sign, whole hours and one decimal that marks a
// half hour (".5", or ".3" as the Indian row writes it) or none (".0").
// Returns false when the field is not of that form.
bool WrittenOffsetMinutes(std::string_view text, int& minutes) {
    const std::size_t comma = text.rfind(',');
    if (comma == std::string_view::npos) return false;
    std::string_view field = text.substr(comma + 1);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    if (field.size() < 3) return false;
    const int sign = field.front() == '-' ? -1 : 1;
    if (field.front() == '+' || field.front() == '-') field.remove_prefix(1);
    const std::size_t dot = field.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 2 != field.size()) return false;
    int hours = 0;
    for (const char c : field.substr(0, dot)) {
        if (c < '0' || c > '9') return false;
        hours = hours * 10 + (c - '0');
    }
    const char tenth = field[dot + 1];
    if (tenth != '0' && tenth != '3' && tenth != '5') return false;
    minutes = sign * (hours * 60 + (tenth == '0' ? 0 : 30));
    return true;
}

TEST(ZoneTableInFull, EachRowsTextAgreesWithItsNumbers) {
    ASSERT_EQ(kZoneTable.size(), 71u);
    std::set<std::string_view> texts;
    for (std::size_t index = 0; index < kZoneTable.size(); ++index) {
        const std::string_view text = kZoneTable[index].text;
        EXPECT_TRUE(texts.insert(text).second) << "row " << index << " repeats " << text;
        int eastMinutes = 0;
        ASSERT_TRUE(WrittenOffsetMinutes(text, eastMinutes)) << "row " << index << ": " << text;
        const ZoneCorrection zone = Zone_Calculation(static_cast<int>(index));
        EXPECT_EQ(zone.hours * 60 + zone.minutes, -eastMinutes)
            << text << ": expected " << -eastMinutes << " minutes, got " << zone.hours << " h "
            << zone.minutes << " min";
        // Hours and minutes share the correction's sign.
        EXPECT_FALSE((zone.hours > 0 && zone.minutes < 0) || (zone.hours < 0 && zone.minutes > 0))
            << text;
    }
    EXPECT_EQ(Zone_Calculation(-1).hours, 0);
    EXPECT_EQ(Zone_Calculation(static_cast<int>(kZoneTable.size())).minutes, 0);
}

// The reading of a row's text, on rows of both signs and on a text without an
// offset.
TEST(ZoneTableInFull, TheCheckCatchesAWrongRow) {
    int minutes = 0;
    ASSERT_TRUE(WrittenOffsetMinutes("Indian Time, IST, +5.3", minutes));
    EXPECT_EQ(minutes, 330);
    ASSERT_TRUE(WrittenOffsetMinutes("Newfoundland Standard Time,NST,-3.5", minutes));
    EXPECT_EQ(minutes, -210);
    EXPECT_FALSE(WrittenOffsetMinutes("Greenwich Mean Time,GMT", minutes));
}

}  // namespace
}  // namespace korvanta
