// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's longitude and nakshatra.
#include "astro/moon.h"

#include <gtest/gtest.h>

#include "pipeline/steps.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

TEST(Moon, TropicalLongitudeAtJ2000) {
    // Meeus' full theory puts the Moon at 223.32° at 2000 January 1.5 TT; the
    // 25 largest terms come within 0.3°.
    EXPECT_NEAR(MoonTropicalLongitude(0.0), 223.32, 0.3);
}

TEST(Moon, NakshatraBoundariesFollowTheTable) {
    EXPECT_EQ(NakshatraStart(0.0), 0);
    EXPECT_EQ(NakshatraStart(13.3333), 0);  // just below 13°20'
    EXPECT_EQ(NakshatraStart(13.334), 13.33);
    EXPECT_EQ(NakshatraStart(346.14), 333.25);
    EXPECT_EQ(NakshatraStart(359.999), 346.58);
    ASSERT_EQ(kNakshatraStart.size(), 27u);
    for (std::size_t k = 0; k < kNakshatraStart.size(); ++k) {
        EXPECT_NEAR(kNakshatraStart[k], static_cast<double>(k) * 13.33, 1e-9) << "entry " << k;
    }
}

TEST(Moon, NegativeSiderealComesBackOnce) {
    EXPECT_NEAR(SiderealMoonLongitude(10.0, -23.86), 346.14, 1e-9);
    EXPECT_NEAR(SiderealMoonLongitude(100.0, -23.86), 76.14, 1e-9);
}

TEST(Moon, AgreesWithAPreciseEphemeris) {
    // Sidereal Moon from Swiss Ephemeris 2.10 (DE431 files, Lahiri) at the
    // given UT moments; the truncated series and this ayanamsa stay within
    // 0.35° of it.
    struct Case {
        int year, month, day, hour, minute;
        double swissLahiri;
    } cases[] = {{1901, 6, 1, 12, 0, 217.6508},
                 {1950, 1, 1, 12, 0, 44.3867},
                 {2000, 1, 1, 12, 0, 199.4705},
                 {2049, 12, 31, 12, 0, 347.3264},
                 {1980, 6, 5, 3, 35, 308.3983}};
    for (const Case& c : cases) {
        Birth b;
        b.year = c.year;
        b.month = c.month;
        b.day = c.day;
        b.hour = c.hour;
        b.minute = c.minute;
        const MoonResult moon = Moon_Calculation(MomentOf(b));
        EXPECT_LT(testing::AngleGap(moon.longitude, c.swissLahiri), 0.35) << c.year;
        EXPECT_GE(moon.longitude, 0);
        EXPECT_LT(moon.longitude, 360);
        EXPECT_EQ(moon.nakStart, NakshatraStart(moon.longitude));
    }
}

}  // namespace
}  // namespace korvanta
