// SPDX-License-Identifier: GPL-3.0-or-later
// The astronomical tables in full, typed again from the written tables: the
// planets' mean elements with their rates, the Moon's mean elements and its
// 25 periodic terms, the nakshatra starts, and the two ayanamsa series.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/ayanamsa.h"
#include "astro/moon.h"
#include "astro/planets.h"

namespace korvanta {
namespace {

constexpr double kTurn = 6.28318530717958;

// Radians into [0, 2 pi).
double Wrap(double radians) {
    const double r = std::fmod(radians, kTurn);
    return r < 0 ? r + kTurn : r;
}

TEST(AstroTablesInFull, PlanetElementsAndTheirRates) {
    // a, a rate, e, e rate, then i, node, perihelion, L in degrees, each with
    // its rate in arcseconds per Julian century. Rows: Mercury, Venus, Earth,
    // Mars, Jupiter, Saturn.
    // clang-format off
    constexpr double kWritten[6][12] = {
        {0.38709893, +0.00000066, 0.20563069, +0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645, +573.57, 252.25084, +538101628.29},
        {0.72333199, +0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298, -108.80, 181.97973, +210664136.06},
        {1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25, 102.94719, +1198.28, 100.46435, +129597740.63},
        {1.52366231, -0.00007221, 0.09341233, +0.00011902, 1.85061, -25.47, 49.57854, -1020.19, 336.04084, +1560.78, 355.45332, +68905103.78},
        {5.20336301, +0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, +1217.17, 14.75385, +839.93, 34.40438, +10925078.35},
        {9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, +6.11, 113.71504, -1591.05, 92.43194, -1948.89, 49.94432, +4401052.95},
    };
    // clang-format on
    // At J2000 (T = 0) every element is its constant; one century later
    // (T = 1) each has moved by its whole rate.
    for (int planet = 0; planet < 6; ++planet) {
        const double* w = kWritten[planet];
        for (const double T : {0.0, 1.0}) {
            Elements el;
            ASSERT_TRUE(OrbitalElements(planet, T * 36525.0, el));
            const auto angle = [T](double deg, double arcsecRate) {
                return (deg + arcsecRate * T / 3600.0) * kDegToRad;
            };
            SCOPED_TRACE("planet " + std::to_string(planet) + ", T = " + std::to_string(T));
            EXPECT_NEAR(el.a, w[0] + w[1] * T, 1e-12);
            EXPECT_NEAR(el.e, w[2] + w[3] * T, 1e-12);
            EXPECT_NEAR(el.i, angle(w[4], w[5]), 1e-12);
            EXPECT_NEAR(el.node, angle(w[6], w[7]), 1e-12);
            EXPECT_NEAR(el.perihelion, angle(w[8], w[9]), 1e-12);
            EXPECT_NEAR(el.L, Wrap(angle(w[10], w[11])), 1e-9);
        }
    }
}

TEST(AstroTablesInFull, MoonMeanElementsAndEveryPeriodicTerm) {
    // Coefficient (degrees), multiples of D, M, M', F, and whether the term
    // carries the eccentricity factor E.
    struct Term {
        double coefficient;
        int d, m, mp, f;
        bool e;
    };
    // clang-format off
    constexpr std::array<Term, 25> kTerms = {{
        {+6.288774, 0, 0, 1, 0, false}, {+1.274027, 2, 0, -1, 0, false}, {+0.658314, 2, 0, 0, 0, false},
        {+0.213618, 0, 0, 2, 0, false}, {-0.185116, 0, 1, 0, 0, true}, {-0.114332, 0, 0, 0, 2, false},
        {+0.058793, 2, 0, -2, 0, false}, {+0.057066, 2, -1, -1, 0, true}, {+0.053322, 2, 0, 1, 0, false},
        {+0.045758, 2, -1, 0, 0, true}, {-0.040923, 0, 1, -1, 0, true}, {-0.034720, 1, 0, 0, 0, false},
        {-0.030383, 0, 1, 1, 0, true}, {+0.015327, 2, 0, 0, -2, false}, {-0.012528, 0, 0, 1, 2, false},
        {+0.010980, 0, 0, 1, -2, false}, {+0.010675, 4, 0, -1, 0, false}, {+0.010034, 0, 0, 3, 0, false},
        {+0.008548, 4, 0, -2, 0, false}, {-0.007888, 2, 1, -1, 0, true}, {-0.006766, 2, 1, 0, 0, true},
        {-0.005163, 1, 0, -1, 0, false}, {+0.004987, 1, 1, 0, 0, true}, {+0.004036, 2, -1, 1, 0, true},
        {+0.003994, 2, 0, 2, 0, false},
    }};
    // clang-format on
    // Every fifth of a day over two centuries, so that each term's argument
    // takes many values; a changed coefficient, multiple or E mark moves the
    // longitude by far more than the 1e-7 degrees allowed for rounding.
    for (double T = -1.0; T <= 0.51; T += 1.0 / 36525.0 * 37.2) {
        const double L = 218.3164591 + 481267.88134236 * T;
        const double D = (297.8502042 + 445267.1115168 * T) * kDegToRad;
        const double M = (357.5291092 + 35999.0502909 * T) * kDegToRad;
        const double Mp = (134.9634114 + 477198.8676313 * T) * kDegToRad;
        const double F = (93.2720993 + 483202.0175273 * T) * kDegToRad;
        const double E = 1 - 0.002516 * T - 0.0000074 * T * T;
        double sum = 0;
        for (const Term& t : kTerms) {
            sum +=
                t.coefficient * std::sin(t.d * D + t.m * M + t.mp * Mp + t.f * F) * (t.e ? E : 1);
        }
        const double expected = std::fmod(std::fmod(L + sum, 360.0) + 360.0, 360.0);
        const double gap = std::fabs(MoonTropicalLongitude(T) - expected);
        ASSERT_LT(std::min(gap, 360.0 - gap), 1e-7) << "T = " << T;
    }
}

TEST(AstroTablesInFull, NakshatraStartsAndTheirBoundaries) {
    constexpr std::array<double, 27> kWritten = {
        0,      13.33,  26.66,  39.99,  53.32,  66.65,  79.98,  93.31,  106.64,
        119.97, 133.3,  146.63, 159.96, 173.29, 186.62, 199.95, 213.28, 226.61,
        239.94, 253.27, 266.6,  279.93, 293.26, 306.59, 319.92, 333.25, 346.58};
    ASSERT_EQ(kNakshatraStart.size(), kWritten.size());
    for (std::size_t k = 0; k < kWritten.size(); ++k) {
        EXPECT_EQ(kNakshatraStart[k], kWritten[k]) << "entry " << k;
        // Nakshatra k runs from k * 13°20' (= k * 40 / 3 degrees) to the next.
        const double start = static_cast<double>(k) * 40.0 / 3.0;
        EXPECT_EQ(NakshatraStart(start + 1e-9), kWritten[k]) << "just after boundary " << k;
        EXPECT_EQ(NakshatraStart(start + 40.0 / 3.0 - 1e-9), kWritten[k]) << "end of " << k;
    }
}

TEST(AstroTablesInFull, BothAyanamsaSeries) {
    for (double T = -1.2; T <= 1.6; T += 0.013) {
        // From 1900: arcseconds, with twice the Sun's mean longitude.
        double node = (933060 - 6962911 * T + 7.5 * T * T) / 3600;
        while (node >= 360) node -= 360;
        const double twoL = (2013816 + 259205536 * T) / 3600;
        const double n1900 = 1.27 * std::sin(twoL * kDegToRad) + 17.23 * std::sin(node * kDegToRad);
        EXPECT_NEAR(Ayanamsa_1900(T), (n1900 - T * (5025.64 + 1.11 * T) - 80861.27) / 3600, 1e-9)
            << "T = " << T;
        // From J2000: degrees, with the Sun's mean longitude itself.
        const double node2000 = 125.044555 - 1934.1361849 * T + 0.0020762 * T * T;
        const double L = 280.466449 + 36000.7698231 * T + 0.0003106 * T * T;
        const double n2000 =
            1.27 * std::sin(L * kDegToRad) + 17.23 * std::sin(node2000 * kDegToRad);
        EXPECT_NEAR(Ayanamsa_2000(T), (n2000 - T * (5025.64 + 1.11 * T) - 85886.27) / 3600, 1e-9)
            << "T = " << T;
    }
}

}  // namespace
}  // namespace korvanta
