// SPDX-License-Identifier: GPL-3.0-or-later
// --batch on several threads: the same bytes as on one, whatever the input
// holds and wherever the output fails; answers that reach a client waiting
// for each; memory that does not grow with the input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>

#include "cli_process.h"
#include "fault_process.h"

namespace korvanta::testing {
namespace {

using nlohmann::json;

constexpr int kBatchFailures = 3;
constexpr int kOutputNotWritten = 5;
constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

// The first line where two outputs differ, for a failure message that does
// not print megabytes.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    const auto a = Lines(expected), b = Lines(actual);
    for (std::size_t n = 0; n < std::max(a.size(), b.size()); ++n) {
        const std::string x = n < a.size() ? a[n] : "(none)", y = n < b.size() ? b[n] : "(none)";
        if (x != y) {
            return "line " + std::to_string(n + 1) + ": expected " + x.substr(0, 200) +
                   "\n  actual " + y.substr(0, 200);
        }
    }
    return "the same lines, different bytes";
}

// Births over the whole entry range from a fixed pseudo-random sequence,
// with every kind of line that is answered by an error object mixed in,
// several blocks' worth. `errorLines` gets the numbers of those lines.
std::string VariedInput(int count, std::set<long>& errorLines) {
    std::uint64_t state = 29;
    auto next = [&state](int below) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(below));
    };
    std::string input = "\xEF\xBB\xBF";  // a byte-order mark may open the input
    for (int k = 0; k < count; ++k) {
        Birth birth = NewDelhi1980();
        birth.name = std::string("PERSON ") + static_cast<char>('A' + k % 26);
        birth.year = 1901 + next(150), birth.month = 1 + next(12), birth.day = 1 + next(28);
        birth.hour = next(24), birth.minute = next(60), birth.second = next(60);
        birth.latDeg = next(90), birth.latMin = next(60), birth.south = next(2) == 0;
        birth.lonDeg = next(180), birth.lonMin = next(60), birth.east = next(2) == 0;
        birth.zoneIndex = next(71), birth.dst = next(3) == 0;
        std::string line = RecordLineOf(birth);
        const long number = k + 1;
        switch (k % 97) {
            case 10:
                line = "not json";
                errorLines.insert(number);
                break;
            case 20:
                line = "{\"month\":7," + line.substr(1);  // a key given twice
                errorLines.insert(number);
                break;
            case 30:
                birth.lonDeg = 180;  // refused by the entry check
                line = RecordLineOf(birth);
                errorLines.insert(number);
                break;
            case 40:
                line.insert(line.size() - 1, ",\"sensitivity\":15");
                break;
            case 50:
                line = "";
                errorLines.insert(number);
                break;
            case 60:
                line = "\xEF\xBB\xBF" + line;  // a mark out of place
                errorLines.insert(number);
                break;
            case 70:
                line += "\r";
                break;
        }
        if (k == count / 2) {
            line = "{\"name\":\"" + std::string(kMaxLineBytes, 'A') + "\"}";  // past the limit
            errorLines.insert(number);
        }
        input += line + "\n";
    }
    // The last line has no line break.
    return input + RecordLineOf(NewDelhi1980());
}

TEST(BatchJobs, AnyNumberOfThreadsWritesTheSameBytesAsOne) {
    constexpr int kLines = 3000;
    std::set<long> errorLines;
    const std::string input = VariedInput(kLines, errorLines);
    const CliRun one = RunCliProgram({"--batch", "--jobs", "1"}, input);
    ASSERT_EQ(one.status, kBatchFailures) << one.err;
    const auto lines = Lines(one.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines + 1));
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const json answer = json::parse(lines[n], nullptr, false);
        ASSERT_FALSE(answer.is_discarded()) << "line " << n + 1;
        const bool error = errorLines.count(static_cast<long>(n) + 1) > 0;
        EXPECT_EQ(answer.contains("error"), error) << lines[n].substr(0, 200);
        if (error) {
            EXPECT_EQ(answer["input_line"], n + 1) << lines[n];
        }
    }
    for (const char* jobs : {"2", "4", "7"}) {
        const CliRun many = RunCliProgram({"--batch", "--jobs", jobs}, input);
        EXPECT_EQ(many.status, one.status) << "--jobs " << jobs;
        EXPECT_EQ(many.err, one.err) << "--jobs " << jobs;
        EXPECT_TRUE(many.out == one.out)
            << "--jobs " << jobs << ": " << FirstDifference(one.out, many.out);
    }
}

TEST(BatchJobs, AThreadCountThatCannotBeUsedIsRefused) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--batch", "--jobs", "0"}, "--jobs 0: expected a whole number from 1 to 256"},
        {{"--batch", "--jobs", "257"}, "--jobs 257: expected a whole number from 1 to 256"},
        {{"--batch", "--jobs", "-3"}, "--jobs -3: expected a whole number from 1 to 256"},
        {{"--batch", "--jobs", "two"}, "--jobs"},
        {{"--jobs", "2"}, "--jobs needs --batch"},
        {{"--list-zones", "--jobs", "2"}, "--jobs needs --batch"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = RunCliProgram(args, RecordLineOf(NewDelhi1980()) + "\n");
        EXPECT_EQ(run.status, 1) << args.back() << ": " << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << args.back();
    }
}

// A failed write stops the batch at the same answer with one thread or four:
// the message names the first input line whose answer is not whole, and
// every answer before it was written whole.
TEST(BatchJobs, AFailedWriteStopsAtTheSameLineWithAnyNumberOfThreads) {
    std::string input;
    for (int n = 0; n < 2000; ++n) input += RecordLineOf(NewDelhi1980()) + "\n";
    struct Case {
        std::string name;
        Faults faults;
    };
    std::vector<Case> cases(3);
    cases[0].name = "a file-size limit of 300 KiB";
    cases[0].faults.fileSizeLimit = 300 * 1024;
    cases[1].name = "/dev/full";
    cases[1].faults.stdoutPath = "/dev/full";
    cases[2].name = "a pipe nobody reads";
    cases[2].faults.stdoutPipeClosed = true;
    for (Case& c : cases) {
        c.faults.input = input;
        const CliRun one = RunCliUnder({"--batch", "--jobs", "1"}, c.faults);
        const CliRun four = RunCliUnder({"--batch", "--jobs", "4"}, c.faults);
        EXPECT_EQ(one.status, kOutputNotWritten) << c.name << ": " << one.err;
        EXPECT_EQ(four.status, kOutputNotWritten) << c.name << ": " << four.err;
        EXPECT_EQ(four.err, one.err) << c.name;
        EXPECT_TRUE(four.out == one.out) << c.name << ": " << FirstDifference(one.out, four.out);
        const auto at = one.err.find("the answers to input line ");
        ASSERT_NE(at, std::string::npos) << c.name << ": " << one.err;
        const long named = std::stol(one.err.substr(at + 26));
        EXPECT_EQ(named, 1 + std::count(one.out.begin(), one.out.end(), '\n')) << c.name;
    }
}

// korvanta-cli --batch with both ends of standard input and output held by
// the test, as a program that sends records and reads answers would.
class PipedBatch {
  public:
    explicit PipedBatch(const std::vector<std::string>& args, bool readOutput = true) {
        // A batch that died must fail the test, not kill it with SIGPIPE.
        signal(SIGPIPE, SIG_IGN);
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
            throw std::runtime_error("no pipe");
        }
        std::vector<std::string> argStrings = {KORVANTA_CLI_PATH};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& arg : argStrings) argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            const int sink = readOutput ? out[1] : open("/dev/null", O_WRONLY);
            if (dup2(in[0], 0) < 0 || dup2(sink, 1) < 0) _exit(126);
            execv(KORVANTA_CLI_PATH, argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        input_ = in[1];
        output_ = out[0];
    }
    ~PipedBatch() {
        CloseInput();
        close(output_);
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    PipedBatch(const PipedBatch&) = delete;
    PipedBatch& operator=(const PipedBatch&) = delete;

    bool Send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t count = write(input_, bytes.data(), bytes.size());
            if (count <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(count));
        }
        return true;
    }
    void CloseInput() {
        if (input_ >= 0) close(input_);
        input_ = -1;
    }
    // The next answer line; empty after `guard` without one (a hang guard,
    // not a measure of speed) or at the end of the output.
    std::optional<std::string> ReadLine(std::chrono::seconds guard) {
        const auto until = std::chrono::steady_clock::now() + guard;
        while (true) {
            if (const auto end = pending_.find('\n'); end != std::string::npos) {
                std::string line = pending_.substr(0, end);
                pending_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            pollfd wait = {output_, POLLIN, 0};
            if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
                return std::nullopt;
            }
            char buffer[65536];
            const ssize_t count = read(output_, buffer, sizeof buffer);
            if (count <= 0) return std::nullopt;
            pending_.append(buffer, static_cast<std::size_t>(count));
        }
    }
    // The exit status (-1 for a signal) and the largest resident set, in KiB.
    std::pair<int, long> Wait() {
        int status = 0;
        rusage usage{};
        wait4(pid_, &status, 0, &usage);
        pid_ = -1;
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
    }

  private:
    pid_t pid_ = -1;
    int input_ = -1, output_ = -1;
    std::string pending_;
};

constexpr std::chrono::seconds kHangGuard{10};

TEST(BatchJobs, AClientThatWaitsForEachAnswerGetsIt) {
    PipedBatch batch({"--batch", "--jobs", "4"});
    const std::vector<std::string> records = {RecordLineOf(NewDelhi1980()),
                                              "{\"name\":", RecordLineOf(BuenosAiresNight())};
    for (std::size_t n = 0; n < records.size(); ++n) {
        ASSERT_TRUE(batch.Send(records[n] + "\n"));
        const auto answer = batch.ReadLine(kHangGuard);
        ASSERT_TRUE(answer) << "no answer to line " << n + 1 << " while the input stays open";
        const json object = json::parse(*answer, nullptr, false);
        ASSERT_FALSE(object.is_discarded()) << *answer;
        if (n == 1) {
            EXPECT_EQ(object["input_line"], 2) << *answer;
        } else {
            EXPECT_EQ(object["input"], json::parse(records[n])) << *answer;
        }
    }
    batch.CloseInput();
    EXPECT_FALSE(batch.ReadLine(kHangGuard)) << "an answer nobody asked for";
    EXPECT_EQ(batch.Wait().first, kBatchFailures);
}

// AddressSanitizer keeps freed memory in quarantine (up to 256 MB), where it
// counts as resident, and makes each line many times slower: there the
// stream is shorter and only has to end well.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentSetIsMemoryInUse = false;
#else
constexpr bool kResidentSetIsMemoryInUse = true;
#endif

// The line count of the memory test: ten million, 300,000 under the
// sanitizer; KORVANTA_BATCH_MEMORY_LINES sets another.
long MemoryTestLines() {
    if (const char* lines = std::getenv("KORVANTA_BATCH_MEMORY_LINES")) {
        return std::strtol(lines, nullptr, 10);
    }
    return kResidentSetIsMemoryInUse ? 10'000'000 : 300'000;
}

// Ten million lines streamed through a pipe, faster than they can be
// answered: the blocks waiting for a thread are bounded, so the resident set
// stays under 64 MB (the input alone is 30 MB, its answers over 600 MB).
TEST(BatchJobs, MemoryStaysBoundedWhateverTheInputsSize) {
    const long lines = MemoryTestLines();
    PipedBatch batch({"--batch", "--jobs", "4"}, false);
    std::thread feeder([&batch, lines] {
        // Mostly lines answered by a short error object, and a chart every
        // thousand lines.
        const std::string chart = RecordLineOf(NewDelhi1980()) + "\n";
        std::string chunk;
        for (int n = 0; n < 999; ++n) chunk += "{}\n";
        chunk += chart;
        for (long sent = 0; sent < lines; sent += 1000) {
            if (!batch.Send(sent + 1000 <= lines ? chunk : chunk.substr(0, 3 * (lines - sent)))) {
                break;
            }
        }
        batch.CloseInput();
    });
    const auto [status, maxResidentKiB] = batch.Wait();
    feeder.join();
    EXPECT_EQ(status, kBatchFailures);
    if (kResidentSetIsMemoryInUse) {
        EXPECT_LT(maxResidentKiB, 64 * 1024)
            << "largest resident set " << maxResidentKiB << " KiB over " << lines << " lines";
    }
}

}  // namespace
}  // namespace korvanta::testing
