// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/page_painter.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <utility>

#include "report/chart_style.h"

namespace korvanta {
namespace {

constexpr double kMargin = 34;
constexpr double kContentWidth = kPageWidthPoints - 2 * kMargin;
constexpr double kSectionGap = 12;

const QColor kInk(20, 20, 20);
const QColor kMuted(95, 95, 110);
const QColor kAccent(75, 75, 150);  // the result frame's colour
const QColor kRule(160, 160, 185);
const QColor kHeaderFill(232, 232, 243);

QString Q(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// Draws in page points, or only measures when `drawing` is false, so that one
// pass finds the height the contents need and the next one draws them.
class PageLayout {
  public:
    PageLayout(QPainter& painter, bool drawing) : painter_(painter), drawing_(drawing) {}

    // A font whose size is `points` on the page whatever the device's
    // resolution: the painter's scale does the rest.
    QFont Font(double points, bool bold = false) const {
        QFont font;
        font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                          QStringLiteral("Liberation Sans")});
        font.setPointSizeF(points * 72.0 / painter_.device()->logicalDpiY());
        font.setBold(bold);
        // Hinted metrics at one size would not scale to the page.
        font.setHintingPreference(QFont::PreferNoHinting);
        return font;
    }

    // Text wrapped to `width` (between words, or anywhere with
    // `breakAnywhere`); returns the height it takes.
    double Text(double x, double y, double width, const QString& text, const QFont& font,
                const QColor& colour = kInk, int alignment = Qt::AlignLeft,
                bool breakAnywhere = false) {
        if (text.isEmpty()) return 0;
        painter_.setFont(font);
        const int flags =
            alignment | Qt::AlignTop | (breakAnywhere ? Qt::TextWrapAnywhere : Qt::TextWordWrap);
        const QRectF box(x, y, width, 10000);
        const QRectF used = painter_.boundingRect(box, flags, text);
        if (drawing_) {
            painter_.setPen(colour);
            painter_.drawText(QRectF(x, y, width, used.height() + 1), flags, text);
        }
        return used.height();
    }

    void Rule(double x1, double y1, double x2, double y2, const QColor& colour = kRule,
              double width = 0.6) {
        if (!drawing_) return;
        painter_.setPen(QPen(colour, width));
        painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    // The width a one-line text takes.
    double Width(const QString& text, const QFont& font) const {
        painter_.setFont(font);
        return painter_.boundingRect(QRectF(0, 0, 10000, 1000), Qt::AlignLeft | Qt::AlignTop, text)
            .width();
    }

    void Polygon(const QPolygonF& outline, const QColor& line, double width = 0.6) {
        if (!drawing_) return;
        painter_.setPen(QPen(line, width));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPolygon(outline);
    }

    void Box(const QRectF& box, const QColor& line, const QColor& fill = Qt::transparent,
             double width = 0.6) {
        if (!drawing_) return;
        painter_.setPen(QPen(line, width));
        painter_.setBrush(fill);
        painter_.drawRect(box);
        painter_.setBrush(Qt::NoBrush);
    }

    // A text in the largest type from `points` down to `least` (in half
    // points) at which it fits `width`: on one line with `oneLine`, else with
    // each of its words on a line. Below `least` it is broken anywhere, so
    // that no name of any length runs out of its place. Returns the height.
    double FittedText(double x, double y, double width, const QString& text, double points,
                      double least, bool bold, bool oneLine, const QColor& colour, int alignment) {
        for (double size = points; size >= least; size -= 0.5) {
            const QFont font = Font(size, bold);
            if (Fits(text, font, width, oneLine)) {
                return Text(x, y, width, text, font, colour, alignment);
            }
        }
        const QFont font = Font(least, bold);
        return Text(x, y, width, text, font, colour, alignment, !Fits(text, font, width, false));
    }

    // A layout on the same painter that only measures.
    PageLayout Measuring() const { return PageLayout(painter_, false); }

  private:
    bool Fits(const QString& text, const QFont& font, double width, bool oneLine) const {
        if (oneLine) return Width(text, font) <= width;
        const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return std::all_of(words.begin(), words.end(),
                           [&](const QString& word) { return Width(word, font) <= width; });
    }

    QPainter& painter_;
    bool drawing_;
};

// A line of the chart's centre: the name first, made smaller for a long one
// so that it stays inside the block.
double CentreLine(PageLayout& out, double x, double y, double width, const QString& text,
                  std::size_t index, std::size_t count, double scale = 1.0) {
    const bool strong = index == 0 || index + 2 == count;
    const QColor& colour = index + 2 >= count ? kAccent : kInk;
    if (index == 0) {
        return out.FittedText(x, y, width, text, 10.5 * scale, 6 * scale, strong, false, colour,
                              Qt::AlignHCenter);
    }
    // A divisional chart's name, between the date and the Upapada Lagna,
    // made smaller rather than wrapped in a narrow centre.
    if (index >= 2 && index + 2 < count) {
        return out.FittedText(x, y, width, text, 8.5 * scale, 6 * scale, false, true, colour,
                              Qt::AlignHCenter);
    }
    return out.Text(x, y, width, text, out.Font(8.5 * scale, strong), colour, Qt::AlignHCenter);
}

// A heading with a rule under it; returns its height.
double Heading(PageLayout& out, double x, double y, double width, const QString& text) {
    const double height = out.Text(x, y, width, text, out.Font(9.5, true), kAccent);
    out.Rule(x, y + height + 1, x + width, y + height + 1);
    return height + 4;
}

void DrawCell(PageLayout& out, const QRectF& box, const ChartCell& cell) {
    const QFont small = out.Font(6.5);
    out.Text(box.left() + 3, box.top() + 2, box.width() - 6, Q(cell.signName), small, kMuted);
    out.Text(box.left() + 3, box.top() + 2, box.width() - 6, QString::number(cell.number), small,
             kMuted, Qt::AlignRight);
    const std::vector<CellLine> lines = CellLines(cell);
    if (lines.empty()) return;
    // A crowded sign gets a smaller type so that all its bodies stay inside.
    const double room = box.height() - 13;
    const double points = std::min(7.5, room / (1.3 * static_cast<double>(lines.size())));
    const double step = points * 1.3;
    double y = box.top() + 12;
    for (const CellLine& line : lines) {
        out.Text(box.left() + 3, y, box.width() - 6, Q(line.body), out.Font(points));
        out.Text(box.left() + 3, y, box.width() - 6, Q(line.mark), out.Font(points, true), kAccent,
                 Qt::AlignRight);
        y += step;
    }
}

// The texts of a compartment packed into lines of at most `width` at
// `points`: the sign's number alone, then as many texts to a line as fit.
// Each line keeps the index of its first text.
std::vector<std::pair<std::size_t, QString>> PackTexts(PageLayout& out,
                                                       const std::vector<std::string_view>& texts,
                                                       double width, double points) {
    std::vector<std::pair<std::size_t, QString>> lines;
    const QFont font = out.Font(points);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QString text = Q(texts[i]);
        if (i >= 2 && out.Width(lines.back().second + QLatin1Char(' ') + text, font) <= width) {
            lines.back().second += QLatin1Char(' ') + text;
        } else {
            lines.emplace_back(i, text);
        }
    }
    return lines;
}

void DrawCompartment(PageLayout& out, const QRectF& square, const ChartCompartment& c) {
    const auto at = [&square](SquarePoint p) {
        return QPointF(square.left() + p.x * square.width(), square.top() + p.y * square.height());
    };
    QPolygonF outline;
    for (const SquarePoint& p : c.outline) outline << at(p);
    out.Polygon(outline, kInk);
    const QRectF box =
        QRectF(at(c.textBox.topLeft), at(c.textBox.bottomRight)).adjusted(2, 2, -2, -2);
    const std::vector<std::string_view> texts = CompartmentTexts(c);
    // A crowded compartment gets a smaller type so that all its texts stay inside.
    double points = 7.5;
    std::vector<std::pair<std::size_t, QString>> lines;
    for (;; points -= 0.25) {
        lines = PackTexts(out, texts, box.width(), points);
        double widest = 0;
        for (const auto& line : lines) {
            widest = std::max(widest, out.Width(line.second, out.Font(points)));
        }
        const bool fits = 1.3 * points * static_cast<double>(lines.size()) <= box.height() &&
                          widest <= box.width();
        if (fits || points <= 4) break;
    }
    const double step = 1.3 * points;
    double y = box.center().y() - step * static_cast<double>(lines.size()) / 2;
    for (const auto& [first, line] : lines) {
        // The number in grey, a line of tags only in the accent colour.
        const bool number = first == 0;
        const bool tags = first > c.cell.bodies.size();
        out.Text(box.left() - 8, y, box.width() + 16, line, out.Font(points, number || tags),
                 number ? kMuted
                 : tags ? kAccent
                        : kInk,
                 Qt::AlignHCenter);
        y += step;
    }
}

// The centre block's lines from `top` in a column of `width`; returns the
// height they take.
double CentreLines(PageLayout& out, double x, double top, double width, const ChartReport& page,
                   double scale = 1.0) {
    double lineY = top;
    for (std::size_t i = 0; i < page.centre.size(); ++i) {
        lineY += CentreLine(out, x, lineY, width, Q(page.centre[i]), i, page.centre.size(), scale);
        lineY += (i == 1 ? 14 : 3) * scale;
    }
    return lineY - top;
}

// The centre lines inside a block `height` high: in smaller type, down to
// half their size, where a long name would make them run out of it.
double CentreLinesWithin(PageLayout& out, double x, double top, double width, double height,
                         const ChartReport& page) {
    double scale = 1.0;
    PageLayout measure = out.Measuring();
    while (scale > 0.5 && CentreLines(measure, x, top, width, page, scale) > height) scale -= 0.05;
    return CentreLines(out, x, top, width, page, scale);
}

// The North or East Indian square at (x, y); the North Indian one has its
// centre block under it. Returns the height used.
double FigureSquare(PageLayout& out, double x, double y, double side, const ChartReport& page,
                    const ChartDrawing& drawing, bool withCentre) {
    const QRectF square(x, y, side, side);
    for (const ChartCompartment& c : ChartCompartments(page, drawing)) {
        DrawCompartment(out, square, c);
    }
    out.Box(square, kInk, Qt::transparent, 1.2);
    if (!withCentre) return side;
    if (const std::optional<SquareBox> centre = CentreBox(drawing.style)) {
        const double left = x + centre->topLeft.x * side;
        const double width = (centre->bottomRight.x - centre->topLeft.x) * side;
        // The lines start 8 points into the block; their measure ends with
        // a 3-point gap.
        const double height = (centre->bottomRight.y - centre->topLeft.y) * side;
        CentreLinesWithin(out, left + 4, y + centre->topLeft.y * side + 8, width - 8, height - 5,
                          page);
        return side;
    }
    return side + 8 + CentreLines(out, x, y + side + 8, side, page);
}

// The chart's note under the square (a divisional chart's line on its
// signs' precision); returns the height it adds.
double ChartNote(PageLayout& out, double x, double y, double width, const ChartReport& page) {
    if (page.vargaNote.empty()) return 0;
    return 4 + out.Text(x, y + 4, width, Q(page.vargaNote), out.Font(6.5), kMuted);
}

double ChartSquare(PageLayout& out, double x, double y, double side, const ChartReport& page,
                   const ChartDrawing& drawing) {
    if (drawing.style != ChartStyle::South) {
        const double height = FigureSquare(out, x, y, side, page, drawing, true);
        return height + ChartNote(out, x, y + height, side, page);
    }
    const double cell = side / 4;
    const std::array<ChartCell, 12> cells = DrawnCells(page, drawing.allPadas);
    for (std::size_t sign = 0; sign < cells.size(); ++sign) {
        const ChartCellPlace place = kChartCellOfSign[sign];
        const QRectF box(x + place.column * cell, y + place.row * cell, cell, cell);
        out.Box(box, kInk);
        DrawCell(out, box, cells[sign]);
    }
    out.Box(QRectF(x, y, side, side), kInk, Qt::transparent, 1.2);
    out.Box(QRectF(x + cell, y + cell, 2 * cell, 2 * cell), kInk);

    double lineY = y + cell + 18;
    for (std::size_t i = 0; i < page.centre.size(); ++i) {
        lineY += CentreLine(out, x + cell + 6, lineY, 2 * cell - 12, Q(page.centre[i]), i,
                            page.centre.size());
        lineY += i == 1 ? 14 : 3;
    }
    return side + ChartNote(out, x, y + side, side, page);
}

const LabelledText& RowOf(const LabelledText& row) {
    return row;
}
const LabelledText& RowOf(const LabelledText* row) {
    return *row;
}

// Rows of a caption and its value; returns the height.
template <typename Rows>
double Pairs(PageLayout& out, double x, double y, double width, double labelWidth,
             const Rows& rows) {
    const double top = y;
    for (const auto& entry : rows) {
        const LabelledText& row = RowOf(entry);
        const double label = out.Text(x, y, labelWidth - 4, Q(row.label), out.Font(8), kMuted);
        const double value =
            out.Text(x + labelWidth, y, width - labelWidth, Q(row.text), out.Font(8));
        y += std::max(label, value) + 1.5;
    }
    return y - top;
}

double SideColumn(PageLayout& out, double x, double y, double width, const ChartReport& page) {
    const double top = y;
    y += Heading(out, x, y, width, Q(kPositionsHeading));
    y += Pairs(out, x, y, width, 100, page.positions) + 10;
    // Only a chart of the precise astronomy says which one made it.
    if (!page.astronomyLine.empty()) {
        y += out.Text(x, y, width, Q(page.astronomyLine), out.Font(7.5), kMuted) + 8;
    }
    y += Heading(out, x, y, width, Q(kDetailsHeading));
    y += out.FittedText(x, y, width, Q(page.name), 8.5, 6, true, false, kInk, Qt::AlignLeft) + 2;
    y += Pairs(out, x, y, width, 100, page.details.Rows());
    return y - top;
}

// A table with a shaded header row; returns its height.
double Table(PageLayout& out, double x, double y, const std::vector<double>& widths,
             const std::vector<QString>& header, const std::vector<std::vector<QString>>& rows) {
    double total = 0;
    for (const double w : widths) total += w;
    const double rowHeight = 12;
    out.Box(QRectF(x, y, total, rowHeight), kRule, kHeaderFill);
    double cellX = x;
    for (std::size_t c = 0; c < header.size(); ++c) {
        out.Text(cellX + 3, y + 1.5, widths[c] - 6, header[c], out.Font(7.5, true));
        cellX += widths[c];
    }
    double rowY = y + rowHeight;
    for (const std::vector<QString>& row : rows) {
        cellX = x;
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            out.Text(cellX + 3, rowY + 1.5, widths[c] - 6, row[c], out.Font(7.5));
            cellX += widths[c];
        }
        rowY += rowHeight;
        out.Rule(x, rowY, x + total, rowY);
    }
    return rowY - y;
}

// The pada table's heading, naming the divisional chart whose padas it lists.
QString PadasHeading(std::string_view vargaCaption) {
    if (vargaCaption.empty()) return Q(kArudhaPadasHeading);
    return Q(kArudhaPadasHeading) + QStringLiteral(" \u2014 ") + Q(vargaCaption);
}

double PadaSection(PageLayout& out, double x, double y, const PadasView& padas,
                   std::string_view vargaCaption) {
    const double leftWidth = 200;
    const double gap = 16;
    const double rightX = x + leftWidth + gap;
    const double rightWidth = kContentWidth - leftWidth - gap;

    double left = Heading(out, x, y, leftWidth, PadasHeading(vargaCaption));
    std::vector<std::vector<QString>> padaRows;
    for (const PadaRow& row : padas.padas)
        padaRows.push_back({Q(row.house), Q(row.name), Q(row.sign)});
    left += Table(out, x, y + left, {38, 92, 70},
                  {Q(kPadaColumns[0]), Q(kPadaColumns[1]), Q(kPadaColumns[2])}, padaRows);

    double right = Heading(out, rightX, y, rightWidth, Q(kSpecialLagnasHeading));
    std::vector<std::vector<QString>> pointRows;
    for (const SpecialPointRow& row : padas.points) {
        pointRows.push_back({Q(row.point), Q(row.sign), Q(row.position)});
    }
    right += Table(out, rightX, y + right, {105, 80, rightWidth - 185},
                   {Q(kPointColumns[0]), Q(kPointColumns[1]), Q(kPointColumns[2])}, pointRows) +
             6;
    right += out.Text(rightX, y + right, rightWidth, Q(padas.referenceSunrise), out.Font(7.5)) + 6;
    if (!padas.upapadaAccount.empty()) {
        right +=
            out.Text(rightX, y + right, rightWidth, Q(kUpapadaAccountHeading), out.Font(7.5, true));
        right += out.Text(rightX, y + right, rightWidth, Q(padas.upapadaAccount), out.Font(7.5));
    }
    return std::max(left, right);
}

double ProfileGrid(PageLayout& out, double x, double y,
                   const std::array<LabelledView, 24>& profile) {
    constexpr int kColumns = 4;
    const double columnWidth = kContentWidth / kColumns;
    double rowY = y;
    for (std::size_t first = 0; first < profile.size(); first += kColumns) {
        double rowHeight = 0;
        for (std::size_t i = first; i < std::min(profile.size(), first + kColumns); ++i) {
            const double cellX = x + static_cast<double>(i - first) * columnWidth;
            const double width = columnWidth - 6;
            double height =
                out.Text(cellX, rowY, width, Q(profile[i].label), out.Font(6.8, true), kMuted);
            height += out.Text(cellX, rowY + height, width, Q(profile[i].text), out.Font(7.5));
            rowHeight = std::max(rowHeight, height);
        }
        rowY += rowHeight + 4;
    }
    return rowY - y;
}

// The readings in two columns, each reading placed under the shorter one.
double Readings(PageLayout& out, double x, double y, const std::array<LabelledView, 5>& readings) {
    const double gap = 14;
    const double width = (kContentWidth - gap) / 2;
    double columnBottom[2] = {y, y};
    for (const LabelledView& reading : readings) {
        const int column = columnBottom[1] < columnBottom[0] ? 1 : 0;
        const double cellX = x + column * (width + gap);
        double& bottom = columnBottom[column];
        bottom += out.Text(cellX, bottom, width, Q(reading.label), out.Font(8, true), kAccent);
        bottom += out.Text(cellX, bottom, width, Q(reading.text), out.Font(7.5)) + 6;
    }
    return std::max(columnBottom[0], columnBottom[1]) - y;
}

// Lays out the whole page from the top; returns where the contents end.
double LayOutPage(PageLayout& out, const ChartReport& page, const ChartDrawing& drawing) {
    const double x = kMargin;
    double y = kMargin;
    // The title keeps clear of the program's name at the right: a long name
    // makes it smaller, then wraps it.
    const QFont programFont = out.Font(8);
    const double programWidth = out.Width(Q(page.programTitle), programFont);
    const double titleWidth = kContentWidth - programWidth - 12;
    const double title =
        out.FittedText(x, y, titleWidth, Q(page.title), 15, 10, true, true, kAccent, Qt::AlignLeft);
    out.Text(x, y + 4, kContentWidth, Q(page.programTitle), programFont, kMuted, Qt::AlignRight);
    y += title + 3;
    out.Rule(x, y, x + kContentWidth, y, kAccent, 1.2);
    y += 10;

    const double side = 268;
    const double columnX = x + side + 16;
    const double side2 = SideColumn(out, columnX, y, x + kContentWidth - columnX, page);
    y += std::max(ChartSquare(out, x, y, side, page, drawing), side2) + kSectionGap;

    const std::string ulHouse =
        std::string(page.profile[1].label) + ": " + std::string(page.ulHouse);
    y += out.Text(x, y, kContentWidth, Q(ulHouse), out.Font(9.5, true), kAccent) + 2;
    y += out.Text(x, y, kContentWidth, Q(page.ulReading), out.Font(8.5)) + kSectionGap;
    if (!page.ulInVargas.empty()) {
        y += out.Text(x, y, kContentWidth, Q(page.ulInVargas), out.Font(8.5)) + kSectionGap;
    }

    y += PadaSection(out, x, y, page.padas, page.vargaCaption) + kSectionGap;

    y += Heading(out, x, y, kContentWidth, Q(kProfileHeading));
    y += ProfileGrid(out, x, y, page.profile) + 4;
    y += Readings(out, x, y, page.readings);
    return y;
}

}  // namespace

void PaintChartPage(QPainter& painter, const QRectF& target, const ChartReport& page,
                    const ChartDrawing& drawing) {
    if (target.width() <= 0 || target.height() <= 0) return;
    painter.save();
    PageLayout measure(painter, false);
    const double height = std::max(kPageHeightPoints, LayOutPage(measure, page, drawing) + kMargin);
    const double scale = std::min(target.width() / kPageWidthPoints, target.height() / height);
    painter.translate(target.left() + (target.width() - kPageWidthPoints * scale) / 2,
                      target.top());
    painter.scale(scale, scale);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    PageLayout draw(painter, true);
    LayOutPage(draw, page, drawing);
    painter.restore();
}

void PaintChartFigure(QPainter& painter, const QRectF& square, const ChartReport& page,
                      const ChartDrawing& drawing, bool withCentre) {
    if (square.width() <= 0 || square.height() <= 0) return;
    painter.save();
    painter.translate(square.topLeft());
    painter.scale(square.width() / kFigureSidePoints, square.height() / kFigureSidePoints);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    PageLayout draw(painter, true);
    FigureSquare(draw, 0, 0, kFigureSidePoints, page, drawing, withCentre);
    painter.restore();
}

}  // namespace korvanta
