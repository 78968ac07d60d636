// SPDX-License-Identifier: GPL-3.0-or-later
// The planets' clock: the birth's local time, one hour earlier with daylight
// saving, plus each zone row's hours and minutes, is the universal time the
// planets are computed for, across day, month and year boundaries.
#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"
#include "pipeline/steps.h"
#include "pipeline/zones.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

testing::LocalMinute MinuteOf(const CivilDateTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute};
}

// Every longitude PlanetPositions gives for the moment, written out exactly.
std::string PositionsOf(const Birth& birth, const testing::LocalMinute& local) {
    const PlanetLongitudes at = PlanetPositions(testing::MomentAt(birth, local), -23.85);
    std::string all;
    for (const double longitude : at.planets) all += std::to_string(longitude) + "|";
    return all + std::to_string(at.nodes.rahu) + "|" + std::to_string(at.nodes.ketu);
}

TEST(PlanetClock, EveryZoneRowWithAndWithoutDaylightSaving) {
    // Local clock times just after the turn of a year and just before the
    // turn of a month, so that the correction carries across both.
    const CivilDateTime locals[] = {{2000, 1, 1, 0, 20, 0}, {1987, 2, 28, 23, 40, 0}};
    for (int row = 0; row < kZoneCount; ++row) {
        const ZoneCorrection zone = Zone_Calculation(row);
        for (const CivilDateTime& local : locals) {
            for (const bool dst : {false, true}) {
                Birth birth;
                birth.zoneHours = zone.hours;
                birth.zoneMinutes = zone.minutes;
                birth.dst = dst;
                // The same moment entered directly in universal time.
                const int shift = zone.hours * 60 + zone.minutes - (dst ? 60 : 0);
                const CivilDateTime ut = SplitDateTime(DateTimeValue(
                    local.year, local.month, local.day, local.hour, local.minute + shift));
                EXPECT_EQ(PositionsOf(birth, MinuteOf(local)), PositionsOf(Birth{}, MinuteOf(ut)))
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
