// SPDX-License-Identifier: GPL-3.0-or-later
// The update reminder's stored "Duration" with any bytes of any length: it
// decodes and re-encodes to the same bytes, only an exact "YYYY-MM-DD" text
// of a real date reads as a date, and the reminder is due exactly when that
// date lies more than fourteen days from today. Anything else must never
// count as a date, so it can never bring the reminder's question.
#include <chrono>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/targets.h"
#include "ui/rules/update_rule.h"

namespace korvanta::fuzz {

std::string SettingsDuration(const std::uint8_t* data, std::size_t size) {
    using namespace std::chrono;
    FuzzInput in(data, size);
    const year_month_day today{year{in.IntIn(1990, 2200)},
                               month{static_cast<unsigned>(in.IntIn(1, 12))},
                               day{static_cast<unsigned>(in.IntIn(1, 28))}};
    const std::string stored = in.Rest();

    const std::string plain = GetEncodedSetting(stored);
    if (plain.size() != stored.size() || EncodeSetting(plain) != stored) {
        return "decoding and encoding the stored value does not give it back";
    }
    const auto date = ParseStoredDate(plain);
    if (!date) return {};
    if (!date->ok()) return "a stored text read as a date that does not exist";
    if (FormatStoredDate(*date) != plain)
        return "a stored text other than YYYY-MM-DD read as a date";
    const auto days = (sys_days{*date} - sys_days{today}).count();
    if (CalendarDayDifference(*date, today) != days) return "the day difference";
    if (ReminderIsDue(*date, today) != (days < -kReminderDays || days > kReminderDays)) {
        return "the reminder is due on the wrong days";
    }
    return {};
}

}  // namespace korvanta::fuzz
