// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the benchmark's birth spread as JSON lines for korvanta-cli --batch.
// Usage: korvanta-bench-births COUNT [SEED] > births.jsonl
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/birth_spread.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s COUNT [SEED]\n", argv[0]);
        return 1;
    }
    const long count = std::strtol(argv[1], nullptr, 10);
    const unsigned long long seed = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 1;
    if (count <= 0) {
        std::fprintf(stderr, "%s: COUNT must be a positive whole number\n", argv[0]);
        return 1;
    }
    std::string out;
    for (const auto& form : korvanta::bench::BirthSpread(static_cast<std::size_t>(count), seed)) {
        out += korvanta::bench::JsonLine(form);
        out += '\n';
        if (out.size() > (1u << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
