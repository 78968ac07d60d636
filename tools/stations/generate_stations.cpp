// SPDX-License-Identifier: GPL-3.0-or-later
// Generates astro/stations_data.cpp: the retrograde periods of Mercury,
// Venus, Mars, Jupiter and Saturn whose retrograde station falls in the years
// 1900 to 2050, from the Swiss Ephemeris data files.
//
// A station is a zero of the speed of the geocentric apparent tropical
// longitude. The search steps half a day from 1899-12-01 to 2051-06-01, and
// bisects every sign change of the speed to well under a second. Each station
// where the speed turns negative is paired with the next one, where it turns
// positive again; both are written in UT rounded to the minute.
//
// This source is GPL-3.0-or-later; the built generator links Swiss Ephemeris
// (AGPL-3.0 in Debian) and is therefore distributed under AGPL-3.0.
//
// Usage: korvanta-stations OUTPUT_FILE
// Exit status 0 on success; 1 with a message on standard error otherwise. The
// output file is opened only after every station has been found, so a failed
// search leaves it untouched.

#include <swephexp.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kStepDays = 0.5;
// Bisection stops below this width, about 0.09 s.
constexpr double kBisectionWidthDays = 1.0e-6;
// Julian day of 30 December 1899 00:00 UT, the day count's origin.
constexpr double kJulianDay18991230 = 2415018.5;
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2050;

struct Planet {
    int sweId;
    const char* name;
};

constexpr Planet kPlanets[] = {
    {SE_MERCURY, "Mercury"}, {SE_VENUS, "Venus"},   {SE_MARS, "Mars"},
    {SE_JUPITER, "Jupiter"}, {SE_SATURN, "Saturn"},
};

// Longitude speed in degrees per day at the given Julian day (UT). Throws if
// the library fails or answers from anything but the ephemeris files: its
// built-in fallback is far less precise and would silently change the rows.
double LongitudeSpeed(int sweId, double julianDayUt) {
    double xx[6] = {};
    char serr[AS_MAXCH] = "";
    const int32 flags = SEFLG_SWIEPH | SEFLG_SPEED;
    const int32 returned = swe_calc_ut(julianDayUt, sweId, flags, xx, serr);
    if (returned < 0) {
        throw std::runtime_error(std::string("swe_calc_ut failed: ") + serr);
    }
    if ((returned & SEFLG_SWIEPH) == 0) {
        throw std::runtime_error(std::string("Swiss Ephemeris did not use its data files (") +
                                 serr + "); install swe-basic-data or set KORVANTA_SWE_EPHE_PATH");
    }
    return xx[3];
}

struct Station {
    double julianDayUt;
    bool turnsRetrograde;
};

// Every station of the planet between the two Julian days (UT), in order.
std::vector<Station> FindStations(int sweId, double startJd, double endJd) {
    std::vector<Station> stations;
    const auto steps = static_cast<long>(std::ceil((endJd - startJd) / kStepDays));
    double previousJd = startJd;
    bool previousRetrograde = LongitudeSpeed(sweId, previousJd) < 0;
    for (long i = 1; i <= steps; ++i) {
        const double jd = startJd + static_cast<double>(i) * kStepDays;
        const bool retrograde = LongitudeSpeed(sweId, jd) < 0;
        if (retrograde != previousRetrograde) {
            double low = previousJd;
            double high = jd;
            while (high - low > kBisectionWidthDays) {
                const double middle = 0.5 * (low + high);
                if ((LongitudeSpeed(sweId, middle) < 0) == previousRetrograde) {
                    low = middle;
                } else {
                    high = middle;
                }
            }
            stations.push_back({0.5 * (low + high), retrograde});
        }
        previousJd = jd;
        previousRetrograde = retrograde;
    }
    return stations;
}

struct RowMoment {
    int year, month, day, hour, minute;
};

// The UT civil date and time of a Julian day, rounded to the whole minute.
RowMoment RoundToMinute(double julianDayUt) {
    const auto minuteNumber =
        static_cast<std::int64_t>(std::llround((julianDayUt - kJulianDay18991230) * 1440.0));
    const std::int64_t dayNumber =
        minuteNumber >= 0 ? minuteNumber / 1440 : -((1439 - minuteNumber) / 1440);
    const auto minuteOfDay = static_cast<int>(minuteNumber - dayNumber * 1440);
    int year = 0;
    int month = 0;
    int day = 0;
    double hourOfDay = 0;
    // Noon of the day, so the date cannot slip across a midnight.
    swe_revjul(kJulianDay18991230 + static_cast<double>(dayNumber) + 0.5, SE_GREG_CAL, &year,
               &month, &day, &hourOfDay);
    return {year, month, day, minuteOfDay / 60, minuteOfDay % 60};
}

// "{1912, 5, 8, 4, 3}": a station as the table's initializer writes it.
std::string RowText(const RowMoment& moment) {
    return "{" + std::to_string(moment.year) + ", " + std::to_string(moment.month) + ", " +
           std::to_string(moment.day) + ", " + std::to_string(moment.hour) + ", " +
           std::to_string(moment.minute) + "}";
}

// One row per period: "{{retrograde station}, {direct station}}".
using PlanetRows = std::vector<std::string>;

PlanetRows RowsOf(const Planet& planet, double startJd, double endJd) {
    const std::vector<Station> stations = FindStations(planet.sweId, startJd, endJd);
    PlanetRows rows;
    for (std::size_t k = 0; k < stations.size(); ++k) {
        if (!stations[k].turnsRetrograde) {
            continue;
        }
        const RowMoment start = RoundToMinute(stations[k].julianDayUt);
        if (start.year < kFirstYear || start.year > kLastYear) {
            continue;
        }
        // Stations alternate, so the next one is the direct station.
        if (k + 1 == stations.size()) {
            throw std::runtime_error(std::string(planet.name) + ": no direct station after " +
                                     RowText(start) + "; extend the search span");
        }
        rows.push_back("{" + RowText(start) + ", " +
                       RowText(RoundToMinute(stations[k + 1].julianDayUt)) + "}");
    }
    return rows;
}

void WriteRowList(std::ostream& out, const std::string& name, const PlanetRows& rows) {
    out << "constexpr std::array<StationRow, " << rows.size() << "> " << name << " = {{\n";
    for (const std::string& row : rows) out << "    " << row << ",\n";
    out << "}};\n";
}

constexpr const char* kHeader =
    R"(// SPDX-License-Identifier: GPL-3.0-or-later
// Retrograde station tables of Mercury, Venus, Mars, Jupiter and Saturn: every
// retrograde period whose retrograde station falls in the years 1900 to 2050.
//
// Generated by tools/stations/generate_stations.cpp from the Swiss Ephemeris
// (Debian packages libswe-dev and swe-basic-data); do not edit by hand. A
// station is where the speed of the geocentric apparent tropical longitude
// changes sign. Each row of a planet's list is one period: the station where
// the planet turns retrograde and the following one where it turns direct,
// both {year, month, day, hour, minute} in UT rounded to the minute.
//
// The rows are numbers computed with Swiss Ephemeris (Astrodienst AG; the
// library AGPL-3.0, its data files CC0-1.0). The generator's source is
// GPL-3.0-or-later; linked with Swiss Ephemeris it is distributed under
// AGPL-3.0. The program never links Swiss Ephemeris; it only reads this table.
//
// Regenerate from the repository root with:
//   cmake -S . -B build-stations -DKORVANTA_STATIONS_GENERATOR=ON
//   cmake --build build-stations --target korvanta-stations
//   build-stations/tools/stations/korvanta-stations astro/stations_data.cpp

#include <array>

#include "astro/stations.h"

namespace korvanta {
namespace {

// clang-format off
)";

std::string GenerateSource(double startJd, double endJd) {
    std::ostringstream out;
    out << kHeader;
    for (const Planet& planet : kPlanets) {
        const PlanetRows rows = RowsOf(planet, startJd, endJd);
        const std::string prefix = std::string("k") + planet.name;
        out << "\n// " << planet.name << ": " << rows.size() << " periods.\n";
        WriteRowList(out, prefix + "Rows", rows);
    }
    out << "// clang-format on\n\n";
    for (const Planet& planet : kPlanets) {
        const std::string prefix = std::string("k") + planet.name;
        out << "constexpr auto " << prefix << "Periods = StationPeriods(" << prefix << "Rows);\n";
    }
    out << "\nconstexpr std::array<StationTable, 5> kStationTables = {{\n";
    for (const Planet& planet : kPlanets) {
        const std::string prefix = std::string("k") + planet.name;
        out << "    {\"" << planet.name << "\", " << prefix << "Periods},\n";
    }
    out << "}};\n\n"
           "}  // namespace\n\n"
           "const std::array<StationTable, 5>& StationTables() {\n"
           "    return kStationTables;\n"
           "}\n\n"
           "}  // namespace korvanta\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
        return 1;
    }
    std::string source;
    try {
        swe_set_ephe_path(KORVANTA_SWE_EPHE_PATH);
        const double startJd = swe_julday(1899, 12, 1, 0.0, SE_GREG_CAL);
        const double endJd = swe_julday(2051, 6, 1, 0.0, SE_GREG_CAL);
        source = GenerateSource(startJd, endJd);
        swe_close();
    } catch (const std::exception& error) {
        swe_close();
        std::fprintf(stderr, "korvanta-stations: %s\n", error.what());
        return 1;
    }
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << source;
    file.close();
    if (!file) {
        std::fprintf(stderr, "korvanta-stations: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
