// SPDX-License-Identifier: GPL-3.0-or-later
// The divisional charts of a chart as a reader's outputs take them: each
// varga's number and name, the ten points' signs, the twelve padas and the
// Upapada Lagna. The renderers (the JSON's "vargas" object) read these and
// never the interpretation tables themselves.
#pragma once

#include <array>
#include <string_view>

#include "pipeline/chart.h"
#include "reading/varga.h"

namespace korvanta {

struct VargaRow {
    int number = 1;                       // 1, 2, 3, 4, 7, 9, ... 60
    std::string_view name;                // "D9 Navamsa"
    std::array<int, kBodyCount> signs{};  // 0..11, Sun .. Ketu, Asc
    std::array<int, 12> padas{};          // 0..11, the pada of houses 1..12
    int ulSign = 0;                       // 0..11
    int ulHouse = 1;                      // 1..12, from the varga's ascendant
};

// The vargas' numbers, 1, 2, 3, 4, 7, 9 ... 60, in the order of kVargas.
std::array<int, kVargaCount> VargaNumbers();

// The sixteen vargas of `chart`, D1 first, in the order of kVargas.
std::array<VargaRow, kVargaCount> VargaRows(const Chart& chart);

}  // namespace korvanta
