// SPDX-License-Identifier: GPL-3.0-or-later
// The sixteen divisional charts (vargas): the sign each chart point takes in
// a varga, and the arudha padas and the Upapada Lagna counted in it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "astro/bodies.h"
#include "reading/arudha.h"

namespace korvanta {

// The vargas, in the order of their numbers.
enum class Varga { D1, D2, D3, D4, D7, D9, D10, D12, D16, D20, D24, D27, D30, D40, D45, D60 };
inline constexpr std::size_t kVargaCount = 16;

inline constexpr std::array<Varga, kVargaCount> kVargas = {
    Varga::D1,  Varga::D2,  Varga::D3,  Varga::D4,  Varga::D7,  Varga::D9,  Varga::D10, Varga::D12,
    Varga::D16, Varga::D20, Varga::D24, Varga::D27, Varga::D30, Varga::D40, Varga::D45, Varga::D60};

constexpr std::size_t Index(Varga varga) {
    return static_cast<std::size_t>(varga);
}

// The number of a varga, the N of "DN": 1, 2, 3, 4, 7, 9, 10, 12, 16, 20,
// 24, 27, 30, 40, 45 or 60.
int VargaNumber(Varga varga);

// The varga's name as the reader sees it, number first: "D9 Navamsa".
std::string_view VargaName(Varga varga);

// The varga of a number; empty for a number that names none (5, 0, -9, ...).
// Given: number, any int. Returned: the varga whose VargaNumber it is.
std::optional<Varga> VargaOfNumber(int number);

// Below this distance (degrees) short of a part boundary a longitude counts
// as on the boundary. See VargaSign.
inline constexpr double kVargaBoundaryTolerance = 1e-10;

// The sign a sidereal longitude takes in a varga. The sign s and the degrees
// within it are the split the chart shows (SignOfLongitude: the absolute
// value is used and 360 degrees is 0 Aries), so D1 gives the chart's sign.
// The degrees within s are cut into the varga's parts (five unequal ones for
// D30); a longitude on a boundary belongs to the later part. Boundaries such
// as 3°20' = 10/3° have no exact binary value, and a longitude written as
// one may lie a few units of the last place short of it (as 93°20' does,
// computed as 90 + 10/3); so a longitude less than kVargaBoundaryTolerance
// (1e-10°, about 0.4 micro-arcseconds, some 1,700 units of the last place at
// 360°) short of a boundary counts as on it. The tolerance never moves a body
// out of the sign the chart shows: short of 30° it stays in the last part.
// Given: varga; siderealLongitude in degrees, finite (0..360 from a chart).
// Returned: sign 0..11 (0 = Aries).
int VargaSign(Varga varga, double siderealLongitude);

// The varga sign of each of the ten chart points.
// Given: varga; sidereal longitudes in degrees, by Body. Returned: signs
// 0..11, by Body.
std::array<int, kBodyCount> VargaSigns(Varga varga,
                                       const std::array<double, kBodyCount>& siderealLongitude);

// One divisional chart: where the ten points fall and the padas found from
// them by Arudha_Calculation, as in the rasi chart. House 1 is the varga
// sign of the ascendant; a house's lord is looked up in kSignLord and stands
// in its own varga sign. padas.ulSign and padas.ulHouse are the varga's
// Upapada Lagna and its house from the varga's ascendant. For D1 the record
// holds the chart's own signs and padas.
struct VargaChart {
    Varga varga = Varga::D1;
    std::array<int, kBodyCount> sign{};  // sign 0..11 of each point, by Body
    ArudhaPadas padas;

    friend bool operator==(const VargaChart&, const VargaChart&) = default;
};

// One varga of a chart.
// Given: varga; sidereal longitudes in degrees, by Body (a Chart's
// `longitude`). Returned: the varga's signs, padas and UL.
VargaChart VargaChartOf(Varga varga, const std::array<double, kBodyCount>& siderealLongitude);

// All sixteen vargas of a chart, in the order of kVargas; each point's sign
// and degrees are split once for all of them.
// Given: sidereal longitudes in degrees, by Body. Returned: one VargaChart
// per varga, index = Index(varga).
std::array<VargaChart, kVargaCount> AllVargaCharts(
    const std::array<double, kBodyCount>& siderealLongitude);

}  // namespace korvanta
