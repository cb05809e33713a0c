// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A loop of independent pieces (rows, groups) split over threads, with the results of one.
//
// forEachRange cuts the pieces 0..count-1 into consecutive ranges, which the calling thread
// and the threads it starts take in order, each its next as it finishes the last, so that no
// thread waits while another still has a long share. The body computes each piece exactly as
// a plain loop would; a sum or maximum over pieces is the caller's, taken afterwards from
// per-piece results in piece order. So results do not depend on the thread count. Every
// thread is joined before forEachRange returns.
//
// Only the calling thread reaches the host. What a range prints through consolePrintf is held
// and printed by the calling thread after the join, range by range and call by call, so the
// text is that of one thread. A range that throws ends the loop as it would end one thread's:
// no range after it is started, the text of the ranges up to it and its own is printed, then
// its exception is rethrown. Before the threads start, before each of its ranges and while it
// waits for the other threads, the calling thread polls for an interrupt (support/interrupt.hpp);
// one fails the loop as a failure of that range would, and the other threads stop at their
// next range, or sooner where their pieces poll too.
//
// A worker is given what it needs in its task and uses no thread-local storage, whose lazy
// allocation in a loaded module ends the process where memory is short
// (support/thread_marks.hpp). A thread that the system cannot start is no error: its ranges go
// to the threads that did start.
//
// Threads: SPARSEMEX_THREADS when it is a whole number from 1 to kMostThreads, otherwise the
// hardware's count. A call whose estimated work does not repay a thread stays on the calling
// thread without reading either.
#pragma once

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <limits>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/console.hpp"
#include "support/interrupt.hpp"
#include "support/reasons.hpp"
#include "support/routine_failure.hpp"
#include "support/thread_marks.hpp"

namespace parallel {

// Work units (about one floating-point operation on one element each) that one more thread
// must have to repay its start and join.
const double kWorkPerThread = 65536;
// Work units that a range holds when its pieces are cheap: enough that taking it costs
// nothing measurable, few enough that the threads see an interrupt within a millisecond or so.
const double kWorkPerRange = 4 * kWorkPerThread;
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

// A thread count that a host sets for the calls that one thread makes while the mark lives,
// as the Python package's threads= argument does (ThreadMark<CallerThreadCount>).
struct CallerThreadCount {
    int threads;
};

// Threads a call may use: the count its caller's thread set, else SPARSEMEX_THREADS, or the
// hardware's count when it is unset or invalid.
inline int configuredThreads() {
    const CallerThreadCount* caller = ThreadMark<CallerThreadCount>::ofThisThread();
    if (caller != nullptr && caller->threads > 0) return std::min(caller->threads, kMostThreads);
    const int set = parseThreadCount(std::getenv("SPARSEMEX_THREADS"));
    return set > 0 ? set : hardwareThreads();
}

// How a loop over `count` pieces runs: on how many threads, in ranges of how many pieces.
// Range arithmetic is 64-bit throughout, so loops of 2^31 pieces and more cut cleanly.
struct Plan {
    std::ptrdiff_t count = 0;
    int threads = 1;
    std::ptrdiff_t rangeLength = 1;  // every range but the last; with one thread, `count`

    std::ptrdiff_t ranges() const {
        return count <= 0 ? 0 : count / rangeLength + (count % rangeLength != 0);
    }
    std::ptrdiff_t first(std::ptrdiff_t range) const { return range * rangeLength; }
    std::ptrdiff_t last(std::ptrdiff_t range) const {
        const std::ptrdiff_t start = first(range);
        return count - start <= rangeLength ? count : start + rangeLength;
    }
};

// The plan for `count` pieces of `workPerPiece` units each, every range but the last a
// multiple of `grain` pieces: one thread when a second would not pay; otherwise ranges of
// about kWorkPerRange units, and at least one range per thread.
inline Plan planLoop(std::ptrdiff_t count, double workPerPiece, std::ptrdiff_t grain = 1) {
    Plan plan;
    plan.count = std::max<std::ptrdiff_t>(count, 0);
    plan.rangeLength = std::max<std::ptrdiff_t>(plan.count, 1);
    const double work = workPerPiece * static_cast<double>(plan.count);
    if (!(work >= 2 * kWorkPerThread)) return plan;

    grain = std::max<std::ptrdiff_t>(grain, 1);
    const std::ptrdiff_t grains = plan.count / grain + (plan.count % grain != 0);
    std::ptrdiff_t threads = std::min<std::ptrdiff_t>(configuredThreads(), grains);
    const double affordable = work / kWorkPerThread;
    if (affordable < static_cast<double>(threads)) threads = static_cast<std::ptrdiff_t>(affordable);
    if (threads <= 1) return plan;
    plan.threads = static_cast<int>(threads);

    const std::ptrdiff_t evenShare = grains / threads + (grains % threads != 0);
    const double grainsForRangeWork = kWorkPerRange / (workPerPiece * static_cast<double>(grain));
    std::ptrdiff_t grainsPerRange = evenShare;
    if (grainsForRangeWork < static_cast<double>(evenShare))
        grainsPerRange = std::max<std::ptrdiff_t>(
            1, static_cast<std::ptrdiff_t>(std::ceil(grainsForRangeWork)));
    plan.rangeLength = grainsPerRange * grain;
    return plan;
}

namespace detail {

// For tests of a system that refuses threads: when set, it is asked before each start, and
// false is taken as the system's refusal. Set it only while no loop runs.
inline bool (*allowThreadStart)() = nullptr;

// One thread's part of a loop: the thread (none for the calling thread's part), the text its
// ranges printed, and where the text of each range that printed begins.
struct Share {
    std::thread thread;
    std::vector<std::string> texts;
    std::vector<std::pair<std::ptrdiff_t, std::size_t>> starts;  // (range, its first text)
    std::size_t printed = 0;                                     // starts already printed
};

// The ranges of a loop as the threads take them, and what they leave for the calling thread:
// the text of each thread's ranges and the first range (in range order) that failed.
class SharedLoop {
public:
    explicit SharedLoop(const Plan& plan)
        : plan_(plan), ranges_(plan.ranges()), shares_(static_cast<std::size_t>(plan.threads)) {}

    Share& share(int thread) { return shares_[static_cast<std::size_t>(thread)]; }

    // Raised once Ctrl-C has stopped the loop: the workers' own polls then fail too.
    const std::atomic<bool>* interruptedFlag() const { return &interrupted_; }

    // Starts a thread running task(); false when the system refuses it.
    template <class Task>
    bool start(int thread, Task task) noexcept {
        if (allowThreadStart != nullptr && !allowThreadStart()) return false;
        {
            std::lock_guard<std::mutex> hold(lock_);
            ++running_;
        }
        try {
            share(thread).thread = std::thread(std::move(task));
            return true;
        } catch (...) {
            std::lock_guard<std::mutex> hold(lock_);
            --running_;
            return false;
        }
    }

    // Takes ranges in order until none is left or the loop has stopped before them, calling
    // work(first, last) on each with its text held in `share`. With a poll (the calling
    // thread's), an interrupt is looked for before each range.
    template <class Work>
    void take(Work& work, Share& share, InterruptPoll* poll) noexcept {
        const ConsoleHold hold(share.texts);
        for (;;) {
            const std::ptrdiff_t range = next_.fetch_add(1, std::memory_order_relaxed);
            if (range >= ranges_ || range > stop_.load(std::memory_order_acquire)) return;
            const std::size_t held = share.texts.size();
            std::exception_ptr failure;
            try {
                if (poll != nullptr) poll->tick();
                work(plan_.first(range), plan_.last(range));
            } catch (...) {
                failure = std::current_exception();
            }
            try {
                if (share.texts.size() != held) share.starts.emplace_back(range, held);
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
            if (failure) {
                stopAt(range, failure);
                return;
            }
        }
    }

    // A worker's last act: the calling thread may be waiting for it.
    void leave() noexcept {
        {
            std::lock_guard<std::mutex> hold(lock_);
            --running_;
        }
        allLeft_.notify_all();
    }

    // Waits until every worker has left, polling for an interrupt meanwhile: one stops the
    // loop after every range, those still running included.
    void awaitWorkers(InterruptPoll& poll) noexcept {
        std::unique_lock<std::mutex> hold(lock_);
        while (!allLeft_.wait_for(hold, std::chrono::milliseconds(20),
                                  [this] { return running_ == 0; })) {
            if (stop_.load() != kNoStop) continue;
            hold.unlock();
            try {
                poll.tick();
            } catch (...) {
                stopAt(ranges_, std::current_exception());
            }
            hold.lock();
        }
        for (Share& each : shares_)
            if (each.thread.joinable()) each.thread.join();
    }

    // After the join: prints the text of every range up to the one that stopped the loop,
    // in range order, then raises that range's failure.
    void finish() {
        const std::ptrdiff_t stop = stop_.load();
        for (;;) {
            Share* next = nullptr;
            for (Share& each : shares_)
                if (each.printed < each.starts.size() &&
                    (next == nullptr ||
                     each.starts[each.printed].first < next->starts[next->printed].first))
                    next = &each;
            if (next == nullptr || next->starts[next->printed].first > stop) break;
            const std::size_t begin = next->starts[next->printed].second;
            ++next->printed;
            const std::size_t end = next->printed < next->starts.size()
                                        ? next->starts[next->printed].second
                                        : next->texts.size();
            for (std::size_t k = begin; k < end; ++k) consolePrintf("%s", next->texts[k].c_str());
        }
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    static constexpr std::ptrdiff_t kNoStop = std::numeric_limits<std::ptrdiff_t>::max();

    void stopAt(std::ptrdiff_t range, std::exception_ptr failure) noexcept {
        if (isInterrupt(failure)) interrupted_.store(true, std::memory_order_relaxed);
        std::lock_guard<std::mutex> hold(lock_);
        if (range < stop_.load()) {
            stop_.store(range, std::memory_order_release);
            failure_ = std::move(failure);
        }
    }

    static bool isInterrupt(const std::exception_ptr& failure) noexcept {
        try {
            std::rethrow_exception(failure);
        } catch (const RoutineFailure& routineFailure) {
            return std::strcmp(routineFailure.reason(), reason::interrupted) == 0;
        } catch (...) {
            return false;
        }
    }

    const Plan plan_;
    const std::ptrdiff_t ranges_;
    std::vector<Share> shares_;  // by thread, the calling thread's first
    std::atomic<std::ptrdiff_t> next_{0};
    std::atomic<std::ptrdiff_t> stop_{kNoStop};  // the range that failed first
    std::exception_ptr failure_;
    std::atomic<bool> interrupted_{false};
    std::mutex lock_;
    std::condition_variable allLeft_;
    int running_ = 0;  // workers that have not left
};

}  // namespace detail

// Whether this thread is one that forEachRange started: such a thread must not call the host
// (print, poll for an interrupt, raise an error), only compute. It takes a lock: ask once per
// range, not per piece.
inline bool isWorkerThread() { return ThreadMark<LoopWorker>::ofThisThread() != nullptr; }

// Runs every piece 0..plan.count-1 once, as makeWorker()(first, last) on the plan's ranges.
// Each thread makes one worker, which keeps its workspace from range to range, and takes the
// next range whenever it has finished one. With one thread (or where memory is too short to
// share the loop), makeWorker()(0, count) runs on the calling thread, which always makes its
// worker first, as one thread would.
template <class MakeWorker>
void forEachRange(const Plan& plan, const MakeWorker& makeWorker) {
    if (plan.count <= 0) return;
    auto work = makeWorker();
    std::optional<detail::SharedLoop> loop;
    if (plan.threads > 1) {
        try {
            loop.emplace(plan);
        } catch (const std::bad_alloc&) {
        }
    }
    if (!loop) {
        work(std::ptrdiff_t{0}, plan.count);
        return;
    }
    // A Ctrl-C that came before the loop fails it before any thread starts.
    InterruptPoll poll(1);
    poll.tick();
    for (int i = 1; i < plan.threads; ++i) {
        const bool started = loop->start(i, [&shared = *loop, &makeWorker, i] {
            {
                const ThreadMark<LoopWorker> role(LoopWorker{shared.interruptedFlag()});
                try {
                    auto own = makeWorker();
                    shared.take(own, shared.share(i), nullptr);
                } catch (...) {
                    // Its workspace could not be made: the other threads take its ranges.
                }
            }
            shared.leave();
        });
        if (!started) break;  // the system has no more threads to give
    }
    loop->take(work, loop->share(0), &poll);
    loop->awaitWorkers(poll);
    loop->finish();
}

// forEachRange over the plan for `count` pieces of `workPerPiece` units each, in ranges of a
// multiple of `grain` pieces (planLoop).
template <class MakeWorker>
void forEachRange(std::ptrdiff_t count, double workPerPiece, std::ptrdiff_t grain,
                  const MakeWorker& makeWorker) {
    forEachRange(planLoop(count, workPerPiece, grain), makeWorker);
}

}  // namespace parallel
