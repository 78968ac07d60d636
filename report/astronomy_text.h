// SPDX-License-Identifier: GPL-3.0-or-later
// The line that says which astronomy made a chart, for the window's chart
// tab, the page and the text chart.
#pragma once

#include <string>

#include "pipeline/positions_source.h"

namespace korvanta {

// "Astronomy: precise (Swiss Ephemeris, Lahiri ayanamsa, mean node)", with
// ", sunrise of the disc's centre" before the bracket for that choice; empty for the classic
// astronomy, whose charts have always gone without the line.
std::string AstronomyLine(const AstronomyOptions& options);

// The flag and record words of the choices: "classic"/"precise",
// "mean"/"true", "limb"/"centre".
const char* AstronomyWord(Astronomy astronomy);
const char* NodeWord(NodeChoice node);
const char* SunriseWord(SunriseChoice sunrise);

}  // namespace korvanta
