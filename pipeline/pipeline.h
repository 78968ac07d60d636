// One calculation from the entry controls to every text the result window
// shows: check, zone, astronomy, retrograde marks, chart cells, details,
// arudha padas and the Upapada Lagna, the sunrise reference and its marks,
// and the UL sign's profile.
#pragma once

#include <array>
#include <optional>
#include <variant>

#include "pipeline/entry.h"
#include "reading/arudha.h"
#include "records/records.h"
#include "records/result_captions.h"

namespace korvanta {

// Points derived from the reference sunrise; empty when the birth has none
// (polar day or night) or, for the two sign marks, when none was made.
struct SpecialPoints {
    std::optional<double> ghati, hora, bhava, varnada;  // degrees
    std::optional<double> sree;                         // degrees
    std::optional<int> signCountMark;  // sign index 0..11 of the sign-count mark
    std::optional<int> pranapada;      // sign index 0..11 of the Pranapada
};

struct ChartResult {
    BirthData birth;
    ChartRecord chart;     // final state, sunrise fields included
    ArudhaState arudha;    // padas of all twelve houses, the UL
    SpecialPoints special;
    ResultCaptions captions;
    // Birth-moment texts, kept before the sunrise run rebuilds ChartList.
    std::array<std::string, 6> birthPlanetText;
    std::string birthRahuText, birthKetuText;
    std::array<std::string, 10> birthChartList;
};

using ChartOutcome = std::variant<Refusal, ChartResult>;

// Runs the whole calculation on a fresh record. A refused entry returns only
// the refusal; nothing is computed.
ChartOutcome CalculateChart(const EntryForm& form);

// The same into a caller's result (reset first), for callers that compute
// many charts. Returns the refusal, or nothing when `result` was filled.
std::optional<Refusal> CalculateChart(const EntryForm& form, ChartResult& result);

}  // namespace korvanta
