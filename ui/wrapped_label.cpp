// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wrapped_label.h"

#include <QEvent>

namespace korvanta {

WrappedLabel::WrappedLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
}

int WrappedLabel::heightForWidth(int width) const {
    if (text() != text_ || font() != font_) {
        text_ = text();
        font_ = font();
        answers_.fill(Answer{});
    }
    for (const Answer& answer : answers_) {
        if (answer.width == width) return answer.height;
    }
    const int height = QLabel::heightForWidth(width);
    answers_[next_] = Answer{width, height};
    next_ = (next_ + 1) % answers_.size();
    return height;
}

bool WrappedLabel::event(QEvent* event) {
    switch (event->type()) {
        // The same font may measure differently on another screen or style,
        // and the margins count in the answer.
        case QEvent::StyleChange:
        case QEvent::ScreenChangeInternal:
        case QEvent::ContentsRectChange:
            answers_.fill(Answer{});
            break;
        default:
            break;
    }
    return QLabel::event(event);
}

}  // namespace korvanta
