// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/flag_values.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "library/birth_record.h"
#include "library/stored_text.h"
#include "pipeline/entry.h"
#include "pipeline/sensitivity.h"
#include "pipeline/zones.h"

namespace korvanta {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// A number of 1..maxDigits digits and nothing else.
bool ReadNumber(std::string_view text, std::size_t maxDigits, int& value) {
    if (text.empty() || text.size() > maxDigits || !AllDigits(text)) return false;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

std::variant<DateValue, FlagError> ParseDate(std::string_view text) {
    const auto parts = Split(text, '-');
    DateValue date;
    if (parts.size() != 3 || parts[0].size() != 4 || !ReadNumber(parts[0], 4, date.year) ||
        !ReadNumber(parts[1], 2, date.month) || !ReadNumber(parts[2], 2, date.day)) {
        return FlagError{"expected a date as YYYY-MM-DD, for example 1980-06-05"};
    }
    const int lastYear = kFirstYear + kYearCount - 1;
    if (date.year < kFirstYear || date.year > lastYear) {
        return FlagError{"the year must be from " + std::to_string(kFirstYear) + " to " +
                         std::to_string(lastYear)};
    }
    if (date.month < 1 || date.month > 12) return FlagError{"the month must be from 01 to 12"};
    if (date.day < 1 || date.day > kDayCount) return FlagError{"the day must be from 01 to 31"};
    return date;
}

std::variant<TimeValue, FlagError> ParseTime(std::string_view text) {
    const auto parts = Split(text, ':');
    TimeValue time;
    const bool shapeOk = (parts.size() == 2 || parts.size() == 3) &&
                         ReadNumber(parts[0], 2, time.hour) &&
                         ReadNumber(parts[1], 2, time.minute) &&
                         (parts.size() == 2 || ReadNumber(parts[2], 2, time.second));
    if (!shapeOk)
        return FlagError{"expected a clock time as HH:MM or HH:MM:SS, for example 09:05:30"};
    if (time.hour >= kHourCount) return FlagError{"the hour must be from 0 to 23"};
    if (time.minute >= kMinuteCount) return FlagError{"the minutes must be from 0 to 59"};
    if (time.second >= kSecondCount) return FlagError{"the seconds must be from 0 to 59"};
    return time;
}

std::variant<int, FlagError> ParseSensitivityMinutes(std::string_view text) {
    for (const int minutes : kSensitivitySpans) {
        if (text == std::to_string(minutes)) return minutes;
    }
    return FlagError{"the span takes 15, 30, 60 or 120 minutes on either side of the birth time"};
}

std::variant<CoordinateValue, FlagError> ParseCoordinate(std::string_view text, char first,
                                                         char second, int maxDegreeDigits) {
    const std::string example = std::string(first == 'N' ? "28N36" : "77E12");
    const std::string shape = std::string("expected degrees, ") + first + " or " + second +
                              ", then minutes, for example " + example;
    const auto letter = text.find_first_not_of("0123456789");
    if (letter == std::string_view::npos) return FlagError{shape};
    const char hemisphere = Upper(text[letter]);
    if (hemisphere != first && hemisphere != second) return FlagError{shape};
    CoordinateValue value;
    value.degrees = std::string(text.substr(0, letter));
    value.minutes = std::string(text.substr(letter + 1));
    value.secondHemisphere = hemisphere == second;
    if (!AllDigits(value.minutes)) return FlagError{shape};
    if (value.degrees.size() > static_cast<std::size_t>(maxDegreeDigits)) {
        return FlagError{"the degrees take at most " + std::to_string(maxDegreeDigits) + " digits"};
    }
    if (value.minutes.size() > 2) return FlagError{"the minutes take at most 2 digits"};
    return value;
}

std::variant<CoordinateValue, FlagError> ParseLatitude(std::string_view text) {
    return ParseCoordinate(text, 'N', 'S', kLatDegMaxLength);
}

std::variant<CoordinateValue, FlagError> ParseLongitude(std::string_view text) {
    return ParseCoordinate(text, 'E', 'W', kLonDegMaxLength);
}

std::string_view ZoneAbbreviation(std::string_view rowText) {
    const auto parts = Split(rowText, ',');
    return parts.size() > 1 ? Trim(parts[1]) : std::string_view{};
}

std::string_view ZoneName(std::string_view rowText) {
    return Trim(Split(rowText, ',')[0]);
}

std::variant<int, FlagError> FindZone(std::string_view text) {
    int index = 0;
    if (ReadNumber(text, 2, index)) {
        if (index < kZoneListCount) return index;
        return FlagError{"a zone index must be from 0 to " + std::to_string(kZoneListCount - 1)};
    }
    for (int row = 0; row < kZoneCount; ++row) {
        if (kZoneTable[row].text == text) return row;
    }
    if (EqualIgnoringCase(kOtherOffsetText, text)) return kOtherOffsetRow;
    std::vector<int> candidates;
    for (int row = 0; row < kZoneCount; ++row) {
        const std::string_view rowText = kZoneTable[row].text;
        if (EqualIgnoringCase(ZoneAbbreviation(rowText), text) ||
            EqualIgnoringCase(ZoneName(rowText), text)) {
            candidates.push_back(row);
        }
    }
    if (candidates.size() == 1) return candidates.front();
    if (candidates.empty()) {
        return FlagError{"no zone has this index, text, abbreviation or name (see --list-zones)"};
    }
    std::string reason = "ambiguous, it fits";
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        reason += (i == 0 ? " " : (i + 1 == candidates.size() ? " and " : ", "));
        reason += std::to_string(candidates[i]) + " " + Quoted(kZoneTable[candidates[i]].text);
    }
    return FlagError{reason + "; give the index or the whole text"};
}

std::variant<int, FlagError> ParseOffset(std::string_view text) {
    const std::optional<int> minutes = ReadUtcOffset(text);
    if (!minutes) return FlagError{"expected a UTC offset as +HH:MM or -HH:MM, for example +05:45"};
    if (!UtcOffsetInRange(*minutes)) {
        return FlagError{"the offset must be from -12:00 to +14:00"};
    }
    return *minutes;
}

std::variant<std::string, FlagError> ParseName(std::string_view text) {
    std::string name;
    if (auto reason = NameAsEntered(text, name)) return FlagError{std::move(*reason)};
    return name;
}

std::optional<FlagError> CheckPlaceText(std::string_view text) {
    if (auto fault = library::PlaceTextFault(text)) return FlagError{std::move(*fault)};
    return std::nullopt;
}

std::string ZoneListing() {
    std::string listing;
    char number[8];
    for (int row = 0; row < kZoneCount; ++row) {
        std::snprintf(number, sizeof number, "%3d  ", row);
        listing += number;
        listing += kZoneTable[row].text;
        listing += '\n';
    }
    std::snprintf(number, sizeof number, "%3d  ", kOtherOffsetRow);
    listing += number;
    listing += kOtherOffsetText;
    listing += " (with --offset +HH:MM)\n";
    return listing;
}

}  // namespace korvanta
