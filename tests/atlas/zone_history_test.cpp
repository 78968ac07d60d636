// SPDX-License-Identifier: GPL-3.0-or-later
// Offsets, daylight saving and the suggested zone row of a birth moment, read
// from the system's tz database. Expected values are those of the tz rules
// (zone files as zdump prints them) and the zone list's own rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "atlas/birth_zone.h"
#include "atlas/zone_rows.h"
#include "pipeline/zones.h"

namespace korvanta::atlas {
namespace {

constexpr int kHour = 3600;

LocalBirthTime At(int year, int month, int day, int hour, int minute = 0) {
    return {year, month, day, hour, minute, 0};
}

std::string_view RowText(const ZoneReading& reading) {
    return reading.suggestion.zoneRow ? ZoneListText(*reading.suggestion.zoneRow)
                                      : std::string_view("(no row)");
}

// New York, 1 July 1990: EDT, UTC-4, standard time EST, UTC-5.
TEST(BirthZone, NewYorkSummer1990IsEasternStandardWithTheBoxTicked) {
    const BirthZoneFinding f = FindBirthZone("America/New_York", At(1990, 7, 1, 12));
    ASSERT_EQ(f.status, LocalTimeStatus::Unique);
    ASSERT_TRUE(f.first);
    EXPECT_FALSE(f.second);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, -4 * kHour);
    EXPECT_TRUE(f.first->state.isDaylightSaving);
    EXPECT_EQ(f.first->state.abbreviation, "EDT");
    EXPECT_EQ(f.first->state.standardOffsetSeconds, -5 * kHour);
    EXPECT_EQ(f.first->state.standardAbbreviation, "EST");
    EXPECT_EQ(f.first->suggestion.zoneRow, 27) << RowText(*f.first);
    EXPECT_EQ(kZoneTable[27].text, "Eastern Standard Time,EST,-5.0");
    EXPECT_TRUE(f.first->suggestion.daylightSaving);
    EXPECT_EQ(f.note, "America/New_York: UTC-4, daylight saving in force (standard time UTC-5)");
}

// Sydney, 15 January 1990: AEDT, UTC+11; standard time AEST, UTC+10.
TEST(BirthZone, SydneySummer1990IsAustralianEasternStandardWithTheBoxTicked) {
    const BirthZoneFinding f = FindBirthZone("Australia/Sydney", At(1990, 1, 15, 9, 30));
    ASSERT_EQ(f.status, LocalTimeStatus::Unique);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, 11 * kHour);
    EXPECT_TRUE(f.first->state.isDaylightSaving);
    EXPECT_EQ(f.first->state.standardOffsetSeconds, 10 * kHour);
    EXPECT_EQ(f.first->suggestion.zoneRow, 8) << RowText(*f.first);
    EXPECT_EQ(kZoneTable[8].text, "Australian Eastern Standard Time,AEST,+10.0");
    EXPECT_TRUE(f.first->suggestion.daylightSaving);
}

// Kolkata, 1 July 1943: war time +0630 (IST with one hour of daylight saving,
// 1 September 1942 to 15 October 1945); standard time IST, UTC+5:30.
TEST(BirthZone, KolkataWarTime1943IsIndianTimeWithTheBoxTicked) {
    const BirthZoneFinding f = FindBirthZone("Asia/Kolkata", At(1943, 7, 1, 6));
    ASSERT_EQ(f.status, LocalTimeStatus::Unique);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, 6 * kHour + 30 * 60);
    EXPECT_TRUE(f.first->state.isDaylightSaving);
    EXPECT_EQ(f.first->state.standardOffsetSeconds, 5 * kHour + 30 * 60);
    EXPECT_EQ(f.first->state.standardAbbreviation, "IST");
    EXPECT_EQ(f.first->suggestion.zoneRow, 34) << RowText(*f.first);
    EXPECT_EQ(kZoneTable[34].text, "Indian Time, IST, +5.3");
    EXPECT_TRUE(f.first->suggestion.daylightSaving);
}

TEST(BirthZone, KolkataToday) {
    const BirthZoneFinding f = FindBirthZone("Asia/Kolkata", At(2000, 1, 1, 0));
    EXPECT_EQ(f.first->suggestion.zoneRow, 34);
    EXPECT_FALSE(f.first->suggestion.daylightSaving);
    EXPECT_EQ(f.note, "Asia/Kolkata: UTC+5:30, no daylight saving on this date");
}

// Kathmandu has kept UTC+5:45 since 1986; no named row has it, so the last
// row, "Other UTC offset", takes it.
TEST(BirthZone, KathmanduTakesTheOtherOffsetRow) {
    const BirthZoneFinding f = FindBirthZone("Asia/Kathmandu", At(1990, 7, 1, 12));
    ASSERT_EQ(f.status, LocalTimeStatus::Unique);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, 5 * kHour + 45 * 60);
    EXPECT_EQ(f.first->suggestion.zoneRow, kOtherOffsetRow);
    EXPECT_EQ(f.first->suggestion.utcOffsetMinutes, 345);
    EXPECT_FALSE(f.first->suggestion.daylightSaving);
    EXPECT_EQ(f.first->suggestion.reason, "no zone in the list is UTC+5:45");
    EXPECT_EQ(f.note,
              "Asia/Kathmandu: UTC+5:45, no daylight saving on this date; no zone in the list "
              "is UTC+5:45, so the zone is \"Other UTC offset\" +05:45");
}

// Local mean times go to the nearest minute: Amsterdam's +0:19:32 until
// 1937, Kolkata's Madras time +5:21:10 until 1906.
TEST(BirthZone, MeanTimesTakeTheOtherOffsetToTheNearestMinute) {
    const BirthZoneFinding f = FindBirthZone("Europe/Amsterdam", At(1930, 1, 15, 12));
    ASSERT_EQ(f.status, LocalTimeStatus::Unique);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, 19 * 60 + 32);
    EXPECT_EQ(f.first->suggestion.zoneRow, kOtherOffsetRow);
    EXPECT_EQ(f.first->suggestion.utcOffsetMinutes, 20);
    EXPECT_NE(f.note.find("no zone in the list is UTC+0:19:32, so the zone is \"Other UTC "
                          "offset\" +00:20 (to the nearest minute)"),
              std::string::npos)
        << f.note;
    const BirthZoneFinding kolkata = FindBirthZone("Asia/Kolkata", At(1902, 1, 15, 12));
    ASSERT_TRUE(kolkata.first);
    EXPECT_EQ(kolkata.first->suggestion.zoneRow, kOtherOffsetRow) << kolkata.note;
    EXPECT_EQ(kolkata.first->suggestion.utcOffsetMinutes,
              (kolkata.first->state.utcOffsetSeconds + 30) / 60)
        << kolkata.note;
}

// New York, 1 April 1990: at 02:00 EST the clocks went to 03:00 EDT.
TEST(BirthZone, NewYorkSpringGapIsReportedWithBothClocks) {
    const BirthZoneFinding f = FindBirthZone("America/New_York", At(1990, 4, 1, 2, 30));
    ASSERT_EQ(f.status, LocalTimeStatus::Nonexistent);
    ASSERT_TRUE(f.first && f.second);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, -5 * kHour);
    EXPECT_FALSE(f.first->state.isDaylightSaving);
    EXPECT_EQ(f.second->state.utcOffsetSeconds, -4 * kHour);
    EXPECT_TRUE(f.second->state.isDaylightSaving);
    EXPECT_EQ(f.first->suggestion.zoneRow, 27);
    EXPECT_FALSE(f.first->suggestion.daylightSaving);
    EXPECT_EQ(f.second->suggestion.zoneRow, 27);
    EXPECT_TRUE(f.second->suggestion.daylightSaving);
    EXPECT_NE(f.note.find("did not exist"), std::string::npos) << f.note;
}

// New York, 28 October 1990: at 02:00 EDT the clocks went back to 01:00 EST.
TEST(BirthZone, NewYorkAutumnRepeatGivesBothReadingsEarlierFirst) {
    const BirthZoneFinding f = FindBirthZone("America/New_York", At(1990, 10, 28, 1, 30));
    ASSERT_EQ(f.status, LocalTimeStatus::Ambiguous);
    ASSERT_TRUE(f.first && f.second);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, -4 * kHour);
    EXPECT_TRUE(f.first->suggestion.daylightSaving);
    EXPECT_EQ(f.second->state.utcOffsetSeconds, -5 * kHour);
    EXPECT_FALSE(f.second->suggestion.daylightSaving);
    EXPECT_EQ(f.first->suggestion.zoneRow, 27);
    EXPECT_EQ(f.second->suggestion.zoneRow, 27);
    EXPECT_NE(f.note.find("occurred twice"), std::string::npos) << f.note;
}

// London, summer 1943: BDST, UTC+2, two hours ahead of GMT. The box counts
// one hour, so the whole offset goes into the row.
TEST(BirthZone, BritishDoubleSummerTimeTakesTheWholeOffsetRow) {
    const BirthZoneFinding f = FindBirthZone("Europe/London", At(1943, 7, 1, 12));
    ASSERT_EQ(f.status, LocalTimeStatus::Unique);
    EXPECT_EQ(f.first->state.utcOffsetSeconds, 2 * kHour);
    EXPECT_TRUE(f.first->state.isDaylightSaving);
    EXPECT_EQ(f.first->state.standardOffsetSeconds, 0);
    EXPECT_EQ(f.first->state.standardAbbreviation, "GMT");
    EXPECT_EQ(f.first->suggestion.zoneRow, 15) << RowText(*f.first);
    EXPECT_EQ(kZoneTable[15].text, "British Double Summer Time,BDST,+2.0");
    EXPECT_FALSE(f.first->suggestion.daylightSaving);
    EXPECT_NE(f.note.find("the box stands for one hour ahead"), std::string::npos) << f.note;
}

// London, winter 1943: BST, UTC+1, all the war winters long; the nearest
// time without daylight saving is GMT (February 1940 or October 1945).
TEST(BirthZone, BritishWarWinterIsGreenwichWithTheBoxTicked) {
    const BirthZoneFinding f = FindBirthZone("Europe/London", At(1943, 1, 15, 12));
    EXPECT_EQ(f.first->state.utcOffsetSeconds, 1 * kHour);
    EXPECT_EQ(f.first->state.standardOffsetSeconds, 0);
    EXPECT_EQ(f.first->suggestion.zoneRow, 29) << RowText(*f.first);
    EXPECT_TRUE(f.first->suggestion.daylightSaving);
}

// Dublin's files mark winter GMT as the daylight-saving side of IST (UTC+1).
TEST(BirthZone, IrishWinterStaysGreenwichWithTheBoxClear) {
    const BirthZoneFinding f = FindBirthZone("Europe/Dublin", At(1990, 1, 15, 12));
    EXPECT_EQ(f.first->state.utcOffsetSeconds, 0);
    EXPECT_EQ(f.first->suggestion.zoneRow, 29) << RowText(*f.first);
    EXPECT_FALSE(f.first->suggestion.daylightSaving);
    EXPECT_NE(f.note.find("UTC+0, set back from standard time UTC+1"), std::string::npos) << f.note;
}

// Madrid: CET, UTC+1, in winter; CEST, UTC+2, in summer.
TEST(BirthZone, MadridIsCentralEuropeanTime) {
    const BirthZoneFinding winter = FindBirthZone("Europe/Madrid", At(1990, 1, 15, 12));
    EXPECT_EQ(winter.first->suggestion.zoneRow, 20) << RowText(*winter.first);
    EXPECT_EQ(kZoneTable[20].text, "Central European Time,CET,+1.0");
    EXPECT_FALSE(winter.first->suggestion.daylightSaving);
    const BirthZoneFinding summer = FindBirthZone("Europe/Madrid", At(1990, 7, 15, 12));
    EXPECT_EQ(summer.first->suggestion.zoneRow, 20) << RowText(*summer.first);
    EXPECT_TRUE(summer.first->suggestion.daylightSaving);
}

// After 2037 the zone files list no changes; their closing rule
// "EST5EDT,M3.2.0,M11.1.0" still gives daylight saving from the second Sunday
// of March (12 March 2045) to the first Sunday of November (5 November 2045).
TEST(BirthZone, YearsAfterTheListedChangesFollowTheClosingRule) {
    const BirthZoneFinding summer = FindBirthZone("America/New_York", At(2045, 7, 1, 12));
    ASSERT_EQ(summer.status, LocalTimeStatus::Unique);
    EXPECT_EQ(summer.first->state.utcOffsetSeconds, -4 * kHour);
    EXPECT_EQ(summer.first->suggestion.zoneRow, 27);
    EXPECT_TRUE(summer.first->suggestion.daylightSaving);
    const BirthZoneFinding winter = FindBirthZone("America/New_York", At(2045, 1, 15, 12));
    EXPECT_EQ(winter.first->state.utcOffsetSeconds, -5 * kHour);
    EXPECT_EQ(FindBirthZone("America/New_York", At(2045, 3, 12, 2, 30)).status,
              LocalTimeStatus::Nonexistent);
    EXPECT_EQ(FindBirthZone("America/New_York", At(2045, 11, 5, 1, 30)).status,
              LocalTimeStatus::Ambiguous);
    // Sydney: "AEST-10AEDT,M10.1.0,M4.1.0/3", daylight saving across the new year.
    const BirthZoneFinding sydney = FindBirthZone("Australia/Sydney", At(2050, 1, 15, 12));
    EXPECT_EQ(sydney.first->state.utcOffsetSeconds, 11 * kHour);
    EXPECT_EQ(sydney.first->suggestion.zoneRow, 8);
    EXPECT_TRUE(sydney.first->suggestion.daylightSaving);
}

TEST(BirthZone, UnknownZoneAndImpossibleDatesAreReported) {
    const BirthZoneFinding unknown = FindBirthZone("Nowhere/Atlantis", At(1990, 1, 1, 0));
    EXPECT_EQ(unknown.status, LocalTimeStatus::UnknownZone);
    EXPECT_FALSE(unknown.first);
    EXPECT_EQ(unknown.note, "Unknown time zone \"Nowhere/Atlantis\"");
    EXPECT_EQ(FindBirthZone("", At(1990, 1, 1, 0)).status, LocalTimeStatus::UnknownZone);
    EXPECT_EQ(FindBirthZone("../../etc/passwd", At(1990, 1, 1, 0)).status,
              LocalTimeStatus::UnknownZone);
    EXPECT_EQ(FindBirthZone("Asia/Kolkata", At(1990, 2, 30, 0)).status,
              LocalTimeStatus::InvalidTime);
    EXPECT_EQ(FindBirthZone("Asia/Kolkata", At(1990, 13, 1, 0)).status,
              LocalTimeStatus::InvalidTime);
    EXPECT_EQ(FindBirthZone("Asia/Kolkata", At(1990, 1, 1, 24)).status,
              LocalTimeStatus::InvalidTime);
}

// Whatever the zone and date, a suggested row plus the box (one hour) gives
// back the clock's offset, and daylight saving is never more than two hours
// from standard time. Noon on the 1st and 15th of every month of the entry
// window's years.
TEST(BirthZone, RowAndBoxAlwaysGiveTheClockOffset) {
    const char* zones[] = {"America/New_York",    "Europe/London",    "Asia/Kolkata",
                           "Australia/Sydney",    "Europe/Dublin",    "America/Sao_Paulo",
                           "Australia/Lord_Howe", "Africa/Casablanca"};
    int suggested = 0;
    for (const char* zone : zones) {
        for (int year = 1901; year <= 2050; ++year) {
            for (int month = 1; month <= 12; ++month) {
                for (int day : {1, 15}) {
                    const BirthZoneFinding f = FindBirthZone(zone, At(year, month, day, 12));
                    ASSERT_TRUE(f.first) << zone << " " << year << "-" << month;
                    const ZoneReading& r = *f.first;
                    const int shift = r.state.utcOffsetSeconds - r.state.standardOffsetSeconds;
                    EXPECT_LE(std::abs(shift), 2 * kHour) << zone << " " << year << "-" << month;
                    if (!r.state.isDaylightSaving) {
                        EXPECT_EQ(shift, 0);
                    }
                    // Every clock of these zones fits a row, "Other UTC offset"
                    // to the nearest minute.
                    ASSERT_TRUE(r.suggestion.zoneRow) << zone << " " << year << ": " << f.note;
                    ++suggested;
                    const bool other = *r.suggestion.zoneRow == kOtherOffsetRow;
                    const int rowOffset = other ? r.suggestion.utcOffsetMinutes * 60
                                                : *ZoneRowOffsetSeconds(*r.suggestion.zoneRow);
                    EXPECT_NEAR(rowOffset + (r.suggestion.daylightSaving ? kHour : 0),
                                r.state.utcOffsetSeconds, other ? 30 : 0)
                        << zone << " " << year << "-" << month << "-" << day << ": " << f.note;
                }
            }
        }
    }
    EXPECT_EQ(suggested, 8 * 150 * 24);
}

}  // namespace
}  // namespace korvanta::atlas
