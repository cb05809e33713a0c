// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The row-wise routines over index lists give the same bits whatever the thread count, and
// each row what the vector routine gives it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "generaltree/generaltree.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/thread_count.hpp"
#include "tests/support/tree_checks.hpp"

namespace {

using testthreads::Outcome;

TEST(GeneralRowWiseThreads, TreeproxRowsAreTheVectorResults) {
    std::mt19937_64 rng(41);
    const int rows = 697, cols = 160;
    const testtrees::TreePenalty tree = testtrees::randomTree(rng, cols, true, true);
    std::vector<double> G;
    const std::vector<double> ind = tree.listTable(&G);
    const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(rows) * cols);
    const auto run = [&] {
        Outcome outcome{std::vector<double>(V.size(), -7.0), ""};
        general_treeprox_mt(outcome.values.data(), V.data(), rows, cols, G.data(), ind.data(),
                            tree.nodes());
        outcome.printed = takeConsoleOutput();
        return outcome;
    };
    testthreads::expectSameUnderEveryThreadCount(run);

    testthreads::ThreadsVariable threads(7);
    const std::vector<double> X = run().values;
    for (int i : {0, 348, 696}) {
        std::vector<double> v(cols), x(cols), got(cols);
        for (int j = 0; j < cols; ++j) {
            v[j] = V[i + static_cast<std::size_t>(j) * rows];
            got[j] = X[i + static_cast<std::size_t>(j) * rows];
        }
        general_treeprox(x.data(), v.data(), cols, G.data(), ind.data(), tree.nodes());
        EXPECT_EQ(testthreads::bitsOf(got), testthreads::bitsOf(x)) << i;
    }
}

TEST(GeneralRowWiseThreads, CriticalWeightIsTheLargestVectorResult) {
    std::mt19937_64 rng(42);
    const int rows = 58, cols = 80;
    const testtrees::TreePenalty tree = testtrees::randomTree(rng, cols, true, true);
    std::vector<double> G;
    const std::vector<double> ind = tree.listTable(&G);
    const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(rows) * cols);
    const auto run = [&] {
        Outcome outcome{{-7.0}, ""};
        general_criticalWeight_mt(&outcome.values[0], V.data(), rows, cols, G.data(), ind.data(),
                                  tree.nodes());
        outcome.printed = takeConsoleOutput();
        return outcome;
    };
    testthreads::expectSameUnderEveryThreadCount(run);

    testthreads::ThreadsVariable threads(7);
    EXPECT_EQ(run().values[0],
              testtrees::largestOverRows(V, rows, cols, [&](const std::vector<double>& row) {
                  double value = 0;
                  general_criticalWeight(&value, row.data(), cols, G.data(), ind.data(),
                                         tree.nodes());
                  return value;
              }));
}

}  // namespace
