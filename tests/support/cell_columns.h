// SPDX-License-Identifier: GPL-3.0-or-later
// A chart cell's column as the JSON and the window's labels carry it: each
// line opened by CR LF, so the first line stays free for the sign's name.
#pragma once

#include <string>
#include <string_view>

#include "report/report.h"

namespace korvanta::testing {

template <std::size_t Capacity>
std::string CrLfColumn(const TextList<Capacity>& lines) {
    std::string caption;
    for (const std::string_view line : lines) caption.append("\r\n").append(line);
    return caption;
}

}  // namespace korvanta::testing
