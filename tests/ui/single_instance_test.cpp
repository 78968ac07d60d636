// SPDX-License-Identifier: GPL-3.0-or-later
// One running copy per user: the start-up sequence with the lock held by
// another copy, free, left behind by a copy that crashed, and lock files no
// living copy holds or that cannot be removed.
#include "ui/single_instance.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "recording_sink.h"
#include "ui/application.h"
#include "ui/frm_main.h"
#include "ui/settings.h"

using korvanta::SingleInstance;
using State = korvanta::SingleInstance::State;
using korvanta::testing::RecordingSink;

class SingleInstanceTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir runtime_;
    QTemporaryDir config_;

    QString SettingsPath() const { return config_.filePath(QStringLiteral("korvanta.ini")); }

  private slots:
    void secondStartIsToldAndEnds() {
        SingleInstance first(runtime_.path());
        QCOMPARE(first.Acquire(), State::Acquired);

        RecordingSink sink;
        korvanta::Settings settings(SettingsPath());
        SingleInstance second(runtime_.path());
        const auto window = korvanta::StartKorvanta(second, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window == nullptr);
        QCOMPARE(sink.messages.size(), std::size_t{1});
        QCOMPARE(sink.messages[0].text, QStringLiteral("Application is already running"));
        QCOMPARE(sink.messages[0].icon, korvanta::MessageIcon::Information);
        // The second start wrote no setting: the reminder never ran.
        QCOMPARE(settings.ReminderDate().state, korvanta::Settings::DateState::Missing);
        QVERIFY(!QFile::exists(SettingsPath()));

        // The first copy still holds the lock.
        SingleInstance third(runtime_.path());
        QCOMPARE(third.Acquire(), State::RunningElsewhere);
        QVERIFY(QFile::exists(first.LockFilePath()));
    }

    void firstStartShowsTheEntryWindow() {
        QTemporaryDir folder;
        RecordingSink sink;
        korvanta::Settings settings(SettingsPath());
        SingleInstance instance(folder.path());
        const auto window = korvanta::StartKorvanta(instance, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(sink.messages.empty());
        // The update reminder ran: a first start stores the day.
        QCOMPARE(settings.ReminderDate().state, korvanta::Settings::DateState::Read);
        QCOMPARE(QSettings(SettingsPath(), QSettings::IniFormat).allKeys().size(), 1);
    }

    void unwritableSettingsLeaveTheProgramWorking() {
        // The settings file's folder cannot be created (a plain file stands
        // where it should be), which fails even for root: the start goes on,
        // nobody is asked anything, and the window works.
        QTemporaryDir folder;
        QFile blocker(folder.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        korvanta::Settings settings(folder.filePath(QStringLiteral("blocker/korvanta.ini")));
        RecordingSink sink;
        SingleInstance instance(folder.path());
        const auto window = korvanta::StartKorvanta(instance, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(sink.messages.empty());
        // A write that cannot reach the file says so.
        QVERIFY(!settings.SetSensitivitySpan(60));
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
        QCOMPARE(instance.Acquire(), State::RunningElsewhere);
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

        QCOMPARE(instance.Acquire(), State::Acquired);
        SingleInstance another(folder.path());
        QCOMPARE(another.Acquire(), State::RunningElsewhere);
    }

    void lockFilesOfNoLivingCopyAreTakenOver_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("garbage") << QByteArray("\x89\xff\x00garbage\n\n\n") << false;
        QTest::newRow("not a number") << QByteArray("korvanta\nkorvanta\nhost\n") << false;
        QTest::newRow("read-only garbage") << QByteArray("garbage") << true;
        QTest::newRow("read-only stale") << QByteArray() << true;  // a dead process, below
    }

    void lockFilesOfNoLivingCopyAreTakenOver() {
        QFETCH(QByteArray, contents);
        QFETCH(bool, readOnly);
        if (contents.isEmpty() && readOnly) {
            QProcess gone;
            gone.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
            QVERIFY(gone.waitForFinished());
            contents = gone.readAllStandardOutput().trimmed() + "\nkorvanta\n" +
                       QSysInfo::machineHostName().toUtf8() + "\n";
        }
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QFile leftOver(instance.LockFilePath());
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.write(contents);
        leftOver.close();
        if (readOnly) QVERIFY(leftOver.setPermissions(QFileDevice::ReadOwner));

        RecordingSink sink;
        korvanta::Settings settings(SettingsPath());
        const auto window = korvanta::StartKorvanta(instance, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window != nullptr);
        QVERIFY(sink.messages.empty());
        // The lock is this copy's now: a second start is turned away.
        SingleInstance second(folder.path());
        QCOMPARE(second.Acquire(), State::RunningElsewhere);
    }

    void aLockThatCannotBeRemovedIsNamedAndTheProgramStarts() {
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QVERIFY(QDir().mkpath(instance.LockFilePath() + QStringLiteral("/inside")));
        RecordingSink sink;
        korvanta::Settings settings(SettingsPath());
        const auto window = korvanta::StartKorvanta(instance, settings, QDate(2024, 3, 1), sink);
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QCOMPARE(sink.messages.size(), std::size_t{1});
        QVERIFY2(sink.messages[0].text.contains(instance.LockFilePath()),
                 qPrintable(sink.messages[0].text));
        QVERIFY2(sink.messages[0].text.contains(QStringLiteral("is a folder")),
                 qPrintable(sink.messages[0].text));
        // The folder and what it holds are the user's: untouched.
        QVERIFY(QFileInfo(instance.LockFilePath() + QStringLiteral("/inside")).isDir());
    }

    void aStaleLockInAFolderWithoutWritePermissionIsNamed() {
        if (::geteuid() == 0) QSKIP("root may write in any folder");
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QFile leftOver(instance.LockFilePath());
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.write("garbage");
        leftOver.close();
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const State state = instance.Acquire();
        const QString problem = instance.Problem();
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        QCOMPARE(state, State::Unusable);
        QVERIFY2(problem.contains(instance.LockFilePath()), qPrintable(problem));
        QVERIFY2(problem.contains(QStringLiteral("Permission denied")), qPrintable(problem));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
