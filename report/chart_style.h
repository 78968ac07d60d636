// SPDX-License-Identifier: GPL-3.0-or-later
// The chart square in each of its three drawings, as places and contents
// without pixels: which sign sits in which compartment, with which bodies
// and marks. The page, the window and the text chart draw these shapes.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "report/report.h"

namespace korvanta {

// The menu's names of the styles, by ChartStyle: "South Indian".
inline constexpr std::array<std::string_view, 3> kChartStyleNames = {"South Indian", "North Indian",
                                                                     "East Indian"};
// The command line's and the settings store's words, by ChartStyle: "south".
inline constexpr std::array<std::string_view, 3> kChartStyleKeys = {"south", "north", "east"};

std::string_view ChartStyleKey(ChartStyle style);
// The style of a key ("north"); empty for any other text.
std::optional<ChartStyle> ChartStyleOfKey(std::string_view key);

// A point of the chart square, 0..1 across from the left and down from the
// top.
struct SquarePoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const SquarePoint&, const SquarePoint&) = default;
};

// A box of the chart square: its top-left and bottom-right points.
struct SquareBox {
    SquarePoint topLeft;
    SquarePoint bottomRight;
};

// One sign's compartment of a drawing.
struct ChartCompartment {
    int sign = 0;   // 0..11
    int house = 1;  // 1..12, counted from the ascendant's sign
    // The sign's name and number with its bodies and marks; with every pada
    // shown, the blank mark of each house's pada carries its tag (kPadaTags).
    ChartCell cell;
    // The compartment's outline: a rectangle, a triangle or a diamond, its
    // corners in order around it.
    std::vector<SquarePoint> outline;
    // A box inside the outline where its texts go.
    SquareBox textBox;
};

// The chart cells by sign with the drawing's marks: the report's cells, and
// with every pada shown each house's pada mark tagged "AL", "A2".."A11", "UL".
std::array<ChartCell, 12> DrawnCells(const ChartReport& report, bool allPadas);

// The twelve compartments of a drawing: by sign for the fixed-sign South and
// East Indian charts, by house 1..12 for the North Indian chart.
std::array<ChartCompartment, 12> ChartCompartments(const ChartReport& report,
                                                   const ChartDrawing& drawing);

// Where the centre block (name, date, UL) goes: the middle of the South and
// East Indian squares; the North Indian square has none (empty).
std::optional<SquareBox> CentreBox(ChartStyle style);

// A compartment's texts in reading order, as the North and East Indian charts
// list them: the sign's number, the bodies and the marks that carry a tag.
std::vector<std::string_view> CompartmentTexts(const ChartCompartment& compartment);

}  // namespace korvanta
