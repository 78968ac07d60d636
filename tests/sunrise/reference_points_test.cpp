// SPDX-License-Identifier: GPL-3.0-or-later
// The reference sunrise of a birth and the arithmetic of the points derived
// from it. Every expected value here is worked by hand from the rules of the
// point in question and is exact (integers, or binary-exact fractions of a
// degree compared with a tolerance of 1e-9 degrees).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calendar/calendar.h"
#include "pipeline/sunrise_reference.h"

namespace korvanta {
namespace {

constexpr double kDegreeTolerance = 1e-9;

double At(int day, int hour, int minute, int second = 0) {
    return DateTimeValue(2020, 6, day, hour, minute, second);
}

// 21 June: sunrise 06:00, sunset 18:30; 20 June sunrise 05:59; 22 June 06:01.
struct ReferenceDays {
    std::optional<double> sunriseToday = At(21, 6, 0);
    std::optional<double> sunsetToday = At(21, 18, 30);
    std::optional<double> sunrisePrev = At(20, 5, 59);
    std::optional<double> sunriseNext = At(22, 6, 1);

    std::optional<ReferenceChoice> For(double birth) const {
        return ChooseReferenceSunrise(birth, sunriseToday, sunsetToday, sunrisePrev, sunriseNext);
    }
};

void ExpectChoice(const std::optional<ReferenceChoice>& choice, double sunrise, int minutes,
                  int seconds) {
    ASSERT_TRUE(choice.has_value()) << "no reference sunrise";
    const CivilDateTime expected = SplitDateTime(sunrise);
    const CivilDateTime got = SplitDateTime(choice->sunrise);
    EXPECT_EQ(choice->sunrise, sunrise)
        << "expected the sunrise of day " << expected.day << " " << expected.hour << ":"
        << expected.minute << ", got day " << got.day << " " << got.hour << ":" << got.minute;
    EXPECT_EQ(choice->minutes, minutes);
    EXPECT_EQ(choice->seconds, seconds);
}

TEST(ReferenceSunrise, BirthExactlyAtSunsetIsADayBirth) {
    const ReferenceDays days;
    ExpectChoice(days.For(At(21, 18, 30)), At(21, 6, 0), 750, 45000);
}

TEST(ReferenceSunrise, BirthExactlyAtSunriseIsADayBirth) {
    const ReferenceDays days;
    ExpectChoice(days.For(At(21, 6, 0)), At(21, 6, 0), 0, 0);
}

TEST(ReferenceSunrise, OneSecondAfterSunsetCountsToTheNextSunrise) {
    // 18:30:01 to 06:01:00 next day: 11 h 30 min 59 s; minute marks 18:30 to 06:01.
    const ReferenceDays days;
    ExpectChoice(days.For(At(21, 18, 30, 1)), At(22, 6, 1), 691, 41459);
}

TEST(ReferenceSunrise, TwoInTheMorningUsesThePreviousSunrise) {
    // 20 June 05:59 to 21 June 02:00: 20 h 1 min.
    const ReferenceDays days;
    ExpectChoice(days.For(At(21, 2, 0)), At(20, 5, 59), 1201, 72060);
}

TEST(ReferenceSunrise, TenInTheEveningUsesTheTimeLeftUntilTheNextSunrise) {
    // 22:00 to 06:01 next day: 8 h 1 min.
    const ReferenceDays days;
    ExpectChoice(days.For(At(21, 22, 0)), At(22, 6, 1), 481, 28860);
}

TEST(ReferenceSunrise, MinutesCountMinuteBoundariesNotElapsedTime) {
    const ReferenceDays days;
    // 06:00:00 to 06:10:59: ten boundaries, 659 seconds.
    ExpectChoice(days.For(At(21, 6, 10, 59)), At(21, 6, 0), 10, 659);
    // 22:00:59 to 06:01:00: the birth is cut to 22:00, so 481 minutes for
    // 28801 seconds.
    ExpectChoice(days.For(At(21, 22, 0, 59)), At(22, 6, 1), 481, 28801);
    // 05:59:59 is before the day's 06:00 sunrise: from 20 June 05:59, 1440
    // minute marks and 86459 seconds.
    ExpectChoice(days.For(At(21, 5, 59, 59)), At(20, 5, 59), 1440, 86459);
}

TEST(ReferenceSunrise, DayBirthIsTestedFirstThenBeforeSunrise) {
    // A zone far from the longitude: the clock sunset (08:00) comes before
    // the clock sunrise (20:00). At 09:00 the birth is both before sunrise and
    // after sunset; the earlier case, before sunrise, wins.
    ReferenceDays days;
    days.sunriseToday = At(21, 20, 0);
    days.sunsetToday = At(21, 8, 0);
    days.sunrisePrev = At(20, 20, 1);
    days.sunriseNext = At(22, 19, 59);
    ExpectChoice(days.For(At(21, 9, 0)), At(20, 20, 1), 779, 46740);
}

TEST(ReferenceSunrise, MissingEventsLeaveNoReference) {
    ReferenceDays noSunrise;
    noSunrise.sunriseToday.reset();
    EXPECT_FALSE(noSunrise.For(At(21, 12, 0)).has_value());

    ReferenceDays noSunset;
    noSunset.sunsetToday.reset();
    EXPECT_FALSE(noSunset.For(At(21, 12, 0)).has_value());

    ReferenceDays noPrevious;
    noPrevious.sunrisePrev.reset();
    EXPECT_FALSE(noPrevious.For(At(21, 2, 0)).has_value());
    // A day birth does not need the previous day.
    ExpectChoice(noPrevious.For(At(21, 12, 0)), At(21, 6, 0), 360, 21600);

    ReferenceDays noNext;
    noNext.sunriseNext.reset();
    EXPECT_FALSE(noNext.For(At(21, 22, 0)).has_value());
}

TEST(ElapsedTimePoints, SunAtTenAriesAndFourHoursGivesAquariusLeoGemini) {
    const ElapsedTimeLagnas points = ElapsedTimeLagnas_Calculation(10.0, 240);
    EXPECT_NEAR(points.ghati, 310.0, kDegreeTolerance);  // Aquarius
    EXPECT_NEAR(points.hora, 130.0, kDegreeTolerance);   // Leo
    EXPECT_NEAR(points.bhava, 70.0, kDegreeTolerance);   // Gemini
}

TEST(ElapsedTimePoints, ReduceByWholeTurnsButKeepExactly360) {
    // 350 + 1250 = 1600 -> 160; 350 + 500 = 850 -> 130; 350 + 250 = 600 -> 240.
    const ElapsedTimeLagnas points = ElapsedTimeLagnas_Calculation(350.0, 1000);
    EXPECT_NEAR(points.ghati, 160.0, kDegreeTolerance);
    EXPECT_NEAR(points.hora, 130.0, kDegreeTolerance);
    EXPECT_NEAR(points.bhava, 240.0, kDegreeTolerance);
    // 0 + 1.25 * 288 = 360 exactly: not reduced.
    EXPECT_EQ(ElapsedTimeLagnas_Calculation(0.0, 288).ghati, 360.0);
    EXPECT_EQ(ReduceLongitude(360.0), 360.0);
    EXPECT_EQ(ReduceLongitude(720.5), 0.5);
    EXPECT_EQ(ReduceLongitude(359.75), 359.75);
}

TEST(VarnadaLagna, CountsForwardInOddSignsAndBackwardInEvenOnes) {
    // Aries ascendant 15, Leo hora 130: both forward, 15 + 130.
    EXPECT_NEAR(Varnada_Calculation(15, 130), 145.0, kDegreeTolerance);
    // Taurus ascendant 45 (backward, 315), Leo hora 130 (forward):
    // |315 - 130| = 185, then 360 - 185 for the backward ascendant.
    EXPECT_NEAR(Varnada_Calculation(45, 130), 175.0, kDegreeTolerance);
    // Both backward (315 and 320): 635 -> 275, then 360 - 275.
    EXPECT_NEAR(Varnada_Calculation(45, 40), 85.0, kDegreeTolerance);
    // Libra ascendant 200 (forward), Cancer hora 100 (backward, 260): |200 - 260|.
    EXPECT_NEAR(Varnada_Calculation(200, 100), 60.0, kDegreeTolerance);
    // A hora of exactly 360 lies in no listed sign, so it counts backward as
    // 0: with the Taurus ascendant |315 + 0| = 315, then 360 - 315.
    EXPECT_NEAR(Varnada_Calculation(45, 360), 45.0, kDegreeTolerance);
}

TEST(SreeLagna, AdvancesTheAscendantByTheMoonsPartOfItsNakshatra) {
    // (50 - 40) * 0.075 * 360 = 270; 100 + 270 = 370 -> 10.
    EXPECT_NEAR(SreeLagna_Calculation(100, 50, 40), 10.0, kDegreeTolerance);
    // (45.5 - 40) * 27 = 148.5; 100 + 148.5.
    EXPECT_NEAR(SreeLagna_Calculation(100, 45.5, 40), 248.5, kDegreeTolerance);
}

TEST(Vighati2Degree, SplitsIntoSignsDegreesMinutesSeconds) {
    // 47 + 11/16: signs 47 / 15 = 3; 0.6875 * 30 = 20.625 -> 20°; 0.625 * 60 =
    // 37.5 -> 37'; 0.5 * 60 = 30".
    EXPECT_EQ(Vighati2Degree(47.6875), (std::array<int, 4>{3, 20, 37, 30}));
    EXPECT_EQ(Vighati2Degree(-47.6875), (std::array<int, 4>{3, 20, 37, 30}));
    EXPECT_EQ(Vighati2Degree(1.5), (std::array<int, 4>{0, 15, 0, 0}));
    EXPECT_EQ(Vighati2Degree(16.25), (std::array<int, 4>{1, 7, 30, 0}));
    // Four hours after sunrise: 14400 s / 360 = 40.
    EXPECT_EQ(Vighati2Degree(40.0), (std::array<int, 4>{2, 0, 0, 0}));
    EXPECT_EQ(Vighati2Degree(0.0), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(Vighati2Degree(std::numeric_limits<double>::quiet_NaN()),
              (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(Vighati2Degree(std::numeric_limits<double>::infinity()),
              (std::array<int, 4>{0, 0, 0, 0}));
}

// A Sun at whole degrees and minutes of a sign, half a second in so the cut
// minutes never fall on a rounding edge.
double SunAt(int sign, int degrees, int minutes) {
    return sign * 30.0 + degrees + minutes / 60.0 + 0.5 / 3600;
}

TEST(PranapadaLagna, CountsFromTheSunsSignByItsQuality) {
    // Movable Aries: 45' + 37' carries one degree; 1 + 10 + 20 = 31 carries a
    // sign; P = 1 + 0.
    EXPECT_EQ(PranapadaSign({0, 20, 37, 30}, SunAt(0, 10, 45)), 1);

    // Fixed Taurus: 1 + 1 + 8.
    EXPECT_EQ(PranapadaSign({0, 20, 37, 30}, SunAt(1, 10, 45)), 10);

    // Dual Pisces: 59' + 59' carries one; 1 + 29 + 29 = 59 carries one sign;
    // 4 + 11 + 4 = 19 -> 7.
    EXPECT_EQ(PranapadaSign({3, 29, 59, 0}, SunAt(11, 29, 59)), 7);

    // A Sun at a full turn stands at 0° Aries: 20° 37' carry nothing.
    EXPECT_EQ(PranapadaSign({2, 20, 37, 30}, 360.0), 2);
}

TEST(PranapadaLagna, NoMarkForANegativeCount) {
    EXPECT_FALSE(PranapadaSign({-20, 0, 0, 0}, SunAt(0, 10, 45)).has_value());
    EXPECT_FALSE(PranapadaSign({-1, 0, 0, 0}, SunAt(0, 10, 45)).has_value());
    EXPECT_EQ(PranapadaSign({0, 0, 0, 0}, SunAt(0, 10, 45)), 0);
}

}  // namespace
}  // namespace korvanta
