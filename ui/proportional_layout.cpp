// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/proportional_layout.h"

#include <QWidget>
#include <QWidgetItem>
#include <algorithm>
#include <cmath>

#include "ui/twips.h"

namespace korvanta {

ProportionalLayout::ProportionalLayout(QWidget* parent, int designWidth, int designHeight,
                                       double minimumScale)
    : QLayout(parent),
      designWidth_(designWidth),
      designHeight_(designHeight),
      minimumScale_(minimumScale) {
    setContentsMargins(0, 0, 0, 0);
}

ProportionalLayout::~ProportionalLayout() {
    for (const Placed& placed : items_) delete placed.item;
}

void ProportionalLayout::AddAt(QWidget* widget, const QRect& twips) {
    addChildWidget(widget);
    items_.append({new QWidgetItem(widget), twips});
    invalidate();
}

void ProportionalLayout::KeepRightColumn(int twipsX, double leftLeastScale) {
    rightColumn_ = twipsX;
    leftLeastScale_ = leftLeastScale;
    invalidate();
}

void ProportionalLayout::addItem(QLayoutItem* item) {
    items_.append({item, QRect()});
}

int ProportionalLayout::count() const {
    return static_cast<int>(items_.size());
}

QLayoutItem* ProportionalLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index].item : nullptr;
}

QLayoutItem* ProportionalLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) return nullptr;
    return items_.takeAt(index).item;
}

QSize ProportionalLayout::DesignPixels() const {
    return {TwipsX(designWidth_), TwipsY(designHeight_)};
}

QSize ProportionalLayout::sizeHint() const {
    const QMargins margins = contentsMargins();
    return DesignPixels() +
           QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize ProportionalLayout::minimumSize() const {
    const QMargins margins = contentsMargins();
    const QSize design = DesignPixels();
    int width = static_cast<int>(std::ceil(design.width() * minimumScale_));
    if (rightColumn_ > 0) {
        const int right = TwipsX(designWidth_ - rightColumn_);
        width = std::min(
            width, right + static_cast<int>(std::ceil(TwipsX(rightColumn_) * leftLeastScale_)));
    }
    return QSize(width, static_cast<int>(std::ceil(design.height() * minimumScale_))) +
           QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QRect ProportionalLayout::Scaled(const QRect& twips, const QRect& room) const {
    if (twips.isNull()) return room;
    const double sx = room.width() / static_cast<double>(designWidth_);
    const double sy = room.height() / static_cast<double>(designHeight_);
    // Both edges are scaled, so that neighbours that meet in the design meet
    // here too.
    const int left = room.x() + static_cast<int>(std::lround(twips.x() * sx));
    const int top = room.y() + static_cast<int>(std::lround(twips.y() * sy));
    const int right = room.x() + static_cast<int>(std::lround((twips.x() + twips.width()) * sx));
    const int bottom = room.y() + static_cast<int>(std::lround((twips.y() + twips.height()) * sy));
    return {left, top, right - left, bottom - top};
}

void ProportionalLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QRect room = contentsRect();
    const int right = TwipsX(designWidth_ - rightColumn_);
    const bool squeezed = rightColumn_ > 0 && room.width() < DesignPixels().width();
    for (const Placed& placed : items_) {
        QRect place = Scaled(placed.twips, room);
        if (squeezed && !placed.twips.isNull()) {
            // The left part scales into the room the right column leaves;
            // the right column stands at its design width against the edge.
            const double sx = (room.width() - right) / static_cast<double>(TwipsX(rightColumn_));
            if (placed.twips.x() >= rightColumn_) {
                place.moveLeft(room.right() + 1 - right + TwipsX(placed.twips.x() - rightColumn_));
                place.setWidth(TwipsX(placed.twips.width()));
            } else {
                const int left =
                    room.x() + static_cast<int>(std::lround(TwipsX(placed.twips.x()) * sx));
                const int end =
                    room.x() + static_cast<int>(std::lround(
                                   TwipsX(placed.twips.x() + placed.twips.width()) * sx));
                place.setLeft(left);
                place.setRight(end - 1);
            }
        }
        const QSize least = placed.item->minimumSize();
        place.setSize(place.size().expandedTo(least));
        placed.item->setGeometry(place);
    }
}

}  // namespace korvanta
