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

std::variant<int, FlagError> ParseVargaNumber(std::string_view text) {
    std::string numbers;
    const auto all = VargaNumbers();
    for (const int number : all) {
        if (text == std::to_string(number)) return number;
        numbers += numbers.empty() ? "" : number == all.back() ? " or " : ", ";
        numbers += std::to_string(number);
    }
    return FlagError{"expected the number of a divisional chart: " + numbers};
}

}  // namespace korvanta
