// SPDX-License-Identifier: GPL-3.0-or-later
// The allocation count replaces the global operator new and delete of this
// program only. The benchmarks run on one thread, so the count is a relaxed
// load and store rather than a locked increment, which would cost more than
// some of the stages it counts for.
#include "bench/bench_support.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace korvanta::bench {
namespace {

std::atomic<std::uint64_t> allocations{0};

void* CountedAllocation(std::size_t size) {
    allocations.store(allocations.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

std::uint64_t AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

void ReportPerCall(benchmark::State& state, std::uint64_t allocationsBefore) {
    const double calls = static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
    if (calls > 0) {
        state.counters["allocs"] =
            static_cast<double>(AllocationCount() - allocationsBefore) / calls;
    }
}

}  // namespace korvanta::bench

void* operator new(std::size_t size) {
    return korvanta::bench::CountedAllocation(size);
}
void* operator new[](std::size_t size) {
    return korvanta::bench::CountedAllocation(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
