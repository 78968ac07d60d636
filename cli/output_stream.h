// SPDX-License-Identifier: GPL-3.0-or-later
// Writing to standard output with every write checked: a full disk, a closed
// pipe or a file-size limit must never pass as a printed chart.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Writes `text` to `out` and flushes it. Empty result: all of it was handed to
// the system. Otherwise the reason, from the system's error code when there is
// one ("No space left on device"), else a plain "write error".
std::optional<std::string> WriteChecked(std::ostream& out, std::string_view text);

}  // namespace korvanta
