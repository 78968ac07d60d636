// SPDX-License-Identifier: GPL-3.0-or-later
// Heliocentric positions from the J2000 mean elements and their rates per
// Julian century of Standish's "Keplerian Elements for Approximate Positions
// of the Major Planets" (JPL, table 1, valid 1800-2050), solved by Kepler's
// equation and turned geocentric by subtracting the Earth's position in the
// ecliptic plane (latitudes are not needed for a longitude).
#include "astro/planets.h"

#include <cmath>

#include "astro/angles.h"

namespace korvanta {
namespace {

constexpr double kTwoPi = 6.28318530717958;
constexpr double kKeplerTolerance = 1e-12;
// Newton's method converges in a handful of steps for planetary
// eccentricities; the cap only guards against a floating-point cycle.
constexpr int kKeplerMaxSteps = 100;
// Radians to degrees for the node, with pi written as 3.1416 as the almanac
// writes it (kept: it moves the nodes by about a thousandth of a degree).
constexpr double kNodeRadToDeg = 180.0 / 3.1416;
constexpr double kNode0 = 125.1228, kNodeRate = 0.0529538083;  // degrees, degrees per day
constexpr double kNodeOffset = 1.0;  // degrees, the almanac's own correction, kept
// General precession in longitude, arcseconds per Julian century (and T^2).
constexpr double kPrecessionRate = 5029.0966, kPrecessionT2 = 1.11113;

// J2000 mean elements and rates per Julian century: a (AU), e, then i, node,
// perihelion and mean longitude as degrees with rates in arcseconds.
struct ElementRow {
    double a, aRate, e, eRate, i, iRate, node, nodeRate, peri, periRate, L, LRate;
};
constexpr std::array<ElementRow, 6> kElements = {{
    {0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645,
     573.57, 252.25084, 538101628.29},
    {0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298,
     -108.80, 181.97973, 210664136.06},
    {1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25,
     102.94719, 1198.28, 100.46435, 129597740.63},
    {1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19,
     336.04084, 1560.78, 355.45332, 68905103.78},
    {5.20336301, 0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, 1217.17, 14.75385,
     839.93, 34.40438, 10925078.35},
    {9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05, 92.43194,
     -1948.89, 49.94432, 4401052.95},
}};
constexpr int kEarth = 2;

// Reduces an angle in radians into [0, 2 pi): whole turns are cut off toward
// zero, and a negative remainder gets one more turn.
double ReduceTwoPi(double angle) {
    const double turns = angle / kTwoPi;
    const double whole = turns >= 0 ? std::floor(turns) : std::floor(turns) + 1;
    double r = (turns - whole) * kTwoPi;
    if (r < 0) r += kTwoPi;
    return r;
}

struct Heliocentric {
    double x = 0, y = 0;
};

// Position of the Earth in the plane of its orbit (node and inclination of the
// Earth are not used).
Heliocentric EarthPosition(double d) {
    Elements el;
    OrbitalElements(kEarth, d, el);
    const double v = SolveKepler(ReduceTwoPi(el.L - el.perihelion), el.e);
    const double r = el.a * (1 - el.e * el.e) / (1 + el.e * std::cos(v));
    return {r * std::cos(v + el.perihelion), r * std::sin(v + el.perihelion)};
}

// Tropical geocentric longitude (degrees, [0, 360]) of a planet, the Earth's
// position at the same moment given.
double LongitudeFromEarth(int planet, double d, const Heliocentric& earth) {
    double x = 0, y = 0;
    if (planet != kEarth) {
        Elements el;
        OrbitalElements(planet, d, el);
        const double v = SolveKepler(ReduceTwoPi(el.L - el.perihelion), el.e);
        const double r = el.a * (1 - el.e * el.e) / (1 + el.e * std::cos(v));
        const double u = v + el.perihelion - el.node;
        x = r *
            (std::cos(el.node) * std::cos(u) - std::sin(u) * std::sin(el.node) * std::cos(el.i));
        y = r *
            (std::sin(el.node) * std::cos(u) + std::sin(u) * std::cos(el.node) * std::cos(el.i));
    }
    double lambda = ArcTan2(y - earth.y, x - earth.x) * 180.0 / kPi;
    while (lambda > 360.0) lambda -= 360.0;
    while (lambda < 0) lambda += 360.0;
    return lambda;
}

}  // namespace

bool OrbitalElements(int planet, double d, Elements& out) {
    if (planet < 0 || planet > 5) return false;
    const ElementRow& row = kElements[static_cast<std::size_t>(planet)];
    const double T = d / 36525.0;
    out.a = row.a + row.aRate * T;
    out.e = row.e + row.eRate * T;
    out.i = (row.i + row.iRate * T / 3600.0) * kDegToRad;
    out.node = (row.node + row.nodeRate * T / 3600.0) * kDegToRad;
    out.perihelion = (row.peri + row.periRate * T / 3600.0) * kDegToRad;
    out.L = ReduceTwoPi((row.L + row.LRate * T / 3600.0) * kDegToRad);
    return true;
}

double SolveKepler(double M, double e) {
    double E = M + e * std::sin(M) * (1 + e * std::cos(M));
    for (int step = 0; step < kKeplerMaxSteps; ++step) {
        const double next = E - (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
        const bool done = std::fabs(E - next) <= kKeplerTolerance;
        E = next;
        if (done) break;
    }
    double v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
    if (v < 0) v += kTwoPi;
    return v;
}

double GeocentricLongitude(int planet, double d) {
    if (planet < 0 || planet > 5) return 0;
    return LongitudeFromEarth(planet, d, EarthPosition(d));
}

double PrecessionSinceJ2000(double d) {
    const double T = d / 36525.0;
    return (kPrecessionRate * T + kPrecessionT2 * T * T) / 3600.0;
}

std::array<double, 6> SiderealPlanets(double d, double ayanamsa) {
    // The elements give longitudes on the J2000 equinox; the ayanamsa is
    // measured from the equinox of the date, so precess to the date first.
    const double precession = PrecessionSinceJ2000(d);
    const double correction = std::fabs(ayanamsa);
    const Heliocentric earth = EarthPosition(d);
    std::array<double, 6> longitudes{};
    for (int planet = 0; planet < 6; ++planet) {
        double lambda = LongitudeFromEarth(planet, d, earth) + precession - correction;
        while (lambda < 0) lambda += 360.0;
        longitudes[static_cast<std::size_t>(planet)] = lambda;
    }
    return longitudes;
}

double SiderealSun(double d, double ayanamsa) {
    double lambda = LongitudeFromEarth(kEarth, d, EarthPosition(d)) + PrecessionSinceJ2000(d) -
                    std::fabs(ayanamsa);
    while (lambda < 0) lambda += 360.0;
    return lambda;
}

Nodes SiderealNodes(double d, double ayanamsa) {
    double node = (kNode0 - kNodeRate * d) * kDegToRad;
    const double turns = node / kTwoPi;
    node = (turns - std::trunc(turns)) * kTwoPi;
    if (node < 0) node += kTwoPi;
    Nodes nodes;
    nodes.rahu = node * kNodeRadToDeg - kNodeOffset - std::fabs(ayanamsa);
    while (nodes.rahu < 0) nodes.rahu += 360.0;
    nodes.ketu = nodes.rahu + 180.0;
    while (nodes.ketu > 360.0) nodes.ketu -= 360.0;
    return nodes;
}

}  // namespace korvanta
