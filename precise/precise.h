// SPDX-License-Identifier: GPL-3.0-or-later
// The precise astronomy: the chart's positions and the Sun's risings and
// settings from Swiss Ephemeris (Debian libswe-dev) and its data files
// (swe-basic-data), for the births whose divisional charts need positions to
// the arc-second.
//
// Everything here takes plain numbers: universal time as a Julian day,
// latitude north-positive and longitude east-positive in degrees. Positions
// are geocentric apparent sidereal longitudes with the Lahiri ayanamsa
// (SE_SIDM_LAHIRI). The library's Moshier fallback never counts as a
// result: whatever Swiss Ephemeris computed without its data files
// (SEFLG_SWIEPH missing from its answer) is returned as an error naming the
// package that holds them.
//
// Threads: Swiss Ephemeris keeps global state (the data folder, the sidereal
// mode, open files and caches; per thread in Debian's build), so every call
// into it made here holds one process-wide mutex, and each thread gives it
// the data folder and the Lahiri mode once, on its first call (again only
// after SetEphemerisFolder changes the folder), and closes the library when
// it ends. The functions may be called from any thread; they run one at a
// time. Nothing else in the program may
// call Swiss Ephemeris directly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "astro/bodies.h"

namespace korvanta::precise {

// Which lunar node is Rahu: the mean node (the default) or the true
// (osculating) node. Ketu is always opposite.
enum class NodeKind { Mean, True };

// Which sunrise: the Sun's upper limb on the horizon with standard
// atmospheric refraction (the default), or the disc's centre on the horizon
// without refraction.
enum class SunriseKind { Limb, Centre };

struct Options {
    NodeKind node = NodeKind::Mean;
    SunriseKind sunrise = SunriseKind::Limb;
};

// Why a result could not be computed.
enum class Failure {
    MissingEphemerisFiles,  // the data files are not in the folder, or do not cover the date
    OutOfRange,             // an input outside the accepted ranges (or not a finite number)
    LibraryError,           // Swiss Ephemeris reported an error of its own
};

struct Error {
    Failure failure = Failure::LibraryError;
    std::string message;  // one sentence for the reader, naming the package where it helps
};

template <typename T>
using Result = std::variant<Error, T>;

// The chart's positions at one moment and place.
struct Positions {
    // Sidereal longitudes, degrees in [0, 360), by korvanta::Body (Sun, Moon,
    // Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu, Asc).
    std::array<double, kBodyCount> longitude{};
    // Retrograde marks of Mercury, Venus, Mars, Jupiter, Saturn (the order of
    // the chart's marks): the sidereal longitude's daily speed is negative.
    std::array<bool, 5> retrograde{};
    // The Lahiri ayanamsa subtracted from the tropical positions, degrees
    // (positive, about 23.85 in 2000; nutation included, as in the positions).
    double ayanamsa = 0;

    double Longitude(Body body) const { return longitude[Index(body)]; }
};

// The Sun's rising and setting within one local day, UT Julian days; empty
// where the event does not happen that day (polar day or night).
struct SunEvents {
    std::optional<double> sunrise;
    std::optional<double> sunset;
};

// The accepted span of moments: 1850-01-01 00:00 UT to 2150-01-01 00:00 UT
// (Julian days), inside the data files' 1800–2400 and wider than the births
// the program takes (1901–2050) with the days around them.
inline constexpr double kFirstJulianDay = 2396758.5;
inline constexpr double kLastJulianDay = 2506331.5;

// The Julian day (UT) of a count of seconds since 1970-01-01 00:00 UT.
constexpr double JulianDayOfUnixSeconds(std::int64_t seconds) {
    return 2440587.5 + static_cast<double>(seconds) / 86400.0;
}

// The ten positions, the retrograde marks and the ayanamsa.
// Given: the moment, UT Julian day in [kFirstJulianDay, kLastJulianDay];
// latitude in degrees, north-positive, strictly between -90 and 90 (the
// ascendant is undefined at the poles); longitude in degrees, east-positive,
// -180..180; options.node. Returned: the positions, or the error.
Result<Positions> PositionsAt(double julianDayUt, double latitude, double longitude,
                              const Options& options = {});

// The sidereal longitude of the Sun alone (the Sun at a sunrise).
// Given: the moment, UT Julian day in the accepted span. Returned: degrees in
// [0, 360), or the error.
Result<double> SunLongitudeAt(double julianDayUt);

// Sunrise and sunset of one local day: the first rising and the first setting
// at or after the day's start and before the start of the next day.
// Given: the local day's start (its 00:00 on the place's clock) as a UT Julian
// day, the day and the next within the accepted span; latitude and longitude
// as for PositionsAt; options.sunrise. Returned: the events as UT Julian
// days, or the error.
Result<SunEvents> SunEventsOfDay(double dayStartUt, double latitude, double longitude,
                                 const Options& options = {});

// Remembers the sun events of the last few days asked for, so that a run of
// charts around one birth (the sensitivity strip asks for the same three days
// hundreds of times) computes each day once. One memo per calculation: it is
// not shared between threads. Errors are not remembered.
class SunEventsMemo {
  public:
    Result<SunEvents> OfDay(double dayStartUt, double latitude, double longitude,
                            const Options& options = {});

  private:
    struct Entry {
        double dayStartUt = 0, latitude = 0, longitude = 0;
        SunriseKind kind = SunriseKind::Limb;
        SunEvents events;
    };
    static constexpr std::size_t kEntries = 8;
    std::array<Entry, kEntries> entries_{};
    std::size_t used_ = 0;
    std::size_t next_ = 0;
};

// The folder of the data files: /usr/share/libswe/ephe unless set here (the
// environment variable SE_EPHE_PATH, when set, overrides both: Swiss
// Ephemeris reads it itself). Each thread's next call gives the library the
// new folder, which closes the files it had open.
void SetEphemerisFolder(const std::string& folder);
std::string EphemerisFolder();

// The folder the build was told the data files are in.
std::string DefaultEphemerisFolder();

}  // namespace korvanta::precise
