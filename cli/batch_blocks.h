// SPDX-License-Identifier: GPL-3.0-or-later
// What batch mode is built of: the input cut into blocks of whole lines, and
// a block's answers written in one piece. A block is the unit that the
// threads of `--jobs` share out; the answers of each block are written in
// input order, so the output does not depend on how many threads made it.
#pragma once

#include <cstddef>
#include <ios>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace korvanta::batch {

// A block closes at the first line end past this many input bytes (about a
// hundred records, a millisecond or two of charts), or sooner when the input
// pauses or ends.
inline constexpr std::size_t kBlockBytes = std::size_t{32} << 10;
// ... or after this many lines, so that a block of very short lines still
// keeps its answers (a few kilobytes each) to a few megabytes.
inline constexpr std::size_t kBlockLines = 256;

// One input line of a block.
struct InputLine {
    std::size_t offset = 0;  // where its bytes start in BatchBlock::input
    std::size_t length = 0;  // its length without the line break
    bool tooLong = false;    // past the line limit: its bytes were skipped, `length` counts them
};

struct BatchBlock {
    long firstLine = 1;  // the number of the block's first line, from 1
    std::string input;   // the lines' bytes, line breaks included
    std::vector<InputLine> lines;
    // The input could not be read after these lines: the reason. The line
    // being read is answered with an error object after the others.
    std::optional<std::string> readError;
    bool last = false;  // nothing follows this block

    std::string output;    // the answers, one line each, line breaks included
    long failedLines = 0;  // answers that are error objects

    // The number of the line a read error stops at.
    long ReadErrorLine() const { return firstLine + static_cast<long>(lines.size()); }
};

// Where the input comes from.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes into `data`, waiting for at least one. Returns
    // how many; 0 at the end of the input (or once Interrupt was called). On a
    // read error, `error` gets the system's reason.
    virtual std::size_t Read(char* data, std::size_t size, std::string& error) = 0;
    // Whether more bytes (or the end) can be read without waiting.
    virtual bool Ready() = 0;
    // Makes a Read that waits, or the next one, return 0. Any thread may call it.
    virtual void Interrupt() {}
};

// A file descriptor: a file, pipe, terminal or socket. A read waits in
// poll(2) together with a pipe of its own, so that Interrupt ends the wait.
class DescriptorSource final : public ByteSource {
  public:
    explicit DescriptorSource(int fd);
    ~DescriptorSource() override;
    DescriptorSource(const DescriptorSource&) = delete;
    DescriptorSource& operator=(const DescriptorSource&) = delete;

    std::size_t Read(char* data, std::size_t size, std::string& error) override;
    bool Ready() override;
    void Interrupt() override;

  private:
    int fd_;
    bool regularFile_ = false;  // never makes a reader wait
    int wakeRead_ = -1, wakeWrite_ = -1;
};

// A C++ stream (a string stream in the fuzz target); never waits.
class StreamSource final : public ByteSource {
  public:
    explicit StreamSource(std::istream& in);
    ~StreamSource() override;
    StreamSource(const StreamSource&) = delete;
    StreamSource& operator=(const StreamSource&) = delete;

    std::size_t Read(char* data, std::size_t size, std::string& error) override;
    bool Ready() override { return true; }

  private:
    std::istream& in_;
    std::ios_base::iostate oldExceptions_;
};

// Cuts the input into blocks. A line longer than the limit is never held
// whole: its bytes are counted and dropped as they arrive.
class BlockReader {
  public:
    explicit BlockReader(ByteSource& source) : source_(source) {}

    // Fills `block` with the next lines (its answers left empty): about
    // kBlockBytes of them, fewer when the source has nothing ready, so that
    // a client that sends one record and waits gets its answer, or when the
    // input ends (`last`) or cannot be read (`readError`, `last`).
    void Fill(BatchBlock& block);

  private:
    // Drops the rest of a line past the limit, `counted` bytes of it seen,
    // and records it in `block`. Returns false when the input ended or failed
    // first (the block then says so).
    bool SkipLongLine(BatchBlock& block, std::size_t counted);
    void End(BatchBlock& block, std::string error);

    ByteSource& source_;
    std::string carry_;  // the start of a line whose end was not read yet
    long nextLine_ = 1;
};

// Where the answers go.
class ByteSink {
  public:
    struct Failure {
        std::string reason;       // the system's reason, or "write error"
        std::size_t written = 0;  // bytes known to have been written first
    };
    virtual ~ByteSink() = default;
    virtual std::optional<Failure> Write(std::string_view bytes) = 0;
};

// A file descriptor, written with write(2) until every byte is out.
class DescriptorSink final : public ByteSink {
  public:
    explicit DescriptorSink(int fd) : fd_(fd) {}
    std::optional<Failure> Write(std::string_view bytes) override;

  private:
    int fd_;
};

// A C++ stream, flushed after each block.
class StreamSink final : public ByteSink {
  public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    std::optional<Failure> Write(std::string_view bytes) override;

  private:
    std::ostream& out_;
};

// Writes a block's answers. Empty when all were written; otherwise the
// message naming the first input line whose answer is not whole.
std::optional<std::string> WriteAnswers(ByteSink& sink, const BatchBlock& block);

}  // namespace korvanta::batch
