// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/astronomy_json.h"

#include <array>
#include <string>
#include <string_view>

#include "report/astronomy_text.h"

namespace korvanta {

void WriteAstronomyKeys(JsonWriter& json, const Chart& chart) {
    static constexpr std::array<std::string_view, kBodyCount> kKeys = {
        "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
    if (chart.astronomy.astronomy == Astronomy::Classic) return;
    json.Key("astronomy").String(AstronomyWord(chart.astronomy.astronomy));
    json.Key("node").String(NodeWord(chart.astronomy.node));
    json.Key("sunrise_kind").String(SunriseWord(chart.astronomy.sunrise));
    json.Key("longitudes").BeginObject();
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        json.Key(kKeys[body]).Double(chart.longitude[body]);
    }
    json.EndObject();
}

Json AstronomyJson(const Chart& chart) {
    // Read back from the one writer of these keys; the doubles are written
    // in their shortest exact form, so they read back unchanged.
    std::string text;
    JsonWriter json(text);
    json.BeginObject();
    WriteAstronomyKeys(json, chart);
    json.EndObject();
    json.Flush();
    return Json::parse(text);
}

}  // namespace korvanta
