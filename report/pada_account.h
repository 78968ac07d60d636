// SPDX-License-Identifier: GPL-3.0-or-later
// Plain-language names and accounts of the arudha padas, for the table of
// padas and special lagnas.
#pragma once

#include <string>
#include <string_view>

#include "pipeline/chart.h"

namespace korvanta {

// The usual name of the pada of house 1..12: "Arudha Lagna" for house 1,
// "A2" .. "A11", "Upapada Lagna" for house 12; "" for any other number.
std::string_view PadaName(int house);

// How the Upapada Lagna was found in this chart, in one or two sentences:
// "House 12 is Cancer; its lord, the Moon, stands in Cancer itself, so the
// pada is the 10th sign from Cancer: Aries." Given: the chart (the sign of
// house 12, its lord's sign, the UL, the retrograde marks; a retrograde lord
// is called so).
std::string ExplainUpapada(const Chart& chart);
// The same appended to `text`.
void AppendUpapadaAccount(const Chart& chart, std::string& text);

// The same account, appended to `text`, for any set of padas (a divisional
// chart's): `padas` gives the sign of house 12, its lord's sign and the UL;
// `lordRetrograde` whether the lord of house 12 carries the retrograde mark.
void AppendUpapadaAccount(const ArudhaPadas& padas, bool lordRetrograde, std::string& text);

}  // namespace korvanta
