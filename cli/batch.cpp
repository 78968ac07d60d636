#include "cli/batch.h"

#include <istream>
#include <ostream>

#include "cli/chart_json.h"
#include "cli/input_record.h"
#include "pipeline/pipeline.h"
#include "report/report.h"

namespace korvanta {
namespace {

// The text of a JSON value without the blanks that may surround it.
std::string_view TrimJsonBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Output is flushed in blocks of this many bytes.
constexpr std::size_t kFlushBytes = 1 << 16;

}  // namespace

std::string BatchErrorLine(long lineNumber, const std::string& error, const std::string& field) {
    Json object = Json::object();
    object["input_line"] = lineNumber;
    object["error"] = error;
    if (!field.empty()) object["field"] = field;
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

long RunBatch(std::istream& in, std::ostream& out) {
    std::string line, buffer;
    buffer.reserve(2 * kFlushBytes);
    EntryForm form;
    ChartLineWriter writer;
    long lineNumber = 0, failed = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string_view record = TrimJsonBlanks(line);
        std::string error, field;
        if (auto recordError = ReadRecord(record, form)) {
            error = std::move(recordError->message);
            field = std::move(recordError->field);
        } else if (auto refusal = ValidateBirthData(form)) {
            error = std::string(refusal->message);
            field = std::string(RecordFieldOf(refusal->focus));
        }
        if (error.empty()) {
            const Birth birth = BirthOfForm(form);
            const Chart chart = CalculateChart(birth);
            writer.Append(chart, BuildReport(birth, chart), record, buffer);
        } else {
            ++failed;
            buffer += BatchErrorLine(lineNumber, error, field);
        }
        buffer += '\n';
        if (buffer.size() >= kFlushBytes) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out.flush();
    return failed;
}

}  // namespace korvanta
