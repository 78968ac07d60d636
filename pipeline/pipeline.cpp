// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/pipeline.h"

#include <cmath>

#include "astro/angles.h"
#include "pipeline/steps.h"
#include "pipeline/sunrise_reference.h"

namespace korvanta {

bool Chart::IsRetrograde(Body body) const {
    switch (body) {
        case Body::Mercury:
            return retrograde[0];
        case Body::Venus:
            return retrograde[1];
        case Body::Mars:
            return retrograde[2];
        case Body::Jupiter:
            return retrograde[3];
        case Body::Saturn:
            return retrograde[4];
        default:
            return false;
    }
}

void SpecialPoints::SplitPositions() {
    const auto split = [](const std::optional<double>& degrees) -> std::optional<SignPosition> {
        if (!degrees || !std::isfinite(*degrees)) return std::nullopt;
        return SignPositionOf(*degrees);
    };
    ghatiAt = split(ghati);
    horaAt = split(hora);
    bhavaAt = split(bhava);
    varnadaAt = split(varnada);
    sreeAt = split(sree);
}

Chart CalculateChart(const Birth& birth) {
    Chart chart;
    chart.moment = MomentOf(birth);
    chart.place = PlaceOf(birth);
    chart.zoneHours = birth.zoneHours;
    chart.zoneMinutes = birth.zoneMinutes;

    const LagnaResult lagna = Lagna_Calculation(chart.moment, chart.place);
    chart.ayanamsa = lagna.ayanamsa;
    chart.longitude[Index(Body::Asc)] = lagna.ascendant;
    chart.ascendantWhole = lagna.ascendantWhole;

    const MoonResult moon = Moon_Calculation(chart.moment);
    chart.moonAyanamsa = moon.ayanamsa;
    chart.longitude[Index(Body::Moon)] = moon.longitude;
    chart.moonNakStart = moon.nakStart;

    // The planets at the birth's minute (its seconds play no part).
    const PlanetLongitudes planets = PlanetPositions(chart.moment, chart.ayanamsa);
    constexpr Body kPlanetOrder[6] = {Body::Mercury, Body::Venus,   Body::Sun,
                                      Body::Mars,    Body::Jupiter, Body::Saturn};
    for (std::size_t k = 0; k < 6; ++k)
        chart.longitude[Index(kPlanetOrder[k])] = planets.planets[k];
    chart.longitude[Index(Body::Rahu)] = planets.nodes.rahu;
    chart.longitude[Index(Body::Ketu)] = planets.nodes.ketu;
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        chart.position[body] = SignPositionOf(chart.longitude[body]);
        chart.sign[body] = chart.position[body].sign;
    }

    chart.retrograde = Retrograde_Calculation(chart.moment);
    chart.padas = Arudha_Calculation(chart.sign);
    chart.ulProfileRow = chart.padas.ulSign;
    SunriseReference_Calculation(chart);
    return chart;
}

std::variant<Refusal, BirthChart> CalculateChart(const EntryForm& form) {
    if (auto refusal = ValidateBirthData(form)) return *refusal;
    BirthChart result{BirthOfForm(form), {}};
    result.chart = CalculateChart(result.birth);
    return result;
}

}  // namespace korvanta
