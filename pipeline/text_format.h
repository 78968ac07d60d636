// SPDX-License-Identifier: GPL-3.0-or-later
// Small text helpers for the position texts: plain decimal numbers without
// padding, sign or blanks, written without locale or stream overhead.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace korvanta {

inline void AppendInt(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

inline std::string IntText(std::int64_t value) {
    std::string out;
    AppendInt(out, value);
    return out;
}

}  // namespace korvanta
