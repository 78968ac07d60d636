// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/pipeline.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/moon.h"
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

namespace {

// Each longitude's sign and split.
void SplitLongitudes(Chart& chart) {
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        chart.position[body] = SignPositionOf(chart.longitude[body]);
        chart.sign[body] = chart.position[body].sign;
    }
}

// The arudha padas and the Upapada Lagna from the signs.
void FindPadas(Chart& chart) {
    chart.padas = Arudha_Calculation(chart.sign);
    chart.ulProfileRow = chart.padas.ulSign;
}

}  // namespace

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
    SplitLongitudes(chart);

    chart.retrograde = Retrograde_Calculation(chart.moment);
    FindPadas(chart);
    SunriseReference_Calculation(chart);
    return chart;
}

std::variant<AstronomyError, Chart> CalculateChart(const Birth& birth, PositionsSource& source) {
    Chart chart;
    chart.astronomy = source.Options();
    chart.moment = MomentOf(birth);
    chart.place = PlaceOf(birth);
    chart.zoneHours = birth.zoneHours;
    chart.zoneMinutes = birth.zoneMinutes;

    auto positions = source.PositionsAt(chart.moment, chart.place);
    if (auto* error = std::get_if<AstronomyError>(&positions)) return std::move(*error);
    const SourcePositions& at = std::get<SourcePositions>(positions);
    // The chart keeps the classic sign: the degrees added to a tropical
    // longitude, so that a reader of either astronomy's numbers reads one field.
    chart.ayanamsa = -at.ayanamsa;
    chart.moonAyanamsa = -at.ayanamsa;
    chart.longitude = at.longitude;
    chart.retrograde = at.retrograde;
    chart.ascendantWhole = std::floor(chart.Longitude(Body::Asc));
    chart.moonNakStart = NakshatraStart(chart.Longitude(Body::Moon));
    SplitLongitudes(chart);
    FindPadas(chart);

    std::array<SunEvents, 3> days;  // the days before, of and after the birth date
    for (int k = 0; k < 3; ++k) {
        auto events = source.SunEventsOfDay(ShiftedByDays(chart.moment, k - 1), chart.place);
        if (auto* error = std::get_if<AstronomyError>(&events)) return std::move(*error);
        days[k] = std::get<SunEvents>(events);
    }
    if (const std::optional<Moment> sunrise = SetSunriseDays(chart, days[0], days[1], days[2])) {
        auto sun = source.SunLongitudeAt(*sunrise);
        if (auto* error = std::get_if<AstronomyError>(&sun)) return std::move(*error);
        chart.sunrise.sunLongitude = std::get<double>(sun);
    }
    SpecialPoints_Calculation(chart);
    return chart;
}

std::variant<Refusal, BirthChart> CalculateChart(const EntryForm& form) {
    if (auto refusal = ValidateBirthData(form)) return *refusal;
    BirthChart result{BirthOfForm(form), {}};
    result.chart = CalculateChart(result.birth);
    return result;
}

}  // namespace korvanta
