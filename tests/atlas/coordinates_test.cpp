// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal positions rounded for the entry window, and the zone check against
// the longitude. Positions are GeoNames' (the city list of libgeonames).
#include "atlas/coordinates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "atlas/zone_check.h"

namespace korvanta::atlas {
namespace {

void ExpectEntry(const std::optional<EntryCoordinates>& actual, int lonDeg, int lonMin, bool isEast,
                 int latDeg, int latMin, bool isSouth) {
    ASSERT_TRUE(actual);
    EXPECT_EQ(actual->LonDeg, lonDeg);
    EXPECT_EQ(actual->LonMin, lonMin);
    EXPECT_EQ(actual->IsEast, isEast);
    EXPECT_EQ(actual->LatDeg, latDeg);
    EXPECT_EQ(actual->LatMin, latMin);
    EXPECT_EQ(actual->IsSouth, isSouth);
}

TEST(EntryCoordinates, CitiesRoundToTheNearestMinute) {
    // Pune 18.51957 N (18°31.17'), 73.85535 E (73°51.32').
    ExpectEntry(ToEntryCoordinates(18.51957, 73.85535), 73, 51, true, 18, 31, false);
    // São Paulo 23.5475 S (23°32.85'), 46.63611 W (46°38.17').
    ExpectEntry(ToEntryCoordinates(-23.5475, -46.63611), 46, 38, false, 23, 33, true);
    // Sydney 33.86785 S (33°52.07'), 151.20732 E (151°12.44').
    ExpectEntry(ToEntryCoordinates(-33.86785, 151.20732), 151, 12, true, 33, 52, true);
}

TEST(EntryCoordinates, SixtyMinutesCarryIntoTheDegrees) {
    // 18.9999° is 18°59.994', which rounds to 19°00'.
    ExpectEntry(ToEntryCoordinates(18.9999, -73.9999), 74, 0, false, 19, 0, false);
    // 0.125° is exactly 7.5': halves round away from zero.
    ExpectEntry(ToEntryCoordinates(-0.125, -0.125), 0, 8, false, 0, 8, true);
}

TEST(EntryCoordinates, TheDateLineAndThePolesStayInsideTheWindowsRanges) {
    ExpectEntry(ToEntryCoordinates(0.5, 180.0), 179, 59, true, 0, 30, false);
    ExpectEntry(ToEntryCoordinates(0.5, -180.0), 179, 59, false, 0, 30, false);
    // 179.9999° rounds to 180°00'.
    ExpectEntry(ToEntryCoordinates(-16.0, 179.9999), 179, 59, true, 16, 0, true);
    ExpectEntry(ToEntryCoordinates(-16.0, -179.995), 179, 59, false, 16, 0, true);
    ExpectEntry(ToEntryCoordinates(90.0, 0.0), 0, 0, true, 89, 59, false);
    ExpectEntry(ToEntryCoordinates(-90.0, 0.0), 0, 0, true, 89, 59, true);
    ExpectEntry(ToEntryCoordinates(89.9999, 0.0), 0, 0, true, 89, 59, false);
}

TEST(EntryCoordinates, LongitudesOutsideTheCircleAreWrapped) {
    ExpectEntry(ToEntryCoordinates(0.0, 190.0), 170, 0, false, 0, 0, false);
    ExpectEntry(ToEntryCoordinates(0.0, -190.0), 170, 0, true, 0, 0, false);
    ExpectEntry(ToEntryCoordinates(0.0, 360.0 + 73.5), 73, 30, true, 0, 0, false);
}

TEST(EntryCoordinates, ZeroIsEastAndNorth) {
    ExpectEntry(ToEntryCoordinates(-0.004, -0.004), 0, 0, true, 0, 0, false);
    ExpectEntry(ToEntryCoordinates(-0.01, -0.01), 0, 1, false, 0, 1, true);
}

TEST(EntryCoordinates, UnusablePositionsGiveNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ToEntryCoordinates(90.0001, 0.0));
    EXPECT_FALSE(ToEntryCoordinates(-91.0, 0.0));
    EXPECT_FALSE(ToEntryCoordinates(nan, 0.0));
    EXPECT_FALSE(ToEntryCoordinates(0.0, inf));
}

// Row 34 is "Indian Time, IST, +5.3" (UTC+5:30). Pune's 73°51' is +4:55:24 of
// solar time east, -4:55:24 west.
TEST(ZoneCheck, IndianTimeWithAWesternLongitudeGetsANote) {
    const ZoneCheck check = CheckZoneAgainstLongitude(34, 73, 51, false);
    EXPECT_TRUE(check.farFromLongitude);
    EXPECT_EQ(check.differenceSeconds, 19800 + 17724);
    EXPECT_EQ(check.note,
              "The zone \"Indian Time, IST, +5.3\" (UTC+5:30) is 10 h 25 min from the solar "
              "time of 73\u00b051' West (UTC-4:55:24): is the longitude really West?");

    const ZoneCheck east = CheckZoneAgainstLongitude(34, 73, 51, true);
    EXPECT_FALSE(east.farFromLongitude);
    EXPECT_EQ(east.differenceSeconds, 19800 - 17724);
    EXPECT_TRUE(east.note.empty());
}

// Row 20 is "Central European Time,CET,+1.0"; Madrid lies at 3°42' W
// (-0:14:48 of solar time), 1 h 14 min 48 s from its zone.
TEST(ZoneCheck, MadridWithCentralEuropeanTimeIsQuiet) {
    const ZoneCheck check = CheckZoneAgainstLongitude(20, 3, 42, false);
    EXPECT_FALSE(check.farFromLongitude);
    EXPECT_EQ(check.differenceSeconds, 3600 + 888);
    EXPECT_TRUE(check.note.empty());
}

// Row 29 is Greenwich Mean Time; 45° E is exactly three hours of solar time.
TEST(ZoneCheck, ThreeHoursPassMoreDoesNot) {
    EXPECT_FALSE(CheckZoneAgainstLongitude(29, 45, 0, true).farFromLongitude);
    const ZoneCheck beyond = CheckZoneAgainstLongitude(29, 45, 1, true);
    EXPECT_TRUE(beyond.farFromLongitude);
    // 45°01' W would be just as far, so the zone is the suspect.
    EXPECT_NE(beyond.note.find("45\u00b001' East"), std::string::npos) << beyond.note;
    EXPECT_NE(beyond.note.find("check the zone"), std::string::npos) << beyond.note;
}

// Row 36 is "Int'l Date Line West,IDLW,-12.0": at 179° E it is nearly a day
// from the solar time, and the chart would read the two sides differently.
TEST(ZoneCheck, NoWrapAcrossTheDateLine) {
    const ZoneCheck check = CheckZoneAgainstLongitude(36, 179, 0, true);
    EXPECT_TRUE(check.farFromLongitude);
    EXPECT_EQ(check.differenceSeconds, -12 * 3600 - 179 * 240);
}

TEST(ZoneCheck, NoRowNoNote) {
    const ZoneCheck check = CheckZoneAgainstLongitude(-1, 73, 51, false);
    EXPECT_FALSE(check.farFromLongitude);
    EXPECT_TRUE(check.note.empty());
}

}  // namespace
}  // namespace korvanta::atlas
