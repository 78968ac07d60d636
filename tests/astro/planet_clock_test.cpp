// The planets' clock: the birth's local time, one hour earlier with daylight
// saving, plus each zone row's hours and minutes, is the universal time the
// planets are computed for, across day, month and year boundaries.
#include <gtest/gtest.h>

#include <string>

#include "astro/calendar.h"
#include "astro/planets.h"
#include "pipeline/zones.h"

namespace korvanta {
namespace {

BirthData BirthAt(const CivilDateTime& t) {
    BirthData b;
    b.BirthYear = static_cast<std::int16_t>(t.year);
    b.BirthMonth = static_cast<std::int16_t>(t.month);
    b.BirthDay = static_cast<std::int16_t>(t.day);
    b.BirthHour = static_cast<std::int16_t>(t.hour);
    b.BirthMinute = static_cast<std::int16_t>(t.minute);
    return b;
}

// Every text PlanetPositions writes for the moment, apart from the Moon's and
// the ascendant's, which it copies.
std::string PositionsOf(const BirthData& birth, const ChartRecord& zone) {
    ChartRecord chart;
    chart.ZoneHours = zone.ZoneHours;
    chart.ZoneMinutes = zone.ZoneMinutes;
    chart.Ayanamsa = -23.85;
    PlanetPositions(birth, chart);
    std::string all;
    for (const std::string& text : chart.PlanetText) all += text + "|";
    return all + chart.RahuText + "|" + chart.KetuText;
}

TEST(PlanetClock, EveryZoneRowWithAndWithoutDaylightSaving) {
    // Local clock times just after the turn of a year and just before the
    // turn of a month, so that the correction carries across both.
    const CivilDateTime locals[] = {{2000, 1, 1, 0, 20, 0}, {1987, 2, 28, 23, 40, 0}};
    for (int row = 0; row < kZoneCount; ++row) {
        ChartRecord zone;
        Zone_Calculation(row, zone);
        for (const CivilDateTime& local : locals) {
            for (const bool dst : {false, true}) {
                BirthData birth = BirthAt(local);
                birth.IsDST = dst;
                // The same moment entered directly in universal time.
                const int shift = zone.ZoneHours * 60 + zone.ZoneMinutes - (dst ? 60 : 0);
                const CivilDateTime ut = SplitDateTime(DateTimeValue(
                    local.year, local.month, local.day, local.hour, local.minute + shift));
                EXPECT_EQ(PositionsOf(birth, zone), PositionsOf(BirthAt(ut), ChartRecord{}))
                    << kZoneTable[static_cast<std::size_t>(row)].text
                    << (dst ? " with" : " without") << " daylight saving, local " << local.year
                    << "-" << local.month << "-" << local.day << " " << local.hour << ":"
                    << local.minute;
            }
        }
    }
}

}  // namespace
}  // namespace korvanta
