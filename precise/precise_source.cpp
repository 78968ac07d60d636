// SPDX-License-Identifier: GPL-3.0-or-later
#include "precise/precise_source.h"

#include <cmath>

#include "pipeline/pipeline.h"

namespace korvanta {
namespace {

// Julian day of 30 December 1899 00:00 UT, where the Moment counts seconds.
constexpr double kJulianDay18991230 = 2415018.5;

AstronomyError ErrorOf(const precise::Error& error) {
    return {error.failure == precise::Failure::MissingEphemerisFiles, error.message};
}

// A UT Julian day as a date-time of the Moment's local clock, to the whole
// second.
double LocalDateTimeOf(double julianDay, const Moment& clock) {
    const auto ut = std::llround((julianDay - kJulianDay18991230) * kSecondsPerDay);
    const std::int64_t local = ut + (clock.dst ? 3600 : 0) - std::int64_t{clock.zoneMinutes} * 60;
    return DateTimeOfSeconds(local);
}

}  // namespace

double JulianDayOf(const Moment& moment) {
    return kJulianDay18991230 + static_cast<double>(moment.ut) / kSecondsPerDay;
}

PreciseSource::PreciseSource(const AstronomyOptions& options) : options_(options) {
    options_.astronomy = Astronomy::Precise;
    library_.node =
        options.node == NodeChoice::True ? precise::NodeKind::True : precise::NodeKind::Mean;
    library_.sunrise = options.sunrise == SunriseChoice::Centre ? precise::SunriseKind::Centre
                                                                : precise::SunriseKind::Limb;
}

std::variant<AstronomyError, SourcePositions> PreciseSource::PositionsAt(const Moment& moment,
                                                                         const Place& place) {
    const auto result =
        precise::PositionsAt(JulianDayOf(moment), place.latitude, place.longitude, library_);
    if (const auto* error = std::get_if<precise::Error>(&result)) return ErrorOf(*error);
    const precise::Positions& p = std::get<precise::Positions>(result);
    return SourcePositions{p.longitude, p.retrograde, p.ayanamsa};
}

std::variant<AstronomyError, SunEvents> PreciseSource::SunEventsOfDay(const Moment& day,
                                                                      const Place& place) {
    // The local date's midnight on the place's clock.
    const Moment midnight =
        MomentOfLocal(std::int64_t{day.LocalDay()} * kSecondsPerDay, day.zoneMinutes, day.dst);
    const auto result =
        memo_.OfDay(JulianDayOf(midnight), place.latitude, place.longitude, library_);
    if (const auto* error = std::get_if<precise::Error>(&result)) return ErrorOf(*error);
    const precise::SunEvents& events = std::get<precise::SunEvents>(result);
    SunEvents local;
    if (events.sunrise) local.sunrise = LocalDateTimeOf(*events.sunrise, day);
    if (events.sunset) local.sunset = LocalDateTimeOf(*events.sunset, day);
    return local;
}

std::variant<AstronomyError, double> PreciseSource::SunLongitudeAt(const Moment& moment) {
    const double julianDay = JulianDayOf(moment);
    if (lastSun_ && lastSun_->first == julianDay) return lastSun_->second;
    const auto result = precise::SunLongitudeAt(julianDay);
    if (const auto* error = std::get_if<precise::Error>(&result)) return ErrorOf(*error);
    lastSun_ = {julianDay, std::get<double>(result)};
    return lastSun_->second;
}

std::variant<AstronomyError, Chart> CalculateChart(const Birth& birth,
                                                   const AstronomyOptions& options) {
    if (options.astronomy == Astronomy::Classic) return CalculateChart(birth);
    PreciseSource source(options);
    return CalculateChart(birth, source);
}

std::variant<AstronomyError, SensitivityStrip> BirthTimeSensitivity(
    const Birth& birth, int spanMinutes, const AstronomyOptions& options) {
    if (options.astronomy == Astronomy::Classic) return BirthTimeSensitivity(birth, spanMinutes);
    PreciseSource source(options);
    return BirthTimeSensitivity(birth, spanMinutes, source);
}

}  // namespace korvanta
