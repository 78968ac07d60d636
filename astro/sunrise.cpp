// SPDX-License-Identifier: GPL-3.0-or-later
// Sunrise and sunset by the low-precision method of the Almanac for Computers
// (US Naval Observatory, 1990): the Sun's mean
// anomaly, true longitude, right ascension and declination, and the hour angle
// at which its centre stands 50 arc-minutes below the horizon. All angles are
// radians built from the fixed decimals below (not full-precision multiples of
// pi); the results are local clock times rounded to the minute.
#include "astro/sunrise.h"

#include <cmath>
#include <cstdlib>

#include "astro/angles.h"
#include "calendar/calendar.h"

namespace korvanta {
namespace {

constexpr double kQuarterTurn = 1.5708;            // morning event offset; quadrant tests
constexpr double kHalfTurn = 3.14159;              // right-ascension quadrant correction
constexpr double kThreeQuarterTurn = 4.71239;      // evening event offset; quadrant test
constexpr double kFullTurn = 6.28319;              // normalisation
constexpr double kDegree = 0.0174533;              // degrees to radians
constexpr double kHourAngle = 0.261799;            // zone hours to radians
constexpr double kCosZenith = -0.0145439;          // Sun's centre 90 deg 50' from the zenith
constexpr double kAnomalyRate = 0.017202;          // mean anomaly per day
constexpr double kAnomalyEpoch = 0.0574039;        // mean anomaly at day 0
constexpr double kCentreSin1 = 0.0334405;          // equation of centre, sin M term
constexpr double kCentreSin2 = 0.000349066;        // equation of centre, sin 2M term
constexpr double kPerigeeLongitude = 4.93289;      // added to the true longitude
constexpr double kSingularityNudge = 4.84814e-06;  // one arc-second
constexpr double kObliquityCos = 0.91746;          // right ascension factor
constexpr double kObliquitySin = 0.39782;          // declination factor
constexpr double kSiderealRate = 0.0172028;        // local mean time, per day
constexpr double kSiderealEpoch = 1.73364;         // local mean time, constant term
constexpr double kRadiansToHours = 3.81972;

// The zone that the almanac takes as -11 instead of +13 (AlmanacZoneHours).
constexpr double kWrappedZone = 13.0;
constexpr double kWrappedZoneValue = -11.0;

struct LocalEventTime {
    int hour = 0;    // 0..23 (24 only for a moment a hair before midnight)
    int minute = 0;  // 0..60; 60 carries into the next hour
};

// Local clock time of one event of day-of-year index `dayIndex` (1 January =
// 0). Given: offset (kQuarterTurn sunrise, kThreeQuarterTurn sunset), latitude
// and longitude (radians, east positive), zone (radians, local minus UT).
// Returned: nothing when the Sun neither reaches nor crosses the horizon.
std::optional<LocalEventTime> EventTime(double offset, bool isSunrise, int dayIndex,
                                        double latitude, double longitude, double zone) {
    const double t = dayIndex + (offset - longitude) / kFullTurn;
    const double meanAnomaly = kAnomalyRate * t - kAnomalyEpoch;

    double trueLongitude = meanAnomaly + kCentreSin1 * std::sin(meanAnomaly) + kPerigeeLongitude +
                           kCentreSin2 * std::sin(2 * meanAnomaly);
    while (trueLongitude < 0) trueLongitude += kFullTurn;
    while (trueLongitude >= kFullTurn) trueLongitude -= kFullTurn;
    // A longitude on a quadrant boundary would make the tangent below blow up.
    const double quadrants = trueLongitude / kQuarterTurn;
    if (quadrants == std::floor(quadrants)) trueLongitude += kSingularityNudge;

    double rightAscension =
        ArcTan2(kObliquityCos * std::sin(trueLongitude) / std::cos(trueLongitude), 1);
    if (trueLongitude > kThreeQuarterTurn) {
        rightAscension += kFullTurn;
    } else if (trueLongitude > kQuarterTurn) {
        rightAscension += kHalfTurn;
    }

    const double sinDeclination = kObliquitySin * std::sin(trueLongitude);
    const double declination =
        ArcTan2(sinDeclination / std::sqrt(1 - sinDeclination * sinDeclination), 1);

    const double cosHourAngle = (kCosZenith - std::sin(declination) * std::sin(latitude)) /
                                (std::cos(latitude) * std::cos(declination));
    // Polar day or night: the Sun stays above or below the horizon all day.
    if (!(std::abs(cosHourAngle) < 1)) return std::nullopt;

    double hourAngle =
        kQuarterTurn - ArcTan2(cosHourAngle / std::sqrt(1 - cosHourAngle * cosHourAngle), 1);
    if (isSunrise) hourAngle = kFullTurn - hourAngle;

    const double localMeanTime = hourAngle + rightAscension - kSiderealRate * t - kSiderealEpoch;
    double clock = localMeanTime - longitude + zone;
    while (clock < 0) clock += kFullTurn;
    while (clock >= kFullTurn) clock -= kFullTurn;

    const double hours = clock * kRadiansToHours;
    LocalEventTime result;
    result.hour = static_cast<int>(std::floor(hours));
    result.minute = static_cast<int>(std::floor((hours - result.hour) * 60 + 0.5));
    return result;
}

}  // namespace

double AlmanacZoneHours(const Moment& moment) {
    // Hours and minutes of the zone correction share its sign.
    const int zoneHours = moment.zoneMinutes / 60;
    const int zoneMinutes = moment.zoneMinutes % 60;
    double zone = -(zoneHours + zoneMinutes / 60.0);
    if (moment.dst) zone += 1;
    if (zone == kWrappedZone) zone = kWrappedZoneValue;
    return zone;
}

SunEvents SunRiseSet_Calculation(const Moment& day, const Place& place) {
    const std::int32_t localDay = day.LocalDay();
    const CivilDateTime date = CivilOfSeconds(std::int64_t{localDay} * kSecondsPerDay);
    const int dayIndex = localDay - DaysFromCivil(date.year, 1, 1);
    const double latitude = place.latitude * kDegree;
    const double longitude = place.longitude * kDegree;
    const double zoneRadians = AlmanacZoneHours(day) * kHourAngle;

    // Each event stands on its own: a missing sunrise leaves the sunset as usual.
    SunEvents events;
    const double offsets[2] = {kQuarterTurn, kThreeQuarterTurn};
    for (int slot = 0; slot < 2; ++slot) {
        const std::optional<LocalEventTime> event =
            EventTime(offsets[slot], slot == 0, dayIndex, latitude, longitude, zoneRadians);
        if (event) {
            (slot == 0 ? events.sunrise : events.sunset) = DateTimeOfSeconds(
                std::int64_t{localDay} * kSecondsPerDay + event->hour * 3600 + event->minute * 60);
        }
    }
    return events;
}

}  // namespace korvanta
