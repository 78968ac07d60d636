// SPDX-License-Identifier: GPL-3.0-or-later
// The sunrise reference of a birth and the further points found from it.
#include "pipeline/sunrise_reference.h"

#include <cmath>
#include <limits>

#include "astro/angles.h"
#include "calendar/calendar.h"
#include "astro/planets.h"
#include "astro/sunrise.h"
#include "astro/time_scales.h"

namespace korvanta {
namespace {

constexpr double kFullCircle = 360.0;
constexpr std::int64_t kSecondsPerMinute = 60;

constexpr double kGhatiDegreesPerMinute = 1.25;
constexpr double kHoraDegreesPerMinute = 0.5;
constexpr double kBhavaDegreesPerMinute = 0.25;
constexpr double kSreeFraction = 0.075;  // 3 / 40

// Seconds from sunrise to the Pranapada's vighatis: / 3600 * 150 / 15.
constexpr double kSecondsPerHour = 3600.0;
constexpr double kVighatiHourFactor = 150.0;
constexpr double kVighatiDivisor = 15.0;
constexpr int kSignsPerPranapadaUnit = 15;
constexpr int kFixedSignOffset = 8;
constexpr int kDualSignOffset = 4;

// Whole seconds since 30 December 1899 of a date-time value; values built from
// whole seconds come back exact.
std::int64_t WholeSeconds(double dateTime) {
    return std::llround(dateTime * static_cast<double>(kSecondsPerDay));
}

// Minute boundaries crossed from `earlier` to `later` (negative when later
// comes first).
std::int64_t MinutesBetween(double earlier, double later) {
    return FloorDiv(WholeSeconds(later), kSecondsPerMinute) -
           FloorDiv(WholeSeconds(earlier), kSecondsPerMinute);
}

std::int64_t SecondsBetween(double earlier, double later) {
    return WholeSeconds(later) - WholeSeconds(earlier);
}

std::int32_t ClampToInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<DayPart> DayPartOfBirth(double birthMoment, std::optional<double> sunriseToday,
                                      std::optional<double> sunsetToday) {
    if (!sunriseToday || !sunsetToday) return std::nullopt;
    const std::int64_t birth = WholeSeconds(birthMoment);
    const std::int64_t rise = WholeSeconds(*sunriseToday);
    const std::int64_t set = WholeSeconds(*sunsetToday);
    if (rise <= birth && birth <= set) return DayPart::Day;
    if (birth < rise) return DayPart::BeforeSunrise;
    return DayPart::AfterSunset;
}

std::optional<ReferenceChoice> ChooseReferenceSunrise(double birthMoment,
                                                      std::optional<double> sunriseToday,
                                                      std::optional<double> sunsetToday,
                                                      std::optional<double> sunrisePrev,
                                                      std::optional<double> sunriseNext) {
    const std::optional<DayPart> part = DayPartOfBirth(birthMoment, sunriseToday, sunsetToday);
    if (!part) return std::nullopt;
    std::optional<double> reference;
    bool measureToReference = false;
    switch (*part) {
        case DayPart::Day:
            reference = sunriseToday;
            break;
        case DayPart::BeforeSunrise:
            reference = sunrisePrev;
            break;
        case DayPart::AfterSunset:
            reference = sunriseNext;
            measureToReference = true;
            break;
    }
    if (!reference) return std::nullopt;

    ReferenceChoice choice;
    choice.sunrise = *reference;
    if (measureToReference) {
        choice.minutes = ClampToInt32(MinutesBetween(birthMoment, *reference));
        choice.seconds = ClampToInt32(SecondsBetween(birthMoment, *reference));
    } else {
        choice.minutes = ClampToInt32(std::abs(MinutesBetween(*reference, birthMoment)));
        choice.seconds = ClampToInt32(std::abs(SecondsBetween(*reference, birthMoment)));
    }
    return choice;
}

double ReduceLongitude(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    while (degrees > kFullCircle) degrees -= kFullCircle;
    return degrees;
}

ElapsedTimeLagnas ElapsedTimeLagnas_Calculation(double sunLongitude, std::int32_t minutes) {
    ElapsedTimeLagnas points;
    points.ghati = ReduceLongitude(sunLongitude + kGhatiDegreesPerMinute * minutes);
    points.hora = ReduceLongitude(sunLongitude + kHoraDegreesPerMinute * minutes);
    points.bhava = ReduceLongitude(sunLongitude + kBhavaDegreesPerMinute * minutes);
    return points;
}

double Varnada_Calculation(double ascendantWhole, double horaWhole) {
    // Odd signs (even 0-based index below 12) count forward from 0 degrees
    // Aries, even signs backward from 360.
    const auto countsForward = [](double degrees) {
        const double sign = std::floor(degrees / kDegreesPerSign);
        return sign >= 0 && sign <= 10 && std::fmod(sign, 2.0) == 0;
    };
    const bool ascendantForward = countsForward(ascendantWhole);
    const bool horaForward = countsForward(horaWhole);
    const double ascendantCount = ascendantForward ? ascendantWhole : kFullCircle - ascendantWhole;
    const double horaCount = horaForward ? horaWhole : kFullCircle - horaWhole;

    double varnada = ascendantForward == horaForward ? std::abs(ascendantCount + horaCount)
                                                     : std::abs(ascendantCount - horaCount);
    varnada = ReduceLongitude(varnada);
    if (!ascendantForward) varnada = kFullCircle - varnada;
    return varnada;
}

double SreeLagna_Calculation(double ascendant, double moonLongitude, double moonNakStart) {
    return ReduceLongitude(ascendant +
                           (moonLongitude - moonNakStart) * kSreeFraction * kFullCircle);
}

std::array<int, 4> Vighati2Degree(double x) {
    std::array<int, 4> parts{};
    const double y = std::abs(x);
    if (!std::isfinite(y)) return parts;
    const double whole = std::floor(y);
    const double degrees = (y - whole) * kDegreesPerSign;
    const double minutes = (degrees - std::floor(degrees)) * 60;
    const double seconds = (minutes - std::floor(minutes)) * 60;
    const double signs = std::floor(whole / kSignsPerPranapadaUnit);
    // Only the sign count can grow beyond an int; it then stays 0.
    if (signs <= std::numeric_limits<int>::max()) parts[0] = static_cast<int>(signs);
    parts[1] = static_cast<int>(std::floor(degrees));
    parts[2] = static_cast<int>(std::floor(minutes));
    parts[3] = static_cast<int>(std::floor(seconds));
    return parts;
}

std::optional<int> PranapadaSign(const std::array<int, 4>& parts, double sunLongitude) {
    const SignPosition sun = SignPositionOf(sunLongitude);
    // Whole signs carried over when the parts are added to the Sun's position.
    const int carry = (sun.minutes + parts[2]) / 60;
    const int degrees = carry + (sun.degrees + parts[1]);
    const int signs = parts[0] + degrees / static_cast<int>(kDegreesPerSign);

    // Movable signs count from the Sun's sign, fixed ones from its 9th, dual
    // ones from its 5th.
    int pranapada = signs + sun.sign;
    if (sun.sign % 3 == 1) pranapada += kFixedSignOffset;
    if (sun.sign % 3 == 2) pranapada += kDualSignOffset;
    while (pranapada > kSignsInZodiac - 1) pranapada -= kSignsInZodiac;
    if (pranapada < 0) return std::nullopt;
    return pranapada;
}

std::optional<int> SignCountMark(const ArudhaPadas& padas) {
    const int advance = (padas.lagnaSignCount + padas.moonSignCount) % kSignsInZodiac;
    // Signs count 1..12 here, Aries = 1; a count that lands on 0 marks nothing.
    int mark = (padas.lagnaSign + 1) + advance - 1;
    while (mark > kSignsInZodiac) mark -= kSignsInZodiac;
    if (mark < 1) return std::nullopt;
    return mark - 1;
}

std::optional<Moment> SetSunriseDays(Chart& chart, const SunEvents& prev, const SunEvents& today,
                                     const SunEvents& next) {
    SunriseReference& sunrise = chart.sunrise;
    sunrise = SunriseReference{};
    sunrise.today = today.sunrise;
    sunrise.sunsetToday = today.sunset;
    sunrise.prev = prev.sunrise;
    sunrise.sunsetPrev = prev.sunset;
    sunrise.next = next.sunrise;
    sunrise.sunsetNext = next.sunset;
    sunrise.birthMoment = DateTimeOfSeconds(chart.moment.local);

    // The reference sunrise and the time from it.
    const std::optional<ReferenceChoice> choice = ChooseReferenceSunrise(
        sunrise.birthMoment, sunrise.today, sunrise.sunsetToday, sunrise.prev, sunrise.next);
    if (!choice) return std::nullopt;
    sunrise.reference = choice->sunrise;
    sunrise.minutesFromSunrise = choice->minutes;
    sunrise.secondsFromSunrise = choice->seconds;
    // Sunrises are whole minutes (classic) or whole seconds (precise) of
    // the local clock.
    const Moment at =
        MomentOfLocal(WholeSeconds(choice->sunrise), chart.moment.zoneMinutes, chart.moment.dst);
    sunrise.referenceClock = CivilOfSeconds(at.local);
    return at;
}

void SpecialPoints_Calculation(Chart& chart) {
    SunriseReference& sunrise = chart.sunrise;
    SpecialPoints& special = chart.special;
    special = SpecialPoints{};
    const bool hasReference = sunrise.reference.has_value();
    if (hasReference) {
        sunrise.sunAt = SignPositionOf(sunrise.sunLongitude);
        const ElapsedTimeLagnas lagnas =
            ElapsedTimeLagnas_Calculation(sunrise.sunLongitude, sunrise.minutesFromSunrise);
        special.ghati = lagnas.ghati;
        special.hora = lagnas.hora;
        special.bhava = lagnas.bhava;
        special.varnada = Varnada_Calculation(chart.ascendantWhole, std::floor(lagnas.hora));
    }
    special.signCountMark = SignCountMark(chart.padas);
    special.sree = SreeLagna_Calculation(chart.Longitude(Body::Asc), chart.Longitude(Body::Moon),
                                         chart.moonNakStart);

    // The Pranapada from the seconds since sunrise.
    if (hasReference) {
        const double vighatis =
            sunrise.secondsFromSunrise / kSecondsPerHour * kVighatiHourFactor / kVighatiDivisor;
        special.pranapada = PranapadaSign(Vighati2Degree(vighatis), sunrise.sunLongitude);
    }
    special.SplitPositions();
}

void SunriseReference_Calculation(Chart& chart) {
    // Sunrise and sunset of the birth date and of the days on either side.
    const SunEvents today = SunRiseSet_Calculation(chart.moment, chart.place);
    const SunEvents prev = SunRiseSet_Calculation(ShiftedByDays(chart.moment, -1), chart.place);
    const SunEvents next = SunRiseSet_Calculation(ShiftedByDays(chart.moment, 1), chart.place);
    // The Sun at the reference sunrise, with the chart's 1900-series ayanamsa.
    if (const std::optional<Moment> at = SetSunriseDays(chart, prev, today, next)) {
        chart.sunrise.sunLongitude = SiderealSun(PlanetDayNumber(*at), chart.ayanamsa);
    }
    SpecialPoints_Calculation(chart);
}

}  // namespace korvanta
