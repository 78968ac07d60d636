// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/update_reminder.h"

#include <QSettings>

#include "ui/links.h"
#include "ui/message_sink.h"
#include "ui/rules/update_rule.h"

namespace korvanta {

namespace {

std::chrono::year_month_day ToCivil(const QDate& date) {
    return std::chrono::year_month_day{std::chrono::year{date.year()},
                                       std::chrono::month{static_cast<unsigned>(date.month())},
                                       std::chrono::day{static_cast<unsigned>(date.day())}};
}

QString Encoded(std::string_view plain) {
    return QString::fromStdString(EncodeSetting(plain));
}

}  // namespace

QString SettingsApplicationName() {
    return QStringLiteral("Korvanta");
}

ReminderOutcome UpdateReminder(QSettings& settings, const QDate& today, MessageSink& messages,
                               QWidget* parent) {
    const QString key =
        QString::fromLatin1(kSettingsSection) + QLatin1Char('/') + Encoded(kDurationKey);
    const std::string storedText =
        GetEncodedSetting(settings.value(key, QString()).toString().toStdString());
    const QString todayText = Encoded(FormatStoredDate(ToCivil(today)));

    const auto stored = ParseStoredDate(storedText);
    if (!stored) {
        // An unreadable date would keep the reminder off for good; it counts
        // as no date, and today's replaces it.
        settings.setValue(key, todayText);
        settings.sync();
        return storedText.empty() ? ReminderOutcome::FirstStart : ReminderOutcome::Unreadable;
    }
    if (!ReminderIsDue(*stored, ToCivil(today))) return ReminderOutcome::NotDue;

    const bool yes = messages.AskYesNo(parent, QString::fromLatin1(kUpdatePrompt));
    settings.setValue(key, todayText);
    settings.sync();
    if (!yes) return ReminderOutcome::AskedNo;
    OpenDownloadPage();
    return ReminderOutcome::AskedYes;
}

}  // namespace korvanta
