// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/zone_rows.h"

#include <cstdlib>

#include "pipeline/zones.h"

namespace korvanta::atlas {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool IsStandardTimeName(std::string_view rowText) {
    constexpr std::string_view kSuffix = "Standard Time";
    const std::string_view name = Trimmed(rowText.substr(0, rowText.find(',')));
    return name.size() >= kSuffix.size() && name.substr(name.size() - kSuffix.size()) == kSuffix;
}

}  // namespace

std::optional<int> ZoneRowOffsetSeconds(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= kZoneCount) return std::nullopt;
    const ZoneRow& row = kZoneTable[static_cast<std::size_t>(rowIndex)];
    // The correction is UT minus local time; the offset is local minus UT.
    return -(row.hours * 3600 + row.minutes * 60);
}

std::string_view ZoneRowAbbreviation(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= kZoneCount) return {};
    const std::string_view text = kZoneTable[static_cast<std::size_t>(rowIndex)].text;
    const std::size_t first = text.find(',');
    const std::size_t second = text.find(',', first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) return {};
    return Trimmed(text.substr(first + 1, second - first - 1));
}

std::optional<int> ZoneRowForOffset(int offsetSeconds, std::string_view abbreviation) {
    std::optional<int> firstRow;
    std::optional<int> standardTimeRow;
    for (int index = 0; index < kZoneCount; ++index) {
        if (ZoneRowOffsetSeconds(index) != offsetSeconds) continue;
        if (!abbreviation.empty() && ZoneRowAbbreviation(index) == abbreviation) return index;
        if (!firstRow) firstRow = index;
        if (!standardTimeRow &&
            IsStandardTimeName(kZoneTable[static_cast<std::size_t>(index)].text)) {
            standardTimeRow = index;
        }
    }
    return standardTimeRow ? standardTimeRow : firstRow;
}

std::string FormatUtcOffset(int offsetSeconds) {
    const int magnitude = std::abs(offsetSeconds);
    const int hours = magnitude / 3600;
    const int minutes = magnitude / 60 % 60;
    const int seconds = magnitude % 60;
    std::string text = "UTC";
    text += offsetSeconds < 0 ? '-' : '+';
    text += std::to_string(hours);
    auto twoDigits = [](int value) {
        return std::string(1, static_cast<char>('0' + value / 10)) +
               static_cast<char>('0' + value % 10);
    };
    if (minutes != 0 || seconds != 0) text += ":" + twoDigits(minutes);
    if (seconds != 0) text += ":" + twoDigits(seconds);
    return text;
}

}  // namespace korvanta::atlas
