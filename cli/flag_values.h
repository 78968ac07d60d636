// SPDX-License-Identifier: GPL-3.0-or-later
// Values of the command-line flags that describe one birth: date, clock time,
// coordinates and zone. Each parser turns a flag's text into the entry
// controls' values, or explains in one sentence why it cannot.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvanta {

// A value the flag cannot take; `reason` completes "--flag VALUE: ".
struct FlagError {
    std::string reason;
};

// A date within the entry lists: year 1901..2050, month 1..12, day 1..31.
// Days the month lacks (30 February) pass here; the entry check refuses them
// with the program's own message, as the window does.
struct DateValue {
    int year = 0, month = 0, day = 0;
};
// "YYYY-MM-DD"; month and day may have one digit.
std::variant<DateValue, FlagError> ParseDate(std::string_view text);

// Clock time: hour 0..23, minute 0..59, second 0..59.
struct TimeValue {
    int hour = 0, minute = 0, second = 0;
};
// "HH:MM" or "HH:MM:SS"; each part one or two digits.
std::variant<TimeValue, FlagError> ParseTime(std::string_view text);

// --sensitivity: minutes on either side of the birth time, one of the spans
// the window offers (15, 30, 60, 120).
std::variant<int, FlagError> ParseSensitivityMinutes(std::string_view text);

// A coordinate as the entry boxes hold it: the degree and minute texts
// (digits only, possibly empty) and the hemisphere.
struct CoordinateValue {
    std::string degrees;
    std::string minutes;
    bool secondHemisphere = false;  // South for a latitude, West for a longitude
};

// "28N36" (latitude, hemisphere N or S) or "77E12" (longitude, E or W): the
// degrees, the hemisphere letter (either case), the minutes. At most
// `maxDegreeDigits` digits before the letter and two after, as the boxes take.
// Digits that are out of range (95N00, 28N75) are the entry check's business.
std::variant<CoordinateValue, FlagError> ParseCoordinate(std::string_view text, char first,
                                                         char second, int maxDegreeDigits);
std::variant<CoordinateValue, FlagError> ParseLatitude(std::string_view text);
std::variant<CoordinateValue, FlagError> ParseLongitude(std::string_view text);

// The abbreviation of a zone row: its second comma field, blanks trimmed
// ("IST" for "Indian Time, IST, +5.3").
std::string_view ZoneAbbreviation(std::string_view rowText);
// The name of a zone row: its first comma field, blanks trimmed.
std::string_view ZoneName(std::string_view rowText);

// Finds the zone row a user means: its index ("34", "71" for "Other UTC
// offset"), its exact display text, its abbreviation or its name.
// Abbreviations and names may differ in case from the table's. A text that fits several rows (NST,
// "South Australia Daylight Time") is refused with the candidates, never guessed.
std::variant<int, FlagError> FindZone(std::string_view text);

// --offset: "+05:45", "-03:30" (the sign may be left out for "+", or be the
// minus sign U+2212), from -12:00 to +14:00. Minutes, local minus UT.
std::variant<int, FlagError> ParseOffset(std::string_view text);

// A name as the entry window's name box can hold it (NameFaultAt): letters
// of any script, made capitals, blanks, and hyphens and apostrophes inside
// it; any other character (a digit, a tab, a line break, a NUL) is refused
// with its position, never echoed.
std::variant<std::string, FlagError> ParseName(std::string_view text);

// A place text (--city, --state, --country, --place): valid UTF-8 without
// control characters, so that the chart text stays valid UTF-8 and keeps its
// lines. The reason names what is wrong and where, without the raw bytes.
std::optional<FlagError> CheckPlaceText(std::string_view text);

// "  0  Alaska/Hawaii Daylight Time,AHDT,-9.0" lines, one per row, the last
// " 71  Other UTC offset (with --offset +HH:MM)".
std::string ZoneListing();

}  // namespace korvanta
