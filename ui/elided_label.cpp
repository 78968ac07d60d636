// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/elided_label.h"

#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>

namespace korvanta {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent, int lines)
    : QLabel(text, parent), lines_(std::max(1, lines)) {
    if (lines_ > 1) {
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    } else {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
}

QString ElidedLabel::ShownText() const {
    return Shown().text;
}

bool ElidedLabel::IsElided() const {
    return Shown().elided;
}

const ElidedLabel::Drawn& ElidedLabel::Shown() const {
    const QString whole = text();
    if (whole != memo_.text || font() != memo_.font) {
        memo_.text = whole;
        memo_.font = font();
        memo_.advances.clear();
        memo_.width = -1;
    }
    const int width = contentsRect().width();
    if (width != memo_.width) {
        memo_.drawn = Cut(width);
        memo_.width = width;
    }
    return memo_.drawn;
}

ElidedLabel::Drawn ElidedLabel::Cut(int width) const {
    const QString& whole = memo_.text;
    const QFontMetrics metrics = fontMetrics();
    if (width <= 0) return {whole, false};
    if (lines_ == 1 || whole.contains(QLatin1Char('\n'))) {
        // One line per line of the text; each cut on its own.
        QStringList shown;
        const QStringList parts = whole.split(QLatin1Char('\n'));
        // A line that fits shows whole, as elidedText would show it: its
        // width, measured once for the text, spares laying it out again at
        // every width the label is given.
        if (memo_.advances.isEmpty()) {
            const QFontMetricsF exact(font());
            for (const QString& part : parts) memo_.advances << exact.horizontalAdvance(part);
        }
        for (int i = 0; i < parts.size(); ++i) {
            if (i == lines_ - 1 && i + 1 < parts.size()) {
                shown << metrics.elidedText(parts.mid(i).join(QLatin1Char(' ')), Qt::ElideRight,
                                            width);
                break;
            }
            shown << (memo_.advances[i] <= width
                          ? parts[i]
                          : metrics.elidedText(parts[i], Qt::ElideRight, width));
        }
        const QString joined = shown.join(QLatin1Char('\n'));
        return {joined, joined != whole};
    }
    // Word-wrapped: the last line takes the rest of the text and is cut.
    QTextLayout layout(whole, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList shown;
    int start = 0;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        start = line.textStart();
        if (static_cast<int>(shown.size()) == lines_ - 1) {
            shown << metrics.elidedText(whole.mid(start).simplified(), Qt::ElideRight, width);
            break;
        }
        shown << whole.mid(start, line.textLength()).trimmed();
    }
    layout.endLayout();
    const QString joined = shown.join(QLatin1Char('\n'));
    // Cut when some word did not show; the line breaks alone are no cut.
    return {joined, joined.simplified() != whole.simplified()};
}

QSize ElidedLabel::sizeHint() const {
    if (lines_ == 1) return QLabel::sizeHint();
    const QMargins margins = contentsMargins();
    return {fontMetrics().averageCharWidth() * 40 + margins.left() + margins.right(),
            lines_ * fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    const int lines = lines_ == 1 ? std::max<int>(1, text().count(QLatin1Char('\n')) + 1) : lines_;
    return {fontMetrics().horizontalAdvance(QStringLiteral("W\u2026")) + margins.left() +
                margins.right(),
            lines * fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    UpdateToolTip();
    QPainter painter(this);
    const QString& shown = Shown().text;
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

bool ElidedLabel::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip:
            UpdateToolTip();
            break;
        // The same font may measure differently on another screen or style.
        case QEvent::StyleChange:
        case QEvent::ScreenChangeInternal:
            memo_ = Memo{};
            break;
        default:
            break;
    }
    return QLabel::event(event);
}

void ElidedLabel::UpdateToolTip() {
    const QString tip = IsElided() ? text() : QString();
    if (toolTip() != tip) setToolTip(tip);
}

}  // namespace korvanta
