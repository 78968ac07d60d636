// SPDX-License-Identifier: GPL-3.0-or-later
// Swiss Ephemeris for the same births, as a yardstick: the eight bodies of
// the chart (Sun, Moon, Mercury to Saturn, the mean node) with swe_calc_ut
// and the houses with swe_houses_ex, sidereal (Lahiri), from the ephemeris
// files when they are found.
#include <swephexp.h>

#include <array>

#include "bench/bench_support.h"
#include "bench/prepared_births.h"

namespace korvanta::bench {
namespace {

constexpr std::array<int, 8> kBodies = {SE_SUN,  SE_MOON,    SE_MERCURY, SE_VENUS,
                                        SE_MARS, SE_JUPITER, SE_SATURN,  SE_MEAN_NODE};

void SwissEphemerisEightBodiesAndHouses(benchmark::State& state) {
    const auto& births = PreparedBirths();
    swe_set_ephe_path(const_cast<char*>(KORVANTA_SWE_EPHE_PATH));
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    const int32 flags = SEFLG_SWIEPH | SEFLG_SIDEREAL;
    double xx[6];
    double cusps[13];
    double ascmc[10];
    char error[AS_MAXCH];

    // Without the files the library falls back to its analytical theory,
    // which costs differently; say which one was measured.
    const int32 used = swe_calc_ut(births[0].utJulianDay, SE_MARS, flags, xx, error);
    state.SetLabel((used & SEFLG_SWIEPH) != 0 ? "ephemeris files" : "Moshier (no files found)");

    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const PreparedBirth& p = births[k];
        for (const int body : kBodies) {
            benchmark::DoNotOptimize(swe_calc_ut(p.utJulianDay, body, flags, xx, error));
        }
        benchmark::DoNotOptimize(swe_houses_ex(p.utJulianDay, SEFLG_SIDEREAL, p.latitude,
                                               p.longitude, 'P', cusps, ascmc));
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    // No swe_close(): the precise astronomy's benchmarks share the library's
    // state on this thread, with the same folder and sidereal mode.
    ReportPerCall(state, allocations);
}
BENCHMARK(SwissEphemerisEightBodiesAndHouses);

}  // namespace
}  // namespace korvanta::bench
