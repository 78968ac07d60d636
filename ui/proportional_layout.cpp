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
    return QSize(static_cast<int>(std::ceil(design.width() * minimumScale_)),
                 static_cast<int>(std::ceil(design.height() * minimumScale_))) +
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
    for (const Placed& placed : items_) {
        QRect place = Scaled(placed.twips, room);
        const QSize least = placed.item->minimumSize();
        place.setSize(place.size().expandedTo(least));
        placed.item->setGeometry(place);
    }
}

}  // namespace korvanta
