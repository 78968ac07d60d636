// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/entry.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

#include "pipeline/name_letters.h"
#include "pipeline/text_format.h"
#include "pipeline/zones.h"

namespace korvanta {
namespace {

constexpr std::string_view kBlanks = " ";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The whole number a trimmed coordinate text denotes: an optional sign and
// decimal digits only. Anything else (blank, "12a", "-", "1e3", "4.5") has
// no value. Values too long to matter are clamped so they stay out of range.
std::optional<std::int64_t> WholeNumber(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value < 1'000'000) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

bool InRange(std::string_view text, std::int64_t high) {
    const auto value = WholeNumber(text);
    return value && *value >= 0 && *value <= high;
}

constexpr std::string_view kNameMessage = "Please Enter Name";
constexpr std::string_view kNameLettersMessage =
    "Please Enter only Letters and Blanks in the Name, with Hyphens and Apostrophes only "
    "inside it";
constexpr std::string_view kLonDegMessage =
    "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr std::string_view kLonMinMessage =
    "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr std::string_view kLatDegMessage =
    "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr std::string_view kLatMinMessage =
    "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
constexpr std::string_view kFebruaryMessage = "Please Enter Correct Date Or Month!";
constexpr std::string_view kThirtyDayMessage = "Please Enter Correct Date Or Month !";
constexpr std::string_view kListMessage = "Please Select the Date and Time of Birth";
constexpr std::string_view kZoneMessage = "Please Select the Time Zone";
constexpr std::string_view kOffsetTextMessage =
    "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45";
constexpr std::string_view kOffsetRangeMessage =
    "Please Enter a UTC Offset Between -12:00 And +14:00";
constexpr std::string_view kLettersMessage = "Please Enter only Letters";
constexpr std::string_view kNumbersMessage = "Only Numbers Are Accepted";

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kBlank = 32;
constexpr char32_t kRightQuote = 0x2019;  // ’, the apostrophe of typeset text

// The code point that starts `text` at `at` and its length in bytes; a bad
// byte gives no code point and length 1. Overlong forms, surrogates and
// values past U+10FFFF are bad.
std::pair<std::optional<char32_t>, std::size_t> DecodeAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {std::nullopt, 1};
    }
    if (at + length > text.size()) return {std::nullopt, 1};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
            return {std::nullopt, 1};
        }
        value = (value << 6) | (next & 0x3F);
    }
    return {value, length};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsJoiner(char32_t c) {
    return c == '-' || c == '\'' || c == kRightQuote;
}

}  // namespace

std::string ListItemText(int first, int index) {
    return IntText(first + index);
}

std::string_view ControlName(EntryControl control) {
    switch (control) {
        case EntryControl::None:
            return "";
        case EntryControl::txtName:
            return "txtName";
        case EntryControl::cboMonth:
            return "cboMonth";
        case EntryControl::cboDate:
            return "cboDate";
        case EntryControl::cboYear:
            return "cboYear";
        case EntryControl::cboHH:
            return "cboHH";
        case EntryControl::cboMM:
            return "cboMM";
        case EntryControl::cboSS:
            return "cboSS";
        case EntryControl::txtMCity:
            return "txtMCity";
        case EntryControl::txtMState:
            return "txtMState";
        case EntryControl::txtMCountry:
            return "txtMCountry";
        case EntryControl::txtLonD:
            return "txtLonD";
        case EntryControl::txtLonM:
            return "txtLonM";
        case EntryControl::txtLatD:
            return "txtLatD";
        case EntryControl::txtLatM:
            return "txtLatM";
        case EntryControl::cmbTimeZone:
            return "cmbTimeZone";
        case EntryControl::txtUtcOffset:
            return "txtUtcOffset";
    }
    return "";
}

std::optional<Refusal> ValidateBirthData(const EntryForm& form) {
    if (Trim(form.txtName).empty()) {
        return Refusal{kNameMessage, MessageIcon::Error, EntryControl::txtName};
    }
    // Pasted text never met the key filter.
    if (NameFaultAt(form.txtName)) {
        return Refusal{kNameLettersMessage, MessageIcon::Information, EntryControl::txtName};
    }
    if (!InRange(form.txtLonD, 179)) {
        return Refusal{kLonDegMessage, MessageIcon::Error, EntryControl::txtLonD};
    }
    if (!InRange(form.txtLonM, 59)) {
        return Refusal{kLonMinMessage, MessageIcon::Error, EntryControl::txtLonM};
    }
    if (!InRange(form.txtLatD, 89)) {
        return Refusal{kLatDegMessage, MessageIcon::Error, EntryControl::txtLatD};
    }
    if (!InRange(form.txtLatM, 59)) {
        return Refusal{kLatMinMessage, MessageIcon::Error, EntryControl::txtLatM};
    }

    // Days are judged by the day list's index (day - 1); the leap rule is
    // divisibility by 4, exact for 1901..2050. Indexes may lie anywhere
    // here (the list checks come later), so the sums are taken in 64 bits.
    const std::int64_t day = static_cast<std::int64_t>(form.cboDate) + 1;
    const std::int64_t year = kFirstYear + static_cast<std::int64_t>(form.cboYear);
    if (form.cboMonth == 1 && ((year % 4 == 0 && day >= 30) || (year % 4 != 0 && day >= 29))) {
        return Refusal{kFebruaryMessage, MessageIcon::Information, EntryControl::None};
    }
    const bool thirtyDayMonth =
        form.cboMonth == 3 || form.cboMonth == 5 || form.cboMonth == 8 || form.cboMonth == 10;
    if (thirtyDayMonth && day == 31) {
        return Refusal{kThirtyDayMessage, MessageIcon::Information, EntryControl::None};
    }

    // The window's lists always hold a selection; other callers may not, and
    // a date or time without one cannot be computed.
    const struct {
        int index, count;
        EntryControl control;
    } lists[] = {{form.cboMonth, 12, EntryControl::cboMonth},
                 {form.cboDate, kDayCount, EntryControl::cboDate},
                 {form.cboYear, kYearCount, EntryControl::cboYear},
                 {form.cboHH, kHourCount, EntryControl::cboHH},
                 {form.cboMM, kMinuteCount, EntryControl::cboMM},
                 {form.cboSS, kSecondCount, EntryControl::cboSS}};
    for (const auto& list : lists) {
        if (list.index < 0 || list.index >= list.count) {
            return Refusal{kListMessage, MessageIcon::Information, list.control};
        }
    }
    // The zone list loses its selection only when the atlas found no row for
    // the place's clock; a chart computed without a zone would be silently
    // wrong, so the user picks one.
    if (form.cmbTimeZone < 0 || form.cmbTimeZone >= kZoneListCount) {
        return Refusal{kZoneMessage, MessageIcon::Information, EntryControl::cmbTimeZone};
    }
    // "Other UTC offset" takes its offset from the box beside the list.
    if (form.cmbTimeZone == kOtherOffsetRow) {
        const std::optional<int> offset = ReadUtcOffset(form.txtUtcOffset);
        if (!offset) {
            return Refusal{kOffsetTextMessage, MessageIcon::Error, EntryControl::txtUtcOffset};
        }
        if (!UtcOffsetInRange(*offset)) {
            return Refusal{kOffsetRangeMessage, MessageIcon::Error, EntryControl::txtUtcOffset};
        }
    }
    return std::nullopt;
}

Birth BirthOfForm(const EntryForm& form) {
    // The check accepted each coordinate as a whole number in range.
    const auto number = [](const std::string& text) {
        return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
    };
    Birth birth;
    birth.name = CapitalName(form.txtName);
    birth.year = kFirstYear + form.cboYear;
    birth.month = form.cboMonth + 1;
    birth.day = form.cboDate + 1;
    birth.hour = form.cboHH;
    birth.minute = form.cboMM;
    birth.second = form.cboSS;
    birth.latDeg = number(form.txtLatD);
    birth.latMin = number(form.txtLatM);
    birth.south = form.optLatSouth;
    birth.lonDeg = number(form.txtLonD);
    birth.lonMin = number(form.txtLonM);
    birth.east = form.optLongEast;
    birth.zoneIndex = form.cmbTimeZone;
    if (form.cmbTimeZone == kOtherOffsetRow) {
        birth.utcOffsetMinutes = ReadUtcOffset(form.txtUtcOffset).value_or(0);
    }
    const ZoneCorrection zone = ZoneCorrectionOf(birth.zoneIndex, birth.utcOffsetMinutes);
    birth.zoneHours = zone.hours;
    birth.zoneMinutes = zone.minutes;
    birth.dst = form.chkDST;
    birth.city = form.txtMCity;
    birth.state = form.txtMState;
    birth.country = form.txtMCountry;
    return birth;
}

EntryForm FormOfBirth(const Birth& b) {
    EntryForm form;
    form.txtName = b.name;
    form.cboMonth = b.month - 1;
    form.cboDate = b.day - 1;
    form.cboYear = b.year - kFirstYear;
    form.cboHH = b.hour;
    form.cboMM = b.minute;
    form.cboSS = b.second;
    form.txtMCity = b.city;
    form.txtMState = b.state;
    form.txtMCountry = b.country;
    form.cmbTimeZone = b.zoneIndex;
    if (b.zoneIndex == kOtherOffsetRow) form.txtUtcOffset = UtcOffsetText(b.utcOffsetMinutes);
    form.chkDST = b.dst;
    form.txtLonD = std::to_string(b.lonDeg);
    form.txtLonM = std::to_string(b.lonMin);
    form.optLongEast = b.east;
    form.txtLatD = std::to_string(b.latDeg);
    form.txtLatM = std::to_string(b.latMin);
    form.optLatSouth = b.south;
    return form;
}

std::variant<Refusal, Birth> AcceptBirth(const EntryForm& form) {
    if (auto refusal = ValidateBirthData(form)) return *refusal;
    return BirthOfForm(form);
}

KeyFilterResult NameKeyFilter(int code) {
    if (code > 0 && code < 0x110000) {
        const auto c = static_cast<char32_t>(code);
        if (IsNameLetter(c)) return {static_cast<int>(CapitalLetter(c)), std::nullopt};
        if (IsJoiner(c)) return {code, std::nullopt};
    }
    if (code == kBlank || code == kEnter || code == kBackspace) return {code, std::nullopt};
    return {0, UserMessage{kLettersMessage, MessageIcon::Information}};
}

std::optional<std::size_t> NameFaultAt(std::string_view text) {
    std::size_t character = 0;
    std::optional<std::size_t> lastJoiner;  // a joiner after the last letter so far
    bool letterSeen = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto [c, length] = DecodeAt(text, at);
        at += length;
        ++character;
        if (!c) return character;
        if (*c == kBlank) continue;
        if (IsJoiner(*c)) {
            if (!letterSeen) return character;
            if (!lastJoiner) lastJoiner = character;
            continue;
        }
        if (!IsNameLetter(*c)) return character;
        letterSeen = true;
        lastJoiner.reset();
    }
    return lastJoiner;
}

std::string CapitalName(std::string_view text) {
    std::string name;
    name.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto [c, length] = DecodeAt(text, at);
        if (c) {
            AppendUtf8(name, CapitalLetter(*c));
        } else {
            name.append(text.substr(at, length));
        }
        at += length;
    }
    return name;
}

KeyFilterResult CoordinateKeyFilter(int code) {
    if ((code >= '0' && code <= '9') || code == kBackspace) return {code, std::nullopt};
    return {0, UserMessage{kNumbersMessage, MessageIcon::Error}};
}

std::variant<Refusal, std::string> CoordinateLookupQuery(std::string_view city,
                                                         std::string_view state,
                                                         std::string_view country) {
    // Only a box with no characters at all counts as empty here.
    if (city.empty()) {
        return Refusal{"Please Enter City", MessageIcon::Information, EntryControl::txtMCity};
    }
    if (state.empty()) {
        return Refusal{"Please Enter State", MessageIcon::Information, EntryControl::txtMState};
    }
    if (country.empty()) {
        return Refusal{"Please Enter Country", MessageIcon::Information, EntryControl::txtMCountry};
    }
    std::string query;
    query.reserve(city.size() + state.size() + country.size() + 24);
    query.append(city).append(" ").append(state).append(" ").append(country);
    query += " Latitude Longitude";
    return query;
}

}  // namespace korvanta
