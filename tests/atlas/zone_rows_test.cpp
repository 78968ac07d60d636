// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the zone-list row for an offset, and the offset texts of the notes.
// Expected rows are read off the 71-row zone list (pipeline/zones.cpp).
#include "atlas/zone_rows.h"

#include <gtest/gtest.h>

#include "pipeline/zones.h"

namespace korvanta::atlas {
namespace {

constexpr int kHour = 3600;

TEST(ZoneRows, OffsetIsTheNegatedCorrection) {
    EXPECT_EQ(ZoneRowOffsetSeconds(34), 5 * kHour + 30 * 60);     // "Indian Time, IST, +5.3"
    EXPECT_EQ(ZoneRowOffsetSeconds(50), -(3 * kHour + 30 * 60));  // Newfoundland, -3.5
    EXPECT_EQ(ZoneRowOffsetSeconds(46), 13 * kHour);
    EXPECT_EQ(ZoneRowOffsetSeconds(29), 0);
    EXPECT_FALSE(ZoneRowOffsetSeconds(-1));
    EXPECT_FALSE(ZoneRowOffsetSeconds(71));
}

TEST(ZoneRows, AbbreviationIsTheTrimmedSecondField) {
    EXPECT_EQ(ZoneRowAbbreviation(27), "EST");
    EXPECT_EQ(ZoneRowAbbreviation(34), "IST");  // "Indian Time, IST, +5.3"
    EXPECT_EQ(ZoneRowAbbreviation(11), "AT");   // "Azores Time, AT, -2.0"
    EXPECT_EQ(ZoneRowAbbreviation(62), "UZ10");
    EXPECT_EQ(ZoneRowAbbreviation(-1), "");
    EXPECT_EQ(ZoneRowAbbreviation(71), "");
}

// Every row is found again from its own offset and abbreviation: no two rows
// share both, so the abbreviation decides.
TEST(ZoneRows, EveryRowIsFoundByItsOffsetAndAbbreviation) {
    for (int row = 0; row < kZoneCount; ++row) {
        EXPECT_EQ(ZoneRowForOffset(*ZoneRowOffsetSeconds(row), ZoneRowAbbreviation(row)), row)
            << kZoneTable[static_cast<std::size_t>(row)].text;
    }
}

TEST(ZoneRows, TiesGoToTheAbbreviationThenStandardTimeThenListOrder) {
    // -5 h: 18 Central Daylight, 22 Central War, 27 Eastern Standard.
    EXPECT_EQ(ZoneRowForOffset(-5 * kHour, "EST"), 27);
    EXPECT_EQ(ZoneRowForOffset(-5 * kHour, "CDT"), 18);
    EXPECT_EQ(ZoneRowForOffset(-5 * kHour, "XYZ"), 27);  // the only "Standard Time"
    // +10 h: 8 Australian Eastern Standard, 30 Guam Standard.
    EXPECT_EQ(ZoneRowForOffset(10 * kHour, "AEST"), 8);
    EXPECT_EQ(ZoneRowForOffset(10 * kHour, "GST"), 30);
    EXPECT_EQ(ZoneRowForOffset(10 * kHour, "ChST"), 8);
    // +1 h: 16 British Summer, 20 Central European, 41 Middle European; no
    // "Standard Time" among them, so list order.
    EXPECT_EQ(ZoneRowForOffset(1 * kHour, "CET"), 20);
    EXPECT_EQ(ZoneRowForOffset(1 * kHour, "MET"), 41);
    EXPECT_EQ(ZoneRowForOffset(1 * kHour, ""), 16);
    // 0: 29 Greenwich Mean Time, 61 Universal Time.
    EXPECT_EQ(ZoneRowForOffset(0, "UTC"), 29);
    EXPECT_EQ(ZoneRowForOffset(0, "UT"), 61);
    // -3 h (São Paulo, "-03"): 4 Atlantic War, 14 Brazil Zone 2.
    EXPECT_EQ(ZoneRowForOffset(-3 * kHour, "-03"), 4);
    // Equal abbreviations, different offsets: "NST" is Newfoundland and North Sumatra.
    EXPECT_EQ(ZoneRowForOffset(-(3 * kHour + 30 * 60), "NST"), 50);
    EXPECT_EQ(ZoneRowForOffset(6 * kHour + 30 * 60, "NST"), 52);
    // +9:30: 6 ACST, 58 SAST, 59 SAT.
    EXPECT_EQ(ZoneRowForOffset(9 * kHour + 30 * 60, "ACST"), 6);
    EXPECT_EQ(ZoneRowForOffset(9 * kHour + 30 * 60, "SAT"), 59);
    EXPECT_EQ(ZoneRowForOffset(9 * kHour + 30 * 60, ""), 6);
}

TEST(ZoneRows, OffsetsWithoutARow) {
    EXPECT_FALSE(ZoneRowForOffset(5 * kHour + 45 * 60, "+0545"));  // Nepal
    EXPECT_FALSE(ZoneRowForOffset(19 * 60 + 32, "AMT"));           // Amsterdam before 1937
    EXPECT_FALSE(ZoneRowForOffset(5 * kHour + 30 * 60 + 1, "IST"));
    EXPECT_FALSE(ZoneRowForOffset(14 * kHour, "+14"));  // Line Islands
}

TEST(ZoneRows, OffsetTexts) {
    EXPECT_EQ(FormatUtcOffset(5 * kHour + 30 * 60), "UTC+5:30");
    EXPECT_EQ(FormatUtcOffset(-4 * kHour), "UTC-4");
    EXPECT_EQ(FormatUtcOffset(0), "UTC+0");
    EXPECT_EQ(FormatUtcOffset(19 * 60 + 32), "UTC+0:19:32");
    EXPECT_EQ(FormatUtcOffset(-(9 * kHour + 30 * 60)), "UTC-9:30");
    EXPECT_EQ(FormatUtcOffset(-(4 * kHour + 55 * 60 + 24)), "UTC-4:55:24");
    EXPECT_EQ(FormatUtcOffset(13 * kHour), "UTC+13");
}

}  // namespace
}  // namespace korvanta::atlas
