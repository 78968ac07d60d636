// SPDX-License-Identifier: GPL-3.0-or-later
// A layout that keeps a panel's design: each widget has a rectangle in twips
// within a design area, and the layout places it at the same proportions of
// whatever room the panel has. The design area is the layout's size hint and
// (or a set share of it) its minimum, so that a smaller room scrolls (inside
// a scroll area) rather than squeezing text; a larger room spreads the panel
// out.
#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace korvanta {

class ProportionalLayout : public QLayout {
  public:
    // `designWidth` × `designHeight` twips is the area the rectangles are
    // given in; the layout asks for at least `minimumScale` of it.
    ProportionalLayout(QWidget* parent, int designWidth, int designHeight,
                       double minimumScale = 1.0);
    ~ProportionalLayout() override;

    // Places `widget` at `twips` (left, top, width, height in the design area).
    // A widget never gets less than its minimum size.
    void AddAt(QWidget* widget, const QRect& twips);

    // Where the room is narrower than the design, the widgets from `twipsX`
    // rightwards keep their designed width against the right edge and the
    // others share what is left, down to `leftLeastScale` of their design:
    // a column of fixed-size texts stays whole while a drawing beside it
    // shrinks.
    void KeepRightColumn(int twipsX, double leftLeastScale);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    // Where a design rectangle falls in a room of `room` pixels (exposed for
    // tests and for callers that place by hand).
    QRect Scaled(const QRect& twips, const QRect& room) const;

  private:
    struct Placed {
        QLayoutItem* item;
        QRect twips;  // empty: the whole room
    };
    QSize DesignPixels() const;

    QList<Placed> items_;
    int designWidth_, designHeight_;
    double minimumScale_;
    int rightColumn_ = 0;  // twips; 0: every widget scales
    double leftLeastScale_ = 1.0;
};

}  // namespace korvanta
