// SPDX-License-Identifier: GPL-3.0-or-later
// A reproducible spread of births for the benchmarks: every year of the
// entry's range, every month and valid day, clock times to the second, both
// hemispheres on both sides of Greenwich up to 70° of latitude, all 71 zone
// rows, daylight saving on about a third of them, and place texts both
// shorter and longer than a small-string buffer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pipeline/entry.h"

namespace korvanta::bench {

// `count` entry forms, each accepted by the entry check; the same seed gives
// the same births on every machine.
std::vector<EntryForm> BirthSpread(std::size_t count, std::uint64_t seed = 1);

// One form as a line of the command line's JSON input (no line break).
std::string JsonLine(const EntryForm& form);

}  // namespace korvanta::bench
