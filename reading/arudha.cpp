// Arudha padas of the twelve houses, the Upapada Lagna and its house reading.
//
// All arithmetic here is on whole signs numbered 1..12 (1 = Aries); the chart
// cells and the profile rows are indexed 0..11, so every conversion to an
// index subtracts 1 and is checked before use.
#include "reading/arudha.h"

#include <cstddef>
#include <optional>
#include <string>

namespace korvanta {

constexpr std::array<std::int16_t, 12> kSignCount = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

constexpr std::array<std::string_view, 12> kHouseReading = {
    "If you have a good reputation and are famous then wealth and riches will come knocking on "
    "your doors. ",
    "Family life will gain importance. You will understand that your true happiness is with "
    "spending time with your wife and children.",
    "Establish your creative pursuits and build a profitable career around it. This will not "
    "only give you wealth but also happiness.",
    "Your heart is where your home is. If you have been thinking of returning home or coming back "
    "to the place of our birth, do not delay. You will be more happy and satisfied going back to "
    "your roots.",
    "You will spend more time with your children and people who support you. This maybe a period "
    "of reckoning and realizing who your true well wishers are.",
    "Survival of the fittest. That's the keyword of this placement. You will need to know how to "
    "survive in order to achieve happiness and prosperity.",
    "You will crave for a partner and look forward to getting into a relationship. This is of "
    "utmost importance to you.",
    "You will gain money from people who return their debts. There will be a play of destiny.    ",
    "Wisdom and knowledge will be of utmost importance.  ",
    "Build your professional career and look at it as the most important aspect if your life.    ",
    "You will need to understand the importance of friendships and know how to work in groups "
    "for mutual benefit.    ",
    "You will gain money from foreign places.",
};

namespace {

constexpr std::int16_t kSignsInZodiac = 12;
constexpr std::int16_t kUpapadaHouse = 12;
constexpr std::string_view kUpapadaTag = "UL";

// Sign 1..12 of a short position text, read from its characters 4..6 and
// compared exactly with the abbreviations; none when the text holds no known
// abbreviation there.
std::optional<std::int16_t> SignOfPositionText(std::string_view text) {
    const int index = SignIndexOfShortText(text);
    if (index < 0) return std::nullopt;
    return static_cast<std::int16_t>(index + 1);
}

// A body's name as the lords are spelled: a retrograde planet's name loses
// its " (R) " suffix, so a retrograde lord is found like a direct one.
std::string_view PlainBodyName(std::string_view name) {
    if (name.ends_with(kRetroMark)) name.remove_suffix(kRetroMark.size());
    return name;
}

// Appends a line break and a tag to the chart cell of sign 1..12; a sign
// outside that range (lord or ascendant never found) marks nothing.
void AppendMark(std::int16_t sign, std::string_view tag, ResultCaptions& captions) {
    if (sign < 1 || sign > kSignsInZodiac) return;
    std::string& cell = captions.lblArudha[static_cast<std::size_t>(sign - 1)];
    cell += kCrLf;
    cell += tag;
}

// Pada 1..12 of a house whose sign number may run past 12 (houseSign 1..23),
// given the sign 1..12 of its lord.
std::int16_t PadaSign(std::int16_t houseSign, std::int16_t lordSign) {
    // Twice the distance from house to lord: the pada lies as far beyond the
    // lord as the lord lies beyond the house.
    auto d = static_cast<std::int16_t>(2 * (lordSign - houseSign));
    while (d < 0) d = static_cast<std::int16_t>(d + kSignsInZodiac);
    if (d > kSignsInZodiac) d = static_cast<std::int16_t>(d - kSignsInZodiac);
    // Lord in the house or in its 7th: the pada falls in the 10th from the house.
    if (d == 0 || d == kSignsInZodiac) d = 9;

    auto p = static_cast<std::int16_t>(houseSign + d);
    while (p > kSignsInZodiac) p = static_cast<std::int16_t>(p - kSignsInZodiac);

    // A pada in the 7th from the house moves on to the 10th from there (the 4th
    // from the house). The house sign is reduced first, since it may exceed 12.
    std::int16_t h = houseSign;
    while (h > kSignsInZodiac) h = static_cast<std::int16_t>(h - kSignsInZodiac);
    if (p - h == 6 || p - h == -6) {
        p = static_cast<std::int16_t>(p + 9);
        while (p > kSignsInZodiac) p = static_cast<std::int16_t>(p - kSignsInZodiac);
    }
    return p;
}

}  // namespace

ChartBodies ReadChartBodies(const ChartRecord& chart) {
    ChartBodies bodies;
    for (std::size_t slot = 0; slot < bodies.sign.size(); ++slot) {
        bodies.sign[slot] = SignOfPositionText(chart.ChartList[slot]).value_or(0);
        bodies.plainName[slot] = PlainBodyName(chart.BodyName[slot]);
    }
    return bodies;
}

void Arudha_Calculation(std::string_view lordName, const ChartRecord& chart, ArudhaState& state,
                        ResultCaptions& captions) {
    Arudha_Calculation(lordName, ReadChartBodies(chart), state, captions);
}

void Arudha_Calculation(std::string_view lordName, const ChartBodies& bodies, ArudhaState& state,
                        ResultCaptions& captions) {
    state.ArudhaHouse = static_cast<std::int16_t>(state.ArudhaHouse + 1);
    const std::int16_t house = state.ArudhaHouse;

    for (std::size_t slot = 0; slot < bodies.sign.size(); ++slot) {
        const std::int16_t sign = bodies.sign[slot];
        if (sign < 1 || sign > kSignsInZodiac) continue;  // no known sign: the body changes nothing
        const std::int16_t count = kSignCount[static_cast<std::size_t>(sign - 1)];
        if (bodies.plainName[slot] == lordName) state.LordSign = sign;
        if (slot == kMoon) state.MoonSignCount = count;
        if (slot == kAsc) {
            state.LagnaSign = sign;
            state.HouseSign = sign;
            state.LagnaSignCount = count;
        }
    }

    if (house == 1) {
        state.ExtraMarkSign = state.HouseSign;
        state.LagnaLordSign = state.LordSign;
    } else {
        state.HouseSign = static_cast<std::int16_t>(state.HouseSign + (house - 1));
    }

    const std::int16_t pada = PadaSign(state.HouseSign, state.LordSign);
    if (house >= 1 && house <= kUpapadaHouse) {
        state.Pada[static_cast<std::size_t>(house - 1)] = static_cast<std::int16_t>(pada - 1);
    }

    AppendMark(pada, house == kUpapadaHouse ? kUpapadaTag : std::string_view{}, captions);
    if (house == 1) AppendMark(state.LagnaLordSign, {}, captions);

    if (house == kUpapadaHouse) {
        state.ULSignIndex = static_cast<std::int16_t>(pada - 1);
        // The ascendant's sign is house 1; pada is 1..12 and LagnaSign at most 12, so
        // the sum before the remainder is never negative.
        state.ULHouse = static_cast<std::int16_t>(
            (pada - state.LagnaSign + kSignsInZodiac) % kSignsInZodiac + 1);
        captions.lblULPresentHouse = "House " + std::to_string(state.ULHouse);
        captions.lblHoraDesc = kHouseReading[static_cast<std::size_t>(state.ULHouse - 1)];
    }
}

}  // namespace korvanta
