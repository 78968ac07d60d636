// SPDX-License-Identifier: GPL-3.0-or-later
// --sensitivity: the birth-time sensitivity strip as the text output's closing
// section and as the JSON object's "sensitivity" member.
#pragma once

#include <string>

#include "library/birth_record.h"
#include "report/sensitivity_view.h"

namespace korvanta {

// The "sensitivity" object: "span_minutes", the span and the birth as
// "YYYY-MM-DD HH:MM:SS" texts, whether the span was cut, the answer
// sentence, then per row a list of {"from", "to", "value"}.
Json SensitivityJson(const SensitivityView& view);

// The text section: heading, span, answer sentence, each row's segments.
// Starts with a blank line and ends with a line break.
std::string SensitivityText(const SensitivityView& view);

}  // namespace korvanta
