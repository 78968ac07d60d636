// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_sink.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace korvanta {

namespace {

// Room kept free around a box for the window manager's title bar and borders.
constexpr int kDecorationRoom = 80;
// The shortest first paragraph a box is cut to before it gives up cutting.
constexpr qsizetype kShortestHead = 60;

QRect AvailableRoom(QWidget* parent) {
    QScreen* screen = parent != nullptr ? parent->screen() : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

bool Fits(QMessageBox& box, const QRect& room) {
    box.ensurePolished();
    box.adjustSize();
    const QSize size = box.sizeHint().expandedTo(box.size());
    return size.height() + kDecorationRoom <= room.height() && size.width() <= room.width();
}

// Puts `text` in the box; when the box would not fit the screen, its first
// paragraph (cut shorter as needed) stays in the box and the whole text goes
// to the details, which scroll.
void SetFittingText(QMessageBox& box, const QString& text, QWidget* parent) {
    const QRect room = AvailableRoom(parent);
    box.setText(text);
    if (Fits(box, room)) return;
    box.setDetailedText(text);
    QString head = text.section(QLatin1Char('\n'), 0, 0);
    const QString tail = QStringLiteral("\n\nThe whole message is under \"Show Details…\".");
    box.setText(head + tail);
    while (!Fits(box, room) && head.size() > kShortestHead) {
        head = head.left(head.size() / 2) + QStringLiteral("…");
        box.setText(head + tail);
    }
}

// A question box with its buttons; its text is set once they are in.
std::unique_ptr<QMessageBox> Question(QWidget* parent) {
    return std::make_unique<QMessageBox>(QMessageBox::Information,
                                         QString::fromLatin1(kApplicationTitle), QString(),
                                         QMessageBox::NoButton, parent);
}

}  // namespace

std::unique_ptr<QMessageBox> InformationBox(QWidget* parent, const QString& text,
                                            MessageIcon icon) {
    auto box = std::make_unique<QMessageBox>(
        icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
        QString::fromLatin1(kApplicationTitle), QString(), QMessageBox::Ok, parent);
    SetFittingText(*box, text, parent);
    return box;
}

void QtMessageSink::Inform(QWidget* parent, const QString& text, MessageIcon icon) {
    InformationBox(parent, text, icon)->exec();
}

bool QtMessageSink::AskYesNo(QWidget* parent, const QString& text) {
    auto box = Question(parent);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    SetFittingText(*box, text, parent);
    return box->exec() == QMessageBox::Yes;
}

QuestionAnswer QtMessageSink::AskYesNoCancel(QWidget* parent, const QString& text) {
    auto box = Question(parent);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
    SetFittingText(*box, text, parent);
    switch (box->exec()) {
        case QMessageBox::Yes:
            return QuestionAnswer::Yes;
        case QMessageBox::No:
            return QuestionAnswer::No;
        default:
            return QuestionAnswer::Cancel;
    }
}

bool QtMessageSink::Confirm(QWidget* parent, const QString& text, const QString& action) {
    auto box = Question(parent);
    QPushButton* yes = box->addButton(action, QMessageBox::AcceptRole);
    QPushButton* cancel = box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    SetFittingText(*box, text, parent);
    box->exec();
    return box->clickedButton() == yes;
}

}  // namespace korvanta
