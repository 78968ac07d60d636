// SPDX-License-Identifier: GPL-3.0-or-later
// The message boxes on small and scaled screens: whatever the text, the box
// with its title bar stays on the screen, and a text cut to fit is kept whole
// in the box's details.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "fixed_screen.h"
#include "ui/message_sink.h"

using korvanta::InformationBox;
using korvanta::MessageIcon;

class MessageBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void boxesStayOnTheScreen() {
        QString refusals = QStringLiteral("0 births added, 0 skipped as duplicates, 40 refused.");
        for (int line = 1; line <= 40; ++line) {
            refusals += QStringLiteral(
                            "\nletter.json line %1: not a birth record: a record is one JSON "
                            "object on one line, {\"name\":…, \"month\":…, …}, and this line is "
                            "not one (it stops being one at character 1)")
                            .arg(line);
        }
        const QString cases[] = {
            QStringLiteral("Please Enter only Letters"),
            refusals,
            QStringLiteral("many short lines\n") + QStringLiteral("x\n").repeated(500),
            QString(6000, QLatin1Char('w')),  // one word no line can break
            QStringLiteral("A long paragraph of words. ").repeated(300),
        };
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (const QString& text : cases) {
            auto box = InformationBox(nullptr, text, MessageIcon::Error);
            box->show();
            QVERIFY(QTest::qWaitForWindowExposed(box.get()));
            const QString what = QStringLiteral("%1 characters: box %2x%3%4%5 on screen %6x%7")
                                     .arg(text.size())
                                     .arg(box->frameGeometry().width())
                                     .arg(box->frameGeometry().height())
                                     .arg(box->frameGeometry().x(), 4)
                                     .arg(box->frameGeometry().y(), 4)
                                     .arg(screen.width())
                                     .arg(screen.height());
            QVERIFY2(screen.contains(box->frameGeometry()), qPrintable(what));
            // Nothing is lost: a text the box does not hold whole is in the
            // details, whole.
            QVERIFY2(box->text() == text || box->detailedText() == text, qPrintable(what));
            // With the details open, the box still fits.
            for (QAbstractButton* button : box->buttons()) {
                if (box->buttonRole(button) != QMessageBox::ActionRole) continue;
                button->click();
                QCoreApplication::processEvents();
                QVERIFY2(screen.contains(box->frameGeometry()),
                         qPrintable(what + QStringLiteral(", details open: %1x%2")
                                               .arg(box->frameGeometry().width())
                                               .arg(box->frameGeometry().height())));
            }
            box->close();
        }
    }
};

// Arguments: screen width, height and scale factor (QT_SCALE_FACTOR).
int main(int argc, char** argv) {
    return korvanta::testing::RunOnFixedScreen<MessageBoxTest>(argc, argv);
}

#include "message_box_test.moc"
