// SPDX-License-Identifier: GPL-3.0-or-later
// The precise astronomy: the ten longitudes, the ayanamsa and the sun events
// against a table that Swiss Ephemeris computes for this test by another
// route (tools/precise-reference), the retrograde marks against the station
// table, the missing data files, the refused inputs and concurrent callers.

#include "precise/precise.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "astro/retrograde.h"
#include "astro/stations.h"

namespace korvanta::precise {
namespace {

constexpr double kArcSecond = 1.0 / 3600.0;
// Julian day of 30 December 1899 00:00, where the station table counts days.
constexpr double kJulianDay18991230 = 2415018.5;

template <typename T>
const T& Value(const Result<T>& result) {
    if (const Error* error = std::get_if<Error>(&result)) {
        ADD_FAILURE() << "unexpected error: " << error->message;
        static const T none{};
        return none;
    }
    return std::get<T>(result);
}

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// One line of the reference table (see tools/precise-reference).
struct Row {
    double jd = 0, latitude = 0, longitude = 0, dayStart = 0, ayanamsa = 0;
    std::array<double, 9> bodies{};  // Sun .. Saturn, mean node, true node
    double asc = 0;
    std::array<std::optional<double>, 4> events;  // rise, set (limb); rise, set (centre)
};

std::vector<Row> ReadTable() {
    std::ifstream in(KORVANTA_PRECISE_REFERENCE_TABLE);
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Row row;
        fields >> row.jd >> row.latitude >> row.longitude >> row.dayStart >> row.ayanamsa;
        for (double& body : row.bodies) fields >> body;
        fields >> row.asc;
        for (auto& event : row.events) {
            std::string text;
            fields >> text;
            if (text != "-") event = std::stod(text);
        }
        EXPECT_FALSE(fields.fail()) << "malformed reference line: " << line;
        rows.push_back(row);
    }
    return rows;
}

// Tolerance 0.5″ for every angle, 0.1 s for every event: the reference
// computes the same quantities through other calls of the same library, so
// anything beyond rounding is a wrong flag, body, node, mode or day window.
TEST(PreciseAstronomy, AgreesWithTheReferenceTableOverEveryLatitude) {
    const std::vector<Row> rows = ReadTable();
    ASSERT_GE(rows.size(), 1000u) << "reference table " << KORVANTA_PRECISE_REFERENCE_TABLE;
    constexpr double kEventTolerance = 0.1 / 86400.0;
    int withoutSunrise = 0;
    int withSunrise = 0;
    SunEventsMemo memo;
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "JD " << r.jd << ", latitude " << r.latitude
                                          << ", longitude " << r.longitude);
        const Positions mean = Value(PositionsAt(r.jd, r.latitude, r.longitude));
        const Positions trueNode =
            Value(PositionsAt(r.jd, r.latitude, r.longitude, {NodeKind::True}));
        EXPECT_NEAR(mean.ayanamsa, r.ayanamsa, 0.5 * kArcSecond);
        for (std::size_t b = 0; b < 7; ++b) {
            EXPECT_LE(AngleBetween(mean.longitude[b], r.bodies[b]), 0.5 * kArcSecond)
                << "body " << b << ": expected " << r.bodies[b] << ", got " << mean.longitude[b];
            EXPECT_EQ(trueNode.longitude[b], mean.longitude[b]) << "body " << b;
        }
        const struct {
            const Positions& positions;
            double node;
        } nodes[] = {{mean, r.bodies[7]}, {trueNode, r.bodies[8]}};
        for (const auto& [positions, node] : nodes) {
            EXPECT_LE(AngleBetween(positions.Longitude(Body::Rahu), node), 0.5 * kArcSecond)
                << "Rahu: expected " << node << ", got " << positions.Longitude(Body::Rahu);
            EXPECT_LE(AngleBetween(positions.Longitude(Body::Ketu), node + 180.0), 0.5 * kArcSecond)
                << "Ketu: expected " << node + 180.0 << ", got " << positions.Longitude(Body::Ketu);
            EXPECT_LE(AngleBetween(positions.Longitude(Body::Asc), r.asc), 0.5 * kArcSecond)
                << "Asc: expected " << r.asc << ", got " << positions.Longitude(Body::Asc);
        }
        for (const double lon : mean.longitude) {
            EXPECT_TRUE(lon >= 0.0 && lon < 360.0) << lon;
        }

        // The limb events through the memo, asked twice (the second answer
        // comes from memory); the centre events directly.
        memo.OfDay(r.dayStart, r.latitude, r.longitude);
        const SunEvents limb = Value(memo.OfDay(r.dayStart, r.latitude, r.longitude));
        const SunEvents centre = Value(
            SunEventsOfDay(r.dayStart, r.latitude, r.longitude, {.sunrise = SunriseKind::Centre}));
        const std::optional<double> got[4] = {limb.sunrise, limb.sunset, centre.sunrise,
                                              centre.sunset};
        for (std::size_t e = 0; e < 4; ++e) {
            ASSERT_EQ(got[e].has_value(), r.events[e].has_value()) << "event " << e;
            if (got[e]) {
                EXPECT_NEAR(*got[e], *r.events[e], kEventTolerance) << "event " << e;
            }
        }
        (limb.sunrise ? withSunrise : withoutSunrise)++;
        if (limb.sunrise) {
            EXPECT_LE(AngleBetween(Value(SunLongitudeAt(*limb.sunrise)),
                                   Value(PositionsAt(*limb.sunrise, 0, 0)).Longitude(Body::Sun)),
                      0.5 * kArcSecond);
        }
    }
    // The spread reaches the polar days and nights as well as ordinary days.
    EXPECT_GT(withSunrise, 500);
    EXPECT_GT(withoutSunrise, 20);
}

// The marks come from the speed's sign; the station table (astro/stations,
// also from Swiss Ephemeris, tropical, to the minute) must agree on every day
// more than two days from the planet's stations, where the sidereal and the
// tropical speed (which differ by the ayanamsa's 0.00014°/day) and the
// table's calendar-day rule cannot disagree.
TEST(PreciseAstronomy, RetrogradeMarksAgreeWithTheStationTableAwayFromStations) {
    const auto& tables = StationTables();
    int compared = 0;
    int retrograde = 0;
    // Every third day at a moment that walks through the hours.
    for (double jd = 2415385.5 + 0.3; jd < 2469807.5; jd += 3.0 + 1.0 / 7.0) {
        const Positions p = Value(PositionsAt(jd, 0.0, 0.0));
        const double dayNumber = jd - kJulianDay18991230;
        for (std::size_t planet = 0; planet < tables.size(); ++planet) {
            bool nearStation = false;
            for (const RetrogradePeriod& period : tables[planet].periods) {
                nearStation = nearStation || std::fabs(dayNumber - period.retrogradeDay) < 2.5 ||
                              std::fabs(dayNumber - period.directDay) < 2.5;
            }
            if (nearStation) continue;
            const bool expected =
                IsRetrograde(static_cast<RetroPlanet>(planet), std::floor(dayNumber) + 0.5);
            EXPECT_EQ(p.retrograde[planet], expected)
                << tables[planet].planetName << " at JD " << jd;
            ++compared;
            retrograde += expected ? 1 : 0;
        }
    }
    EXPECT_GT(compared, 80000);
    EXPECT_GT(retrograde, 10000);
}

// Puts the default folder back however the test ends.
struct DefaultFolderAfterwards {
    ~DefaultFolderAfterwards() { SetEphemerisFolder(DefaultEphemerisFolder()); }
};

TEST(PreciseAstronomy, MissingDataFilesAreAnErrorThatNamesThePackage) {
    const std::filesystem::path empty = std::filesystem::temp_directory_path() /
                                        ("korvanta-no-ephemeris-" + std::to_string(getpid()));
    std::filesystem::create_directories(empty);
    // The library would search this variable's folder instead.
    unsetenv("SE_EPHE_PATH");
    {
        DefaultFolderAfterwards restore;
        SetEphemerisFolder(empty.string());
        EXPECT_EQ(EphemerisFolder(), empty.string());
        const double jd = 2451545.0;
        const Result<Positions> positions = PositionsAt(jd, 28.6, 77.2);
        const Result<SunEvents> events = SunEventsOfDay(jd - 0.5, 28.6, 77.2);
        const Result<double> sun = SunLongitudeAt(jd);
        for (const Error* error : {std::get_if<Error>(&positions), std::get_if<Error>(&events),
                                   std::get_if<Error>(&sun)}) {
            ASSERT_NE(error, nullptr) << "a result from the Moshier fallback counted as success";
            EXPECT_EQ(error->failure, Failure::MissingEphemerisFiles);
            EXPECT_NE(error->message.find("swe-basic-data"), std::string::npos) << error->message;
            EXPECT_NE(error->message.find(empty.string()), std::string::npos) << error->message;
        }
    }
    std::filesystem::remove(empty);
    // Back on the default folder the same moment computes.
    EXPECT_TRUE(std::holds_alternative<Positions>(PositionsAt(2451545.0, 28.6, 77.2)));
}

TEST(PreciseAstronomy, RefusesInputsOutsideItsRanges) {
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    const struct {
        double jd, latitude, longitude;
    } cases[] = {
        {nan, 0, 0},
        {inf, 0, 0},
        {kFirstJulianDay - 1e-6, 0, 0},
        {kLastJulianDay + 1e-6, 0, 0},
        {1e300, 0, 0},
        {2451545.0, 90.0, 0},
        {2451545.0, -90.0, 0},
        {2451545.0, 91.0, 0},
        {2451545.0, nan, 0},
        {2451545.0, 0, 180.001},
        {2451545.0, 0, -180.001},
        {2451545.0, 0, nan},
        {2451545.0, 0, -inf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "JD " << c.jd << ", latitude " << c.latitude
                                          << ", longitude " << c.longitude);
        const Result<Positions> positions = PositionsAt(c.jd, c.latitude, c.longitude);
        const Result<SunEvents> events = SunEventsOfDay(c.jd, c.latitude, c.longitude);
        ASSERT_TRUE(std::holds_alternative<Error>(positions));
        ASSERT_TRUE(std::holds_alternative<Error>(events));
        EXPECT_EQ(std::get<Error>(positions).failure, Failure::OutOfRange);
        EXPECT_EQ(std::get<Error>(events).failure, Failure::OutOfRange);
    }
    // The edges themselves are accepted; a day must end inside the span too.
    EXPECT_TRUE(std::holds_alternative<Positions>(PositionsAt(kFirstJulianDay, 89.99, -180)));
    EXPECT_TRUE(std::holds_alternative<Positions>(PositionsAt(kLastJulianDay, -89.99, 180)));
    EXPECT_TRUE(std::holds_alternative<Error>(SunEventsOfDay(kLastJulianDay - 0.5, 0, 0)));
    EXPECT_TRUE(std::holds_alternative<Error>(SunLongitudeAt(nan)));
}

// Swiss Ephemeris keeps global state; callers on several threads must get
// exactly what one caller gets.
TEST(PreciseAstronomy, ConcurrentCallersGetTheSerialResults) {
    constexpr int kThreads = 4;
    constexpr int kMoments = 40;
    const auto moment = [](int thread, int k) { return 2420000.5 + 937.3 * k + 61.7 * thread; };
    std::vector<std::vector<Positions>> serial(kThreads), parallel(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        for (int k = 0; k < kMoments; ++k) {
            serial[t].push_back(Value(PositionsAt(moment(t, k), 10.0 * t - 15, 33.0 * t,
                                                  {t % 2 ? NodeKind::True : NodeKind::Mean})));
        }
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < kMoments; ++k) {
                const auto result = PositionsAt(moment(t, k), 10.0 * t - 15, 33.0 * t,
                                                {t % 2 ? NodeKind::True : NodeKind::Mean});
                parallel[t].push_back(std::holds_alternative<Positions>(result)
                                          ? std::get<Positions>(result)
                                          : Positions{});
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) {
        for (int k = 0; k < kMoments; ++k) {
            EXPECT_EQ(parallel[t][k].longitude, serial[t][k].longitude) << t << " " << k;
            EXPECT_EQ(parallel[t][k].retrograde, serial[t][k].retrograde) << t << " " << k;
            EXPECT_EQ(parallel[t][k].ayanamsa, serial[t][k].ayanamsa) << t << " " << k;
        }
    }
}

}  // namespace
}  // namespace korvanta::precise
