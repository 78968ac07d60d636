// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/varga_chart.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "pipeline/text_format.h"
#include "reading/arudha.h"
#include "report/names.h"
#include "report/pada_account.h"

namespace korvanta {
namespace {

// "0.17°": an error in degrees as the note writes it.
std::string DegreesText(double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%g\u00b0", degrees);
    return text;
}

std::string SignAndHouse(int sign, int house) {
    return std::string(SignName(sign)) + ", House " + IntText(house);
}

}  // namespace

bool FinerThanNavamsa(Varga varga) {
    return VargaNumber(varga) > VargaNumber(Varga::D9);
}

std::string VargaPrecisionNote(Varga varga, Astronomy astronomy) {
    if (astronomy != Astronomy::Classic || !FinerThanNavamsa(varga)) return {};
    return "The signs of this " + std::string(VargaName(varga)) +
           " can differ from the precise astronomy's: the classic astronomy puts the planets "
           "within about " +
           DegreesText(kClassicPlanetError) + " of the standard ephemeris, the Moon within " +
           DegreesText(kClassicMoonError) + ", Rahu and Ketu about " +
           DegreesText(kClassicNodeError) + " off.";
}

std::string UpapadaInVargasLine(const Chart& chart) {
    const VargaChart navamsa = VargaChartOf(Varga::D9, chart.longitude);
    return "Upapada Lagna in " + std::string(VargaName(Varga::D1)) + ": " +
           SignAndHouse(chart.padas.ulSign, chart.padas.ulHouse) + "; in " +
           std::string(VargaName(Varga::D9)) + ": " +
           SignAndHouse(navamsa.padas.ulSign, navamsa.padas.ulHouse) + ".";
}

void ShowVarga(ChartReport& report, const Chart& chart, Varga varga) {
    if (varga == Varga::D1) return;
    const VargaChart shown = VargaChartOf(varga, chart.longitude);

    for (ChartCell& cell : report.cells) {
        cell.bodies.clear();
        cell.marks.clear();
    }
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        report.cells[static_cast<std::size_t>(shown.sign[body])].bodies.push_back(
            report.bodyNames[body]);
    }
    // The padas house by house, the lord of house 1 right after house 1's,
    // as the rasi chart marks them; every mark blank but the UL's.
    const ArudhaPadas& padas = shown.padas;
    const auto mark = [&report](int sign, std::string_view tag = {}) {
        report.cells[static_cast<std::size_t>(sign)].marks.push_back(tag);
    };
    for (std::size_t house = 0; house < padas.pada.size(); ++house) {
        const int sign = padas.pada[house];
        report.padaMarks[house] = {sign, report.cells[static_cast<std::size_t>(sign)].marks.size()};
        mark(sign, house == 11 ? kUpapadaTag : std::string_view{});
        if (house == 0) mark(padas.lagnaLordSign);
    }
    report.ascendantSign = shown.sign[Index(Body::Asc)];

    report.vargaCaption = VargaName(varga);
    report.vargaNote = VargaPrecisionNote(varga, chart.astronomy.astronomy);
    report.ulInVargas = UpapadaInVargasLine(chart);

    // The centre block: the name and the birth's date and time as they are,
    // then the varga's name and its Upapada Lagna.
    std::vector<std::string> centre(
        report.centre.begin(),
        report.centre.begin() +
            static_cast<std::ptrdiff_t>(std::min<std::size_t>(2, report.centre.size())));
    // The name without another name in brackets ("D27 Saptavimsamsa"), so
    // that the narrow East Indian centre shows it whole.
    const std::string_view caption = report.vargaCaption;
    centre.emplace_back(caption.substr(0, caption.find(" (")));
    centre.emplace_back(kUpapadaLagna);
    centre.push_back(SignAndHouse(padas.ulSign, padas.ulHouse));
    report.centre = std::move(centre);

    for (std::size_t house = 0; house < padas.pada.size(); ++house) {
        report.padas.padas[house].sign = SignName(padas.pada[house]);
    }
    const Body lord = kSignLord[static_cast<std::size_t>(padas.house12Sign)];
    std::string& account = report.padas.upapadaAccount;
    account = "In the ";
    account.append(report.vargaCaption).append(": ");
    AppendUpapadaAccount(padas, chart.IsRetrograde(lord), account);
}

}  // namespace korvanta
