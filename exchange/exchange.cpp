// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exchange.h"

#include <array>
#include <istream>
#include <limits>

#include "astro/calendar.h"
#include "atlas/atlas.h"
#include "library/birth_record.h"
#include "pipeline/entry.h"
#include "pipeline/zones.h"

namespace korvanta::exchange {
namespace {

// Base letters of U+00C0..U+00FF for the name box; empty: not a letter.
constexpr std::array<std::string_view, 64> kLatinOneLetters = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "SS",
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "Y"};

// Windows-1252's characters at 0x80..0x9F (0: unassigned, kept as U+0080..).
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at `text[at]`, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string shown(text.substr(0, kShown));
    if (text.size() > kShown) shown += "...";
    return "\"" + shown + "\"";
}

std::string AngleNote(std::int64_t arcSeconds, const RoundedAngle& to, char hemisphere) {
    const auto two = [](std::int64_t value) {
        return (value < 10 ? "0" : "") + std::to_string(value);
    };
    return std::to_string(arcSeconds / 3600) + hemisphere + two(arcSeconds / 60 % 60) + ":" +
           two(arcSeconds % 60) + " rounded to " + AngleText(to.degrees, to.minutes, hemisphere);
}

std::string_view RowText(int row) {
    return kZoneTable[static_cast<std::size_t>(row)].text;
}

// Rows named as standard time first, then rows that are neither daylight,
// summer nor war time, then the rest: the order in which the import prefers
// rows of one offset.
int StandardTimeRank(int row) {
    const std::string_view text = RowText(row);
    const std::string_view name = text.substr(0, text.find(','));
    if (name.find("Standard Time") != std::string_view::npos ||
        name.find("Std Time") != std::string_view::npos)
        return 0;
    for (std::string_view mark : {"Daylight", "Summer", "War"}) {
        if (name.find(mark) != std::string_view::npos) return 2;
    }
    return 1;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string_view FormatName(Format format) {
    switch (format) {
        case Format::JsonLines:
            return "jsonl";
        case Format::Jhd:
            return "jhd";
        case Format::Aaf:
            return "aaf";
        case Format::Csv:
            return "csv";
    }
    return "";
}

std::optional<Format> FormatOfName(std::string_view name) {
    for (Format format : {Format::JsonLines, Format::Jhd, Format::Aaf, Format::Csv}) {
        if (SameLetters(name, FormatName(format))) return format;
    }
    return std::nullopt;
}

std::size_t InvalidUtf8At(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) return at;
        at += length;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view text) {
    return InvalidUtf8At(text) == std::string_view::npos;
}

std::string AsUtf8(std::string_view text, bool* converted) {
    const bool valid = IsValidUtf8(text);
    if (converted != nullptr) *converted = !valid;
    if (valid) return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t code = byte;
        if (byte >= 0x80 && byte < 0xA0 && kWindows1252High[byte - 0x80] != 0)
            code = kWindows1252High[byte - 0x80];
        AppendUtf8(code, out);
    }
    return out;
}

std::size_t ControlCharacterAt(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) return i;
    }
    return std::string_view::npos;
}

std::string NameForNameBox(std::string_view raw) {
    const std::string text = AsUtf8(raw);
    std::string name;
    bool gap = false;
    const auto add = [&](std::string_view letters) {
        if (letters.empty()) {
            gap = true;
            return;
        }
        if (gap && !name.empty()) name += ' ';
        gap = false;
        name += letters;
    };
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 'a' && byte <= 'z') {
            const char upper = static_cast<char>(byte - 32);
            add(std::string_view(&upper, 1));
            ++at;
            continue;
        }
        if (byte >= 'A' && byte <= 'Z') {
            add(text.substr(at, 1));
            ++at;
            continue;
        }
        // U+00C0..U+00FF are C3 80..C3 BF in UTF-8.
        if (byte == 0xC3 && at + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[at + 1]);
            if (next >= 0x80 && next <= 0xBF) {
                add(kLatinOneLetters[next - 0x80]);
                at += 2;
                continue;
            }
        }
        add({});
        const std::size_t length = Utf8Length(text, at);
        at += length == 0 ? 1 : length;
    }
    return name;
}

LineReader::Status LineReader::Next(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (buffer == nullptr) return Status::End;
    using Traits = std::char_traits<char>;
    bool any = false;
    for (;;) {
        const int c = buffer->sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            if (!any) return Status::End;
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() >= max_) {
            // The rest of the line is passed over without being kept.
            skipped_ = line.size() + 1;
            in_.clear();
            in_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            skipped_ += static_cast<std::uint64_t>(in_.gcount());
            in_.clear();
            ++number_;
            return Status::TooLong;
        }
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++number_;
    return Status::Line;
}

RoundedAngle RoundToMinutes(std::int64_t arcSeconds) {
    const std::int64_t minutes = (arcSeconds + 30) / 60;
    return {static_cast<int>(std::min<std::int64_t>(minutes / 60, 1'000'000)),
            static_cast<int>(minutes % 60), arcSeconds % 60 != 0};
}

std::string AngleText(int degrees, int minutes, char hemisphere) {
    return std::to_string(degrees) + hemisphere + (minutes < 10 ? "0" : "") +
           std::to_string(minutes);
}

std::string RecordLine(const library::StoredBirth& stored) {
    Json line = RecordFromForm(FormOfBirth(stored.birth));
    if (!stored.note.empty()) line["note"] = stored.note;
    if (!stored.atlasPlace.empty()) line["atlas_place"] = stored.atlasPlace;
    if (!stored.atlasZone.empty()) line["atlas_zone"] = stored.atlasZone;
    return line.dump(-1, ' ', false, Json::error_handler_t::replace);
}

double JulianDay(int year, int month, int day, std::int64_t utSeconds) {
    // Day 0 of DaysFromCivil, 30 December 1899 at 0 h UT, is JD 2415018.5.
    return DaysFromCivil(year, month, day) + 2415018.5 + static_cast<double>(utSeconds) / 86400.0;
}

const std::string& PlaceFinder::ZoneOf(const std::string& city, const std::string& state,
                                       const std::string& country) {
    std::string query = city;
    for (const std::string* part : {&state, &country}) {
        if (!part->empty()) query += ", " + *part;
    }
    const auto [at, added] = zones_.try_emplace(query);
    if (!added || city.empty()) return at->second;
    atlas::PlaceResolution found = atlas::ResolvePlace(query);
    if (!found.place && !state.empty() && !country.empty()) {
        found = atlas::ResolvePlace(city + ", " + country);
    }
    if (found.place) at->second = found.place->timeZone;
    return at->second;
}

std::variant<ZoneChoice, std::string> ChooseZoneRow(const ForeignBirth& birth,
                                                    PlaceFinder& places) {
    const int applied = birth.appliedOffsetSeconds;
    int offset = applied;
    bool dst = false;
    std::string how;
    const auto hasRow = [](int seconds) {
        for (int row = 0; row < kZoneCount; ++row) {
            if (atlas::ZoneRowOffsetSeconds(row) == seconds) return true;
        }
        return false;
    };
    if (birth.standardOffsetSeconds && *birth.standardOffsetSeconds != applied) {
        const int standard = *birth.standardOffsetSeconds;
        if (applied - standard == 3600 && hasRow(standard)) {
            offset = standard;
            dst = true;
        } else {
            how = "; the clock of " + atlas::FormatUtcOffset(applied) + " against standard time " +
                  atlas::FormatUtcOffset(standard) +
                  " is not one hour of daylight saving, so the row holds the whole offset";
        }
    }
    if (!hasRow(offset)) {
        return "the clock offset " + atlas::FormatUtcOffset(offset) +
               " has no row in the zone list (a local mean time or an offset the list lacks); "
               "the birth is not imported rather than put on a nearest row";
    }
    std::optional<int> chosen;
    std::string why;
    if (!birth.zoneName.empty()) {
        for (int row = 0; row < kZoneCount && !chosen; ++row) {
            if (atlas::ZoneRowOffsetSeconds(row) == offset &&
                SameLetters(atlas::ZoneRowAbbreviation(row), birth.zoneName)) {
                chosen = row;
                why = "the file's zone name " + birth.zoneName;
            }
        }
    }
    if (!chosen) {
        const std::string& zone = places.ZoneOf(birth.city, birth.state, birth.country);
        if (!zone.empty()) {
            const atlas::BirthZoneFinding found = atlas::FindBirthZone(
                zone, {birth.year, birth.month, birth.day, birth.hour, birth.minute, birth.second});
            if (found.first && found.first->suggestion.zoneRow &&
                atlas::ZoneRowOffsetSeconds(*found.first->suggestion.zoneRow) == offset &&
                found.first->suggestion.daylightSaving == dst) {
                chosen = *found.first->suggestion.zoneRow;
                why = "the atlas's row for " + zone + " at that moment";
            }
        }
    }
    if (!chosen) {
        for (int row = 0; row < kZoneCount; ++row) {
            if (atlas::ZoneRowOffsetSeconds(row) != offset) continue;
            if (!chosen || StandardTimeRank(row) < StandardTimeRank(*chosen)) chosen = row;
        }
        why = "the first standard-time row with " + atlas::FormatUtcOffset(offset);
    }
    ZoneChoice choice;
    choice.row = *chosen;
    choice.dst = dst;
    choice.note = "zone row \"" + std::string(RowText(*chosen)) + "\"" +
                  (dst ? " with daylight saving" : "") + ", " + why + how;
    return choice;
}

std::variant<ImportedBirth, std::string> EnterBirth(const ForeignBirth& birth, long line,
                                                    PlaceFinder& places) {
    ImportedBirth imported;
    imported.line = line;
    auto& notes = imported.notes;
    const std::string name = NameForNameBox(birth.name);
    if (name.empty()) {
        return "the name " + Quoted(AsUtf8(birth.name)) +
               " holds no letter that the name box takes (A-Z)";
    }
    if (!SameLetters(name, birth.name)) {
        notes.push_back("the name " + Quoted(AsUtf8(birth.name)) + " is entered as \"" + name +
                        "\" (the name box takes letters A-Z and blanks)");
    }
    constexpr int kLastYear = kFirstYear + kYearCount - 1;
    if (birth.year < kFirstYear || birth.year > kLastYear) {
        return "the year " + std::to_string(birth.year) + " lies outside " +
               std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) +
               ", the years the program computes";
    }
    if (birth.month < 1 || birth.month > 12 || birth.day < 1 || birth.day > kDayCount) {
        return "no such date: day " + std::to_string(birth.day) + " of month " +
               std::to_string(birth.month);
    }
    if (birth.hour < 0 || birth.hour > 23 || birth.minute < 0 || birth.minute > 59 ||
        birth.second < 0 || birth.second > 59) {
        return "no such time of day: " + std::to_string(birth.hour) + ":" +
               std::to_string(birth.minute) + ":" + std::to_string(birth.second);
    }
    struct Axis {
        std::int64_t seconds;
        char hemisphere;
        int limit;  // degrees the entry takes: 89 or 179
        std::string* degrees;
        std::string* minutes;
    };
    EntryForm form;
    const Axis axes[] = {
        {birth.latSeconds, birth.south ? 'S' : 'N', 89, &form.txtLatD, &form.txtLatM},
        {birth.lonSeconds, birth.east ? 'E' : 'W', 179, &form.txtLonD, &form.txtLonM}};
    for (const Axis& axis : axes) {
        RoundedAngle at = RoundToMinutes(axis.seconds);
        std::string note = at.rounded ? AngleNote(axis.seconds, at, axis.hemisphere) : "";
        // A value within half a minute below 90 or 180 degrees rounds to a
        // value the entry refuses; the nearest it takes is one minute off.
        if (at.degrees == axis.limit + 1 && at.minutes == 0 &&
            axis.seconds < std::int64_t{axis.limit + 1} * 3600) {
            at = {axis.limit, 59, true};
            note = AngleNote(axis.seconds, at, axis.hemisphere) +
                   ", the nearest value the entry takes";
        }
        if (!note.empty()) notes.push_back(note);
        *axis.degrees = std::to_string(at.degrees);
        *axis.minutes = std::to_string(at.minutes);
    }
    form.optLatSouth = birth.south;
    form.optLongEast = birth.east;
    if (birth.zoneRow) {
        form.cmbTimeZone = *birth.zoneRow;
        form.chkDST = birth.dst;
    } else {
        auto choice = ChooseZoneRow(birth, places);
        if (auto* refusal = std::get_if<std::string>(&choice)) return std::move(*refusal);
        const ZoneChoice& zone = std::get<ZoneChoice>(choice);
        form.cmbTimeZone = zone.row;
        form.chkDST = zone.dst;
        notes.push_back(zone.note);
    }
    for (const auto& [label, text] :
         {std::pair{"city", &birth.city}, std::pair{"state", &birth.state},
          std::pair{"country", &birth.country}}) {
        if (ControlCharacterAt(*text) != std::string_view::npos)
            return std::string("the ") + label + " " + Quoted(*text) + " holds a control character";
    }
    form.txtName = name;
    form.cboYear = birth.year - kFirstYear;
    form.cboMonth = birth.month - 1;
    form.cboDate = birth.day - 1;
    form.cboHH = birth.hour;
    form.cboMM = birth.minute;
    form.cboSS = birth.second;
    form.txtMCity = birth.city;
    form.txtMState = birth.state;
    form.txtMCountry = birth.country;
    const auto accepted = AcceptBirth(form);
    if (const auto* refusal = std::get_if<Refusal>(&accepted)) {
        return "the entry check refuses it: " + std::string(refusal->message);
    }
    imported.stored.birth = std::get<Birth>(accepted);
    imported.stored.zoneText = std::string(RowText(form.cmbTimeZone));
    imported.stored.note = birth.note;
    return imported;
}

}  // namespace korvanta::exchange
