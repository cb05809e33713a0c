// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The row-wise routines give the same bits and text whatever the thread count, and each row
// what the vector routine gives it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "host/routine_failure.hpp"
#include "indextree/indextree.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/thread_count.hpp"
#include "tests/support/tree_checks.hpp"

namespace {

using testthreads::Outcome;

std::vector<double> rowOf(const std::vector<double>& M, int rows, int cols, int i) {
    std::vector<double> row(static_cast<std::size_t>(cols));
    for (int j = 0; j < cols; ++j) row[j] = M[i + static_cast<std::size_t>(j) * rows];
    return row;
}

// Enough rows and columns that seven threads each get rows, and a row count that no chunk
// size divides.
const int kRows = 701, kCols = 150;

TEST(RowWiseThreads, TreeproxRowsAreTheVectorResults) {
    std::mt19937_64 rng(31);
    const testtrees::TreePenalty tree = testtrees::randomTree(rng, kCols, true, false);
    const std::vector<double> ind = tree.rangeTable();
    const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(kRows) * kCols);
    const auto run = [&] {
        Outcome outcome{std::vector<double>(V.size(), -7.0), ""};
        treeprox_mt(outcome.values.data(), V.data(), kRows, kCols, ind.data(), tree.nodes());
        outcome.printed = takeConsoleOutput();
        return outcome;
    };
    testthreads::expectSameUnderEveryThreadCount(run);

    testthreads::ThreadsVariable threads(7);
    const std::vector<double> X = run().values;
    for (int i : {0, 1, 349, 350, 699, 700}) {
        const std::vector<double> v = rowOf(V, kRows, kCols, i);
        std::vector<double> x(v.size());
        treeprox(x.data(), v.data(), kCols, ind.data(), tree.nodes());
        EXPECT_EQ(testthreads::bitsOf(rowOf(X, kRows, kCols, i)), testthreads::bitsOf(x)) << i;
    }
}

TEST(RowWiseThreads, CriticalWeightIsTheLargestVectorResult) {
    std::mt19937_64 rng(32);
    const int rows = 61, cols = 90;
    const testtrees::TreePenalty tree = testtrees::randomTree(rng, cols, false, false);
    const std::vector<double> ind = tree.rangeTable();
    const std::vector<double> V = testdata::gaussian(rng, static_cast<std::size_t>(rows) * cols);
    const auto run = [&] {
        Outcome outcome{{-7.0}, ""};
        criticalWeight_mt(&outcome.values[0], V.data(), rows, cols, ind.data(), tree.nodes());
        outcome.printed = takeConsoleOutput();
        return outcome;
    };
    testthreads::expectSameUnderEveryThreadCount(run);

    testthreads::ThreadsVariable threads(7);
    EXPECT_EQ(run().values[0],
              testtrees::largestOverRows(V, rows, cols, [&](const std::vector<double>& row) {
                  double value = 0;
                  criticalWeight(&value, row.data(), cols, ind.data(), tree.nodes());
                  return value;
              }));
}

TEST(RowWiseThreads, ABadL1NodePrintsOnceAndFails) {
    const std::vector<double> ind = {-1, 2, 1};
    const std::vector<double> V(static_cast<std::size_t>(kRows) * kCols, 1.0);
    takeConsoleOutput();
    testthreads::expectSameUnderEveryThreadCount([&] {
        std::vector<double> X(V.size());
        Outcome outcome{{0.0}, ""};
        try {
            treeprox_mt(X.data(), V.data(), kRows, kCols, ind.data(), 1);
        } catch (const RoutineFailure& failure) {
            outcome.values[0] = 1.0;
            EXPECT_STREQ(failure.reason(), "badL1Node");
        }
        outcome.printed = takeConsoleOutput();
        EXPECT_EQ(outcome.printed, "\n Error! \n Check ind");
        return outcome;
    });
}

}  // namespace
