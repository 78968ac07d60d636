// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/astronomy_json.h"

#include <array>
#include <string_view>

#include "report/astronomy_text.h"

namespace korvanta {

Json AstronomyJson(const Chart& chart) {
    static constexpr std::array<std::string_view, kBodyCount> kKeys = {
        "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
    Json keys = Json::object();
    if (chart.astronomy.astronomy == Astronomy::Classic) return keys;
    keys["astronomy"] = AstronomyWord(chart.astronomy.astronomy);
    keys["node"] = NodeWord(chart.astronomy.node);
    keys["sunrise_kind"] = SunriseWord(chart.astronomy.sunrise);
    Json& longitudes = keys["longitudes"] = Json::object();
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        longitudes[std::string(kKeys[body])] = chart.longitude[body];
    }
    return keys;
}

}  // namespace korvanta
