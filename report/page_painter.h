// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the chart page with QPainter on any paint device: an image, a PDF
// writer or a printer. Needs a QGuiApplication (for fonts) but no widgets.
#pragma once

#include <QRectF>

#include "report/report.h"

class QPainter;

namespace korvanta {

// The page is laid out on A4 in points (1/72 inch).
inline constexpr double kPageWidthPoints = 595.28;
inline constexpr double kPageHeightPoints = 841.89;

// Draws `page` with its chart square as `drawing` says into `target` (the
// painter's coordinates, usually the device's paintable area), scaled to fill its width and, when
// the contents run longer than A4, shrunk until they fit its height. The background is left as it
// is.
void PaintChartPage(QPainter& painter, const QRectF& target, const ChartReport& page,
                    const ChartDrawing& drawing);

// Draws the North or East Indian chart of `page` (`drawing`'s style) into
// the square `square`: outlines, each compartment's sign number, bodies and
// tags, and the East Indian chart's centre block unless `withCentre` is
// false. The texts are sized for a square of kFigureSidePoints and scaled
// with it. The result window's chart tab and the page share this drawing.
inline constexpr double kFigureSidePoints = 268;
void PaintChartFigure(QPainter& painter, const QRectF& square, const ChartReport& page,
                      const ChartDrawing& drawing, bool withCentre);

}  // namespace korvanta
