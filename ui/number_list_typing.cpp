// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/number_list_typing.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

namespace korvanta {

NumberListTyping::NumberListTyping(QComboBox* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
}

int NumberListTyping::ItemOf(const QString& typed) const {
    bool ok = false;
    const int number = typed.toInt(&ok);
    if (!ok) return -1;
    for (int item = 0; item < list_->count(); ++item) {
        bool isNumber = false;
        if (list_->itemText(item).toInt(&isNumber) == number && isNumber) return item;
    }
    return -1;
}

bool NumberListTyping::Continues(const QString& typed) const {
    for (int item = 0; item < list_->count(); ++item) {
        if (list_->itemText(item).startsWith(typed)) return true;
    }
    return false;
}

bool NumberListTyping::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (text.size() != 1 || !text[0].isDigit() || text[0].digitValue() < 0 ||
        (key->modifiers() & chord) != 0) {
        return false;
    }
    const QString digit = QString::number(text[0].digitValue());
    const bool soon = sinceLastDigit_.isValid() &&
                      sinceLastDigit_.elapsed() <= QApplication::keyboardInputInterval();
    sinceLastDigit_.restart();
    QString typed = soon ? typed_ + digit : digit;
    // Leading zeros are typed as the lists write none: "07" is 7.
    while (typed.size() > 1 && typed.startsWith(QLatin1Char('0'))) typed.remove(0, 1);
    if (ItemOf(typed) < 0 && !Continues(typed)) typed = digit;
    typed_ = typed;
    if (const int item = ItemOf(typed_); item >= 0 && item != list_->currentIndex()) {
        list_->setCurrentIndex(item);
        emit list_->activated(item);
    }
    return true;
}

}  // namespace korvanta
