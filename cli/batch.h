// SPDX-License-Identifier: GPL-3.0-or-later
// Batch mode: JSON input records on one stream, one JSON result line per
// input line on the other, in input order.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace korvanta {

// The longest input line a batch reads, without its line break. A birth
// record needs a few hundred bytes; a longer line is answered with an error
// object naming its length and skipped, never held in memory whole.
inline constexpr std::size_t kMaxBatchLineBytes = std::size_t{1} << 20;

// The error object of an input line that gave no chart: {"input_line": N,
// "error": "..."} and, when the fault lies in one key, "field".
std::string BatchErrorLine(long lineNumber, const std::string& error, const std::string& field);

// How a batch ended.
struct BatchSummary {
    long failedLines = 0;  // lines answered with an error object
    // Standard input could not be read: the reason, with the line that was
    // being read. That line is answered with an error object and the batch
    // ends after every line read before it has been answered.
    std::optional<std::string> readError;
    // Standard output could not be written: the reason, with the input lines
    // whose answers may be missing. The batch stops reading at once.
    std::optional<std::string> writeError;
};

// Reads every line of `in` and answers each on `out`: a chart object, or an
// error object for a line that is not a usable record or whose entry is
// refused (the refusal's own message). A byte-order mark is skipped at the
// start of the input and refused anywhere else.
BatchSummary RunBatch(std::istream& in, std::ostream& out);

}  // namespace korvanta
