// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/moment_text.h"

#include <cstdio>

namespace korvanta {

std::string LocalMomentText(int year, int month, int day, int hour, int minute, int second) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

std::string LocalMomentText(const Birth& birth) {
    return LocalMomentText(birth.year, birth.month, birth.day, birth.hour, birth.minute,
                           birth.second);
}

namespace {

bool SameDay(const Birth& a, const Birth& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// "07:20", "07:20:15"; with `date`, "1985-03-14 07:20".
std::string EnteredTimeText(const Birth& birth, bool date) {
    char text[48];
    if (birth.second == 0) {
        std::snprintf(text, sizeof text, "%02d:%02d", birth.hour, birth.minute);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", birth.hour, birth.minute, birth.second);
    }
    return date ? LocalDateText(birth.year, birth.month, birth.day) + " " + text : text;
}

// "06:28:22"; with `date`, "1985-03-13 23:50:00".
std::string ShownTimeText(const Birth& shown, bool date) {
    const std::string whole = LocalMomentText(shown);
    return date ? whole : whole.substr(11);
}

// "for 06:28:22 — the birth was entered at 07:20"
std::string MomentAndBirth(const Birth& entered, const Birth& shown) {
    const bool dates = !SameDay(entered, shown);
    return "for " + ShownTimeText(shown, dates) + " \u2014 the birth was entered at " +
           EnteredTimeText(entered, dates);
}

}  // namespace

std::string ShownMomentNote(const Birth& entered, const Birth& shown) {
    return "Chart " + MomentAndBirth(entered, shown);
}

std::string ShownMomentTitle(std::string_view title, const Birth& entered, const Birth& shown) {
    return std::string(title) + " " + MomentAndBirth(entered, shown);
}

std::string LocalDateText(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string ImportSummaryText(long long added, long long duplicates, long long refused,
                              std::string_view addedNoun) {
    std::string text = std::to_string(added) + " ";
    if (!addedNoun.empty()) text.append(addedNoun).append(" ");
    return text + "added, " + std::to_string(duplicates) + " skipped as duplicates, " +
           std::to_string(refused) + " refused";
}

}  // namespace korvanta
