// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_sink.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

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

// The button that shows and hides a box's details; null without details.
QAbstractButton* DetailsButton(QMessageBox& box) {
    if (box.detailedText().isEmpty()) return nullptr;
    for (QAbstractButton* button : box.buttons()) {
        if (box.buttonRole(button) == QMessageBox::ActionRole) return button;
    }
    return nullptr;
}

// Whether the box, laid out as it would be shown (its details open, when it
// has any), fits the room. The box settles its size only when shown, so it
// is shown where nothing is drawn.
bool Fits(QMessageBox& box, const QRect& room) {
    box.setAttribute(Qt::WA_DontShowOnScreen, true);
    box.show();
    QAbstractButton* details = DetailsButton(box);
    if (details != nullptr) details->click();
    const QSize size = box.size();
    if (details != nullptr) details->click();
    box.hide();
    box.setAttribute(Qt::WA_DontShowOnScreen, false);
    return size.height() + kDecorationRoom <= room.height() &&
           size.width() + kDecorationRoom / 4 <= room.width();
}

// Keeps a box on its screen when it grows (its details opened): the box
// moves up and left as far as it must.
class KeepOnScreen final : public QObject {
  public:
    explicit KeepOnScreen(QWidget* box) : QObject(box), box_(box) { box->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == box_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
            const QRect room = AvailableRoom(box_);
            const QRect frame = box_->frameGeometry();
            QPoint at = frame.topLeft();
            at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - frame.width())));
            at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - frame.height())));
            if (at != frame.topLeft()) box_->move(at);
        }
        return false;
    }

  private:
    QWidget* box_;
};

// Puts `text` in the box; when the box would not fit the screen, its first
// line (cut shorter as needed) stays in the box and the whole text goes to
// the details, which scroll.
void SetFittingText(QMessageBox& box, const QString& text, QWidget* parent) {
    new KeepOnScreen(&box);
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
