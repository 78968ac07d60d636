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
