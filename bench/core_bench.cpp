// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation of a chart, its report, and each stage of the calculation
// on the spread of 1,000 births. Every benchmark cycles through the births,
// one call per iteration, so a stage is timed on the inputs the calculation
// really gives it and no birth's result stays in the branch predictor from
// one call to the next.
#include <algorithm>
#include <chrono>
#include <vector>

#include "astro/planets.h"
#include "astro/sunrise.h"
#include "astro/time_scales.h"
#include "bench/bench_support.h"
#include "bench/prepared_births.h"
#include "pipeline/pipeline.h"
#include "pipeline/sensitivity.h"
#include "pipeline/steps.h"
#include "pipeline/sunrise_reference.h"
#include "reading/arudha.h"
#include "reading/varga.h"
#include "report/report.h"
#include "report/sensitivity_view.h"

namespace korvanta::bench {
namespace {

// The typed chart of a birth: every number, no text.
Chart ChartOnly(const Birth& birth) {
    return CalculateChart(birth);
}

// The chart and its report: everything a reader sees. The report is refilled
// from chart to chart, as batch mode does, so that its texts keep their
// storage.
int ChartAndReport(const Birth& birth) {
    static ChartReport report;
    const Chart chart = CalculateChart(birth);
    korvanta::BuildReport(birth, chart, report);
    return report.profileRow;
}

template <typename Calculation>
void MeanOverTheSpread(benchmark::State& state, Calculation calculation) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        auto result = calculation(births[k].birth);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}

// Each birth timed on its own call by call; reports the median over the
// births of each birth's median time, with the 90th percentile and the
// slowest birth. The clock reading (a few tens of nanoseconds) is included.
template <typename Calculation>
void PerBirth(benchmark::State& state, Calculation calculation) {
    const auto& births = PreparedBirths();
    std::vector<std::vector<double>> samples(births.size());
    for (auto _ : state) {
        for (std::size_t k = 0; k < births.size(); ++k) {
            const auto start = std::chrono::steady_clock::now();
            auto result = calculation(births[k].birth);
            benchmark::DoNotOptimize(result);
            benchmark::ClobberMemory();
            const auto stop = std::chrono::steady_clock::now();
            samples[k].push_back(std::chrono::duration<double, std::nano>(stop - start).count());
        }
    }
    const auto median = [](std::vector<double>& values) {
        const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
        std::nth_element(values.begin(), middle, values.end());
        return *middle;
    };
    std::vector<double> perBirth;
    for (auto& s : samples) perBirth.push_back(median(s));
    std::sort(perBirth.begin(), perBirth.end());
    state.counters["median_ns"] = perBirth[perBirth.size() / 2];
    state.counters["p90_ns"] = perBirth[perBirth.size() * 9 / 10];
    state.counters["max_ns"] = perBirth.back();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(births.size()));
}

void ChartCalculation(benchmark::State& state) {
    MeanOverTheSpread(state, ChartOnly);
}
BENCHMARK(ChartCalculation);

void ChartCalculationPerBirth(benchmark::State& state) {
    PerBirth(state, ChartOnly);
}
BENCHMARK(ChartCalculationPerBirth);

void ChartAndReportCalculation(benchmark::State& state) {
    MeanOverTheSpread(state, ChartAndReport);
}
BENCHMARK(ChartAndReportCalculation);

void ChartAndReportPerBirth(benchmark::State& state) {
    PerBirth(state, ChartAndReport);
}
BENCHMARK(ChartAndReportPerBirth);

// The entry check a form passes before its chart is calculated.
void ValidateBirthData(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        auto refusal = korvanta::ValidateBirthData(births[k].form);
        benchmark::DoNotOptimize(refusal);
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(ValidateBirthData);

// A step of the calculation, from the birth (and the chart so far) to its
// numbers.
template <typename Step>
void EachBirth(benchmark::State& state, Step step) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        auto result = step(births[k]);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}

void Lagna_Calculation(benchmark::State& state) {
    EachBirth(state, [](const PreparedBirth& p) {
        return korvanta::Lagna_Calculation(p.chart.moment, p.chart.place);
    });
}
BENCHMARK(Lagna_Calculation);

void Moon_Calculation(benchmark::State& state) {
    EachBirth(state,
              [](const PreparedBirth& p) { return korvanta::Moon_Calculation(p.chart.moment); });
}
BENCHMARK(Moon_Calculation);

// Six planets and the nodes at the birth's clock minute.
void PlanetPositions(benchmark::State& state) {
    EachBirth(state, [](const PreparedBirth& p) {
        return korvanta::PlanetPositions(p.chart.moment, p.chart.ayanamsa);
    });
}
BENCHMARK(PlanetPositions);

void Retrograde_Calculation(benchmark::State& state) {
    EachBirth(state, [](const PreparedBirth& p) {
        return korvanta::Retrograde_Calculation(p.chart.moment);
    });
}
BENCHMARK(Retrograde_Calculation);

// The padas of the twelve houses and the Upapada Lagna from the bodies' signs.
void Arudha_Calculation(benchmark::State& state) {
    EachBirth(state,
              [](const PreparedBirth& p) { return korvanta::Arudha_Calculation(p.chart.sign); });
}
BENCHMARK(Arudha_Calculation);

// The sixteen vargas of a chart: each point's sign in every varga and the
// padas and the Upapada Lagna found from them.
void AllVargaCharts(benchmark::State& state) {
    EachBirth(state,
              [](const PreparedBirth& p) { return korvanta::AllVargaCharts(p.chart.longitude); });
}
BENCHMARK(AllVargaCharts);

// Sunrise and sunset of the birth date and of the days on either side.
void SunRiseSet_CalculationThreeDays(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        for (const Moment& day : births[k].sunriseDays) {
            SunEvents events = SunRiseSet_Calculation(day, births[k].chart.place);
            benchmark::DoNotOptimize(events);
        }
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(SunRiseSet_CalculationThreeDays);

// The Sun at the reference sunrise (part of the sunrise stage), for the
// births that have one.
void SunAtReferenceSunrise(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::vector<std::size_t> withSunrise;
    for (std::size_t k = 0; k < births.size(); ++k) {
        if (births[k].referenceSunrise) withSunrise.push_back(k);
    }
    std::size_t n = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const PreparedBirth& p = births[withSunrise[n]];
        double sun = SiderealSun(PlanetDayNumber(*p.referenceSunrise), p.chart.ayanamsa);
        benchmark::DoNotOptimize(sun);
        n = n + 1 == withSunrise.size() ? 0 : n + 1;
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(SunAtReferenceSunrise);

// The whole sunrise stage: three days' events, the reference sunrise, the
// Sun at it and the points found from it, into a copy of the birth's chart
// (the stage overwrites what it fills).
void SunriseReference_Calculation(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::vector<Chart> charts;
    for (const PreparedBirth& p : births) charts.push_back(p.chart);
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        korvanta::SunriseReference_Calculation(charts[k]);
        benchmark::DoNotOptimize(charts[k]);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(SunriseReference_Calculation);

// The report of a calculated chart: every text a reader sees, refilled into
// one report from chart to chart.
void BuildReport(benchmark::State& state) {
    ChartReport report;
    EachBirth(state, [&report](const PreparedBirth& p) {
        korvanta::BuildReport(p.birth, p.chart, report);
        return report.profileRow;
    });
}
BENCHMARK(BuildReport);

// The same into a new report each time, as the window makes it.
void BuildNewReport(benchmark::State& state) {
    EachBirth(state,
              [](const PreparedBirth& p) { return korvanta::BuildReport(p.birth, p.chart); });
}
BENCHMARK(BuildNewReport);

// The birth-time sensitivity strip over the widest span, ±2 hours: every
// row to the second (a chart per minute plus the bisections).
void SensitivityStrip(benchmark::State& state) {
    MeanOverTheSpread(state, [](const Birth& birth) { return BirthTimeSensitivity(birth, 120); });
}
BENCHMARK(SensitivityStrip)->Unit(benchmark::kMicrosecond);

// The same with its texts, as the window, the page and the command line show it.
void SensitivityStripAndView(benchmark::State& state) {
    MeanOverTheSpread(state, [](const Birth& birth) {
        return BuildSensitivityView(BirthTimeSensitivity(birth, 120));
    });
}
BENCHMARK(SensitivityStripAndView)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvanta::bench
