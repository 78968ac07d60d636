// SPDX-License-Identifier: GPL-3.0-or-later
// The update reminder against a real settings store (an INI file per test).
#include "ui/update_reminder.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "recording_sink.h"
#include "ui/links.h"
#include "ui/rules/update_rule.h"
#include "ui/settings.h"

using korvanta::ReminderOutcome;
using korvanta::testing::RecordingSink;
using korvanta::testing::UrlRecorder;

namespace {

const QDate kToday(2024, 3, 1);

QString StoredKey() {
    return QStringLiteral("Settings/") +
           QString::fromStdString(korvanta::EncodeSetting("Duration"));
}

QString Encoded(const QString& plain) {
    return QString::fromStdString(korvanta::EncodeSetting(plain.toStdString()));
}

QString Decoded(const QVariant& stored) {
    return QString::fromStdString(korvanta::GetEncodedSetting(stored.toString().toStdString()));
}

}  // namespace

class UpdateReminderTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir folder_;
    std::unique_ptr<QSettings> settings_;
    RecordingSink sink_;

    void Store(const QString& plain) {
        settings_->setValue(StoredKey(), Encoded(plain));
        settings_->sync();
    }
    QString Stored() const { return Decoded(settings_->value(StoredKey())); }
    // The reminder on `day` through the program's settings of the same file,
    // which settings_ reads independently.
    ReminderOutcome Remind(const QDate& day, RecordingSink& sink) {
        settings_->sync();
        korvanta::Settings settings(settings_->fileName());
        const ReminderOutcome outcome = korvanta::UpdateReminder(settings, day, sink);
        settings_->sync();
        return outcome;
    }

  private slots:
    void init() {
        QVERIFY(folder_.isValid());
        static int serial = 0;
        settings_ = std::make_unique<QSettings>(
            folder_.filePath(QStringLiteral("settings%1.ini").arg(++serial)), QSettings::IniFormat);
        sink_.messages.clear();
        sink_.answerYes = false;
    }

    void firstStartWritesTodayWithoutAsking() {
        QCOMPARE(Remind(kToday, sink_), ReminderOutcome::FirstStart);
        QVERIFY(sink_.messages.empty());
        QCOMPARE(Stored(), QStringLiteral("2024-03-01"));
        // Neither the key name nor the date is in clear text.
        QVERIFY(!settings_->contains(QStringLiteral("Settings/Duration")));
        QVERIFY(settings_->value(StoredKey()).toString() != QStringLiteral("2024-03-01"));
    }

    void withinFourteenDaysNothingHappens_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("today") << "2024-03-01";
        QTest::newRow("14 days ago") << "2024-02-16";
        QTest::newRow("14 days ahead") << "2024-03-15";
    }
    void withinFourteenDaysNothingHappens() {
        QFETCH(QString, stored);
        Store(stored);
        QCOMPARE(Remind(kToday, sink_), ReminderOutcome::NotDue);
        QVERIFY(sink_.messages.empty());
        QCOMPARE(Stored(), stored);
    }

    void beyondFourteenDaysAsksAndWritesToday_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("15 days ago") << "2024-02-15";
        QTest::newRow("15 days ahead, clock set back") << "2024-03-16";
    }
    void beyondFourteenDaysAsksAndWritesToday() {
        QFETCH(QString, stored);
        Store(stored);
        UrlRecorder browser;
        QCOMPARE(Remind(kToday, sink_), ReminderOutcome::AskedNo);
        QCOMPARE(sink_.messages.size(), std::size_t{1});
        QVERIFY(sink_.messages[0].question);
        QCOMPARE(sink_.messages[0].text,
                 QStringLiteral("There maybe an update to this software available\n"
                                "Do you want to check for an update?"));
        // No still writes today, so the next question waits 15 days.
        QCOMPARE(Stored(), QStringLiteral("2024-03-01"));
        QVERIFY(browser.opened.empty());
        QCOMPARE(Remind(kToday.addDays(14), sink_), ReminderOutcome::NotDue);
        QCOMPARE(Remind(kToday.addDays(15), sink_), ReminderOutcome::AskedNo);
    }

    void yesOpensTheDownloadPage() {
        Store(QStringLiteral("2023-12-01"));
        sink_.answerYes = true;
        UrlRecorder browser;
        QCOMPARE(Remind(kToday, sink_), ReminderOutcome::AskedYes);
        QCOMPARE(Stored(), QStringLiteral("2024-03-01"));
        // Built without a download page, the manual says how updates come.
        if (korvanta::DownloadPageUrl().isEmpty()) {
            QVERIFY(browser.opened.empty());
            const QWidgetList windows = QApplication::topLevelWidgets();
            QVERIFY(std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
                return window->objectName() == QStringLiteral("frmManual") && window->isVisible();
            }));
            return;
        }
        QCOMPARE(browser.opened.size(), std::size_t{1});
        QCOMPARE(browser.opened[0], korvanta::DownloadPageUrl());
    }

    void unreadableDurationIsReplacedByToday_data() {
        QTest::addColumn<QString>("raw");
        QTest::newRow("text that decodes to no date") << Encoded(QStringLiteral("yesterday"));
        QTest::newRow("date stored without encoding") << QStringLiteral("2024-01-01");
        QTest::newRow("impossible date") << Encoded(QStringLiteral("2023-02-30"));
        QTest::newRow("garbage bytes") << QString::fromLatin1("\x01\xff garbage");
    }
    void unreadableDurationIsReplacedByToday() {
        QFETCH(QString, raw);
        settings_->setValue(StoredKey(), raw);
        QCOMPARE(Remind(kToday, sink_), ReminderOutcome::Unreadable);
        QVERIFY(sink_.messages.empty());
        QCOMPARE(Stored(), QStringLiteral("2024-03-01"));
        // The reminder works again: quiet for 14 days, then it asks.
        QCOMPARE(Remind(kToday.addDays(14), sink_), ReminderOutcome::NotDue);
        QCOMPARE(Remind(kToday.addDays(15), sink_), ReminderOutcome::AskedNo);
    }
};

QTEST_MAIN(UpdateReminderTest)
#include "update_reminder_test.moc"
