// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/text_grid.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvanta {
namespace {

constexpr int kCellWidth = 16;        // characters inside a cell's borders
constexpr int kMinCellLines = 4;      // sign name line and three more
constexpr int kBodyColumnWidth = 11;  // "Mercury (R)"
constexpr int kCentre = -1;

// The region of each square of the 4 x 4 grid: the sign whose cell it is,
// or the centre block.
constexpr std::array<std::array<int, 4>, 4> kLayout = [] {
    std::array<std::array<int, 4>, 4> layout{};
    for (auto& row : layout) row.fill(kCentre);
    for (std::size_t sign = 0; sign < kChartCellOfSign.size(); ++sign) {
        const ChartCellPlace place = kChartCellOfSign[sign];
        layout[static_cast<std::size_t>(place.row)][static_cast<std::size_t>(place.column)] =
            static_cast<int>(sign);
    }
    return layout;
}();

// Directions a border passes out of one point of the canvas.
constexpr unsigned kUp = 1, kDown = 2, kLeft = 4, kRight = 8;

std::string_view BoxGlyph(unsigned mask) {
    switch (mask) {
        case kLeft | kRight:
        case kLeft:
        case kRight:
            return "─";
        case kUp | kDown:
        case kUp:
        case kDown:
            return "│";
        case kDown | kRight:
            return "┌";
        case kDown | kLeft:
            return "┐";
        case kUp | kRight:
            return "└";
        case kUp | kLeft:
            return "┘";
        case kUp | kDown | kRight:
            return "├";
        case kUp | kDown | kLeft:
            return "┤";
        case kDown | kLeft | kRight:
            return "┬";
        case kUp | kLeft | kRight:
            return "┴";
        case kUp | kDown | kLeft | kRight:
            return "┼";
        default:
            return " ";
    }
}

// Splits UTF-8 text into one string per code point.
std::vector<std::string> CodePoints(std::string_view text) {
    std::vector<std::string> points;
    for (char c : text) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (continuation && !points.empty()) {
            points.back() += c;
        } else {
            points.emplace_back(1, c);
        }
    }
    return points;
}

// Diagonal lines through one position of the canvas.
constexpr unsigned kFalling = 1, kRising = 2;

// A rectangle of terminal positions, each holding one glyph, plus the border
// directions that meet at each position and the diagonals through it.
class Canvas {
  public:
    Canvas(int width, int height)
        : width_(width),
          height_(height),
          glyphs_(static_cast<std::size_t>(width * height), " "),
          borders_(glyphs_.size(), 0),
          diagonals_(glyphs_.size(), 0) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Whether a line passes through (x, y); outside the canvas counts as one.
    bool IsLine(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return true;
        return borders_[Index(x, y)] != 0 || diagonals_[Index(x, y)] != 0;
    }
    // A line from (x0, y0) to (x1, y1), both ends included: a border when it
    // runs along a row or a column, else one diagonal glyph on each row.
    void Line(int x0, int y0, int x1, int y1) {
        if (y0 == y1) return HorizontalBorder(y0, std::min(x0, x1), std::max(x0, x1));
        if (x0 == x1) return VerticalBorder(x0, std::min(y0, y1), std::max(y0, y1));
        if (y0 > y1) std::swap(x0, x1), std::swap(y0, y1);
        const unsigned kind = x1 > x0 ? kFalling : kRising;
        for (int y = y0; y <= y1; ++y) {
            const int x = x0 + static_cast<int>(std::lround(static_cast<double>(x1 - x0) *
                                                            (y - y0) / (y1 - y0)));
            diagonals_[Index(x, y)] |= kind;
        }
    }

    // Writes text from (x, y), cut at `limit` characters.
    void Write(int x, int y, std::string_view text, int limit) {
        const auto points = CodePoints(text);
        const int count = std::min(limit, static_cast<int>(points.size()));
        for (int i = 0; i < count; ++i)
            glyphs_[Index(x + i, y)] = points[static_cast<std::size_t>(i)];
    }
    void HorizontalBorder(int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x)
            borders_[Index(x, y)] |= (x > x0 ? kLeft : 0) | (x < x1 ? kRight : 0);
    }
    void VerticalBorder(int x, int y0, int y1) {
        for (int y = y0; y <= y1; ++y)
            borders_[Index(x, y)] |= (y > y0 ? kUp : 0) | (y < y1 ? kDown : 0);
    }
    std::string Render() const {
        std::string text;
        for (std::size_t i = 0; i < glyphs_.size(); ++i) {
            if (!borders_[i] && diagonals_[i]) {
                text += diagonals_[i] == kFalling ? "╲" : diagonals_[i] == kRising ? "╱" : "╳";
                if ((i + 1) % static_cast<std::size_t>(width_) == 0) text += '\n';
                continue;
            }
            text += borders_[i] ? BoxGlyph(borders_[i]) : std::string_view(glyphs_[i]);
            if ((i + 1) % static_cast<std::size_t>(width_) == 0) text += '\n';
        }
        return text;
    }

  private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
    int width_;
    int height_;
    std::vector<std::string> glyphs_;
    std::vector<unsigned> borders_;
    std::vector<unsigned> diagonals_;
};

// The figure charts' size: a square of 72 x 36 steps, two columns to a line so
// that the diagonals run corner to corner.
constexpr int kFigureColumns = 72;
constexpr int kFigureLines = 36;

struct CanvasPoint {
    int x = 0;
    int y = 0;
};

CanvasPoint OnCanvas(SquarePoint p) {
    return {static_cast<int>(p.x * kFigureColumns + 0.5),
            static_cast<int>(p.y * kFigureLines + 0.5)};
}

bool InsideOutline(const std::vector<SquarePoint>& outline, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const double ax = outline[i].x * kFigureColumns, ay = outline[i].y * kFigureLines;
        const double bx = outline[j].x * kFigureColumns, by = outline[j].y * kFigureLines;
        if ((ay > y) != (by > y) && x < (bx - ax) * (y - ay) / (by - ay) + ax) inside = !inside;
    }
    return inside;
}

// The free run of one line of a compartment: positions inside its outline
// with a blank between them and any line.
struct Span {
    int left = 0;
    int width = 0;
};

std::vector<Span> FreeSpans(const Canvas& canvas, const std::vector<SquarePoint>& outline) {
    std::vector<Span> spans(static_cast<std::size_t>(canvas.Height()));
    for (int y = 0; y < canvas.Height(); ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool free = !canvas.IsLine(x - 1, y) && !canvas.IsLine(x, y) &&
                              !canvas.IsLine(x + 1, y) && InsideOutline(outline, x, y);
            if (!free) continue;
            if (first < 0) first = x;
            last = x;
        }
        if (first >= 0) spans[static_cast<std::size_t>(y)] = {first, last - first + 1};
    }
    return spans;
}

// The lines a compartment's texts take from line `start` down: the first
// text (the sign's number) alone, then as many as fit to each line. Returns
// the lines as (line, text) and sets `placed` to the number of texts placed.
std::vector<std::pair<int, std::string>> FillLines(const std::vector<Span>& spans, int start,
                                                   const std::vector<std::string_view>& texts,
                                                   std::size_t& placed) {
    std::vector<std::pair<int, std::string>> lines;
    placed = 0;
    for (int y = start; y < static_cast<int>(spans.size()) && placed < texts.size(); ++y) {
        const int width = spans[static_cast<std::size_t>(y)].width;
        std::string line;
        int used = 0;
        while (placed < texts.size()) {
            const int need = static_cast<int>(DisplayWidth(texts[placed])) + (line.empty() ? 0 : 1);
            if (used + need > width) break;
            if (!line.empty()) line += ' ';
            line += texts[placed];
            used += need;
            ++placed;
            if (placed == 1) break;  // the sign's number stands alone
        }
        if (!line.empty()) lines.emplace_back(y, line);
    }
    return lines;
}

int RegionAt(int row, int column) {
    if (row < 0 || row > 3 || column < 0 || column > 3) return -2;  // outside the square
    return kLayout[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

// Writes a compartment's texts into the canvas, the block of lines centred on
// its text box as near as the outline allows; returns the texts left over.
std::vector<std::string_view> FillCompartment(Canvas& canvas, const ChartCompartment& c) {
    const std::vector<std::string_view> texts = CompartmentTexts(c);
    const std::vector<Span> spans = FreeSpans(canvas, c.outline);
    const double middle = (c.textBox.topLeft.y + c.textBox.bottomRight.y) / 2 * kFigureLines;
    std::vector<std::pair<int, std::string>> best;
    std::size_t bestPlaced = 0;
    double bestDistance = 0;
    for (int start = 0; start < canvas.Height(); ++start) {
        if (spans[static_cast<std::size_t>(start)].width == 0) continue;
        std::size_t placed = 0;
        auto lines = FillLines(spans, start, texts, placed);
        if (lines.empty()) continue;
        const double centre = (lines.front().first + lines.back().first) / 2.0;
        const double distance = std::abs(centre - middle);
        if (placed > bestPlaced || (placed == bestPlaced && distance < bestDistance)) {
            best = std::move(lines);
            bestPlaced = placed;
            bestDistance = distance;
        }
    }
    for (const auto& [y, line] : best) {
        const Span span = spans[static_cast<std::size_t>(y)];
        const int width = static_cast<int>(DisplayWidth(line));
        canvas.Write(span.left + (span.width - width) / 2, y, line, span.width);
    }
    return {texts.begin() + static_cast<std::ptrdiff_t>(bestPlaced), texts.end()};
}

}  // namespace

std::string DrawFigureChart(ChartStyle style, const std::array<ChartCompartment, 12>& compartments,
                            const std::vector<std::string>& centre) {
    Canvas canvas(kFigureColumns + 1, kFigureLines + 1);
    for (const ChartCompartment& c : compartments) {
        for (std::size_t i = 0; i < c.outline.size(); ++i) {
            const CanvasPoint a = OnCanvas(c.outline[i]);
            const CanvasPoint b = OnCanvas(c.outline[(i + 1) % c.outline.size()]);
            canvas.Line(a.x, a.y, b.x, b.y);
        }
    }
    std::string overflow;
    for (const ChartCompartment& c : compartments) {
        const std::vector<std::string_view> left = FillCompartment(canvas, c);
        if (left.empty()) continue;
        overflow += "  ";
        overflow += c.cell.signName;
        overflow += " also holds:";
        for (const std::string_view text : left) (overflow += ' ') += text;
        overflow += '\n';
    }
    std::string below;
    if (const std::optional<SquareBox> box = CentreBox(style)) {
        const CanvasPoint topLeft = OnCanvas(box->topLeft);
        const CanvasPoint bottomRight = OnCanvas(box->bottomRight);
        const int width = bottomRight.x - topLeft.x - 3;
        const int height = bottomRight.y - topLeft.y - 1;
        const int shown = std::min(height, static_cast<int>(centre.size()));
        int y = topLeft.y + 1 + (height - shown) / 2;
        for (int i = 0; i < shown; ++i, ++y) {
            const int textWidth = std::min(width, static_cast<int>(DisplayWidth(centre[i])));
            canvas.Write(topLeft.x + 2 + (width - textWidth) / 2, y, centre[i], width);
        }
    } else {
        for (const std::string& line : centre) {
            const int width = std::min(kFigureColumns, static_cast<int>(DisplayWidth(line)));
            if (width == 0) {
                below += '\n';
                continue;
            }
            below.append(static_cast<std::size_t>((kFigureColumns + 1 - width) / 2), ' ');
            below += line;
            below += '\n';
        }
    }
    std::string text = canvas.Render();
    if (!below.empty()) text += below;
    if (!overflow.empty()) text += overflow;
    return text;
}

std::size_t DisplayWidth(std::string_view text) {
    return CodePoints(text).size();
}

std::string DrawSignChart(const std::array<ChartCell, 12>& signCells,
                          const std::vector<std::string>& centre) {
    std::array<std::vector<CellLine>, 12> cells;
    std::array<int, 4> rowLines{};
    for (int row = 0; row < 4; ++row) {
        rowLines[row] = kMinCellLines;
        for (int column = 0; column < 4; ++column) {
            const int sign = RegionAt(row, column);
            if (sign == kCentre) continue;
            cells[sign] = CellLines(signCells[static_cast<std::size_t>(sign)]);
            rowLines[row] = std::max(rowLines[row], 1 + static_cast<int>(cells[sign].size()));
        }
    }
    std::array<int, 5> xs{}, ys{};
    for (int i = 1; i <= 4; ++i) {
        xs[i] = xs[i - 1] + kCellWidth + 1;
        ys[i] = ys[i - 1] + rowLines[i - 1] + 1;
    }
    Canvas canvas(xs[4] + 1, ys[4] + 1);
    // A border runs wherever the regions on its two sides differ.
    for (int row = 0; row <= 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (RegionAt(row - 1, column) != RegionAt(row, column)) {
                canvas.HorizontalBorder(ys[row], xs[column], xs[column + 1]);
            }
        }
    }
    for (int column = 0; column <= 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            if (RegionAt(row, column - 1) != RegionAt(row, column)) {
                canvas.VerticalBorder(xs[column], ys[row], ys[row + 1]);
            }
        }
    }
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int sign = RegionAt(row, column);
            if (sign == kCentre) continue;
            const int left = xs[column] + 2, top = ys[row] + 1;
            const std::string number = std::to_string(sign + 1);
            canvas.Write(left, top, signCells[static_cast<std::size_t>(sign)].signName,
                         kCellWidth - 5);
            canvas.Write(xs[column + 1] - 1 - static_cast<int>(number.size()), top, number, 2);
            int y = top + 1;
            for (const CellLine& line : cells[sign]) {
                canvas.Write(left, y, line.body, kBodyColumnWidth);
                // A tag ends a blank before the border; a three-letter one
                // ("A11") takes that blank rather than the body column's.
                const int tagWidth = static_cast<int>(DisplayWidth(line.mark));
                const int tagLeft = std::max(left + kBodyColumnWidth + 1,
                                             xs[column + 1] - 1 - tagWidth);
                canvas.Write(tagLeft, y, line.mark, xs[column + 1] - tagLeft);
                ++y;
            }
        }
    }
    const int centreWidth = xs[3] - xs[1] - 1;
    const int centreHeight = ys[3] - ys[1] - 1;
    const int shown = std::min(centreHeight, static_cast<int>(centre.size()));
    int y = ys[1] + 1 + (centreHeight - shown) / 2;
    for (int i = 0; i < shown; ++i, ++y) {
        const int width = std::min(centreWidth - 2, static_cast<int>(DisplayWidth(centre[i])));
        canvas.Write(xs[1] + 1 + (centreWidth - width) / 2, y, centre[i], centreWidth - 2);
    }
    return canvas.Render();
}

}  // namespace korvanta
