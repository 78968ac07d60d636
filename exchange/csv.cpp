// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv.h"

#include <cstdio>
#include <istream>
#include <vector>

#include "atlas/zone_rows.h"
#include "pipeline/zones.h"

namespace korvanta::exchange {
namespace {

constexpr std::size_t kMaxCsvRecord = std::size_t{1} << 20;

enum Column {
    kName,
    kDate,
    kTime,
    kLatitude,
    kLongitude,
    kZone,
    kDst,
    kCity,
    kState,
    kCountry,
    kNote,
    kColumnCount
};
constexpr std::string_view kColumnNames[kColumnCount] = {"name",      "date",    "time", "latitude",
                                                         "longitude", "zone",    "dst",  "city",
                                                         "state",     "country", "note"};
constexpr int kRequiredColumns = kDst;  // name .. zone

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return lower;
}

// Splits one record into fields; false while a quoted field is still open
// (the record goes on in the next line).
bool SplitRecord(std::string_view record, std::vector<std::string>& fields) {
    fields.assign(1, std::string());
    bool quoted = false;
    bool wasQuoted = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const char c = record[i];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < record.size() && record[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && (fields.back().empty() || wasQuoted)) {
            quoted = true;
            wasQuoted = true;
        } else if (c == ',') {
            fields.emplace_back();
            wasQuoted = false;
        } else {
            fields.back() += c;
        }
    }
    return !quoted;
}

bool Digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits.substr(0, 6)) value = value * 10 + (c - '0');
    return value;
}

// "28N36", "77E12", optionally with seconds "28N36:30".
bool ParseCsvAngle(std::string_view text, char positive, char negative, std::int64_t& seconds,
                   bool& isNegative) {
    text = Trim(text);
    const auto at = text.find_first_of(std::string{
        positive, negative, static_cast<char>(positive + 32), static_cast<char>(negative + 32)});
    if (at == std::string_view::npos) return false;
    const std::string_view degrees = text.substr(0, at);
    std::string_view minutes = text.substr(at + 1);
    std::string_view rest;
    if (const auto colon = minutes.find(':'); colon != std::string_view::npos) {
        rest = minutes.substr(colon + 1);
        minutes = minutes.substr(0, colon);
        if (!Digits(rest) || rest.size() > 2 || Number(rest) > 59) return false;
    }
    if (!Digits(degrees) || degrees.size() > 3 || !Digits(minutes) || minutes.size() > 2 ||
        Number(minutes) > 59)
        return false;
    isNegative = text[at] == negative || text[at] == negative + 32;
    seconds = Number(degrees) * 3600 + Number(minutes) * 60 + (rest.empty() ? 0 : Number(rest));
    return true;
}

// The row a zone column names: its whole text or its abbreviation. One
// abbreviation (NST) stands for two rows; the one nearer the longitude's
// solar time is taken.
std::optional<int> ZoneRowOf(std::string_view text, std::int64_t lonSeconds, bool east) {
    text = Trim(text);
    for (int row = 0; row < kZoneCount; ++row) {
        if (kZoneTable[static_cast<std::size_t>(row)].text == text) return row;
    }
    const std::string wanted = Lower(text);
    const std::int64_t solar = (east ? lonSeconds : -lonSeconds) / 15;  // seconds of time
    std::optional<int> best;
    std::int64_t bestDistance = 0;
    for (int row = 0; row < kZoneCount; ++row) {
        if (Lower(atlas::ZoneRowAbbreviation(row)) != wanted) continue;
        const std::int64_t distance = std::llabs(*atlas::ZoneRowOffsetSeconds(row) - solar);
        if (!best || distance < bestDistance) {
            best = row;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<bool> DstOf(std::string_view text) {
    const std::string value = Lower(Trim(text));
    if (value.empty() || value == "0" || value == "no" || value == "false") return false;
    if (value == "1" || value == "yes" || value == "true") return true;
    return std::nullopt;
}

std::variant<ForeignBirth, std::string> RowBirth(const std::vector<std::string>& fields,
                                                 const int (&columnOf)[kColumnCount]) {
    const auto field = [&](Column column) -> std::string_view {
        const int at = columnOf[column];
        return at < 0 ? std::string_view() : std::string_view(fields[static_cast<std::size_t>(at)]);
    };
    ForeignBirth birth;
    birth.name = std::string(Trim(field(kName)));
    const std::string_view date = Trim(field(kDate));
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !Digits(date.substr(0, 4)) ||
        !Digits(date.substr(5, 2)) || !Digits(date.substr(8, 2))) {
        return "the date \"" + std::string(date.substr(0, 40)) + "\" is not YYYY-MM-DD";
    }
    birth.year = Number(date.substr(0, 4));
    birth.month = Number(date.substr(5, 2));
    birth.day = Number(date.substr(8, 2));
    const std::string_view time = Trim(field(kTime));
    const bool withSeconds = time.size() == 8 && time[5] == ':' && Digits(time.substr(6, 2));
    if (!(time.size() == 5 || withSeconds) || time[2] != ':' || !Digits(time.substr(0, 2)) ||
        !Digits(time.substr(3, 2))) {
        return "the time \"" + std::string(time.substr(0, 40)) + "\" is not HH:MM:SS";
    }
    birth.hour = Number(time.substr(0, 2));
    birth.minute = Number(time.substr(3, 2));
    birth.second = withSeconds ? Number(time.substr(6, 2)) : 0;
    if (!ParseCsvAngle(field(kLatitude), 'N', 'S', birth.latSeconds, birth.south)) {
        return "the latitude \"" + std::string(field(kLatitude).substr(0, 40)) +
               "\" is not of the form 28N36";
    }
    bool west = false;
    if (!ParseCsvAngle(field(kLongitude), 'E', 'W', birth.lonSeconds, west)) {
        return "the longitude \"" + std::string(field(kLongitude).substr(0, 40)) +
               "\" is not of the form 77E12";
    }
    birth.east = !west;
    birth.zoneRow = ZoneRowOf(field(kZone), birth.lonSeconds, birth.east);
    if (const auto offset = OffsetOfZoneChoiceText(Trim(field(kZone)))) {
        birth.zoneRow = kOtherOffsetRow;
        birth.utcOffsetMinutes = *offset;
    }
    if (!birth.zoneRow) {
        return "the zone \"" + std::string(field(kZone).substr(0, 40)) +
               "\" is no zone row's abbreviation (korvanta-cli --list-zones lists them)";
    }
    const auto dst = DstOf(field(kDst));
    if (!dst) return "dst \"" + std::string(field(kDst).substr(0, 40)) + "\" is not 1 or 0";
    birth.dst = *dst;
    birth.city = std::string(field(kCity));
    birth.state = std::string(field(kState));
    birth.country = std::string(field(kCountry));
    birth.note = std::string(field(kNote));
    return birth;
}

}  // namespace

ReadResult ReadCsv(std::istream& in, PlaceFinder& places) {
    ReadResult result;
    LineReader reader(in, kMaxCsvRecord);
    std::string line, record;
    std::vector<std::string> fields;
    int columnOf[kColumnCount];
    std::fill(std::begin(columnOf), std::end(columnOf), -1);
    std::size_t columnCount = 0;
    bool header = false;
    long start = 0;
    for (;;) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::End) break;
        if (record.empty()) start = reader.Number();
        if (status == LineReader::Status::TooLong || record.size() + line.size() > kMaxCsvRecord) {
            result.refused.push_back({start, "the row holds more than 1 MiB (line " +
                                                 std::to_string(reader.Number()) +
                                                 "); it is passed over"});
            record.clear();
            continue;
        }
        if (reader.Number() == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        if (!record.empty()) record += '\n';
        record += line;
        if (!SplitRecord(record, fields)) continue;  // a quoted line break
        const std::string text = std::move(record);
        record.clear();
        if (Trim(text).empty()) continue;
        if (const std::size_t at = InvalidUtf8At(text); at != std::string::npos) {
            result.refused.push_back({start, "the row is not UTF-8 text (byte " +
                                                 std::to_string(at + 1) + " of the row)"});
            continue;
        }
        if (!header) {
            header = true;
            columnCount = fields.size();
            for (std::size_t i = 0; i < fields.size(); ++i) {
                const std::string name = Lower(Trim(fields[i]));
                int column = 0;
                while (column < kColumnCount && kColumnNames[column] != name) ++column;
                if (column == kColumnCount) {
                    result.notes.push_back("column \"" + name.substr(0, 40) + "\" left aside");
                } else if (columnOf[column] < 0) {
                    columnOf[column] = static_cast<int>(i);
                }
            }
            for (int column = 0; column < kRequiredColumns; ++column) {
                if (columnOf[column] < 0) {
                    result.refused.push_back({start, "the header line has no column \"" +
                                                         std::string(kColumnNames[column]) +
                                                         "\"; it names " +
                                                         std::string(kCsvHeader)});
                    return result;
                }
            }
            continue;
        }
        if (fields.size() != columnCount) {
            result.refused.push_back({start, "the row has " + std::to_string(fields.size()) +
                                                 " fields; the header has " +
                                                 std::to_string(columnCount)});
            continue;
        }
        auto birth = RowBirth(fields, columnOf);
        if (auto* reason = std::get_if<std::string>(&birth)) {
            result.refused.push_back({start, *reason});
            continue;
        }
        auto entered = EnterBirth(std::get<ForeignBirth>(birth), start, places);
        if (auto* reason = std::get_if<std::string>(&entered)) {
            result.refused.push_back({start, *reason});
        } else {
            result.births.push_back(std::move(std::get<ImportedBirth>(entered)));
        }
    }
    if (!record.empty()) {
        result.refused.push_back({start, "a quoted field is not closed before the file ends"});
    }
    if (!header) result.refused.push_back({1, "the file has no header line"});
    return result;
}

std::string CsvField(std::string_view value) {
    const bool quote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!value.empty() && (value.front() == ' ' || value.back() == ' ' ||
                                           value.front() == '\t' || value.back() == '\t'));
    if (!quote) return std::string(value);
    std::string text = "\"";
    for (const char c : value) {
        text += c;
        if (c == '"') text += '"';
    }
    return text + "\"";
}

std::string CsvRow(const library::StoredBirth& stored) {
    const Birth& b = stored.birth;
    char date[16], time[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", b.year, b.month, b.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", b.hour, b.minute, b.second);
    const std::string fields[kColumnCount] = {b.name,
                                              date,
                                              time,
                                              AngleText(b.latDeg, b.latMin, b.south ? 'S' : 'N'),
                                              AngleText(b.lonDeg, b.lonMin, b.east ? 'E' : 'W'),
                                              ZoneColumnText(b),
                                              b.dst ? "1" : "0",
                                              b.city,
                                              b.state,
                                              b.country,
                                              stored.note};
    std::string row;
    for (int i = 0; i < kColumnCount; ++i) {
        if (i > 0) row += ',';
        row += CsvField(fields[i]);
    }
    return row + "\r\n";
}

}  // namespace korvanta::exchange
