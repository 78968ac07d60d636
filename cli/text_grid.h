// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed-sign chart drawn with box characters: a 4 x 4 square whose twelve
// outer cells belong to the signs (Pisces, Aries, Taurus, Gemini along the top,
// clockwise) and whose four middle cells form one centre block.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "report/chart_style.h"
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

// Draws the North or East Indian chart of `compartments` in a square of 73
// columns and 37 lines, diagonals included: each compartment lists its sign's
// number on a line of its own, then its bodies and tags, as many to a line as
// its width there takes. `centre` goes into the East Indian chart's middle
// cell, or under the North Indian chart. Texts a compartment has no room for
// follow the chart, named by their sign. The result ends with a line break.
std::string DrawFigureChart(ChartStyle style, const std::array<ChartCompartment, 12>& compartments,
                            const std::vector<std::string>& centre);

}  // namespace korvanta
