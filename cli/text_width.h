// SPDX-License-Identifier: GPL-3.0-or-later
// The last pass over the text the command line prints: every line fits a
// terminal of 80 columns, counted as a terminal counts them (East Asian wide
// characters two, combining marks none), and holds no control character.
// Lines that fit and are clean pass unchanged, so the chart as a user
// normally sees it is the same byte for byte; a 200-letter city is wrapped
// instead of running past the edge, and a stored text holding a terminal's
// escape sequence is shown with U+FFFD in place of each control character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvanta {

inline constexpr std::size_t kTerminalColumns = 80;

// The columns `text` (valid UTF-8 without control characters) takes on a
// terminal.
std::size_t TerminalWidth(std::string_view text);

// `text`, lines separated by '\n', with control characters and bytes that
// are not UTF-8 replaced by U+FFFD and each line wider than `columns` broken
// at its blanks (or, for a longer word, between characters) into lines that
// fit. A continued line starts below the value of a "Label : value" line,
// or two columns further in than the line it continues.
std::string FitToColumns(std::string_view text, std::size_t columns = kTerminalColumns);

}  // namespace korvanta
