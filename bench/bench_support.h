// SPDX-License-Identifier: GPL-3.0-or-later
// What every benchmark of this folder shares: the heap allocation count and
// the per-call figures each benchmark reports beside its time.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

namespace korvanta::bench {

// Heap allocations made by this program so far (operator new, every form).
std::uint64_t AllocationCount();

// Reports `state`'s iterations as calls and the heap allocations per call
// made since `allocationsBefore`.
void ReportPerCall(benchmark::State& state, std::uint64_t allocationsBefore);

}  // namespace korvanta::bench
