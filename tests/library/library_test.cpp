// SPDX-License-Identifier: GPL-3.0-or-later
// The births library against real SQLite files in a temporary folder: every
// field back byte for byte, duplicates, imports, and the files it must never
// write (not SQLite, damaged, another program's, newer), read-only, locked,
// a changed zone row and an import killed half-way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "library/birth_record.h"
#include "library/births_library.h"
#include "pipeline/zones.h"

namespace korvanta::library {
namespace {

namespace fs = std::filesystem;

class LibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "korvanta-library-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        path_ = (folder_ / "sub" / "births.sqlite").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::unique_ptr<BirthsLibrary> OpenOk(BirthsLibrary::Mode mode = BirthsLibrary::Mode::ReadWrite,
                                          int busyMs = kDefaultBusyTimeoutMs) {
        auto opened = BirthsLibrary::Open(path_, mode, busyMs);
        if (auto* e = std::get_if<LibraryError>(&opened)) ADD_FAILURE() << e->message;
        return std::holds_alternative<LibraryError>(opened)
                   ? nullptr
                   : std::move(std::get<std::unique_ptr<BirthsLibrary>>(opened));
    }

    // Runs SQL on the file with a connection of its own.
    void RawExec(const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
        char* message = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
            << (message ? message : "");
        sqlite3_free(message);
        sqlite3_close(db);
    }

    std::string FileBytes() const {
        std::ifstream file(path_, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    fs::path folder_;
    std::string path_;
};

StoredBirth Sample(std::string name = "ASHA RAO") {
    EntryForm form;
    form.txtName = std::move(name);
    form.cboMonth = 5;
    form.cboDate = 4;
    form.cboYear = 1980 - kFirstYear;
    form.cboHH = 9;
    form.cboMM = 5;
    form.cboSS = 30;
    form.txtMCity = "São Paulo 東京 🌙";
    form.txtMState = "Ñuñoa";
    form.txtMCountry = "Ελλάδα";
    form.cmbTimeZone = 34;
    form.chkDST = true;
    form.txtLonD = "77";
    form.txtLonM = "12";
    form.optLongEast = false;
    form.txtLatD = "28";
    form.txtLatM = "36";
    form.optLatSouth = true;
    StoredBirth stored;
    stored.birth = std::get<Birth>(AcceptBirth(form));
    stored.atlasPlace = "Pune, Maharashtra, India";
    stored.atlasZone = "Asia/Kolkata";
    stored.note = "line one\nline two 'quoted'); DROP TABLE births; --\t\xF0\x9F\x98\x80";
    return stored;
}

void ExpectSameBirth(const Birth& a, const Birth& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second),
              std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second));
    EXPECT_EQ(std::tie(a.latDeg, a.latMin, a.south, a.lonDeg, a.lonMin, a.east),
              std::tie(b.latDeg, b.latMin, b.south, b.lonDeg, b.lonMin, b.east));
    EXPECT_EQ(std::tie(a.zoneIndex, a.zoneHours, a.zoneMinutes, a.dst),
              std::tie(b.zoneIndex, b.zoneHours, b.zoneMinutes, b.dst));
    EXPECT_EQ(std::tie(a.city, a.state, a.country), std::tie(b.city, b.state, b.country));
}

TEST_F(LibraryTest, EveryFieldComesBackByteExactAfterReopening) {
    const StoredBirth original = Sample();
    std::int64_t id = 0;
    {
        auto library = OpenOk();
        ASSERT_TRUE(library);
        EXPECT_FALSE(library->IsReadOnly());
        auto saved = library->Save(original, OnDuplicate::Refuse);
        ASSERT_TRUE(std::holds_alternative<std::int64_t>(saved));
        id = std::get<std::int64_t>(saved);
    }
    auto library = OpenOk();
    auto got = library->Get(id);
    ASSERT_TRUE(std::holds_alternative<ReadBirth>(got));
    const ReadBirth& read = std::get<ReadBirth>(got);
    EXPECT_EQ(read.fault, "");
    ExpectSameBirth(read.stored.birth, original.birth);
    EXPECT_EQ(read.stored.note, original.note);
    EXPECT_EQ(read.stored.atlasPlace, original.atlasPlace);
    EXPECT_EQ(read.stored.atlasZone, original.atlasZone);
    EXPECT_EQ(read.stored.zoneText, kZoneTable[34].text);
    EXPECT_GT(read.stored.created, 0);
    EXPECT_EQ(read.stored.created, read.stored.modified);
    // The form the window fills gives the same birth again.
    ExpectSameBirth(std::get<Birth>(AcceptBirth(FormOfBirth(read.stored.birth))), original.birth);

    ASSERT_FALSE(library->SetNote(id, "новая заметка"));
    EXPECT_EQ(std::get<ReadBirth>(library->Get(id)).stored.note, "новая заметка");
    ASSERT_FALSE(library->Delete(id));
    EXPECT_EQ(std::get<LibraryError>(library->Get(id)).kind, ErrorKind::NotFound);
    EXPECT_EQ(library->Delete(id)->kind, ErrorKind::NotFound);
    EXPECT_EQ(library->SetNote(id, "x")->kind, ErrorKind::NotFound);
}

// "Other UTC offset" keeps its offset in the zone text, and reads it back.
TEST_F(LibraryTest, TheOtherUtcOffsetComesBackWithItsOffset) {
    StoredBirth original = Sample("NEPAL");
    original.birth.zoneIndex = kOtherOffsetRow;
    original.birth.utcOffsetMinutes = 345;
    original.birth.zoneHours = -5;
    original.birth.zoneMinutes = -45;
    std::int64_t id = 0;
    {
        auto library = OpenOk();
        id = std::get<std::int64_t>(library->Save(original, OnDuplicate::Refuse));
    }
    const ReadBirth read = std::get<ReadBirth>(OpenOk()->Get(id));
    EXPECT_EQ(read.fault, "");
    EXPECT_EQ(read.stored.zoneText, "Other UTC offset +05:45");
    ExpectSameBirth(read.stored.birth, original.birth);
    EXPECT_EQ(read.stored.birth.utcOffsetMinutes, 345);
}

TEST_F(LibraryTest, SameNameAndMomentIsRefusedReplacedOrKept) {
    auto library = OpenOk();
    StoredBirth first = Sample();
    const auto id = std::get<std::int64_t>(library->Save(first, OnDuplicate::Refuse));

    StoredBirth moved = Sample();
    moved.birth.city = "Mumbai";
    moved.note = "";
    const auto refused = library->Save(moved, OnDuplicate::Refuse);
    ASSERT_TRUE(std::holds_alternative<Duplicate>(refused));
    EXPECT_EQ(std::get<Duplicate>(refused).ids, std::vector<std::int64_t>{id});

    EXPECT_EQ(std::get<std::int64_t>(library->Save(moved, OnDuplicate::Replace)), id);
    auto replaced = std::get<ReadBirth>(library->Get(id)).stored;
    EXPECT_EQ(replaced.birth.city, "Mumbai");
    EXPECT_EQ(replaced.note, first.note) << "an empty note keeps the stored one";

    const auto second = std::get<std::int64_t>(library->Save(moved, OnDuplicate::KeepBoth));
    EXPECT_NE(second, id);
    EXPECT_EQ(std::get<std::vector<std::int64_t>>(library->FindSame(moved.birth)),
              (std::vector<std::int64_t>{id, second}));
    EXPECT_EQ(std::get<std::vector<ReadBirth>>(library->FindByName("ASHA RAO")).size(), 2u);
    EXPECT_TRUE(std::get<std::vector<ReadBirth>>(library->FindByName("ASHA")).empty());

    StoredBirth otherSecond = Sample();
    otherSecond.birth.second = 31;
    EXPECT_TRUE(
        std::holds_alternative<std::int64_t>(library->Save(otherSecond, OnDuplicate::Refuse)));
    EXPECT_EQ(std::get<std::vector<ReadBirth>>(library->List()).size(), 3u);
}

TEST_F(LibraryTest, FilesThatAreNotThisProgramsLibraryAreNeverWritten) {
    struct Case {
        const char* what;
        std::function<void()> make;
    };
    const std::vector<Case> cases = {
        {"text file", [&] { std::ofstream(path_) << "name,date\nASHA,1980-06-05\n"; }},
        {"empty-looking header", [&] { std::ofstream(path_) << std::string(4096, '\0') + "x"; }},
        {"another program's database", [&] { RawExec("CREATE TABLE songs(title TEXT);"); }},
        {"births table without the mark", [&] { RawExec("CREATE TABLE births(id INTEGER);"); }},
        {"newer schema",
         [&] {
             OpenOk();
             RawExec("PRAGMA user_version = 2;");
         }},
        // This program writes the schema, the mark and the version in one
        // transaction: a mark without a version is nobody's library.
        {"the mark and a births table but no version",
         [&] {
             OpenOk();
             RawExec("PRAGMA user_version = 0;");
         }},
        {"the mark alone", [&] { RawExec("PRAGMA application_id = 1263944268;"); }},
        {"damaged pages",
         [&] {
             {
                 auto library = OpenOk();
                 for (int i = 0; i < 200; ++i) {
                     StoredBirth b = Sample("NAME " + std::string(1, char('A' + i % 26)));
                     b.birth.second = i % 60;
                     b.birth.minute = i / 60;
                     b.note = std::string(300, 'n');
                     library->Save(b, OnDuplicate::KeepBoth);
                 }
             }
             std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(4096 * 3 + 10);
             const std::string junk(8000, '\x5A');
             file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder_ / "sub");
        fs::create_directories(folder_ / "sub");
        c.make();
        fs::remove(path_ + "-wal");
        fs::remove(path_ + "-shm");
        const std::string before = FileBytes();
        auto opened = BirthsLibrary::Open(path_);
        ASSERT_TRUE(std::holds_alternative<LibraryError>(opened));
        const LibraryError& error = std::get<LibraryError>(opened);
        EXPECT_EQ(error.kind, ErrorKind::NotALibrary) << error.message;
        EXPECT_NE(error.message.find(path_), std::string::npos) << error.message;
        EXPECT_EQ(FileBytes(), before);
        const auto reading = BirthsLibrary::Open(path_, BirthsLibrary::Mode::ReadOnly);
        ASSERT_TRUE(std::holds_alternative<LibraryError>(reading));
        EXPECT_EQ(std::get<LibraryError>(reading).kind, ErrorKind::NotALibrary);
        EXPECT_EQ(FileBytes(), before);
        EXPECT_FALSE(fs::exists(path_ + "-wal") || fs::exists(path_ + "-shm"));
    }
}

// A pipe would block the open for ever and a device would get a journal
// beside it: what is not a regular file is refused before SQLite opens it.
TEST_F(LibraryTest, PipesDevicesAndSocketsAreRefusedUnopened) {
    fs::create_directories(folder_ / "sub");
    const std::string pipe = (folder_ / "sub" / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string socketPath = (folder_ / "sub" / "socket").string();
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    for (const auto& [path, what] :
         std::vector<std::pair<std::string, std::string>>{{pipe, "is a pipe"},
                                                          {socketPath, "is a socket"},
                                                          {"/dev/null", "is a device"},
                                                          {"/dev/zero", "is a device"}}) {
        for (const auto mode : {BirthsLibrary::Mode::ReadWrite, BirthsLibrary::Mode::ReadOnly}) {
            const auto opened = BirthsLibrary::Open(path, mode);
            ASSERT_TRUE(std::holds_alternative<LibraryError>(opened)) << path;
            const LibraryError& error = std::get<LibraryError>(opened);
            EXPECT_EQ(error.kind, ErrorKind::CannotOpen) << path;
            EXPECT_NE(error.message.find(path + ": " + what), std::string::npos) << error.message;
        }
    }
    close(listener);
    EXPECT_FALSE(fs::exists("/dev/null-journal") || fs::exists("/dev/null-wal"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_ / "sub"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"pipe", "socket"}));
}

TEST_F(LibraryTest, ReadOnlyLibraryReadsButNeverWrites) {
    { OpenOk()->Save(Sample(), OnDuplicate::Refuse); }
    auto library = OpenOk(BirthsLibrary::Mode::ReadOnly);
    ASSERT_TRUE(library);
    EXPECT_TRUE(library->IsReadOnly());
    EXPECT_FALSE(library->ReadOnlyReason().empty());
    EXPECT_EQ(std::get<std::vector<ReadBirth>>(library->List()).size(), 1u);
    const auto saved = library->Save(Sample("OTHER"), OnDuplicate::Refuse);
    ASSERT_TRUE(std::holds_alternative<LibraryError>(saved));
    EXPECT_EQ(std::get<LibraryError>(saved).kind, ErrorKind::ReadOnly);
    EXPECT_EQ(library->Delete(1)->kind, ErrorKind::ReadOnly);
    std::istringstream lines("{}\n");
    EXPECT_TRUE(std::holds_alternative<LibraryError>(library->Import(lines)));
    // A file without write permission opens read-only on its own (root may
    // write anything, so the check is only meaningful for other users).
    if (geteuid() != 0) {
        library.reset();
        fs::permissions(path_, fs::perms::owner_read);
        auto again = OpenOk();
        ASSERT_TRUE(again);
        EXPECT_TRUE(again->IsReadOnly());
    }
    EXPECT_EQ(std::get<LibraryError>(BirthsLibrary::Open((folder_ / "none.sqlite").string(),
                                                         BirthsLibrary::Mode::ReadOnly))
                  .kind,
              ErrorKind::CannotOpen);
}

// Another program may have stored any integer as the recent list's mark;
// the next mark stays an integer, the largest one, without overflowing.
TEST_F(LibraryTest, TheRecentMarkStopsAtTheLargestInteger) {
    const auto id = std::get<std::int64_t>(OpenOk()->Save(Sample(), OnDuplicate::Refuse));
    RawExec("UPDATE births SET used = 9223372036854775807");
    auto library = OpenOk();
    const auto other = std::get<std::int64_t>(library->Save(Sample("OTHER"), OnDuplicate::Refuse));
    ASSERT_FALSE(library->MarkOpened(id));
    for (const std::int64_t which : {id, other}) {
        EXPECT_EQ(std::get<ReadBirth>(library->Get(which)).stored.used,
                  std::numeric_limits<std::int64_t>::max());
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* types = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM births WHERE typeof(used) <> 'integer'", -1,
                       &types, nullptr);
    ASSERT_EQ(sqlite3_step(types), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(types, 0), 0) << "a mark became a real number";
    sqlite3_finalize(types);
    sqlite3_close(db);
}

TEST_F(LibraryTest, AnotherWriterMakesAChangeWaitThenSaySo) {
    auto library = OpenOk(BirthsLibrary::Mode::ReadWrite, 200);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto saved = library->Save(Sample(), OnDuplicate::Refuse);
    ASSERT_TRUE(std::holds_alternative<LibraryError>(saved));
    EXPECT_EQ(std::get<LibraryError>(saved).kind, ErrorKind::Locked);
    // Readers are not held up by the writer (WAL).
    EXPECT_TRUE(std::holds_alternative<std::vector<ReadBirth>>(library->List()));
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(std::holds_alternative<std::int64_t>(library->Save(Sample(), OnDuplicate::Refuse)));
}

TEST_F(LibraryTest, ARowWhoseZoneRowNowReadsOtherwiseIsReportedNotReread) {
    std::int64_t id;
    {
        auto library = OpenOk();
        id = std::get<std::int64_t>(library->Save(Sample(), OnDuplicate::Refuse));
        library->Save(Sample("GOOD"), OnDuplicate::Refuse);
    }
    RawExec("UPDATE births SET zone_text = 'Old Zone,OZ,+5.3' WHERE id = " + std::to_string(id));
    auto library = OpenOk();
    const auto rows = std::get<std::vector<ReadBirth>>(library->List());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].fault.find("Old Zone,OZ,+5.3"), std::string::npos) << rows[0].fault;
    EXPECT_EQ(rows[1].fault, "");
    RawExec("UPDATE births SET zone_index = 99, zone_text = '' WHERE id = " + std::to_string(id));
    EXPECT_NE(std::get<ReadBirth>(library->Get(id)).fault, "");
    RawExec("UPDATE births SET zone_index = 34, zone_text = '" + std::string(kZoneTable[34].text) +
            "', month = 2, day = 30 WHERE id = " + std::to_string(id));
    EXPECT_NE(std::get<ReadBirth>(library->Get(id)).fault.find("entry check"), std::string::npos);
}

TEST_F(LibraryTest, ImportCountsAddedDuplicatesAndRefusedLines) {
    auto library = OpenOk();
    library->Save(Sample(), OnDuplicate::Refuse);
    Json stored = RecordFromForm(FormOfBirth(Sample().birth));
    Json fresh = stored;
    fresh["name"] = "NEW ONE";
    fresh["note"] = "kept ✓";
    fresh["atlas_place"] = "Pune";
    fresh["atlas_zone"] = "Asia/Kolkata";
    fresh["id"] = 77;
    Json badDay = stored;
    badDay["name"] = "BAD DAY";
    badDay["month"] = 2;
    badDay["day"] = 30;
    std::string input = "\xEF\xBB\xBF" + stored.dump() + "\n" +  // already stored
                        fresh.dump() + "\r\n" +                  // added
                        "\n" +                                   // blank: skipped
                        fresh.dump() + "\n" +                    // met earlier in the import
                        "{\"name\":\"X\"}\n" +                   // missing keys
                        badDay.dump() + "\n" +                   // entry check refuses
                        "not json\n";
    std::istringstream in(input);
    const auto result = library->Import(in);
    ASSERT_TRUE(std::holds_alternative<ImportReport>(result));
    const ImportReport& report = std::get<ImportReport>(result);
    EXPECT_EQ(report.added, 1);
    EXPECT_EQ(report.duplicates, 2);
    ASSERT_EQ(report.refused.size(), 3u);
    EXPECT_EQ(report.refused[0].line, 5);
    EXPECT_EQ(report.refused[1].line, 6);
    EXPECT_EQ(report.refused[2].line, 7);
    const auto added = std::get<std::vector<ReadBirth>>(library->FindByName("NEW ONE"));
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].stored.note, "kept ✓");
    EXPECT_EQ(added[0].stored.atlasZone, "Asia/Kolkata");
    EXPECT_NE(added[0].stored.id, 77) << "an imported id is never taken over";
}

// An import keeps --save's rules: the same name and moment with other
// details is a clash, refused on its line; every text passes the character
// rule of the flags (a note may break lines); a line past the limit is
// refused by its length; an input that fails adds nothing.
TEST_F(LibraryTest, ImportRefusesWhatSaveWouldRefuseLineByLine) {
    auto library = OpenOk();
    const auto stored = std::get<std::int64_t>(library->Save(Sample(), OnDuplicate::Refuse));
    const Json record = RecordFromForm(FormOfBirth(Sample().birth));
    auto with = [&record](const std::string& name, const std::string& key,
                          const std::string& value) {
        Json line = record;
        line["name"] = name;
        line[key] = value;
        return line.dump() + "\n";
    };
    Json moved = record;
    moved["city"] = "Agra";
    struct Case {
        std::string line, reason;  // reason empty: added
    };
    const std::vector<Case> cases = {
        {moved.dump() + "\n",
         "stored birth " + std::to_string(stored) + " has this name and moment"},
        {with("TITLE", "city", "\x1B]0;owned\x07"),
         "\"city\": holds a control character at byte 1"},
        {with("CLEAR", "state", "Delhi\x1B[2J"), "\"state\": holds a control character at byte 6"},
        {with("NUL", "country", std::string("In\0dia", 5)),
         "\"country\": holds a control character at byte 3"},
        {with("RETURN", "atlas_place", "Pune\r"),
         "\"atlas_place\": holds a control character at byte 5"},
        {with("CSI", "atlas_zone", "Asia/\xC2\x9B"),
         "\"atlas_zone\": holds a control character at byte 6"},
        {with("BELL", "note", "ring\x07"), "\"note\": holds a control character at byte 5"},
        {with("LINES", "note", "one\ntwo\tthree"), ""},
        {"{\"name\":\"" + std::string(kMaxImportLineBytes, 'A') + "\"}\n",
         "the line holds " + std::to_string(kMaxImportLineBytes + 11) + " bytes"},
        {with("LAST", "city", "Pune"), ""},
    };
    std::string input;
    for (const Case& c : cases) input += c.line;
    std::istringstream in(input);
    const auto result = library->Import(in);
    ASSERT_TRUE(std::holds_alternative<ImportReport>(result));
    const ImportReport& report = std::get<ImportReport>(result);
    std::size_t refused = 0;
    for (std::size_t n = 0; n < cases.size(); ++n) {
        if (cases[n].reason.empty()) continue;
        ASSERT_LT(refused, report.refused.size()) << "line " << n + 1 << " was not refused";
        EXPECT_EQ(report.refused[refused].line, static_cast<long>(n + 1));
        EXPECT_NE(report.refused[refused].reason.find(cases[n].reason), std::string::npos)
            << "line " << n + 1 << ": " << report.refused[refused].reason;
        ++refused;
    }
    EXPECT_EQ(report.refused.size(), refused);
    EXPECT_EQ(report.added, 2);
    EXPECT_EQ(report.duplicates, 0);
    EXPECT_EQ(std::get<std::vector<ReadBirth>>(library->FindByName("LINES"))[0].stored.note,
              "one\ntwo\tthree");

    // The same rule holds for a save and a note.
    StoredBirth hostile = Sample("HOSTILE");
    hostile.birth.city = "Pune\x1B[2J";
    EXPECT_TRUE(std::holds_alternative<LibraryError>(library->Save(hostile, OnDuplicate::Refuse)));
    EXPECT_TRUE(library->SetNote(stored, "bad\x1B"));

    // An input that fails half-way adds nothing and says it could not read.
    class Failing : public std::streambuf {
        int underflow() override { throw std::ios_base::failure("read error"); }
    } failing;
    std::istream broken(&failing);
    const auto failed = library->Import(broken);
    ASSERT_TRUE(std::holds_alternative<LibraryError>(failed));
    EXPECT_EQ(std::get<LibraryError>(failed).kind, ErrorKind::Unreadable);
    EXPECT_EQ(std::get<std::vector<ReadBirth>>(library->List()).size(), 3u);
    EXPECT_EQ(std::get<std::vector<ReadBirth>>(library->FindByName("HOSTILE")).size(), 0u);
}

// Export writes every usable birth and names each one it could not write.
TEST_F(LibraryTest, ExportNamesEveryBirthItCouldNotWrite) {
    std::int64_t broken;
    {
        auto library = OpenOk();
        library->Save(Sample("FIRST"), OnDuplicate::Refuse);
        broken = std::get<std::int64_t>(library->Save(Sample("BROKEN"), OnDuplicate::Refuse));
        library->Save(Sample("LAST"), OnDuplicate::Refuse);
    }
    RawExec("UPDATE births SET zone_text = 'Old Zone,OZ,+5.3' WHERE id = " +
            std::to_string(broken));
    const auto rows = std::get<std::vector<ReadBirth>>(OpenOk()->List());
    std::vector<const ReadBirth*> all;
    for (const ReadBirth& row : rows) all.push_back(&row);
    const ExportReport report = ExportLines(all);
    EXPECT_EQ(report.written, 2);
    ASSERT_EQ(report.notWritten.size(), 1u);
    EXPECT_NE(report.notWritten[0].find("BROKEN"), std::string::npos) << report.notWritten[0];
    std::istringstream lines(report.text);
    std::string line;
    std::vector<std::string> names;
    while (std::getline(lines, line)) names.push_back(Json::parse(line)["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"FIRST", "LAST"}));
}

TEST_F(LibraryTest, AnImportKilledHalfWayLeavesTheLibraryAsItWas) {
    { OpenOk()->Save(Sample(), OnDuplicate::Refuse); }
    int toChild[2], fromChild[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(fromChild), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(toChild[1]);
        close(fromChild[0]);
        // The import reads its lines from the parent through a pipe and says
        // when it has stored 3000 of them; then it waits for more, inside
        // its transaction, until it is killed.
        auto opened = BirthsLibrary::Open(path_);
        if (!std::holds_alternative<std::unique_ptr<BirthsLibrary>>(opened)) _exit(2);
        class PipeBuf : public std::streambuf {
          public:
            explicit PipeBuf(int fd) : fd_(fd) {}
            int underflow() override {
                const ssize_t n = read(fd_, buf_, sizeof buf_);
                if (n <= 0) return traits_type::eof();
                setg(buf_, buf_, buf_ + n);
                return traits_type::to_int_type(buf_[0]);
            }

          private:
            int fd_;
            char buf_[4096];
        } pipeBuf(toChild[0]);
        std::istream in(&pipeBuf);
        std::get<std::unique_ptr<BirthsLibrary>>(opened)->Import(in, [&](long line) {
            if (line == 3000) {
                const char ready = 'r';
                (void)!write(fromChild[1], &ready, 1);
            }
        });
        _exit(0);
    }
    close(toChild[0]);
    close(fromChild[1]);
    std::string lines;
    Json record = RecordFromForm(FormOfBirth(Sample().birth));
    for (int i = 0; i < 3000; ++i) {
        record["name"] = "PERSON " + std::string(1, char('A' + i % 26)) +
                         std::string(1, char('A' + i / 26 % 26)) +
                         std::string(1, char('A' + i / 676));
        lines += record.dump() + "\n";
    }
    ASSERT_EQ(write(toChild[1], lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    char ready = 0;
    ASSERT_EQ(read(fromChild[0], &ready, 1), 1);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(toChild[1]);
    close(fromChild[0]);
    ASSERT_TRUE(WIFSIGNALED(status));

    auto library = OpenOk();
    ASSERT_TRUE(library);
    const auto rows = std::get<std::vector<ReadBirth>>(library->List());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].stored.birth.name, "ASHA RAO");
    // Still writable after the killed writer.
    EXPECT_TRUE(
        std::holds_alternative<std::int64_t>(library->Save(Sample("AFTER"), OnDuplicate::Refuse)));
}

TEST(LibrarySearch, MatchesNamePlaceAndNoteInEitherCase) {
    StoredBirth b = Sample();
    b.note = "Client since 2019";
    struct Case {
        const char* text;
        bool found;
    };
    for (const Case& c : std::vector<Case>{{"", true},
                                           {"asha", true},
                                           {"RAO", true},
                                           {"são", true},
                                           {"东", false},
                                           {"東京", true},
                                           {"Ñuñoa", true},
                                           {"Ελλάδα", true},
                                           {"client SINCE", true},
                                           {"1980", false},
                                           {"mumbai", false}}) {
        EXPECT_EQ(MatchesSearch(b, c.text), c.found) << c.text;
    }
}

TEST(LibraryPath, FollowsXdgDataHomeThenHome) {
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string keptData = oldData ? oldData : "", keptHome = oldHome ? oldHome : "";
    setenv("XDG_DATA_HOME", "/data/x", 1);
    EXPECT_EQ(DefaultLibraryPath(), "/data/x/Korvanta/births.sqlite");
    setenv("XDG_DATA_HOME", "relative", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DefaultLibraryPath(), "/home/u/.local/share/Korvanta/births.sqlite");
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_EQ(DefaultLibraryPath(), "");
    if (oldData) setenv("XDG_DATA_HOME", keptData.c_str(), 1);
    if (oldHome) setenv("HOME", keptHome.c_str(), 1);
}

}  // namespace
}  // namespace korvanta::library
