// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/sensitivity_output.h"

#include <algorithm>

#include "cli/chart_text.h"

namespace korvanta {
namespace {

constexpr int kTextWidth = 78;

}  // namespace

Json SensitivityJson(const SensitivityView& view) {
    Json object = Json::object();
    object["span_minutes"] = view.spanMinutes;
    object["birth"] = ClockDateTimeText(view.birth);
    object["start"] = ClockDateTimeText(view.start);
    object["end"] = ClockDateTimeText(view.end);
    object["cut"] = !view.cutNote.empty();
    object["answer"] = view.answer;
    for (const SensitivityRowView& row : view.rows) {
        Json segments = Json::array();
        for (const SensitivitySegmentView& segment : row.segments) {
            Json entry = Json::object();
            entry["from"] = ClockDateTimeText(segment.from);
            entry["to"] = ClockDateTimeText(segment.to);
            entry["value"] = segment.value;
            segments.push_back(std::move(entry));
        }
        object[std::string(row.key)] = std::move(segments);
    }
    return object;
}

std::string SensitivityText(const SensitivityView& view) {
    std::string text = "\n" + view.heading + "\n";
    text += WrapText(view.spanNote, 0, kTextWidth);
    if (!view.cutNote.empty()) text += WrapText(view.cutNote, 0, kTextWidth);
    text += WrapText(view.answer, 0, kTextWidth);
    for (const SensitivityRowView& row : view.rows) {
        text += "\n";
        text += row.label;
        text += "\n";
        // The times in two aligned columns: they are as wide as each other
        // unless some carry a date.
        std::size_t fromWidth = 0, toWidth = 0;
        for (const SensitivitySegmentView& segment : row.segments) {
            fromWidth = std::max(fromWidth, segment.fromText.size());
            toWidth = std::max(toWidth, segment.toText.size());
        }
        for (const SensitivitySegmentView& segment : row.segments) {
            std::string line = "  " + segment.fromText;
            line.append(fromWidth - segment.fromText.size(), ' ');
            line += " to " + segment.toText;
            line.append(toWidth - segment.toText.size(), ' ');
            line += "  " + segment.value;
            if (segment.from <= view.birth &&
                (view.birth < segment.to || &segment == &row.segments.back())) {
                line += "  (birth " + view.birthText + ")";
            }
            text += line + "\n";
        }
    }
    return text;
}

}  // namespace korvanta
