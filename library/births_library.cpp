// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/births_library.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <tuple>

#include "library/birth_record.h"
#include "library/births_rows.h"
#include "library/sqlite_statement.h"
#include "library/stored_text.h"
#include "pipeline/zones.h"

namespace korvanta::library {
namespace {

int Narrow(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -1000000, 1000000));
}

// Why a stored birth cannot be used as it reads; empty when it can.
std::string RowFault(const StoredBirth& stored) {
    const Birth& b = stored.birth;
    const auto which = [&] {
        return "stored birth " + std::to_string(stored.id) + " (" + b.name + ")";
    };
    if (b.zoneIndex < 0 || b.zoneIndex >= kZoneListCount) {
        return which() + ": its zone row " + std::to_string(b.zoneIndex) + " does not exist";
    }
    const std::string now = ZoneChoiceText(b.zoneIndex, b.utcOffsetMinutes);
    if (now != stored.zoneText) {
        return which() + ": it was saved with zone row " + std::to_string(b.zoneIndex) + " \"" +
               stored.zoneText + "\", which now reads \"" + std::string(now) +
               "\"; it is not read as another zone";
    }
    if (const auto refusal = ValidateBirthData(FormOfBirth(b))) {
        return which() + ": the entry check refuses it: " + std::string(refusal->message);
    }
    return "";
}

// The next mark of the recent list after `latest`, never past the largest
// integer a row can hold (a row may carry any value another program wrote).
std::int64_t NextUsed(std::int64_t now, std::int64_t latest) {
    const std::int64_t after =
        latest < std::numeric_limits<std::int64_t>::max() ? latest + 1 : latest;
    return std::max(now, after);
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool ContainsFolded(std::string_view haystack, std::string_view needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return FoldAscii(a) == FoldAscii(b); }) !=
           haystack.end();
}

}  // namespace

std::int64_t Now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

ReadBirth ReadRow(const Statement& s) {
    ReadBirth read;
    StoredBirth& st = read.stored;
    Birth& b = st.birth;
    st.id = s.Int(0);
    b.name = s.Text(1);
    b.year = Narrow(s.Int(2));
    b.month = Narrow(s.Int(3));
    b.day = Narrow(s.Int(4));
    b.hour = Narrow(s.Int(5));
    b.minute = Narrow(s.Int(6));
    b.second = Narrow(s.Int(7));
    b.city = s.Text(8);
    b.state = s.Text(9);
    b.country = s.Text(10);
    b.latDeg = Narrow(s.Int(11));
    b.latMin = Narrow(s.Int(12));
    b.south = s.Int(13) != 0;
    b.lonDeg = Narrow(s.Int(14));
    b.lonMin = Narrow(s.Int(15));
    b.east = s.Int(16) != 0;
    b.zoneIndex = Narrow(s.Int(17));
    st.zoneText = s.Text(18);
    b.dst = s.Int(19) != 0;
    st.atlasPlace = s.Text(20);
    st.atlasZone = s.Text(21);
    st.note = s.Text(22);
    st.created = s.Int(23);
    st.modified = s.Int(24);
    st.used = s.Int(25);
    // "Other UTC offset" keeps its offset in the zone text ("Other UTC offset +05:45").
    if (b.zoneIndex == kOtherOffsetRow) {
        b.utcOffsetMinutes = OffsetOfZoneChoiceText(st.zoneText).value_or(0);
    }
    const ZoneCorrection zone = ZoneCorrectionOf(b.zoneIndex, b.utcOffsetMinutes);
    b.zoneHours = zone.hours;
    b.zoneMinutes = zone.minutes;
    read.fault = RowFault(st);
    return read;
}

void BindMoment(Statement& s, const Birth& b) {
    s.Bind(":name", b.name);
    s.Bind(":year", std::int64_t{b.year});
    s.Bind(":month", std::int64_t{b.month});
    s.Bind(":day", std::int64_t{b.day});
    s.Bind(":hour", std::int64_t{b.hour});
    s.Bind(":minute", std::int64_t{b.minute});
    s.Bind(":second", std::int64_t{b.second});
}

void BindBirth(Statement& s, const StoredBirth& st) {
    const Birth& b = st.birth;
    BindMoment(s, b);
    s.Bind(":city", b.city);
    s.Bind(":state", b.state);
    s.Bind(":country", b.country);
    s.Bind(":lat_deg", std::int64_t{b.latDeg});
    s.Bind(":lat_min", std::int64_t{b.latMin});
    s.Bind(":south", std::int64_t{b.south});
    s.Bind(":lon_deg", std::int64_t{b.lonDeg});
    s.Bind(":lon_min", std::int64_t{b.lonMin});
    s.Bind(":east", std::int64_t{b.east});
    s.Bind(":zone_index", std::int64_t{b.zoneIndex});
    // The zone row's text as the program shows it now: a later program whose
    // row reads otherwise will notice.
    s.Bind(":zone_text", ZoneChoiceText(b.zoneIndex, b.utcOffsetMinutes));
    s.Bind(":dst", std::int64_t{b.dst});
    s.Bind(":atlas_place", st.atlasPlace);
    s.Bind(":atlas_zone", st.atlasZone);
    s.Bind(":note", st.note);
    s.Bind(":modified", st.modified);
    s.Bind(":used", st.used);
}

std::string DefaultLibraryPath() {
    namespace fs = std::filesystem;
    fs::path base;
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && fs::path(data).is_absolute()) {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = fs::path(home) / ".local" / "share";
    } else {
        return "";
    }
    return (base / "Korvanta" / "births.sqlite").string();
}

std::string ExportLine(const StoredBirth& stored) {
    Json line = Json::object();
    line["id"] = stored.id;
    const Json record = RecordFromForm(FormOfBirth(stored.birth));
    for (const auto& [key, value] : record.items()) line[key] = value;
    if (!stored.note.empty()) line["note"] = stored.note;
    if (!stored.atlasPlace.empty()) line["atlas_place"] = stored.atlasPlace;
    if (!stored.atlasZone.empty()) line["atlas_zone"] = stored.atlasZone;
    const std::string dumped = line.dump(-1, ' ', false, Json::error_handler_t::replace);
    // The writer escapes U+0000..U+001F but passes DEL and the C1 controls
    // (U+0080..U+009F) as they are, which some terminals obey; a row stored
    // before the character rule may hold them. They occur only inside
    // strings, where an escape reads back as the same character.
    std::string escaped;
    escaped.reserve(dumped.size());
    for (std::size_t i = 0; i < dumped.size(); ++i) {
        const auto byte = static_cast<unsigned char>(dumped[i]);
        const bool c1 = byte == 0xC2 && i + 1 < dumped.size() &&
                        static_cast<unsigned char>(dumped[i + 1]) < 0xA0;
        if (byte != 0x7F && !c1) {
            escaped += dumped[i];
            continue;
        }
        const unsigned code = c1 ? static_cast<unsigned char>(dumped[++i]) : byte;
        static constexpr char kHex[] = "0123456789abcdef";
        escaped += "\\u00";
        escaped += kHex[code >> 4];
        escaped += kHex[code & 0xF];
    }
    return escaped;
}

bool MatchesSearch(const StoredBirth& stored, std::string_view text) {
    if (text.empty()) return true;
    const Birth& b = stored.birth;
    for (std::string_view field :
         {std::string_view(b.name), std::string_view(b.city), std::string_view(b.state),
          std::string_view(b.country), std::string_view(stored.note)}) {
        if (ContainsFolded(field, text)) return true;
    }
    return false;
}

BirthsLibrary::BirthsLibrary(sqlite3* db, std::string path, std::string readOnlyReason)
    : db_(db), path_(std::move(path)), readOnlyReason_(std::move(readOnlyReason)) {}

BirthsLibrary::~BirthsLibrary() {
    sqlite3_close_v2(db_);
}

LibraryError BirthsLibrary::ErrorOf(int code, std::string_view doing) const {
    const int primary = code & 0xFF;
    const std::string detail = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    LibraryError error;
    error.message = "the births library " + path_ + ": " + std::string(doing) + ": ";
    switch (primary) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            error.kind = ErrorKind::Locked;
            error.message += "another program is writing to it and did not finish in time";
            break;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            error.kind = ErrorKind::NotALibrary;
            error.message += "the file is not a SQLite database or is damaged (" + detail + ")";
            break;
        case SQLITE_READONLY:
            error.kind = ErrorKind::ReadOnly;
            error.message += "the file cannot be written (" + detail + ")";
            break;
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            error.kind = ErrorKind::CannotOpen;
            error.message += "the file cannot be opened (" + detail + ")";
            break;
        default:
            error.kind = ErrorKind::Failed;
            error.message += detail;
            break;
    }
    return error;
}

std::optional<LibraryError> BirthsLibrary::Exec(const char* sql) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code == SQLITE_OK) return std::nullopt;
    return ErrorOf(code, "cannot run a statement");
}

std::optional<LibraryError> BirthsLibrary::Writable() const {
    if (!IsReadOnly()) return std::nullopt;
    return LibraryError{ErrorKind::ReadOnly,
                        "the births library " + path_ + " is open read-only: " + readOnlyReason_};
}

std::variant<std::vector<std::int64_t>, LibraryError> BirthsLibrary::FindSame(const Birth& birth) {
    Statement s(db_, kSameMoment);
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot read");
    BindMoment(s, birth);
    std::vector<std::int64_t> ids;
    int step;
    while ((step = s.Step()) == SQLITE_ROW) ids.push_back(s.Int(0));
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot read");
    return ids;
}

std::variant<std::int64_t, Duplicate, LibraryError> BirthsLibrary::SaveInTransaction(
    const StoredBirth& birth, OnDuplicate onDuplicate, std::int64_t now) {
    auto same = FindSame(birth.birth);
    if (auto* e = std::get_if<LibraryError>(&same)) return *e;
    const auto& ids = std::get<std::vector<std::int64_t>>(same);
    StoredBirth row = birth;
    row.modified = now;
    {
        // The recent list's order: later than every birth used before, even
        // within one second.
        Statement last(db_, "SELECT coalesce(max(used), 0) FROM births");
        if (const int step = last.Step(); step != SQLITE_ROW) return ErrorOf(step, "cannot save");
        row.used = NextUsed(now, last.Int(0));
    }
    if (!ids.empty() && onDuplicate == OnDuplicate::Refuse) return Duplicate{ids};
    if (!ids.empty() && onDuplicate == OnDuplicate::Replace) {
        Statement s(db_, kReplace);
        if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot save");
        BindBirth(s, row);
        s.Bind(":id", ids.front());
        const int step = s.Step();
        if (step != SQLITE_DONE) return ErrorOf(step, "cannot save");
        return ids.front();
    }
    row.created = now;
    Statement s(db_, kInsert);
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot save");
    BindBirth(s, row);
    s.Bind(":created", row.created);
    const int step = s.Step();
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot save");
    return static_cast<std::int64_t>(sqlite3_last_insert_rowid(db_));
}

std::variant<std::int64_t, Duplicate, LibraryError> BirthsLibrary::Save(const StoredBirth& birth,
                                                                        OnDuplicate onDuplicate) {
    if (auto e = Writable()) return *e;
    if (const auto fault = StoredTextFault(birth)) {
        return LibraryError{ErrorKind::Failed,
                            "the births library " + path_ + ": cannot save the birth: " + *fault};
    }
    if (auto e = Exec("BEGIN IMMEDIATE")) return *e;
    auto result = SaveInTransaction(birth, onDuplicate, Now());
    if (!std::holds_alternative<std::int64_t>(result)) {
        Exec("ROLLBACK");
        return result;
    }
    if (auto e = Exec("COMMIT")) {
        Exec("ROLLBACK");
        return *e;
    }
    return result;
}

std::optional<LibraryError> BirthsLibrary::Update(std::int64_t id, const StoredBirth& birth) {
    if (auto e = Writable()) return e;
    if (const auto fault = StoredTextFault(birth)) {
        return LibraryError{ErrorKind::Failed,
                            "the births library " + path_ + ": cannot save the birth: " + *fault};
    }
    if (auto e = Exec("BEGIN IMMEDIATE")) return e;
    auto update = [&]() -> std::optional<LibraryError> {
        StoredBirth row = birth;
        row.modified = Now();
        Statement last(db_, "SELECT coalesce(max(used), 0) FROM births");
        if (const int step = last.Step(); step != SQLITE_ROW) return ErrorOf(step, "cannot save");
        row.used = NextUsed(row.modified, last.Int(0));
        Statement s(db_, kReplace);
        if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot save");
        BindBirth(s, row);
        s.Bind(":id", id);
        if (const int step = s.Step(); step != SQLITE_DONE) return ErrorOf(step, "cannot save");
        if (sqlite3_changes(db_) == 0) {
            return LibraryError{ErrorKind::NotFound,
                                "no stored birth has the id " + std::to_string(id)};
        }
        return std::nullopt;
    };
    if (auto e = update()) {
        Exec("ROLLBACK");
        return e;
    }
    if (auto e = Exec("COMMIT")) {
        Exec("ROLLBACK");
        return e;
    }
    return std::nullopt;
}

std::optional<LibraryError> BirthsLibrary::Delete(std::int64_t id) {
    if (auto e = Writable()) return e;
    Statement s(db_, "DELETE FROM births WHERE id = :id");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot delete");
    s.Bind(":id", id);
    const int step = s.Step();
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot delete");
    if (sqlite3_changes(db_) == 0) {
        return LibraryError{ErrorKind::NotFound,
                            "no stored birth has the id " + std::to_string(id)};
    }
    return std::nullopt;
}

std::optional<LibraryError> BirthsLibrary::SetNote(std::int64_t id, std::string_view note) {
    if (auto e = Writable()) return e;
    if (const auto fault = NoteTextFault(note)) {
        return LibraryError{ErrorKind::Failed, "the births library " + path_ +
                                                   ": cannot change the note: the note " + *fault};
    }
    Statement s(db_, "UPDATE births SET note = :note, modified = :modified WHERE id = :id");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot change the note");
    s.Bind(":note", note);
    s.Bind(":modified", Now());
    s.Bind(":id", id);
    const int step = s.Step();
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot change the note");
    if (sqlite3_changes(db_) == 0) {
        return LibraryError{ErrorKind::NotFound,
                            "no stored birth has the id " + std::to_string(id)};
    }
    return std::nullopt;
}

namespace {

// Reads the births the clauses after FROM select (by id unless they say
// otherwise), handing each to `visit` as it is read: a large library is
// never held twice.
template <typename Bind, typename Visit>
std::optional<int> VisitRows(sqlite3* db, const std::string& where, Bind bind, Visit visit) {
    const bool ordered = where.find("ORDER BY") != std::string::npos;
    Statement s(db, std::string("SELECT ") + kColumns + " FROM births " + where +
                        (ordered ? "" : " ORDER BY id"));
    if (s.PrepareCode() != SQLITE_OK) return s.PrepareCode();
    bind(s);
    int step;
    while ((step = s.Step()) == SQLITE_ROW) {
        if (!visit(ReadRow(s))) return std::nullopt;
    }
    if (step != SQLITE_DONE) return step;
    return std::nullopt;
}

template <typename Bind>
std::variant<std::vector<ReadBirth>, LibraryError> ReadRows(
    sqlite3* db, const std::string& where, Bind bind,
    const std::function<LibraryError(int)>& errorOf) {
    std::vector<ReadBirth> rows;
    if (const auto code = VisitRows(db, where, bind, [&rows](ReadBirth&& row) {
            rows.push_back(std::move(row));
            return true;
        }))
        return errorOf(*code);
    return rows;
}

}  // namespace

std::variant<std::vector<ReadBirth>, LibraryError> BirthsLibrary::List() {
    std::vector<ReadBirth> rows;
    const auto count = Count();
    if (const auto* n = std::get_if<std::int64_t>(&count))
        rows.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, *n)));
    if (auto error = ForEach([&rows](ReadBirth&& row) {
            rows.push_back(std::move(row));
            return true;
        }))
        return *error;
    return rows;
}

std::variant<std::vector<ReadBirth>, LibraryError> BirthsLibrary::FirstByName(int count) {
    return ReadRows(
        db_, "ORDER BY name COLLATE NOCASE, id LIMIT :count",
        [count](Statement& s) { s.Bind(":count", std::int64_t{count}); },
        [this](int code) { return ErrorOf(code, "cannot read"); });
}

std::variant<std::int64_t, LibraryError> BirthsLibrary::Count() {
    Statement s(db_, "SELECT count(*) FROM births");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot read");
    const int step = s.Step();
    if (step != SQLITE_ROW) return ErrorOf(step, "cannot read");
    return s.Int(0);
}

std::optional<LibraryError> BirthsLibrary::ForEach(const std::function<bool(ReadBirth&&)>& visit) {
    if (const auto code = VisitRows(
            db_, "", [](Statement&) {}, visit))
        return ErrorOf(*code, "cannot read");
    return std::nullopt;
}

std::variant<std::vector<ReadBirth>, LibraryError> BirthsLibrary::Recent(int count) {
    Statement s(db_, std::string("SELECT ") + kColumns +
                         " FROM births WHERE used > 0 ORDER BY used DESC, id DESC LIMIT :count");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot read");
    s.Bind(":count", std::int64_t{count});
    std::vector<ReadBirth> rows;
    int step;
    while ((step = s.Step()) == SQLITE_ROW) rows.push_back(ReadRow(s));
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot read");
    return rows;
}

std::optional<LibraryError> BirthsLibrary::MarkOpened(std::int64_t id) {
    if (auto e = Writable()) return e;
    if (auto e = Exec("BEGIN IMMEDIATE")) return e;
    auto mark = [&]() -> std::optional<LibraryError> {
        Statement last(db_, "SELECT coalesce(max(used), 0) FROM births");
        if (const int step = last.Step(); step != SQLITE_ROW) return ErrorOf(step, "cannot write");
        Statement s(db_, "UPDATE births SET used = :used WHERE id = :id");
        if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot write");
        s.Bind(":used", NextUsed(Now(), last.Int(0)));
        s.Bind(":id", id);
        if (const int step = s.Step(); step != SQLITE_DONE) return ErrorOf(step, "cannot write");
        return Exec("COMMIT");
    }();
    if (mark) Exec("ROLLBACK");
    return mark;
}

std::variant<std::vector<ReadBirth>, LibraryError> BirthsLibrary::FindByName(
    std::string_view name) {
    return ReadRows(
        db_, "WHERE name = :name", [name](Statement& s) { s.Bind(":name", name); },
        [this](int code) { return ErrorOf(code, "cannot read"); });
}

std::variant<ReadBirth, LibraryError> BirthsLibrary::Get(std::int64_t id) {
    auto rows = ReadRows(
        db_, "WHERE id = :id", [id](Statement& s) { s.Bind(":id", id); },
        [this](int code) { return ErrorOf(code, "cannot read"); });
    if (auto* e = std::get_if<LibraryError>(&rows)) return *e;
    auto& found = std::get<std::vector<ReadBirth>>(rows);
    if (found.empty()) {
        return LibraryError{ErrorKind::NotFound,
                            "no stored birth has the id " + std::to_string(id)};
    }
    return std::move(found.front());
}

}  // namespace korvanta::library
