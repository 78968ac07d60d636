// SPDX-License-Identifier: GPL-3.0-or-later
// The closing rule strings of tz files. Expected change dates follow from the
// rule strings' definition (POSIX TZ, as extended by RFC 8536) and the calendar:
// in 2045 the second Sunday of March is the 12th, the first Sunday of November
// the 5th, the last Sunday of October the 29th, the first Sunday of October the
// 1st and of April the 2nd.
#include "atlas/posix_tz.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

namespace korvanta::atlas {
namespace {

constexpr int kHour = 3600;

std::int64_t Seconds(int year, unsigned month, unsigned day, int hour, int minute = 0,
                     int second = 0) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} /
                        std::chrono::day{day}};
    return date.time_since_epoch().count() * 86400LL + hour * 3600 + minute * 60 + second;
}

PosixTimeZone Parsed(std::string_view text) {
    const std::optional<PosixTimeZone> zone = ParsePosixTimeZone(text);
    EXPECT_TRUE(zone) << text;
    return zone.value_or(PosixTimeZone{});
}

TEST(PosixTimeZone, ParsesNamesOffsetsAndChanges) {
    const PosixTimeZone ny = Parsed("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(ny.standardAbbreviation, "EST");
    EXPECT_EQ(ny.standardOffsetSeconds, -5 * kHour);
    EXPECT_TRUE(ny.hasDaylightSaving);
    EXPECT_EQ(ny.daylightAbbreviation, "EDT");
    EXPECT_EQ(ny.daylightOffsetSeconds, -4 * kHour);  // one hour ahead when not written
    EXPECT_EQ(ny.daylightStart.month, 3);
    EXPECT_EQ(ny.daylightStart.week, 2);
    EXPECT_EQ(ny.daylightStart.weekday, 0);
    EXPECT_EQ(ny.daylightStart.timeSeconds, 2 * kHour);
    EXPECT_EQ(ny.daylightEnd.month, 11);

    const PosixTimeZone india = Parsed("IST-5:30");
    EXPECT_EQ(india.standardOffsetSeconds, 5 * kHour + 30 * 60);
    EXPECT_FALSE(india.hasDaylightSaving);

    const PosixTimeZone nepal = Parsed("<+0545>-5:45");
    EXPECT_EQ(nepal.standardAbbreviation, "+0545");
    EXPECT_EQ(nepal.standardOffsetSeconds, 5 * kHour + 45 * 60);

    const PosixTimeZone nuuk = Parsed("<-02>2<-01>,M3.5.0/-1,M10.5.0/0");
    EXPECT_EQ(nuuk.daylightOffsetSeconds, -1 * kHour);
    EXPECT_EQ(nuuk.daylightStart.timeSeconds, -1 * kHour);
    EXPECT_EQ(nuuk.daylightEnd.timeSeconds, 0);

    const PosixTimeZone dublin = Parsed("IST-1GMT0,M10.5.0,M3.5.0/1");
    EXPECT_EQ(dublin.standardOffsetSeconds, 1 * kHour);
    EXPECT_EQ(dublin.daylightOffsetSeconds, 0);
}

TEST(PosixTimeZone, RefusesWhatIsNotARule) {
    for (const char* text :
         {"", "E5", "EST", "5", "EST5EDT", "EST5EDT,M3.2.0", "EST5EDT,M13.2.0,M11.1.0",
          "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,M3.2.0,M11.1.0x", "EST25",
          "<+05-5", "EST5EDT,J0,J365", "EST5EDT,366,1"}) {
        EXPECT_FALSE(ParsePosixTimeZone(text)) << text;
    }
}

TEST(PosixTimeZone, NewYorkChangesAtTwoInTheMorningLocal) {
    const PosixTimeZone ny = Parsed("EST5EDT,M3.2.0,M11.1.0");
    // 12 March 2045 02:00 EST = 07:00 UT; 5 November 2045 02:00 EDT = 06:00 UT.
    EXPECT_FALSE(PosixClockAt(ny, Seconds(2045, 3, 12, 6, 59, 59)).isDaylightSaving);
    EXPECT_TRUE(PosixClockAt(ny, Seconds(2045, 3, 12, 7)).isDaylightSaving);
    EXPECT_EQ(PosixClockAt(ny, Seconds(2045, 7, 1, 12)).abbreviation, "EDT");
    EXPECT_TRUE(PosixClockAt(ny, Seconds(2045, 11, 5, 5, 59, 59)).isDaylightSaving);
    EXPECT_FALSE(PosixClockAt(ny, Seconds(2045, 11, 5, 6)).isDaylightSaving);
    EXPECT_EQ(PosixClockAt(ny, Seconds(2045, 12, 31, 23)).utcOffsetSeconds, -5 * kHour);
}

TEST(PosixTimeZone, SouthernSummerSpansTheNewYear) {
    const PosixTimeZone sydney = Parsed("AEST-10AEDT,M10.1.0,M4.1.0/3");
    EXPECT_TRUE(PosixClockAt(sydney, Seconds(2045, 1, 15, 0)).isDaylightSaving);
    EXPECT_FALSE(PosixClockAt(sydney, Seconds(2045, 7, 1, 0)).isDaylightSaving);
    EXPECT_TRUE(PosixClockAt(sydney, Seconds(2045, 12, 31, 20)).isDaylightSaving);
    // 2 April 2045 03:00 AEDT = 1 April 16:00 UT; 1 October 02:00 AEST = 30 September 16:00 UT.
    EXPECT_TRUE(PosixClockAt(sydney, Seconds(2045, 4, 1, 15, 59, 59)).isDaylightSaving);
    EXPECT_FALSE(PosixClockAt(sydney, Seconds(2045, 4, 1, 16)).isDaylightSaving);
    EXPECT_FALSE(PosixClockAt(sydney, Seconds(2045, 9, 30, 15, 59, 59)).isDaylightSaving);
    EXPECT_TRUE(PosixClockAt(sydney, Seconds(2045, 9, 30, 16)).isDaylightSaving);
}

// "Jn" never counts 29 February, "n" does: J60 is 1 March in every year, day
// 59 is 29 February in a leap year (2048) and 1 March otherwise (2047).
TEST(PosixTimeZone, JulianDaysWithAndWithoutTheLeapDay) {
    const PosixTimeZone julian = Parsed("AAA0BBB,J60/0,J300/0");
    EXPECT_FALSE(PosixClockAt(julian, Seconds(2048, 2, 29, 12)).isDaylightSaving);
    EXPECT_TRUE(PosixClockAt(julian, Seconds(2048, 3, 1, 0)).isDaylightSaving);
    const PosixTimeZone zeroBased = Parsed("AAA0BBB,59/0,300/0");
    EXPECT_TRUE(PosixClockAt(zeroBased, Seconds(2048, 2, 29, 12)).isDaylightSaving);
    EXPECT_FALSE(PosixClockAt(zeroBased, Seconds(2047, 2, 28, 12)).isDaylightSaving);
    EXPECT_TRUE(PosixClockAt(zeroBased, Seconds(2047, 3, 1, 12)).isDaylightSaving);
}

TEST(PosixTimeZone, LocalTimesThatRepeatOrNeverHappen) {
    const PosixTimeZone ny = Parsed("EST5EDT,M3.2.0,M11.1.0");
    const PosixLocalReading gap = PosixLocalTime(ny, Seconds(2045, 3, 12, 2, 30));
    EXPECT_EQ(gap.kind, PosixLocalReading::Kind::Nonexistent);
    EXPECT_EQ(gap.first.abbreviation, "EST");
    EXPECT_EQ(gap.second.abbreviation, "EDT");
    const PosixLocalReading twice = PosixLocalTime(ny, Seconds(2045, 11, 5, 1, 30));
    EXPECT_EQ(twice.kind, PosixLocalReading::Kind::Ambiguous);
    EXPECT_EQ(twice.first.abbreviation, "EDT");
    EXPECT_EQ(twice.second.abbreviation, "EST");
    EXPECT_EQ(PosixLocalTime(ny, Seconds(2045, 11, 5, 2, 30)).kind,
              PosixLocalReading::Kind::Unique);
    EXPECT_EQ(PosixLocalTime(ny, Seconds(2045, 7, 1, 12)).first.utcOffsetSeconds, -4 * kHour);

    // Dublin: the clock goes back from IST (standard, +1) to GMT at 02:00 IST
    // on 29 October 2045, so 01:30 is IST first.
    const PosixTimeZone dublin = Parsed("IST-1GMT0,M10.5.0,M3.5.0/1");
    const PosixLocalReading irish = PosixLocalTime(dublin, Seconds(2045, 10, 29, 1, 30));
    EXPECT_EQ(irish.kind, PosixLocalReading::Kind::Ambiguous);
    EXPECT_EQ(irish.first.abbreviation, "IST");
    EXPECT_EQ(irish.second.abbreviation, "GMT");
}

TEST(TzFileFooter, TheLastLineOfAVersionTwoFile) {
    using namespace std::string_literals;
    EXPECT_EQ(TzFileFooter("TZif2\0\0\0data\nEST5EDT,M3.2.0,M11.1.0\n"s), "EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(TzFileFooter("TZif2data\n\n"), "");
    EXPECT_FALSE(TzFileFooter("TZif\0data\nEST5\n"s));
    EXPECT_FALSE(TzFileFooter("not a tz file\nEST5\n"));
    EXPECT_FALSE(TzFileFooter("TZif2data\nEST5"));

    std::ifstream file("/usr/share/zoneinfo/America/New_York", std::ios::binary);
    ASSERT_TRUE(file);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(TzFileFooter(bytes), "EST5EDT,M3.2.0,M11.1.0");
}

}  // namespace
}  // namespace korvanta::atlas
