// SPDX-License-Identifier: GPL-3.0-or-later
// Births in and out of other programs' files: the parts that the .jhd birth
// file, AAF records and CSV share. A file is read into births the library
// can store, each with the notes on what the import decided (the zone row it
// chose, coordinates rounded, a name made fit for the name box), or into
// refusals naming the line and the reason. Every birth passes the program's
// own entry check, so a file gives the library nothing the entry window
// would refuse. Standard library only; no Qt.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "exchange/text.h"
#include "library/births_library.h"

namespace korvanta::exchange {

enum class Format { JsonLines, Jhd, Aaf, Csv };

// "jsonl", "jhd", "aaf", "csv".
std::string_view FormatName(Format format);
std::optional<Format> FormatOfName(std::string_view name);

// A birth read from a file, at the line where its record starts.
struct ImportedBirth {
    library::StoredBirth stored;
    long line = 0;
    std::vector<std::string> notes;  // what the import decided, one sentence each
};

// A record that gives no birth: its line and the reason.
struct RefusedRecord {
    long line = 0;
    std::string reason;
};

struct ReadResult {
    std::vector<ImportedBirth> births;
    std::vector<RefusedRecord> refused;
    std::vector<std::string> notes;  // about the file as a whole
};

// A birth as a file holds it, before the import turns it into entry values.
struct ForeignBirth {
    std::string name;  // as the file gives it; made fit for the name box later
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    // Coordinates in whole arc-seconds without sign; the hemisphere apart,
    // so that a value of 0 keeps the side the file gave it.
    std::int64_t latSeconds = 0;
    bool south = false;
    std::int64_t lonSeconds = 0;
    bool east = false;
    // The clock offset east of UT that the time was read on, in seconds, and
    // the place's standard offset when the file tells daylight saving apart.
    int appliedOffsetSeconds = 0;
    std::optional<int> standardOffsetSeconds;
    // A zone name the file gives ("CET"): picks among rows of one offset.
    std::string zoneName;
    // A zone row the file names outright (CSV); then the offsets are unused.
    std::optional<int> zoneRow;
    // The offset of "Other UTC offset" when zoneRow is that row: local
    // standard time minus UT, minutes.
    int utcOffsetMinutes = 0;
    bool dst = false;  // with zoneRow only
    std::string city, state, country, note;
};

// Finds places in the atlas once per place text: the import asks for the
// same place many times.
class PlaceFinder {
  public:
    // The IANA zone of the one atlas place that `city`, `state` and `country`
    // name; empty when the atlas finds none or several.
    const std::string& ZoneOf(const std::string& city, const std::string& state,
                              const std::string& country);

  private:
    std::map<std::string, std::string> zones_;
};

// The zone row and daylight-saving box of a clock offset, by the import's
// rule: the offset's row with the box clear; when the file gives a standard
// offset exactly one hour behind the applied one, the standard offset's row
// with the box ticked. Among rows of one offset: the row named by
// `zoneName`, else the atlas's row for the place at that moment when it has
// the offset and box, else the first standard-time row of the list with that
// offset. Returned: the row, the box and a note naming the row and why; or
// the refusal naming an offset no row has.
struct ZoneChoice {
    int row = 0;
    int utcOffsetMinutes = 0;  // for "Other UTC offset": local minus UT, minutes
    bool dst = false;
    std::string note;
};

// The offset of a birth's standard time east of UT, in seconds: its zone
// row's, or the offset "Other UTC offset" carries.
int StandardOffsetSeconds(const Birth& birth);

// A zone row as an exchange file names it: the row's abbreviation, or for
// "Other UTC offset" its text with the offset ("Other UTC offset +05:45").
std::string ZoneColumnText(const Birth& birth);
std::variant<ZoneChoice, std::string> ChooseZoneRow(const ForeignBirth& birth, PlaceFinder& places);

// Turns a birth as read into a stored birth through the entry check, with
// the notes of what was changed to fit: the name made letters and blanks,
// coordinates rounded to whole minutes, the zone row chosen. Returned: the
// refusal's reason when the birth cannot be entered.
std::variant<ImportedBirth, std::string> EnterBirth(const ForeignBirth& birth, long line,
                                                    PlaceFinder& places);

// Whole arc-seconds rounded to whole minutes as the entry takes them:
// degrees and minutes, and whether rounding changed the value.
struct RoundedAngle {
    int degrees = 0;
    int minutes = 0;
    bool rounded = false;
};
RoundedAngle RoundToMinutes(std::int64_t arcSeconds);

// "28N36" / "77E12": degrees, the hemisphere letter, two-digit minutes.
std::string AngleText(int degrees, int minutes, char hemisphere);

// The input record line of a birth as the library's import reads it: the
// record, then its note when it has one; no "id".
std::string RecordLine(const library::StoredBirth& stored);

// Julian day of a civil date and UT time of day in seconds.
double JulianDay(int year, int month, int day, std::int64_t utSeconds);

}  // namespace korvanta::exchange
