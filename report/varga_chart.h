// SPDX-License-Identifier: GPL-3.0-or-later
// A chart's report turned to show one of its divisional charts: the square's
// cells, the centre block, the pada table and the account of the Upapada
// Lagna become the varga's, named in a caption; every other text (positions,
// details, the UL's house reading and its sign's profile, the special lagnas
// and the sunrise) stays the rasi chart's. The window, the page and the text
// chart draw the turned report as they draw any other.
#pragma once

#include <string>

#include "pipeline/chart.h"
#include "pipeline/positions_source.h"
#include "reading/varga.h"
#include "report/report.h"

namespace korvanta {

// How far the classic astronomy's positions lie from the standard
// ephemeris, in degrees: the planets within about 0.17, the Moon within
// 0.04, Rahu and Ketu about 0.9 off.
inline constexpr double kClassicPlanetError = 0.17;
inline constexpr double kClassicMoonError = 0.04;
inline constexpr double kClassicNodeError = 0.9;

// Whether a varga cuts a sign finer than the Navamsa (D10 and beyond), so
// that an error of a fraction of a degree can move a point's varga sign.
bool FinerThanNavamsa(Varga varga);

// The line a drawing of `varga` carries when its signs can differ from the
// precise astronomy's: for a varga finer than the Navamsa (D10 to D60)
// computed with the classic astronomy, "The signs of this D60 Shashtiamsa
// can differ from the precise astronomy's: ..." with the size of the
// positions' error. Given: the varga and the astronomy that made the chart.
// Returned: the line; empty for D1 to D9 and for the precise astronomy.
std::string VargaPrecisionNote(Varga varga, Astronomy astronomy);

// "Upapada Lagna in D1 Rasi: Pisces, House 9; in D9 Navamsa: Aries, House 3."
std::string UpapadaInVargasLine(const Chart& chart);

// Turns `report` (BuildReport of a birth and `chart`) to show `varga`: the
// cells hold the bodies and the padas by their varga signs (the UL tagged,
// the lord of house 1 marked after house 1's pada, as in the rasi chart; the
// sunrise marks stay in the rasi chart only), the ascendant's sign and the
// pada marks are the varga's, the centre block names the varga (without a
// second name in brackets) and its UL, the pada table and the account are
// the varga's, and vargaCaption, vargaNote (VargaPrecisionNote with the
// astronomy that made `chart`) and ulInVargas are set. D1 leaves the report
// as it is.
void ShowVarga(ChartReport& report, const Chart& chart, Varga varga);

}  // namespace korvanta
