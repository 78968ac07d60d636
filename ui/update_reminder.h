// SPDX-License-Identifier: GPL-3.0-or-later
// The reminder at start-up to look for a newer version of the program.
#pragma once

#include <QDate>
#include <QString>

class QWidget;

namespace korvanta {

class MessageSink;
class Settings;

// The question asked when the reminder is due.
inline constexpr const char* kUpdatePrompt =
    "There maybe an update to this software available\n"
    "Do you want to check for an update?";

// What the reminder did, for tests and the start-up sequence.
enum class ReminderOutcome {
    FirstStart,  // no stored date: today written, no question
    NotDue,      // within the 14 days: nothing written
    Unreadable,  // stored text is not a date: today written over it, no question
    AskedNo,     // asked, today written
    AskedYes,    // asked, today written, download page opened
};

// On a first start, or when the stored text is not a date, stores today's
// date; later, when the stored date is more
// than 14 days away from today, asks whether to look for an update, stores
// today whatever the answer, and opens the download page on Yes.
ReminderOutcome UpdateReminder(Settings& settings, const QDate& today, MessageSink& messages,
                               QWidget* parent = nullptr);

// The store of the installed program: application "Korvanta".
QString SettingsApplicationName();

}  // namespace korvanta
