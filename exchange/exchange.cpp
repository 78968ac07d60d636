// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exchange.h"

#include <cmath>

#include "calendar/calendar.h"
#include "atlas/atlas.h"
#include "library/birth_record.h"
#include "pipeline/entry.h"
#include "pipeline/zones.h"

namespace korvanta::exchange {
namespace {

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

// The zone list's text of a row, "Other UTC offset" included.
std::string_view RowText(int row) {
    return ZoneListText(row);
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

int StandardOffsetSeconds(const Birth& birth) {
    if (birth.zoneIndex == kOtherOffsetRow) return birth.utcOffsetMinutes * 60;
    return atlas::ZoneRowOffsetSeconds(birth.zoneIndex).value_or(0);
}

std::string ZoneColumnText(const Birth& birth) {
    if (birth.zoneIndex == kOtherOffsetRow)
        return ZoneChoiceText(kOtherOffsetRow, birth.utcOffsetMinutes);
    return std::string(atlas::ZoneRowAbbreviation(birth.zoneIndex));
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
        if (applied - standard == 3600) {
            offset = standard;
            dst = true;
        } else {
            how = "; the clock of " + atlas::FormatUtcOffset(applied) + " against standard time " +
                  atlas::FormatUtcOffset(standard) +
                  " is not one hour of daylight saving, so the row holds the whole offset";
        }
    }
    if (!hasRow(offset)) {
        // No named row has this clock: "Other UTC offset" takes it, to the
        // minute, where the offset lies within the row's range.
        const int minutes = static_cast<int>(std::lround(static_cast<double>(offset) / 60.0));
        if (minutes < kMinUtcOffsetMinutes || minutes > kMaxUtcOffsetMinutes) {
            return "the clock offset " + atlas::FormatUtcOffset(offset) +
                   " has no row in the zone list and lies beyond what \"" +
                   std::string(kOtherOffsetText) + "\" takes (-12:00 to +14:00)";
        }
        ZoneChoice choice;
        choice.row = kOtherOffsetRow;
        choice.utcOffsetMinutes = minutes;
        choice.dst = dst;
        choice.note = "zone row \"" + ZoneChoiceText(kOtherOffsetRow, minutes) + "\"" +
                      (dst ? " with daylight saving" : "") + ", as no named row has " +
                      atlas::FormatUtcOffset(offset) +
                      (offset % 60 != 0 ? " (rounded to the nearest minute)" : "") + how;
        return choice;
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
        if (*birth.zoneRow == kOtherOffsetRow)
            form.txtUtcOffset = UtcOffsetText(birth.utcOffsetMinutes);
    } else {
        auto choice = ChooseZoneRow(birth, places);
        if (auto* refusal = std::get_if<std::string>(&choice)) return std::move(*refusal);
        const ZoneChoice& zone = std::get<ZoneChoice>(choice);
        form.cmbTimeZone = zone.row;
        form.chkDST = zone.dst;
        if (zone.row == kOtherOffsetRow) form.txtUtcOffset = UtcOffsetText(zone.utcOffsetMinutes);
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
    imported.stored.zoneText =
        ZoneChoiceText(form.cmbTimeZone, imported.stored.birth.utcOffsetMinutes);
    imported.stored.note = birth.note;
    return imported;
}

}  // namespace korvanta::exchange
