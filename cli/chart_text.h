// SPDX-License-Identifier: GPL-3.0-or-later
// One calculated chart as a terminal reader wants it: the fixed-sign chart,
// the position table, "Your Details", the UL's house with its reading and the
// UL sign's profile, all from the chart's report.
#pragma once

#include <string>
#include <string_view>

#include "report/report.h"

namespace korvanta {

// Text broken into lines of at most `width` characters where it has blanks,
// each line starting with `indent` blanks; line breaks in the text are kept.
// Ends with a line break unless the text is empty.
std::string WrapText(std::string_view text, int indent, int width);

// The whole report with its chart square drawn as `drawing` says, UTF-8,
// ending with a line break.
std::string ChartText(const ChartReport& report, const ChartDrawing& drawing);

}  // namespace korvanta
