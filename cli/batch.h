// SPDX-License-Identifier: GPL-3.0-or-later
// Batch mode: JSON input records on one stream, one JSON result line per
// input line on the other, in input order.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include "pipeline/positions_source.h"

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

// The threads a batch may use.
struct BatchOptions {
    // Threads computing charts: 1 computes in the calling thread; more (the
    // calling thread one of them) share the input's blocks out and write the
    // answers in input order. The output is the same byte for byte.
    int jobs = 1;
    // The astronomy of the lines that do not name their own (--astronomy,
    // --node, --sunrise).
    AstronomyOptions astronomy;
};

// The most --jobs takes: each thread keeps two blocks in memory, and a
// mistyped count must not exhaust the memory or the system's threads.
inline constexpr int kMaxBatchJobs = 256;

// The CPUs this process may run on (sched_getaffinity), at least 1 and at
// most kMaxBatchJobs: the threads a batch uses unless told.
int UsableCpus();

// Reads every line of `in` and answers each on `out`, in input order: a
// chart object, or an error object for a line that is not a usable record or
// whose entry is refused (the refusal's own message). A byte-order mark is
// skipped at the start of the input and refused anywhere else. The answers
// are written whenever the input has no more bytes ready, so a program that
// sends a record and waits reads its answer; otherwise in blocks of about a
// hundred. Standard input and output (std::cin, std::cout) are read and
// written through their file descriptors.
BatchSummary RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options = {});

}  // namespace korvanta
