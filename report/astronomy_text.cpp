// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/astronomy_text.h"

namespace korvanta {

std::string AstronomyLine(const AstronomyOptions& options) {
    if (options.astronomy == Astronomy::Classic) return {};
    std::string line = "Astronomy: precise (Swiss Ephemeris, Lahiri ayanamsa, ";
    line += options.node == NodeChoice::True ? "true node" : "mean node";
    // The usual sunrise, of the upper limb, goes without saying.
    if (options.sunrise == SunriseChoice::Centre) line += ", sunrise of the disc's centre";
    line += ')';
    return line;
}

std::string ClassicVargaNote(int division, Astronomy astronomy) {
    if (astronomy == Astronomy::Precise || division <= 9) return {};
    return "Classic astronomy: the planets lie within 0.17\u00b0 of the precise positions, the "
           "Moon within 0.04\u00b0, Rahu and Ketu about 0.9\u00b0 off, so the signs of this D" +
           std::to_string(division) + " can differ from the precise astronomy's.";
}

const char* AstronomyWord(Astronomy astronomy) {
    return astronomy == Astronomy::Precise ? "precise" : "classic";
}

const char* NodeWord(NodeChoice node) {
    return node == NodeChoice::True ? "true" : "mean";
}

const char* SunriseWord(SunriseChoice sunrise) {
    return sunrise == SunriseChoice::Centre ? "centre" : "limb";
}

}  // namespace korvanta
