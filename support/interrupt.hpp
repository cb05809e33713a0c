// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Interrupting long calls.
//
// A routine that may run for seconds polls for a pending interrupt (Ctrl-C) through an
// InterruptPoll and fails with reason "interrupted" when one is pending; the gateway raises
// it as "<module>:interrupted", like any other failure. Each build links one definition of
// interruptRequested: Octave's pending-signal flag in an Octave module, always false in a
// MATLAB module (MATLAB documents no way for compiled code to see Ctrl-C), a hook of the
// embedded host in its modules, and one of the unit tests' support.
//
// Polls belong to the thread that calls the module: on any other thread (a worker of a
// row-wise module), the hosts' interruptRequested says false. A worker's polls see instead
// whether its loop has been interrupted on the calling thread (support/parallel.hpp), so that a
// long piece ends soon after Ctrl-C rather than at its end.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>

#include "support/routine_failure.hpp"
#include "support/thread_marks.hpp"

bool interruptRequested();

// The mark of a thread that a threaded loop started: the flag by which the loop tells it
// that Ctrl-C has stopped the loop.
struct LoopWorker {
    const std::atomic<bool>* interrupted;
};

// Whether this thread is a loop's worker and its loop has been interrupted.
inline bool loopInterrupted() {
    const LoopWorker* worker = ThreadMark<LoopWorker>::ofThisThread();
    return worker != nullptr && worker->interrupted->load(std::memory_order_relaxed);
}

// Counts work and asks interruptRequested once per kInterval units of it, so that a poll in
// a loop costs nothing measurable.
class InterruptPoll {
public:
    static constexpr long long kInterval = 1 << 16;

    explicit InterruptPoll(long long interval = kInterval)
        : interval_(interval), countdown_(interval) {}

    // Records `work` units (elements touched, say); fails the call if an interrupt is pending
    // when the count passes the interval.
    void tick(long long work = 1) {
        countdown_ -= work;
        if (countdown_ <= 0) {
            countdown_ = interval_;
            if (interruptRequested() || loopInterrupted())
                throw RoutineFailure(reason::interrupted, "interrupted by the user");
        }
    }

private:
    long long interval_;
    long long countdown_;
};

// Work counted here and handed to a poll held elsewhere once an interval's worth has gathered:
// a loop that ticked the poll behind a reference at every step would read and write its
// count in memory each time, which slows a short step measurably.
class PollBatch {
public:
    explicit PollBatch(InterruptPoll& poll) : poll_(poll) {}
    void add(long long work) {
        pending_ += work;
        if (pending_ >= InterruptPoll::kInterval) handOver();
    }
    // Ticks the poll with what has gathered (which may fail the call).
    void handOver() {
        const long long work = pending_;
        pending_ = 0;
        poll_.tick(work);
    }

private:
    InterruptPoll& poll_;
    long long pending_ = 0;
};

// Calls body(first, last) on consecutive stretches of the items begin..end-1, each of about
// one poll interval's work (workPerItem units an item), and ticks the poll after each: for
// loops so short per item that a tick in them would cost time of its own.
template <class Body>
void forEachPolledStretch(std::ptrdiff_t begin, std::ptrdiff_t end, long long workPerItem,
                          InterruptPoll& poll, const Body& body) {
    const long long perStretch = InterruptPoll::kInterval / std::max(1LL, workPerItem);
    const auto items = static_cast<std::ptrdiff_t>(std::max(1LL, perStretch));
    for (std::ptrdiff_t first = begin; first < end;) {
        const std::ptrdiff_t last = end - first > items ? first + items : end;
        body(first, last);
        poll.tick(static_cast<long long>(last - first) * workPerItem);
        first = last;
    }
}
