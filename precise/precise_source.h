// SPDX-License-Identifier: GPL-3.0-or-later
// The precise astronomy as a source of the chart's positions, and the chart
// and the sensitivity strip of a birth with the astronomy chosen. The
// programs (korvanta-cli, the desktop program) call these; the core never
// links Swiss Ephemeris.
#pragma once

#include <optional>
#include <variant>

#include "pipeline/birth.h"
#include "pipeline/chart.h"
#include "pipeline/positions_source.h"
#include "pipeline/sensitivity.h"
#include "precise/precise.h"

namespace korvanta {

// Positions, retrograde marks, ayanamsa and sun events from Swiss Ephemeris
// (precise/precise.h). Remembers the sun events of the days it was asked
// for and the Sun at the last sunrise, which the charts of one strip share.
class PreciseSource final : public PositionsSource {
  public:
    // Given: the node and sunrise choices (the astronomy is Precise whatever
    // `options` says).
    explicit PreciseSource(const AstronomyOptions& options);

    AstronomyOptions Options() const override { return options_; }
    std::variant<AstronomyError, SourcePositions> PositionsAt(const Moment& moment,
                                                              const Place& place) override;
    std::variant<AstronomyError, SunEvents> SunEventsOfDay(const Moment& day,
                                                           const Place& place) override;
    std::variant<AstronomyError, double> SunLongitudeAt(const Moment& moment) override;

  private:
    AstronomyOptions options_;
    precise::Options library_;
    precise::SunEventsMemo memo_;
    std::optional<std::pair<double, double>> lastSun_;  // Julian day, longitude
};

// The Julian day (UT) of a Moment.
double JulianDayOf(const Moment& moment);

// The chart of a birth with the astronomy of `options`: the classic chart
// (CalculateChart(birth)) or the precise one. Returned: the chart, or the
// precise astronomy's error (its data files missing).
std::variant<AstronomyError, Chart> CalculateChart(const Birth& birth,
                                                   const AstronomyOptions& options);

// The sensitivity strip of a birth with the astronomy of `options`.
std::variant<AstronomyError, SensitivityStrip> BirthTimeSensitivity(
    const Birth& birth, int spanMinutes, const AstronomyOptions& options);

}  // namespace korvanta
