// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rules/update_rule.h"

#include <cstdio>

namespace korvanta {

namespace {

// Rotating letters by 13 of 26 and digits by 5 of 10 is its own inverse.
char RotateCharacter(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>('a' + (c - 'a' + 13) % 26);
    if (c >= 'A' && c <= 'Z') return static_cast<char>('A' + (c - 'A' + 13) % 26);
    if (c >= '0' && c <= '9') return static_cast<char>('0' + (c - '0' + 5) % 10);
    return c;
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return !text.empty();
}

int ToInt(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

std::string EncodeSetting(std::string_view plain) {
    std::string encoded(plain);
    for (char& c : encoded) c = RotateCharacter(c);
    return encoded;
}

std::string GetEncodedSetting(std::string_view encoded) {
    std::string plain(encoded);
    for (char& c : plain) c = RotateCharacter(c);
    return plain;
}

std::string FormatStoredDate(std::chrono::year_month_day date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<std::chrono::year_month_day> ParseStoredDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const std::string_view year = text.substr(0, 4), month = text.substr(5, 2),
                           day = text.substr(8, 2);
    if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day)) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{ToInt(year)},
                                           std::chrono::month{static_cast<unsigned>(ToInt(month))},
                                           std::chrono::day{static_cast<unsigned>(ToInt(day))}};
    if (!date.ok()) return std::nullopt;
    return date;
}

int CalendarDayDifference(std::chrono::year_month_day stored, std::chrono::year_month_day today) {
    return static_cast<int>((std::chrono::sys_days{stored} - std::chrono::sys_days{today}).count());
}

bool ReminderIsDue(std::chrono::year_month_day stored, std::chrono::year_month_day today) {
    const int days = CalendarDayDifference(stored, today);
    return days < -kReminderDays || days > kReminderDays;
}

}  // namespace korvanta
