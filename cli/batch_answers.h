// SPDX-License-Identifier: GPL-3.0-or-later
// The answer to each line of a batch block: a chart object or an error
// object, one line each.
#pragma once

#include <string>
#include <string_view>

#include "cli/batch_blocks.h"
#include "cli/chart_json.h"
#include "library/birth_record.h"
#include "pipeline/chart.h"
#include "pipeline/entry.h"
#include "report/report.h"

namespace korvanta::batch {

// Answers blocks, reusing its storage from line to line. One per thread: an
// answer depends only on its line and the line's number, never on the lines
// answered before, so any thread may answer any block.
class BlockAnswerer {
  public:
    // `astronomy`: the astronomy of the lines that do not name their own.
    explicit BlockAnswerer(const AstronomyOptions& astronomy = {}) : astronomy_(astronomy) {}

    // Fills `block.output` and `block.failedLines` from its lines (and its
    // read error, answered last).
    void Answer(BatchBlock& block);

  private:
    // Appends the answer to line `number`, without its line break. Returns
    // false for an error object.
    bool AnswerLine(long number, std::string_view line, std::string& output);

    AstronomyOptions astronomy_;
    EntryForm form_;
    Chart chart_;
    RecordExtras extras_;
    ChartReport report_;  // refilled for every chart, keeping its texts' storage
};

}  // namespace korvanta::batch
