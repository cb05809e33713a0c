// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The splitting of a loop over threads: the plan of its ranges, coverage, ranges handed out as
// threads come free, threads the system refuses, printed text in one-thread order, failures,
// interrupts, and the thread count that SPARSEMEX_THREADS sets.
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
#include "support/interrupt.hpp"
#include "support/parallel.hpp"
#include "support/reasons.hpp"
#include "support/routine_failure.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/interrupt_hook.hpp"
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

// Every range that forEachRange hands out, in piece order, and how many workers it made.
struct Taken {
    std::vector<Range> ranges;
    int workers = 0;
};

Taken takenBy(std::ptrdiff_t count, double workPerPiece, std::ptrdiff_t grain) {
    std::mutex lock;
    Taken taken;
    parallel::forEachRange(count, workPerPiece, grain, [&] {
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

// The ranges cover 0..count-1 once, in order, every one but the last a multiple of `grain`.
void expectCover(const std::vector<Range>& ranges, std::ptrdiff_t count, std::ptrdiff_t grain) {
    std::ptrdiff_t next = 0;
    for (const Range& range : ranges) {
        EXPECT_EQ(range.first, next);
        EXPECT_LT(range.first, range.last);
        if (range.last != count) {
            EXPECT_EQ(range.last % grain, 0) << range.last;
        }
        EXPECT_EQ(range.worker, range.thread != std::this_thread::get_id());
        next = range.last;
    }
    EXPECT_EQ(next, count);
}

TEST(ForEachRange, CoversEveryPieceOnceInGrainsWithOneWorkerPerThread) {
    for (int count : testthreads::kThreadCounts) {
        ThreadsVariable threads(count);
        for (std::ptrdiff_t pieces : {1, 5, 16, 1001}) {
            for (double work : {kHeavy, 1024.0}) {
                const Taken taken = takenBy(pieces, work, 4);
                const std::ptrdiff_t grains = (pieces + 3) / 4;
                const double affordable = work * pieces / parallel::kWorkPerThread;
                int expectedThreads = static_cast<int>(std::min<std::ptrdiff_t>(count, grains));
                if (affordable < expectedThreads) expectedThreads = static_cast<int>(affordable);
                if (affordable < 2) expectedThreads = 1;
                EXPECT_EQ(taken.workers, expectedThreads) << pieces << " pieces, " << count;
                expectCover(taken.ranges, pieces, 4);
                if (expectedThreads == 1) {
                    ASSERT_EQ(taken.ranges.size(), 1u);  // the whole loop at once
                    EXPECT_EQ(taken.ranges[0].thread, std::this_thread::get_id());
                } else {
                    EXPECT_GE(taken.ranges.size(), static_cast<std::size_t>(expectedThreads));
                }
            }
        }
    }
}

TEST(ForEachRange, SmallWorkAndOneThreadStayOnTheCallingThread) {
    {
        ThreadsVariable threads(7);
        // Twice the work of one thread is the least that may be split.
        const double justBelow = 2 * parallel::kWorkPerThread / 1000 * 0.999;
        const Taken small = takenBy(1000, justBelow, 1);
        ASSERT_EQ(small.ranges.size(), 1u);
        EXPECT_EQ(small.ranges[0].thread, std::this_thread::get_id());
        EXPECT_EQ(takenBy(1000, 2 * parallel::kWorkPerThread / 1000, 1).workers, 2);
        EXPECT_TRUE(takenBy(0, kHeavy, 1).ranges.empty());
    }
    ThreadsVariable one(1);
    const Taken all = takenBy(1000, kHeavy, 1);
    ASSERT_EQ(all.ranges.size(), 1u);
    EXPECT_EQ(all.ranges[0].first, 0);
    EXPECT_EQ(all.ranges[0].last, 1000);
}

// Ranges that a system short of threads leaves to the threads it did start: the same pieces
// once each, and the same text.
TEST(ForEachRange, ThreadsThatCannotStartLeaveTheirRangesToTheOthers) {
    ThreadsVariable threads(7);
    for (int allowed : {0, 1, 3}) {
        testthreads::ThreadStartsAllowed system(allowed);
        const Taken taken = takenBy(1000, kHeavy, 1);
        EXPECT_EQ(taken.workers, allowed + 1);  // the calling thread's and one per started thread
        std::set<std::thread::id> ids;
        for (const Range& range : taken.ranges) ids.insert(range.thread);
        EXPECT_LE(ids.size(), static_cast<std::size_t>(allowed + 1)) << allowed;
        expectCover(taken.ranges, 1000, 1);
    }
}

// The one-thread text of `count` pieces that print "<i>" in two calls each.
std::string piecesText(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "<" + std::to_string(i) + ">";
    return text;
}

const auto printPieces = [](std::ptrdiff_t first, std::ptrdiff_t last) {
    for (std::ptrdiff_t i = first; i < last; ++i) {
        consolePrintf("<%d", static_cast<int>(i));
        std::this_thread::yield();
        consolePrintf(">");
    }
};

TEST(ForEachRange, PrintedTextComesInPieceOrder) {
    takeConsoleOutput();
    for (int count : testthreads::kThreadCounts) {
        ThreadsVariable threads(count);
        for (double work : {kHeavy, 2048.0}) {
            parallel::forEachRange(200, work, 1, [] { return printPieces; });
            EXPECT_EQ(takeConsoleOutput(), piecesText(200)) << count << " threads";
        }
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

// Ctrl-C while threads run: the calling thread sees it between its ranges, the loop fails
// with "interrupted" after the text of the ranges before, and the other threads stop at
// their next range instead of running the loop to its end.
TEST(ForEachRange, AnInterruptStopsEveryThreadAndRaisesInterrupted) {
    const int pieces = 20000;
    takeConsoleOutput();
    for (int count : {2, 7}) {
        ThreadsVariable threads(count);
        std::atomic<int> ran{0};
        const auto printAndCount = [&](std::ptrdiff_t first, std::ptrdiff_t last) {
            printPieces(first, last);
            ran += static_cast<int>(last - first);
        };
        interruptAtPoll(2);
        try {
            parallel::forEachRange(pieces, kHeavy, 1, [&] { return printAndCount; });
            ADD_FAILURE() << "no interrupt raised, " << count << " threads";
        } catch (const RoutineFailure& failure) {
            EXPECT_STREQ(failure.reason(), reason::interrupted);
        }
        interruptAtPoll(0);
        const std::string printed = takeConsoleOutput();
        EXPECT_EQ(printed, piecesText(pieces).substr(0, printed.size())) << count << " threads";
        EXPECT_LT(ran.load(), pieces) << count << " threads";
    }
}

// Ctrl-C while the calling thread, its range done, waits for a worker's long one: the
// worker's own polls fail from then on, and the loop raises "interrupted".
TEST(ForEachRange, AnInterruptWhileWaitingEndsTheWorkersPieceAtItsNextPoll) {
    ThreadsVariable threads(2);
    std::atomic<bool> workerStarted{false}, workerStoppedByItsPoll{false};
    const auto piece = [&](std::ptrdiff_t, std::ptrdiff_t) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        const auto inTime = [&] { return std::chrono::steady_clock::now() < until; };
        if (!parallel::isWorkerThread()) {
            while (!workerStarted && inTime()) std::this_thread::yield();
            return;
        }
        workerStarted = true;
        InterruptPoll poll(1);
        try {
            while (inTime()) poll.tick();
        } catch (const RoutineFailure&) {
            workerStoppedByItsPoll = true;
            throw;
        }
    };
    // Polls of the calling thread: before the threads start, before its range, while waiting.
    interruptAtPoll(3);
    try {
        parallel::forEachRange(2, kHeavy, 1, [&] { return piece; });
        ADD_FAILURE() << "no interrupt raised";
    } catch (const RoutineFailure& failure) {
        EXPECT_STREQ(failure.reason(), reason::interrupted);
    }
    interruptAtPoll(0);
    EXPECT_TRUE(workerStoppedByItsPoll);
}

// The plans of loops up to 2^40 pieces: consecutive ranges from 0 to the end, grain
// multiples, at least a range per thread, and no range longer than its work needs.
TEST(LoopPlan, RangesCutEveryLoopCleanlyUpToItsLastPiece) {
    ThreadsVariable threads(7);
    const std::ptrdiff_t int31 = 2147483647;
    for (std::ptrdiff_t count : {std::ptrdiff_t{1}, std::ptrdiff_t{29}, std::ptrdiff_t{1000},
                                 int31 - 5, int31, int31 + 1, (std::ptrdiff_t{1} << 40) + 3}) {
        for (std::ptrdiff_t grain : {1, 4, 16}) {
            for (double work : {1.0, 300.0, kHeavy}) {
                const parallel::Plan plan = parallel::planLoop(count, work, grain);
                const std::ptrdiff_t ranges = plan.ranges();
                ASSERT_GE(ranges, 1);
                EXPECT_EQ(plan.first(0), 0);
                EXPECT_EQ(plan.last(ranges - 1), count);
                if (plan.threads == 1) {
                    EXPECT_EQ(ranges, 1);
                    continue;
                }
                EXPECT_LE(plan.threads, 7);
                EXPECT_GE(ranges, plan.threads);
                EXPECT_EQ(plan.rangeLength % grain, 0);
                EXPECT_TRUE(plan.rangeLength == grain ||
                            work * (plan.rangeLength - grain) < parallel::kWorkPerRange)
                    << plan.rangeLength;
                // The first and the last thousand ranges, where an overflow would show.
                for (std::ptrdiff_t r = 0; r < ranges;
                     r = (r == 999 && ranges > 2000) ? ranges - 1000 : r + 1) {
                    EXPECT_LT(plan.first(r), plan.last(r));
                    if (r + 1 < ranges) {
                        EXPECT_EQ(plan.last(r), plan.first(r + 1));
                    }
                }
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
    {
        ThreadMark<parallel::CallerThreadCount> mark(parallel::CallerThreadCount{3});
        EXPECT_EQ(parallel::configuredThreads(), 3);
        int elsewhere = 0;
        std::thread([&elsewhere] { elsewhere = parallel::configuredThreads(); }).join();
        EXPECT_EQ(elsewhere, 5);
    }
    EXPECT_EQ(parallel::configuredThreads(), 5);
}

}  // namespace
