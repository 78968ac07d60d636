// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-cli under faults: standard output that cannot be written, pages
// that cannot be completed, standard input that cannot be read or holds
// hostile lines. Each case checks the exit status, the message, and that a
// file that existed before is still whole.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "fault_process.h"

namespace korvanta::testing {
namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;

constexpr int kBadCommandLine = 1;
constexpr int kBatchFailures = 3;
constexpr int kPageNotWritten = 4;
constexpr int kOutputNotWritten = 5;
constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;  // 1 MiB

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Births(int count) {
    const std::string line = RecordLineOf(NewDelhi1980()) + "\n";
    std::string input;
    for (int n = 0; n < count; ++n) input += line;
    return input;
}

// Every mode's output on a full device, and on a pipe whose reader is gone,
// ends with status 5 and the system's reason, never with 0.
TEST(StandardOutput, AFailedWriteEndsWithFiveAndTheReasonInEveryMode) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> modes = {
        {FlagsOf(NewDelhi1980()), ""},
        {[] {
             auto args = FlagsOf(NewDelhi1980());
             args.push_back("--json");
             return args;
         }(),
         ""},
        {{"--batch"}, Births(3)},
        {{"--list-zones"}, ""},
        {{"--help"}, ""},
    };
    for (const auto& [args, input] : modes) {
        const std::string shown = args.front() + (args.size() > 1 ? " ..." + args.back() : "");
        Faults full;
        full.input = input;
        full.stdoutPath = "/dev/full";
        const CliRun onFull = RunCliUnder(args, full);
        EXPECT_EQ(onFull.status, kOutputNotWritten) << shown << ": " << onFull.err;
        EXPECT_TRUE(Contains(onFull.err, "standard output: No space left on device"))
            << shown << ": " << onFull.err;

        Faults closed;
        closed.input = input;
        closed.stdoutPipeClosed = true;
        const CliRun onPipe = RunCliUnder(args, closed);
        EXPECT_EQ(onPipe.status, kOutputNotWritten) << shown << ": " << onPipe.err;
        EXPECT_TRUE(Contains(onPipe.err, "Broken pipe")) << shown << ": " << onPipe.err;
    }
}

// A batch whose output meets a file-size limit stops there and names the
// first input line whose answer may be missing; every answer before it is a
// whole line.
TEST(StandardOutput, ABatchStopsAtTheLineWhoseAnswerCouldNotBeWritten) {
    constexpr long kLimit = 100 * 1024;
    Faults limited;
    limited.input = Births(1000);
    limited.fileSizeLimit = kLimit;
    const CliRun run = RunCliUnder({"--batch"}, limited);
    EXPECT_EQ(run.status, kOutputNotWritten) << run.err;
    EXPECT_TRUE(Contains(run.err, "File too large")) << run.err;
    const auto at = run.err.find("input line ");
    ASSERT_NE(at, std::string::npos) << run.err;
    const long firstMissing = std::stol(run.err.substr(at + 11));
    EXPECT_GT(firstMissing, 1);
    EXPECT_LT(firstMissing, 1000);
    EXPECT_LE(static_cast<long>(run.out.size()), kLimit);
    const auto lines = Lines(run.out);
    ASSERT_GE(static_cast<long>(lines.size()), firstMissing - 1);
    for (long n = 0; n + 1 < firstMissing; ++n) {
        EXPECT_FALSE(json::parse(lines[n], nullptr, false).is_discarded()) << "line " << n + 1;
    }
}

#ifdef KORVANTA_CLI_PAGE_FILES

std::vector<std::string> WithPage(const std::string& flag, const std::string& path) {
    std::vector<std::string> args = FlagsOf(NewDelhi1980());
    args.push_back(flag);
    args.push_back(path);
    return args;
}

// A page that cannot be written whole leaves the old file as it was, leaves
// no temporary file behind and says why.
TEST(Pages, AFailedPageLeavesTheOldFileAndSaysWhy) {
    const std::string old = "an older chart the user kept\n";
    for (const std::string flag : {"--pdf", "--png"}) {
        const ScratchDir folder;
        const std::string target = folder.File("chart");
        WriteWholeFile(target, old);
        Faults limited;
        limited.fileSizeLimit = 8 * 1024;  // far below any page
        limited.sigxfszDefault = true;     // the program must not die of it
        const CliRun cut = RunCliUnder(WithPage(flag, target), limited);
        EXPECT_EQ(cut.status, kPageNotWritten) << flag << ": " << cut.err;
        EXPECT_TRUE(Contains(cut.err, "File too large")) << flag << ": " << cut.err;
        EXPECT_EQ(ReadWholeFile(target), old) << flag;
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"chart"}) << flag;

        // A folder where the file should go, and a missing folder.
        fs::create_directory(folder.File("taken"));
        const CliRun onFolder = RunCliUnder(WithPage(flag, folder.File("taken")), {});
        EXPECT_EQ(onFolder.status, kPageNotWritten);
        EXPECT_TRUE(Contains(onFolder.err, "Is a directory")) << onFolder.err;
        const CliRun noFolder = RunCliUnder(WithPage(flag, folder.File("none/chart")), {});
        EXPECT_EQ(noFolder.status, kPageNotWritten);
        EXPECT_TRUE(Contains(noFolder.err, "No such file or directory")) << noFolder.err;

        // A full device is written in place and fails with its reason.
        const CliRun onFull = RunCliUnder(WithPage(flag, "/dev/full"), {});
        EXPECT_EQ(onFull.status, kPageNotWritten);
        EXPECT_TRUE(Contains(onFull.err, "No space left on device")) << onFull.err;

        // Without write permission in the folder (root has it anyway).
        if (geteuid() != 0) {
            fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
            const CliRun locked = RunCliUnder(WithPage(flag, target), {});
            fs::permissions(folder.Path(), fs::perms::owner_all);
            EXPECT_EQ(locked.status, kPageNotWritten);
            EXPECT_TRUE(Contains(locked.err, "Permission denied")) << locked.err;
            EXPECT_EQ(ReadWholeFile(target), old);
        }
    }
}

// A page that is written replaces the old file whole: through a link (which
// stays a link), keeping the file's permission bits, under a name that is not
// UTF-8 exactly as given, and onto standard output.
TEST(Pages, AWrittenPageReplacesTheFileItNames) {
    const ScratchDir folder;
    const std::string target = folder.File("kept.pdf"), link = folder.File("link.pdf");
    WriteWholeFile(target, "old");
    chmod(target.c_str(), 0640);
    fs::create_symlink(target, link);
    const CliRun run = RunCliUnder(WithPage("--pdf", link), {});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target).substr(0, 5), "%PDF-");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"kept.pdf", "link.pdf"}));

    const std::string latin1 = folder.File("chart-\xe9t\xe9.png");
    const CliRun raw = RunCliUnder(WithPage("--png", latin1), {});
    ASSERT_EQ(raw.status, 0) << raw.err;
    EXPECT_EQ(ReadWholeFile(latin1).substr(1, 3), "PNG");

    // The longest name a folder takes is written too (its temporary name is
    // cut to fit); one byte more is the system's refusal.
    for (const std::size_t length : {241, 255, 256}) {
        const ScratchDir roomy;
        const std::string name = std::string(length - 4, 'c') + ".png";
        const CliRun run = RunCliUnder(WithPage("--png", roomy.File(name)), {});
        if (length <= 255) {
            EXPECT_EQ(run.status, 0) << length << ": " << run.err;
            EXPECT_EQ(roomy.Names(), std::vector<std::string>{name}) << length;
        } else {
            EXPECT_EQ(run.status, kPageNotWritten) << length;
            EXPECT_TRUE(Contains(run.err, "File name too long")) << run.err;
            EXPECT_TRUE(roomy.Names().empty());
        }
    }

    const CliRun piped = RunCliUnder(WithPage("--pdf", "/dev/stdout"), {});
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out.substr(0, 5), "%PDF-");
    EXPECT_TRUE(Contains(piped.out.substr(piped.out.size() - 8), "%%EOF"));
}

#endif

// Empty values are values, one file cannot be both pages, and names and
// place texts follow the window's rules.
TEST(Flags, ValuesTheWindowCouldNotHoldAreRefusedWithTheirFlag) {
    struct Case {
        std::string flag, value, message;
    };
    const std::vector<Case> cases = {
        {"--zone", "", "--zone was given an empty value"},
        {"--place", "", "--place was given an empty value"},
        {"--pdf", "", "--pdf was given an empty value"},
        {"--png", "", "--png was given an empty value"},
        {"--date", "", "--date was given an empty value"},
        {"--lat", "", "--lat was given an empty value"},
        {"--name", "ASHA\tRAO", "--name: a name takes only letters, blanks, and hyphens"},
        {"--name", "ASHA\nRAO", "character 5 is not one of them"},
        {"--name", "R2D2", "character 2 is not one of them"},
        {"--name", "J\xc3\xa9r\xc3\xb4me!", "character 7 is not one of them"},
        {"--city", "Pune\n", "--city: holds a control character at byte 5"},
        {"--state", "Gen\xe8ve", "--state: is not valid UTF-8 at byte 4"},
        {"--country", "\xed\xa0\x80", "--country: is not valid UTF-8 at byte 1"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = FlagsOf(NewDelhi1980());
        const auto at = std::find(args.begin(), args.end(), c.flag);
        if (at != args.end()) {
            *(at + 1) = c.value;
        } else {
            args.push_back(c.flag);
            args.push_back(c.value);
        }
        const CliRun run = RunCliProgram(args);
        EXPECT_EQ(run.status, kBadCommandLine) << c.flag << " " << c.value << ": " << run.err;
        EXPECT_TRUE(Contains(run.err, c.message)) << c.flag << ": " << run.err;
        EXPECT_EQ(run.out, "");
    }

    std::vector<std::string> both = FlagsOf(NewDelhi1980());
    for (const char* flag : {"--pdf", "--png"}) {
        both.push_back(flag);
        both.push_back(flag[2] == 'p' && flag[3] == 'd' ? "page" : "./page");
    }
    const CliRun same = RunCliProgram(both);
    EXPECT_EQ(same.status, kBadCommandLine) << same.err;
    EXPECT_TRUE(Contains(same.err, "--pdf and --png name the same file")) << same.err;
    EXPECT_FALSE(fs::exists("page"));
}

// Small letters become capitals, as the window's name box makes them, and
// a place text in any script comes out as it went in.
TEST(Flags, ANameIsTakenAsTheWindowWouldHoldIt) {
    std::vector<std::string> args = FlagsOf(NewDelhi1980());
    args[1] = "asha Rao";
    args[std::find(args.begin(), args.end(), "--city") - args.begin() + 1] = "S\xc3\xa3o Paulo";
    args.push_back("--json");
    const CliRun run = RunCliProgram(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const json chart = json::parse(run.out);
    EXPECT_EQ(chart["input"]["name"], "ASHA RAO");
    EXPECT_EQ(chart["details"]["city"], "S\xc3\xa3o Paulo");
}

// Standard input that is a folder: the batch answers the line it could not
// read, says why and ends with 3.
TEST(BatchInput, AReadErrorIsAnsweredAndReported) {
    const ScratchDir folder;
    Faults onFolder;
    onFolder.stdinPath = folder.Path();
    const CliRun run = RunCliUnder({"--batch"}, onFolder);
    EXPECT_EQ(run.status, kBatchFailures) << run.err;
    EXPECT_TRUE(Contains(run.err, "standard input: Is a directory (reading input line 1)"))
        << run.err;
    const json answer = json::parse(run.out);
    EXPECT_EQ(answer["input_line"], 1);
    EXPECT_TRUE(Contains(answer["error"].get<std::string>(), "Is a directory")) << answer;
}

// Hostile lines each get one short error object and the lines after them
// still run: a line past the limit, values megabytes long, a byte-order mark
// out of place, a key given twice, a name the window would refuse.
TEST(BatchInput, HostileLinesGetOneShortErrorEach) {
    const std::string good = RecordLineOf(NewDelhi1980());
    json record = json::parse(good);
    auto with = [&record](const std::string& key, const std::string& rawValue) {
        json copy = record;
        copy.erase(key);
        std::string text = copy.dump();
        text.insert(1, "\"" + key + "\":" + rawValue + ",");
        return text;
    };
    const std::string huge(kMaxLineBytes + 10, '7');
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::string line, errorContains;
    };
    std::vector<Case> cases = {
        {with("month", huge), ""},  // past the limit, never echoed; the message below
        {with("month", std::string(500000, '9')), "number overflow parsing"},
        {with("south", "\"" + std::string(500000, 'y') + "\""),
         "\"south\": expected true or false"},
        {"{\"name\":\"" + std::string(500000, 'a') + "\\q\"}", "not a JSON object"},
        {with(std::string(500000, 'k'), "1"), "unknown key"},
        {bom + good, "a byte-order mark may stand only at the start of the input"},
        {"{\"month\":7," + good.substr(1), "\"month\": given twice"},
        {with("name", "\"ASHA\\tRAO\""),
         "\"name\": a name takes only letters, blanks, and hyphens"},
    };
    cases[0].errorContains = "the line holds " + std::to_string(cases[0].line.size()) +
                             " bytes; a line may hold at most 1048576";
    std::string input = bom + good + "\n";  // a mark at the start is skipped
    for (const Case& c : cases) input += c.line + "\n" + good + "\n";
    // A line of exactly the limit still counts as a line.
    std::string padded = good;
    padded.resize(kMaxLineBytes, ' ');
    input += padded + "\n";

    const CliRun run = RunCliProgram({"--batch"}, input);
    EXPECT_EQ(run.status, kBatchFailures) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2 * cases.size() + 2);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const json answer = json::parse(lines[n], nullptr, false);
        ASSERT_FALSE(answer.is_discarded()) << "line " << n + 1 << " is not JSON";
        const bool hostile = n % 2 == 1 && n < lines.size() - 1;
        EXPECT_EQ(answer.contains("error"), hostile) << "line " << n + 1;
        if (!hostile) {
            EXPECT_EQ(answer["input"]["name"], "ASHA RAO") << "line " << n + 1;
            continue;
        }
        const Case& c = cases[n / 2];
        EXPECT_EQ(answer["input_line"], n + 1);
        EXPECT_TRUE(Contains(answer["error"].get<std::string>(), c.errorContains)) << answer;
        EXPECT_LT(lines[n].size(), 300u) << "line " << n + 1 << " echoes too much";
    }
}

}  // namespace
}  // namespace korvanta::testing
