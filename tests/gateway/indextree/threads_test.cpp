// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// A threaded module through the host: the same outputs and text under any SPARSEMEX_THREADS,
// what workers print reaches the host from the calling thread, and no thread outlives a call.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#if defined(__linux__)
#include <dirent.h>
#endif

#include "tests/gateway/support/modules.hpp"
#include "tests/support/random.hpp"
#include "tests/support/thread_count.hpp"

namespace {

using mexhost::Array;

// The threads of this process, where the system tells (-1 elsewhere).
int threadsOfProcess() {
#if defined(__linux__)
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return -1;
    int count = 0;
    while (dirent* entry = readdir(tasks))
        if (entry->d_name[0] != '.') ++count;
    closedir(tasks);
    return count;
#else
    return -1;
#endif
}

const int kRows = 600, kCols = 300;

TEST(ThreadedModule, SameOutputsUnderAnyThreadCountAndNoThreadLeftBehind) {
    std::mt19937_64 rng(71);
    const Array V = Array::matrix(kRows, kCols,
                                  testdata::gaussian(rng, static_cast<std::size_t>(kRows) * kCols));
    const Array rows = Array::scalar(kRows), cols = Array::scalar(kCols);
    const Array ind = Array::matrix(3, 3, {-1, -1, 0.2, 1, 100, 3, 1, kCols, 5});
    const Array nodes = Array::scalar(3);
    const mexhost::Module& module = modules::get("treeprox_mt");

    // A first threaded call lets the process start whatever threads of its own it keeps (a
    // sanitizer's, for one); calls after it must leave the count as they found it.
    {
        testthreads::ThreadsVariable threads(7);
        module.call(1, {&V, &rows, &cols, &ind, &nodes});
    }
    const int before = threadsOfProcess();
    std::vector<Array> results;
    for (int count : testthreads::kThreadCounts) {
        testthreads::ThreadsVariable threads(count);
        mexhost::CallResult result = module.call(1, {&V, &rows, &cols, &ind, &nodes});
        EXPECT_EQ(result.printed, "");
        results.push_back(std::move(result.outputs[0]));
        EXPECT_EQ(threadsOfProcess(), before) << count << " threads";
    }
    for (const Array& result : results) EXPECT_TRUE(result.sameAs(results[0]));
}

TEST(ThreadedModule, TextPrintedInRowsReachesTheHostOnceBeforeTheError) {
    const Array V = Array::matrix(kRows, kCols, std::vector<double>(kRows * kCols, 1.0));
    const Array rows = Array::scalar(kRows), cols = Array::scalar(kCols);
    const Array ind = Array::column({-1, 2, 1}), nodes = Array::scalar(1);
    for (int count : testthreads::kThreadCounts) {
        testthreads::ThreadsVariable threads(count);
        const mexhost::HostError error = modules::expectError(
            modules::get("treeprox_mt"), 1, {&V, &rows, &cols, &ind, &nodes},
            "treeprox_mt:badL1Node");
        EXPECT_EQ(error.printed(), "\n Error! \n Check ind") << count << " threads";
    }
}

}  // namespace
