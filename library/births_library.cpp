// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/births_library.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <istream>
#include <set>
#include <tuple>

#include "library/birth_record.h"
#include "pipeline/zones.h"

namespace korvanta::library {
namespace {

constexpr const char* kCreateSchema = R"(
CREATE TABLE births(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  hour INTEGER NOT NULL, minute INTEGER NOT NULL, second INTEGER NOT NULL,
  city TEXT NOT NULL, state TEXT NOT NULL, country TEXT NOT NULL,
  lat_deg INTEGER NOT NULL, lat_min INTEGER NOT NULL, south INTEGER NOT NULL,
  lon_deg INTEGER NOT NULL, lon_min INTEGER NOT NULL, east INTEGER NOT NULL,
  zone_index INTEGER NOT NULL, zone_text TEXT NOT NULL, dst INTEGER NOT NULL,
  atlas_place TEXT NOT NULL, atlas_zone TEXT NOT NULL, note TEXT NOT NULL,
  created INTEGER NOT NULL, modified INTEGER NOT NULL, used INTEGER NOT NULL);
CREATE INDEX births_used ON births(used);
CREATE INDEX births_moment ON births(name, year, month, day, hour, minute, second);
)";

// The columns every read takes, in the order ReadRow expects.
constexpr const char* kColumns =
    "id, name, year, month, day, hour, minute, second, city, state, country, lat_deg, lat_min, "
    "south, lon_deg, lon_min, east, zone_index, zone_text, dst, atlas_place, atlas_zone, note, "
    "created, modified, used";

// The longest import line read, as in batch mode.
constexpr std::size_t kMaxImportLineBytes = std::size_t{1} << 20;

// A prepared statement, finalized when it goes.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) {
        code_ = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int PrepareCode() const { return code_; }
    sqlite3_stmt* get() const { return stmt_; }
    void Bind(int index, std::int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
    void Bind(int index, std::string_view text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    int Step() { return sqlite3_step(stmt_); }
    void Reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text == nullptr
                   ? std::string()
                   : std::string(text,
                                 static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = SQLITE_OK;
};

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

// Binds the name and the moment to parameters 1..7.
void BindMoment(Statement& s, const Birth& b) {
    s.Bind(1, b.name);
    s.Bind(2, std::int64_t{b.year});
    s.Bind(3, std::int64_t{b.month});
    s.Bind(4, std::int64_t{b.day});
    s.Bind(5, std::int64_t{b.hour});
    s.Bind(6, std::int64_t{b.minute});
    s.Bind(7, std::int64_t{b.second});
}

// Binds the birth's values to parameters 1..24 in the column order after id.
void BindBirth(Statement& s, const StoredBirth& st) {
    const Birth& b = st.birth;
    BindMoment(s, b);
    s.Bind(8, b.city);
    s.Bind(9, b.state);
    s.Bind(10, b.country);
    s.Bind(11, std::int64_t{b.latDeg});
    s.Bind(12, std::int64_t{b.latMin});
    s.Bind(13, std::int64_t{b.south});
    s.Bind(14, std::int64_t{b.lonDeg});
    s.Bind(15, std::int64_t{b.lonMin});
    s.Bind(16, std::int64_t{b.east});
    s.Bind(17, std::int64_t{b.zoneIndex});
    // The zone row's text as the program shows it now: a later program whose
    // row reads otherwise will notice.
    s.Bind(18, ZoneChoiceText(b.zoneIndex, b.utcOffsetMinutes));
    s.Bind(19, std::int64_t{b.dst});
    s.Bind(20, st.atlasPlace);
    s.Bind(21, st.atlasZone);
    s.Bind(22, st.note);
    s.Bind(23, st.created);
    s.Bind(24, st.modified);
    s.Bind(26, st.used);
}

constexpr const char* kInsert =
    "INSERT INTO births(name, year, month, day, hour, minute, second, city, state, country, "
    "lat_deg, lat_min, south, lon_deg, lon_min, east, zone_index, zone_text, dst, atlas_place, "
    "atlas_zone, note, created, modified, used) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
    "?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, ?23, ?24, ?26)";

constexpr const char* kSameMoment =
    "SELECT id FROM births WHERE name = ?1 AND year = ?2 AND month = ?3 AND day = ?4 AND "
    "hour = ?5 AND minute = ?6 AND second = ?7 ORDER BY id";

std::int64_t Now() {
    return static_cast<std::int64_t>(std::time(nullptr));
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
    return line.dump(-1, ' ', false, Json::error_handler_t::replace);
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

std::variant<std::unique_ptr<BirthsLibrary>, LibraryError> BirthsLibrary::Open(
    const std::string& path, Mode mode, int busyTimeoutMs) {
    namespace fs = std::filesystem;
    auto refuse = [&path](ErrorKind kind, const std::string& why) {
        return LibraryError{kind, "the births library " + path + ": " + why};
    };
    if (path.empty()) return refuse(ErrorKind::CannotOpen, "no file name (HOME is not set)");
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    std::string readOnlyReason;
    if (mode == Mode::ReadOnly) {
        readOnlyReason = "it was opened for reading only";
        if (!exists) return refuse(ErrorKind::CannotOpen, "the file does not exist");
    } else if (exists && access(path.c_str(), W_OK) != 0) {
        readOnlyReason = "the file is read-only";
    } else if (!exists) {
        const fs::path folder = fs::path(path).parent_path();
        if (!folder.empty()) {
            fs::create_directories(folder, ec);
            if (ec) {
                return refuse(ErrorKind::CannotOpen,
                              "cannot create the folder " + folder.string() + ": " + ec.message());
            }
        }
    }
    if (exists && fs::is_directory(path, ec)) return refuse(ErrorKind::CannotOpen, "is a folder");

    const bool readOnly = !readOnlyReason.empty();
    sqlite3* db = nullptr;
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_NOMUTEX;
    const int opened = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    std::unique_ptr<BirthsLibrary> library(new BirthsLibrary(db, path, readOnlyReason));
    if (opened != SQLITE_OK) return library->ErrorOf(opened, "cannot open");
    sqlite3_busy_timeout(db, busyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);

    // The first read tells a SQLite file from any other; the integrity check
    // finds damage before anything is written into it.
    int version = 0;
    std::int64_t appId = 0, tables = 0, birthsTable = 0;
    {
        Statement check(db,
                        "SELECT (SELECT user_version FROM pragma_user_version), (SELECT "
                        "application_id FROM pragma_application_id), (SELECT count(*) FROM "
                        "sqlite_schema), (SELECT count(*) FROM sqlite_schema WHERE type = "
                        "'table' AND name = 'births')");
        if (check.PrepareCode() != SQLITE_OK)
            return library->ErrorOf(check.PrepareCode(), "cannot read");
        const int step = check.Step();
        if (step != SQLITE_ROW) return library->ErrorOf(step, "cannot read");
        version = static_cast<int>(check.Int(0));
        appId = check.Int(1);
        tables = check.Int(2);
        birthsTable = check.Int(3);
    }
    if (tables > 0 || version != 0 || appId != 0) {
        if (appId != kApplicationId || birthsTable == 0) {
            return refuse(ErrorKind::NotALibrary,
                          "the file is a SQLite database of another program, not a births "
                          "library; it is left as it is");
        }
        if (version > kSchemaVersion) {
            return refuse(ErrorKind::NotALibrary,
                          "the library was written by a newer Korvanta (schema version " +
                              std::to_string(version) + "; this program knows up to " +
                              std::to_string(kSchemaVersion) + "); it is left as it is");
        }
        if (version < 1) {
            return refuse(ErrorKind::NotALibrary,
                          "the file has no schema version; it is left as it is");
        }
        Statement quick(db, "PRAGMA quick_check");
        const int step = quick.Step();
        if (step != SQLITE_ROW) return library->ErrorOf(step, "cannot check the file");
        if (quick.Text(0) != "ok") {
            return refuse(ErrorKind::NotALibrary,
                          "the file is damaged (" + quick.Text(0) + "); it is left as it is");
        }
    }
    if (readOnly) return library;

    if (auto e = library->Exec("PRAGMA journal_mode = WAL")) return *e;
    if (tables == 0 && version == 0) {
        // A new library: the schema, the version and the mark in one step.
        if (auto e = library->Exec("BEGIN IMMEDIATE")) return *e;
        const std::string create = std::string(kCreateSchema) +
                                   "PRAGMA application_id = " + std::to_string(kApplicationId) +
                                   "; PRAGMA user_version = " + std::to_string(kSchemaVersion) +
                                   ";";
        if (auto e = library->Exec(create.c_str())) {
            library->Exec("ROLLBACK");
            return *e;
        }
        if (auto e = library->Exec("COMMIT")) {
            library->Exec("ROLLBACK");
            return *e;
        }
    }
    // Later schema versions migrate here, one step per version, each in its
    // own transaction; version 1 is the first.
    return library;
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
        if (last.Step() != SQLITE_ROW) return ErrorOf(SQLITE_ERROR, "cannot save");
        row.used = std::max(now, last.Int(0) + 1);
    }
    if (!ids.empty() && onDuplicate == OnDuplicate::Refuse) return Duplicate{ids};
    if (!ids.empty() && onDuplicate == OnDuplicate::Replace) {
        Statement s(
            db_,
            "UPDATE births SET name = ?1, year = ?2, month = ?3, day = ?4, hour = ?5, "
            "minute = ?6, second = ?7, city = ?8, state = ?9, country = ?10, lat_deg = "
            "?11, lat_min = ?12, south = ?13, lon_deg = ?14, lon_min = ?15, east = ?16, "
            "zone_index = ?17, zone_text = ?18, dst = ?19, atlas_place = ?20, atlas_zone "
            "= ?21, note = CASE WHEN ?22 = '' THEN note ELSE ?22 END, modified = ?24, used = ?26 "
            "WHERE id = ?25");
        if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot save");
        BindBirth(s, row);
        s.Bind(25, ids.front());
        const int step = s.Step();
        if (step != SQLITE_DONE) return ErrorOf(step, "cannot save");
        return ids.front();
    }
    row.created = now;
    Statement s(db_, kInsert);
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot save");
    BindBirth(s, row);
    const int step = s.Step();
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot save");
    return static_cast<std::int64_t>(sqlite3_last_insert_rowid(db_));
}

std::variant<std::int64_t, Duplicate, LibraryError> BirthsLibrary::Save(const StoredBirth& birth,
                                                                        OnDuplicate onDuplicate) {
    if (auto e = Writable()) return *e;
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

std::optional<LibraryError> BirthsLibrary::Delete(std::int64_t id) {
    if (auto e = Writable()) return e;
    Statement s(db_, "DELETE FROM births WHERE id = ?1");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot delete");
    s.Bind(1, id);
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
    Statement s(db_, "UPDATE births SET note = ?1, modified = ?2 WHERE id = ?3");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot change the note");
    s.Bind(1, note);
    s.Bind(2, Now());
    s.Bind(3, id);
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
        db_, "ORDER BY name COLLATE NOCASE, id LIMIT ?1",
        [count](Statement& s) { s.Bind(1, std::int64_t{count}); },
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
                         " FROM births WHERE used > 0 ORDER BY used DESC, id DESC LIMIT ?1");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot read");
    s.Bind(1, std::int64_t{count});
    std::vector<ReadBirth> rows;
    int step;
    while ((step = s.Step()) == SQLITE_ROW) rows.push_back(ReadRow(s));
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot read");
    return rows;
}

std::optional<LibraryError> BirthsLibrary::MarkOpened(std::int64_t id) {
    if (auto e = Writable()) return e;
    Statement s(db_,
                "UPDATE births SET used = max(?1, (SELECT max(used) FROM births) + 1) "
                "WHERE id = ?2");
    if (s.PrepareCode() != SQLITE_OK) return ErrorOf(s.PrepareCode(), "cannot write");
    s.Bind(1, Now());
    s.Bind(2, id);
    const int step = s.Step();
    if (step != SQLITE_DONE) return ErrorOf(step, "cannot write");
    return std::nullopt;
}

std::variant<std::vector<ReadBirth>, LibraryError> BirthsLibrary::FindByName(
    std::string_view name) {
    return ReadRows(
        db_, "WHERE name = ?1", [name](Statement& s) { s.Bind(1, name); },
        [this](int code) { return ErrorOf(code, "cannot read"); });
}

std::variant<ReadBirth, LibraryError> BirthsLibrary::Get(std::int64_t id) {
    auto rows = ReadRows(
        db_, "WHERE id = ?1", [id](Statement& s) { s.Bind(1, id); },
        [this](int code) { return ErrorOf(code, "cannot read"); });
    if (auto* e = std::get_if<LibraryError>(&rows)) return *e;
    auto& found = std::get<std::vector<ReadBirth>>(rows);
    if (found.empty()) {
        return LibraryError{ErrorKind::NotFound,
                            "no stored birth has the id " + std::to_string(id)};
    }
    return std::move(found.front());
}

std::variant<ImportReport, LibraryError> BirthsLibrary::Import(
    std::istream& in, const std::function<void(long)>& progress) {
    if (auto e = Writable()) return *e;
    if (auto e = Exec("BEGIN IMMEDIATE")) return *e;
    auto fail = [this](LibraryError error) -> std::variant<ImportReport, LibraryError> {
        Exec("ROLLBACK");
        return error;
    };
    Statement same(db_, kSameMoment);
    Statement insert(db_, kInsert);
    if (same.PrepareCode() != SQLITE_OK) return fail(ErrorOf(same.PrepareCode(), "cannot import"));
    if (insert.PrepareCode() != SQLITE_OK)
        return fail(ErrorOf(insert.PrepareCode(), "cannot import"));

    ImportReport report;
    EntryForm form;
    RecordExtras extras;
    StoredBirth row;
    row.created = row.modified = Now();
    std::string line;
    long number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string_view text = line;
        if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        if (text.empty()) continue;
        if (text.size() > kMaxImportLineBytes) {
            report.refused.push_back({number, "the line holds " + std::to_string(text.size()) +
                                                  " bytes; a line may hold at most " +
                                                  std::to_string(kMaxImportLineBytes)});
            continue;
        }
        if (auto error = ReadRecord(text, form, &extras)) {
            report.refused.push_back({number, error->message});
            continue;
        }
        const auto accepted = AcceptBirth(form);
        if (const auto* refusal = std::get_if<Refusal>(&accepted)) {
            const std::string_view field = RecordFieldOf(refusal->focus);
            report.refused.push_back(
                {number, (field.empty() ? std::string() : "\"" + std::string(field) + "\": ") +
                             std::string(refusal->message)});
            continue;
        }
        row.birth = std::get<Birth>(accepted);
        row.note = extras.note;
        row.atlasPlace = extras.atlasPlace;
        row.atlasZone = extras.atlasZone;
        // Births added earlier in this import are seen here too: the
        // transaction reads its own rows.
        BindMoment(same, row.birth);
        const int found = same.Step();
        same.Reset();
        if (found == SQLITE_ROW) {
            ++report.duplicates;
        } else if (found != SQLITE_DONE) {
            return fail(ErrorOf(found, "cannot import"));
        } else {
            BindBirth(insert, row);
            const int step = insert.Step();
            insert.Reset();
            if (step != SQLITE_DONE) return fail(ErrorOf(step, "cannot import"));
            ++report.added;
        }
        if (progress) progress(number);
    }
    if (in.bad()) {
        return fail(LibraryError{ErrorKind::Failed, "the import could not read its input at line " +
                                                        std::to_string(number + 1) +
                                                        "; nothing was imported"});
    }
    if (auto e = Exec("COMMIT")) return fail(*e);
    return report;
}

}  // namespace korvanta::library
