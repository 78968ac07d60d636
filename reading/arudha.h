// Arudha padas of the twelve houses and the Upapada Lagna (the pada of the
// 12th house) with its house and house reading.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "records/records.h"
#include "records/result_captions.h"

namespace korvanta {

// Module state of the pada calculation. Signs are numbered 1..12 here
// (1 = Aries); ULSignIndex is 0-based.
struct ArudhaState {
    std::int16_t ArudhaHouse = 0;    // house being processed, 1..12
    std::int16_t LagnaSign = 0;      // sign of the ascendant, 1..12
    std::int16_t HouseSign = 0;      // LagnaSign + house - 1, not reduced (1..23)
    std::int16_t LordSign = 0;       // sign of the house's lord
    std::int16_t LagnaLordSign = 0;  // sign of the lord of house 1
    std::int16_t ExtraMarkSign = 0;  // LagnaSign, later advanced by the sign-count mark
    std::int16_t LagnaSignCount = 0;
    std::int16_t MoonSignCount = 0;
    std::int16_t ULSignIndex = 0;         // sign of the UL - 1, 0..11
    std::int16_t ULHouse = 0;             // house of the UL, 1..12
    std::array<std::int16_t, 12> Pada{};  // pada of house n+1 as sign index 0..11
};

// SignCount of sign index 0..11.
extern const std::array<std::int16_t, 12> kSignCount;

// The twelve house readings, index = house - 1 (trailing blanks belong to them).
extern const std::array<std::string_view, 12> kHouseReading;

// The sign (1..12; 0 when its text names no known sign) and the plain name
// (retrograde mark removed) of each of the ten bodies, read once per chart so
// that the twelve house calls need not parse the position texts again. The
// names point into the chart's BodyName, which must outlive this value.
struct ChartBodies {
    std::array<std::int16_t, 10> sign{};
    std::array<std::string_view, 10> plainName{};
};
ChartBodies ReadChartBodies(const ChartRecord& chart);

// The same house call as below, on bodies read beforehand.
void Arudha_Calculation(std::string_view lordName, const ChartBodies& bodies, ArudhaState& state,
                        ResultCaptions& captions);

// One call per house, in house order (state.ArudhaHouse starts at 0). Given:
// the lord's name as spelled in SignLord; the chart's ChartList and BodyName.
// Appends the pada mark to captions.lblArudha; the 12th call sets the UL,
// lblULPresentHouse and lblHoraDesc.
void Arudha_Calculation(std::string_view lordName, const ChartRecord& chart, ArudhaState& state,
                        ResultCaptions& captions);

}  // namespace korvanta
