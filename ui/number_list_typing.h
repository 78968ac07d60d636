// SPDX-License-Identifier: GPL-3.0-or-later
// A closed drop-down list of whole numbers (day, year, hour, minute, second)
// that takes a typed number: the digits typed one soon after another make one
// number, and the item of that number is chosen ("14" chooses 14; with 10
// chosen, "1" chooses 1, never the next item that starts with 1). Digits that
// name no item yet (the "19" of "1985") wait for the next; a digit that
// cannot continue the number starts a new one. Other keys, the mouse and the
// open list work as in any list.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QComboBox;

namespace korvanta {

class NumberListTyping final : public QObject {
    Q_OBJECT
  public:
    // Watches the keys of `list`, whose items are whole numbers; it is
    // `list`'s child and ends with it.
    explicit NumberListTyping(QComboBox* list);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The item whose number is `typed`, or -1.
    int ItemOf(const QString& typed) const;
    // Whether some item's number starts with `typed`.
    bool Continues(const QString& typed) const;

    QComboBox* list_;
    QString typed_;
    QElapsedTimer sinceLastDigit_;
};

}  // namespace korvanta
