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

// The blocks in flight between the reading thread, the computing threads and
// the writing (calling) thread. Block n lives in slot n % size until it is
// written, so the reader never runs more than the ring's size ahead of the
// writer, whatever the input's size.
class BlockRing {
  public:
    explicit BlockRing(std::size_t size) : slots_(size) {}

    // The reading thread: the slot of block `n` once it is free; null when
    // the batch stops.
    BatchBlock* FreeSlot(long n) {
        Slot& slot = At(n);
        std::unique_lock lock(mutex_);
        freed_.wait(lock, [&] { return stop_ || slot.state == State::Free; });
        return stop_ ? nullptr : &slot.block;
    }
    void Filled(long n) {
        const bool last = At(n).block.last;
        {
            const std::lock_guard lock(mutex_);
            At(n).state = State::Filled;
            ++filled_;
            if (last) inputEnded_ = true;
        }
        // The last block may leave every computing thread without work.
        if (last) {
            filledCv_.notify_all();
        } else {
            filledCv_.notify_one();
        }
    }

    // A computing thread: the next block to answer, or -1 when there is none
    // left or the batch stops.
    long TakeFilled() {
        std::unique_lock lock(mutex_);
        filledCv_.wait(lock, [&] { return stop_ || taken_ < filled_ || inputEnded_; });
        if (stop_ || taken_ == filled_) return -1;
        return taken_++;
    }
    BatchBlock& Block(long n) { return At(n).block; }
    void Answered(long n) {
        {
            const std::lock_guard lock(mutex_);
            At(n).state = State::Answered;
        }
        answeredCv_.notify_one();
    }

    // The writing thread: block `n` once answered.
    BatchBlock& WaitAnswered(long n) {
        Slot& slot = At(n);
        std::unique_lock lock(mutex_);
        answeredCv_.wait(lock, [&] { return slot.state == State::Answered; });
        return slot.block;
    }
    void Written(long n) {
        {
            const std::lock_guard lock(mutex_);
            At(n).state = State::Free;
        }
        freed_.notify_one();
    }

    // Every thread leaves its loop.
    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        freed_.notify_all();
        filledCv_.notify_all();
        answeredCv_.notify_all();
    }

  private:
    enum class State { Free, Filled, Answered };
    struct Slot {
        BatchBlock block;
        State state = State::Free;
    };
    Slot& At(long n) { return slots_[static_cast<std::size_t>(n) % slots_.size()]; }

    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable freed_, filledCv_, answeredCv_;
    long filled_ = 0;  // blocks filled so far: 0 .. filled_ - 1
    long taken_ = 0;   // blocks handed to a computing thread
    bool inputEnded_ = false;
    bool stop_ = false;
};

// One reading thread and `jobs` computing threads; the calling thread writes.
// Empty when the threads could not be started (nothing has been read then).
std::optional<BatchSummary> RunOnThreads(ByteSource& source, ByteSink& sink, int jobs,
                                         const AstronomyOptions& astronomy) {
    // Two blocks a thread: one being answered, one waiting for it.
    BlockRing ring(2 * static_cast<std::size_t>(jobs) + 2);
    std::vector<std::thread> threads;
    auto joinAll = [&threads] {
        for (std::thread& thread : threads) thread.join();
    };
    try {
        for (int k = 0; k < jobs; ++k) {
            threads.emplace_back([&ring, &astronomy] {
                BlockAnswerer answerer(astronomy);
                for (long n = ring.TakeFilled(); n >= 0; n = ring.TakeFilled()) {
                    answerer.Answer(ring.Block(n));
                    ring.Answered(n);
                }
            });
        }
        // Started last, so that no input is read unless every thread runs.
        threads.emplace_back([&ring, &source] {
            BlockReader reader(source);
            for (long n = 0;; ++n) {
                BatchBlock* block = ring.FreeSlot(n);
                if (block == nullptr) return;
                reader.Fill(*block);
                ring.Filled(n);
                if (block->last) return;
            }
        });
    } catch (const std::system_error&) {
        ring.Stop();
        joinAll();
        return std::nullopt;
    }

    BatchSummary summary;
    for (long n = 0;; ++n) {
        const BatchBlock& block = ring.WaitAnswered(n);
        if (auto problem = batch::WriteAnswers(sink, block)) {
            summary.writeError = std::move(problem);
            ring.Stop();
            // The reader may be waiting for input that will never be read.
            source.Interrupt();
            break;
        }
        Account(summary, block);
        const bool last = block.last;
        ring.Written(n);
        if (last) break;
    }
    joinAll();
    return summary;
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
