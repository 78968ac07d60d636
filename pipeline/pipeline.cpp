// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/pipeline.h"

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

Chart CalculateChart(const Birth& birth) {
    Chart chart;
    chart.zoneHours = birth.zoneHours;
    chart.zoneMinutes = birth.zoneMinutes;

    const LagnaResult lagna = Lagna_Calculation(birth);
    chart.ayanamsa = lagna.ayanamsa;
    chart.longitude[Index(Body::Asc)] = lagna.ascendant;
    chart.ascendantWhole = lagna.ascendantWhole;

    const MoonResult moon = Moon_Calculation(birth);
    chart.moonAyanamsa = moon.ayanamsa;
    chart.longitude[Index(Body::Moon)] = moon.longitude;
    chart.moonNakStart = moon.nakStart;

    // The planets at the birth's clock minute (its seconds play no part).
    const LocalMinute birthMinute{birth.year, birth.month, birth.day, birth.hour, birth.minute};
    const PlanetLongitudes planets = PlanetPositions(birth, birthMinute, chart.ayanamsa);
    constexpr Body kPlanetOrder[6] = {Body::Mercury, Body::Venus,   Body::Sun,
                                      Body::Mars,    Body::Jupiter, Body::Saturn};
    for (std::size_t k = 0; k < 6; ++k)
        chart.longitude[Index(kPlanetOrder[k])] = planets.planets[k];
    chart.longitude[Index(Body::Rahu)] = planets.nodes.rahu;
    chart.longitude[Index(Body::Ketu)] = planets.nodes.ketu;
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        chart.sign[body] = SignOfLongitude(chart.longitude[body]);
    }

    chart.retrograde = Retrograde_Calculation(birth);
    chart.padas = Arudha_Calculation(chart.sign);
    SunriseReference_Calculation(birth, chart);
    return chart;
}

std::variant<Refusal, BirthChart> CalculateChart(const EntryForm& form) {
    if (auto refusal = ValidateBirthData(form)) return *refusal;
    BirthChart result{BirthOfForm(form), {}};
    result.chart = CalculateChart(result.birth);
    return result;
}

}  // namespace korvanta
