// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch.h"

#include <istream>
#include <limits>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/chart_json.h"
#include "cli/output_stream.h"
#include "cli/sensitivity_output.h"
#include "library/birth_record.h"
#include "pipeline/pipeline.h"
#include "pipeline/sensitivity.h"
#include "report/report.h"

namespace korvanta {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text of a JSON value without the blanks that may surround it.
std::string_view TrimJsonBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Output is written and checked in blocks of this many bytes.
constexpr std::size_t kFlushBytes = 1 << 16;

// Reads standard input line by line, holding at most kMaxBatchLineBytes of
// one line. Read errors of the stream's buffer surface as exceptions, so
// that their error code is kept.
class LineReader {
  public:
    enum class Status { Line, TooLong, End };

    explicit LineReader(std::istream& in) : in_(in), buffer_(kMaxBatchLineBytes + 1) {
        in_.exceptions(std::ios::badbit);
    }

    // The next line; for a line too long, only its length is known.
    Status Next() {
        in_.getline(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        const auto count = static_cast<std::size_t>(in_.gcount());
        if (!in_.fail()) {
            // The line break was read and counted unless the input ended.
            length_ = in_.eof() ? count : count - 1;
            return Status::Line;
        }
        if (count == 0) return Status::End;
        // The buffer filled before a line break: skip the rest of the line.
        in_.clear();
        in_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        const auto rest = static_cast<std::size_t>(in_.gcount());
        length_ = count + (in_.eof() ? rest : rest - 1);
        return Status::TooLong;
    }

    std::string_view Line() const { return {buffer_.data(), length_}; }
    std::size_t Length() const { return length_; }

  private:
    std::istream& in_;
    std::vector<char> buffer_;
    std::size_t length_ = 0;
};

std::string ReadFailure(const std::ios_base::failure& failure) {
    const std::error_code code = failure.code();
    // libstdc++ passes the system's errno; a code of the stream category
    // says no more than "iostream error".
    if (code && code.category() == std::system_category()) return code.message();
    if (code && code.category() == std::generic_category()) return code.message();
    return "read error";
}

}  // namespace

std::string BatchErrorLine(long lineNumber, const std::string& error, const std::string& field) {
    Json object = Json::object();
    object["input_line"] = lineNumber;
    object["error"] = error;
    if (!field.empty()) object["field"] = field;
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

BatchSummary RunBatch(std::istream& in, std::ostream& out) {
    BatchSummary summary;
    std::string buffer;
    buffer.reserve(2 * kFlushBytes);
    EntryForm form;
    RecordExtras extras;
    ChartLineWriter writer;
    long lineNumber = 0;
    long firstBuffered = 1;  // the input line whose answer opens the buffer
    auto writeBuffer = [&]() {
        if (const auto problem = WriteChecked(out, buffer)) {
            summary.writeError = "standard output: " + *problem + "; the answers to input line " +
                                 std::to_string(firstBuffered) + " and after were not all written";
        }
        buffer.clear();
        firstBuffered = lineNumber + 1;
        return !summary.writeError;
    };
    const std::ios::iostate oldExceptions = in.exceptions();
    LineReader reader(in);
    try {
        while (true) {
            const LineReader::Status status = reader.Next();
            if (status == LineReader::Status::End) break;
            ++lineNumber;
            std::string error, field;
            std::string_view record;
            if (status == LineReader::Status::TooLong) {
                error = "the line holds " + std::to_string(reader.Length()) +
                        " bytes; a line may hold at most " + std::to_string(kMaxBatchLineBytes);
            } else {
                std::string_view line = reader.Line();
                if (lineNumber == 1 && line.starts_with(kByteOrderMark)) {
                    line.remove_prefix(kByteOrderMark.size());
                }
                record = TrimJsonBlanks(line);
                if (record.starts_with(kByteOrderMark)) {
                    error = "a byte-order mark may stand only at the start of the input";
                } else if (auto recordError = ReadRecord(record, form, &extras)) {
                    error = std::move(recordError->message);
                    field = std::move(recordError->field);
                } else if (auto refusal = ValidateBirthData(form)) {
                    error = std::string(refusal->message);
                    field = std::string(RecordFieldOf(refusal->focus));
                }
            }
            if (error.empty()) {
                const Birth birth = BirthOfForm(form);
                const Chart chart = CalculateChart(birth);
                writer.Append(chart, BuildReport(birth, chart), record, buffer);
                if (extras.sensitivityMinutes > 0) {
                    // The strip closes the chart object as its last key.
                    const SensitivityView strip = BuildSensitivityView(
                        BirthTimeSensitivity(birth, extras.sensitivityMinutes));
                    buffer.pop_back();
                    buffer += ",\"sensitivity\":";
                    buffer +=
                        SensitivityJson(strip).dump(-1, ' ', false, Json::error_handler_t::replace);
                    buffer += '}';
                }
            } else {
                ++summary.failedLines;
                buffer += BatchErrorLine(lineNumber, error, field);
            }
            buffer += '\n';
            if (buffer.size() >= kFlushBytes && !writeBuffer()) break;
        }
    } catch (const std::ios_base::failure& failure) {
        ++lineNumber;
        const std::string reason = ReadFailure(failure);
        summary.readError = "standard input: " + reason + " (reading input line " +
                            std::to_string(lineNumber) + ")";
        ++summary.failedLines;
        buffer += BatchErrorLine(lineNumber, "standard input could not be read: " + reason, "");
        buffer += '\n';
    }
    in.exceptions(oldExceptions);
    if (!summary.writeError) writeBuffer();
    return summary;
}

}  // namespace korvanta
