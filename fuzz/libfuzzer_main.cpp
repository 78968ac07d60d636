// SPDX-License-Identifier: GPL-3.0-or-later
// The libFuzzer entry point of one target, chosen when the program is built
// (KORVANTA_FUZZ_TARGET names a function of targets.h). A failed property
// aborts, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = korvanta::fuzz::KORVANTA_FUZZ_TARGET(data, size);
    if (!fault.empty()) {
        std::fprintf(stderr, "property failed: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
