// SPDX-License-Identifier: GPL-3.0-or-later
// The result window's North and East Indian chart: a widget that paints the
// chart square of a report with the page's drawing, scaled to its size.
#pragma once

#include <QWidget>
#include <optional>

#include "report/report.h"

namespace korvanta {

class ChartFigureView : public QWidget {
  public:
    explicit ChartFigureView(QWidget* parent = nullptr);

    // The report whose chart is painted, in `drawing`'s style.
    void SetReport(const ChartReport& report, const ChartDrawing& drawing);
    const std::optional<ChartReport>& Report() const { return report_; }
    const ChartDrawing& Drawing() const { return drawing_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<ChartReport> report_;
    ChartDrawing drawing_;
};

}  // namespace korvanta
