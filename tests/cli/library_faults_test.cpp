// SPDX-License-Identifier: GPL-3.0-or-later
// The births library on the command line under hostile use: names that are
// not files, libraries that may not be written, pages aimed at the library,
// imports that clash, carry escape sequences or cannot be read. Each case
// checks the exit status, the message, and that the files that were there
// before are byte for byte as they were, with nothing left beside them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "fault_process.h"

namespace korvanta::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr int kBadCommandLine = 1;
constexpr int kLibraryUnusable = 6;
constexpr int kSomeRefused = 8;
constexpr int kInputNotRead = 10;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> With(std::vector<std::string> args,
                              std::initializer_list<std::string> more) {
    args.insert(args.end(), more);
    return args;
}

std::vector<std::string> SaveFlags(const std::string& db) {
    return With(FlagsOf(NewDelhi1980()), {"--save", "--db", db});
}

class HostileLibrary : public ::testing::Test {
  protected:
    // A library of two births in a folder of its own.
    void MakeLibrary() {
        Faults input;
        input.input = RecordLineOf(NewDelhi1980()) + "\n" + RecordLineOf(BuenosAiresNight()) + "\n";
        const CliRun made = RunCliUnder({"--import", "-", "--db", db_}, input);
        ASSERT_EQ(made.status, 0) << made.err;
        before_ = ReadWholeFile(db_);
        ASSERT_FALSE(before_.empty());
    }
    void ExpectLibraryAsBefore() const {
        EXPECT_EQ(ReadWholeFile(db_), before_) << "the library changed";
        EXPECT_EQ(folder_.Names(), std::vector<std::string>{"births.sqlite"});
    }
    void RawExec(const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(db_.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    ScratchDir folder_;
    std::string db_ = folder_.File("births.sqlite");
    std::string before_;
};

// A pipe would hold the open for ever; a device would get SQLite's journal
// beside it (/dev/null-journal): each is refused by name before SQLite opens
// it, in every mode that uses the library.
TEST_F(HostileLibrary, PipesDevicesAndSocketsAreRefusedBeforeTheyAreOpened) {
    const std::string pipe = folder_.File("pipe"), socketPath = folder_.File("socket");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
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
        for (const auto& args :
             std::vector<std::vector<std::string>>{{"--list-births", "--db", path},
                                                   {"--birth", "1", "--db", path},
                                                   {"--import", "-", "--db", path},
                                                   SaveFlags(path)}) {
            Faults input;
            input.input = RecordLineOf(NewDelhi1980()) + "\n";
            const CliRun run = RunCliUnder(args, input);
            EXPECT_EQ(run.status, kLibraryUnusable) << path << " " << args[0] << ": " << run.err;
            EXPECT_TRUE(Contains(run.err, "the births library " + path + ": " + what)) << run.err;
            EXPECT_TRUE(run.out.empty()) << args[0];
        }
    }
    close(listener);
    EXPECT_FALSE(fs::exists("/dev/null-journal") || fs::exists("/dev/null-wal"));
    EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"pipe", "socket"}));
}

// Where the library may not be written, it is still read (in SQLite's
// immutable mode), a change is refused with the reason, and no log file is
// left beside it; once writable again it saves as before.
TEST_F(HostileLibrary, AReadOnlyLibraryIsReadAndLeftWithoutATrace) {
    MakeLibrary();
    const auto readAndRefuse = [&](const Faults& faults, const std::string& reason) {
        const CliRun listed = RunCliUnder({"--list-births", "--db", db_}, faults);
        if (listed.status == kNoReadOnlyMount) return false;
        EXPECT_EQ(listed.status, 0) << listed.err;
        EXPECT_EQ(Lines(listed.out).size(), 2u) << listed.out;
        const CliRun one = RunCliUnder({"--birth", "1", "--json", "--db", db_}, faults);
        EXPECT_EQ(one.status, 0) << one.err;
        EXPECT_EQ(json::parse(one.out, nullptr, false)["input"]["name"], "ASHA RAO");
        Birth other = NewDelhi1980();
        other.name = "SOMEONE ELSE";
        const CliRun saved = RunCliUnder(With(FlagsOf(other), {"--save", "--db", db_}), faults);
        EXPECT_EQ(saved.status, kLibraryUnusable) << saved.err;
        EXPECT_TRUE(Contains(saved.err, db_ + " is open read-only: " + reason)) << saved.err;
        Faults input = faults;
        input.input = RecordLineOf(other) + "\n";
        EXPECT_EQ(RunCliUnder({"--import", "-", "--db", db_}, input).status, kLibraryUnusable);
        ExpectLibraryAsBefore();
        return true;
    };

    Faults readOnlyFolder;
    readOnlyFolder.readOnlyFolder = folder_.Path();
    const bool mounted = readAndRefuse(readOnlyFolder, "it lies on a read-only file system");

    // The file itself read-only: its mode for a user, the immutable
    // attribute for root (whom no mode stops).
    bool locked = false;
    const int fd = open(db_.c_str(), O_RDONLY);
    int attributes = 0;
    if (geteuid() != 0) {
        locked = chmod(db_.c_str(), 0444) == 0;
    } else if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &attributes) == 0) {
        attributes |= FS_IMMUTABLE_FL;
        locked = ioctl(fd, FS_IOC_SETFLAGS, &attributes) == 0;
    }
    if (locked) {
        readAndRefuse({}, "the file is read-only");
        if (geteuid() != 0) {
            chmod(db_.c_str(), 0644);
        } else {
            attributes &= ~FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &attributes);
        }
        Birth other = NewDelhi1980();
        other.name = "SOMEONE ELSE";
        const CliRun saved = RunCliUnder(With(FlagsOf(other), {"--save", "--db", db_}), {});
        EXPECT_EQ(saved.status, 0) << saved.err;
        EXPECT_TRUE(Contains(saved.err, "saved as 3")) << saved.err;
    }
    if (fd >= 0) close(fd);
    if (!mounted || !locked) {
        GTEST_SKIP() << "this system allows " << (mounted ? "" : "no read-only bind mount ")
                     << (locked ? "" : "no immutable file") << "; those cases did not run";
    }
}

// A page named like the library, by any of its names, is refused before
// anything is drawn or stored: the library is never overwritten by a page.
TEST_F(HostileLibrary, APageNeverReplacesTheLibrary) {
    MakeLibrary();
    fs::create_hard_link(db_, folder_.File("hard.sqlite"));
    fs::create_symlink(db_, folder_.File("link.sqlite"));
    const std::string dotted = folder_.Path() + "/./births.sqlite";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--birth", "1", "--db", db_, "--png", db_},
             {"--birth", "1", "--db", db_, "--pdf", folder_.File("hard.sqlite")},
             {"--birth", "1", "--db", db_, "--png", folder_.File("link.sqlite")},
             {"--birth", "1", "--db", db_, "--pdf", db_ + "-wal"},
             With(SaveFlags(db_), {"--pdf", dotted})}) {
        const CliRun run = RunCliUnder(args, {});
        EXPECT_EQ(run.status, kBadCommandLine) << args.back() << ": " << run.err;
        EXPECT_TRUE(Contains(run.err, args.back() + " is the births library's file")) << run.err;
        EXPECT_EQ(ReadWholeFile(db_), before_) << args.back();
    }
    EXPECT_EQ(folder_.Names(),
              (std::vector<std::string>{"births.sqlite", "hard.sqlite", "link.sqlite"}));
}

// An import refuses, line by line and with status 8, what --save refuses:
// another birth of the same name and moment, and texts with control
// characters. No message echoes a control character, and a row stored with
// one before is printed without it.
TEST_F(HostileLibrary, ImportKeepsSavesRulesAndNoEscapeSequenceReachesTheTerminal) {
    MakeLibrary();
    json moved = json::parse(RecordLineOf(NewDelhi1980()));
    moved["city"] = "Agra";
    json title = json::parse(RecordLineOf(NewDelhi1980()));
    title["name"] = "TITLE";
    title["city"] = "\x1B]0;owned\x07";
    json clear = title;
    clear["name"] = "CLEAR";
    clear["city"] = "Delhi";
    clear["state"] = "\x1B[2J";
    Faults input;
    input.input = moved.dump() + "\n" + title.dump() + "\n" + clear.dump() + "\n" +
                  "{\"\\u001b[2J\":1}\n" + RecordLineOf(LongyearbyenMidsummer()) + "\n";
    const CliRun run = RunCliUnder({"--import", "-", "--db", db_}, input);
    EXPECT_EQ(run.status, kSomeRefused) << run.err;
    EXPECT_EQ(run.out, "1 added, 0 skipped as duplicates, 4 refused\n");
    for (const char* expected :
         {"standard input line 1: stored birth 1 has this name and moment but other details",
          "standard input line 2: \"city\": holds a control character at byte 1",
          "standard input line 3: \"state\": holds a control character at byte 1",
          "standard input line 4: \"\xEF\xBF\xBD[2J\": unknown key"}) {
        EXPECT_TRUE(Contains(run.err, expected)) << expected << "\n" << run.err;
    }
    EXPECT_FALSE(Contains(run.err, "\x1B")) << run.err;

    // A row written before the rule (or by another program) keeps its bytes
    // in the JSON, escaped there, and is shown with U+FFFD in the text.
    RawExec(
        "UPDATE births SET city = 'Pune' || char(27) || ']0;owned' || char(7), state = "
        "char(27) || '[2J' || char(13), country = 'In' || char(155) || 'dia' || char(127) "
        "WHERE id = 1");
    const CliRun text = RunCliUnder({"--birth", "1", "--db", db_}, {});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(std::none_of(text.out.begin(), text.out.end(), [](char c) {
        return (c >= 0 && c < 0x20 && c != '\n') || c == 0x7F;
    }));
    EXPECT_TRUE(Contains(text.out, "City : Pune\xEF\xBF\xBD]0;owned\xEF\xBF\xBD\n")) << text.out;
    const CliRun listed = RunCliUnder({"--list-births", "--db", db_}, {});
    const json row = json::parse(Lines(listed.out)[0]);
    EXPECT_EQ(row["city"], "Pune\x1B]0;owned\x07");
    EXPECT_EQ(row["country"],
              "In\xC2\x9B"
              "dia\x7F");
    for (const char* raw : {"\x1B", "\x7F", "\xC2\x9B", "\r"})
        EXPECT_FALSE(Contains(listed.out, raw)) << listed.out;
}

// An input that cannot be read is a read error (status 10, said once), not a
// broken library; a closed standard input reads as the closed descriptor it
// is, never as the library SQLite opened next; an over-long line is refused
// by its length and the rest imported.
TEST_F(HostileLibrary, AnImportInputThatFailsIsAReadErrorAndAddsNothing) {
    MakeLibrary();
    Faults closed;
    closed.stdinClosed = true;
    const CliRun fromClosed = RunCliUnder({"--import", "-", "--db", db_}, closed);
    EXPECT_EQ(fromClosed.status, kInputNotRead) << fromClosed.err;
    EXPECT_TRUE(Contains(fromClosed.err,
                         "--import -: standard input: the input could not be read at line 1 (Bad "
                         "file descriptor); nothing was imported"))
        << fromClosed.err;
    ExpectLibraryAsBefore();

    const ScratchDir other;
    Faults fromFolder;
    fromFolder.stdinPath = other.Path();
    const CliRun unread = RunCliUnder({"--import", "-", "--db", db_}, fromFolder);
    EXPECT_EQ(unread.status, kInputNotRead) << unread.err;
    EXPECT_TRUE(Contains(unread.err, "could not be read at line 1 (Is a directory)")) << unread.err;
    const auto said = unread.err.find("nothing was imported");
    EXPECT_NE(said, std::string::npos);
    EXPECT_EQ(unread.err.find("nothing was imported", said + 1), std::string::npos) << unread.err;
    // A folder is read for its .jhd files; an empty one gives none.
    EXPECT_EQ(RunCliUnder({"--import", other.Path(), "--db", db_}, {}).status, kSomeRefused);
    ExpectLibraryAsBefore();

    Faults longLine;
    const std::size_t length = 3 << 20;
    longLine.input = std::string(length, ' ') + "\n" + RecordLineOf(LongyearbyenMidsummer()) + "\n";
    const CliRun cut = RunCliUnder({"--import", "-", "--db", db_}, longLine);
    EXPECT_EQ(cut.status, kSomeRefused) << cut.err;
    EXPECT_TRUE(Contains(cut.err, "line 1: the line holds " + std::to_string(length) +
                                      " bytes; a line may hold at most 1048576"))
        << cut.err;
    EXPECT_EQ(cut.out, "1 added, 0 skipped as duplicates, 1 refused\n");
}

}  // namespace
}  // namespace korvanta::testing
