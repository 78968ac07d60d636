// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of a moment and of a births library's import, written once for the
// window, the command line and the sensitivity strip.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "pipeline/birth.h"

namespace korvanta {

// A local date and clock time as "YYYY-MM-DD HH:MM:SS", seconds always shown.
// Given: year, month 1..12, day 1..31, hour 0..23, minute and second 0..59.
std::string LocalMomentText(int year, int month, int day, int hour, int minute, int second);

// The birth's date and clock time as LocalMomentText writes them.
std::string LocalMomentText(const Birth& birth);

// What the result says while it shows another moment than the entered
// birth (one picked on the sensitivity strip): "Chart for 06:28:22 — the
// birth was entered at 07:20". The entered time has its seconds when they are
// not zero; a moment on another day than the birth's has its date
// ("Chart for 1985-03-13 23:50:00 — the birth was entered at 1985-03-14 00:20").
std::string ShownMomentNote(const Birth& entered, const Birth& shown);

// The title of a page that shows such a moment: the page's `title` with the
// moment and the entered birth ("Upapada Lagna Chart of ASHA RAO for 06:28:22
// — the birth was entered at 07:20").
std::string ShownMomentTitle(std::string_view title, const Birth& entered, const Birth& shown);

// A local date as "YYYY-MM-DD".
std::string LocalDateText(int year, int month, int day);

// The counts of an import: "3 added, 1 skipped as duplicates, 0 refused", the
// added count named by `addedNoun` when it is given ("3 births added, ...").
std::string ImportSummaryText(long long added, long long duplicates, long long refused,
                              std::string_view addedNoun = {});

}  // namespace korvanta
