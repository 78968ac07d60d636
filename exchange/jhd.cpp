// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/jhd.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <vector>

#include "atlas/zone_rows.h"
#include "pipeline/zones.h"

namespace korvanta::exchange {
namespace {

// A .jhd line holds one short value; anything longer is not such a file.
constexpr std::size_t kMaxJhdLine = 4096;
constexpr std::size_t kJhdLines = 18;
constexpr std::size_t kLeastJhdLines = 7;

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlank = " \t";
    const auto first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Sign, whole digits and fraction digits of a decimal text; false when it is
// not one.
bool SplitDecimal(std::string_view text, bool& negative, std::string_view& whole,
                  std::string_view& fraction) {
    text = Trim(text);
    negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    whole = text.substr(0, point);
    fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) return false;
    if (!whole.empty() && !AllDigits(whole)) return false;
    if (point != std::string_view::npos && !fraction.empty() && !AllDigits(fraction)) return false;
    return true;
}

// 0.<digits> as a double.
double FractionValue(std::string_view digits) {
    if (digits.empty()) return 0;
    const std::string text = "0." + std::string(digits.substr(0, 30));
    return std::strtod(text.c_str(), nullptr);
}

std::variant<double, std::string> ParseDecimal(std::string_view text) {
    bool negative = false;
    std::string_view whole, fraction;
    if (!SplitDecimal(text, negative, whole, fraction) || whole.size() > 6) {
        return "\"" + std::string(Trim(text).substr(0, 40)) + "\" is not a decimal number";
    }
    double value = 0;
    for (const char c : whole) value = value * 10 + (c - '0');
    value += FractionValue(fraction);
    return negative ? -value : value;
}

std::string SixDecimals(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.6f", value + 0.0);
    if (std::string_view(text) == "-0.000000") return "0.000000";
    return text;
}

}  // namespace

std::variant<HmValue, std::string> ParseHm(std::string_view text) {
    HmValue value;
    std::string_view whole, fraction;
    const std::string shown = "\"" + std::string(Trim(text).substr(0, 40)) + "\"";
    if (!SplitDecimal(text, value.negative, whole, fraction)) {
        return shown + " is not a number in H.MM form";
    }
    if (whole.size() > 6) return shown + " is too large";
    std::int64_t units = 0;
    for (const char c : whole) units = units * 10 + (c - '0');
    const double minutes = FractionValue(fraction) * 100.0;
    if (minutes >= 60.0) {
        return shown + ": the part after the point is minutes (H.MM) and must stay below 60";
    }
    // Minutes rounded to the nearest second; 60 seconds carry into the minute
    // and 60 minutes into the unit through the sum.
    value.seconds = units * 3600 + std::llround(minutes * 60.0);
    return value;
}

std::string HmText(bool negative, std::int64_t seconds) {
    const std::int64_t units = seconds / 3600;
    const std::int64_t minutes = seconds / 60 % 60;
    const std::int64_t rest = seconds % 60;
    const std::string sign = negative ? "-" : "";
    if (rest == 0) {
        char text[48];
        std::snprintf(text, sizeof text, "%lld.%02lld0000", static_cast<long long>(units),
                      static_cast<long long>(minutes));
        return sign + text;
    }
    const double value =
        static_cast<double>(units) + static_cast<double>(minutes * 60 + rest) / 6000.0;
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    return sign + std::string(text, end);
}

ReadResult ReadJhd(std::string_view name, std::istream& in, PlaceFinder& places) {
    ReadResult result;
    std::vector<std::string> lines;
    LineReader reader(in, kMaxJhdLine);
    std::string line;
    while (lines.size() < kJhdLines) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::End) break;
        if (status == LineReader::Status::TooLong) {
            result.refused.push_back(
                {reader.Number(), "the line holds " + std::to_string(reader.SkippedBytes()) +
                                      " bytes; a .jhd line holds one short value"});
            return result;
        }
        if (lines.empty() && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        lines.push_back(line);
    }
    if (lines.size() < kLeastJhdLines) {
        result.refused.push_back(
            {static_cast<long>(lines.size()) + 1,
             lines.empty() ? "the file is empty"
                           : "the file ends after line " + std::to_string(lines.size()) +
                                 "; a .jhd birth file has at least 7 lines (month, day, year, "
                                 "time, zone, longitude, latitude)"});
        return result;
    }
    const auto refuse = [&](std::size_t index, std::string reason) {
        result.refused.push_back({static_cast<long>(index) + 1, std::move(reason)});
        return result;
    };
    ForeignBirth birth;
    birth.name = std::string(name);
    int* dateParts[] = {&birth.month, &birth.day, &birth.year};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string_view text = Trim(lines[i]);
        if (!AllDigits(text) || text.size() > 6) {
            return refuse(i, "\"" + std::string(text.substr(0, 40)) + "\" is not a whole number");
        }
        *dateParts[i] = std::atoi(std::string(text).c_str());
    }
    HmValue values[4];
    for (std::size_t i = 3; i < 7; ++i) {
        auto parsed = ParseHm(lines[i]);
        if (auto* reason = std::get_if<std::string>(&parsed)) return refuse(i, *reason);
        values[i - 3] = std::get<HmValue>(parsed);
    }
    const HmValue& time = values[0];
    if (time.negative && time.seconds != 0) return refuse(3, "the time of day is negative");
    if (time.seconds >= 24 * 3600) {
        return refuse(
            3, "the time " + lines[3] + " is 24:00 or later (minutes rounded to the second)");
    }
    birth.hour = static_cast<int>(time.seconds / 3600);
    birth.minute = static_cast<int>(time.seconds / 60 % 60);
    birth.second = static_cast<int>(time.seconds % 60);
    // Line 5 counts west positive; the program counts east positive.
    const HmValue& zone = values[1];
    if (zone.seconds > 15 * 3600)
        return refuse(
            4, "the UTC offset " + lines[4] + " exceeds 15 hours (14 and one of daylight saving)");
    birth.appliedOffsetSeconds = static_cast<int>(zone.negative ? zone.seconds : -zone.seconds);
    birth.lonSeconds = values[2].seconds;
    birth.east = values[2].negative;
    birth.latSeconds = values[3].seconds;
    birth.south = values[3].negative;
    if (lines.size() >= 10) {
        int offsets[2] = {};
        for (std::size_t i = 8; i < 10; ++i) {
            auto hours = ParseDecimal(lines[i]);
            if (auto* reason = std::get_if<std::string>(&hours)) return refuse(i, *reason);
            if (std::fabs(std::get<double>(hours)) > 15) {
                return refuse(i, "the offset " + lines[i] +
                                     " exceeds 15 hours (14 and one of daylight saving)");
            }
            offsets[i - 8] = -static_cast<int>(std::lround(std::get<double>(hours) * 3600));
        }
        // The clock read on daylight saving: line 5 is the daylight offset
        // and differs from the standard one.
        if (birth.appliedOffsetSeconds == offsets[1] && offsets[1] != offsets[0]) {
            birth.standardOffsetSeconds = offsets[0];
        }
    }
    std::vector<std::string> converted;
    const auto text = [&](std::size_t index) -> std::string {
        if (lines.size() <= index) return "";
        const std::string_view value = Trim(lines[index]);
        if (value == "^") return "";
        bool latin = false;
        std::string utf8 = AsUtf8(value, &latin);
        if (latin) converted.push_back(std::to_string(index + 1));
        return utf8;
    };
    birth.city = text(12);
    const std::string region = text(13);
    if (const auto comma = region.rfind(','); comma != std::string::npos) {
        birth.state = std::string(Trim(std::string_view(region).substr(0, comma)));
        birth.country = std::string(Trim(std::string_view(region).substr(comma + 1)));
    } else {
        birth.country = region;
    }
    auto entered = EnterBirth(birth, 1, places);
    if (auto* reason = std::get_if<std::string>(&entered)) return refuse(0, *reason);
    ImportedBirth& imported = std::get<ImportedBirth>(entered);
    for (const std::string& number : converted) {
        imported.notes.push_back("line " + number + " read as Windows-1252 text (it is not UTF-8)");
    }
    result.births.push_back(std::move(imported));
    return result;
}

std::string JhdText(const Birth& birth) {
    const int rowOffset = StandardOffsetSeconds(birth);
    const int applied = rowOffset + (birth.dst ? 3600 : 0);
    const auto blankAsCaret = [](const std::string& value) {
        return value.empty() ? std::string("^") : value;
    };
    std::string region = birth.state;
    if (!birth.country.empty()) region += (region.empty() ? "" : ", ") + birth.country;
    const std::string lines[kJhdLines] = {
        std::to_string(birth.month),
        std::to_string(birth.day),
        std::to_string(birth.year),
        HmText(false, birth.hour * 3600 + birth.minute * 60 + birth.second),
        HmText(applied > 0, std::abs(applied)),
        HmText(birth.east, (birth.lonDeg * 60 + birth.lonMin) * 60),
        HmText(birth.south, (birth.latDeg * 60 + birth.latMin) * 60),
        "0.000000",
        SixDecimals(-rowOffset / 3600.0),
        SixDecimals(-(rowOffset + (birth.dst ? 3600 : 0)) / 3600.0),
        "0",
        "0",
        blankAsCaret(birth.city),
        blankAsCaret(region),
        "1",
        "1013.250000",
        "20.000000",
        "0",
    };
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string JhdFileStem(std::string_view name) {
    std::string stem;
    for (const char c : name) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == ' ' || c == '-';
        stem += kept ? c : '_';
        if (stem.size() >= 200) break;
    }
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    while (!stem.empty() && stem.front() == ' ') stem.erase(0, 1);
    if (stem.empty()) stem = "BIRTH";
    std::string upper;
    for (const char c : stem) upper += (c >= 'a' && c <= 'z') ? char(c - 32) : c;
    static constexpr std::string_view kReserved[] = {"CON", "PRN", "AUX", "NUL"};
    bool reserved = false;
    for (std::string_view word : kReserved) reserved = reserved || upper == word;
    if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
        upper[3] >= '0' && upper[3] <= '9')
        reserved = true;
    if (reserved) stem += " _";
    return stem;
}

}  // namespace korvanta::exchange
