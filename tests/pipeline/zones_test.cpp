// SPDX-License-Identifier: GPL-3.0-or-later
// The zone table and the zone correction.
#include "pipeline/zones.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace korvanta {
namespace {

// The offset written at the end of a row's text, in minutes east of UT
// ("+9.5" = 570; "Indian Time, IST, +5.3", where .3 stands for 30 minutes).
int WrittenOffsetMinutes(std::string_view text) {
    const std::string number(text.substr(text.rfind(',') + 1));
    const double hours = std::stod(number);
    if (text.find("IST, +5.3") != std::string_view::npos) return 330;
    return static_cast<int>(std::lround(hours * 60));
}

TEST(ZoneTable, EveryRowIsTheNegatedWrittenOffset) {
    ASSERT_EQ(kZoneTable.size(), 71u);
    for (std::size_t i = 0; i < kZoneTable.size(); ++i) {
        const ZoneRow& row = kZoneTable[i];
        EXPECT_EQ(row.hours * 60 + row.minutes, -WrittenOffsetMinutes(row.text)) << row.text;
        EXPECT_TRUE(row.minutes == 0 || row.minutes == 30 || row.minutes == -30) << row.text;
        EXPECT_TRUE(row.minutes == 0 || (row.minutes > 0) == (row.hours > 0)) << row.text;
    }
}

TEST(ZoneTable, OrderIsCaseInsensitiveAlphabetical) {
    auto lower = [](std::string_view s) {
        std::string out(s);
        for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    };
    for (std::size_t i = 1; i < kZoneTable.size(); ++i) {
        EXPECT_LT(lower(kZoneTable[i - 1].text), lower(kZoneTable[i].text)) << i;
    }
    EXPECT_EQ(kZoneTable[29].text, "Greenwich Mean Time,GMT,0.0");
    EXPECT_EQ(kZoneTable[55].text, "Pacific War Time,PWT,-7.0");
    EXPECT_EQ(kZoneTable[62].text, "USSR Zone 10,UZ10,+11.0");
    EXPECT_EQ(kZoneTable[63].text, "USSR Zone 3,USZ3,+4.0");
    EXPECT_EQ(kZoneTable[11].text, "Azores Time, AT, -2.0");
}

TEST(ZoneCalculation, TheListedExamples) {
    struct Case {
        int index, hours, minutes;
    } cases[] = {{29, 0, 0},     {61, 0, 0},     {34, -5, -30}, {50, 3, 30},
                 {5, -10, -30},  {46, -13, 0},   {36, 12, 0},   {52, -6, -30},
                 {56, -10, -30}, {57, -10, -30}, {58, -9, -30}, {59, -9, -30}};
    for (const Case& c : cases) {
        const ZoneCorrection zone = Zone_Calculation(c.index);
        EXPECT_EQ(zone.hours, c.hours) << c.index;
        EXPECT_EQ(zone.minutes, c.minutes) << c.index;
    }
}

TEST(ZoneCalculation, NoSelectionGivesNoCorrection) {
    for (int bad : {-1, 71, 1000, -32768}) {
        const ZoneCorrection zone = Zone_Calculation(bad);
        EXPECT_EQ(zone.hours, 0) << bad;
        EXPECT_EQ(zone.minutes, 0) << bad;
    }
}

// The list's last row takes every offset of -12:00..+14:00 to the minute:
// its correction, its text and its stored text all give the offset back.
TEST(OtherUtcOffset, EveryMinuteOfTheRangeRoundTrips) {
    for (int row = 0; row < kZoneCount; ++row) {
        EXPECT_EQ(ZoneListText(row), kZoneTable[static_cast<std::size_t>(row)].text);
        EXPECT_EQ(ZoneChoiceText(row, 345), kZoneTable[static_cast<std::size_t>(row)].text);
    }
    EXPECT_EQ(ZoneListText(kOtherOffsetRow), "Other UTC offset");
    EXPECT_EQ(ZoneListText(72), "");
    EXPECT_EQ(ZoneListText(-1), "");
    for (int minutes = kMinUtcOffsetMinutes; minutes <= kMaxUtcOffsetMinutes; ++minutes) {
        const ZoneCorrection c = ZoneCorrectionOf(kOtherOffsetRow, minutes);
        ASSERT_EQ(c.hours * 60 + c.minutes, -minutes) << minutes;
        ASSERT_LT(std::abs(c.minutes), 60) << minutes;
        ASSERT_LE(c.hours * minutes, 0) << minutes;
        ASSERT_LE(c.minutes * minutes, 0) << minutes;
        const std::string text = UtcOffsetText(minutes);
        ASSERT_EQ(text.size(), 6u) << text;
        ASSERT_EQ(ReadUtcOffset(text), minutes) << text;
        ASSERT_TRUE(UtcOffsetInRange(minutes));
        ASSERT_EQ(OffsetOfZoneChoiceText(ZoneChoiceText(kOtherOffsetRow, minutes)), minutes);
    }
    EXPECT_EQ(UtcOffsetText(345), "+05:45");
    EXPECT_EQ(UtcOffsetText(-210), "-03:30");
    EXPECT_FALSE(UtcOffsetInRange(kMinUtcOffsetMinutes - 1));
    EXPECT_FALSE(UtcOffsetInRange(kMaxUtcOffsetMinutes + 1));
    // The named rows keep their own corrections whatever offset is passed.
    EXPECT_EQ(ZoneCorrectionOf(34, 345).minutes, -30);
    // Only the text a stored birth was saved with reads back.
    for (const char* text : {"Other UTC offset 5:45", "Other UTC offset +5:45", "Other UTC offset",
                             "Indian Time, IST, +5.3", "Other UTC offset +05:45 "}) {
        EXPECT_FALSE(OffsetOfZoneChoiceText(text)) << text;
    }
}

}  // namespace
}  // namespace korvanta
