// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch_answers.h"

#include "cli/astronomy_json.h"
#include "cli/batch.h"
#include "cli/sensitivity_output.h"
#include "cli/varga_output.h"
#include "pipeline/pipeline.h"
#include "pipeline/sensitivity.h"
#include "precise/precise_source.h"
#include "report/report.h"

namespace korvanta::batch {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text of a JSON value without the blanks that may surround it.
std::string_view TrimJsonBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The astronomy of one line: the command line's, with what the line names
// itself. A node or sunrise choice without the precise astronomy is the
// line's error (in `error` and `field`, unless it has one already).
AstronomyOptions LineAstronomy(const AstronomyOptions& defaults, const RecordExtras& extras,
                               std::string& error, std::string& field) {
    AstronomyOptions options = defaults;
    if (extras.astronomy) options.astronomy = *extras.astronomy;
    if (extras.node) options.node = *extras.node;
    if (extras.sunrise) options.sunrise = *extras.sunrise;
    if (error.empty() && options.astronomy == Astronomy::Classic &&
        (extras.node || extras.sunrise)) {
        field = extras.node ? "node" : "sunrise";
        error = "\"" + field + "\" needs \"astronomy\": \"precise\"";
    }
    return options;
}

}  // namespace

void BlockAnswerer::Answer(BatchBlock& block) {
    block.output.clear();
    block.failedLines = 0;
    long number = block.firstLine;
    for (const InputLine& line : block.lines) {
        bool answered = false;
        if (line.tooLong) {
            block.output += BatchErrorLine(number,
                                           "the line holds " + std::to_string(line.length) +
                                               " bytes; a line may hold at most " +
                                               std::to_string(kMaxBatchLineBytes),
                                           "");
        } else {
            answered =
                AnswerLine(number, std::string_view(block.input).substr(line.offset, line.length),
                           block.output);
        }
        if (!answered) ++block.failedLines;
        block.output += '\n';
        ++number;
    }
    if (block.readError) {
        ++block.failedLines;
        block.output +=
            BatchErrorLine(number, "standard input could not be read: " + *block.readError, "");
        block.output += '\n';
    }
}

bool BlockAnswerer::AnswerLine(long number, std::string_view line, std::string& output) {
    const std::size_t lineStart = output.size();
    if (number == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    const std::string_view record = TrimJsonBlanks(line);
    std::string error, field;
    if (record.starts_with(kByteOrderMark)) {
        error = "a byte-order mark may stand only at the start of the input";
    } else if (auto recordError = ReadRecord(record, form_, &extras_)) {
        error = std::move(recordError->message);
        field = std::move(recordError->field);
    } else if (auto refusal = ValidateBirthData(form_)) {
        error = std::string(refusal->message);
        field = std::string(RecordFieldOf(refusal->focus));
    }
    const AstronomyOptions astronomy = LineAstronomy(astronomy_, extras_, error, field);
    if (!error.empty()) {
        output += BatchErrorLine(number, error, field);
        return false;
    }
    const Birth birth = BirthOfForm(form_);
    if (astronomy.astronomy == Astronomy::Classic) {
        chart_ = CalculateChart(birth);
    } else {
        auto made = CalculateChart(birth, astronomy);
        if (auto* failed = std::get_if<AstronomyError>(&made)) {
            output += BatchErrorLine(number, failed->message, "");
            return false;
        }
        chart_ = std::get<Chart>(std::move(made));
    }
    BuildReport(birth, chart_, report_);
    JsonWriter json(output);
    json.BeginObject();
    WriteChartKeys(json, chart_, report_, record);
    // The astronomy's keys follow the chart's own (none for a classic chart).
    WriteAstronomyKeys(json, chart_);
    // The optional parts follow the chart's keys, in the order of the
    // single chart's object.
    if (extras_.sensitivityMinutes > 0) {
        auto made = BirthTimeSensitivity(birth, extras_.sensitivityMinutes, astronomy);
        if (auto* failed = std::get_if<AstronomyError>(&made)) {
            json.Flush();
            output.resize(lineStart);
            output += BatchErrorLine(number, failed->message, "");
            return false;
        }
        const SensitivityView strip = BuildSensitivityView(std::get<SensitivityStrip>(made));
        json.Key("sensitivity")
            .Raw(SensitivityJson(strip).dump(-1, ' ', false, Json::error_handler_t::replace));
    }
    if (extras_.vargas) json.Key("vargas").Raw(VargasJson(chart_).dump());
    json.EndObject();
    return true;
}

}  // namespace korvanta::batch
