// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the birth-time sensitivity timeline with QPainter: one bar per row
// split into its segments, each labelled with its value and times where they
// fit, the birth moment marked across all rows, a time axis beneath. The
// result window's tab and the exported page's second page share it.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <vector>

#include "report/report.h"
#include "report/sensitivity_view.h"

class QPainter;

namespace korvanta {

// Where the parts of the timeline sit inside an area.
struct TimelineRowPlace {
    QRectF label;                  // the row's label, above its bar
    QRectF bar;                    // the whole bar
    std::vector<QRectF> segments;  // one box per segment, inside the bar
    QRectF list;                   // the page's written list of segments, under the bar
};
struct TimelinePlaces {
    std::vector<TimelineRowPlace> rows;
    QRectF axis;  // under the last bar: ticks and clock times
    double birthX = 0;
};

// The sizes that lay the timeline out, in the painter's units.
struct TimelineMetrics {
    double labelHeight = 14;
    double barHeight = 32;
    double listHeight = 0;  // room under each bar for its written segments (the page)
    double rowGap = 6;
    double axisHeight = 18;
};

// The x of a clock moment within a bar.
double TimelineX(const SensitivityView& view, const QRectF& bar, std::int64_t clock);

TimelinePlaces PlaceTimeline(const SensitivityView& view, const QRectF& area,
                             const TimelineMetrics& metrics);

// The height PlaceTimeline fills.
double TimelineHeight(const TimelineMetrics& metrics);

// Draws the timeline laid out by `places`: `labelFont` for row labels and
// segment values, `smallFont` for times. The segment (`hoverRow`,
// `hoverSegment`) is drawn highlighted; -1 for none. With `lists`, each row's
// segments are also written out in full under its bar.
struct TimelineFonts {
    QFont label;
    QFont small;
};
// The colours of what lies outside the bars: the rows' titles, the axis and
// its clock times. The page's are for paper; a window gives its palette's.
struct TimelineColours {
    QColor title = QColor(75, 75, 150);
    QColor axis = QColor(160, 160, 185);
    QColor times = QColor(95, 95, 110);
};
void PaintTimeline(QPainter& painter, const SensitivityView& view, const TimelinePlaces& places,
                   const TimelineFonts& fonts, bool lists, int hoverRow = -1, int hoverSegment = -1,
                   const TimelineColours& colours = {});

// The row's segments written out: "08:05:30 to 08:41:12 Aries; ...".
QString SegmentListText(const SensitivityRowView& row);

// Draws the strip's page (title, answer sentence, timeline with the written
// segments) into `target`, scaled as the chart page is.
void PaintSensitivityPage(QPainter& painter, const QRectF& target, const ChartReport& page,
                          const SensitivityView& view);

}  // namespace korvanta
