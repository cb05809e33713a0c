// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The splitting of a loop over threads: coverage, the calling thread's share, printed text in
// one-thread order, failures, and the thread count that SPARSEMEX_THREADS sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "host/console.hpp"
#include "host/parallel.hpp"
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

TEST(ForEachChunk, AFailingPieceEndsTheTextAndRaisesTheFirstFailure) {
    // Pieces 20 and 40 fail: one thread prints up to piece 20 and raises its failure. The
    // chunks after it run on their threads, but what they print is dropped.
    const auto failAt = [](std::ptrdiff_t first, std::ptrdiff_t last) {
        for (std::ptrdiff_t i = first; i < last; ++i) {
            consolePrintf("%d,", static_cast<int>(i));
            if (i == 20 || i == 40) throw std::runtime_error("piece " + std::to_string(i));
        }
    };
    std::string expected;
    for (int i = 0; i <= 20; ++i) expected += std::to_string(i) + ",";
    takeConsoleOutput();
    for (int count : testthreads::kThreadCounts) {
        ThreadsVariable threads(count);
        try {
            parallel::forEachChunk(50, kHeavy, failAt);
            ADD_FAILURE() << "no failure raised";
        } catch (const std::runtime_error& failure) {
            EXPECT_EQ(std::string(failure.what()), "piece 20") << count << " threads";
        }
        EXPECT_EQ(takeConsoleOutput(), expected) << count << " threads";
    }
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

    EXPECT_GE(parallel::hardwareThreads(), 1);
    {
        ThreadsVariable threads(5);
        EXPECT_EQ(parallel::configuredThreads(), 5);
    }
    ThreadsVariable invalid("many");
    EXPECT_EQ(parallel::configuredThreads(), parallel::hardwareThreads());
}

}  // namespace
