// SPDX-License-Identifier: GPL-3.0-or-later
// The entry check against an independent reading of its rules: an entry is
// accepted exactly when the name has a non-blank character, the four
// coordinate texts are whole numbers in range, the lists hold a selection and
// the day exists in its month. A refusal names a control whose rule failed.
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <variant>

#include "fuzz/chart_properties.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/targets.h"
#include "pipeline/entry.h"
#include "pipeline/name_letters.h"
#include "pipeline/pipeline.h"
#include "pipeline/zones.h"
#include "report/report.h"

namespace korvanta::fuzz {
namespace {

// Blanks around, an optional sign, then decimal digits; the value saturates
// far above every range.
std::optional<std::int64_t> CoordinateNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value < 1'000'000'000 ? value * 10 + (c - '0') : value;
    }
    return negative ? -value : value;
}

bool CoordinateOk(const std::string& text, std::int64_t high) {
    const auto value = CoordinateNumber(text);
    return value && *value >= 0 && *value <= high;
}

bool InList(int index, int count) {
    return index >= 0 && index < count;
}

// Whether the day fits the month: February by the leap rule (exact for the
// years of the list), the four 30-day months without a 31st. The day and year
// are judged as the indexes give them, inside their lists or not.
bool DateOk(const EntryForm& form) {
    const std::int64_t day = static_cast<std::int64_t>(form.cboDate) + 1;
    const std::int64_t year = kFirstYear + static_cast<std::int64_t>(form.cboYear);
    if (form.cboMonth == 1) return day <= (year % 4 == 0 ? 29 : 28);
    if (form.cboMonth == 3 || form.cboMonth == 5 || form.cboMonth == 8 || form.cboMonth == 10) {
        return day != 31;
    }
    return true;
}

// List indexes: mostly near the lists, sometimes anything at all, and
// often the extremes, where arithmetic on an index would overflow.
int ListIndex(FuzzInput& in) {
    constexpr int kExtremes[] = {
        std::numeric_limits<int>::min(), std::numeric_limits<int>::min() + 1,
        std::numeric_limits<int>::max() - 1, std::numeric_limits<int>::max()};
    const std::uint8_t kind = in.Byte();
    if (kind < 16) return in.AnyInt();
    if (kind < 32) return kExtremes[kind % 4];
    return in.IntIn(-3, 160);
}

// A box's text: half the time a number around its range, written as the
// fuzzer chooses (blanks, sign, leading zeros), otherwise any bytes.
std::string BoxText(FuzzInput& in, std::size_t maxLength) {
    const std::uint8_t kind = in.Byte();
    if (kind >= 128) return in.Text(maxLength);
    const int value = in.IntIn(-20, 200);
    std::string text;
    if (kind & 2) text += ' ';
    if ((kind & 8) && value >= 0) text += '+';
    if (kind & 1) text += '0';
    text += std::to_string(value);
    if (kind & 4) text += ' ';
    return text;
}

std::string CheckEntry(const EntryForm& form) {
    const bool nameOk =
        form.txtName.find_first_not_of(' ') != std::string::npos && !NameFaultAt(form.txtName);
    const bool lonDegOk = CoordinateOk(form.txtLonD, 179);
    const bool lonMinOk = CoordinateOk(form.txtLonM, 59);
    const bool latDegOk = CoordinateOk(form.txtLatD, 89);
    const bool latMinOk = CoordinateOk(form.txtLatM, 59);
    const bool listsOk = InList(form.cboMonth, 12) && InList(form.cboDate, kDayCount) &&
                         InList(form.cboYear, kYearCount) && InList(form.cboHH, kHourCount) &&
                         InList(form.cboMM, kMinuteCount) && InList(form.cboSS, kSecondCount);
    const bool dateOk = DateOk(form);
    const std::optional<int> offset = ReadUtcOffset(form.txtUtcOffset);
    const bool offsetOk =
        form.cmbTimeZone != kOtherOffsetRow || (offset && UtcOffsetInRange(*offset));
    const bool zoneOk = InList(form.cmbTimeZone, kZoneListCount) && offsetOk;
    const bool acceptable =
        nameOk && lonDegOk && lonMinOk && latDegOk && latMinOk && listsOk && dateOk && zoneOk;

    const std::optional<Refusal> refusal = ValidateBirthData(form);
    if (refusal.has_value() == acceptable) {
        return acceptable ? "a valid entry was refused" : "an invalid entry was accepted";
    }
    if (refusal) {
        if (refusal->message.empty()) return "a refusal without a message";
        bool focusFailed = true;
        switch (refusal->focus) {
            case EntryControl::None:
                focusFailed = !dateOk;
                break;
            case EntryControl::txtName:
                focusFailed = !nameOk;
                break;
            case EntryControl::txtLonD:
                focusFailed = !lonDegOk;
                break;
            case EntryControl::txtLonM:
                focusFailed = !lonMinOk;
                break;
            case EntryControl::txtLatD:
                focusFailed = !latDegOk;
                break;
            case EntryControl::txtLatM:
                focusFailed = !latMinOk;
                break;
            case EntryControl::cboMonth:
                focusFailed = !InList(form.cboMonth, 12);
                break;
            case EntryControl::cboDate:
                focusFailed = !InList(form.cboDate, kDayCount);
                break;
            case EntryControl::cboYear:
                focusFailed = !InList(form.cboYear, kYearCount);
                break;
            case EntryControl::cboHH:
                focusFailed = !InList(form.cboHH, kHourCount);
                break;
            case EntryControl::cboMM:
                focusFailed = !InList(form.cboMM, kMinuteCount);
                break;
            case EntryControl::cboSS:
                focusFailed = !InList(form.cboSS, kSecondCount);
                break;
            case EntryControl::cmbTimeZone:
                focusFailed = !InList(form.cmbTimeZone, kZoneListCount);
                break;
            case EntryControl::txtUtcOffset:
                focusFailed = !offsetOk;
                break;
            default:
                focusFailed = false;
                break;
        }
        if (!focusFailed) return "a refusal sends the focus to a control that is in order";
        if (refusal->focus != EntryControl::None && ControlName(refusal->focus).empty()) {
            return "a refusal's control has no name";
        }
        return {};
    }

    // Accepted: the calculation must run and agree with the entry.
    const auto outcome = CalculateChart(form);
    const auto* result = std::get_if<BirthChart>(&outcome);
    if (!result) return "an accepted entry was refused by the calculation";
    const Birth& birth = result->birth;
    if (birth.lonDeg != *CoordinateNumber(form.txtLonD) ||
        birth.lonMin != *CoordinateNumber(form.txtLonM) ||
        birth.latDeg != *CoordinateNumber(form.txtLatD) ||
        birth.latMin != *CoordinateNumber(form.txtLatM)) {
        return "the calculation read other coordinates than the check";
    }
    return ChartFaults(form, result->chart, BuildReport(birth, result->chart));
}

std::string CheckKeyFilters(int code) {
    const KeyFilterResult name = NameKeyFilter(code);
    const bool letter = code > 0 && code < 0x110000 && IsNameLetter(static_cast<char32_t>(code));
    const bool control =
        code == ' ' || code == 13 || code == 8 || code == '-' || code == '\'' || code == 0x2019;
    if (letter || control) {
        const int expected =
            letter ? static_cast<int>(CapitalLetter(static_cast<char32_t>(code))) : code;
        if (name.code != expected || name.message) return "the name filter changed a good key";
    } else if (name.code != 0 || !name.message || name.message->text.empty()) {
        return "the name filter let a bad key pass or gave no message";
    }

    const KeyFilterResult coordinate = CoordinateKeyFilter(code);
    if ((code >= '0' && code <= '9') || code == 8) {
        if (coordinate.code != code || coordinate.message) {
            return "the coordinate filter changed a good key";
        }
    } else if (coordinate.code != 0 || !coordinate.message || coordinate.message->text.empty()) {
        return "the coordinate filter let a bad key pass or gave no message";
    }
    return {};
}

std::string CheckLookup(const std::string& city, const std::string& state,
                        const std::string& country) {
    const auto query = CoordinateLookupQuery(city, state, country);
    const bool complete = !city.empty() && !state.empty() && !country.empty();
    if (complete != std::holds_alternative<std::string>(query)) {
        return "the look-up refused a complete place or took an incomplete one";
    }
    if (complete && std::get<std::string>(query) !=
                        city + " " + state + " " + country + " Latitude Longitude") {
        return "the look-up query";
    }
    return {};
}

}  // namespace

std::string EntryChecks(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const int code = in.Byte() < 32 ? in.AnyInt() : in.IntIn(-1, 300);

    EntryForm form;
    form.cboMonth = ListIndex(in);
    form.cboDate = ListIndex(in);
    form.cboYear = ListIndex(in);
    form.cboHH = ListIndex(in);
    form.cboMM = ListIndex(in);
    form.cboSS = ListIndex(in);
    form.cmbTimeZone = ListIndex(in);
    form.chkDST = in.Flag();
    form.optLongEast = in.Flag();
    form.optLatSouth = in.Flag();
    form.txtName = BoxText(in, 24);
    form.txtLonD = BoxText(in, 12);
    form.txtLonM = BoxText(in, 12);
    form.txtLatD = BoxText(in, 12);
    form.txtLatM = BoxText(in, 12);
    form.txtMCity = in.Text(24);
    form.txtMState = in.Text(24);
    form.txtMCountry = in.Text(24);

    if (std::string fault = CheckKeyFilters(code); !fault.empty()) return fault;
    if (std::string fault = CheckLookup(form.txtMCity, form.txtMState, form.txtMCountry);
        !fault.empty()) {
        return fault;
    }
    return CheckEntry(form);
}

}  // namespace korvanta::fuzz
