// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_figure_view.h"

#include <QPainter>
#include <algorithm>

#include "report/page_painter.h"
#include "ui/twips.h"

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
    // A divisional chart's note on its signs' precision goes under the
    // square, which gives it the room.
    const QString note = DisplayText(report_->vargaNote);
    constexpr int kNoteFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    double noteHeight = 0;
    if (!note.isEmpty()) {
        QFont small = font();
        small.setPointSizeF(small.pointSizeF() - 1);
        painter.setFont(small);
        noteHeight = painter.boundingRect(QRectF(0, 0, width(), 10000), kNoteFlags, note).height();
    }
    const double room = height() - (noteHeight > 0 ? noteHeight + 4 : 0);
    const double side = std::min<double>(width(), room) - 2.0;
    const QRectF square((width() - side) / 2, (room - side) / 2, side, side);
    if (noteHeight > 0) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(0, square.bottom() + 4, width(), noteHeight), kNoteFlags, note);
    }
    // The North Indian square has no centre; its block would fall outside.
    PaintChartFigure(painter, square, *report_, drawing_, drawing_.style != ChartStyle::North);
}

}  // namespace korvanta
