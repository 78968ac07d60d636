// SPDX-License-Identifier: GPL-3.0-or-later
// The line of batch mode: a chart, its report and its JSON object written
// into a buffer refilled from line to line, and the whole answer to an input
// record (read, checked, calculated, written) as one thread of --batch
// makes it.
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/prepared_births.h"
#include "cli/batch_answers.h"
#include "cli/chart_json.h"
#include "library/birth_record.h"
#include "pipeline/pipeline.h"
#include "report/report.h"

namespace korvanta::bench {
namespace {

const std::vector<std::string>& RecordTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        for (const PreparedBirth& p : PreparedBirths())
            out.push_back(RecordFromForm(p.form).dump());
        return out;
    }();
    return texts;
}

// Chart, report and JSON line of each birth.
void ChartReportAndJsonLine(benchmark::State& state) {
    const auto& births = PreparedBirths();
    const auto& records = RecordTexts();
    ChartReport report;
    std::string line;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        const Chart chart = CalculateChart(births[k].birth);
        BuildReport(births[k].birth, chart, report);
        line.clear();
        AppendChartLine(chart, report, records[k], line);
        benchmark::DoNotOptimize(line.data());
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(ChartReportAndJsonLine);

// The JSON line alone, from a calculated chart and its report.
void JsonLine(benchmark::State& state) {
    const auto& births = PreparedBirths();
    const auto& records = RecordTexts();
    std::vector<ChartReport> reports;
    for (const PreparedBirth& p : births) reports.push_back(BuildReport(p.birth, p.chart));
    std::string line;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        line.clear();
        AppendChartLine(births[k].chart, reports[k], records[k], line);
        benchmark::DoNotOptimize(line.data());
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(JsonLine);

// The answer to one input record, as a block of one line: the record read
// and checked, the chart, the report and the line.
void BatchAnswer(benchmark::State& state) {
    const auto& records = RecordTexts();
    std::vector<batch::BatchBlock> blocks(records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        blocks[k].input = records[k] + "\n";
        blocks[k].lines.push_back({0, records[k].size(), false});
        blocks[k].firstLine = 2;  // past the line where a byte-order mark may stand
    }
    batch::BlockAnswerer answerer;
    std::size_t k = 0;
    const std::uint64_t allocations = AllocationCount();
    for (auto _ : state) {
        answerer.Answer(blocks[k]);
        benchmark::DoNotOptimize(blocks[k].output.data());
        benchmark::ClobberMemory();
        k = NextBirth(k);
    }
    ReportPerCall(state, allocations);
}
BENCHMARK(BatchAnswer);

}  // namespace
}  // namespace korvanta::bench
