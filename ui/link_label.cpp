// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/link_label.h"

#include <QMouseEvent>

namespace korvanta {

LinkLabel::LinkLabel(const QString& text, QWidget* parent, void (*open)()) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    // The palette's link colour, which reads in light and dark themes.
    setForegroundRole(QPalette::Link);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    connect(this, &LinkLabel::clicked, this, [open] { open(); });
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && !font().underline()) {
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
    }
    QLabel::changeEvent(event);
}

}  // namespace korvanta
