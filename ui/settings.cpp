// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringConverter>
#include <QStringDecoder>

#include "report/chart_style.h"
#include "ui/rules/update_rule.h"

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

// The keys, each written once. The reminder's key name is stored encoded.
QString ReminderKey() {
    return QStringLiteral("Settings/") + QString::fromStdString(EncodeSetting("Duration"));
}
const QString kChartStyleKey = QStringLiteral("Settings/ChartStyle");
const QString kShowAllPadasKey = QStringLiteral("Settings/ShowAllPadas");
const QString kSensitivitySpanKey = QStringLiteral("Settings/SensitivitySpan");
const QString kVargaKey = QStringLiteral("Settings/DivisionalChart");
const QString kAstronomyKey = QStringLiteral("Settings/Astronomy");

}  // namespace

QString Settings::DefaultPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("Korvanta/Korvanta.conf"));
}

Settings::Settings() : store_(InMemory()) {}

Settings::~Settings() = default;

Settings::Settings(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);  // stat() only: a pipe is not opened
    if (!info.exists()) {
        if (info.isSymLink()) {
            problem_ = QStringLiteral(
                           "The settings file %1 is a link to nothing; the settings are "
                           "kept for this run only.")
                           .arg(shown);
            store_ = InMemory();
            return;
        }
        store_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
        return;
    }
    if (!info.isFile()) {
        problem_ = QStringLiteral(
                       "The settings file %1 is not a regular file; it is neither read nor "
                       "written, and the settings are kept for this run only.")
                       .arg(shown);
        store_ = InMemory();
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem_ = QStringLiteral(
                       "The settings file %1 cannot be read (%2); the settings are kept "
                       "for this run only.")
                       .arg(shown, file.errorString());
        store_ = InMemory();
        return;
    }
    const QByteArray bytes = file.read(kMaxSettingsBytes + 1);
    file.close();
    const bool readable = bytes.size() <= kMaxSettingsBytes && LooksLikeSettings(bytes);
    if (readable) {
        store_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
        if (store_->status() != QSettings::FormatError) return;
        store_.reset();
    }
    QString movedTo;
    if (!MoveAside(path, movedTo)) {
        problem_ = QStringLiteral(
                       "The settings file %1 cannot be read as settings and cannot be "
                       "renamed; it is left as it is, and the settings are kept for this "
                       "run only.")
                       .arg(shown);
        store_ = InMemory();
        return;
    }
    problem_ = QStringLiteral(
                   "The settings file %1 could not be read as settings; it was kept as %2 "
                   "and a new one started.")
                   .arg(shown, QDir::toNativeSeparators(movedTo));
    store_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool Settings::Written() {
    store_->sync();
    return store_->status() == QSettings::NoError;
}

Settings::StoredDate Settings::ReminderDate() const {
    const std::string text =
        GetEncodedSetting(store_->value(ReminderKey(), QString()).toString().toStdString());
    if (text.empty()) return {};
    const auto date = ParseStoredDate(text);
    if (!date) return {DateState::Unreadable, {}};
    return {DateState::Read, *date};
}

bool Settings::SetReminderDate(std::chrono::year_month_day date) {
    store_->setValue(ReminderKey(), QString::fromStdString(EncodeSetting(FormatStoredDate(date))));
    return Written();
}

std::optional<ChartStyle> Settings::ChartStyleChoice() const {
    return ChartStyleOfKey(store_->value(kChartStyleKey).toString().toStdString());
}

bool Settings::ShowAllPadas() const {
    // A file holds the words "true" and "false"; only the word the program
    // writes turns the tags on ("maybe" or "1" do not).
    const QVariant stored = store_->value(kShowAllPadasKey);
    if (stored.typeId() == QMetaType::Bool) return stored.toBool();
    return stored.toString() == QStringLiteral("true");
}

bool Settings::SetChartDrawing(ChartStyle style, bool allPadas) {
    const std::string_view key = ChartStyleKey(style);
    store_->setValue(kChartStyleKey,
                     QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
    store_->setValue(kShowAllPadasKey, allPadas);
    return Written();
}

std::optional<Varga> Settings::VargaChoice() const {
    bool number = false;
    const int stored = store_->value(kVargaKey).toString().toInt(&number);
    if (!number) return std::nullopt;
    return VargaOfNumber(stored);
}

bool Settings::SetVargaChoice(Varga varga) {
    store_->setValue(kVargaKey, VargaNumber(varga));
    return Written();
}

std::optional<int> Settings::SensitivitySpan() const {
    bool number = false;
    const int stored = store_->value(kSensitivitySpanKey).toString().toInt(&number);
    if (!number) return std::nullopt;
    return stored;
}

bool Settings::SetSensitivitySpan(int minutes) {
    store_->setValue(kSensitivitySpanKey, minutes);
    return Written();
}

Astronomy Settings::AstronomyChoice() const {
    return store_->value(kAstronomyKey).toString() == QStringLiteral("precise")
               ? Astronomy::Precise
               : Astronomy::Classic;
}

bool Settings::SetAstronomy(Astronomy astronomy) {
    store_->setValue(kAstronomyKey, astronomy == Astronomy::Precise ? QStringLiteral("precise")
                                                                    : QStringLiteral("classic"));
    return Written();
}

}  // namespace korvanta
