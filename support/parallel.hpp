// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A loop of independent pieces (rows, groups) split over threads, with the results of one.
//
// forEachChunk splits the pieces 0..count-1 into contiguous chunks, one per thread; the
// calling thread takes the first chunk and starts a std::thread for each other, all joined
// before it returns, so no thread outlives the call. The body computes each piece exactly as
// a plain loop would; a sum or maximum over pieces is the caller's, taken afterwards from
// per-piece results in piece order. So results do not depend on the thread count.
//
// Only the calling thread reaches the host. What another chunk prints through consolePrintf
// is held (support/console.hpp) and printed by the calling thread after the join, chunk by chunk
// and call by call, so the text is that of one thread. A chunk that throws stops there, as
// the loop would: the text of the chunks before it and its own is printed, then its exception
// is rethrown. A thread that cannot be started leaves its chunk to the calling thread.
//
// forEachRange is the same loop for pieces whose cost varies: the pieces are cut into ranges
// of `grain` pieces, which the threads take in order, each its next as it finishes the last,
// so that no thread waits while another still has a long share. Text and failures come out
// as one thread would give them, range by range.
//
// Threads: SPARSEMEX_THREADS when it is a whole number from 1 to kMostThreads, otherwise the
// hardware's count. A call whose estimated work does not repay a thread stays on the calling
// thread without reading either.
#pragma once

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "support/console.hpp"

namespace parallel {

// Work units (about one floating-point operation on one element each) that one more thread
// must have to repay its start and join.
const double kWorkPerThread = 65536;
const int kMostThreads = 1024;

inline int hardwareThreads() {
    static const int count = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return count;
}

// The thread count that a text sets: a whole number from 1 to kMostThreads, blanks around it
// allowed; 0 for anything else.
inline int parseThreadCount(const char* text) {
    if (text == nullptr) return 0;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || errno != 0) return 0;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0' || value < 1 || value > kMostThreads) return 0;
    return static_cast<int>(value);
}

// A thread count that a host sets for the calls it makes on this thread (0: none set), as
// the Python package's threads= argument does.
inline int& threadCountOfThisThread() {
    static thread_local int count = 0;
    return count;
}

// Threads a call may use: the count set for this thread, else SPARSEMEX_THREADS, or the
// hardware's count when it is unset or invalid.
inline int configuredThreads() {
    if (threadCountOfThisThread() > 0) return std::min(threadCountOfThisThread(), kMostThreads);
    const int set = parseThreadCount(std::getenv("SPARSEMEX_THREADS"));
    return set > 0 ? set : hardwareThreads();
}

// How many chunks `count` pieces of `workPerPiece` units each are split into, at most one per
// `grain` pieces: 1 when a second thread would not pay.
inline int chunkCount(std::ptrdiff_t count, double workPerPiece, std::ptrdiff_t grain) {
    const double work = workPerPiece * static_cast<double>(count);
    if (!(work >= 2 * kWorkPerThread)) return 1;
    const std::ptrdiff_t units = (count + grain - 1) / grain;
    const double affordable = work / kWorkPerThread;
    std::ptrdiff_t threads = configuredThreads();
    threads = std::min(threads, units);
    if (affordable < static_cast<double>(threads)) threads = static_cast<std::ptrdiff_t>(affordable);
    return static_cast<int>(std::max<std::ptrdiff_t>(threads, 1));
}

namespace detail {

inline bool& workerFlag() {
    static thread_local bool worker = false;
    return worker;
}

}  // namespace detail

// Whether this thread is one that forEachChunk started: such a thread must not call the host
// (print, poll for an interrupt, raise an error), only compute.
inline bool isWorkerThread() { return detail::workerFlag(); }

namespace detail {

struct Chunk {
    std::ptrdiff_t first = 0;
    std::ptrdiff_t last = 0;
    std::vector<std::string> texts;  // what the chunk printed, call by call, held for the caller
    std::exception_ptr failure;
};

template <class Body>
void runHeld(Chunk& chunk, const Body& body) noexcept {
    try {
        ConsoleHold hold(chunk.texts);
        body(chunk.first, chunk.last);
    } catch (...) {
        chunk.failure = std::current_exception();
    }
}

template <class Body>
void runChunks(std::vector<Chunk>& chunks, const Body& body) {
    std::vector<std::thread> workers;
    std::vector<std::size_t> leftOver;  // chunks whose thread could not be started
    workers.reserve(chunks.size() - 1);
    leftOver.reserve(chunks.size() - 1);
    for (std::size_t i = 1; i < chunks.size(); ++i) {
        try {
            workers.emplace_back([&body, &chunk = chunks[i]] {
                workerFlag() = true;
                runHeld(chunk, body);
            });
        } catch (const std::system_error&) {
            leftOver.push_back(i);
        }
    }
    // The first chunk prints as it goes: nothing comes before it.
    try {
        body(chunks[0].first, chunks[0].last);
    } catch (...) {
        chunks[0].failure = std::current_exception();
    }
    for (std::size_t i : leftOver) runHeld(chunks[i], body);
    for (std::thread& worker : workers) worker.join();

    for (std::size_t i = 0; i < chunks.size(); ++i) {
        for (const std::string& text : chunks[i].texts) consolePrintf("%s", text.c_str());
        if (chunks[i].failure) std::rethrow_exception(chunks[i].failure);
    }
}

}  // namespace detail

// Calls body(first, last) on `chunks` contiguous ranges (fewer when there are fewer grains)
// that cover 0..count-1 once, each range on its own thread, every range but the last a
// multiple of `grain` pieces long. With one chunk, body(0, count) runs on the calling thread.
template <class Body>
void forEachOfChunks(int chunks, std::ptrdiff_t count, const Body& body, std::ptrdiff_t grain = 1) {
    if (count <= 0) return;
    grain = std::max<std::ptrdiff_t>(grain, 1);
    chunks = static_cast<int>(std::min<std::ptrdiff_t>(chunks, (count + grain - 1) / grain));
    if (chunks <= 1) {
        body(std::ptrdiff_t{0}, count);
        return;
    }
    const std::ptrdiff_t units = (count + grain - 1) / grain;
    std::vector<detail::Chunk> ranges(static_cast<std::size_t>(chunks));
    for (int i = 0; i < chunks; ++i) {
        ranges[i].first = std::min(count, units * i / chunks * grain);
        ranges[i].last = std::min(count, units * (i + 1) / chunks * grain);
    }
    detail::runChunks(ranges, body);
}

// forEachOfChunks with as many chunks as the work repays: workPerPiece estimates one piece's
// cost in the units of kWorkPerThread.
template <class Body>
void forEachChunk(std::ptrdiff_t count, double workPerPiece, const Body& body,
                  std::ptrdiff_t grain = 1) {
    if (count <= 0) return;
    forEachOfChunks(chunkCount(count, workPerPiece, std::max<std::ptrdiff_t>(grain, 1)), count,
                    body, grain);
}

namespace detail {

// The ranges of forEachRange and what they leave for the calling thread: the text that
// ranges printed, kept by each thread with its range, and the first range (in range order)
// that failed.
class SharedRanges {
public:
    SharedRanges(std::ptrdiff_t count, std::ptrdiff_t grain, int threads)
        : count_(count), grain_(grain), ranges_((count + grain - 1) / grain),
          held_(static_cast<std::size_t>(threads)), failed_(ranges_) {}

    // Takes ranges in order until none is left or one before them failed, calling
    // work(first, last) on each with its text held for thread number `thread`.
    template <class Work>
    void take(Work& work, int thread) {
        std::vector<HeldText>& held = held_[static_cast<std::size_t>(thread)];
        for (;;) {
            const std::ptrdiff_t range = next_.fetch_add(1);
            if (range >= ranges_ || range > failed_.load()) return;
            std::vector<std::string> texts;
            std::exception_ptr failure;
            try {
                ConsoleHold hold(texts);
                work(range * grain_, std::min(count_, (range + 1) * grain_));
            } catch (...) {
                failure = std::current_exception();
            }
            try {
                if (!texts.empty()) held.push_back(HeldText{range, std::move(texts)});
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
            if (failure) {
                fail(range, failure);
                return;
            }
        }
    }

    // Prints the text of every range up to the first that failed, then raises its failure.
    void finish() {
        std::vector<HeldText> all;
        for (std::vector<HeldText>& held : held_)
            for (HeldText& text : held)
                if (text.range <= failed_.load()) all.push_back(std::move(text));
        std::sort(all.begin(), all.end(),
                  [](const HeldText& a, const HeldText& b) { return a.range < b.range; });
        for (const HeldText& text : all)
            for (const std::string& call : text.calls) consolePrintf("%s", call.c_str());
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    struct HeldText {
        std::ptrdiff_t range;
        std::vector<std::string> calls;
    };

    void fail(std::ptrdiff_t range, std::exception_ptr failure) {
        std::lock_guard<std::mutex> hold(lock_);
        if (range < failed_.load()) {
            failed_.store(range);
            failure_ = failure;
        }
    }

    const std::ptrdiff_t count_, grain_, ranges_;
    std::vector<std::vector<HeldText>> held_;  // by thread, each in range order
    std::atomic<std::ptrdiff_t> next_{0};
    std::atomic<std::ptrdiff_t> failed_;  // ranges_ while none has failed
    std::mutex lock_;
    std::exception_ptr failure_;
};

}  // namespace detail

// Runs every piece 0..count-1 once, as makeWorker()(first, last) on consecutive ranges of
// `grain` pieces (the last may be shorter). Each thread makes one worker, which keeps its
// workspace from range to range, and takes the next range whenever it has finished one.
// workPerPiece estimates one piece's cost, as for forEachChunk; the threads forEachChunk
// would use are the threads here. With one thread, makeWorker()(0, count) runs on the
// calling thread. A failing range is raised after the ranges before it are done and their
// text printed; no range after it is started once it has failed, and the text of those
// started before is dropped.
template <class MakeWorker>
void forEachRange(std::ptrdiff_t count, double workPerPiece, std::ptrdiff_t grain,
                  const MakeWorker& makeWorker) {
    if (count <= 0) return;
    grain = std::max<std::ptrdiff_t>(grain, 1);
    const int threads = chunkCount(count, workPerPiece, grain);
    if (threads <= 1) {
        auto work = makeWorker();
        work(std::ptrdiff_t{0}, count);
        return;
    }
    detail::SharedRanges ranges(count, grain, threads);
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(threads - 1));
    for (int i = 1; i < threads; ++i) {
        try {
            workers.emplace_back([&, i] {
                detail::workerFlag() = true;
                try {
                    auto work = makeWorker();
                    ranges.take(work, i);
                } catch (...) {
                    // Its workspace could not be made: the other threads take its ranges.
                }
            });
        } catch (const std::system_error&) {
            break;  // its ranges go to the threads that did start
        }
    }
    const auto joinAll = [&workers] {
        for (std::thread& worker : workers) worker.join();
    };
    try {
        auto work = makeWorker();
        ranges.take(work, 0);
    } catch (...) {
        joinAll();  // the calling thread could not make its workspace, as one thread could not
        throw;
    }
    joinAll();
    ranges.finish();
}

}  // namespace parallel
