// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-time sensitivity strip against the chart itself: every second of
// the span is calculated on its own and compared with the strip's segments,
// so a missed change, a change placed a second off or a segment that is not
// a real change all fail. The births cover a day birth, one before dawn that
// reaches back over New Year, one just after an ascendant change, a polar
// night without sunrise, and spans cut at the first and last accepted years.
#include "pipeline/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "pipeline/pipeline.h"
#include "reading/arudha.h"
#include "report/sensitivity_view.h"

namespace korvanta {
namespace {

Birth MakeBirth(int year, int month, int day, int hour, int minute, int second, int latDeg,
                int latMin, bool south, int lonDeg, int lonMin, bool east, int zoneHours,
                int zoneMinutes) {
    Birth birth;
    birth.name = "TEST";
    birth.year = year;
    birth.month = month;
    birth.day = day;
    birth.hour = hour;
    birth.minute = minute;
    birth.second = second;
    birth.latDeg = latDeg;
    birth.latMin = latMin;
    birth.south = south;
    birth.lonDeg = lonDeg;
    birth.lonMin = lonMin;
    birth.east = east;
    birth.zoneHours = zoneHours;
    birth.zoneMinutes = zoneMinutes;
    return birth;
}

SensitivityValues ValuesAt(const Birth& birth, std::int64_t clock) {
    return SensitivityValuesOf(CalculateChart(BirthAtClock(birth, clock)));
}

// A birth 20 seconds after the ascendant leaves its sign, found by calculating
// minute after minute from 06:00 at New Delhi.
Birth BirthNearAscendantChange() {
    Birth birth = MakeBirth(1980, 6, 5, 6, 0, 0, 28, 36, false, 77, 12, true, -5, -30);
    const int first = ValuesAt(birth, ClockSecondsOf(birth))[0];
    std::int64_t clock = ClockSecondsOf(birth);
    while (ValuesAt(birth, clock)[0] == first) clock += 60;
    return BirthAtClock(birth, clock + 20);
}

struct Case {
    std::string what;
    Birth birth;
    int span;
};

std::vector<Case> Cases() {
    return {
        {"day birth, New Delhi",
         MakeBirth(1980, 6, 5, 9, 5, 30, 28, 36, false, 77, 12, true, -5, -30), 120},
        {"before dawn on New Year's Day, London",
         MakeBirth(2000, 1, 1, 0, 40, 15, 51, 30, false, 0, 7, false, 0, 0), 60},
        {"just after an ascendant change", BirthNearAscendantChange(), 30},
        {"polar night, Svalbard, across midnight",
         MakeBirth(2010, 12, 21, 23, 30, 0, 78, 13, false, 15, 38, true, -1, 0), 120},
        {"midnight sun, Tromso, sunset near midnight",
         MakeBirth(1995, 7, 26, 23, 10, 0, 69, 40, false, 18, 57, true, -1, 0), 120},
        {"first accepted day, cut at the start",
         MakeBirth(1901, 1, 1, 0, 30, 0, 40, 43, false, 74, 0, false, 5, 0), 60},
        {"last accepted day, cut at the end",
         MakeBirth(2050, 12, 31, 23, 50, 0, 33, 52, true, 151, 12, true, -10, 0), 15},
    };
}

// Every second of the span calculated on its own: the segments cover the span
// without gaps, each holds its value at every second, and each boundary is a
// real change (the second before it has the earlier value).
TEST(SensitivityStrip, SegmentsMatchTheChartAtEverySecond) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const SensitivityStrip strip = BirthTimeSensitivity(c.birth, c.span);
        const std::int64_t birth = ClockSecondsOf(c.birth);
        EXPECT_EQ(strip.birth, birth);
        EXPECT_EQ(strip.start, std::max(birth - c.span * 60, FirstAcceptedClockSecond()));
        EXPECT_EQ(strip.end, std::min(birth + c.span * 60, LastAcceptedClockSecond()));
        EXPECT_EQ(strip.cutAtStart, birth - c.span * 60 < FirstAcceptedClockSecond());
        EXPECT_EQ(strip.cutAtEnd, birth + c.span * 60 > LastAcceptedClockSecond());

        std::array<std::size_t, kSensitivityRows> current{};
        for (std::size_t row = 0; row < kSensitivityRows; ++row) {
            const auto& segments = strip.rows[row];
            ASSERT_FALSE(segments.empty());
            EXPECT_EQ(segments.front().from, strip.start);
            EXPECT_EQ(segments.back().to, strip.end);
            for (std::size_t k = 1; k < segments.size(); ++k) {
                EXPECT_EQ(segments[k - 1].to, segments[k].from) << "row " << row;
                EXPECT_NE(segments[k - 1].value, segments[k].value) << "row " << row;
                EXPECT_LT(segments[k].from, segments[k].to + (k + 1 == segments.size()))
                    << "row " << row;
            }
        }
        for (std::int64_t t = strip.start; t <= strip.end; ++t) {
            const SensitivityValues values = ValuesAt(c.birth, t);
            for (std::size_t row = 0; row < kSensitivityRows; ++row) {
                const auto& segments = strip.rows[row];
                while (current[row] + 1 < segments.size() && segments[current[row] + 1].from <= t) {
                    ++current[row];
                }
                const SensitivitySegment& segment = segments[current[row]];
                if (values[row] != segment.value) {
                    ADD_FAILURE() << "row " << row << " at " << ClockDateTimeText(t) << ": chart "
                                  << values[row] << ", strip " << segment.value << " ("
                                  << ClockDateTimeText(segment.from) << " to "
                                  << ClockDateTimeText(segment.to) << ")";
                    return;
                }
            }
        }
    }
}

// The births were chosen so that the sweep above meets the interesting
// changes: the ascendant within seconds of the birth, sunrise on a normal
// day, no sunrise in the polar night, the sunrise case over midnight.
TEST(SensitivityStrip, BirthsReachTheirChanges) {
    const std::vector<Case> cases = Cases();
    const auto strip = [&](std::size_t k) {
        return BirthTimeSensitivity(cases[k].birth, cases[k].span);
    };
    const auto valuesOf = [](const SensitivityStrip& s, SensitivityRow row) {
        std::vector<int> values;
        for (const auto& segment : s.Row(row)) values.push_back(segment.value);
        return values;
    };
    const SensitivityStrip dawn = strip(1);
    EXPECT_EQ(ClockDateTimeText(dawn.start), "1999-12-31 23:40:15");
    EXPECT_EQ(valuesOf(dawn, SensitivityRow::SunriseCase),
              (std::vector<int>{static_cast<int>(SunriseCase::AfterSunset),
                                static_cast<int>(SunriseCase::BeforeSunrise)}));
    EXPECT_EQ(dawn.Row(SensitivityRow::SunriseCase)[1].from,
              ClockSecondsOf(cases[1].birth) - 40 * 60 - 15);

    const SensitivityStrip nearChange = strip(2);
    const SensitivitySegment& asc = SegmentAtBirth(nearChange, SensitivityRow::Ascendant);
    EXPECT_EQ(nearChange.birth - asc.from, 20);

    const SensitivityStrip polar = strip(3);
    EXPECT_EQ(valuesOf(polar, SensitivityRow::SunriseCase),
              (std::vector<int>{static_cast<int>(SunriseCase::NoSunrise)}));
    EXPECT_TRUE(strip(5).cutAtStart);
    EXPECT_TRUE(strip(6).cutAtEnd);
}

// The Navamsa rows hold the chart's Navamsa at the first and the last second
// of every segment: the ascendant's sign by the count of ninths of a sign
// from 0 degrees Aries (the Navamsa's rule in another form), and the Upapada
// Lagna by the arudha rule on the ten points' signs so counted. Exact: the
// count uses the chart's full-precision longitudes.
TEST(SensitivityStrip, NavamsaRowsHoldTheChartsNavamsa) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const SensitivityStrip strip = BirthTimeSensitivity(c.birth, c.span);
        for (const SensitivityRow row :
             {SensitivityRow::NavamsaAscendant, SensitivityRow::NavamsaUpapada}) {
            for (const SensitivitySegment& segment : strip.Row(row)) {
                const std::int64_t last =
                    &segment == &strip.Row(row).back() ? segment.to : segment.to - 1;
                for (const std::int64_t t : {segment.from, last}) {
                    const Chart chart = CalculateChart(BirthAtClock(c.birth, t));
                    std::array<int, kBodyCount> ninths{};
                    for (std::size_t body = 0; body < kBodyCount; ++body) {
                        ninths[body] =
                            static_cast<int>(std::floor(chart.longitude[body] * 9 / 30)) % 12;
                    }
                    const int expected = row == SensitivityRow::NavamsaAscendant
                                             ? ninths[Index(Body::Asc)]
                                             : Arudha_Calculation(ninths).ulSign;
                    EXPECT_EQ(segment.value, expected)
                        << kSensitivityRowLabels[static_cast<std::size_t>(row)] << " at "
                        << ClockDateTimeText(t);
                }
            }
        }
    }
    // About one Navamsa of the ascendant every 13 minutes in New Delhi: the
    // ±2 h strip meets many.
    EXPECT_GE(
        BirthTimeSensitivity(Cases()[0].birth, 120).Row(SensitivityRow::NavamsaAscendant).size(),
        10u);
}

// The answer sentence names the Upapada Lagna's sign at birth, the times of
// its segment and the distance to the nearer of its changes.
TEST(SensitivityStrip, AnswerNamesTheNearestChange) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const SensitivityStrip strip = BirthTimeSensitivity(c.birth, c.span);
        const std::string answer = SensitivityAnswer(strip);
        const auto& segments = strip.Row(SensitivityRow::UpapadaSign);
        std::size_t at = 0;
        while (at + 1 < segments.size() && segments[at + 1].from <= strip.birth) ++at;
        const std::string sign =
            SensitivityValueText(SensitivityRow::UpapadaSign, segments[at].value);
        EXPECT_EQ(answer.rfind("The Upapada Lagna stays in " + sign + " from ", 0), 0u) << answer;

        std::optional<std::int64_t> before, after;
        if (at > 0) before = strip.birth - segments[at].from;
        if (at + 1 < segments.size()) after = segments[at].to - strip.birth;
        // A span cut at an end of the date range says how much it examined
        // and that it saw nothing past the cut, wherever a change there
        // could have been the nearest.
        const std::string cutTime = ClockDateTimeText(strip.cutAtEnd ? strip.end : strip.start);
        const std::string unseen =
            !strip.cutAtEnd && !strip.cutAtStart
                ? ""
                : std::string(strip.cutAtEnd ? "; nothing after " : "; nothing before ") +
                      cutTime.substr(11) + " could be examined";
        const bool nearestBefore = before && (!after || *before <= *after);
        const bool cutSideUnseen = (nearestBefore && !after && strip.cutAtEnd) ||
                                   (!nearestBefore && !before && strip.cutAtStart);
        std::string expectedEnd;
        if (!before && !after) {
            expectedEnd =
                unseen.empty()
                    ? ": no change within " + SensitivitySpanText(c.span) + " of the birth."
                    : ": no change within the " + DurationText(strip.end - strip.start) +
                          " examined" + unseen + ".";
        } else if (nearestBefore) {
            expectedEnd = (*before == 0 ? "; the birth falls on the change itself"
                                        : "; the birth is " + DurationText(*before) +
                                              " after the nearest change") +
                          (cutSideUnseen ? unseen : "") + ".";
        } else {
            expectedEnd = "; the birth is " + DurationText(*after) + " before the nearest change" +
                          (cutSideUnseen ? unseen : "") + ".";
        }
        ASSERT_GE(answer.size(), expectedEnd.size());
        EXPECT_EQ(answer.substr(answer.size() - expectedEnd.size()), expectedEnd) << answer;
    }
}

TEST(SensitivityStrip, TextsOfDurationsSpansAndValues) {
    EXPECT_EQ(DurationText(24 * 60 + 18), "24 min 18 s");
    EXPECT_EQ(DurationText(18), "18 s");
    EXPECT_EQ(DurationText(3600 + 5), "1 h 5 s");
    EXPECT_EQ(DurationText(3600 + 6 * 60), "1 h 6 min");
    EXPECT_EQ(DurationText(0), "0 s");
    EXPECT_EQ(SensitivitySpanText(15), "\u00b115 min");
    EXPECT_EQ(SensitivitySpanText(120), "\u00b12 h");
    EXPECT_EQ(SensitivityValueText(SensitivityRow::Retrograde, 0b10001), "Mercury, Saturn");
    EXPECT_EQ(SensitivityValueText(SensitivityRow::Retrograde, 0), "none");
    EXPECT_EQ(SensitivityValueText(SensitivityRow::MoonNakshatra, 26), "Revati");
    EXPECT_EQ(SensitivityValueText(SensitivityRow::UpapadaHouse, 7), "House 7");
    EXPECT_EQ(ClockDateTimeText(ClockSecondsOf(
                  MakeBirth(2050, 12, 31, 23, 59, 59, 0, 0, false, 0, 0, true, 0, 0))),
              "2050-12-31 23:59:59");
}

}  // namespace
}  // namespace korvanta
