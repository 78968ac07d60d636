// SPDX-License-Identifier: GPL-3.0-or-later
// Window geometry is laid out in twips (1/1440 inch) and turned into pixels
// with the screen's logical resolution, so that windows keep their proportions
// and stay readable on high-resolution screens.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

#include "report/report.h"

class QLabel;
class QWidget;

namespace korvanta {

// Pixels for a horizontal or vertical length in twips (15 twips = 1 pixel at
// 96 dots per inch).
int TwipsX(int twips);
int TwipsY(int twips);
QRect TwipsRect(int left, int top, int width, int height);

// Verdana, or a font of similar width and look where Verdana is not installed.
QFont VerdanaFont(double pointSize, bool bold = false);
// Courier New, or another fixed-pitch font.
QFont CourierFont(double pointSize);

// A label placed at a rectangle given in twips, named for tests and styles.
QLabel* PlaceLabel(QWidget* parent, const char* objectName, const QString& text, QRect pixels);

// A text of the report as a label shows it (any CR LF as LF).
QString DisplayText(std::string_view text);

// One column of a chart cell as its label shows it: each line opened by a
// line break, so the first line stays free for the sign's name.
template <std::size_t Capacity>
QString ColumnCaption(const TextList<Capacity>& lines) {
    QString caption;
    for (const std::string_view line : lines) {
        caption += QLatin1Char('\n');
        caption += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    }
    return caption;
}

}  // namespace korvanta
