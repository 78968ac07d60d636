// Batch mode: JSON input records on one stream, one JSON result line per
// input line on the other, in input order.
#pragma once

#include <iosfwd>
#include <string>

namespace korvanta {

// The error object of an input line that gave no chart: {"input_line": N,
// "error": "..."} and, when the fault lies in one key, "field".
std::string BatchErrorLine(long lineNumber, const std::string& error, const std::string& field);

// Reads every line of `in` and answers each on `out`: a chart object, or an
// error object for a line that is not a usable record or whose entry is
// refused (the refusal's own message). Returns the number of failed lines.
long RunBatch(std::istream& in, std::ostream& out);

}  // namespace korvanta
