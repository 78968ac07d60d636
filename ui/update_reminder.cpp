// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/update_reminder.h"

#include "ui/links.h"
#include "ui/message_sink.h"
#include "ui/rules/update_rule.h"
#include "ui/settings.h"

namespace korvanta {

namespace {

std::chrono::year_month_day ToCivil(const QDate& date) {
    return std::chrono::year_month_day{std::chrono::year{date.year()},
                                       std::chrono::month{static_cast<unsigned>(date.month())},
                                       std::chrono::day{static_cast<unsigned>(date.day())}};
}

}  // namespace

QString SettingsApplicationName() {
    return QStringLiteral("Korvanta");
}

ReminderOutcome UpdateReminder(Settings& settings, const QDate& today, MessageSink& messages,
                               QWidget* parent) {
    const Settings::StoredDate stored = settings.ReminderDate();
    if (stored.state != Settings::DateState::Read) {
        // An unreadable date would keep the reminder off for good; it counts
        // as no date, and today's replaces it.
        settings.SetReminderDate(ToCivil(today));
        return stored.state == Settings::DateState::Missing ? ReminderOutcome::FirstStart
                                                            : ReminderOutcome::Unreadable;
    }
    if (!ReminderIsDue(stored.date, ToCivil(today))) return ReminderOutcome::NotDue;

    const bool yes = messages.AskYesNo(parent, QString::fromLatin1(kUpdatePrompt));
    settings.SetReminderDate(ToCivil(today));
    if (!yes) return ReminderOutcome::AskedNo;
    OpenDownloadPage();
    return ReminderOutcome::AskedYes;
}

}  // namespace korvanta
