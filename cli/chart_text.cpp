// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chart_text.h"

#include <array>
#include <utility>
#include <vector>

#include "cli/text_grid.h"

namespace korvanta {
namespace {

constexpr int kTextWidth = 78;

using Row = std::pair<std::string_view, std::string_view>;

// "  Heading  : value" with the colons of all rows in one column.
std::string Rows(const std::vector<Row>& rows) {
    std::size_t width = 0;
    for (const auto& [heading, value] : rows) width = std::max(width, DisplayWidth(heading));
    std::string text;
    for (const auto& [heading, value] : rows) {
        text += "  ";
        text += heading;
        text.append(width - DisplayWidth(heading), ' ');
        text += " : ";
        text += value;
        text += '\n';
    }
    return text;
}

std::string PositionTable(const ChartReport& report) {
    std::string text(kPositionsHeading);
    text += '\n';
    for (const LabelledText& row : report.positions) {
        text += "  ";
        text += row.label;
        text.append(18 - row.label.size(), ' ');
        text += row.text;
        text += '\n';
    }
    return text;
}

std::string Details(const ChartReport& report) {
    std::string text(kDetailsHeading);
    text += "\n  " + report.name + "\n";
    // Each label with a colon after a blank, three blanks after "Latitude",
    // as the result window writes them.
    for (const LabelledText* row : report.details.Rows()) {
        text += "  ";
        text += row->label;
        text += row == &report.details.latitude ? "   :" : " :";
        text += ' ';
        text += row->text;
        text += '\n';
    }
    return text;
}

std::string UpapadaHouse(const ChartReport& report) {
    std::string text(kSignificanceHeading);
    text += "\n  ";
    text += kSignificanceText;
    text += '\n';
    text += kHouseSignificanceHeading;
    text += "\n  ";
    text += report.ulHouse;
    text += '\n';
    return text + WrapText(report.ulReading, 2, kTextWidth);
}

std::string Profile(const ChartReport& report) {
    std::string text(kProfileHeading);
    text += '\n';
    std::vector<Row> rows;
    for (const LabelledView& row : report.profile) rows.emplace_back(row.label, row.text);
    text += Rows(rows);
    if (!report.ulInVargas.empty()) text += WrapText(report.ulInVargas, 2, kTextWidth);
    for (const LabelledView& reading : report.readings) {
        text += '\n';
        text += reading.label;
        text += '\n';
        text += WrapText(reading.text, 2, kTextWidth);
    }
    return text;
}

}  // namespace

std::string WrapText(std::string_view text, int indent, int width) {
    std::string wrapped;
    const std::string margin(static_cast<std::size_t>(indent), ' ');
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        start = end + 1;
        std::string line = margin;
        std::size_t lineWidth = margin.size();
        bool lineHasWord = false;
        std::size_t pos = 0;
        while (pos < paragraph.size()) {
            const std::size_t wordStart = paragraph.find_first_not_of(' ', pos);
            if (wordStart == std::string_view::npos) break;
            std::size_t wordEnd = paragraph.find(' ', wordStart);
            if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
            const std::string_view word = paragraph.substr(wordStart, wordEnd - wordStart);
            const std::size_t wordWidth = DisplayWidth(word);
            if (lineHasWord && lineWidth + 1 + wordWidth > static_cast<std::size_t>(width)) {
                wrapped += line + '\n';
                line = margin;
                lineWidth = margin.size();
                lineHasWord = false;
            }
            if (lineHasWord) {
                line += ' ';
                ++lineWidth;
            }
            line += word;
            lineWidth += wordWidth;
            lineHasWord = true;
            pos = wordEnd;
        }
        wrapped += (lineHasWord ? line : std::string()) + '\n';
    }
    return wrapped;
}

std::string ChartText(const ChartReport& report, const ChartDrawing& drawing) {
    // The page's centre block, with a blank line setting the UL apart.
    std::vector<std::string> centre = report.centre;
    if (centre.size() > 2) centre.insert(centre.begin() + 2, std::string());
    std::string text =
        drawing.style == ChartStyle::South
            ? DrawSignChart(DrawnCells(report, drawing.allPadas), centre)
            : DrawFigureChart(drawing.style, ChartCompartments(report, drawing), centre);
    if (!report.vargaNote.empty()) text += WrapText(report.vargaNote, 0, kTextWidth);
    text += '\n';
    text += PositionTable(report);
    // Only a chart of the precise astronomy says which one made it.
    if (!report.astronomyLine.empty()) text += report.astronomyLine + '\n';
    text += '\n';
    text += Details(report);
    text += '\n';
    text += UpapadaHouse(report);
    text += '\n';
    text += Profile(report);
    return text;
}

}  // namespace korvanta
