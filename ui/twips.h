// SPDX-License-Identifier: GPL-3.0-or-later
// Window geometry is laid out in twips (1/1440 inch) and turned into pixels
// with the screen's logical resolution, so that windows keep their proportions
// and stay readable on high-resolution screens.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

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

// The texts the core writes use CR LF between lines; a label shows LF.
QString DisplayText(std::string_view text);

}  // namespace korvanta
