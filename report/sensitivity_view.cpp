// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/sensitivity_view.h"

#include <cstdio>

#include "calendar/calendar.h"
#include "report/moment_text.h"
#include "report/names.h"

namespace korvanta {
namespace {

constexpr std::array<std::string_view, 5> kRetrogradePlanets = {"Mercury", "Venus", "Mars",
                                                                "Jupiter", "Saturn"};
constexpr std::array<std::string_view, 4> kSunriseCaseTexts = {"before sunrise", "day",
                                                               "after sunset", "no sunrise"};

CivilDateTime CivilOf(std::int64_t clockSeconds) {
    return CivilOfSeconds(clockSeconds);
}

std::int64_t DayOf(std::int64_t clockSeconds) {
    return FloorDiv(clockSeconds, kSecondsPerDay);
}

std::string ClockText(std::int64_t clockSeconds) {
    const CivilDateTime t = CivilOf(clockSeconds);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

// The clock time alone on the birth's date, with the date on any other.
std::string MomentText(std::int64_t clockSeconds, std::int64_t birth) {
    return DayOf(clockSeconds) == DayOf(birth) ? ClockText(clockSeconds)
                                               : ClockDateTimeText(clockSeconds);
}

}  // namespace

std::string SensitivitySpanText(int spanMinutes) {
    if (spanMinutes % 60 == 0) return "\u00b1" + std::to_string(spanMinutes / 60) + " h";
    return "\u00b1" + std::to_string(spanMinutes) + " min";
}

std::string SensitivityValueText(SensitivityRow row, int value) {
    switch (row) {
        case SensitivityRow::Ascendant:
        case SensitivityRow::UpapadaSign:
        case SensitivityRow::ArudhaLagna:
        case SensitivityRow::MoonSign:
        case SensitivityRow::NavamsaAscendant:
        case SensitivityRow::NavamsaUpapada:
            return std::string(SignName(value));
        case SensitivityRow::UpapadaHouse:
            return "House " + std::to_string(value);
        case SensitivityRow::MoonNakshatra:
            return value >= 0 && value < 27 ? std::string(kNakshatraNames[value]) : std::string();
        case SensitivityRow::Retrograde: {
            std::string text;
            for (std::size_t k = 0; k < kRetrogradePlanets.size(); ++k) {
                if ((value & (1 << k)) == 0) continue;
                if (!text.empty()) text += ", ";
                text += kRetrogradePlanets[k];
            }
            return text.empty() ? "none" : text;
        }
        case SensitivityRow::SunriseCase:
            return value >= 0 && value < 4 ? std::string(kSunriseCaseTexts[value]) : std::string();
    }
    return {};
}

std::string DurationText(std::int64_t seconds) {
    if (seconds < 0) seconds = -seconds;
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds / 60 % 60;
    const std::int64_t rest = seconds % 60;
    std::string text;
    const auto part = [&text](std::int64_t count, std::string_view unit) {
        if (!text.empty()) text += ' ';
        text += std::to_string(count);
        text += ' ';
        text += unit;
    };
    if (hours > 0) part(hours, "h");
    if (minutes > 0) part(minutes, "min");
    if (rest > 0 || text.empty()) part(rest, "s");
    return text;
}

std::string ClockDateTimeText(std::int64_t clockSeconds) {
    const CivilDateTime t = CivilOf(clockSeconds);
    return LocalMomentText(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

std::string SensitivityAnswer(const SensitivityStrip& strip) {
    const auto& segments = strip.Row(SensitivityRow::UpapadaSign);
    const SensitivitySegment& segment = SegmentAtBirth(strip, SensitivityRow::UpapadaSign);
    const bool changeBefore = &segment != &segments.front();
    const bool changeAfter = &segment != &segments.back();

    std::string sentence = "The Upapada Lagna stays in " +
                           SensitivityValueText(SensitivityRow::UpapadaSign, segment.value) +
                           " from ";
    if (!changeBefore && !strip.cutAtStart) sentence += "before ";
    sentence += MomentText(segment.from, strip.birth) + " to ";
    if (!changeAfter && !strip.cutAtEnd) sentence += "after ";
    sentence += MomentText(segment.to, strip.birth);

    // A span cut at the end of the date range saw nothing beyond it: the
    // sentence says so rather than claim the whole span (the span note says
    // where and why it stops).
    const std::string unseen =
        strip.cutAtEnd
            ? "; nothing after " + MomentText(strip.end, strip.birth) + " could be examined"
        : strip.cutAtStart
            ? "; nothing before " + MomentText(strip.start, strip.birth) + " could be examined"
            : std::string();
    if (!changeBefore && !changeAfter) {
        if (unseen.empty()) {
            return sentence + ": no change within " + SensitivitySpanText(strip.spanMinutes) +
                   " of the birth.";
        }
        return sentence + ": no change within the " + DurationText(strip.end - strip.start) +
               " examined" + unseen + ".";
    }
    const std::int64_t sinceChange = strip.birth - segment.from;
    const std::int64_t untilChange = segment.to - strip.birth;
    const bool nearestBefore = changeBefore && (!changeAfter || sinceChange <= untilChange);
    // The nearest change is only known as far as the span reaches.
    const bool cutSideUnseen = (nearestBefore && !changeAfter && strip.cutAtEnd) ||
                               (!nearestBefore && !changeBefore && strip.cutAtStart);
    const std::string tail = cutSideUnseen ? unseen + "." : ".";
    if (nearestBefore && sinceChange == 0) {
        return sentence + "; the birth falls on the change itself" + tail;
    }
    if (nearestBefore) {
        return sentence + "; the birth is " + DurationText(sinceChange) +
               " after the nearest change" + tail;
    }
    return sentence + "; the birth is " + DurationText(untilChange) + " before the nearest change" +
           tail;
}

std::string ShownMomentText(const SensitivityView& view, std::int64_t shown) {
    return "Showing the result for " + MomentText(shown, view.birth) +
           "; the strip stays centred on the entered time " + view.birthText + ".";
}

SensitivityView BuildSensitivityView(const SensitivityStrip& strip) {
    SensitivityView view;
    view.spanMinutes = strip.spanMinutes;
    view.birth = strip.birth;
    view.start = strip.start;
    view.end = strip.end;
    view.heading =
        std::string(kSensitivityHeading) + " (" + SensitivitySpanText(strip.spanMinutes) + ")";
    view.answer = SensitivityAnswer(strip);
    view.birthText = MomentText(strip.birth, strip.birth);
    view.spanNote = "From " + MomentText(strip.start, strip.birth) + " to " +
                    MomentText(strip.end, strip.birth) + "; the birth at " + view.birthText + ".";
    if (strip.cutAtStart) {
        view.cutNote = "The span stops at " + ClockDateTimeText(strip.start) +
                       ", the first moment a birth can be entered.";
    } else if (strip.cutAtEnd) {
        view.cutNote = "The span stops at " + ClockDateTimeText(strip.end) +
                       ", the last moment a birth can be entered.";
    }
    for (std::size_t row = 0; row < kSensitivityRows; ++row) {
        SensitivityRowView& rowView = view.rows[row];
        rowView.label = kSensitivityRowLabels[row];
        rowView.key = kSensitivityRowKeys[row];
        for (const SensitivitySegment& segment : strip.rows[row]) {
            rowView.segments.push_back(
                {segment.from, segment.to,
                 SensitivityValueText(static_cast<SensitivityRow>(row), segment.value),
                 MomentText(segment.from, strip.birth), MomentText(segment.to, strip.birth)});
        }
    }
    return view;
}

}  // namespace korvanta
