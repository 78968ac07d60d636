#include "fuzz/chart_properties.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "reading/arudha.h"

namespace korvanta::fuzz {
namespace {

int SignOfShortText(const std::string& text) {
    if (text.size() != 9) return -1;
    for (std::size_t k = 0; k < 12; ++k) {
        if (text.compare(3, 3, kSignAbbr[k]) == 0) return static_cast<int>(k);
    }
    return -1;
}

int CountBreaks(const std::string& text) {
    int count = 0;
    for (auto at = text.find(kCrLf); at != std::string::npos; at = text.find(kCrLf, at + 2)) {
        ++count;
    }
    return count;
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

}  // namespace

std::string ChartFaults(const EntryForm& form, const ChartResult& r) {
    Faults f;
    const ResultCaptions& c = r.captions;

    // Each body once, in the cell of its sign, under its (marked) name.
    int bodies = 0;
    for (std::size_t slot = 0; slot < 10; ++slot) {
        const int sign = SignOfShortText(r.birthChartList[slot]);
        f.Check(sign >= 0, "a chart list text holds no sign");
        if (sign < 0) continue;
        const std::string line = std::string(kCrLf) + r.chart.BodyName[slot];
        const std::string& cell = c.signCells[static_cast<std::size_t>(sign)];
        const auto at = cell.find(line);
        f.Check(at != std::string::npos && (at + line.size() == cell.size() ||
                                            cell.compare(at + line.size(), 2, kCrLf) == 0),
                "a body is missing from its sign's cell");
    }
    for (const std::string& cell : c.signCells) bodies += CountBreaks(cell);
    f.Check(bodies == 10, "the sign cells do not hold exactly ten bodies");
    f.Check(c.planet == r.birthChartList, "the position table is not the birth's chart list");

    // Retrograde marks only on the five planets, exactly where flagged.
    constexpr std::size_t kPlanetSlots[5] = {kMercury, kVenus, kMars, kJupiter, kSaturn};
    for (std::size_t k = 0; k < 5; ++k) {
        const std::string plain(kPlainBodyNames[kPlanetSlots[k]]);
        const std::string expected =
            r.chart.RetroFlags[k] ? plain + std::string(kRetroMark) : plain;
        f.Check(r.chart.BodyName[kPlanetSlots[k]] == expected, "a retrograde mark is wrong");
    }

    // Padas and the Upapada Lagna.
    const ArudhaState& a = r.arudha;
    for (const auto pada : a.Pada) f.Check(pada >= 0 && pada <= 11, "a pada is out of range");
    f.Check(a.ULSignIndex == a.Pada[11], "the UL is not the 12th house's pada");
    const int ascendantSign = SignOfShortText(r.birthChartList[kAsc]);
    f.Check(a.ULHouse == (a.ULSignIndex - ascendantSign + 12) % 12 + 1,
            "the UL's house does not follow from its sign");
    f.Check(c.lblULPresentHouse == "House " + std::to_string(a.ULHouse), "the UL house caption");
    f.Check(a.ULHouse >= 1 && a.ULHouse <= 12 &&
                c.lblHoraDesc == kHouseReading[static_cast<std::size_t>(a.ULHouse - 1)],
            "the UL house reading");
    f.Check(!c.lblVedicName.empty() && !c.txtHealth.empty(), "the UL sign's profile is missing");

    // Marks: the twelve padas and the lagna lord's, at most nine more bare
    // line breaks, and "UL" the only visible text.
    int marks = 0;
    std::string visible;
    for (const std::string& cell : c.lblArudha) {
        marks += CountBreaks(cell);
        for (const char ch : cell) {
            if (ch != '\r' && ch != '\n') visible += ch;
        }
    }
    f.Check(marks >= 13 && marks <= 22, "the number of chart marks");
    f.Check(visible == "UL", "the chart marks show other text than \"UL\"");

    // Numbers.
    const ChartRecord& chart = r.chart;
    f.Check(chart.Ascendant >= 0 && chart.Ascendant <= 360, "the ascendant is outside 0..360");
    f.Check(chart.MoonLongitude >= 0 && chart.MoonLongitude <= 360, "the Moon is outside 0..360");
    f.Check(std::isfinite(chart.Ayanamsa) && std::isfinite(chart.MoonAyanamsa) &&
                std::isfinite(chart.MoonNakStart) && std::isfinite(chart.SunriseSunLongitude),
            "a longitude is not finite");
    for (const auto& v :
         {r.special.ghati, r.special.hora, r.special.bhava, r.special.varnada, r.special.sree}) {
        f.Check(Finite(v), "a special point is not finite");
    }
    f.Check(InSigns(r.special.signCountMark) && InSigns(r.special.pranapada),
            "a special sign is out of range");

    // The reference sunrise lies within a day of the birth's date.
    if (chart.ReferenceSunrise) {
        f.Check(chart.MinutesFromSunrise >= 0 && chart.MinutesFromSunrise <= 3 * 1440,
                "the minutes from sunrise");
        f.Check(std::abs(chart.SecondsFromSunrise - 60 * chart.MinutesFromSunrise) < 60,
                "the seconds from sunrise disagree with the minutes");
        f.Check(r.special.ghati && r.special.hora && r.special.bhava && r.special.varnada,
                "a point of the reference sunrise is missing");
    } else {
        f.Check(!r.special.ghati && !r.special.pranapada, "a point without a reference sunrise");
    }

    // "Your Details" shows the entry.
    f.Same(c.lblName, form.txtName, "the name caption");
    f.Same(c.lblCity, form.txtMCity, "the city caption");
    f.Same(c.lblState, form.txtMState, "the state caption");
    f.Same(c.lblCountry, form.txtMCountry, "the country caption");
    return f.First();
}

std::string ResultDifference(const ChartResult& x, const ChartResult& y) {
    Faults f;
    const BirthData &b1 = x.birth, &b2 = y.birth;
    f.Check(b1.BirthName == b2.BirthName && b1.BirthMonth == b2.BirthMonth &&
                b1.BirthDay == b2.BirthDay && b1.BirthYear == b2.BirthYear &&
                b1.BirthHour == b2.BirthHour && b1.BirthMinute == b2.BirthMinute &&
                b1.AbsZoneHours == b2.AbsZoneHours && b1.AbsZoneMinutes == b2.AbsZoneMinutes &&
                b1.LonDeg == b2.LonDeg && b1.LonMin == b2.LonMin && b1.LatDeg == b2.LatDeg &&
                b1.LatMin == b2.LatMin && b1.IsEast == b2.IsEast && b1.IsSouth == b2.IsSouth &&
                b1.IsDST == b2.IsDST && b1.BirthMonthName == b2.BirthMonthName &&
                b1.BirthDayText == b2.BirthDayText && b1.BirthYearText == b2.BirthYearText &&
                b1.BirthHourText == b2.BirthHourText && b1.BirthMinuteText == b2.BirthMinuteText &&
                b1.BirthSecondText == b2.BirthSecondText && b1.BirthDateText == b2.BirthDateText,
            "birth data");

    const ChartRecord &c1 = x.chart, &c2 = y.chart;
    f.Check(c1.ZoneHours == c2.ZoneHours && c1.ZoneMinutes == c2.ZoneMinutes, "zone");
    f.Check(c1.Ayanamsa == c2.Ayanamsa && c1.Ascendant == c2.Ascendant &&
                c1.AscendantWhole == c2.AscendantWhole && c1.AscText == c2.AscText,
            "ascendant");
    f.Check(c1.MoonAyanamsa == c2.MoonAyanamsa && c1.MoonLongitude == c2.MoonLongitude &&
                c1.MoonNakStart == c2.MoonNakStart && c1.MoonText == c2.MoonText,
            "Moon");
    f.Check(c1.SecondMomentMode == c2.SecondMomentMode && c1.PlanetText == c2.PlanetText &&
                c1.RahuText == c2.RahuText && c1.KetuText == c2.KetuText &&
                c1.ChartList == c2.ChartList && c1.SunriseSunLongitude == c2.SunriseSunLongitude &&
                c1.SunriseSunText == c2.SunriseSunText,
            "planets");
    f.Check(c1.RetroFlags == c2.RetroFlags && c1.BodyName == c2.BodyName, "retrograde marks");
    f.Check(c1.BirthDateText == c2.BirthDateText && c1.BirthMoment == c2.BirthMoment &&
                c1.SunriseResult == c2.SunriseResult && c1.SunriseToday == c2.SunriseToday &&
                c1.SunsetToday == c2.SunsetToday && c1.SunrisePrev == c2.SunrisePrev &&
                c1.SunsetPrev == c2.SunsetPrev && c1.SunriseNext == c2.SunriseNext &&
                c1.SunsetNext == c2.SunsetNext && c1.ReferenceSunrise == c2.ReferenceSunrise &&
                c1.MinutesFromSunrise == c2.MinutesFromSunrise &&
                c1.SecondsFromSunrise == c2.SecondsFromSunrise && c1.SunriseDay == c2.SunriseDay &&
                c1.SunriseMonthName == c2.SunriseMonthName && c1.SunriseYear == c2.SunriseYear &&
                c1.SunriseHour == c2.SunriseHour && c1.SunriseMinute == c2.SunriseMinute &&
                c1.PranapadaParts == c2.PranapadaParts,
            "sunrise reference");

    const ArudhaState &a1 = x.arudha, &a2 = y.arudha;
    f.Check(a1.ArudhaHouse == a2.ArudhaHouse && a1.LagnaSign == a2.LagnaSign &&
                a1.HouseSign == a2.HouseSign && a1.LordSign == a2.LordSign &&
                a1.LagnaLordSign == a2.LagnaLordSign && a1.ExtraMarkSign == a2.ExtraMarkSign &&
                a1.LagnaSignCount == a2.LagnaSignCount && a1.MoonSignCount == a2.MoonSignCount &&
                a1.ULSignIndex == a2.ULSignIndex && a1.ULHouse == a2.ULHouse && a1.Pada == a2.Pada,
            "padas");

    const SpecialPoints &s1 = x.special, &s2 = y.special;
    f.Check(s1.ghati == s2.ghati && s1.hora == s2.hora && s1.bhava == s2.bhava &&
                s1.varnada == s2.varnada && s1.sree == s2.sree &&
                s1.signCountMark == s2.signCountMark && s1.pranapada == s2.pranapada,
            "special points");

    const ResultCaptions &r1 = x.captions, &r2 = y.captions;
    f.Check(r1.planet == r2.planet && r1.signCells == r2.signCells && r1.lblArudha == r2.lblArudha,
            "chart captions");
    f.Check(r1.lblName == r2.lblName && r1.lblDOB == r2.lblDOB && r1.lblTOB == r2.lblTOB &&
                r1.lblLatitude == r2.lblLatitude && r1.lblLongitude == r2.lblLongitude &&
                r1.lblCity == r2.lblCity && r1.lblState == r2.lblState &&
                r1.lblCountry == r2.lblCountry,
            "details captions");
    f.Check(r1.lblULPresentHouse == r2.lblULPresentHouse && r1.lblHoraDesc == r2.lblHoraDesc,
            "UL captions");
    f.Check(r1.lblVedicName == r2.lblVedicName && r1.lblEnglishName == r2.lblEnglishName &&
                r1.lblArudhaLagnaPresentInSign == r2.lblArudhaLagnaPresentInSign &&
                r1.lblRullingPlanet == r2.lblRullingPlanet && r1.lblSymbol == r2.lblSymbol &&
                r1.lblNature == r2.lblNature && r1.lblColor == r2.lblColor &&
                r1.lblTypeOfSign == r2.lblTypeOfSign && r1.lblGender == r2.lblGender &&
                r1.lblBestPeriodOfActivity == r2.lblBestPeriodOfActivity &&
                r1.lblBarren == r2.lblBarren && r1.lblCaste == r2.lblCaste &&
                r1.lblPosition == r2.lblPosition &&
                r1.lblConstituentCharacter == r2.lblConstituentCharacter &&
                r1.lblLuckyDays == r2.lblLuckyDays && r1.lblLuckyNumbers == r2.lblLuckyNumbers &&
                r1.lblBestDirection == r2.lblBestDirection &&
                r1.lblLuckyColors == r2.lblLuckyColors &&
                r1.lblLuckyGemstone == r2.lblLuckyGemstone &&
                r1.lblPartOfTheBody == r2.lblPartOfTheBody && r1.lblPhysique == r2.lblPhysique &&
                r1.txtLooks == r2.txtLooks && r1.txtNature == r2.txtNature &&
                r1.txtCareerAndFinance == r2.txtCareerAndFinance &&
                r1.txtLoveAndDomesticLife == r2.txtLoveAndDomesticLife &&
                r1.txtHealth == r2.txtHealth && r1.lblCompatibleWith == r2.lblCompatibleWith &&
                r1.lblNotCompatibleWith == r2.lblNotCompatibleWith,
            "profile captions");

    f.Check(x.birthPlanetText == y.birthPlanetText && x.birthRahuText == y.birthRahuText &&
                x.birthKetuText == y.birthKetuText && x.birthChartList == y.birthChartList,
            "birth-moment texts");
    return f.First();
}

}  // namespace korvanta::fuzz
