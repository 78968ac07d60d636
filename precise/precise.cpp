// SPDX-License-Identifier: GPL-3.0-or-later
#include "precise/precise.h"

#include <swephexp.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace korvanta::precise {
namespace {

constexpr const char* kPackage = "swe-basic-data";
constexpr std::size_t kRetroFirst = Index(Body::Mercury);

// The seven bodies computed with swe_calc_ut, by Body (Sun .. Saturn).
constexpr std::array<int, 7> kSweBodies = {SE_SUN,  SE_MOON,    SE_MERCURY, SE_VENUS,
                                           SE_MARS, SE_JUPITER, SE_SATURN};

// The air at the horizon for the refracted sunrise: the standard pressure at
// sea level, 1013.25 hPa, and 10 °C, the conditions of the usual mean
// refraction (about 34′ at the horizon).
constexpr double kPressureHpa = 1013.25;
constexpr double kTemperatureC = 10.0;

// The folder wanted and the count of swe_close() calls so far, guarded by
// the mutex that every call into the library holds.
struct Library {
    std::mutex mutex;
    std::string folder = DefaultEphemerisFolder();
    std::uint64_t closes = 0;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

// Swiss Ephemeris as Debian builds it keeps its state per thread (a thread
// that never set the mode computes with its default ayanamsa, Fagan-Bradley,
// 0.88° off Lahiri), so each thread gives the library the folder and the
// Lahiri mode on its first call, and again after the folder changed. A
// thread that used the library closes it when it ends: its files and buffers
// would otherwise stay open and allocated for the rest of the process. Where
// the library's state is shared instead, that close resets it for every
// thread, so each one prepares again after any close.
struct ThreadState {
    bool prepared = false;
    std::string folder;        // the folder last given to the library on this thread
    std::uint64_t closes = 0;  // Library::closes when it was given

    ~ThreadState() {
        if (!prepared) return;
        Library& library = TheLibrary();
        const std::lock_guard lock(library.mutex);
        swe_close();
        ++library.closes;
    }
};
thread_local ThreadState threadState;

// The caller holds the mutex. The sidereal mode is set after the folder
// because setting the folder may reset it.
void Prepare(const Library& library) {
    if (threadState.prepared && threadState.folder == library.folder &&
        threadState.closes == library.closes) {
        return;
    }
    swe_set_ephe_path(library.folder.c_str());
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    threadState.folder = library.folder;
    threadState.closes = library.closes;
    threadState.prepared = true;
}

Error OutOfRange(const std::string& what) {
    return {Failure::OutOfRange, what};
}

std::optional<Error> CheckMoment(double julianDayUt) {
    if (!std::isfinite(julianDayUt) || julianDayUt < kFirstJulianDay ||
        julianDayUt > kLastJulianDay) {
        return OutOfRange(
            "The moment is outside the years 1850 to 2149 that the precise "
            "astronomy computes.");
    }
    return std::nullopt;
}

std::optional<Error> CheckPlace(double latitude, double longitude) {
    if (!std::isfinite(latitude) || latitude <= -90.0 || latitude >= 90.0) {
        return OutOfRange("The latitude must lie strictly between 90° south and 90° north.");
    }
    if (!std::isfinite(longitude) || longitude < -180.0 || longitude > 180.0) {
        return OutOfRange("The longitude must lie between 180° west and 180° east.");
    }
    return std::nullopt;
}

// The folder the library really searched: Swiss Ephemeris prefers the
// environment variable SE_EPHE_PATH to the folder it is given.
std::string SearchedFolder(const Library& library) {
    const char* variable = std::getenv("SE_EPHE_PATH");
    if (variable != nullptr && *variable != '\0') {
        return std::string(variable) + " (from SE_EPHE_PATH)";
    }
    return library.folder;
}

// The library's own message on one line, without its trailing separators.
std::string OneLine(const char* text) {
    std::string line;
    for (const char* c = text; *c != '\0'; ++c) {
        const bool space = *c == '\n' || *c == '\r' || *c == ' ';
        if (space && (line.empty() || line.back() == ' ')) continue;
        line += space ? ' ' : *c;
    }
    // "using Moshier eph." would say that the fallback was taken; it is not.
    if (const auto fallback = line.find("using Moshier"); fallback != std::string::npos) {
        line.erase(fallback);
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == ';' || line.back() == '.')) {
        line.pop_back();
    }
    return line;
}

Error MissingFiles(const Library& library, const char* detail) {
    return {Failure::MissingEphemerisFiles,
            "The Swiss Ephemeris data files were not found in " + SearchedFolder(library) +
                " (install the Debian package " + kPackage + "): " + OneLine(detail) + "."};
}

double Normalized(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0) d += 360.0;
    // fmod of a value just below 0 can round up to exactly 360.
    return d >= 360.0 ? 0.0 : d;
}

// One body, sidereal, from the data files. The caller holds the mutex.
// Returned: longitude and, with `speed`, its daily speed (else 0), or the
// error. The speed costs a quarter more time and leaves the longitude as it
// is, so it is asked for only where a retrograde mark needs it.
Result<std::array<double, 2>> SiderealBody(const Library& library, double julianDayUt, int body,
                                           bool speed = false) {
    double xx[6] = {};
    char serr[AS_MAXCH] = "";
    const int32 flags = SEFLG_SWIEPH | SEFLG_SIDEREAL | (speed ? SEFLG_SPEED : 0);
    const int32 returned = swe_calc_ut(julianDayUt, body, flags, xx, serr);
    if (returned < 0) return Error{Failure::LibraryError, "Swiss Ephemeris: " + OneLine(serr)};
    if ((returned & SEFLG_SWIEPH) == 0) return MissingFiles(library, serr);
    return std::array<double, 2>{Normalized(xx[0]), xx[3]};
}

}  // namespace

std::string DefaultEphemerisFolder() {
    return KORVANTA_SWE_EPHE_PATH;
}

void SetEphemerisFolder(const std::string& folder) {
    Library& library = TheLibrary();
    const std::lock_guard lock(library.mutex);
    library.folder = folder;
}

std::string EphemerisFolder() {
    Library& library = TheLibrary();
    const std::lock_guard lock(library.mutex);
    return library.folder;
}

Result<Positions> PositionsAt(double julianDayUt, double latitude, double longitude,
                              const Options& options) {
    if (auto error = CheckMoment(julianDayUt)) return *error;
    if (auto error = CheckPlace(latitude, longitude)) return *error;

    Library& library = TheLibrary();
    const std::lock_guard lock(library.mutex);
    Prepare(library);

    Positions positions;
    for (std::size_t k = 0; k < kSweBodies.size(); ++k) {
        const auto body = SiderealBody(library, julianDayUt, kSweBodies[k], k >= kRetroFirst);
        if (const Error* error = std::get_if<Error>(&body)) return *error;
        const auto& [lon, speed] = std::get<std::array<double, 2>>(body);
        positions.longitude[k] = lon;
        if (k >= kRetroFirst) positions.retrograde[k - kRetroFirst] = speed < 0;
    }

    const int node = options.node == NodeKind::True ? SE_TRUE_NODE : SE_MEAN_NODE;
    const auto rahu = SiderealBody(library, julianDayUt, node);
    if (const Error* error = std::get_if<Error>(&rahu)) return *error;
    const double rahuLongitude = std::get<std::array<double, 2>>(rahu)[0];
    positions.longitude[Index(Body::Rahu)] = rahuLongitude;
    positions.longitude[Index(Body::Ketu)] = Normalized(rahuLongitude + 180.0);

    // The ascendant is the same in every house system; equal houses are
    // defined at every latitude, where Placidus fails inside the polar circles.
    double cusps[13] = {};
    double ascmc[10] = {};
    if (swe_houses_ex(julianDayUt, SEFLG_SIDEREAL, latitude, longitude, 'E', cusps, ascmc) < 0) {
        return Error{Failure::LibraryError, "Swiss Ephemeris could not compute the ascendant."};
    }
    positions.longitude[Index(Body::Asc)] = Normalized(ascmc[0]);

    char serr[AS_MAXCH] = "";
    if (swe_get_ayanamsa_ex_ut(julianDayUt, SEFLG_SWIEPH, &positions.ayanamsa, serr) < 0) {
        return Error{Failure::LibraryError, "Swiss Ephemeris: " + OneLine(serr)};
    }
    return positions;
}

Result<double> SunLongitudeAt(double julianDayUt) {
    if (auto error = CheckMoment(julianDayUt)) return *error;
    Library& library = TheLibrary();
    const std::lock_guard lock(library.mutex);
    Prepare(library);
    const auto sun = SiderealBody(library, julianDayUt, SE_SUN);
    if (const Error* error = std::get_if<Error>(&sun)) return *error;
    return std::get<std::array<double, 2>>(sun)[0];
}

Result<SunEvents> SunEventsOfDay(double dayStartUt, double latitude, double longitude,
                                 const Options& options) {
    if (auto error = CheckMoment(dayStartUt)) return *error;
    if (auto error = CheckMoment(dayStartUt + 1.0)) return *error;
    if (auto error = CheckPlace(latitude, longitude)) return *error;

    Library& library = TheLibrary();
    const std::lock_guard lock(library.mutex);
    Prepare(library);
    // swe_rise_trans says nothing of the ephemeris it used; a position of the
    // Sun at the day's start shows whether the files cover the day.
    const auto check = SiderealBody(library, dayStartUt, SE_SUN);
    if (const Error* error = std::get_if<Error>(&check)) return *error;

    const int32 bits =
        options.sunrise == SunriseKind::Centre ? SE_BIT_DISC_CENTER | SE_BIT_NO_REFRACTION : 0;
    double geopos[3] = {longitude, latitude, 0.0};
    SunEvents events;
    for (const int32 event : {SE_CALC_RISE, SE_CALC_SET}) {
        double when = 0;
        char serr[AS_MAXCH] = "";
        const int32 found = swe_rise_trans(dayStartUt, SE_SUN, nullptr, SEFLG_SWIEPH, event | bits,
                                           geopos, kPressureHpa, kTemperatureC, &when, serr);
        if (found == ERR) {
            return Error{Failure::LibraryError, "Swiss Ephemeris: " + OneLine(serr)};
        }
        // -2: the Sun stays above or below the horizon; an event after the
        // day's end belongs to a later day.
        if (found != 0 || !(when >= dayStartUt && when < dayStartUt + 1.0)) continue;
        (event == SE_CALC_RISE ? events.sunrise : events.sunset) = when;
    }
    return events;
}

Result<SunEvents> SunEventsMemo::OfDay(double dayStartUt, double latitude, double longitude,
                                       const Options& options) {
    for (std::size_t k = 0; k < used_; ++k) {
        const Entry& e = entries_[k];
        if (e.dayStartUt == dayStartUt && e.latitude == latitude && e.longitude == longitude &&
            e.kind == options.sunrise) {
            return e.events;
        }
    }
    Result<SunEvents> result = SunEventsOfDay(dayStartUt, latitude, longitude, options);
    if (const SunEvents* events = std::get_if<SunEvents>(&result)) {
        entries_[next_] = {dayStartUt, latitude, longitude, options.sunrise, *events};
        next_ = (next_ + 1) % kEntries;
        if (used_ < kEntries) ++used_;
    }
    return result;
}

}  // namespace korvanta::precise
