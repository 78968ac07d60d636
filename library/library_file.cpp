// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the births library: what the name stands for, whether it may be
// written, whether the file is this program's library, and the schema's
// migrations.
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>

#include "library/births_library.h"
#include "library/sqlite_statement.h"

namespace korvanta::library {
namespace {

// One step of the schema: the statements that take a library of the version
// before to `version`. A new library runs every step in order; an older one
// runs the steps past its own, each in a transaction of its own. A step is
// never changed once released; a change of the schema is a new step.
struct Migration {
    int version;
    const char* sql;
};

constexpr Migration kMigrations[] = {
    {1, R"(
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
)"},
};

static_assert(std::size(kMigrations) == kSchemaVersion &&
                  kMigrations[std::size(kMigrations) - 1].version == kSchemaVersion,
              "one migration per schema version, the last one the current version");

// A path as the body of a SQLite file: URI, every byte but letters, digits
// and "/-._~" written as %XX.
std::string FileUri(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || c == '/' || c == '-' || c == '.' ||
                           c == '_' || c == '~';
        if (plain) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0xF];
        }
    }
    return uri;
}

// Whether the effective user may write `path` (EROFS counts: a read-only
// mount stops even root).
bool MayWrite(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// Whether the write-ahead log beside the library holds changes not yet in
// the file: then the immutable mode, which reads the file alone, would miss
// them.
bool HasPendingLog(const std::string& path) {
    struct stat log {};
    return ::stat((path + "-wal").c_str(), &log) == 0 && log.st_size > 0;
}

// The write-ahead log and its index as they were before a visit to the
// library; unless kept, the ones the visit made are removed when it ends, as
// long as the log holds nothing (the visit only read).
class LogFilesOfVisit {
  public:
    explicit LogFilesOfVisit(std::string path)
        : path_(std::move(path)),
          hadLog_(Exists(path_ + "-wal")),
          hadIndex_(Exists(path_ + "-shm")) {}
    ~LogFilesOfVisit() {
        if (kept_ || hadLog_) return;
        struct stat log {};
        if (::stat((path_ + "-wal").c_str(), &log) != 0 || log.st_size != 0) return;
        ::unlink((path_ + "-wal").c_str());
        if (!hadIndex_) ::unlink((path_ + "-shm").c_str());
    }
    LogFilesOfVisit(const LogFilesOfVisit&) = delete;
    LogFilesOfVisit& operator=(const LogFilesOfVisit&) = delete;
    void Keep() { kept_ = true; }

  private:
    static bool Exists(const std::string& path) {
        struct stat file {};
        return ::lstat(path.c_str(), &file) == 0;
    }
    std::string path_;
    bool hadLog_, hadIndex_;
    bool kept_ = false;
};

}  // namespace

std::variant<std::unique_ptr<BirthsLibrary>, LibraryError> BirthsLibrary::Open(
    const std::string& path, Mode mode, int busyTimeoutMs) {
    namespace fs = std::filesystem;
    auto refuse = [&path](ErrorKind kind, const std::string& why) {
        return LibraryError{kind, "the births library " + path + ": " + why};
    };
    if (path.empty()) return refuse(ErrorKind::CannotOpen, "no file name (HOME is not set)");
    // What the name stands for is asked before SQLite opens it: opening a
    // pipe would wait for a writer for ever, and SQLite would put its
    // journal beside a device.
    struct stat file {};
    const bool exists = ::stat(path.c_str(), &file) == 0;
    if (!exists && errno != ENOENT) {
        return refuse(ErrorKind::CannotOpen,
                      std::string("cannot be reached: ") + std::strerror(errno));
    }
    if (exists && S_ISDIR(file.st_mode)) return refuse(ErrorKind::CannotOpen, "is a folder");
    if (exists && !S_ISREG(file.st_mode)) {
        const char* what = S_ISFIFO(file.st_mode)   ? "a pipe"
                           : S_ISSOCK(file.st_mode) ? "a socket"
                                                    : "a device";
        return refuse(ErrorKind::CannotOpen,
                      std::string("is ") + what + ", not a file; a births library is a file");
    }

    std::string readOnlyReason;
    bool mayWrite = true;  // the file and its folder
    bool immutable = false;
    if (mode == Mode::ReadOnly && !exists)
        return refuse(ErrorKind::CannotOpen, "the file does not exist");
    if (exists) {
        // A library SQLite may not write, or whose folder cannot take the
        // log files beside it, is read in the immutable mode: no lock, no
        // log, nothing left behind.
        const std::string folder = FolderOf(path);
        if (!MayWrite(path)) {
            readOnlyReason =
                errno == EROFS ? "it lies on a read-only file system" : "the file is read-only";
        } else if (!MayWrite(folder)) {
            readOnlyReason = "its folder " + folder + " is read-only";
        }
        mayWrite = readOnlyReason.empty();
        immutable = !mayWrite && !HasPendingLog(path);
        if (readOnlyReason.empty() && mode == Mode::ReadOnly)
            readOnlyReason = "it was opened for reading only";
    } else {
        const fs::path folder = fs::path(path).parent_path();
        std::error_code ec;
        if (!folder.empty()) {
            fs::create_directories(folder, ec);
            if (ec) {
                return refuse(ErrorKind::CannotOpen,
                              "cannot create the folder " + folder.string() + ": " + ec.message());
            }
        }
    }

    const bool readOnly = !readOnlyReason.empty();
    // A file refused below keeps nothing of this visit: the log files SQLite
    // made beside it for the first read go again (declared before the
    // connection, so that they go once it is closed).
    LogFilesOfVisit visit(path);
    sqlite3* db = nullptr;
    int opened = SQLITE_OK;
    if (immutable) {
        opened =
            sqlite3_open_v2((FileUri(path) + "?immutable=1").c_str(), &db,
                            SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    } else {
        // A library opened for reading that may be written is still opened
        // for writing, so that its last connection folds the log back into
        // the file and removes it; query_only below keeps every statement
        // from changing it.
        const bool create = mode == Mode::ReadWrite && !exists;
        const int flags = (mayWrite ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) |
                          (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
        opened = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    }
    std::unique_ptr<BirthsLibrary> library(new BirthsLibrary(db, path, readOnlyReason));
    if (opened != SQLITE_OK) return library->ErrorOf(opened, "cannot open");
    sqlite3_busy_timeout(db, busyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    // Until the file is known to be a library, closing must not fold a log
    // into it: it may be another program's.
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    if (readOnly) {
        if (auto e = library->Exec("PRAGMA query_only = 1")) return *e;
    }

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
    const bool blank = tables == 0 && version == 0 && appId == 0;
    if (!blank) {
        // The mark without a version is no state this program leaves (the
        // schema, the mark and the version are written in one step), so
        // nothing in the file is guessed at.
        if (appId == kApplicationId && version == 0) {
            return refuse(ErrorKind::NotALibrary,
                          "the file carries Korvanta's mark but no schema version, so it is not "
                          "read as a library; it is left as it is");
        }
        if (appId != kApplicationId) {
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
        if (version < 0 || birthsTable == 0) {
            return refuse(ErrorKind::NotALibrary,
                          "the file carries Korvanta's mark but its schema is broken (version " +
                              std::to_string(version) + ", " +
                              (birthsTable == 0 ? "no births table" : "a negative version") +
                              "); it is left as it is");
        }
        Statement quick(db, "PRAGMA quick_check");
        const int step = quick.Step();
        if (step != SQLITE_ROW) return library->ErrorOf(step, "cannot check the file");
        if (quick.Text(0) != "ok") {
            return refuse(ErrorKind::NotALibrary,
                          "the file is damaged (" + quick.Text(0) + "); it is left as it is");
        }
    }
    // The file is a library (or empty): its connection may tidy the log.
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    if (readOnly) {
        if (blank) return refuse(ErrorKind::CannotOpen, "the file is empty, not yet a library");
        if (version < kSchemaVersion) {
            return refuse(ErrorKind::ReadOnly,
                          "the library has schema version " + std::to_string(version) +
                              " and cannot be brought to version " +
                              std::to_string(kSchemaVersion) + ": " + readOnlyReason);
        }
        visit.Keep();
        return library;
    }
    if (auto e = library->Exec("PRAGMA journal_mode = WAL")) return *e;
    if (auto e = library->Migrate(blank ? 0 : version)) return *e;
    visit.Keep();
    return library;
}

std::optional<LibraryError> BirthsLibrary::Migrate(int from) {
    for (const Migration& migration : kMigrations) {
        if (migration.version <= from) continue;
        if (auto e = Exec("BEGIN IMMEDIATE")) return e;
        auto fail = [this](LibraryError error) {
            Exec("ROLLBACK");
            return error;
        };
        // Another program may have taken the library this far meanwhile.
        Statement current(db_, "SELECT user_version FROM pragma_user_version");
        if (const int step = current.Step(); step != SQLITE_ROW)
            return fail(ErrorOf(step, "cannot read the schema version"));
        if (current.Int(0) >= migration.version) {
            if (auto e = Exec("ROLLBACK")) return e;
            continue;
        }
        std::string sql = migration.sql;
        if (migration.version == 1)
            sql += "PRAGMA application_id = " + std::to_string(kApplicationId) + ";";
        sql += "PRAGMA user_version = " + std::to_string(migration.version) + ";";
        if (auto e = Exec(sql.c_str())) return fail(*e);
        if (auto e = Exec("COMMIT")) return fail(*e);
    }
    return std::nullopt;
}

}  // namespace korvanta::library
