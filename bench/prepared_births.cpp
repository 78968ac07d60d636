#include "bench/prepared_births.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "astro/ephemeris.h"
#include "bench/birth_spread.h"
#include "reading/arudha.h"

namespace korvanta::bench {
namespace {

// Julian day of 30 December 1899 00:00, the zero of the date-time values.
constexpr double kJulianDayOfDateTimeZero = 2415018.5;

PreparedBirth Prepare(const EntryForm& form) {
    PreparedBirth p;
    p.form = form;
    if (const auto refusal = CalculateChart(form, p.result)) {
        std::fprintf(stderr, "bench: a birth of the spread was refused: %.*s\n",
                     static_cast<int>(refusal->message.size()), refusal->message.data());
        std::abort();
    }
    const ChartResult& r = p.result;
    p.birth = r.birth;

    p.birthChart = r.chart;
    p.birthChart.SecondMomentMode = false;
    p.birthChart.PlanetText = r.birthPlanetText;
    p.birthChart.RahuText = r.birthRahuText;
    p.birthChart.KetuText = r.birthKetuText;
    p.birthChart.ChartList = r.birthChartList;
    p.sunriseChart = r.chart;

    // The padas as the pipeline runs them: house n from the ascendant's sign.
    ResultCaptions captions;
    const std::string& ascText = r.birthChartList[kAsc];
    int ascendantSign = -1;
    for (int k = 0; k < 12 && ascText.size() >= 6; ++k) {
        if (ascText.compare(3, 3, kSignAbbr[static_cast<std::size_t>(k)]) == 0) ascendantSign = k;
    }
    if (ascendantSign < 0) {
        std::fprintf(stderr, "bench: no ascendant sign in \"%s\"\n", ascText.c_str());
        std::abort();
    }
    for (int n = 0; n < 12; ++n) {
        Arudha_Calculation(kSignLord[static_cast<std::size_t>((ascendantSign + n) % 12)],
                           p.birthChart, p.padas, captions);
    }
    p.padaMarks = captions.lblArudha;

    const std::int32_t day = DaysFromCivil(p.birth.BirthYear, p.birth.BirthMonth, p.birth.BirthDay);
    p.sunriseDates = {SplitDateTime(day), SplitDateTime(day - 1), SplitDateTime(day + 1)};

    const double local = DateTimeValue(p.birth.BirthYear, p.birth.BirthMonth, p.birth.BirthDay,
                                       p.birth.BirthHour, p.birth.BirthMinute, form.cboSS);
    const double utHours = r.chart.ZoneHours + r.chart.ZoneMinutes / 60.0 - (p.birth.IsDST ? 1 : 0);
    p.utJulianDay = kJulianDayOfDateTimeZero + local + utHours / 24.0;
    p.latitude = (p.birth.LatDeg + p.birth.LatMin / 60.0) * (p.birth.IsSouth ? -1 : 1);
    p.longitude = (p.birth.LonDeg + p.birth.LonMin / 60.0) * (p.birth.IsEast ? 1 : -1);
    return p;
}

}  // namespace

const std::vector<PreparedBirth>& PreparedBirths() {
    static const std::vector<PreparedBirth> births = [] {
        std::vector<PreparedBirth> out;
        out.reserve(kBirthCount);
        for (const EntryForm& form : BirthSpread(kBirthCount)) out.push_back(Prepare(form));
        return out;
    }();
    return births;
}

}  // namespace korvanta::bench
