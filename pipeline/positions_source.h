// SPDX-License-Identifier: GPL-3.0-or-later
// Which astronomy makes a chart, and the seam through which a second source
// of positions feeds the one calculation: the built-in astronomy (classic,
// the default) computes in the core itself; the precise astronomy (Swiss
// Ephemeris, korvanta_precise) implements PositionsSource, and the chart's
// signs, nakshatra, padas, Upapada Lagna, special lagnas and everything
// after them follow from its numbers through the same functions.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>

#include "astro/bodies.h"
#include "astro/moment.h"
#include "astro/sunrise.h"

namespace korvanta {

enum class Astronomy { Classic, Precise };
// Rahu as the mean or the true lunar node (precise only; Ketu opposite).
enum class NodeChoice { Mean, True };
// Sunrise as the upper limb with refraction or the disc's centre without
// (precise only).
enum class SunriseChoice { Limb, Centre };

struct AstronomyOptions {
    Astronomy astronomy = Astronomy::Classic;
    NodeChoice node = NodeChoice::Mean;
    SunriseChoice sunrise = SunriseChoice::Limb;
    friend bool operator==(const AstronomyOptions&, const AstronomyOptions&) = default;
};

// Why a source could not give its numbers.
struct AstronomyError {
    bool missingFiles = false;  // its data files are missing (the message names the package)
    std::string message;        // one sentence for the reader
};

// What a source gives for one moment and place.
struct SourcePositions {
    // Sidereal longitudes, degrees in [0, 360), by Body.
    std::array<double, kBodyCount> longitude{};
    // Retrograde marks of Mercury, Venus, Mars, Jupiter, Saturn.
    std::array<bool, 5> retrograde{};
    // The ayanamsa subtracted from the tropical positions, degrees, positive.
    double ayanamsa = 0;
};

// A source of positions other than the built-in astronomy. One source serves
// one calculation (a chart, or the charts of one sensitivity strip) on one
// thread: it may remember what it computed.
class PositionsSource {
  public:
    virtual ~PositionsSource() = default;
    // The astronomy and the choices the source computes with.
    virtual AstronomyOptions Options() const = 0;
    // Given: the Moment (to the second) and the Place. Returned: the ten
    // longitudes, the retrograde marks and the ayanamsa, or the error.
    virtual std::variant<AstronomyError, SourcePositions> PositionsAt(const Moment& moment,
                                                                      const Place& place) = 0;
    // Given: a Moment whose local civil date is the day wanted, and the
    // Place. Returned: that date's sunrise and sunset as date-times of the
    // local clock (days since 30 December 1899), whole seconds; or the error.
    virtual std::variant<AstronomyError, SunEvents> SunEventsOfDay(const Moment& day,
                                                                   const Place& place) = 0;
    // Given: a Moment. Returned: the Sun's sidereal longitude there, degrees,
    // or the error.
    virtual std::variant<AstronomyError, double> SunLongitudeAt(const Moment& moment) = 0;
};

}  // namespace korvanta
