// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringConverter>
#include <QStringDecoder>

namespace korvanta {
namespace {

// The program's file holds one short line; anything near this size is not it.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// Whether `bytes` read as a settings file: UTF-8 text whose lines are blank,
// comments, [sections] or key=value pairs with a key.
bool LooksLikeSettings(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError()) return false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        for (const QChar c : line) {
            if (c.unicode() < 0x20 && c != QLatin1Char('\t')) return false;
        }
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
            trimmed.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('['))) {
            if (!trimmed.endsWith(QLatin1Char(']')) || trimmed.size() < 3) return false;
            continue;
        }
        const auto equals = trimmed.indexOf(QLatin1Char('='));
        if (equals <= 0 || trimmed.left(equals).trimmed().isEmpty()) return false;
    }
    return true;
}

// Renames the unreadable file aside under a name no file has yet.
bool MoveAside(const QString& path, QString& movedTo) {
    for (int number = 1; number < 100; ++number) {
        movedTo = path + QStringLiteral(".bad") +
                  (number == 1 ? QString() : QStringLiteral(".%1").arg(number));
        if (QFileInfo::exists(movedTo) || QFileInfo(movedTo).isSymLink()) continue;
        return QFile::rename(path, movedTo);
    }
    return false;
}

std::unique_ptr<QSettings> InMemory() {
    // With no file name QSettings reads nothing and its writes go nowhere.
    return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
}

}  // namespace

QString SettingsFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("Korvanta/Korvanta.conf"));
}

std::unique_ptr<QSettings> OpenSettingsFile(const QString& path, QString& note) {
    note.clear();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);  // stat() only: a pipe is not opened
    if (!info.exists()) {
        if (info.isSymLink()) {
            note = QStringLiteral(
                       "The settings file %1 is a link to nothing; the settings are "
                       "kept for this run only.")
                       .arg(shown);
            return InMemory();
        }
        return std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    if (!info.isFile()) {
        note = QStringLiteral(
                   "The settings file %1 is not a regular file; it is neither read nor "
                   "written, and the settings are kept for this run only.")
                   .arg(shown);
        return InMemory();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        note = QStringLiteral(
                   "The settings file %1 cannot be read (%2); the settings are kept "
                   "for this run only.")
                   .arg(shown, file.errorString());
        return InMemory();
    }
    const QByteArray bytes = file.read(kMaxSettingsBytes + 1);
    file.close();
    const bool readable = bytes.size() <= kMaxSettingsBytes && LooksLikeSettings(bytes);
    if (readable) {
        auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        if (settings->status() != QSettings::FormatError) return settings;
    }
    QString movedTo;
    if (!MoveAside(path, movedTo)) {
        note = QStringLiteral(
                   "The settings file %1 cannot be read as settings and cannot be "
                   "renamed; it is left as it is, and the settings are kept for this "
                   "run only.")
                   .arg(shown);
        return InMemory();
    }
    note = QStringLiteral(
               "The settings file %1 could not be read as settings; it was kept as %2 "
               "and a new one started.")
               .arg(shown, QDir::toNativeSeparators(movedTo));
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

}  // namespace korvanta
