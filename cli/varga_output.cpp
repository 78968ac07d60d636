// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/varga_output.h"

#include "report/varga_view.h"

namespace korvanta {

Json VargasJson(const Chart& chart) {
    Json vargas = Json::object();
    for (const VargaRow& row : VargaRows(chart)) {
        Json varga = Json::object();
        varga["signs"] = row.signs;
        varga["padas"] = row.padas;
        varga["ul_sign_index"] = row.ulSign;
        varga["ul_house"] = row.ulHouse;
        vargas["D" + std::to_string(row.number)] = std::move(varga);
    }
    return vargas;
}

}  // namespace korvanta
