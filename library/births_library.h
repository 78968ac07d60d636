// SPDX-License-Identifier: GPL-3.0-or-later
// The births library: every saved birth in one SQLite file, shared by the
// window and the command line. Qt-free; the SQLite C library directly.
//
// One table of births holds every entry value with the zone row's text at
// saving, the atlas's place and zone name, a note, and the times of creation
// and change. The schema version is PRAGMA user_version, the file is marked
// with Korvanta's application_id, the journal is WAL and a busy timeout lets
// the window and the command line use one library at the same time. Every
// change is one transaction; every value goes in as a named bound parameter.
// A file that is not a SQLite database, is corrupt, belongs to another
// program or has a newer schema is never written; a pipe, a device or a
// socket is refused before SQLite opens it; a library that may not be
// written (the file or its folder) is read in SQLite's immutable mode, so
// that reading leaves no file behind.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "pipeline/birth.h"
#include "pipeline/entry.h"

struct sqlite3;

namespace korvanta::library {

// The schema version this program writes and reads: the last of its
// migrations (births_library.cpp).
inline constexpr int kSchemaVersion = 1;
// PRAGMA application_id of a births library ("KVBL").
inline constexpr std::int32_t kApplicationId = 0x4B56424C;
// How long a change waits for another writer before it gives up.
inline constexpr int kDefaultBusyTimeoutMs = 5000;
// The longest line an import reads, as batch mode: a longer line is refused
// with its length, and only this much of it is ever held.
inline constexpr std::size_t kMaxImportLineBytes = std::size_t{1} << 20;

// The library file: $XDG_DATA_HOME/Korvanta/births.sqlite, with
// ~/.local/share for an unset or relative XDG_DATA_HOME; empty when neither
// XDG_DATA_HOME nor HOME is set.
std::string DefaultLibraryPath();

// One stored birth.
struct StoredBirth {
    std::int64_t id = 0;  // 0 until saved
    Birth birth;
    std::string zoneText;    // the zone row's text when it was saved
    std::string atlasPlace;  // the atlas's place label, when the atlas filled the place
    std::string atlasZone;   // the atlas's IANA zone name, likewise
    std::string note;
    std::int64_t created = 0;   // seconds since 1970-01-01 UTC
    std::int64_t modified = 0;  // likewise
    std::int64_t used = 0;      // when last saved or opened, for the recent list; 0: imported
};

// The library fills the entry window through the form of a stored birth.
using korvanta::FormOfBirth;

// A stored birth read back, or why its row cannot be used: the zone row no
// longer reads as it did when saved, or a value the entry check refuses.
struct ReadBirth {
    StoredBirth stored;
    std::string fault;  // empty: usable
};

enum class ErrorKind {
    NotALibrary,  // not SQLite, corrupt, another program's file, or a newer schema
    CannotOpen,   // missing and cannot be created, or cannot be read
    ReadOnly,     // a change asked of a library opened read-only
    Locked,       // another writer held the library past the busy timeout
    NotFound,     // no birth with that id
    Unreadable,   // an import's input could not be read (nothing imported)
    Failed,       // any other SQLite failure
};

struct LibraryError {
    ErrorKind kind = ErrorKind::Failed;
    std::string message;  // names the file and the reason
};

// How a save treats a stored birth of the same name and moment.
enum class OnDuplicate { Refuse, Replace, KeepBoth };

// A save refused because births of the same name and moment are stored.
struct Duplicate {
    std::vector<std::int64_t> ids;
};

struct ImportReport {
    long added = 0;
    long duplicates = 0;  // skipped: the very same birth already stored or met earlier
    // Lines not imported, with the reason: not a record, refused by the entry
    // check or the character rule, or a clash with a stored birth of the same
    // name and moment but other details (as --save refuses it).
    struct Refused {
        long line = 0;
        std::string reason;
    };
    std::vector<Refused> refused;
};

class BirthsLibrary {
  public:
    enum class Mode { ReadWrite, ReadOnly };

    // Opens the library at `path`. ReadWrite creates a missing file (and its
    // folder) with the current schema, and opens a file it may not write
    // read-only (see ReadOnlyReason). A file that is not a library of this or
    // an older schema is refused and left as it is.
    static std::variant<std::unique_ptr<BirthsLibrary>, LibraryError> Open(
        const std::string& path, Mode mode = Mode::ReadWrite,
        int busyTimeoutMs = kDefaultBusyTimeoutMs);
    ~BirthsLibrary();
    BirthsLibrary(const BirthsLibrary&) = delete;
    BirthsLibrary& operator=(const BirthsLibrary&) = delete;

    const std::string& Path() const { return path_; }
    bool IsReadOnly() const { return !readOnlyReason_.empty(); }
    // Why changes are not possible ("the file is read-only"); empty when they are.
    const std::string& ReadOnlyReason() const { return readOnlyReason_; }

    // Stores `birth` (its id, created and modified are set here). With
    // Replace, the one stored birth of the same name and moment is updated
    // in place (keeping its id, note when `birth` has none, and creation
    // time); with several, the lowest id. Returns the stored id.
    std::variant<std::int64_t, Duplicate, LibraryError> Save(const StoredBirth& birth,
                                                             OnDuplicate onDuplicate);
    // Puts `birth` in place of the stored birth `id` (a correction of an
    // opened birth): every entry value, the zone text and the atlas's names
    // change, the note stays (or becomes `birth`'s when it has one), the
    // creation time stays; it counts as used now. NotFound when no birth has
    // that id (deleted meanwhile).
    std::optional<LibraryError> Update(std::int64_t id, const StoredBirth& birth);
    std::optional<LibraryError> Delete(std::int64_t id);
    std::optional<LibraryError> SetNote(std::int64_t id, std::string_view note);

    // Every stored birth, by id.
    std::variant<std::vector<ReadBirth>, LibraryError> List();
    // The first `count` stored births by name (letters A-Z in either case
    // alike, then by id): the first rows of a table sorted by name, read
    // without reading the rest.
    std::variant<std::vector<ReadBirth>, LibraryError> FirstByName(int count);
    std::variant<std::int64_t, LibraryError> Count();
    // Hands every stored birth to `visit`, by id, one at a time as it is
    // read, until `visit` returns false.
    std::optional<LibraryError> ForEach(const std::function<bool(ReadBirth&&)>& visit);
    std::variant<ReadBirth, LibraryError> Get(std::int64_t id);
    // The `count` births saved or opened last, the latest first.
    std::variant<std::vector<ReadBirth>, LibraryError> Recent(int count);
    // Records that the birth was opened, for Recent.
    std::optional<LibraryError> MarkOpened(std::int64_t id);
    // Stored births named exactly `name`, by id.
    std::variant<std::vector<ReadBirth>, LibraryError> FindByName(std::string_view name);
    // Ids of stored births with the name and the moment of `birth`.
    std::variant<std::vector<std::int64_t>, LibraryError> FindSame(const Birth& birth);

    // Reads JSON lines in the command line's record format and stores every
    // usable one, all in one transaction: the library gains every new birth
    // or, on any failure, none (an input that cannot be read is Unreadable).
    // Lines that cannot be used are listed with their numbers: not a record,
    // longer than kMaxImportLineBytes, refused by the entry check or the
    // character rule, or clashing with a birth of the same name and moment
    // but other details; the very same birth again is a duplicate, skipped.
    // Blank lines are skipped. `progress`, when given, is called after each
    // line with its number.
    std::variant<ImportReport, LibraryError> Import(std::istream& in,
                                                    const std::function<void(long)>& progress = {});

  private:
    BirthsLibrary(sqlite3* db, std::string path, std::string readOnlyReason);
    std::optional<LibraryError> Migrate(int from);
    std::optional<LibraryError> Exec(const char* sql);
    LibraryError ErrorOf(int code, std::string_view doing) const;
    std::optional<LibraryError> Writable() const;
    std::variant<std::int64_t, Duplicate, LibraryError> SaveInTransaction(const StoredBirth& birth,
                                                                          OnDuplicate onDuplicate,
                                                                          std::int64_t now);

    sqlite3* db_ = nullptr;
    std::string path_;
    std::string readOnlyReason_;
};

// Whether two births have the same details: every entry value and place
// text alike.
bool SameBirthDetails(const Birth& a, const Birth& b);

// Why the texts of `stored` cannot be kept: the name as the window's name
// box holds it, the place texts and the atlas's names under PlaceTextFault,
// the note under NoteTextFault. The reason names the field; empty when all
// can be kept.
std::optional<std::string> StoredTextFault(const StoredBirth& stored);

// What an export wrote: the lines, and every birth it could not write, each
// with the reason naming the birth (a stored zone that no longer reads).
struct ExportReport {
    std::string text;
    long written = 0;
    std::vector<std::string> notWritten;
};
ExportReport ExportLines(const std::vector<const ReadBirth*>& births);

// A stored birth as one line of the command line's input record format,
// "id" first, then the record, then "note", "atlas_place" and "atlas_zone"
// when they are not empty: what --list-births prints and Export writes.
std::string ExportLine(const StoredBirth& stored);

// Whether a stored birth matches a search text: it is found in the name,
// city, state, country or note, letters A-Z in either case. An empty text
// matches every birth.
bool MatchesSearch(const StoredBirth& stored, std::string_view text);

}  // namespace korvanta::library
