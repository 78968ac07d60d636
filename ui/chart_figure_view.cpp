// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_figure_view.h"

#include <QPainter>
#include <algorithm>

#include "report/page_painter.h"

namespace korvanta {

ChartFigureView::ChartFigureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chartFigure"));
}

void ChartFigureView::SetReport(const ChartReport& report, const ChartDrawing& drawing) {
    report_ = report;
    drawing_ = drawing;
    update();
}

void ChartFigureView::paintEvent(QPaintEvent*) {
    if (!report_) return;
    QPainter painter(this);
    const double side = std::min(width(), height()) - 2.0;
    const QRectF square((width() - side) / 2, (height() - side) / 2, side, side);
    // The North Indian square has no centre; its block would fall outside.
    PaintChartFigure(painter, square, *report_, drawing_, drawing_.style != ChartStyle::North);
}

}  // namespace korvanta
