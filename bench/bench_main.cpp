// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-bench: runs the benchmarks (five repetitions each unless the
// command line says otherwise), prints Google Benchmark's report on standard
// error and a summary table in Markdown on standard output.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Figures {
    double nanoseconds = 0;
    std::map<std::string, double> counters;
    std::string label;
};

double Nanoseconds(double value, benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond:
            return value;
        case benchmark::kMicrosecond:
            return value * 1e3;
        case benchmark::kMillisecond:
            return value * 1e6;
        case benchmark::kSecond:
            return value * 1e9;
    }
    return value;
}

// Keeps the median of each benchmark's repetitions (or its only run) while
// the console reporter prints everything.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single) continue;
            Figures f;
            f.nanoseconds = Nanoseconds(run.GetAdjustedRealTime(), run.time_unit);
            for (const auto& [name, counter] : run.counters) f.counters[name] = counter.value;
            f.label = run.report_label;
            figures_[run.run_name.function_name] = f;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::optional<Figures> Find(const std::string& name) const {
        const auto it = figures_.find(name);
        if (it == figures_.end()) return std::nullopt;
        return it->second;
    }

  private:
    std::map<std::string, Figures> figures_;
};

std::string Time(double nanoseconds) {
    char text[32];
    if (nanoseconds >= 1e6) {
        std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
    } else if (nanoseconds >= 1000) {
        std::snprintf(text, sizeof text, "%.2f µs", nanoseconds / 1000);
    } else {
        std::snprintf(text, sizeof text, "%.0f ns", nanoseconds);
    }
    return text;
}

std::string Count(const Figures& f, const std::string& counter) {
    const auto it = f.counters.find(counter);
    if (it == f.counters.end()) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", it->second);
    return text;
}

void Row(const std::string& what, const std::string& time, const std::string& allocations,
         const std::string& target) {
    std::printf("| %s | %s | %s | %s |\n", what.c_str(), time.c_str(), allocations.c_str(),
                target.c_str());
}

// The per-birth rows (median, then 90th percentile and slowest birth) of a
// per-birth benchmark.
void PerBirthRows(const SummaryReporter& r, const char* benchmark, const std::string& what,
                  const char* target) {
    const auto f = r.Find(benchmark);
    if (!f) return;
    Row(what + ", median over 1,000 births", Time(f->counters.at("median_ns")), "", target);
    Row(what + ", 90th percentile / slowest birth",
        Time(f->counters.at("p90_ns")) + " / " + Time(f->counters.at("max_ns")), "", "");
}

void PrintTable(const SummaryReporter& r) {
    std::printf("| Measure | Median | Heap allocations per call | Target |\n");
    std::printf("|---|---|---|---|\n");
    // The typed chart alone, then the chart with its report: the complete
    // presentation model every output is drawn from.
    PerBirthRows(r, "ChartCalculationPerBirth", "Chart (CalculateChart)", "≤ 3 µs");
    const auto chart = r.Find("ChartCalculation");
    if (chart) {
        Row("Chart (CalculateChart), mean over the spread", Time(chart->nanoseconds),
            Count(*chart, "allocs"), "");
    }
    PerBirthRows(r, "ChartAndReportPerBirth", "Chart + report (CalculateChart + BuildReport)",
                 "≤ 6 µs");
    const auto complete = r.Find("ChartAndReportCalculation");
    if (complete) {
        Row("Chart + report, mean over the spread (one report refilled)",
            Time(complete->nanoseconds), Count(*complete, "allocs"), "0 allocations");
    }
    // Batch mode's line: the JSON written straight from the chart and report.
    if (const auto line = r.Find("ChartReportAndJsonLine")) {
        Row("Chart + report + JSON line (AppendChartLine), mean over the spread",
            Time(line->nanoseconds), Count(*line, "allocs"), "");
    }
    if (const auto json = r.Find("JsonLine")) {
        Row("  JSON line alone (AppendChartLine, from a report)", Time(json->nanoseconds),
            Count(*json, "allocs"), "");
    }
    if (const auto answer = r.Find("BatchAnswer")) {
        Row("Batch answer to one record: read, check, chart, report, line (one thread of "
            "--batch)",
            Time(answer->nanoseconds), Count(*answer, "allocs"), "≤ 12.5 µs (80,000/s)");
    }

    struct Stage {
        const char* benchmark;
        const char* caption;
        bool partOfSum;  // a step of CalculateChart(birth)
        const char* target = "";
    };
    const Stage stages[] = {
        {"ValidateBirthData", "ValidateBirthData (entry form, before the chart)", false},
        {"Lagna_Calculation", "Lagna_Calculation", true},
        {"Moon_Calculation", "Moon_Calculation", true},
        {"PlanetPositions", "PlanetPositions (birth moment)", true},
        {"Retrograde_Calculation", "Retrograde_Calculation", true},
        {"Arudha_Calculation", "Arudha_Calculation", true},
        {"SunriseReference_Calculation", "SunriseReference_Calculation (all of the following)",
         true},
        {"SunRiseSet_CalculationThreeDays", "  SunRiseSet_Calculation × 3", false},
        {"SunAtReferenceSunrise", "  SiderealSun (reference sunrise)", false},
        {"BuildReport", "BuildReport (from a calculated chart, into one report refilled)", false,
         "≤ 1 µs, 0 allocations"},
        {"BuildNewReport", "BuildReport into a new report (the window's)", false},
    };
    double stageSum = 0;
    bool everyStage = true;
    for (const Stage& s : stages) {
        const auto f = r.Find(s.benchmark);
        if (!f) {
            everyStage = everyStage && !s.partOfSum;
            continue;
        }
        if (s.partOfSum) stageSum += f->nanoseconds;
        Row(s.caption, Time(f->nanoseconds), Count(*f, "allocs"), s.target);
    }
    if (chart && everyStage) {
        Row("Rest of CalculateChart: signs, copies (chart − steps)",
            Time(std::max(0.0, chart->nanoseconds - stageSum)), "", "");
    }
    if (const auto vargas = r.Find("AllVargaCharts")) {
        Row("Sixteen vargas with their padas and UL (AllVargaCharts, from a calculated chart)",
            Time(vargas->nanoseconds), Count(*vargas, "allocs"), "< 1 µs");
    }

    if (const auto strip = r.Find("SensitivityStrip")) {
        Row("Birth-time sensitivity strip, ±2 h, all rows to the second (BirthTimeSensitivity), "
            "mean over the spread",
            Time(strip->nanoseconds), Count(*strip, "allocs"), "< 5 ms");
    }
    if (const auto view = r.Find("SensitivityStripAndView")) {
        Row("Sensitivity strip + its texts (BuildSensitivityView)", Time(view->nanoseconds),
            Count(*view, "allocs"), "");
    }

    // The precise astronomy (precise/, Swiss Ephemeris) beside the classic.
    const auto precise = r.Find("PreciseChartPositions");
    if (precise) {
        Row("Precise chart: positions (PositionsAt: 7 bodies, node, ascendant, ayanamsa), mean "
            "over the spread",
            Time(precise->nanoseconds), Count(*precise, "allocs"), "70–110 µs");
        if (chart) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f×", precise->nanoseconds / chart->nanoseconds);
            Row("Precise positions time / classic chart", text, "", "");
        }
    }
    if (const auto withSun = r.Find("PreciseChartWithSunrises")) {
        Row("Precise chart + sunrise and sunset of its three days + Sun at the reference sunrise",
            Time(withSun->nanoseconds), Count(*withSun, "allocs"), "");
    }
    if (const auto sweep = r.Find("PreciseStripSweep")) {
        Row("Precise sensitivity strip, ±2 h: " + Count(*sweep, "charts") +
                " precise charts per strip (the strip's count), each day's sun events once",
            Time(sweep->nanoseconds), Count(*sweep, "allocs"), "");
    }
    if (const auto piped = r.Find("PreciseChartCalculation")) {
        Row("Precise chart (CalculateChart with the precise astronomy: positions, three days' "
            "sun events, Sun at the reference sunrise), mean over the spread",
            Time(piped->nanoseconds), Count(*piped, "allocs"), "");
        if (chart) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f×", piped->nanoseconds / chart->nanoseconds);
            Row("Precise chart time / classic chart", text, "", "");
        }
    }
    if (const auto strip = r.Find("PreciseSensitivityStrip")) {
        Row("Precise birth-time sensitivity strip, ±2 h (BirthTimeSensitivity with the precise "
            "astronomy), mean over the spread",
            Time(strip->nanoseconds), Count(*strip, "allocs"), "< 50 ms");
    }

    if (const auto swe = r.Find("SwissEphemerisEightBodiesAndHouses")) {
        Row("Swiss Ephemeris: swe_calc_ut × 8 + swe_houses_ex (" + swe->label + ")",
            Time(swe->nanoseconds), Count(*swe, "allocs"), "");
        const auto ratio = [&swe](double ours) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f×", swe->nanoseconds / ours);
            return std::string(text);
        };
        if (chart) Row("Swiss Ephemeris time / our chart", ratio(chart->nanoseconds), "", "≥ 20×");
        if (complete) {
            Row("Swiss Ephemeris time / our chart + report", ratio(complete->nanoseconds), "", "");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Defaults first, so the caller's flags override them.
    std::vector<char*> args = {argv[0]};
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    args.push_back(repetitions.data());
    args.push_back(aggregates.data());
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

    SummaryReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintTable(reporter);
    return 0;
}
