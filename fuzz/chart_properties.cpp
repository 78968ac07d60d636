// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/chart_properties.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "pipeline/entry.h"
#include "reading/arudha.h"
#include "report/names.h"

namespace korvanta::fuzz {
namespace {

int SignOfShortText(const std::string& text) {
    if (text.size() != 9) return -1;
    for (std::size_t k = 0; k < 12; ++k) {
        if (text.compare(3, 3, kSignAbbr[k]) == 0) return static_cast<int>(k);
    }
    return -1;
}

bool InSigns(const std::optional<int>& sign) {
    return !sign || (*sign >= 0 && *sign <= 11);
}

bool Finite(const std::optional<double>& value) {
    return !value || std::isfinite(*value);
}

// Collects the first failed property.
class Faults {
  public:
    void Check(bool holds, std::string_view what) {
        if (!holds && first_.empty()) first_ = what;
    }
    template <typename T>
    void Same(const T& a, const T& b, std::string_view what) {
        Check(a == b, what);
    }
    std::string First() const { return first_; }

  private:
    std::string first_;
};

template <typename Labelled>
bool SameLabelled(const Labelled& a, const Labelled& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.label == y.label && x.text == y.text;
    });
}

bool SameDetails(const BirthDetails& a, const BirthDetails& b) {
    const auto rowsA = a.Rows();
    const auto rowsB = b.Rows();
    return std::equal(rowsA.begin(), rowsA.end(), rowsB.begin(), rowsB.end(),
                      [](const LabelledText* x, const LabelledText* y) {
                          return x->label == y->label && x->text == y->text;
                      });
}

}  // namespace

std::string ChartFaults(const EntryForm& form, const Chart& chart, const ChartReport& report) {
    Faults f;

    // Each body once, in the cell of its sign, under its (marked) name; the
    // position text names the sign of the body's longitude.
    std::size_t bodies = 0;
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        const int sign = SignOfShortText(report.positions[body].text);
        f.Check(sign >= 0, "a position text holds no sign");
        if (sign < 0) continue;
        f.Check(sign == chart.sign[body], "a position text names another sign than the chart");
        const auto& cell = report.cells[static_cast<std::size_t>(sign)].bodies;
        f.Check(std::count(cell.begin(), cell.end(), report.bodyNames[body]) == 1,
                "a body is missing from its sign's cell");
    }
    for (const ChartCell& cell : report.cells) bodies += cell.bodies.size();
    f.Check(bodies == kBodyCount, "the sign cells do not hold exactly ten bodies");

    // Retrograde marks only on the five planets, exactly where flagged.
    for (const Body planet :
         {Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter, Body::Saturn}) {
        const std::string plain(kBodyNames[Index(planet)]);
        const std::string expected = chart.IsRetrograde(planet) ? plain + " (R) " : plain;
        f.Check(report.bodyNames[Index(planet)] == expected, "a retrograde mark is wrong");
    }

    // Padas and the Upapada Lagna.
    const ArudhaPadas& a = chart.padas;
    for (const int pada : a.pada) f.Check(pada >= 0 && pada <= 11, "a pada is out of range");
    f.Check(a.ulSign == a.pada[11], "the UL is not the 12th house's pada");
    const int ascendantSign = chart.SignOf(Body::Asc);
    f.Check(a.ulHouse == (a.ulSign - ascendantSign + 12) % 12 + 1,
            "the UL's house does not follow from its sign");
    f.Check(report.ulHouse == "House " + std::to_string(a.ulHouse), "the UL house caption");
    f.Check(a.ulHouse >= 1 && a.ulHouse <= 12 &&
                report.ulReading == kHouseReading[static_cast<std::size_t>(a.ulHouse - 1)],
            "the UL house reading");
    f.Check(!report.profile.front().text.empty() && !report.readings.back().text.empty(),
            "the UL sign's profile is missing");

    // Marks: the twelve padas and the lagna lord's, at most nine more blank
    // marks, and "UL" the only visible text.
    std::size_t marks = 0;
    std::string visible;
    for (const ChartCell& cell : report.cells) {
        marks += cell.marks.size();
        for (const std::string_view mark : cell.marks) visible += mark;
    }
    f.Check(marks >= 13 && marks <= 22, "the number of chart marks");
    f.Check(visible == "UL", "the chart marks show other text than \"UL\"");

    // Numbers.
    const double ascendant = chart.Longitude(Body::Asc);
    const double moon = chart.Longitude(Body::Moon);
    f.Check(ascendant >= 0 && ascendant <= 360, "the ascendant is outside 0..360");
    f.Check(moon >= 0 && moon <= 360, "the Moon is outside 0..360");
    f.Check(std::all_of(chart.longitude.begin(), chart.longitude.end(),
                        [](double x) { return std::isfinite(x); }) &&
                std::isfinite(chart.ayanamsa) && std::isfinite(chart.moonAyanamsa) &&
                std::isfinite(chart.moonNakStart) && std::isfinite(chart.sunrise.sunLongitude),
            "a longitude is not finite");
    const SpecialPoints& s = chart.special;
    for (const auto& v : {s.ghati, s.hora, s.bhava, s.varnada, s.sree}) {
        f.Check(Finite(v), "a special point is not finite");
    }
    f.Check(InSigns(s.signCountMark) && InSigns(s.pranapada), "a special sign is out of range");

    // The reference sunrise lies within a day of the birth's date.
    const SunriseReference& sunrise = chart.sunrise;
    if (sunrise.reference) {
        f.Check(sunrise.minutesFromSunrise >= 0 && sunrise.minutesFromSunrise <= 3 * 1440,
                "the minutes from sunrise");
        f.Check(std::abs(sunrise.secondsFromSunrise - 60 * sunrise.minutesFromSunrise) < 60,
                "the seconds from sunrise disagree with the minutes");
        f.Check(s.ghati && s.hora && s.bhava && s.varnada,
                "a point of the reference sunrise is missing");
    } else {
        f.Check(!s.ghati && !s.pranapada, "a point without a reference sunrise");
    }

    // "Your Details" shows the entry.
    // The name as entered, small letters made capitals as the name box does.
    f.Same(report.name, CapitalName(form.txtName), "the name caption");
    f.Same(report.details.city.text, form.txtMCity, "the city caption");
    f.Same(report.details.state.text, form.txtMState, "the state caption");
    f.Same(report.details.country.text, form.txtMCountry, "the country caption");
    return f.First();
}

std::string ResultDifference(const Chart& c1, const ChartReport& r1, const Chart& c2,
                             const ChartReport& r2) {
    Faults f;
    f.Check(c1.zoneHours == c2.zoneHours && c1.zoneMinutes == c2.zoneMinutes, "zone");
    f.Check(c1.ayanamsa == c2.ayanamsa && c1.moonAyanamsa == c2.moonAyanamsa &&
                c1.ascendantWhole == c2.ascendantWhole && c1.moonNakStart == c2.moonNakStart,
            "ayanamsas, ascendant or nakshatra");
    f.Check(c1.longitude == c2.longitude && c1.sign == c2.sign, "longitudes");
    f.Check(c1.retrograde == c2.retrograde, "retrograde marks");

    const ArudhaPadas &a1 = c1.padas, &a2 = c2.padas;
    f.Check(a1.pada == a2.pada && a1.lagnaSign == a2.lagnaSign &&
                a1.lagnaLordSign == a2.lagnaLordSign && a1.house12Sign == a2.house12Sign &&
                a1.house12LordSign == a2.house12LordSign && a1.ulSign == a2.ulSign &&
                a1.ulHouse == a2.ulHouse && a1.lagnaSignCount == a2.lagnaSignCount &&
                a1.moonSignCount == a2.moonSignCount,
            "padas");

    const SunriseReference &u1 = c1.sunrise, &u2 = c2.sunrise;
    f.Check(u1.today == u2.today && u1.sunsetToday == u2.sunsetToday && u1.prev == u2.prev &&
                u1.sunsetPrev == u2.sunsetPrev && u1.next == u2.next &&
                u1.sunsetNext == u2.sunsetNext && u1.birthMoment == u2.birthMoment &&
                u1.reference == u2.reference && u1.minutesFromSunrise == u2.minutesFromSunrise &&
                u1.secondsFromSunrise == u2.secondsFromSunrise &&
                u1.sunLongitude == u2.sunLongitude,
            "sunrise reference");

    const SpecialPoints &s1 = c1.special, &s2 = c2.special;
    f.Check(s1.ghati == s2.ghati && s1.hora == s2.hora && s1.bhava == s2.bhava &&
                s1.varnada == s2.varnada && s1.sree == s2.sree &&
                s1.signCountMark == s2.signCountMark && s1.pranapada == s2.pranapada,
            "special points");

    f.Check(r1.programTitle == r2.programTitle && r1.title == r2.title && r1.centre == r2.centre,
            "titles");
    f.Check(std::equal(r1.cells.begin(), r1.cells.end(), r2.cells.begin(),
                       [](const ChartCell& x, const ChartCell& y) {
                           return x.signName == y.signName && x.number == y.number &&
                                  x.bodies == y.bodies && x.marks == y.marks;
                       }),
            "chart cells");
    f.Check(SameLabelled(r1.positions, r2.positions) && r1.longPositions == r2.longPositions &&
                r1.bodyNames == r2.bodyNames && r1.sunAtSunrise == r2.sunAtSunrise,
            "position texts");
    f.Check(r1.name == r2.name && SameDetails(r1.details, r2.details), "details");
    f.Check(r1.ulHouse == r2.ulHouse && r1.ulReading == r2.ulReading, "UL house and reading");
    f.Check(SameLabelled(r1.profile, r2.profile) && SameLabelled(r1.readings, r2.readings),
            "profile");
    const PadasView &p1 = r1.padas, &p2 = r2.padas;
    f.Check(std::equal(p1.padas.begin(), p1.padas.end(), p2.padas.begin(),
                       [](const PadaRow& x, const PadaRow& y) {
                           return x.house == y.house && x.name == y.name && x.sign == y.sign;
                       }) &&
                std::equal(p1.points.begin(), p1.points.end(), p2.points.begin(),
                           [](const SpecialPointRow& x, const SpecialPointRow& y) {
                               return x.point == y.point && x.sign == y.sign &&
                                      x.position == y.position;
                           }) &&
                p1.referenceSunrise == p2.referenceSunrise &&
                p1.upapadaAccount == p2.upapadaAccount,
            "padas view");
    return f.First();
}

}  // namespace korvanta::fuzz
