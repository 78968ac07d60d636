// SPDX-License-Identifier: GPL-3.0-or-later
// One calculation from a birth to its chart: the ascendant, the Moon, the
// Sun, planets and nodes, the retrograde marks, the arudha padas and the
// Upapada Lagna, the reference sunrise and the points found from it.
#pragma once

#include <variant>

#include "pipeline/birth.h"
#include "pipeline/chart.h"
#include "pipeline/entry.h"
#include "pipeline/positions_source.h"

namespace korvanta {

// The chart of a birth. The order of the steps is the order of the result:
// the arudha padas need every body's sign, the sunrise points need the
// ascendant, the Moon and the padas.
Chart CalculateChart(const Birth& birth);

// The chart of a birth with the positions, retrograde marks, ayanamsa and
// sun events of another source; every later step is the same as above.
// Given: the birth and the source. Returned: the chart (chart.astronomy says
// which source made it), or the source's error.
std::variant<AstronomyError, Chart> CalculateChart(const Birth& birth, PositionsSource& source);

// An entry form's birth and chart, or the entry check's refusal (nothing is
// computed then).
struct BirthChart {
    Birth birth;
    Chart chart;
};
std::variant<Refusal, BirthChart> CalculateChart(const EntryForm& form);

}  // namespace korvanta
