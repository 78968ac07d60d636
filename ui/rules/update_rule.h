// SPDX-License-Identifier: GPL-3.0-or-later
// The update reminder's rules as plain values: the encoding of the stored
// setting, the stored date text and when the reminder is due. Qt-free, so the
// rules are tested without a settings store or a clock.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Encodes a setting's key name or value character by character, so that the
// store never holds "Duration" or the date in clear text: letters are rotated
// by 13 within their case, digits by 5; every other byte is kept (so the
// result is as safe as a settings key as the input was).
std::string EncodeSetting(std::string_view plain);

// Reverses EncodeSetting.
std::string GetEncodedSetting(std::string_view encoded);

// The stored date text, "YYYY-MM-DD". A fixed form rather than the user's
// short date format: a changed locale or a two-digit year would otherwise make
// the stored date unreadable or a century off.
std::string FormatStoredDate(std::chrono::year_month_day date);

// Reads a stored date text. Empty result: the text is not a valid date in the
// stored form.
std::optional<std::chrono::year_month_day> ParseStoredDate(std::string_view text);

// Calendar days from `today` to `stored` (stored minus today); times of day
// do not exist here, so only the dates count.
int CalendarDayDifference(std::chrono::year_month_day stored, std::chrono::year_month_day today);

// The reminder is due when the stored date lies more than 14 days before or
// after today (a clock set back counts as well).
inline constexpr int kReminderDays = 14;
bool ReminderIsDue(std::chrono::year_month_day stored, std::chrono::year_month_day today);

}  // namespace korvanta
