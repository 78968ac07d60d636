// SPDX-License-Identifier: GPL-3.0-or-later
// The sixteen vargas. Every varga but D30 cuts a sign into equal parts whose
// signs run on from a first sign by a fixed step (one sign for most vargas;
// the 5th and 9th for D3, the 4th, 7th and 10th for D4; backwards from Leo to
// Cancer for D2 in odd signs). D30 has five unequal parts of its own. The
// rules are written once below and turned, at compile time, into a table of
// the sign of every part.
#include "reading/varga.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "astro/angles.h"

namespace korvanta {
namespace {

enum Sign : int { Ari, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis };

constexpr std::array<int, kVargaCount> kNumber = {1,  2,  3,  4,  7,  9,  10, 12,
                                                  16, 20, 24, 27, 30, 40, 45, 60};

constexpr std::array<std::string_view, kVargaCount> kName = {
    "D1 Rasi",        "D2 Hora",        "D3 Drekkana",        "D4 Chaturthamsa",
    "D7 Saptamsa",    "D9 Navamsa",     "D10 Dasamsa",        "D12 Dwadasamsa",
    "D16 Shodasamsa", "D20 Vimsamsa",   "D24 Chaturvimsamsa", "D27 Saptavimsamsa (Bhamsa)",
    "D30 Trimsamsa",  "D40 Khavedamsa", "D45 Akshavedamsa",   "D60 Shashtiamsa"};

// Aries, Gemini, Leo, ... (the 1st, 3rd, 5th sign) are the odd signs.
constexpr bool IsOdd(int sign) {
    return sign % 2 == 0;
}

// Movable, fixed and dual signs follow each other from Aries on.
enum Quality : int { Movable, Fixed, Dual };
constexpr Quality QualityOf(int sign) {
    return static_cast<Quality>(sign % 3);
}

// Fiery, earthy, airy and watery signs follow each other from Aries on.
enum Element : int { Fiery, Earthy, Airy, Watery };
constexpr Element ElementOf(int sign) {
    return static_cast<Element>(sign % 4);
}

// The n-th sign from `sign`, counting `sign` itself as the first.
constexpr int NthFrom(int sign, int n) {
    return (sign + n - 1) % kSignsInZodiac;
}

// An equal-parts varga in one sign: part k falls in first + step * k.
struct Run {
    int first = 0;
    int step = 1;
};

constexpr Run RunOf(Varga varga, int s) {
    const auto byQuality = [s](int movable, int fixed, int dual) {
        switch (QualityOf(s)) {
            case Movable:
                return movable;
            case Fixed:
                return fixed;
            case Dual:
                break;
        }
        return dual;
    };
    switch (varga) {
        case Varga::D1:
        case Varga::D12:
        case Varga::D60:
            return {s, 1};
        case Varga::D2:
            // Odd: Leo, then Cancer; even: Cancer, then Leo.
            return IsOdd(s) ? Run{Leo, kSignsInZodiac - 1} : Run{Can, 1};
        case Varga::D3:
            return {s, 4};  // s, the 5th, the 9th
        case Varga::D4:
            return {s, 3};  // s, the 4th, the 7th, the 10th
        case Varga::D7:
            return {IsOdd(s) ? s : NthFrom(s, 7), 1};
        case Varga::D9:
            return {byQuality(s, NthFrom(s, 9), NthFrom(s, 5)), 1};
        case Varga::D10:
            return {IsOdd(s) ? s : NthFrom(s, 9), 1};
        case Varga::D16:
        case Varga::D45:
            return {byQuality(Ari, Leo, Sag), 1};
        case Varga::D20:
            return {byQuality(Ari, Sag, Leo), 1};
        case Varga::D24:
            return {IsOdd(s) ? Leo : Can, 1};
        case Varga::D27: {
            constexpr std::array<int, 4> kFirst = {Ari, Can, Lib, Cap};  // by element
            return {kFirst[static_cast<std::size_t>(ElementOf(s))], 1};
        }
        case Varga::D40:
            return {IsOdd(s) ? Ari : Lib, 1};
        case Varga::D30:
            break;  // unequal parts, see TrimsamsaSign
    }
    return {s, 1};
}

// D30: where each part starts (whole degrees within the sign) and its sign.
struct TrimsamsaPart {
    int from;
    int sign;
};
constexpr std::array<TrimsamsaPart, 5> kTrimsamsaOdd = {
    {{0, Ari}, {5, Aqu}, {10, Sag}, {18, Gem}, {25, Lib}}};
constexpr std::array<TrimsamsaPart, 5> kTrimsamsaEven = {
    {{0, Tau}, {5, Vir}, {12, Pis}, {20, Cap}, {25, Sco}}};

// Each varga cuts a sign into equal cells: its parts, or whole degrees for
// D30, whose parts all start on a whole degree. A cell's sign is read from
// one table of every varga, sign and cell, found at compile time from the
// rules above, so each point costs one multiplication and one look-up.
constexpr int CellsOf(Varga varga) {
    return varga == Varga::D30 ? static_cast<int>(kDegreesPerSign) : kNumber[Index(varga)];
}

constexpr int CellSign(Varga varga, int s, int cell) {
    if (varga == Varga::D30) {
        const auto& parts = IsOdd(s) ? kTrimsamsaOdd : kTrimsamsaEven;
        int sign = parts[0].sign;
        for (const TrimsamsaPart& part : parts) {
            if (part.from <= cell) sign = part.sign;
        }
        return sign;
    }
    const Run run = RunOf(varga, s);
    return (run.first + run.step * cell) % kSignsInZodiac;
}

constexpr int TotalCells() {
    int total = 0;
    for (const Varga varga : kVargas) total += kSignsInZodiac * CellsOf(varga);
    return total;
}

struct Cut {
    int cells = 1;
    double cellsPerDegree = 1.0 / kDegreesPerSign;
    int first = 0;  // index of the varga's first cell (Aries) in CellTable::sign
};

struct CellTable {
    std::array<Cut, kVargaCount> cut{};
    // Sign 0..11 of cell c of sign s of a varga: sign[cut.first + s * cut.cells + c].
    std::array<std::uint8_t, static_cast<std::size_t>(TotalCells())> sign{};
};

constexpr CellTable MakeCellTable() {
    CellTable table{};
    int next = 0;
    for (const Varga varga : kVargas) {
        Cut& cut = table.cut[Index(varga)];
        cut.cells = CellsOf(varga);
        cut.cellsPerDegree = cut.cells / kDegreesPerSign;
        cut.first = next;
        for (int s = 0; s < kSignsInZodiac; ++s) {
            for (int cell = 0; cell < cut.cells; ++cell)
                table.sign[static_cast<std::size_t>(next++)] =
                    static_cast<std::uint8_t>(CellSign(varga, s, cell));
        }
    }
    return table;
}

constexpr CellTable kCellTable = MakeCellTable();

// A place within the last cell of every varga: those cells all hold the
// last half degree of a sign (D60's cells are half a degree wide).
constexpr double kLastCellInside = 29.75;

// Whether every varga's last cell starts at or before `degrees`.
constexpr bool EveryLastCellHolds(double degrees) {
    for (const Varga varga : kVargas) {
        const int cells = CellsOf(varga);
        if (kDegreesPerSign * (cells - 1) / cells > degrees) return false;
    }
    return true;
}
static_assert(EveryLastCellHolds(kLastCellInside - 0.25));

// A longitude as the chart splits it, put back together: degrees from 0°
// Aries of the chart's sign plus the degrees within it, moved on by the
// boundary tolerance but kept inside the sign (just short of 30° the
// tolerance would reach the next sign; the point stays in the last cell of
// the sign the chart shows). So cell k of sign s is cell s * cells + k of
// the whole zodiac, and one multiplication finds it.
double PlaceOf(double siderealLongitude) {
    const double absolute = std::fabs(siderealLongitude);
    // The sign's start is found from the whole degrees, as SignOfLongitude
    // does; for a longitude within 0..360 the subtraction is exact.
    const double signStart = kDegreesPerSign * std::floor(std::floor(absolute) / kDegreesPerSign);
    const double inSign =
        std::min((absolute - signStart) + kVargaBoundaryTolerance, kLastCellInside);
    return kDegreesPerSign * SignOfLongitude(siderealLongitude) + inSign;
}

int SignIn(Varga varga, double place) {
    const Cut& cut = kCellTable.cut[Index(varga)];
    // Non-negative, so the conversion is the floor.
    const int cell = static_cast<int>(place * cut.cellsPerDegree);
    return kCellTable.sign[static_cast<std::size_t>(cut.first + cell)];
}

using Places = std::array<double, kBodyCount>;

Places PlacesOf(const std::array<double, kBodyCount>& siderealLongitude) {
    Places places;
    for (std::size_t body = 0; body < kBodyCount; ++body)
        places[body] = PlaceOf(siderealLongitude[body]);
    return places;
}

void FillChart(Varga varga, const Places& places, VargaChart& chart) {
    chart.varga = varga;
    for (std::size_t body = 0; body < kBodyCount; ++body)
        chart.sign[body] = SignIn(varga, places[body]);
    chart.padas = Arudha_Calculation(chart.sign);
}

}  // namespace

int VargaNumber(Varga varga) {
    return kNumber[Index(varga)];
}

std::string_view VargaName(Varga varga) {
    return kName[Index(varga)];
}

std::optional<Varga> VargaOfNumber(int number) {
    for (const Varga varga : kVargas) {
        if (VargaNumber(varga) == number) return varga;
    }
    return std::nullopt;
}

int VargaSign(Varga varga, double siderealLongitude) {
    return SignIn(varga, PlaceOf(siderealLongitude));
}

std::array<int, kBodyCount> VargaSigns(Varga varga,
                                       const std::array<double, kBodyCount>& siderealLongitude) {
    std::array<int, kBodyCount> signs{};
    for (std::size_t body = 0; body < kBodyCount; ++body)
        signs[body] = VargaSign(varga, siderealLongitude[body]);
    return signs;
}

VargaChart VargaChartOf(Varga varga, const std::array<double, kBodyCount>& siderealLongitude) {
    VargaChart chart;
    FillChart(varga, PlacesOf(siderealLongitude), chart);
    return chart;
}

std::array<VargaChart, kVargaCount> AllVargaCharts(
    const std::array<double, kBodyCount>& siderealLongitude) {
    const Places places = PlacesOf(siderealLongitude);
    std::array<VargaChart, kVargaCount> charts;
    for (std::size_t v = 0; v < kVargaCount; ++v) FillChart(kVargas[v], places, charts[v]);
    return charts;
}

}  // namespace korvanta
