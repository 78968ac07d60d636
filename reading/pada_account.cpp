#include "reading/pada_account.h"

#include "astro/text_format.h"

namespace korvanta {

namespace {

std::string Ordinal(int n) {
    std::string out = IntText(n);
    const int lastTwo = n % 100;
    if (lastTwo >= 11 && lastTwo <= 13) return out + "th";
    switch (n % 10) {
        case 1:
            return out + "st";
        case 2:
            return out + "nd";
        case 3:
            return out + "rd";
        default:
            return out + "th";
    }
}

// The Sun and the Moon take the article; the planets are named bare.
std::string LordPhrase(std::string_view lord, bool retrograde) {
    std::string out = (lord == "Sun" || lord == "Moon") ? "the " : "";
    out += lord;
    if (retrograde) out += " (retrograde)";
    return out;
}

// Sign index 0..11 that lies `count` signs from `from` counting `from` as 1.
int SignCounted(int from, int count) {
    return ((from + count - 1) % 12 + 12) % 12;
}

}  // namespace

std::string PadaName(int house) {
    if (house == 1) return "Arudha Lagna";
    if (house == 12) return "Upapada Lagna";
    if (house >= 2 && house <= 11) return "A" + IntText(house);
    return "";
}

std::string ExplainUpapada(const ArudhaState& state, const ChartRecord& chart) {
    if (state.ArudhaHouse != 12 || state.HouseSign < 1 || state.LordSign < 1 ||
        state.LordSign > 12 || state.ULSignIndex < 0 || state.ULSignIndex > 11) {
        return "";
    }
    const int house = (state.HouseSign - 1) % 12;  // sign index of house 12
    const int lordSign = state.LordSign - 1;
    const std::string_view lord = kSignLord[static_cast<std::size_t>(house)];
    bool retrograde = false;
    for (int slot = kMercury; slot <= kSaturn; ++slot) {
        if (kPlainBodyNames[static_cast<std::size_t>(slot)] == lord) {
            retrograde = chart.BodyName[static_cast<std::size_t>(slot)].ends_with(kRetroMark);
        }
    }
    const std::string_view houseName = kSignNames[static_cast<std::size_t>(house)];
    const std::string_view lordSignName = kSignNames[static_cast<std::size_t>(lordSign)];
    const std::string_view padaName = kSignNames[static_cast<std::size_t>(state.ULSignIndex)];
    const int distance = (lordSign - house + 12) % 12 + 1;  // 1 = the house itself

    std::string text = "House 12 is ";
    text.append(houseName).append("; its lord, ").append(LordPhrase(lord, retrograde));
    if (distance == 1) {
        text.append(", stands in ")
            .append(houseName)
            .append(" itself, so the pada is the 10th sign from ");
        text.append(houseName).append(": ").append(padaName).append(".");
        return text;
    }
    text.append(", stands in ").append(lordSignName).append(", the ").append(Ordinal(distance));
    text.append(" sign from ").append(houseName);
    if (distance == 7) {
        text.append(", so the pada is the 10th sign from ").append(houseName).append(": ");
        text.append(padaName).append(".");
        return text;
    }
    const int counted = SignCounted(lordSign, distance);
    text.append("; counting ")
        .append(IntText(distance))
        .append(" signs on from ")
        .append(lordSignName);
    text.append(" gives ").append(kSignNames[static_cast<std::size_t>(counted)]);
    if ((counted - house + 12) % 12 == 6) {
        text.append(", the 7th from ")
            .append(houseName)
            .append(", so the pada moves to the 4th sign from ");
        text.append(houseName).append(": ").append(padaName).append(".");
    } else {
        text.append(", the pada.");
    }
    return text;
}

}  // namespace korvanta
