// SPDX-License-Identifier: GPL-3.0-or-later
// The .jhd birth file: one birth a file, one value a line, the person's name
// in the file name. Lines 1-3 month, day, year; 4 the clock time, 5 the UTC
// offset applied to it (east negative), 6 longitude (east negative),
// 7 latitude (south negative), all in H.MM form; 8 altitude; 9 and 10 the
// place's standard and daylight offsets in decimal hours, west positive;
// 11 and 12 the writing program's own numbers; 13 the place, 14 state and
// country ("^" for blank); 15-18 fixed values. Older files stop after line 7,
// 8, 14 or 15.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "exchange/exchange.h"
#include "pipeline/birth.h"

namespace korvanta::exchange {

// A value in H.MM form: the whole part is hours (or degrees), the fraction
// times 100 is minutes, which may carry a fraction of their own. The sign is
// that of the whole text ("-0.070000" is negative).
struct HmValue {
    bool negative = false;
    std::int64_t seconds = 0;  // of the magnitude, minutes rounded to the nearest second
};

// Given: the text of one line. Returned: the value, or why it is not one
// (a letter, no digits, minutes of 60 or more, too many digits).
std::variant<HmValue, std::string> ParseHm(std::string_view text);

// The H.MM text of a magnitude in seconds with a sign: six decimals when
// they are exact, else the shortest decimal that reads back as the same
// double, which gives back the second ("17.506666666666668" for 17:50:40).
std::string HmText(bool negative, std::int64_t seconds);

// Reads one .jhd file. `name` is the file name without ".jhd"; `in` the
// file's bytes. The birth, or the refusal with its line.
ReadResult ReadJhd(std::string_view name, std::istream& in, PlaceFinder& places);

// The 18 lines of a birth's .jhd file, each ended by CR LF.
std::string JhdText(const Birth& birth);

// A file name (without ".jhd") for a birth's name that any file system
// takes: letters, digits, blanks and hyphens, at most 200 bytes, never a
// name Windows reserves.
std::string JhdFileStem(std::string_view name);

}  // namespace korvanta::exchange
