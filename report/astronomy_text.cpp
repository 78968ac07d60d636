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
