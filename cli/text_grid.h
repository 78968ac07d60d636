// The fixed-sign chart drawn with box characters: a 4 x 4 square whose twelve
// outer cells belong to the signs (Pisces, Aries, Taurus, Gemini along the top,
// clockwise) and whose four middle cells form one centre block.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "report/report.h"

namespace korvanta {

// Number of characters a UTF-8 text takes on a terminal, one per code point.
std::size_t DisplayWidth(std::string_view text);

// Draws the chart. Each sign cell shows the sign's name with its number
// 1..12 in the top right corner, then line by line its bodies on the left and
// its marks (the "UL" tag) on the right, so every tag keeps its line.
// `centre` is written centred in the middle block. The result ends with a
// line break.
std::string DrawSignChart(const std::array<ChartCell, 12>& cells,
                          const std::vector<std::string>& centre);

}  // namespace korvanta
