// SPDX-License-Identifier: GPL-3.0-or-later
// A label that acts as a web link: pointing-hand cursor, underlined text, and
// a click that runs one of the link operations.
#pragma once

#include <QLabel>

namespace korvanta {

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, QWidget* parent, void (*open)());

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Keeps the underline whatever font the label is given later.
    void changeEvent(QEvent* event) override;
};

}  // namespace korvanta
