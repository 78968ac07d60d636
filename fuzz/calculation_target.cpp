// SPDX-License-Identifier: GPL-3.0-or-later
// The whole calculation with entries whose every list index and coordinate
// lies in range. A date the month does not have must be refused; any other
// entry must give a chart and report with every property of ChartFaults, and
// the same chart and report whether or not another was computed before.
#include <string>

#include "fuzz/chart_properties.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/targets.h"
#include "pipeline/pipeline.h"
#include "pipeline/zones.h"
#include "report/report.h"

namespace korvanta::fuzz {
namespace {

// A name of capitals and blanks (what the name filter lets through) with at
// least one letter.
std::string Name(FuzzInput& in) {
    std::string name = in.Text(20);
    for (char& c : name) {
        const auto b = static_cast<unsigned char>(c);
        c = b % 27 == 26 ? ' ' : static_cast<char>('A' + b % 27);
    }
    return name + static_cast<char>('A' + in.Byte() % 26);
}

// A coordinate text as the boxes hold it: digits only, sometimes with a
// leading zero.
std::string Coordinate(FuzzInput& in, int high) {
    const std::string digits = std::to_string(in.IntIn(0, high));
    return in.Flag() && digits.size() < 2 ? "0" + digits : digits;
}

EntryForm RangeValidForm(FuzzInput& in) {
    EntryForm form;
    form.cboMonth = in.IntIn(0, 11);
    form.cboDate = in.IntIn(0, kDayCount - 1);
    form.cboYear = in.IntIn(0, kYearCount - 1);
    form.cboHH = in.IntIn(0, kHourCount - 1);
    form.cboMM = in.IntIn(0, kMinuteCount - 1);
    form.cboSS = in.IntIn(0, kSecondCount - 1);
    form.cmbTimeZone = in.IntIn(0, kZoneCount - 1);
    form.chkDST = in.Flag();
    form.txtLonD = Coordinate(in, 179);
    form.txtLonM = Coordinate(in, 59);
    form.optLongEast = in.Flag();
    form.txtLatD = Coordinate(in, 89);
    form.txtLatM = Coordinate(in, 59);
    form.optLatSouth = in.Flag();
    form.txtName = Name(in);
    form.txtMCity = in.Text(30);
    form.txtMState = in.Text(30);
    form.txtMCountry = in.Text(30);
    return form;
}

bool DayExists(const EntryForm& form) {
    const int day = form.cboDate + 1;
    const int year = kFirstYear + form.cboYear;
    if (form.cboMonth == 1) return day <= (year % 4 == 0 ? 29 : 28);
    if (form.cboMonth == 3 || form.cboMonth == 5 || form.cboMonth == 8 || form.cboMonth == 10) {
        return day <= 30;
    }
    return true;
}

}  // namespace

std::string WholeCalculation(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const EntryForm form = RangeValidForm(in);
    const EntryForm before = RangeValidForm(in);

    const auto fresh = CalculateChart(form);
    if (std::holds_alternative<Refusal>(fresh) == DayExists(form)) {
        return DayExists(form) ? "an existing date was refused"
                               : "a date that does not exist was accepted";
    }
    if (std::holds_alternative<Refusal>(fresh)) return {};
    const BirthChart& result = std::get<BirthChart>(fresh);
    const ChartReport report = BuildReport(result.birth, result.chart);
    if (std::string fault = ChartFaults(form, result.chart, report); !fault.empty()) return fault;

    // Another chart and its report first (or a refused entry), then this one
    // again: nothing of the earlier calculation may show in it.
    const auto previous = CalculateChart(before);
    if (const auto* other = std::get_if<BirthChart>(&previous)) {
        (void)BuildReport(other->birth, other->chart);
    }
    const auto again = CalculateChart(form);
    if (!std::holds_alternative<BirthChart>(again)) return "the entry was refused the second time";
    const BirthChart& second = std::get<BirthChart>(again);
    if (std::string field = ResultDifference(result.chart, report, second.chart,
                                             BuildReport(second.birth, second.chart));
        !field.empty()) {
        return "a result computed after another chart differs in its " + field;
    }
    return {};
}

}  // namespace korvanta::fuzz
