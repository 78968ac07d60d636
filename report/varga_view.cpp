// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/varga_view.h"

namespace korvanta {

std::array<int, kVargaCount> VargaNumbers() {
    std::array<int, kVargaCount> numbers{};
    for (std::size_t i = 0; i < kVargaCount; ++i) numbers[i] = VargaNumber(kVargas[i]);
    return numbers;
}

std::array<VargaRow, kVargaCount> VargaRows(const Chart& chart) {
    const std::array<VargaChart, kVargaCount> charts = AllVargaCharts(chart.longitude);
    std::array<VargaRow, kVargaCount> rows{};
    for (std::size_t i = 0; i < kVargaCount; ++i) {
        const VargaChart& varga = charts[i];
        VargaRow& row = rows[i];
        row.number = VargaNumber(varga.varga);
        row.name = VargaName(varga.varga);
        row.signs = varga.sign;
        row.padas = varga.padas.pada;
        row.ulSign = varga.padas.ulSign;
        row.ulHouse = varga.padas.ulHouse;
    }
    return rows;
}

}  // namespace korvanta
