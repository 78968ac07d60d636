// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch_blocks.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <istream>
#include <system_error>

#include "cli/batch.h"
#include "cli/output_stream.h"

namespace korvanta::batch {
namespace {

// A line past the limit is dropped in reads of this size.
constexpr std::size_t kSkipReadBytes = std::size_t{64} << 10;
// The least a read asks for once a block has its bytes but not yet its
// last line break.
constexpr std::size_t kMinReadBytes = std::size_t{4} << 10;

std::string ErrnoText(int error) {
    return std::strerror(error);
}

std::string StreamReadFailure(const std::ios_base::failure& failure) {
    const std::error_code code = failure.code();
    // libstdc++ passes the system's errno; a code of the stream category
    // says no more than "iostream error".
    if (code && code.category() == std::system_category()) return code.message();
    if (code && code.category() == std::generic_category()) return code.message();
    return "read error";
}

}  // namespace

DescriptorSource::DescriptorSource(int fd) : fd_(fd) {
    struct stat status {};
    regularFile_ = fstat(fd_, &status) == 0 && S_ISREG(status.st_mode);
    int ends[2];
    // Without the pipe, Interrupt cannot end a wait; the batch then stops at
    // the next input instead, as a single thread would.
    if (!regularFile_ && pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = ends[0];
        wakeWrite_ = ends[1];
    }
}

DescriptorSource::~DescriptorSource() {
    if (wakeRead_ >= 0) close(wakeRead_);
    if (wakeWrite_ >= 0) close(wakeWrite_);
}

std::size_t DescriptorSource::Read(char* data, std::size_t size, std::string& error) {
    while (true) {
        if (!regularFile_) {
            pollfd waits[2] = {{fd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
            const int ready = poll(waits, wakeRead_ >= 0 ? 2 : 1, -1);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) {
                error = ErrnoText(errno);
                return 0;
            }
            if (wakeRead_ >= 0 && waits[1].revents != 0) return 0;
        }
        const ssize_t count = read(fd_, data, std::min<std::size_t>(size, SSIZE_MAX));
        if (count >= 0) return static_cast<std::size_t>(count);
        // A descriptor left non-blocking by whoever opened it: wait in poll.
        if (errno == EINTR || (!regularFile_ && (errno == EAGAIN || errno == EWOULDBLOCK))) {
            continue;
        }
        error = ErrnoText(errno);
        return 0;
    }
}

bool DescriptorSource::Ready() {
    if (regularFile_) return true;
    pollfd wait = {fd_, POLLIN, 0};
    // An error or a hang-up is "ready" too: the read says what happened.
    return poll(&wait, 1, 0) != 0;
}

void DescriptorSource::Interrupt() {
    if (wakeWrite_ < 0) return;
    const char byte = 1;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(wakeWrite_, &byte, 1);
}

StreamSource::StreamSource(std::istream& in) : in_(in), oldExceptions_(in.exceptions()) {
    // The stream's buffer reports read errors as exceptions that keep the
    // system's error code.
    in_.exceptions(std::ios::badbit);
}

StreamSource::~StreamSource() {
    try {
        in_.exceptions(oldExceptions_);
    } catch (const std::ios_base::failure&) {
        // The stream had failed; the batch has said so already.
    }
}

std::size_t StreamSource::Read(char* data, std::size_t size, std::string& error) {
    try {
        in_.read(data, static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(in_.gcount());
    } catch (const std::ios_base::failure& failure) {
        error = StreamReadFailure(failure);
        return 0;
    }
}

void BlockReader::Fill(BatchBlock& block) {
    block.firstLine = nextLine_;
    block.input.assign(carry_);
    carry_.clear();
    block.lines.clear();
    block.readError.reset();
    block.last = false;
    block.output.clear();
    block.failedLines = 0;

    std::string& input = block.input;
    std::size_t lineStart = 0;  // where the line being read starts
    std::size_t searched = 0;   // the carried bytes may hold whole lines past kBlockLines
    while (true) {
        while (searched < input.size() && block.lines.size() < kBlockLines) {
            const char* base = input.data();
            const auto* found = static_cast<const char*>(
                std::memchr(base + searched, '\n', input.size() - searched));
            if (found == nullptr) {
                searched = input.size();
                break;
            }
            const auto end = static_cast<std::size_t>(found - base);
            const std::size_t length = end - lineStart;
            block.lines.push_back({lineStart, length, length > kMaxBatchLineBytes});
            lineStart = searched = end + 1;
        }
        const std::size_t partial = input.size() - lineStart;
        if (block.lines.size() < kBlockLines && partial > kMaxBatchLineBytes) {
            input.resize(lineStart);
            if (!SkipLongLine(block, partial)) break;
            searched = lineStart;
            continue;
        }
        const bool full = input.size() >= kBlockBytes || block.lines.size() >= kBlockLines;
        // Lines waiting while the input pauses are answered now: the client
        // may be waiting for them before it sends more.
        if (!block.lines.empty() && (full || !source_.Ready())) {
            carry_.assign(input, lineStart);
            input.resize(lineStart);
            break;
        }
        const std::size_t old = input.size();
        const std::size_t want =
            old + kMinReadBytes < kBlockBytes ? kBlockBytes - old : kMinReadBytes;
        input.resize(old + want);
        std::string error;
        const std::size_t count = source_.Read(input.data() + old, want, error);
        input.resize(old + count);
        if (!error.empty()) {
            input.resize(lineStart);  // the line being read is answered with the error
            End(block, std::move(error));
            break;
        }
        if (count == 0) {
            if (partial > 0) block.lines.push_back({lineStart, partial, false});
            End(block, {});
            break;
        }
    }
    nextLine_ += static_cast<long>(block.lines.size());
}

bool BlockReader::SkipLongLine(BatchBlock& block, std::size_t counted) {
    std::string& input = block.input;
    const std::size_t base = input.size();
    while (true) {
        input.resize(base + kSkipReadBytes);
        std::string error;
        const std::size_t count = source_.Read(input.data() + base, kSkipReadBytes, error);
        if (!error.empty()) {
            input.resize(base);
            End(block, std::move(error));
            return false;
        }
        if (count == 0) {
            input.resize(base);
            block.lines.push_back({base, counted, true});
            End(block, {});
            return false;
        }
        const auto* found = static_cast<const char*>(std::memchr(input.data() + base, '\n', count));
        if (found == nullptr) {
            counted += count;
            continue;
        }
        const auto at = static_cast<std::size_t>(found - (input.data() + base));
        block.lines.push_back({base, counted + at, true});
        // The bytes after the line break start the next line.
        std::memmove(input.data() + base, input.data() + base + at + 1, count - at - 1);
        input.resize(base + count - at - 1);
        return true;
    }
}

void BlockReader::End(BatchBlock& block, std::string error) {
    if (!error.empty()) block.readError = std::move(error);
    block.last = true;
}

std::optional<ByteSink::Failure> DescriptorSink::Write(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count =
            write(fd_, bytes.data() + done, std::min<std::size_t>(bytes.size() - done, SSIZE_MAX));
        if (count > 0) {
            done += static_cast<std::size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A descriptor left non-blocking by whoever opened it.
            pollfd wait = {fd_, POLLOUT, 0};
            if (poll(&wait, 1, -1) >= 0 || errno == EINTR) continue;
        }
        return Failure{count < 0 ? ErrnoText(errno) : "write error", done};
    }
    return std::nullopt;
}

std::optional<ByteSink::Failure> StreamSink::Write(std::string_view bytes) {
    if (const auto problem = WriteChecked(out_, bytes)) return Failure{*problem, 0};
    return std::nullopt;
}

std::optional<std::string> WriteAnswers(ByteSink& sink, const BatchBlock& block) {
    if (block.output.empty()) return std::nullopt;
    const auto failure = sink.Write(block.output);
    if (!failure) return std::nullopt;
    // Every answer before the first one cut short reached the output whole.
    const auto whole = std::count(block.output.begin(),
                                  block.output.begin() + static_cast<long>(failure->written), '\n');
    return "standard output: " + failure->reason + "; the answers to input line " +
           std::to_string(block.firstLine + whole) + " and after were not all written";
}

}  // namespace korvanta::batch
