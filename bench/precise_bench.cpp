// SPDX-License-Identifier: GPL-3.0-or-later
// The precise astronomy (precise/, Swiss Ephemeris) for the same births: one
// chart's positions (seven bodies, the node, the houses' ascendant, the
// ayanamsa); that chart with the sunrises and sunsets of its three days and
// the Sun at the reference sunrise; and a sweep of as many such charts as the
// sensitivity strip of ±2 h computes for the birth, its days' sun events
// remembered as the strip would remember them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <variant>
#include <vector>

#include "bench/bench_support.h"
#include "bench/prepared_births.h"
#include "pipeline/sensitivity.h"
#include "precise/precise.h"
#include "precise/precise_source.h"

namespace korvanta::bench {
namespace {

// Julian day of 30 December 1899 00:00, the zero of the local clock seconds.
constexpr double kJulianDayOfClockZero = 2415018.5;
// Bisection of a change inside a one-minute step: about log2(60) charts.
constexpr int kChartsPerChange = 6;

double UtHours(const Birth& b) {
    return b.zoneHours + b.zoneMinutes / 60.0 - (b.dst ? 1 : 0);
}

// The precise chart's astronomy at a UT moment: the positions, the sun events
// of the local day and the days before and after, and the Sun at the
// reference sunrise (today's if the moment is past it, else yesterday's).
// Returns false on an error of the library.
bool PreciseChartAt(double jd, double utHours, double latitude, double longitude,
                    precise::SunEventsMemo& memo, precise::Positions& out) {
    auto positions = precise::PositionsAt(jd, latitude, longitude);
    if (std::holds_alternative<precise::Error>(positions)) return false;
    out = std::get<precise::Positions>(positions);
    const double zone = utHours / 24.0;
    const double dayStart = std::floor(jd - zone - 0.5) + 0.5 + zone;
    std::optional<double> sunrise[3];
    for (int d = -1; d <= 1; ++d) {
        auto events = memo.OfDay(dayStart + d, latitude, longitude);
        if (std::holds_alternative<precise::Error>(events)) return false;
        sunrise[d + 1] = std::get<precise::SunEvents>(events).sunrise;
    }
    const std::optional<double> reference =
        sunrise[1] && jd >= *sunrise[1] ? sunrise[1] : sunrise[0];
    if (reference) {
        auto sun = precise::SunLongitudeAt(*reference);
        if (std::holds_alternative<precise::Error>(sun)) return false;
        benchmark::DoNotOptimize(std::get<double>(sun));
    }
    return true;
}

void PreciseChartPositions(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const PreparedBirth& p = births[k];
        auto result = precise::PositionsAt(p.utJulianDay, p.latitude, p.longitude);
        if (std::holds_alternative<precise::Error>(result)) {
            state.SkipWithError(std::get<precise::Error>(result).message.c_str());
            break;
        }
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(PreciseChartPositions);

void PreciseChartWithSunrises(benchmark::State& state) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const PreparedBirth& p = births[k];
        precise::SunEventsMemo memo;  // a new one: every day computed
        precise::Positions positions;
        if (!PreciseChartAt(p.utJulianDay, UtHours(p.birth), p.latitude, p.longitude, memo,
                            positions)) {
            state.SkipWithError("the precise astronomy failed");
            break;
        }
        benchmark::DoNotOptimize(positions);
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(PreciseChartWithSunrises)->Unit(benchmark::kMicrosecond);

// The moments (local clock seconds) at which the strip of ±2 h computes a
// chart, from the strip itself: every whole minute of the span, a chart for
// each day it touches (the sun moments), and kChartsPerChange around every
// second where some row changes. Over the benchmark's births this counts
// within 5 charts of the strip's own count (mean 258 against 259).
std::vector<std::int64_t> StripMoments(const Birth& birth) {
    const SensitivityStrip strip = BirthTimeSensitivity(birth, 120);
    std::vector<std::int64_t> moments;
    for (std::int64_t t = strip.start; t <= strip.end; t += 60) moments.push_back(t);
    for (std::int64_t day = strip.start / 86400; day <= strip.end / 86400; ++day) {
        moments.push_back(std::clamp(day * 86400 + 43200, strip.start, strip.end));
    }
    std::set<std::int64_t> changes;
    for (const auto& row : strip.rows) {
        for (std::size_t k = 1; k < row.size(); ++k) changes.insert(row[k].from);
    }
    for (const std::int64_t change : changes) {
        for (int step = 0; step < kChartsPerChange; ++step)
            moments.push_back(change - (32 >> step));
    }
    return moments;
}

void PreciseStripSweep(benchmark::State& state) {
    const auto& births = PreparedBirths();
    // Made once: Google Benchmark calls this function several times.
    static const std::vector<std::vector<std::int64_t>> moments = [&births] {
        std::vector<std::vector<std::int64_t>> all;
        for (const PreparedBirth& p : births) all.push_back(StripMoments(p.birth));
        return all;
    }();
    std::size_t charts = 0;
    for (const auto& m : moments) charts += m.size();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const PreparedBirth& p = births[k];
        const double utHours = UtHours(p.birth);
        precise::SunEventsMemo memo;  // one per strip
        precise::Positions positions;
        for (const std::int64_t clock : moments[k]) {
            const double jd = kJulianDayOfClockZero + clock / 86400.0 + utHours / 24.0;
            if (!PreciseChartAt(jd, utHours, p.latitude, p.longitude, memo, positions)) {
                state.SkipWithError("the precise astronomy failed");
                break;
            }
            benchmark::DoNotOptimize(positions);
        }
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
    state.counters["charts"] = static_cast<double>(charts) / static_cast<double>(births.size());
}
BENCHMARK(PreciseStripSweep)->Unit(benchmark::kMillisecond);

// The program's own precise chart and strip, through the one calculation
// (CalculateChart and BirthTimeSensitivity with the precise astronomy).
template <typename Calculation>
void PreciseThroughThePipeline(benchmark::State& state, Calculation calculation) {
    const auto& births = PreparedBirths();
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        auto result = calculation(births[k].birth);
        if (std::holds_alternative<AstronomyError>(result)) {
            state.SkipWithError(std::get<AstronomyError>(result).message.c_str());
            break;
        }
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}

constexpr AstronomyOptions kPrecise{Astronomy::Precise};

void PreciseChartCalculation(benchmark::State& state) {
    PreciseThroughThePipeline(state,
                              [](const Birth& birth) { return CalculateChart(birth, kPrecise); });
}
BENCHMARK(PreciseChartCalculation)->Unit(benchmark::kMicrosecond);

void PreciseSensitivityStrip(benchmark::State& state) {
    PreciseThroughThePipeline(
        state, [](const Birth& birth) { return BirthTimeSensitivity(birth, 120, kPrecise); });
}
BENCHMARK(PreciseSensitivityStrip)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvanta::bench
