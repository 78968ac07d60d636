// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/pada_account.h"

#include <array>

#include "pipeline/text_format.h"
#include "report/names.h"

namespace korvanta {

namespace {

void AppendOrdinal(std::string& out, int n) {
    AppendInt(out, n);
    const int lastTwo = n % 100;
    if (lastTwo >= 11 && lastTwo <= 13) {
        out += "th";
        return;
    }
    switch (n % 10) {
        case 1:
            out += "st";
            break;
        case 2:
            out += "nd";
            break;
        case 3:
            out += "rd";
            break;
        default:
            out += "th";
    }
}

// The Sun and the Moon take the article; the planets are named bare.
void AppendLordPhrase(std::string& out, std::string_view lord, bool retrograde) {
    if (lord == "Sun" || lord == "Moon") out += "the ";
    out += lord;
    if (retrograde) out += " (retrograde)";
}

// Sign index 0..11 that lies `count` signs from `from` counting `from` as 1.
int SignCounted(int from, int count) {
    return ((from + count - 1) % 12 + 12) % 12;
}

}  // namespace

std::string_view PadaName(int house) {
    static constexpr std::array<std::string_view, 12> kNames = {
        "Arudha Lagna", "A2", "A3", "A4",  "A5",  "A6",
        "A7",           "A8", "A9", "A10", "A11", "Upapada Lagna"};
    return house >= 1 && house <= 12 ? kNames[static_cast<std::size_t>(house - 1)]
                                     : std::string_view{};
}

std::string ExplainUpapada(const Chart& chart) {
    std::string text;
    AppendUpapadaAccount(chart, text);
    return text;
}

void AppendUpapadaAccount(const Chart& chart, std::string& text) {
    const Body lordBody = kSignLord[static_cast<std::size_t>(chart.padas.house12Sign)];
    AppendUpapadaAccount(chart.padas, chart.IsRetrograde(lordBody), text);
}

void AppendUpapadaAccount(const ArudhaPadas& padas, bool retrograde, std::string& text) {
    const int house = padas.house12Sign;
    const int lordSign = padas.house12LordSign;
    const Body lordBody = kSignLord[static_cast<std::size_t>(house)];
    const std::string_view lord = kBodyNames[Index(lordBody)];
    const int ulSign = padas.ulSign;
    const std::string_view houseName = kSignNames[static_cast<std::size_t>(house)];
    const std::string_view lordSignName = kSignNames[static_cast<std::size_t>(lordSign)];
    const std::string_view padaName = kSignNames[static_cast<std::size_t>(ulSign)];
    const int distance = (lordSign - house + 12) % 12 + 1;  // 1 = the house itself

    text += "House 12 is ";
    text.append(houseName).append("; its lord, ");
    AppendLordPhrase(text, lord, retrograde);
    if (distance == 1) {
        text.append(", stands in ")
            .append(houseName)
            .append(" itself, so the pada is the 10th sign from ");
        text.append(houseName).append(": ").append(padaName).append(".");
        return;
    }
    text.append(", stands in ").append(lordSignName).append(", the ");
    AppendOrdinal(text, distance);
    text.append(" sign from ").append(houseName);
    if (distance == 7) {
        text.append(", so the pada is the 10th sign from ").append(houseName).append(": ");
        text.append(padaName).append(".");
        return;
    }
    const int counted = SignCounted(lordSign, distance);
    text.append("; counting ");
    AppendInt(text, distance);
    text.append(" signs on from ").append(lordSignName);
    text.append(" gives ").append(kSignNames[static_cast<std::size_t>(counted)]);
    if ((counted - house + 12) % 12 == 6) {
        text.append(", the 7th from ")
            .append(houseName)
            .append(", so the pada moves to the 4th sign from ");
        text.append(houseName).append(": ").append(padaName).append(".");
    } else {
        text.append(", the pada.");
    }
}

}  // namespace korvanta
