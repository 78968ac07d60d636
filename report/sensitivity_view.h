// SPDX-License-Identifier: GPL-3.0-or-later
// What a reader sees of the birth-time sensitivity strip: the heading, the
// answer sentence, each row's label and segments with their values and
// clock times. The window, the page, the text output and the JSON render it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pipeline/sensitivity.h"

namespace korvanta {

inline constexpr std::string_view kSensitivityHeading = "Birth Time Sensitivity";

// The window's captions around the timeline, and the export's question.
inline constexpr std::string_view kSensitivitySpanCaption = "Span around the birth time:";
inline constexpr std::string_view kSensitivityBackCaption = "Back to the entered time";
inline constexpr std::string_view kSensitivityPageQuestion =
    "Add the Birth Time Sensitivity page as a second page?";

// Row labels and JSON keys, by SensitivityRow.
inline constexpr std::array<std::string_view, kSensitivityRows> kSensitivityRowLabels = {
    "Ascendant sign",    "Upapada Lagna sign", "Upapada Lagna house", "Arudha Lagna sign",
    "Moon sign",         "Moon nakshatra",     "Retrograde planets",  "Reference sunrise",
    "Navamsa ascendant", "Navamsa UL"};
inline constexpr std::array<std::string_view, kSensitivityRows> kSensitivityRowKeys = {
    "ascendant",      "upapada_sign", "upapada_house", "arudha_lagna", "moon_sign",
    "moon_nakshatra", "retrograde",   "sunrise_case",  "d9_ascendant", "d9_upapada_sign"};

// The 27 nakshatras, 0..26.
inline constexpr std::array<std::string_view, 27> kNakshatraNames = {"Ashwini",
                                                                     "Bharani",
                                                                     "Krittika",
                                                                     "Rohini",
                                                                     "Mrigashira",
                                                                     "Ardra",
                                                                     "Punarvasu",
                                                                     "Pushya",
                                                                     "Ashlesha",
                                                                     "Magha",
                                                                     "Purva Phalguni",
                                                                     "Uttara Phalguni",
                                                                     "Hasta",
                                                                     "Chitra",
                                                                     "Swati",
                                                                     "Vishakha",
                                                                     "Anuradha",
                                                                     "Jyeshtha",
                                                                     "Mula",
                                                                     "Purva Ashadha",
                                                                     "Uttara Ashadha",
                                                                     "Shravana",
                                                                     "Dhanishta",
                                                                     "Shatabhisha",
                                                                     "Purva Bhadrapada",
                                                                     "Uttara Bhadrapada",
                                                                     "Revati"};

// The span choices as the window and the page write them: "±15 min".."±2 h".
std::string SensitivitySpanText(int spanMinutes);

// A row's value as a reader sees it: "Pisces", "House 5", "Rohini",
// "Mercury, Saturn" or "none", "before sunrise".
std::string SensitivityValueText(SensitivityRow row, int value);

// A span of seconds as "1 h 2 min 5 s", "24 min 18 s", "1 h 6 min", "18 s";
// zero parts are left out ("0 s" for none at all).
std::string DurationText(std::int64_t seconds);

// A clock moment as "YYYY-MM-DD HH:MM:SS".
std::string ClockDateTimeText(std::int64_t clockSeconds);

struct SensitivitySegmentView {
    std::int64_t from = 0;
    std::int64_t to = 0;
    std::string value;     // "Pisces"
    std::string fromText;  // "08:41:12", with the date before it when it is not the birth's
    std::string toText;
};

struct SensitivityRowView {
    std::string_view label;  // "Upapada Lagna sign"
    std::string_view key;    // "upapada_sign"
    std::vector<SensitivitySegmentView> segments;
};

struct SensitivityView {
    std::string heading;   // "Birth Time Sensitivity (±1 h)"
    std::string answer;    // the one sentence about the Upapada Lagna
    std::string spanNote;  // "From 08:05:30 to 10:05:30; the birth at 09:05:30."
    std::string cutNote;   // why the span stops early, or empty
    int spanMinutes = 60;
    std::int64_t birth = 0, start = 0, end = 0;
    std::string birthText;  // "09:05:30"
    std::array<SensitivityRowView, kSensitivityRows> rows;
};

// What the window says while it shows the result of another moment than the
// entered one: "Showing the result for 09:41:12; the strip stays centred on
// the entered time 09:05:30."
std::string ShownMomentText(const SensitivityView& view, std::int64_t shown);

// The answer sentence: how long the Upapada Lagna keeps its sign around the
// birth, and how far the birth lies from the nearest change.
std::string SensitivityAnswer(const SensitivityStrip& strip);

SensitivityView BuildSensitivityView(const SensitivityStrip& strip);

}  // namespace korvanta
