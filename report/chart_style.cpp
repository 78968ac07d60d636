// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/chart_style.h"

#include "report/names.h"

namespace korvanta {
namespace {

constexpr double kThird = 1.0 / 3.0;

// The North Indian chart's houses 1..12: the square, its two diagonals and
// the diamond joining the middles of its sides. House 1 is the top diamond,
// the others follow counter-clockwise.
std::vector<SquarePoint> NorthOutline(int house) {
    switch (house) {
        case 1:
            return {{0.5, 0}, {0.75, 0.25}, {0.5, 0.5}, {0.25, 0.25}};
        case 2:
            return {{0, 0}, {0.5, 0}, {0.25, 0.25}};
        case 3:
            return {{0, 0}, {0.25, 0.25}, {0, 0.5}};
        case 4:
            return {{0, 0.5}, {0.25, 0.25}, {0.5, 0.5}, {0.25, 0.75}};
        case 5:
            return {{0, 0.5}, {0.25, 0.75}, {0, 1}};
        case 6:
            return {{0, 1}, {0.25, 0.75}, {0.5, 1}};
        case 7:
            return {{0.5, 1}, {0.25, 0.75}, {0.5, 0.5}, {0.75, 0.75}};
        case 8:
            return {{0.5, 1}, {0.75, 0.75}, {1, 1}};
        case 9:
            return {{1, 1}, {0.75, 0.75}, {1, 0.5}};
        case 10:
            return {{1, 0.5}, {0.75, 0.75}, {0.5, 0.5}, {0.75, 0.25}};
        case 11:
            return {{1, 0.5}, {0.75, 0.25}, {1, 0}};
        default:
            return {{1, 0}, {0.75, 0.25}, {0.5, 0}};  // 12
    }
}

// The text box of a North Indian house: the middle of a diamond, the wide
// half of a triangle along the square's side.
SquareBox NorthTextBox(int house) {
    switch (house) {
        case 1:
            return {{0.36, 0.12}, {0.64, 0.38}};
        case 4:
            return {{0.11, 0.37}, {0.39, 0.63}};
        case 7:
            return {{0.36, 0.62}, {0.64, 0.88}};
        case 10:
            return {{0.61, 0.37}, {0.89, 0.63}};
        case 2:
            return {{0.11, 0.01}, {0.39, 0.14}};
        case 12:
            return {{0.61, 0.01}, {0.89, 0.14}};
        case 6:
            return {{0.11, 0.86}, {0.39, 0.99}};
        case 8:
            return {{0.61, 0.86}, {0.89, 0.99}};
        case 3:
            return {{0.01, 0.14}, {0.16, 0.36}};
        case 5:
            return {{0.01, 0.64}, {0.16, 0.86}};
        case 9:
            return {{0.84, 0.64}, {0.99, 0.86}};
        default:
            return {{0.84, 0.14}, {0.99, 0.36}};  // 11
    }
}

SquareBox Box(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y1}};
}

std::vector<SquarePoint> Rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// The East Indian chart's signs: a 3 x 3 square, Aries in the top middle
// cell and the signs running counter-clockwise; each corner cell is split by
// the diagonal from the square's corner into the sign beside the middle cell
// before it and the one beside the middle cell after it.
void EastPlace(int sign, ChartCompartment& c) {
    const double t = kThird, m = 2 * kThird, h = kThird / 2;
    switch (sign) {
        case 0:
            c.outline = Rectangle(t, 0, m, t), c.textBox = Box(t, 0, m, t);
            break;
        case 1:
            c.outline = {{0, 0}, {t, 0}, {t, t}}, c.textBox = Box(h, 0, t, h);
            break;
        case 2:
            c.outline = {{0, 0}, {t, t}, {0, t}}, c.textBox = Box(0, h, h, t);
            break;
        case 3:
            c.outline = Rectangle(0, t, t, m), c.textBox = Box(0, t, t, m);
            break;
        case 4:
            c.outline = {{0, m}, {t, m}, {0, 1}}, c.textBox = Box(0, m, h, m + h);
            break;
        case 5:
            c.outline = {{0, 1}, {t, m}, {t, 1}}, c.textBox = Box(h, m + h, t, 1);
            break;
        case 6:
            c.outline = Rectangle(t, m, m, 1), c.textBox = Box(t, m, m, 1);
            break;
        case 7:
            c.outline = {{m, 1}, {m, m}, {1, 1}}, c.textBox = Box(m, m + h, m + h, 1);
            break;
        case 8:
            c.outline = {{1, 1}, {m, m}, {1, m}}, c.textBox = Box(m + h, m, 1, m + h);
            break;
        case 9:
            c.outline = Rectangle(m, t, 1, m), c.textBox = Box(m, t, 1, m);
            break;
        case 10:
            c.outline = {{1, t}, {m, t}, {1, 0}}, c.textBox = Box(m + h, h, 1, t);
            break;
        default:
            c.outline = {{1, 0}, {m, t}, {m, 0}}, c.textBox = Box(m, 0, m + h, h);
            break;
    }
}

// The South Indian chart's 4 x 4 cells.
void SouthPlace(int sign, ChartCompartment& c) {
    const ChartCellPlace place = kChartCellOfSign[static_cast<std::size_t>(sign)];
    const double x0 = place.column / 4.0, y0 = place.row / 4.0;
    c.outline = Rectangle(x0, y0, x0 + 0.25, y0 + 0.25);
    c.textBox = Box(x0, y0, x0 + 0.25, y0 + 0.25);
}

}  // namespace

std::string_view ChartStyleKey(ChartStyle style) {
    return kChartStyleKeys[static_cast<std::size_t>(style)];
}

std::optional<ChartStyle> ChartStyleOfKey(std::string_view key) {
    for (std::size_t i = 0; i < kChartStyleKeys.size(); ++i) {
        if (kChartStyleKeys[i] == key) return static_cast<ChartStyle>(i);
    }
    return std::nullopt;
}

std::array<ChartCell, 12> DrawnCells(const ChartReport& report, bool allPadas) {
    std::array<ChartCell, 12> cells = report.cells;
    if (!allPadas) return cells;
    for (std::size_t house = 0; house < report.padaMarks.size(); ++house) {
        const PadaMarkPlace place = report.padaMarks[house];
        if (place.sign < 0 || place.sign >= 12) continue;
        cells[static_cast<std::size_t>(place.sign)].marks.set(place.line, kPadaTags[house]);
    }
    return cells;
}

std::array<ChartCompartment, 12> ChartCompartments(const ChartReport& report,
                                                   const ChartDrawing& drawing) {
    const std::array<ChartCell, 12> cells = DrawnCells(report, drawing.allPadas);
    std::array<ChartCompartment, 12> compartments;
    for (int k = 0; k < 12; ++k) {
        ChartCompartment& c = compartments[static_cast<std::size_t>(k)];
        if (drawing.style == ChartStyle::North) {
            c.house = k + 1;
            c.sign = (report.ascendantSign + k) % 12;
            c.outline = NorthOutline(c.house);
            c.textBox = NorthTextBox(c.house);
        } else {
            c.sign = k;
            c.house = (k - report.ascendantSign + 12) % 12 + 1;
            if (drawing.style == ChartStyle::East) {
                EastPlace(k, c);
            } else {
                SouthPlace(k, c);
            }
        }
        c.cell = cells[static_cast<std::size_t>(c.sign)];
    }
    return compartments;
}

std::optional<SquareBox> CentreBox(ChartStyle style) {
    switch (style) {
        case ChartStyle::South:
            return Box(0.25, 0.25, 0.75, 0.75);
        case ChartStyle::East:
            return Box(kThird, kThird, 2 * kThird, 2 * kThird);
        case ChartStyle::North:
            break;
    }
    return std::nullopt;
}

std::vector<std::string_view> CompartmentTexts(const ChartCompartment& compartment) {
    const auto trimmed = [](std::string_view text) {
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        return text;
    };
    std::vector<std::string_view> texts = {
        kSignNumbers[static_cast<std::size_t>(compartment.sign)]};
    for (const std::string_view body : compartment.cell.bodies) texts.push_back(trimmed(body));
    for (const std::string_view mark : compartment.cell.marks) {
        if (!trimmed(mark).empty()) texts.push_back(trimmed(mark));
    }
    return texts;
}

}  // namespace korvanta
