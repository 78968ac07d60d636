// One running copy per user: the start-up sequence with the lock held by
// another copy, free, and left behind by a copy that crashed.
#include "ui/single_instance.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "recording_sink.h"
#include "ui/application.h"
#include "ui/frm_main.h"

using korvanta::SingleInstance;
using korvanta::testing::RecordingSink;

class SingleInstanceTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir runtime_;
    QTemporaryDir config_;

    QSettings Settings() const {
        return QSettings(config_.filePath(QStringLiteral("korvanta.ini")), QSettings::IniFormat);
    }

  private slots:
    void secondStartIsToldAndEnds() {
        SingleInstance first(runtime_.path());
        QVERIFY(first.TryAcquire());

        RecordingSink sink;
        QSettings settings = Settings();
        SingleInstance second(runtime_.path());
        const auto window = korvanta::StartKorvanta(second, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window == nullptr);
        QCOMPARE(sink.messages.size(), std::size_t{1});
        QCOMPARE(sink.messages[0].text, QStringLiteral("Application is already running"));
        QCOMPARE(sink.messages[0].icon, korvanta::MessageIcon::Information);
        // The second start wrote no setting: the reminder never ran.
        QVERIFY(settings.allKeys().isEmpty());

        // The first copy still holds the lock.
        SingleInstance third(runtime_.path());
        QVERIFY(!third.TryAcquire());
        QVERIFY(QFile::exists(first.LockFilePath()));
    }

    void firstStartShowsTheEntryWindow() {
        QTemporaryDir folder;
        RecordingSink sink;
        QSettings settings = Settings();
        SingleInstance instance(folder.path());
        const auto window = korvanta::StartKorvanta(instance, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(sink.messages.empty());
        // The update reminder ran: a first start stores the day.
        QCOMPARE(settings.allKeys().size(), 1);
    }

    void unwritableSettingsLeaveTheProgramWorking() {
        // The settings file's folder cannot be created (a plain file stands
        // where it should be), which fails even for root: the start goes on,
        // nobody is asked anything, and the window works.
        QTemporaryDir folder;
        QFile blocker(folder.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettings settings(folder.filePath(QStringLiteral("blocker/korvanta.ini")),
                           QSettings::IniFormat);
        RecordingSink sink;
        SingleInstance instance(folder.path());
        const auto window = korvanta::StartKorvanta(instance, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(sink.messages.empty());
        settings.sync();
        QCOMPARE(settings.status(), QSettings::AccessError);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("blocker/korvanta.ini"))));
    }

    void lockOfARunningCopyBlocks() {
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QFile held(instance.LockFilePath());
        QVERIFY(held.open(QIODevice::WriteOnly));
        held.write(QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                   QCoreApplication::applicationName().toUtf8() + "\n" +
                   QSysInfo::machineHostName().toUtf8() + "\n");
        held.close();
        QVERIFY(!instance.TryAcquire());
    }

    void lockOfACrashedCopyDoesNotBlock() {
        // A process that has ended stands for a copy that crashed while it
        // held the lock.
        QProcess gone;
        gone.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
        QVERIFY(gone.waitForFinished());
        const QByteArray deadPid = gone.readAllStandardOutput().trimmed();
        QVERIFY(!deadPid.isEmpty());

        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QFile leftOver(instance.LockFilePath());
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.write(deadPid + "\nkorvanta\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        leftOver.close();

        QVERIFY(instance.TryAcquire());
        SingleInstance another(folder.path());
        QVERIFY(!another.TryAcquire());
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
