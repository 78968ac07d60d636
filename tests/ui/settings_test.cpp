// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file before QSettings reads it: a pipe is never opened, bytes
// that are not settings are kept aside rather than rewritten, and the update
// reminder works on whatever store comes out.
#include "ui/settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "recording_sink.h"
#include "ui/update_reminder.h"
#include "ui/rules/update_rule.h"

using korvanta::ReminderOutcome;
using korvanta::testing::RecordingSink;

namespace {

const QDate kToday(2024, 3, 1);

QByteArray Hash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray RandomBytes(int size) {
    std::mt19937 random(12);
    QByteArray bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

QString StoredDuration(QSettings& settings) {
    const QString key = QStringLiteral("Settings/") +
                        QString::fromStdString(korvanta::EncodeSetting("Duration"));
    return QString::fromStdString(
        korvanta::GetEncodedSetting(settings.value(key).toString().toStdString()));
}

}  // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
  private slots:
    void bytesThatAreNotSettingsAreKeptAside_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("random bytes, 1 MB") << RandomBytes(1 << 20);
        QTest::newRow("a NUL in a line") << QByteArray("[Settings]\nQhengvba=2024\0x\n", 25);
        QTest::newRow("not UTF-8") << QByteArray("[Settings]\nname=Gen\xe8ve\n");
        QTest::newRow("an open section") << QByteArray("[Settings\nQhengvba=7579-58-56\n");
        QTest::newRow("a line without =") << QByteArray("[Settings]\njust words\n");
    }
    void bytesThatAreNotSettingsAreKeptAside() {
        QFETCH(QByteArray, contents);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Korvanta.conf"));
        Write(path, contents);
        const QByteArray before = Hash(path);
        // An earlier bad file is not overwritten either.
        Write(path + QStringLiteral(".bad"), "older");

        QString note;
        auto settings = korvanta::OpenSettingsFile(path, note);
        RecordingSink sink;
        QCOMPARE(korvanta::UpdateReminder(*settings, kToday, sink), ReminderOutcome::FirstStart);
        settings.reset();

        QCOMPARE(Hash(path + QStringLiteral(".bad.2")), before);
        QCOMPARE(Hash(path + QStringLiteral(".bad")),
                 QCryptographicHash::hash("older", QCryptographicHash::Sha256));
        QVERIFY2(note.contains(path + QStringLiteral(".bad.2")), qPrintable(note));
        // The fresh file holds the day and nothing of the old bytes.
        QVERIFY(QFileInfo(path).size() < 100);
        QSettings reread(path, QSettings::IniFormat);
        QCOMPARE(StoredDuration(reread), QStringLiteral("2024-03-01"));
    }

    void aGoodFileIsReadAndKept() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Korvanta.conf"));
        const QString key = QString::fromStdString(korvanta::EncodeSetting("Duration"));
        const QString date = QString::fromStdString(korvanta::EncodeSetting("2024-02-25"));
        Write(path, QStringLiteral("; the user's note\n[Settings]\n%1=%2\n").arg(key, date).toUtf8());
        QString note;
        auto settings = korvanta::OpenSettingsFile(path, note);
        QVERIFY2(note.isEmpty(), qPrintable(note));
        QCOMPARE(StoredDuration(*settings), QStringLiteral("2024-02-25"));
        RecordingSink sink;
        QCOMPARE(korvanta::UpdateReminder(*settings, kToday, sink), ReminderOutcome::NotDue);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"Korvanta.conf"});
    }

    void aPathThatIsNoFileIsNeverOpened() {
        // Reading a pipe nobody writes would block for ever; a test that
        // hangs here has found the fault.
        QTemporaryDir folder;
        const QString fifo = folder.filePath(QStringLiteral("Korvanta.conf"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QString inFolder = folder.filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(inFolder + QStringLiteral("/Korvanta.conf")));
        for (const QString& path : {fifo, inFolder + QStringLiteral("/Korvanta.conf")}) {
            QString note;
            auto settings = korvanta::OpenSettingsFile(path, note);
            QVERIFY2(note.contains(QStringLiteral("not a regular file")), qPrintable(note));
            // The reminder still runs, in memory.
            RecordingSink sink;
            QCOMPARE(korvanta::UpdateReminder(*settings, kToday, sink),
                     ReminderOutcome::FirstStart);
            QCOMPARE(StoredDuration(*settings), QStringLiteral("2024-03-01"));
            settings.reset();
        }
        QFileInfo still(fifo);
        QVERIFY(still.exists() && !still.isFile());
        QVERIFY(QFileInfo(inFolder + QStringLiteral("/Korvanta.conf")).isDir());
    }

    void aFileThatCannotBeReadIsLeftAlone() {
        if (::geteuid() == 0) QSKIP("root reads any file");
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Korvanta.conf"));
        Write(path, "[Settings]\nkey=value\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QString note;
        auto settings = korvanta::OpenSettingsFile(path, note);
        RecordingSink sink;
        QCOMPARE(korvanta::UpdateReminder(*settings, kToday, sink), ReminderOutcome::FirstStart);
        settings.reset();
        QVERIFY2(note.contains(QStringLiteral("cannot be read")), qPrintable(note));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(Hash(path), QCryptographicHash::hash("[Settings]\nkey=value\n",
                                                      QCryptographicHash::Sha256));
    }
};

QTEST_MAIN(SettingsFileTest)
#include "settings_file_test.moc"
