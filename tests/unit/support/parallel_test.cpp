// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The splitting of a loop over threads: coverage, the calling thread's share, ranges handed
// out as threads come free, printed text in one-thread order, failures, and the thread count
// that SPARSEMEX_THREADS sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/console.hpp"
#include "support/parallel.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/thread_count.hpp"

namespace {

using testthreads::ThreadsVariable;

// Work per piece large enough that every piece could have a thread of its own.
const double kHeavy = 4 * parallel::kWorkPerThread;

struct Range {
    std::ptrdiff_t first, last;
    std::thread::id thread;
    bool worker;
};

std::vector<Range> rangesOf(std::ptrdiff_t count, double workPerPiece, std::ptrdiff_t grain) {
    std::mutex lock;
    std::vector<Range> ranges;
    parallel::forEachChunk(
        count, workPerPiece,
        [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            std::lock_guard<std::mutex> hold(lock);
            ranges.push_back(
                Range{first, last, std::this_thread::get_id(), parallel::isWorkerThread()});
        },
        grain);
    return ranges;
}

TEST(ForEachChunk, CoversEveryPieceOnceInGrainMultiplesOneThreadEach) {
    ThreadsVariable threads(7);
    for (std::ptrdiff_t count : {1, 6, 7, 8, 29, 1000}) {
        for (std::ptrdiff_t grain : {1, 4}) {
            std::vector<Range> ranges = rangesOf(count, kHeavy, grain);
            std::sort(ranges.begin(), ranges.end(),
                      [](const Range& a, const Range& b) { return a.first < b.first; });
            const std::ptrdiff_t units = (count + grain - 1) / grain;
            ASSERT_EQ(ranges.size(), static_cast<std::size_t>(std::min<std::ptrdiff_t>(7, units)))
                << count << " pieces, grain " << grain;
            std::set<std::thread::id> ids;
            std::ptrdiff_t next = 0;
            for (const Range& range : ranges) {
                EXPECT_EQ(range.first, next);
                EXPECT_LT(range.first, range.last);
                if (range.last != count) {
                    EXPECT_EQ(range.last % grain, 0);
                }
                next = range.last;
                ids.insert(range.thread);
                EXPECT_EQ(range.worker, range.thread != std::this_thread::get_id());
            }
            EXPECT_EQ(next, count);
            EXPECT_EQ(ids.size(), ranges.size());  // a thread per chunk
            EXPECT_EQ(ranges[0].thread, std::this_thread::get_id());  // the caller's is first
        }
    }
}

TEST(ForEachChunk, SmallWorkAndOneThreadStayOnTheCallingThread) {
    {
        ThreadsVariable threads(7);
        // Twice the work of one thread is the least that may be split.
        const double justBelow = 2 * parallel::kWorkPerThread / 1000 * 0.999;
        const std::vector<Range> small = rangesOf(1000, justBelow, 1);
        ASSERT_EQ(small.size(), 1u);
        EXPECT_EQ(small[0].thread, std::this_thread::get_id());
        EXPECT_EQ(rangesOf(1000, 2 * parallel::kWorkPerThread / 1000, 1).size(), 2u);
        EXPECT_TRUE(rangesOf(0, kHeavy, 1).empty());
    }
    ThreadsVariable one(1);
    const std::vector<Range> all = rangesOf(1000, kHeavy, 1);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].first, 0);
    EXPECT_EQ(all[0].last, 1000);
}

TEST(ForEachChunk, PrintedTextComesInPieceOrder) {
    const auto printPieces = [](std::ptrdiff_t first, std::ptrdiff_t last) {
        for (std::ptrdiff_t i = first; i < last; ++i) {
            consolePrintf("<%d", static_cast<int>(i));
            std::this_thread::yield();
            consolePrintf(">");
        }
    };
    std::string expected;
    for (int i = 0; i < 50; ++i) expected += "<" + std::to_string(i) + ">";
    takeConsoleOutput();
    for (int count : testthreads::kThreadCounts) {
        ThreadsVariable threads(count);
        parallel::forEachChunk(50, kHeavy, printPieces);
        EXPECT_EQ(takeConsoleOutput(), expected) << count << " threads";
    }
}

// Pieces 20 and 40 fail: one thread prints up to piece 20 and raises its failure. The pieces
// after it may run on other threads, but what they print is dropped.
void printOrFail(std::ptrdiff_t first, std::ptrdiff_t last) {
    for (std::ptrdiff_t i = first; i < last; ++i) {
        consolePrintf("%d,", static_cast<int>(i));
        std::this_thread::yield();
        if (i == 20 || i == 40) throw std::runtime_error("piece " + std::to_string(i));
    }
}

// loop() runs printOrFail over 50 pieces: under every thread count it gives one thread's
// text and failure.
template <class Loop>
void expectOneThreadsFailure(const Loop& loop) {
    std::string expected;
    for (int i = 0; i <= 20; ++i) expected += std::to_string(i) + ",";
    takeConsoleOutput();
    for (int count : testthreads::kThreadCounts) {
        ThreadsVariable threads(count);
        try {
            loop();
            ADD_FAILURE() << "no failure raised";
        } catch (const std::runtime_error& failure) {
            EXPECT_EQ(std::string(failure.what()), "piece 20") << count << " threads";
        }
        EXPECT_EQ(takeConsoleOutput(), expected) << count << " threads";
    }
}

TEST(ForEachChunk, AFailingPieceEndsTheTextAndRaisesTheFirstFailure) {
    expectOneThreadsFailure([] { parallel::forEachChunk(50, kHeavy, printOrFail); });
}

// The ranges forEachRange hands out, and how many workers it made.
struct Taken {
    std::vector<Range> ranges;
    int workers = 0;
};

Taken takenBy(std::ptrdiff_t count, std::ptrdiff_t grain) {
    std::mutex lock;
    Taken taken;
    parallel::forEachRange(count, kHeavy, grain, [&] {
        std::lock_guard<std::mutex> hold(lock);
        ++taken.workers;
        return [&, made = std::this_thread::get_id()](std::ptrdiff_t first, std::ptrdiff_t last) {
            EXPECT_EQ(std::this_thread::get_id(), made);  // a worker stays on its thread
            std::lock_guard<std::mutex> hold(lock);
            taken.ranges.push_back(
                Range{first, last, std::this_thread::get_id(), parallel::isWorkerThread()});
        };
    });
    std::sort(taken.ranges.begin(), taken.ranges.end(),
              [](const Range& a, const Range& b) { return a.first < b.first; });
    return taken;
}

TEST(ForEachRange, CoversEveryPieceOnceInGrainsWithOneWorkerPerThread) {
    for (int count : testthreads::kThreadCounts) {
        ThreadsVariable threads(count);
        for (std::ptrdiff_t pieces : {1, 5, 16, 1001}) {
            const Taken taken = takenBy(pieces, 4);
            const std::ptrdiff_t ranges = (pieces + 3) / 4;
            const int expectedThreads = static_cast<int>(std::min<std::ptrdiff_t>(count, ranges));
            EXPECT_EQ(taken.workers, expectedThreads) << pieces << " pieces, " << count;
            if (expectedThreads == 1) {
                ASSERT_EQ(taken.ranges.size(), 1u);  // the whole loop at once
                EXPECT_EQ(taken.ranges[0].first, 0);
                EXPECT_EQ(taken.ranges[0].last, pieces);
                EXPECT_EQ(taken.ranges[0].thread, std::this_thread::get_id());
                continue;
            }
            ASSERT_EQ(taken.ranges.size(), static_cast<std::size_t>(ranges));
            for (std::ptrdiff_t r = 0; r < ranges; ++r) {
                EXPECT_EQ(taken.ranges[r].first, 4 * r);
                EXPECT_EQ(taken.ranges[r].last, std::min<std::ptrdiff_t>(pieces, 4 * r + 4));
                EXPECT_EQ(taken.ranges[r].worker,
                          taken.ranges[r].thread != std::this_thread::get_id());
            }
        }
    }
}

TEST(ForEachRange, OneSlowRangeLeavesTheOthersToTheOtherThreads) {
    // Range 0 waits until every other range is done: only threads that take ranges as they
    // come free finish them meanwhile (a fixed share would hold some behind range 0).
    ThreadsVariable threads(2);
    std::mutex lock;
    std::condition_variable changed;
    int done = 0;
    bool othersDoneFirst = false;
    parallel::forEachRange(40, kHeavy, 1, [&] {
        return [&](std::ptrdiff_t first, std::ptrdiff_t) {
            std::unique_lock<std::mutex> hold(lock);
            if (first == 0) {
                othersDoneFirst = changed.wait_for(hold, std::chrono::seconds(10),
                                                   [&] { return done == 39; });
            } else {
                ++done;
                changed.notify_all();
            }
        };
    });
    EXPECT_TRUE(othersDoneFirst);
}

TEST(ForEachRange, AFailingRangeEndsTheTextAndRaisesTheFirstFailure) {
    expectOneThreadsFailure(
        [] { parallel::forEachRange(50, kHeavy, 3, [] { return printOrFail; }); });
}

TEST(ForEachRange, AWorkspaceThatCannotBeMadeFailsOnlyOnTheCallingThread) {
    ThreadsVariable threads(7);
    // Workers that cannot make theirs leave their ranges to the calling thread.
    std::vector<int> times(100, 0);
    parallel::forEachRange(100, kHeavy, 1, [&] {
        if (parallel::isWorkerThread()) throw std::bad_alloc();
        return [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            for (std::ptrdiff_t i = first; i < last; ++i) ++times[i];
        };
    });
    EXPECT_EQ(times, std::vector<int>(100, 1));
    // The calling thread's failure is raised, as with one thread.
    const auto failOnCaller = [] {
        if (!parallel::isWorkerThread()) throw std::bad_alloc();
        return [](std::ptrdiff_t, std::ptrdiff_t) {};
    };
    EXPECT_THROW(parallel::forEachRange(100, kHeavy, 1, failOnCaller), std::bad_alloc);
}

TEST(ConsoleHold, HoldsTheTextOfItsThreadOnlyAndNests) {
    takeConsoleOutput();
    std::vector<std::string> outer, inner;
    {
        ConsoleHold holdOuter(outer);
        consolePrintf("a%d", 1);
        {
            ConsoleHold holdInner(inner);
            consolePrintf("b");
        }
        std::thread([] { EXPECT_EQ(consoleHoldOfThisThread(), nullptr); }).join();
        consolePrintf("c");
    }
    consolePrintf("d");
    EXPECT_EQ(outer, (std::vector<std::string>{"a1", "c"}));
    EXPECT_EQ(inner, (std::vector<std::string>{"b"}));
    EXPECT_EQ(takeConsoleOutput(), "d");
}

TEST(ThreadCount, TheVariableSetsItAndAnythingElseMeansTheHardwares) {
    EXPECT_EQ(parallel::parseThreadCount("3"), 3);
    EXPECT_EQ(parallel::parseThreadCount(" 12 "), 12);
    EXPECT_EQ(parallel::parseThreadCount("1"), 1);
    for (const char* invalid : {"", "0", "-2", "two", "3x", "2.5", "99999999999999999999",
                                "1025"})
        EXPECT_EQ(parallel::parseThreadCount(invalid), 0) << invalid;
    EXPECT_EQ(parallel::parseThreadCount(nullptr), 0);

    {
        ThreadsVariable threads(5);
        EXPECT_EQ(parallel::configuredThreads(), 5);
    }
    ThreadsVariable invalid("many");
    EXPECT_EQ(parallel::configuredThreads(), parallel::hardwareThreads());
}

TEST(ThreadCount, ACountSetForThisThreadWinsOnThisThreadOnly) {
    ThreadsVariable threads(5);
    parallel::threadCountOfThisThread() = 3;
    EXPECT_EQ(parallel::configuredThreads(), 3);
    int elsewhere = 0;
    std::thread([&elsewhere] { elsewhere = parallel::configuredThreads(); }).join();
    EXPECT_EQ(elsewhere, 5);
    parallel::threadCountOfThisThread() = 0;
    EXPECT_EQ(parallel::configuredThreads(), 5);
}

}  // namespace
