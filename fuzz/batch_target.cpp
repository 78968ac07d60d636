// SPDX-License-Identifier: GPL-3.0-or-later
// The batch reader with any bytes: it answers every input line with exactly
// one line of valid JSON, a chart for a usable record and an error object
// naming the line otherwise, counts the error lines it returns, and lets no
// exception escape.
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "cli/batch.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/targets.h"
#include "library/birth_record.h"
#include "pipeline/pipeline.h"
#include "report/positions.h"

namespace korvanta::fuzz {
namespace {

// The lines std::getline reads from `text`: a final line without a line
// break counts, an empty text has none.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The entry a chart object's echoed input record stands for, read here
// without the command line's own reader: nothing when a required key is
// missing or a value has the wrong type.
std::optional<EntryForm> FormOfEcho(const nlohmann::json& input) {
    if (!input.is_object()) return std::nullopt;
    const auto whole = [&](const char* key, bool optional, int& out) {
        if (!input.contains(key)) return optional;
        if (!input[key].is_number_integer()) return false;
        out = input[key].get<int>();
        return true;
    };
    const auto flag = [&](const char* key, bool optional, bool& out) {
        if (!input.contains(key)) return optional;
        if (!input[key].is_boolean()) return false;
        out = input[key].get<bool>();
        return true;
    };
    const auto text = [&](const char* key, bool optional, std::string& out) {
        if (!input.contains(key)) return optional;
        if (!input[key].is_string()) return false;
        out = input[key].get<std::string>();
        return true;
    };
    EntryForm form;
    int month = 0, day = 0, year = 0, latDeg = 0, latMin = 0, lonDeg = 0, lonMin = 0;
    const bool complete =
        text("name", false, form.txtName) && whole("month", false, month) &&
        whole("day", false, day) && whole("year", false, year) &&
        whole("hour", false, form.cboHH) && whole("minute", false, form.cboMM) &&
        whole("second", true, form.cboSS) && whole("lat_deg", false, latDeg) &&
        whole("lat_min", false, latMin) && flag("south", false, form.optLatSouth) &&
        whole("lon_deg", false, lonDeg) && whole("lon_min", false, lonMin) &&
        flag("east", false, form.optLongEast) && whole("zone_index", false, form.cmbTimeZone) &&
        flag("dst", true, form.chkDST) && text("city", true, form.txtMCity) &&
        text("state", true, form.txtMState) && text("country", true, form.txtMCountry);
    if (!complete) return std::nullopt;
    form.cboMonth = month - 1;
    form.cboDate = day - 1;
    form.cboYear = year - kFirstYear;
    form.txtLatD = std::to_string(latDeg);
    form.txtLatM = std::to_string(latMin);
    form.txtLonD = std::to_string(lonDeg);
    form.txtLonM = std::to_string(lonMin);
    return form;
}

}  // namespace

std::string BatchReader(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string input = in.Rest();
    std::istringstream inStream(input);
    std::ostringstream outStream;
    long failed = 0;
    try {
        const BatchSummary summary = RunBatch(inStream, outStream);
        if (summary.readError || summary.writeError) return "a string stream reported an error";
        failed = summary.failedLines;
        // Blocks shared out to threads give the same bytes as one thread.
        std::istringstream again(input);
        std::ostringstream threaded;
        BatchOptions three;
        three.jobs = 3;
        const BatchSummary onThreads = RunBatch(again, threaded, three);
        if (threaded.str() != outStream.str() || onThreads.failedLines != failed) {
            return "three threads answered otherwise than one";
        }
    } catch (const std::exception& e) {
        return std::string("an exception escaped the batch reader: ") + e.what();
    }

    const std::vector<std::string> inputs = Lines(input);
    // The quick reader of common records reads each line as the parser does.
    for (const std::string& line : inputs) {
        EntryForm quickForm, fullForm;
        RecordExtras quickExtras, fullExtras;
        const auto quick = ReadRecord(line, quickForm, &quickExtras, RecordParsing::Quick);
        const auto full = ReadRecord(line, fullForm, &fullExtras, RecordParsing::Full);
        if (quick.has_value() != full.has_value() ||
            (quick && (quick->message != full->message || quick->field != full->field)) ||
            quickForm.txtName != fullForm.txtName || quickForm.cboYear != fullForm.cboYear ||
            quickForm.txtLatD != fullForm.txtLatD || quickForm.txtMCity != fullForm.txtMCity ||
            quickForm.cmbTimeZone != fullForm.cmbTimeZone || quickExtras.note != fullExtras.note) {
            return "the quick record reader read a line otherwise than the parser";
        }
    }
    const std::vector<std::string> outputs = Lines(outStream.str());
    if (outputs.size() != inputs.size()) return "not one output line per input line";
    long errors = 0;
    for (std::size_t k = 0; k < outputs.size(); ++k) {
        const auto answer = nlohmann::json::parse(outputs[k], nullptr, false);
        if (answer.is_discarded() || !answer.is_object()) {
            return "an output line is not a JSON object";
        }
        if (answer.contains("error")) {
            ++errors;
            if (!answer["error"].is_string() || answer["error"].get<std::string>().empty()) {
                return "an error object without a reason";
            }
            if (answer.value("input_line", nlohmann::json()) != nlohmann::json(k + 1)) {
                return "an error object names the wrong line";
            }
            continue;
        }
        // A chart: its line must have been JSON, and the chart must be the
        // core's chart of the entry it echoes.
        if (nlohmann::json::parse(inputs[k], nullptr, false).is_discarded()) {
            return "a line that is not JSON was answered with a chart";
        }
        const std::optional<EntryForm> form = FormOfEcho(answer.value("input", nlohmann::json()));
        if (!form) return "a chart object without a complete input record";
        const auto outcome = CalculateChart(*form);
        const auto* result = std::get_if<BirthChart>(&outcome);
        if (!result) return "a refused entry was answered with a chart";
        if (answer.value("ul_sign_index", nlohmann::json()) !=
                nlohmann::json(result->chart.padas.ulSign) ||
            answer.value("asc_text", nlohmann::json()) !=
                nlohmann::json(FormatSignPosition(result->chart.position[Index(Body::Asc)]))) {
            return "the chart object differs from the core's chart of its input";
        }
    }
    if (errors != failed) return "the returned failure count differs from the error lines";
    return {};
}

}  // namespace korvanta::fuzz
