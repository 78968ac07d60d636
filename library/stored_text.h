// SPDX-License-Identifier: GPL-3.0-or-later
// The one character rule for the texts a birth carries, held alike by the
// command line's flags, the import and the library itself: valid UTF-8 and
// no control characters, so that no stored text can move a terminal's
// cursor, clear its screen or break a line of the chart text. And the way
// any text is made safe to print when it comes from elsewhere (a row stored
// before the rule, a key of a refused import line).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta::library {

// Why `text` cannot be a place text (city, state, country, the atlas's
// place and zone name): "holds a control character at byte 5" or "is not
// valid UTF-8 at byte 4"; empty when it can. The raw bytes are never quoted.
std::optional<std::string> PlaceTextFault(std::string_view text);

// The same for a note, which may also hold line breaks and tabs.
std::optional<std::string> NoteTextFault(std::string_view text);

// `text` with every control character (C0, DEL, C1, line breaks and tabs
// included) and every byte that is not part of valid UTF-8 shown as U+FFFD:
// one line, safe to print on a terminal.
std::string PrintableText(std::string_view text);

// The length in bytes of the valid UTF-8 sequence at `text[at]`, or 0 when
// the bytes there are not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// Whether the character at `text[at]`, `length` bytes long, is a control
// character: U+0000..U+001F, U+007F or U+0080..U+009F.
bool IsControlCharacter(std::string_view text, std::size_t at, std::size_t length);

}  // namespace korvanta::library
