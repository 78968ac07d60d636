#include "pipeline/pipeline.h"

#include <cstdlib>

#include "astro/ephemeris.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/retrograde.h"
#include "astro/text_format.h"
#include "pipeline/sunrise_reference.h"
#include "pipeline/zones.h"
#include "reading/sign_profile.h"

namespace korvanta {
namespace {

std::int16_t CoordinateValue(const std::string& text) {
    // The entry check has already accepted the text as a whole number in range.
    return static_cast<std::int16_t>(std::strtol(text.c_str(), nullptr, 10));
}

void CopyBirthFields(const EntryForm& form, const ChartRecord& chart, BirthData& birth) {
    birth.BirthMonth = static_cast<std::int16_t>(form.cboMonth + 1);
    birth.BirthDay = static_cast<std::int16_t>(form.cboDate + 1);
    birth.BirthYear = static_cast<std::int16_t>(kFirstYear + form.cboYear);
    birth.BirthHour = static_cast<std::int16_t>(form.cboHH);
    birth.BirthMinute = static_cast<std::int16_t>(form.cboMM);
    birth.AbsZoneHours = static_cast<std::int16_t>(std::abs(chart.ZoneHours));
    birth.AbsZoneMinutes = static_cast<std::int16_t>(std::abs(chart.ZoneMinutes));
    birth.LonDeg = CoordinateValue(form.txtLonD);
    birth.LonMin = CoordinateValue(form.txtLonM);
    birth.LatDeg = CoordinateValue(form.txtLatD);
    birth.LatMin = CoordinateValue(form.txtLatM);
    birth.IsEast = form.optLongEast;
    birth.IsSouth = form.optLatSouth;
    birth.IsDST = form.chkDST;
}

void FillDetails(const EntryForm& form, const BirthData& birth, ResultCaptions& captions) {
    const std::string_view monthName = kMonthNames[static_cast<std::size_t>(birth.BirthMonth - 1)];
    captions.lblName = birth.BirthName;

    std::string& dob = captions.lblDOB;
    dob.assign(monthName).append("/");
    AppendInt(dob, birth.BirthDay);
    dob += '/';
    AppendInt(dob, birth.BirthYear);

    std::string& tob = captions.lblTOB;
    tob.clear();
    AppendInt(tob, birth.BirthHour);
    tob += ':';
    AppendInt(tob, birth.BirthMinute);

    // Only the hemisphere letter shows the side, never a sign on the number.
    const auto coordinate = [](std::string& out, int degrees, int minutes, std::string_view side) {
        out.clear();
        AppendInt(out, degrees);
        out += "\xC2\xB0 ";
        AppendInt(out, minutes);
        out += "'";
        out += side;
    };
    coordinate(captions.lblLatitude, birth.LatDeg, birth.LatMin, birth.IsSouth ? " S" : " N");
    coordinate(captions.lblLongitude, birth.LonDeg, birth.LonMin, birth.IsEast ? " E" : " W");

    captions.lblCity = form.txtMCity;
    captions.lblState = form.txtMState;
    captions.lblCountry = form.txtMCountry;
}

void CopyBirthTexts(const EntryForm& form, BirthData& birth) {
    const std::string_view monthName = kMonthNames[static_cast<std::size_t>(birth.BirthMonth - 1)];
    birth.BirthMonthName.assign(monthName);
    birth.BirthDayText = ListItemText(1, form.cboDate);
    birth.BirthYearText = ListItemText(kFirstYear, form.cboYear);
    birth.BirthHourText = ListItemText(0, form.cboHH);
    birth.BirthMinuteText = ListItemText(0, form.cboMM);
    birth.BirthSecondText = ListItemText(0, form.cboSS);

    std::string& date = birth.BirthDateText;
    date.assign(monthName).append(" ");
    AppendInt(date, birth.BirthDay);
    date += ',';
    AppendInt(date, birth.BirthYear);
}

// Returns `result` to a fresh ChartResult, handing the storage of its longer
// texts to the new one so that a caller who reuses one result computes chart
// after chart without allocating. Every value comes from the fresh result;
// a text left out here only loses its storage, never its reset.
void RecycleResult(ChartResult& result) {
    ChartResult fresh;
    const auto take = [](std::string& from, std::string& into) {
        into.swap(from);
        into.clear();
    };
    const auto takeAll = [&take](auto& from, auto& into) {
        for (std::size_t i = 0; i < from.size(); ++i) take(from[i], into[i]);
    };
    take(result.birth.BirthName, fresh.birth.BirthName);
    take(result.birth.BirthDateText, fresh.birth.BirthDateText);
    ChartRecord& chart = result.chart;
    take(chart.AscText, fresh.chart.AscText);
    take(chart.MoonText, fresh.chart.MoonText);
    takeAll(chart.PlanetText, fresh.chart.PlanetText);
    take(chart.RahuText, fresh.chart.RahuText);
    take(chart.KetuText, fresh.chart.KetuText);
    take(chart.BirthDateText, fresh.chart.BirthDateText);
    takeAll(result.birthPlanetText, fresh.birthPlanetText);
    take(result.birthRahuText, fresh.birthRahuText);
    take(result.birthKetuText, fresh.birthKetuText);
    ResultCaptions& captions = result.captions;
    takeAll(captions.signCells, fresh.captions.signCells);
    takeAll(captions.lblArudha, fresh.captions.lblArudha);
    take(captions.lblName, fresh.captions.lblName);
    take(captions.lblDOB, fresh.captions.lblDOB);
    take(captions.lblCity, fresh.captions.lblCity);
    take(captions.lblState, fresh.captions.lblState);
    take(captions.lblCountry, fresh.captions.lblCountry);
    result = std::move(fresh);
}

}  // namespace

std::optional<Refusal> CalculateChart(const EntryForm& form, ChartResult& result) {
    if (auto refusal = ValidateBirthData(form)) return refusal;

    RecycleResult(result);
    BirthData& birth = result.birth;
    ChartRecord& chart = result.chart;
    ResultCaptions& captions = result.captions;

    birth.BirthName = form.txtName;
    Zone_Calculation(form.cmbTimeZone, chart);
    CopyBirthFields(form, chart, birth);

    // The order matters: the planets' chart list takes the Moon and ascendant
    // texts, and the retrograde marks rename the bodies before the chart
    // cells use the names.
    chart.SecondMomentMode = false;
    Lagna_Calculation(birth, chart);
    Moon_Calculation(birth, chart);
    PlanetPositions(birth, chart);
    Retrograde_Calculation(birth, chart);

    captions.planet = chart.ChartList;
    FillDetails(form, birth, captions);

    for (int i = 0; i < 10; ++i) {
        const int sign = SignIndexOfShortText(chart.ChartList[static_cast<std::size_t>(i)]);
        if (sign < 0) continue;
        std::string& cell = captions.signCells[static_cast<std::size_t>(sign)];
        cell += kCrLf;
        cell += chart.BodyName[static_cast<std::size_t>(i)];
    }

    // House n is the n-th sign from the ascendant's; one pada call per house.
    const int ascendantSign = SignIndexOfShortText(chart.ChartList[kAsc]);
    if (ascendantSign >= 0) {
        const ChartBodies bodies = ReadChartBodies(chart);
        for (int n = 0; n < 12; ++n) {
            Arudha_Calculation(kSignLord[static_cast<std::size_t>((ascendantSign + n) % 12)],
                               bodies, result.arudha, captions);
        }
    }

    CopyBirthTexts(form, birth);
    chart.BirthDateText = birth.BirthDateText;

    // The sunrise run rebuilds ChartList for the reference sunrise; keep the
    // birth-moment texts for whoever reports them.
    result.birthPlanetText = chart.PlanetText;
    result.birthRahuText = chart.RahuText;
    result.birthKetuText = chart.KetuText;
    result.birthChartList = chart.ChartList;
    SunriseReference_Calculation(birth, chart, result.arudha, captions, result.special);

    ShowSignProfile(result.arudha.ULSignIndex, captions);
    return std::nullopt;
}

ChartOutcome CalculateChart(const EntryForm& form) {
    ChartResult result;
    if (auto refusal = CalculateChart(form, result)) return *refusal;
    return result;
}

}  // namespace korvanta
