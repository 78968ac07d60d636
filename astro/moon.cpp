// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's tropical longitude from the 25 largest periodic terms of its
// longitude in Meeus, Astronomical Algorithms, table 47.A (coefficients in
// degrees), with the mean elements of chapter 47 to the first power of T
// and the eccentricity factor E of the Earth's orbit. The nakshatra starts are
// k times 13.33 degrees, written to two decimals as the tables of the
// almanacs give them.
#include "astro/moon.h"

#include <cmath>

#include "astro/angles.h"

namespace korvanta {
namespace {

// Mean elements of the Moon (degrees and degrees per Julian century).
constexpr double kMeanLongitude0 = 218.3164591, kMeanLongitudeRate = 481267.88134236;
constexpr double kElongation0 = 297.8502042, kElongationRate = 445267.1115168;
constexpr double kSunAnomaly0 = 357.5291092, kSunAnomalyRate = 35999.0502909;
constexpr double kMoonAnomaly0 = 134.9634114, kMoonAnomalyRate = 477198.8676313;
constexpr double kLatitudeArg0 = 93.2720993, kLatitudeArgRate = 483202.0175273;
constexpr double kEccentricityT = 0.002516, kEccentricityT2 = 0.0000074;

// One periodic term: coefficient (degrees) times the sine of
// d*D + m*M + mp*M' + f*F, times E when `eccentric`.
struct LunarTerm {
    double coefficient;
    int d, m, mp, f;
    bool eccentric;
};

// The 25 largest terms of the Moon's longitude, in four groups that are
// summed separately and then added (rows 0-5, 6-12, 13-17, 18-24).
constexpr std::array<LunarTerm, 25> kLunarTerms = {{
    {6.288774, 0, 0, 1, 0, false},   {1.274027, 2, 0, -1, 0, false}, {0.658314, 2, 0, 0, 0, false},
    {0.213618, 0, 0, 2, 0, false},   {-0.185116, 0, 1, 0, 0, true},  {-0.114332, 0, 0, 0, 2, false},
    {0.058793, 2, 0, -2, 0, false},  {0.057066, 2, -1, -1, 0, true}, {0.053322, 2, 0, 1, 0, false},
    {0.045758, 2, -1, 0, 0, true},   {-0.040923, 0, 1, -1, 0, true}, {-0.034720, 1, 0, 0, 0, false},
    {-0.030383, 0, 1, 1, 0, true},   {0.015327, 2, 0, 0, -2, false}, {-0.012528, 0, 0, 1, 2, false},
    {0.010980, 0, 0, 1, -2, false},  {0.010675, 4, 0, -1, 0, false}, {0.010034, 0, 0, 3, 0, false},
    {0.008548, 4, 0, -2, 0, false},  {-0.007888, 2, 1, -1, 0, true}, {-0.006766, 2, 1, 0, 0, true},
    {-0.005163, 1, 0, -1, 0, false}, {0.004987, 1, 1, 0, 0, true},   {0.004036, 2, -1, 1, 0, true},
    {0.003994, 2, 0, 2, 0, false},
}};
constexpr std::array<int, 5> kGroupStarts = {0, 6, 13, 18, 25};

}  // namespace

const std::array<double, 27> kNakshatraStart = {
    0,      13.33,  26.66,  39.99,  53.32,  66.65,  79.98,  93.31,  106.64,
    119.97, 133.3,  146.63, 159.96, 173.29, 186.62, 199.95, 213.28, 226.61,
    239.94, 253.27, 266.6,  279.93, 293.26, 306.59, 319.92, 333.25, 346.58};

double MoonTropicalLongitude(double T) {
    const double meanLongitude = kMeanLongitude0 + kMeanLongitudeRate * T;
    // The arguments go to radians without reduction.
    const double D = (kElongation0 + kElongationRate * T) * kDegToRad;
    const double M = (kSunAnomaly0 + kSunAnomalyRate * T) * kDegToRad;
    const double Mp = (kMoonAnomaly0 + kMoonAnomalyRate * T) * kDegToRad;
    const double F = (kLatitudeArg0 + kLatitudeArgRate * T) * kDegToRad;
    const double E = (1.0 - kEccentricityT * T) - T * (kEccentricityT2 * T);

    double total = 0;
    for (std::size_t g = 0; g + 1 < kGroupStarts.size(); ++g) {
        double group = 0;
        for (int k = kGroupStarts[g]; k < kGroupStarts[g + 1]; ++k) {
            const LunarTerm& t = kLunarTerms[static_cast<std::size_t>(k)];
            double term = t.coefficient * std::sin(t.d * D + t.m * M + t.mp * Mp + t.f * F);
            if (t.eccentric) term *= E;
            group += term;
        }
        total += group;
    }

    // Whole turns are added or removed at once: each step of 360 is exact at
    // these magnitudes, so the result equals turn-by-turn reduction into
    // [0, 360) from below and (0, 360] from above.
    double lambda = meanLongitude + total;
    if (lambda < 0) {
        double turns = std::ceil(-lambda / 360.0);
        if (turns > 0 && lambda + 360.0 * (turns - 1) >= 0) turns -= 1;
        lambda += 360.0 * turns;
        while (lambda < 0) lambda += 360.0;
    }
    if (lambda > 360.0) {
        double turns = std::ceil(lambda / 360.0) - 1;
        if (turns > 0 && lambda - 360.0 * turns <= 0) turns -= 1;
        lambda -= 360.0 * turns;
        while (lambda > 360.0) lambda -= 360.0;
    }
    return lambda;
}

double SiderealMoonLongitude(double tropical, double ayanamsa) {
    double longitude = tropical + ayanamsa;
    if (longitude < 0) longitude += 360.0;
    return longitude;
}

double NakshatraStart(double moonLongitude) {
    // Nakshatras are 13°20' = 800' wide; the start table lags the exact
    // boundaries slightly, as the table is k * 13.33.
    auto k = static_cast<int>(std::floor((60.0 * moonLongitude) / 800.0));
    if (k < 0) k = 0;
    if (k > 26) k = 26;
    return kNakshatraStart[static_cast<std::size_t>(k)];
}

}  // namespace korvanta
