// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/sensitivity.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "calendar/calendar.h"
#include "astro/moon.h"
#include "pipeline/pipeline.h"
#include "pipeline/sunrise_reference.h"
#include "reading/varga.h"

namespace korvanta {
namespace {

constexpr std::int64_t kSecondsPerMinute = 60;

// Sampling. The ascendant, the Moon, the planets and the retrograde marks
// read the clock to the whole minute only (their seconds play no part), so
// every row built from them (ascendant, Upapada and Arudha Lagnas, Moon sign
// and nakshatra, retrograde marks, the Navamsa's ascendant and Upapada
// Lagna) keeps one value through each clock minute
// and can change only at second 0 of a minute. A sample at every whole minute
// therefore sees every value these rows take, however fast the ascendant
// runs at high latitudes: no segment of theirs is shorter than the one-minute
// step. The sunrise case also reads the seconds, but it changes only at
// midnight, at a sunrise (whole minutes) and one second after a sunset; the
// whole-minute samples see the first two, and a further sample one second
// after each sunset and at each sunrise of the span sees the third even when
// the stretch after sunset is shorter than a minute (a sunset at 23:59).
// Between two samples whose values differ, bisection on the chart finds each
// change to the second.
//
// With another source of positions (the precise astronomy) the positions
// follow the seconds too, so the rows change at any second; the same samples
// still see every value that lasts a minute or more, and bisection places
// each change to the second. A value held for less than a minute between two
// samples that agree (two signs changing back within one minute) is not seen;
// the ascendant, the Moon and the retrograde marks move one way only, so only
// the padas could do that, near the poles.

std::int64_t WholeSecondsOf(double dateTime) {
    return std::llround(dateTime * static_cast<double>(kSecondsPerDay));
}

// Every chart the strip calculates, by clock moment: samples and bisection
// steps share them, so rows that change together cost one search.
// `ChartOf(birth)` makes each chart.
template <typename ChartOf>
class ChartSamples {
  public:
    ChartSamples(const Birth& birth, ChartOf& chartOf) : birth_(birth), chartOf_(chartOf) {}

    const SensitivityValues& At(std::int64_t clock) {
        auto found = values_.find(clock);
        if (found != values_.end()) return found->second;
        const Chart chart = chartOf_(BirthAtClock(birth_, clock));
        return values_.emplace(clock, SensitivityValuesOf(chart)).first->second;
    }

  private:
    Birth birth_;
    ChartOf& chartOf_;
    std::map<std::int64_t, SensitivityValues> values_;
};

// The changes of one row between two moments whose values differ, each found
// by bisection: the first second whose value differs from the one before,
// then again from there while the value still differs from the later one.
template <typename Samples>
void AddChanges(Samples& samples, std::size_t row, std::int64_t earlier, std::int64_t later,
                std::vector<SensitivitySegment>& segments) {
    int value = samples.At(earlier)[row];
    const int laterValue = samples.At(later)[row];
    std::int64_t from = earlier;
    while (value != laterValue) {
        std::int64_t same = from;    // value here equals `value`
        std::int64_t other = later;  // value here differs from it
        int otherValue = laterValue;
        while (other - same > 1) {
            const std::int64_t middle = same + (other - same) / 2;
            const int middleValue = samples.At(middle)[row];
            if (middleValue == value) {
                same = middle;
            } else {
                other = middle;
                otherValue = middleValue;
            }
        }
        segments.back().to = other;
        segments.push_back({other, other, otherValue});
        value = otherValue;
        from = other;
    }
}

}  // namespace

bool IsSensitivitySpan(int minutes) {
    return std::find(kSensitivitySpans.begin(), kSensitivitySpans.end(), minutes) !=
           kSensitivitySpans.end();
}

std::int64_t ClockSecondsOf(const Birth& birth) {
    return MomentOf(birth).local;
}

Birth BirthAtClock(const Birth& birth, std::int64_t clockSeconds) {
    const CivilDateTime at = CivilOfSeconds(clockSeconds);
    Birth moved = birth;
    moved.year = at.year;
    moved.month = at.month;
    moved.day = at.day;
    moved.hour = at.hour;
    moved.minute = at.minute;
    moved.second = at.second;
    return moved;
}

std::int64_t FirstAcceptedClockSecond() {
    return static_cast<std::int64_t>(DaysFromCivil(1901, 1, 1)) * kSecondsPerDay;
}

std::int64_t LastAcceptedClockSecond() {
    return static_cast<std::int64_t>(DaysFromCivil(2051, 1, 1)) * kSecondsPerDay - 1;
}

SensitivityValues SensitivityValuesOf(const Chart& chart) {
    SensitivityValues values{};
    const auto set = [&values](SensitivityRow row, int value) {
        values[static_cast<std::size_t>(row)] = value;
    };
    set(SensitivityRow::Ascendant, chart.SignOf(Body::Asc));
    set(SensitivityRow::UpapadaSign, chart.padas.ulSign);
    set(SensitivityRow::UpapadaHouse, chart.padas.ulHouse);
    set(SensitivityRow::ArudhaLagna, chart.padas.pada[0]);
    set(SensitivityRow::MoonSign, chart.SignOf(Body::Moon));
    // The nakshatra start is entry k of a table spaced 13.33 degrees apart.
    const double nakshatra = std::round(chart.moonNakStart / kNakshatraStart[1]);
    set(SensitivityRow::MoonNakshatra, static_cast<int>(std::clamp(nakshatra, 0.0, 26.0)));
    int marks = 0;
    for (std::size_t k = 0; k < chart.retrograde.size(); ++k) {
        if (chart.retrograde[k]) marks |= 1 << k;
    }
    set(SensitivityRow::Retrograde, marks);
    SunriseCase sunriseCase = SunriseCase::NoSunrise;
    if (chart.sunrise.reference) {
        const std::optional<DayPart> part = DayPartOfBirth(
            chart.sunrise.birthMoment, chart.sunrise.today, chart.sunrise.sunsetToday);
        if (part == DayPart::BeforeSunrise) sunriseCase = SunriseCase::BeforeSunrise;
        if (part == DayPart::Day) sunriseCase = SunriseCase::Day;
        if (part == DayPart::AfterSunset) sunriseCase = SunriseCase::AfterSunset;
    }
    set(SensitivityRow::SunriseCase, static_cast<int>(sunriseCase));
    const VargaChart navamsa = VargaChartOf(Varga::D9, chart.longitude);
    set(SensitivityRow::NavamsaAscendant, navamsa.sign[Index(Body::Asc)]);
    set(SensitivityRow::NavamsaUpapada, navamsa.padas.ulSign);
    return values;
}

namespace {

template <typename ChartOf>
SensitivityStrip StripOf(const Birth& birth, int spanMinutes, ChartOf& chartOf) {
    SensitivityStrip strip;
    spanMinutes = std::max(spanMinutes, 1);
    strip.spanMinutes = spanMinutes;
    strip.birth = ClockSecondsOf(birth);
    const std::int64_t span = spanMinutes * kSecondsPerMinute;
    strip.start = std::max(strip.birth - span, FirstAcceptedClockSecond());
    strip.end = std::min(strip.birth + span, LastAcceptedClockSecond());
    strip.cutAtStart = strip.start > strip.birth - span;
    strip.cutAtEnd = strip.end < strip.birth + span;

    // The sample moments: the span's ends and every whole minute between.
    ChartSamples<ChartOf> samples(birth, chartOf);
    std::vector<std::int64_t> moments{strip.start};
    const std::int64_t firstMinute =
        (strip.start + kSecondsPerMinute - 1) / kSecondsPerMinute * kSecondsPerMinute;
    for (std::int64_t t = firstMinute; t <= strip.end; t += kSecondsPerMinute) {
        if (t != strip.start) moments.push_back(t);
    }
    if (moments.back() != strip.end) moments.push_back(strip.end);

    // Plus each sunrise and the second after each sunset of the span's days.
    std::vector<std::int64_t> sunMoments;
    std::int64_t lastDay = -1;
    for (const std::int64_t t : moments) {
        samples.At(t);
        const std::int64_t day = t / kSecondsPerDay;
        if (day == lastDay) continue;
        lastDay = day;
        const Chart chart = chartOf(BirthAtClock(birth, t));
        if (chart.sunrise.today) sunMoments.push_back(WholeSecondsOf(*chart.sunrise.today));
        if (chart.sunrise.sunsetToday) {
            sunMoments.push_back(WholeSecondsOf(*chart.sunrise.sunsetToday) + 1);
        }
    }
    for (const std::int64_t t : sunMoments) {
        if (t > strip.start && t < strip.end) moments.push_back(t);
    }
    std::sort(moments.begin(), moments.end());
    moments.erase(std::unique(moments.begin(), moments.end()), moments.end());

    for (std::size_t row = 0; row < kSensitivityRows; ++row) {
        auto& segments = strip.rows[row];
        segments.push_back({strip.start, strip.end, samples.At(strip.start)[row]});
        for (std::size_t k = 1; k < moments.size(); ++k) {
            if (samples.At(moments[k])[row] != segments.back().value) {
                AddChanges(samples, row, moments[k - 1], moments[k], segments);
            }
        }
        segments.back().to = strip.end;
    }
    return strip;
}

}  // namespace

SensitivityStrip BirthTimeSensitivity(const Birth& birth, int spanMinutes) {
    const auto classic = [](const Birth& at) { return CalculateChart(at); };
    return StripOf(birth, spanMinutes, classic);
}

std::variant<AstronomyError, SensitivityStrip> BirthTimeSensitivity(const Birth& birth,
                                                                    int spanMinutes,
                                                                    PositionsSource& source) {
    // The first error ends the use of the source's charts: the strip made
    // around it is dropped and the error returned.
    std::optional<AstronomyError> failed;
    const auto fromSource = [&source, &failed](const Birth& at) {
        if (failed) return Chart{};
        auto chart = CalculateChart(at, source);
        if (auto* error = std::get_if<AstronomyError>(&chart)) {
            failed = std::move(*error);
            return Chart{};
        }
        return std::get<Chart>(std::move(chart));
    };
    SensitivityStrip strip = StripOf(birth, spanMinutes, fromSource);
    if (failed) return *failed;
    return strip;
}

const SensitivitySegment& SegmentAtBirth(const SensitivityStrip& strip, SensitivityRow row) {
    const auto& segments = strip.Row(row);
    for (std::size_t k = 0; k + 1 < segments.size(); ++k) {
        if (strip.birth < segments[k + 1].from) return segments[k];
    }
    return segments.back();
}

}  // namespace korvanta
