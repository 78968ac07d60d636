// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/sensitivity_painter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "calendar/calendar.h"
#include "report/page_painter.h"

namespace korvanta {
namespace {

const QColor kInk(20, 20, 20);
const QColor kMuted(95, 95, 110);
const QColor kAccent(75, 75, 150);
const QColor kRule(160, 160, 185);
const QColor kBirthMark(190, 40, 40);
// Neighbouring segments alternate between two fills so that each stands out.
const QColor kFills[2] = {QColor(232, 232, 243), QColor(214, 220, 238)};
const QColor kHoverFill(190, 200, 235);

constexpr double kPageMargin = 34;
constexpr std::int64_t kSecondsPerMinute = 60;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Minutes between axis ticks: about four to eight ticks over the span.
std::int64_t TickMinutes(std::int64_t spanSeconds) {
    const std::int64_t minutes = spanSeconds / kSecondsPerMinute;
    if (minutes <= 40) return 5;
    if (minutes <= 70) return 10;
    if (minutes <= 150) return 15;
    return 30;
}

// A text drawn in a box when it fits its width, on `fill` so that the
// birth's line under it does not cross it; returns whether it did.
bool FittedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                const QColor& colour, int alignment, const QColor& fill) {
    const QFontMetricsF metrics(font, painter.device());
    if (metrics.horizontalAdvance(text) > box.width() || metrics.height() > box.height() + 0.5) {
        return false;
    }
    painter.setFont(font);
    const QRectF used = painter.boundingRect(box, alignment | Qt::TextSingleLine, text);
    painter.fillRect(used.adjusted(-1, 0, 1, 0), fill);
    painter.setPen(colour);
    painter.drawText(box, alignment | Qt::TextSingleLine, text);
    return true;
}

QFont PageFont(const QPainter& painter, double points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points * 72.0 / painter.device()->logicalDpiY());
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace

double TimelineX(const SensitivityView& view, const QRectF& bar, std::int64_t clock) {
    const double span = static_cast<double>(std::max<std::int64_t>(view.end - view.start, 1));
    const double fraction = static_cast<double>(clock - view.start) / span;
    return bar.left() + std::clamp(fraction, 0.0, 1.0) * bar.width();
}

double TimelineHeight(const TimelineMetrics& metrics) {
    return static_cast<double>(kSensitivityRows) *
               (metrics.labelHeight + metrics.barHeight + metrics.listHeight + metrics.rowGap) +
           metrics.axisHeight;
}

TimelinePlaces PlaceTimeline(const SensitivityView& view, const QRectF& area,
                             const TimelineMetrics& metrics) {
    TimelinePlaces places;
    double y = area.top();
    for (const SensitivityRowView& row : view.rows) {
        TimelineRowPlace place;
        place.label = QRectF(area.left(), y, area.width(), metrics.labelHeight);
        y += metrics.labelHeight;
        place.bar = QRectF(area.left(), y, area.width(), metrics.barHeight);
        y += metrics.barHeight;
        place.list = QRectF(area.left(), y, area.width(), metrics.listHeight);
        y += metrics.listHeight + metrics.rowGap;
        for (std::size_t k = 0; k < row.segments.size(); ++k) {
            const SensitivitySegmentView& segment = row.segments[k];
            const double left = TimelineX(view, place.bar, segment.from);
            const double right = TimelineX(view, place.bar, segment.to);
            place.segments.push_back(
                QRectF(left, place.bar.top(), std::max(right - left, 0.0), metrics.barHeight));
        }
        places.rows.push_back(std::move(place));
    }
    places.axis = QRectF(area.left(), y - metrics.rowGap, area.width(), metrics.axisHeight);
    places.birthX = TimelineX(view, QRectF(area.left(), 0, area.width(), 1), view.birth);
    return places;
}

QString SegmentListText(const SensitivityRowView& row) {
    QStringList parts;
    for (const SensitivitySegmentView& segment : row.segments) {
        parts << Q(segment.fromText) + QStringLiteral(" to ") + Q(segment.toText) +
                     QStringLiteral(" ") + Q(segment.value);
    }
    return parts.join(QStringLiteral("; "));
}

void PaintTimeline(QPainter& painter, const SensitivityView& view, const TimelinePlaces& places,
                   const TimelineFonts& fonts, bool lists, int hoverRow, int hoverSegment,
                   const TimelineColours& colours) {
    painter.save();
    const double line = QFontMetricsF(fonts.small, painter.device()).lineSpacing();
    for (std::size_t r = 0; r < places.rows.size() && r < view.rows.size(); ++r) {
        const TimelineRowPlace& place = places.rows[r];
        const SensitivityRowView& row = view.rows[r];
        painter.setFont(fonts.label);
        painter.setPen(colours.title);
        painter.drawText(place.label, Qt::AlignLeft | Qt::AlignVCenter, Q(row.label));
        for (std::size_t k = 0; k < place.segments.size(); ++k) {
            const QRectF& box = place.segments[k];
            const bool hovered =
                static_cast<int>(r) == hoverRow && static_cast<int>(k) == hoverSegment;
            painter.setPen(QPen(kRule, 0.6));
            painter.setBrush(hovered ? kHoverFill : kFills[k % 2]);
            painter.drawRect(box);
        }
        // The birth moment across the bar, under the labels.
        painter.setPen(QPen(kBirthMark, 1.4));
        painter.drawLine(QPointF(places.birthX, place.bar.top()),
                         QPointF(places.birthX, place.bar.bottom()));
        for (std::size_t k = 0; k < place.segments.size(); ++k) {
            const QRectF& box = place.segments[k];
            const SensitivitySegmentView& segment = row.segments[k];
            const bool hovered =
                static_cast<int>(r) == hoverRow && static_cast<int>(k) == hoverSegment;
            const QColor& fill = hovered ? kHoverFill : kFills[k % 2];
            const QRectF inner = box.adjusted(3, 1, -3, -1);
            const QString times =
                Q(segment.fromText) + QStringLiteral("\u2013") + Q(segment.toText);
            // Value and times on two lines where both fit, else the value alone.
            const QRectF upper(inner.left(), inner.top(), inner.width(), inner.height() / 2);
            const QRectF lower(inner.left(), inner.center().y(), inner.width(), inner.height() / 2);
            if (FittedText(painter, upper, Q(segment.value), fonts.label, kInk,
                           Qt::AlignHCenter | Qt::AlignBottom, fill)) {
                FittedText(painter, lower, times, fonts.small, kMuted,
                           Qt::AlignHCenter | Qt::AlignTop, fill);
            } else {
                FittedText(painter, inner, Q(segment.value), fonts.small, kInk, Qt::AlignCenter,
                           fill);
            }
        }
        painter.setBrush(Qt::NoBrush);
        if (lists && place.list.height() > 0) {
            painter.setFont(fonts.small);
            painter.setPen(kInk);
            painter.drawText(place.list.adjusted(0, 1, 0, 0),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, SegmentListText(row));
        }
    }
    if (!places.rows.empty()) {
        // The axis: ticks at whole multiples of the tick step, clock times under them.
        const QRectF& bar = places.rows.back().bar;
        const double axisTop = places.axis.top();
        painter.setPen(QPen(colours.axis, 0.6));
        painter.drawLine(QPointF(bar.left(), axisTop), QPointF(bar.right(), axisTop));
        const std::int64_t step = TickMinutes(view.end - view.start) * kSecondsPerMinute;
        // The birth's time label, placed first so that tick labels it would
        // cover are left out.
        QFont bold = fonts.small;
        bold.setBold(true);
        const QString birth = Q(view.birthText);
        const double birthWidth = QFontMetricsF(bold, painter.device()).horizontalAdvance(birth);
        const double left =
            std::clamp(places.birthX - birthWidth / 2, bar.left(), bar.right() - birthWidth);
        const QRectF birthBox(left - 2, axisTop + line * 0.4, birthWidth + 4, line);
        const QFontMetricsF tickMetrics(fonts.small, painter.device());
        painter.setFont(fonts.small);
        for (std::int64_t t = (view.start + step - 1) / step * step; t <= view.end; t += step) {
            const double x = TimelineX(view, bar, t);
            painter.setPen(QPen(colours.axis, 0.6));
            painter.drawLine(QPointF(x, axisTop), QPointF(x, axisTop + line * 0.4));
            const CivilDateTime at = SplitDateTime(static_cast<double>(t) / 86400.0);
            const QString text = QStringLiteral("%1:%2")
                                     .arg(at.hour, 2, 10, QLatin1Char('0'))
                                     .arg(at.minute, 2, 10, QLatin1Char('0'));
            const double textWidth = tickMetrics.horizontalAdvance(text);
            // Centred under its tick, but never past the bar's ends, where
            // it would be cut ("0:00" for 10:00 at the start).
            const double textLeft =
                std::clamp(x - textWidth / 2, bar.left(), bar.right() - textWidth);
            const QRectF textBox(textLeft - 2, axisTop + line * 0.4, textWidth + 4, line);
            if (textBox.intersects(birthBox)) continue;
            painter.setPen(colours.times);
            painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignTop, text);
        }
        // The birth moment on the axis, its time over the tick labels.
        painter.setPen(QPen(kBirthMark, 1.4));
        painter.drawLine(QPointF(places.birthX, axisTop), QPointF(places.birthX, axisTop + line));
        painter.fillRect(birthBox, Qt::white);
        painter.setFont(bold);
        painter.drawText(birthBox, Qt::AlignCenter, birth);
    }
    painter.restore();
}

void PaintSensitivityPage(QPainter& painter, const QRectF& target, const ChartReport& page,
                          const SensitivityView& view) {
    if (target.width() <= 0 || target.height() <= 0) return;
    painter.save();
    const double width = kPageWidthPoints - 2 * kPageMargin;
    // Measured at the page's own scale before drawing, as the chart page is.
    const QFont title = PageFont(painter, 15, true);
    const QFont heading = PageFont(painter, 11, true);
    const QFont body = PageFont(painter, 8.5);
    const QFont answerFont = PageFont(painter, 8.5, true);
    const TimelineFonts fonts{PageFont(painter, 7.5, true), PageFont(painter, 6.5)};
    const auto height = [&painter](const QFont& font, double w, const QString& text) {
        if (text.isEmpty()) return 0.0;
        painter.setFont(font);
        return painter
            .boundingRect(QRectF(0, 0, w, 10000), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                          text)
            .height();
    };
    TimelineMetrics metrics;
    metrics.labelHeight = 13;
    metrics.barHeight = 30;
    metrics.rowGap = 8;
    metrics.axisHeight = 16;
    for (const SensitivityRowView& row : view.rows) {
        metrics.listHeight =
            std::max(metrics.listHeight, height(fonts.small, width, SegmentListText(row)) + 3);
    }
    const QString answer = Q(view.answer);
    const QString notes =
        Q(view.spanNote) +
        (view.cutNote.empty() ? QString() : QStringLiteral(" ") + Q(view.cutNote));
    const double headerHeight =
        height(title, width, Q(page.title)) + 6 + height(heading, width, Q(view.heading)) + 6 +
        height(answerFont, width, answer) + 4 + height(body, width, notes) + 12;
    const double contents = kPageMargin + headerHeight + TimelineHeight(metrics) + kPageMargin;
    const double pageHeight = std::max(kPageHeightPoints, contents);
    const double scale = std::min(target.width() / kPageWidthPoints, target.height() / pageHeight);
    painter.translate(target.left() + (target.width() - kPageWidthPoints * scale) / 2,
                      target.top());
    painter.scale(scale, scale);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    const double x = kPageMargin;
    double y = kPageMargin;
    const auto text = [&](const QFont& font, const QColor& colour, const QString& shown) {
        const double h = height(font, width, shown);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QRectF(x, y, width, h + 1),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown);
        y += h;
    };
    text(title, kAccent, Q(page.title));
    y += 3;
    painter.setPen(QPen(kAccent, 1.2));
    painter.drawLine(QPointF(x, y), QPointF(x + width, y));
    y += 6;
    text(heading, kAccent, Q(view.heading));
    y += 6;
    text(answerFont, kInk, answer);
    y += 4;
    text(body, kMuted, notes);
    y += 12;
    const TimelinePlaces places =
        PlaceTimeline(view, QRectF(x, y, width, TimelineHeight(metrics)), metrics);
    PaintTimeline(painter, view, places, fonts, true);
    painter.restore();
}

}  // namespace korvanta
