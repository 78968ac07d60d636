// The whole calculation and each of its stages on the spread of 1,000 births.
// Every benchmark cycles through the births, one call per iteration, so a
// stage is timed on the inputs the pipeline really gives it and no birth's
// result stays in the branch predictor from one call to the next.
#include <algorithm>
#include <chrono>
#include <string_view>
#include <vector>

#include "astro/ephemeris.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/retrograde.h"
#include "astro/sunrise.h"
#include "bench/bench_support.h"
#include "bench/prepared_births.h"
#include "pipeline/pipeline.h"
#include "pipeline/sunrise_reference.h"
#include "reading/arudha.h"
#include "reading/sign_profile.h"

namespace korvanta::bench {
namespace {

// Mutable copies of one of the prepared records, one per birth.
std::vector<ChartRecord> BirthCharts() {
    std::vector<ChartRecord> charts;
    for (const PreparedBirth& p : PreparedBirths()) charts.push_back(p.birthChart);
    return charts;
}

std::vector<ChartRecord> SunriseCharts() {
    std::vector<ChartRecord> charts;
    for (const PreparedBirth& p : PreparedBirths()) charts.push_back(p.sunriseChart);
    return charts;
}

// The whole calculation into one reused result, as a batch caller runs it.
void FullCalculation(benchmark::State& state) {
    const auto& births = PreparedBirths();
    ChartResult result;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        auto refusal = CalculateChart(births[k].form, result);
        benchmark::DoNotOptimize(refusal);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(FullCalculation);

// The same into a fresh result each time, as the window's button runs it.
void FullCalculationFreshResult(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        ChartOutcome outcome = CalculateChart(births[k].form);
        benchmark::DoNotOptimize(outcome);
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(FullCalculationFreshResult);

// Each birth timed on its own call by call; reports the median over the
// births of each birth's median time, with the 90th percentile and the
// slowest birth. The clock reading (a few tens of nanoseconds) is included.
void FullCalculationPerBirth(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::vector<std::vector<double>> samples(births.size());
    ChartResult result;
    for (auto _ : state) {
        for (std::size_t k = 0; k < births.size(); ++k) {
            const auto start = std::chrono::steady_clock::now();
            auto refusal = CalculateChart(births[k].form, result);
            benchmark::DoNotOptimize(refusal);
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
BENCHMARK(FullCalculationPerBirth);

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

void Lagna_Calculation(benchmark::State& state) {
    const auto& births = PreparedBirths();
    auto charts = BirthCharts();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        korvanta::Lagna_Calculation(births[k].birth, charts[k]);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(Lagna_Calculation);

void Moon_Calculation(benchmark::State& state) {
    const auto& births = PreparedBirths();
    auto charts = BirthCharts();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        korvanta::Moon_Calculation(births[k].birth, charts[k]);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(Moon_Calculation);

// Birth-moment mode: six planets, the nodes and the ten chart texts.
void PlanetPositions(benchmark::State& state) {
    const auto& births = PreparedBirths();
    auto charts = BirthCharts();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        korvanta::PlanetPositions(births[k].birth, charts[k]);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(PlanetPositions);

void Retrograde_Calculation(benchmark::State& state) {
    const auto& births = PreparedBirths();
    auto charts = BirthCharts();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        korvanta::Retrograde_Calculation(births[k].birth, charts[k]);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(Retrograde_Calculation);

// The bodies' signs read once, then the twelve pada calls on a fresh state
// and fresh marks, as the pipeline makes them.
void Arudha_CalculationTwelveHouses(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::vector<std::array<std::string_view, 12>> lords;
    for (const PreparedBirth& p : births) {
        std::array<std::string_view, 12> houseLords{};
        const int ascendantSign = p.padas.LagnaSign - 1;
        for (int n = 0; n < 12; ++n) {
            houseLords[static_cast<std::size_t>(n)] =
                kSignLord[static_cast<std::size_t>((ascendantSign + n) % 12)];
        }
        lords.push_back(houseLords);
    }
    ResultCaptions captions;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        ArudhaState arudha;
        captions.lblArudha = {};
        const ChartBodies bodies = ReadChartBodies(births[k].birthChart);
        for (const std::string_view lord : lords[k]) {
            Arudha_Calculation(lord, bodies, arudha, captions);
        }
        benchmark::DoNotOptimize(arudha);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(Arudha_CalculationTwelveHouses);

// Sunrise and sunset of the birth date and of the days on either side.
void SunRiseSet_CalculationThreeDays(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::array<std::optional<double>, 3> events;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const BirthData& b = births[k].birth;
        const ChartRecord& c = births[k].birthChart;
        for (const CivilDateTime& date : births[k].sunriseDates) {
            SunRiseSet_Calculation(date.month, date.day, date.year, b.BirthHour, b.BirthMinute,
                                   b.LatDeg, b.LatMin, b.IsSouth, b.LonDeg, b.LonMin, b.IsEast,
                                   c.ZoneHours, c.ZoneMinutes, b.IsDST, events);
            benchmark::DoNotOptimize(events);
        }
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(SunRiseSet_CalculationThreeDays);

// The planets again at the reference sunrise (part of the sunrise stage),
// for the births that have one.
void PlanetPositionsAtSunrise(benchmark::State& state) {
    const auto& births = PreparedBirths();
    auto charts = SunriseCharts();
    std::vector<std::size_t> withSunrise;
    for (std::size_t k = 0; k < births.size(); ++k) {
        if (births[k].result.chart.ReferenceSunrise) withSunrise.push_back(k);
    }
    std::size_t n = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const std::size_t k = withSunrise[n];
        korvanta::PlanetPositions(births[k].birth, charts[k]);
        benchmark::ClobberMemory();
        n = n + 1 == withSunrise.size() ? 0 : n + 1;
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(PlanetPositionsAtSunrise);

// The whole sunrise stage: three days' events, the reference sunrise, the
// planets at it and the marks. Each call starts from the padas' state and
// marks again; restoring the twelve short mark texts is included.
void SunriseReference_Calculation(benchmark::State& state) {
    const auto& births = PreparedBirths();
    auto charts = SunriseCharts();
    ResultCaptions captions;
    SpecialPoints special;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        ArudhaState arudha = births[k].padas;
        captions.lblArudha = births[k].padaMarks;
        korvanta::SunriseReference_Calculation(births[k].birth, charts[k], arudha, captions,
                                               special);
        benchmark::DoNotOptimize(arudha);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(SunriseReference_Calculation);

void ShowSignProfile(benchmark::State& state) {
    const auto& births = PreparedBirths();
    ResultCaptions captions;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        korvanta::ShowSignProfile(births[k].result.arudha.ULSignIndex, captions);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(ShowSignProfile);

}  // namespace
}  // namespace korvanta::bench
