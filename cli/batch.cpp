// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch.h"

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <iostream>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/batch_answers.h"
#include "cli/batch_blocks.h"
#include "cli/chart_json.h"

namespace korvanta {
namespace {

using batch::BatchBlock;
using batch::BlockAnswerer;
using batch::BlockReader;
using batch::ByteSink;
using batch::ByteSource;

// Counts a written block into the summary.
void Account(BatchSummary& summary, const BatchBlock& block) {
    summary.failedLines += block.failedLines;
    if (block.readError) {
        summary.readError = "standard input: " + *block.readError + " (reading input line " +
                            std::to_string(block.ReadErrorLine()) + ")";
    }
}

// One thread reads, answers and writes each block in turn.
BatchSummary RunInOrder(ByteSource& source, ByteSink& sink, const AstronomyOptions& astronomy) {
    BatchSummary summary;
    BatchBlock block;
    BlockReader reader(source);
    BlockAnswerer answerer(astronomy);
    do {
        reader.Fill(block);
        answerer.Answer(block);
        if (auto problem = batch::WriteAnswers(sink, block)) {
            summary.writeError = std::move(problem);
            break;
        }
        Account(summary, block);
    } while (!block.last);
    return summary;
}

// `jobs` threads, the calling thread one of them, each in turn take the
// next block of input, answer it, and write whatever answered blocks are next
// in input order. The thread that answered a block mostly writes it too, from
// its own cache, and no thread exists only to read or to write: on N CPUs N
// threads compute, and a thread waits only when there is nothing to do. Block
// n lives in slot n % size until it is written, so the reading never runs
// more than the ring's size ahead of the writing, whatever the input's size.
class BlockPipeline {
  public:
    BlockPipeline(ByteSource& source, ByteSink& sink, int jobs)
        : source_(source),
          reader_(source),
          sink_(sink),
          slots_(2 * static_cast<std::size_t>(jobs) + 2) {}

    // Lets the threads begin (none reads any input before).
    void Start() {
        {
            const std::lock_guard lock(mutex_);
            started_ = true;
        }
        readTurn_.notify_all();
    }
    // Makes every thread leave its loop.
    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        readTurn_.notify_all();
    }

    // One thread's work, until the input has ended or the batch stops.
    void Work(const AstronomyOptions& astronomy) {
        BlockAnswerer answerer(astronomy);
        for (;;) {
            long n = 0;
            BatchBlock* block = nullptr;
            {
                std::unique_lock lock(mutex_);
                readTurn_.wait(lock, [&] {
                    return stop_ || inputEnded_ ||
                           (started_ && !reading_ && At(nextRead_).state == State::Free);
                });
                if (stop_ || inputEnded_) return;
                reading_ = true;
                n = nextRead_++;
                At(n).state = State::Taken;
                block = &At(n).block;
            }
            // Outside the lock: the read may wait for a client's next line.
            reader_.Fill(*block);
            {
                const std::lock_guard lock(mutex_);
                reading_ = false;
                if (block->last) inputEnded_ = true;
            }
            if (block->last) {
                readTurn_.notify_all();
            } else {
                readTurn_.notify_one();
            }
            answerer.Answer(*block);
            WriteDue(n);
        }
    }

    BatchSummary Summary() const { return summary_; }

  private:
    enum class State { Free, Taken, Answered };
    struct Slot {
        BatchBlock block;
        State state = State::Free;
    };
    Slot& At(long n) { return slots_[static_cast<std::size_t>(n) % slots_.size()]; }

    // Block `n` is answered: writes it and the answered blocks after it when
    // every block before it is written and no other thread is writing;
    // otherwise leaves it to the thread that writes the block before.
    void WriteDue(long n) {
        std::unique_lock lock(mutex_);
        At(n).state = State::Answered;
        if (writing_) return;
        writing_ = true;
        while (!stop_ && At(nextWrite_).state == State::Answered) {
            Slot& slot = At(nextWrite_);
            lock.unlock();
            auto problem = batch::WriteAnswers(sink_, slot.block);
            if (!problem) Account(summary_, slot.block);
            lock.lock();
            if (problem) {
                summary_.writeError = std::move(problem);
                stop_ = true;
                // A thread may be waiting for input that will never be read.
                source_.Interrupt();
                break;
            }
            slot.state = State::Free;
            ++nextWrite_;
            // The slot is free for the next block to read.
            readTurn_.notify_one();
        }
        writing_ = false;
        if (stop_) {
            lock.unlock();
            readTurn_.notify_all();
        }
    }

    ByteSource& source_;
    BlockReader reader_;  // used by the thread whose turn it is to read
    ByteSink& sink_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable readTurn_;
    long nextRead_ = 0;   // the block to read next
    long nextWrite_ = 0;  // the block to write next
    bool started_ = false;
    bool reading_ = false;     // a thread is reading
    bool writing_ = false;     // a thread is writing
    bool inputEnded_ = false;  // the last block has been read
    bool stop_ = false;
    BatchSummary summary_;  // changed by the writing thread only
};

// Empty when the threads could not be started (nothing has been read then).
std::optional<BatchSummary> RunOnThreads(ByteSource& source, ByteSink& sink, int jobs,
                                         const AstronomyOptions& astronomy) {
    BlockPipeline pipeline(source, sink, jobs);
    std::vector<std::thread> threads;
    auto joinAll = [&threads] {
        for (std::thread& thread : threads) thread.join();
    };
    try {
        for (int k = 1; k < jobs; ++k) {
            threads.emplace_back([&pipeline, &astronomy] { pipeline.Work(astronomy); });
        }
    } catch (const std::system_error&) {
        pipeline.Stop();
        joinAll();
        return std::nullopt;
    }
    pipeline.Start();
    pipeline.Work(astronomy);
    joinAll();
    return pipeline.Summary();
}

}  // namespace

std::string BatchErrorLine(long lineNumber, const std::string& error, const std::string& field) {
    Json object = Json::object();
    object["input_line"] = lineNumber;
    object["error"] = error;
    if (!field.empty()) object["field"] = field;
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

int UsableCpus() {
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    int count = 0;
    if (sched_getaffinity(0, sizeof cpus, &cpus) == 0) count = CPU_COUNT(&cpus);
    // More CPUs than a cpu_set_t holds: the machine's count will do.
    if (count < 1) count = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(count, 1, kMaxBatchJobs);
}

BatchSummary RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options) {
    // The standard streams are read and written through their descriptors:
    // no copy through the streams' buffers, and poll(2) can tell whether more
    // input is ready.
    std::optional<batch::DescriptorSource> descriptorIn;
    std::optional<batch::StreamSource> streamIn;
    ByteSource* source = nullptr;
    if (&in == &std::cin) {
        source = &descriptorIn.emplace(STDIN_FILENO);
    } else {
        source = &streamIn.emplace(in);
    }
    std::optional<batch::DescriptorSink> descriptorOut;
    std::optional<batch::StreamSink> streamOut;
    ByteSink* sink = nullptr;
    if (&out == &std::cout) {
        std::cout.flush();
        sink = &descriptorOut.emplace(STDOUT_FILENO);
    } else {
        sink = &streamOut.emplace(out);
    }
    if (options.jobs > 1) {
        if (auto summary = RunOnThreads(*source, *sink, std::min(options.jobs, kMaxBatchJobs),
                                        options.astronomy)) {
            return *summary;
        }
    }
    return RunInOrder(*source, *sink, options.astronomy);
}

}  // namespace korvanta
