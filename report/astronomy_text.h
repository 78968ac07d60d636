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

// The line a divisional chart finer than D9 (parts smaller than 3°20′)
// carries when the classic astronomy made it: "Classic astronomy: the
// planets lie within 0.17° of the precise positions, the Moon within 0.04°,
// Rahu and Ketu about 0.9° off, so the signs of this D20 can differ from the
// precise astronomy's." Given: the varga's division (20 for D20) and the
// astronomy. Returned: empty for D1 to D9 and for the precise astronomy.
std::string ClassicVargaNote(int division, Astronomy astronomy);

// The flag and record words of the choices: "classic"/"precise",
// "mean"/"true", "limb"/"centre".
const char* AstronomyWord(Astronomy astronomy);
const char* NodeWord(NodeChoice node);
const char* SunriseWord(SunriseChoice sunrise);

}  // namespace korvanta
