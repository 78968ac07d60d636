// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/aaf.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>

#include "atlas/zone_rows.h"

namespace korvanta::exchange {
namespace {

constexpr std::size_t kMaxAafLine = std::size_t{1} << 20;

// AAF fields may carry C white space on either side.
std::string_view Trim(std::string_view text) {
    constexpr std::string_view kSpace = " \t\f\v\r\n";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::vector<std::string> Fields(std::string_view data) {
    std::vector<std::string> fields;
    for (;;) {
        const auto comma = data.find(',');
        fields.emplace_back(Trim(data.substr(0, comma)));
        if (comma == std::string_view::npos) return fields;
        data.remove_prefix(comma + 1);
    }
}

std::string Unknown(const std::string& field) {
    return field == "*" ? std::string() : field;
}

bool Digits(std::string_view text, std::size_t maxLength) {
    return !text.empty() && text.size() <= maxLength &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

// Splits `text` at any of `separators` into whole numbers; false when a
// part is not one.
bool WholeNumbers(std::string_view text, std::string_view separators, std::vector<int>& parts) {
    parts.clear();
    for (;;) {
        const auto at = text.find_first_of(separators);
        const std::string_view part = text.substr(0, at);
        if (!Digits(part, 4)) return false;
        parts.push_back(Number(part));
        if (at == std::string_view::npos) return true;
        text.remove_prefix(at + 1);
    }
}

// "49n05", "8e11", "0e21:48": degrees, the hemisphere letter, minutes and
// optional seconds, into arc-seconds.
bool ParseAafAngle(std::string_view text, char positive, char negative, std::int64_t& seconds,
                   bool& isNegative) {
    const auto at = text.find_first_of(std::string{
        positive, negative, static_cast<char>(positive - 32), static_cast<char>(negative - 32)});
    if (at == std::string_view::npos) return false;
    const std::string_view degrees = text.substr(0, at);
    std::string_view rest = text.substr(at + 1);
    std::vector<int> parts;
    if (!Digits(degrees, 3) || !WholeNumbers(rest, ":", parts) || parts.size() > 2) return false;
    if (parts[0] > 59 || (parts.size() == 2 && parts[1] > 59)) return false;
    isNegative = text[at] == negative || text[at] == negative - 32;
    seconds = Number(degrees) * 3600 + parts[0] * 60 + (parts.size() == 2 ? parts[1] : 0);
    return true;
}

// A zone difference: "1he", "1he00", "5h30e", "5hw", "0e21:48" (minutes and
// seconds after the direction). Returned in seconds east of UT.
bool ParseAafZone(std::string_view text, int& eastSeconds) {
    std::size_t at = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    if (at == 0 || at > 2) return false;
    int seconds = Number(text.substr(0, at)) * 3600;
    std::string_view rest = text.substr(at);
    if (!rest.empty() && (rest.front() == 'h' || rest.front() == 'H')) rest.remove_prefix(1);
    const auto direction = rest.find_first_of("ewEW");
    if (direction == std::string_view::npos) return false;
    const bool west = rest[direction] == 'w' || rest[direction] == 'W';
    std::string minutes(rest.substr(0, direction));
    std::string_view after = rest.substr(direction + 1);
    if (!minutes.empty() && !after.empty()) return false;
    if (minutes.empty()) minutes = std::string(after);
    if (!minutes.empty()) {
        std::vector<int> parts;
        if (!WholeNumbers(minutes, ":", parts) || parts.size() > 2 || parts[0] > 59 ||
            (parts.size() == 2 && parts[1] > 59))
            return false;
        seconds += parts[0] * 60 + (parts.size() == 2 ? parts[1] : 0);
    }
    eastSeconds = west ? -seconds : seconds;
    return true;
}

struct Record {
    long line = 0;
    std::string a93, b93, zoneName;
    long b93Line = 0;
    std::vector<std::string> noteLines;
    bool lastWasComment = false;  // a following line without '#' continues the #COM
    bool lastWasKept = false;     // ...or the kept line
    std::string fault;            // a line of the record could not be read
};

std::variant<ImportedBirth, std::string> RecordBirth(const Record& record, PlaceFinder& places,
                                                     std::vector<std::string>& extraNotes) {
    if (!record.fault.empty()) return record.fault;
    const std::vector<std::string> a = Fields(record.a93);
    if (a.size() < 7) {
        return "the #A93 line has " + std::to_string(a.size()) +
               " fields; it takes 7 (name, first name, type, date, time, place, country)";
    }
    if (record.b93.empty()) return "no #B93 line follows, so the place and zone are unknown";
    const std::vector<std::string> b = Fields(record.b93);
    if (b.size() < 5) {
        return "the #B93 line (line " + std::to_string(record.b93Line) + ") has " +
               std::to_string(b.size()) +
               " fields; it takes 5 (Julian day, latitude, longitude, zone, daylight saving)";
    }
    ForeignBirth birth;
    birth.name = Unknown(a[1]);
    if (!Unknown(a[0]).empty()) birth.name += (birth.name.empty() ? "" : " ") + Unknown(a[0]);
    std::vector<int> date;
    if (!WholeNumbers(a[3], ".", date) || date.size() != 3) {
        return "the date \"" + a[3].substr(0, 40) + "\" is not d.m.yyyy";
    }
    birth.day = date[0];
    birth.month = date[1];
    birth.year = date[2];
    std::vector<int> time;
    if (!WholeNumbers(a[4], ":.", time) || time.size() < 2 || time.size() > 3) {
        return "the time \"" + a[4].substr(0, 40) + "\" is not hh:mm";
    }
    birth.hour = time[0];
    birth.minute = time[1];
    birth.second = time.size() == 3 ? time[2] : 0;
    const std::string place = Unknown(a[5]);
    if (const auto slash = place.rfind('/'); slash != std::string::npos) {
        birth.city = std::string(Trim(std::string_view(place).substr(0, slash)));
        birth.state = std::string(Trim(std::string_view(place).substr(slash + 1)));
    } else {
        birth.city = place;
    }
    birth.country = Unknown(a[6]);
    for (std::string* text : {&birth.name, &birth.city, &birth.state, &birth.country}) {
        bool converted = false;
        *text = AsUtf8(*text, &converted);
        if (converted) extraNotes.push_back("text read as Windows-1252 (it is not UTF-8)");
    }
    if (!ParseAafAngle(b[1], 'n', 's', birth.latSeconds, birth.south)) {
        return "the latitude \"" + b[1].substr(0, 40) + "\" is not of the form 49n05";
    }
    if (!ParseAafAngle(b[2], 'e', 'w', birth.lonSeconds, birth.east)) {
        return "the longitude \"" + b[2].substr(0, 40) + "\" is not of the form 8e11";
    }
    birth.east = !birth.east;  // the parser marks the second letter, w
    if (b[3] == "*" || b[3].empty()) return "the zone is not given (*)";
    int zone = 0;
    if (!ParseAafZone(b[3], zone)) {
        return "the zone \"" + b[3].substr(0, 40) + "\" is not of the form 1he, 5h30e or 5hw";
    }
    int daylightHours = 0;
    if (b[4] == "*" || b[4].empty()) {
        extraNotes.push_back("daylight saving not given (*); taken as none");
    } else if (Digits(b[4], 1)) {
        daylightHours = Number(b[4]);
    } else {
        return "the daylight saving \"" + b[4].substr(0, 40) + "\" is not a number of hours";
    }
    birth.appliedOffsetSeconds = zone + daylightHours * 3600;
    if (daylightHours != 0) birth.standardOffsetSeconds = zone;
    birth.zoneName = record.zoneName;
    // The Julian day gives the seconds that hh:mm leaves out when it agrees
    // with the date and time to within a minute.
    if (b[0] != "*" && !b[0].empty() && time.size() == 2) {
        char* end = nullptr;
        const double jd = std::strtod(b[0].c_str(), &end);
        const std::int64_t local = birth.hour * 3600 + birth.minute * 60;
        if (end != nullptr && *end == '\0' && std::isfinite(jd)) {
            const double expected =
                JulianDay(birth.year, birth.month, birth.day, local - birth.appliedOffsetSeconds);
            const double difference = (jd - expected) * 86400.0;
            if (std::fabs(difference) < 60.0) {
                const std::int64_t exact = local + std::llround(difference);
                if (exact >= 0 && exact < 86400) {
                    birth.hour = static_cast<int>(exact / 3600);
                    birth.minute = static_cast<int>(exact / 60 % 60);
                    birth.second = static_cast<int>(exact % 60);
                }
            } else {
                extraNotes.push_back("the Julian day " + b[0] +
                                     " differs from the date, time and "
                                     "zone by " +
                                     std::to_string(std::llround(difference)) +
                                     " s; the date and time are used");
            }
        }
    }
    for (std::size_t i = 0; i < record.noteLines.size(); ++i) {
        if (i > 0) birth.note += '\n';
        birth.note += record.noteLines[i];
    }
    birth.note = AsUtf8(birth.note);
    return EnterBirth(birth, record.line, places);
}

bool IsChunkLine(std::string_view line) {
    if (line.size() < 3 || line.front() != '#') return false;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = line[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return colon > 1;
}

std::string FieldText(const std::string& value) {
    if (value.empty()) return "*";
    std::string text = value;
    for (char& c : text) {
        if (c == ',') c = ';';  // a field never holds a comma
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

}  // namespace

ReadResult ReadAaf(std::istream& in, PlaceFinder& places) {
    ReadResult result;
    std::optional<Record> record;
    long asideLines = 0;
    const auto finish = [&] {
        if (!record) return;
        std::vector<std::string> extra;
        auto entered = RecordBirth(*record, places, extra);
        if (auto* reason = std::get_if<std::string>(&entered)) {
            result.refused.push_back({record->line, *reason});
        } else {
            ImportedBirth& birth = std::get<ImportedBirth>(entered);
            birth.notes.insert(birth.notes.end(), extra.begin(), extra.end());
            result.births.push_back(std::move(birth));
        }
        record.reset();
    };
    LineReader reader(in, kMaxAafLine);
    std::string line;
    for (;;) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::End) break;
        const long number = reader.Number();
        if (status == LineReader::Status::TooLong) {
            const std::string reason = "line " + std::to_string(number) + " holds " +
                                       std::to_string(reader.SkippedBytes()) +
                                       " bytes; a line may hold at most 1 MiB";
            // A record that starts on the long line is refused on its own;
            // any other long line refuses the record it belongs to.
            if (line.starts_with("#A93:")) {
                finish();
                record = Record{};
                record->line = number;
                record->fault = reason;
            } else if (record && record->fault.empty()) {
                record->fault = reason;
            } else if (!record) {
                result.refused.push_back({number, reason});
            }
            continue;
        }
        if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        if (line.starts_with("#A93:")) {
            finish();
            record = Record{};
            record->line = number;
            record->a93 = line.substr(5);
            continue;
        }
        if (line.starts_with("#:")) continue;  // a comment of the file
        if (!record) {
            if (!Trim(line).empty()) ++asideLines;
            continue;
        }
        const bool comment = line.starts_with("#COM:");
        if (line.starts_with("#B93:")) {
            if (!record->b93.empty() && record->fault.empty()) {
                record->fault = "a second #B93 line at line " + std::to_string(number);
            }
            record->b93 = line.substr(5);
            record->b93Line = number;
        } else if (line.starts_with("#ZNAM:")) {
            record->zoneName = std::string(Trim(std::string_view(line).substr(6)));
        } else if (comment) {
            record->noteLines.push_back(line.substr(5));
        } else if (line.starts_with("#")) {
            record->noteLines.push_back(line);
        } else if (Trim(line).empty()) {
            continue;
        } else if (record->lastWasComment) {
            record->noteLines.push_back(line);
            continue;
        } else if (record->lastWasKept) {
            record->noteLines.back() += line;
            continue;
        } else if (record->fault.empty()) {
            record->fault = "line " + std::to_string(number) +
                            " continues the #A93 or #B93 line, which AAF does not allow";
        }
        record->lastWasComment = comment;
        record->lastWasKept = !comment && line.starts_with("#") && !line.starts_with("#B93:") &&
                              !line.starts_with("#ZNAM:");
    }
    finish();
    if (asideLines > 0) {
        result.notes.push_back(std::to_string(asideLines) +
                               " line(s) before the first #A93 record left aside");
    }
    return result;
}

std::string AafText(const library::StoredBirth& stored) {
    const Birth& b = stored.birth;
    const auto space = b.name.rfind(' ');
    const std::string last = space == std::string::npos ? b.name : b.name.substr(space + 1);
    const std::string first = space == std::string::npos ? "" : b.name.substr(0, space);
    std::string place = b.city;
    if (!b.state.empty()) place += "/" + b.state;
    char date[64];
    std::snprintf(date, sizeof date, "%d.%d.%04d,%02d:%02d", b.day, b.month, b.year, b.hour,
                  b.minute);
    std::string text = "#A93:" + FieldText(last) + "," + FieldText(first) + ",*," + date + "," +
                       FieldText(place) + "," + FieldText(b.country) + "\r\n";
    const int zone = StandardOffsetSeconds(b);
    const int applied = zone + (b.dst ? 3600 : 0);
    const std::int64_t local = b.hour * 3600 + b.minute * 60 + b.second;
    char jd[32];
    std::snprintf(jd, sizeof jd, "%.6f", JulianDay(b.year, b.month, b.day, local - applied));
    const int magnitude = std::abs(zone);
    std::string zoneText = std::to_string(magnitude / 3600) + "h";
    if (magnitude % 3600 != 0) zoneText += std::to_string(magnitude / 60 % 60);
    zoneText += zone < 0 ? "w" : "e";
    text += std::string("#B93:") + jd + "," + AngleText(b.latDeg, b.latMin, b.south ? 's' : 'n') +
            "," + AngleText(b.lonDeg, b.lonMin, b.east ? 'e' : 'w') + "," + zoneText + "," +
            (b.dst ? "1" : "0") + "\r\n";
    // "Other UTC offset" has no zone name; its offset is the record's zone.
    if (const std::string_view name = atlas::ZoneRowAbbreviation(b.zoneIndex); !name.empty())
        text += "#ZNAM:" + std::string(name) + "\r\n";
    if (!stored.note.empty()) {
        std::string_view note = stored.note;
        for (;;) {
            const auto end = note.find('\n');
            std::string noteLine(note.substr(0, end));
            if (!noteLine.empty() && noteLine.back() == '\r') noteLine.pop_back();
            text += (IsChunkLine(noteLine) ? noteLine : "#COM:" + noteLine) + "\r\n";
            if (end == std::string_view::npos) break;
            note.remove_prefix(end + 1);
        }
    }
    return text;
}

}  // namespace korvanta::exchange
