// SPDX-License-Identifier: GPL-3.0-or-later
// The settings: the file before QSettings reads it (a pipe is never opened,
// bytes that are not settings are kept aside rather than rewritten, and the
// update reminder works on whatever store comes out), each fault said once in
// the window at start-up, and the typed values as the file holds them.
#include "ui/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <optional>
#include <random>
#include <utility>

#include "recording_sink.h"
#include "ui/application.h"
#include "ui/frm_main.h"
#include "ui/rules/update_rule.h"
#include "ui/single_instance.h"
#include "ui/update_reminder.h"

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

QString StoredDuration(const QString& path) {
    QSettings settings(path, QSettings::IniFormat);
    const QString key =
        QStringLiteral("Settings/") + QString::fromStdString(korvanta::EncodeSetting("Duration"));
    return QString::fromStdString(
        korvanta::GetEncodedSetting(settings.value(key).toString().toStdString()));
}

}  // namespace

class SettingsTest : public QObject {
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
        {
            korvanta::Settings settings(path);
            note = settings.Problem();
            RecordingSink sink;
            QCOMPARE(korvanta::UpdateReminder(settings, kToday, sink), ReminderOutcome::FirstStart);
        }

        QCOMPARE(Hash(path + QStringLiteral(".bad.2")), before);
        QCOMPARE(Hash(path + QStringLiteral(".bad")),
                 QCryptographicHash::hash("older", QCryptographicHash::Sha256));
        QVERIFY2(note.contains(path + QStringLiteral(".bad.2")), qPrintable(note));
        // The fresh file holds the day and nothing of the old bytes.
        QVERIFY(QFileInfo(path).size() < 100);
        QCOMPARE(StoredDuration(path), QStringLiteral("2024-03-01"));
    }

    void aGoodFileIsReadAndKept() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Korvanta.conf"));
        const QString key = QString::fromStdString(korvanta::EncodeSetting("Duration"));
        const QString date = QString::fromStdString(korvanta::EncodeSetting("2024-02-25"));
        Write(path,
              QStringLiteral("; the user's note\n[Settings]\n%1=%2\n").arg(key, date).toUtf8());
        korvanta::Settings settings(path);
        QVERIFY2(settings.Problem().isEmpty(), qPrintable(settings.Problem()));
        QCOMPARE(settings.ReminderDate().state, korvanta::Settings::DateState::Read);
        QVERIFY(settings.ReminderDate().date == std::chrono::year_month_day(std::chrono::year(2024),
                                                                            std::chrono::month(2),
                                                                            std::chrono::day(25)));
        RecordingSink sink;
        QCOMPARE(korvanta::UpdateReminder(settings, kToday, sink), ReminderOutcome::NotDue);
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
            korvanta::Settings settings(path);
            const QString note = settings.Problem();
            QVERIFY2(note.contains(QStringLiteral("not a regular file")), qPrintable(note));
            // The reminder still runs, in memory.
            RecordingSink sink;
            QCOMPARE(korvanta::UpdateReminder(settings, kToday, sink), ReminderOutcome::FirstStart);
            QCOMPARE(settings.ReminderDate().state, korvanta::Settings::DateState::Read);
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
        {
            korvanta::Settings settings(path);
            note = settings.Problem();
            RecordingSink sink;
            QCOMPARE(korvanta::UpdateReminder(settings, kToday, sink), ReminderOutcome::FirstStart);
        }
        QVERIFY2(note.contains(QStringLiteral("cannot be read")), qPrintable(note));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(Hash(path),
                 QCryptographicHash::hash("[Settings]\nkey=value\n", QCryptographicHash::Sha256));
    }

    // Each fault of the file is said once, in the window, at start-up (as a
    // lock that cannot be used is), naming the file and what became of it.
    void aFaultIsSaidOnceInTheWindow() {
        QTemporaryDir folder;
        const QString garbage = folder.filePath(QStringLiteral("garbage.conf"));
        Write(garbage, RandomBytes(300));
        const QString fifo = folder.filePath(QStringLiteral("fifo.conf"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QString good = folder.filePath(QStringLiteral("good.conf"));
        Write(good, "[Settings]\nChartStyle=north\n");
        for (const auto& [path, said] :
             {std::pair{garbage, QStringLiteral("it was kept as %1.bad").arg(garbage)},
              std::pair{fifo, QStringLiteral("not a regular file")}, std::pair{good, QString()}}) {
            korvanta::Settings settings(path);
            korvanta::SingleInstance instance(folder.path());
            RecordingSink sink;
            const auto window = korvanta::StartKorvanta(instance, settings, kToday, sink);
            QVERIFY(window != nullptr);
            if (said.isEmpty()) {
                QVERIFY(sink.messages.empty());
                continue;
            }
            QCOMPARE(sink.messages.size(), std::size_t{1});
            QVERIFY2(sink.messages[0].text.contains(path), qPrintable(sink.messages[0].text));
            QVERIFY2(sink.messages[0].text.contains(said), qPrintable(sink.messages[0].text));
            QCOMPARE(sink.messages[0].icon, korvanta::MessageIcon::Error);
        }
    }

    // The typed values as the file holds them: the style as its word, the
    // pada choice as true or false, the span as a number; the words older
    // files hold read the same, and anything else reads as no choice.
    void typedValuesRoundTripThroughTheFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Korvanta.conf"));
        {
            korvanta::Settings settings(path);
            QVERIFY(!settings.ChartStyleChoice());
            QVERIFY(!settings.ShowAllPadas());
            QVERIFY(!settings.SensitivitySpan());
            QVERIFY(settings.SetChartDrawing(korvanta::ChartStyle::East, true));
            QVERIFY(settings.SetSensitivitySpan(30));
        }
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Settings/ChartStyle")).toString(),
                 QStringLiteral("east"));
        QCOMPARE(file.value(QStringLiteral("Settings/ShowAllPadas")).toString(),
                 QStringLiteral("true"));
        QCOMPARE(file.value(QStringLiteral("Settings/SensitivitySpan")).toString(),
                 QStringLiteral("30"));
        {
            const korvanta::Settings settings(path);
            QCOMPARE(settings.ChartStyleChoice(), std::optional(korvanta::ChartStyle::East));
            QVERIFY(settings.ShowAllPadas());
            QCOMPARE(settings.SensitivitySpan(), std::optional(30));
        }
        for (const auto& [word, on] : {std::pair{"true", true}, std::pair{"false", false},
                                       std::pair{"maybe", false}, std::pair{"1", false}}) {
            file.setValue(QStringLiteral("Settings/ShowAllPadas"), QString::fromLatin1(word));
            file.setValue(QStringLiteral("Settings/ChartStyle"), QStringLiteral("western"));
            file.setValue(QStringLiteral("Settings/SensitivitySpan"), QStringLiteral("junk"));
            file.sync();
            const korvanta::Settings settings(path);
            QVERIFY2(settings.ShowAllPadas() == on, word);
            QVERIFY(!settings.ChartStyleChoice());
            QVERIFY(!settings.SensitivitySpan());
        }
        // In memory only: values last, nothing is written anywhere.
        korvanta::Settings memory;
        memory.SetSensitivitySpan(120);
        QCOMPARE(memory.SensitivitySpan(), std::optional(120));
    }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
