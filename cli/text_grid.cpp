#include "cli/text_grid.h"

#include <algorithm>

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

// A rectangle of terminal positions, each holding one glyph, plus the border
// directions that meet at each position.
class Canvas {
  public:
    Canvas(int width, int height)
        : width_(width),
          glyphs_(static_cast<std::size_t>(width * height), " "),
          borders_(glyphs_.size(), 0) {}

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
            text += borders_[i] ? BoxGlyph(borders_[i]) : std::string_view(glyphs_[i]);
            if ((i + 1) % static_cast<std::size_t>(width_) == 0) text += '\n';
        }
        return text;
    }

  private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
    int width_;
    std::vector<std::string> glyphs_;
    std::vector<unsigned> borders_;
};

int RegionAt(int row, int column) {
    if (row < 0 || row > 3 || column < 0 || column > 3) return -2;  // outside the square
    return kLayout[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

}  // namespace

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
                const int tagWidth = static_cast<int>(DisplayWidth(line.mark));
                const int tagRoom = kCellWidth - kBodyColumnWidth - 3;
                canvas.Write(xs[column + 1] - 1 - std::min(tagWidth, tagRoom), y, line.mark,
                             tagRoom);
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
