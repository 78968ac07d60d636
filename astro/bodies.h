// SPDX-License-Identifier: GPL-3.0-or-later
// The ten points of a chart, in the order of the position table.
#pragma once

#include <cstddef>

namespace korvanta {

enum class Body { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu, Asc };
inline constexpr std::size_t kBodyCount = 10;

constexpr std::size_t Index(Body body) {
    return static_cast<std::size_t>(body);
}

}  // namespace korvanta
