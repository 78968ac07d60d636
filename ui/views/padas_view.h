// What the result window's third tab shows: the arudha pada of every house,
// the special lagnas with their signs and positions, the Pranapada and the
// sign-count mark, the reference sunrise and how the Upapada Lagna was found.
// Plain values computed from one calculation; no Qt.
#pragma once

#include <array>
#include <string>

#include "pipeline/pipeline.h"

namespace korvanta {

// One row of the pada table, e.g. {"12", "Upapada Lagna", "Pisces"}.
struct PadaRow {
    std::string house;  // "1".."12"
    std::string name;   // PadaName(house)
    std::string sign;   // English sign name
};

// One special point, e.g. {"Hora Lagna", "Virgo", "11° 54' 19\""}. A point
// that was not computed (no reference sunrise) has the sign text "none" and
// an empty position; the Pranapada and the sign-count mark are signs only.
struct SpecialPointRow {
    std::string point;
    std::string sign;
    std::string position;  // degrees, minutes, seconds within the sign
};

inline constexpr std::size_t kSpecialPointRows = 7;

struct PadasView {
    std::array<PadaRow, 12> padas;  // houses 1..12 in order
    // Ghati, Hora, Bhava, Varnada, Sree Lagnas, Pranapada Lagna, sign-count mark.
    std::array<SpecialPointRow, kSpecialPointRows> points;
    std::string referenceSunrise;  // one sentence: which sunrise, or that there was none
    std::string upapadaAccount;    // ExplainUpapada's account; may be empty
};

// The sign index 0..11 and the within-sign text of a longitude in degrees,
// read from FormatSignPosition so that the table agrees with the chart's
// marks. Empty for a value that is not finite.
struct SignPosition {
    int sign = 0;
    std::string position;  // "11° 54' 19\""
};
std::optional<SignPosition> SignPositionOf(double longitudeDeg);

// The third tab's contents for one calculation.
PadasView DescribePadas(const ChartResult& result);

}  // namespace korvanta
