// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The row-wise routines of both indexings give the same bits and text whatever the thread
// count, and each row what the vector routine gives it.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <random>
#include <utility>
#include <vector>

#include "support/routine_failure.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/thread_count.hpp"
#include "tests/support/tree_checks.hpp"
#include "tests/unit/treetable/indexing.hpp"
#include "treetable/matrix_rows.hpp"

namespace {

using testthreads::Outcome;
using treeindexing::Calls;

TREE_INDEXING_SUITE(RowWiseThreads);

// Enough rows and columns that seven threads each get rows, and a row count that no chunk
// size divides.
const int kRows = 701, kCols = 160;

TYPED_TEST(RowWiseThreads, TreeproxRowsAreTheVectorResults) {
    using C = Calls<TypeParam>;
    std::mt19937_64 rng(31);
    const testtrees::TreePenalty tree =
        testtrees::randomTree(rng, kCols, true, TypeParam::kAnyLists);
    const treeindexing::Table table = TypeParam::tableOf(tree);
    const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(kRows) * kCols);
    const auto run = [&] {
        Outcome outcome{C::proxRows(V, kRows, kCols, table), ""};
        outcome.printed = takeConsoleOutput();
        return outcome;
    };
    testthreads::expectSameUnderEveryThreadCount(run);

    testthreads::ThreadsVariable threads(7);
    const std::vector<double> X = run().values;
    for (int i : {0, 1, 348, 349, 350, 699, 700}) {
        const std::vector<double> x = C::prox(testtrees::rowOf(V, kRows, kCols, i), table);
        EXPECT_EQ(testthreads::bitsOf(testtrees::rowOf(X, kRows, kCols, i)),
                  testthreads::bitsOf(x))
            << i;
    }
}

// Trees with and without an L1 node, over Gaussian and awkward rows.
TYPED_TEST(RowWiseThreads, CriticalWeightIsTheLargestVectorResult) {
    using C = Calls<TypeParam>;
    std::mt19937_64 rng(32);
    for (bool withL1 : {false, true}) {
        const int rows = withL1 ? 58 : 61, cols = withL1 ? 80 : 90;
        const testtrees::TreePenalty tree =
            testtrees::randomTree(rng, cols, withL1, TypeParam::kAnyLists);
        const treeindexing::Table table = TypeParam::tableOf(tree);
        const std::size_t size = static_cast<std::size_t>(rows) * cols;
        const std::vector<double> V =
            withL1 ? testdata::awkward(rng, size) : testdata::gaussian(rng, size);
        const auto run = [&] {
            Outcome outcome{{C::criticalRows(V, rows, cols, table)}, ""};
            outcome.printed = takeConsoleOutput();
            return outcome;
        };
        testthreads::expectSameUnderEveryThreadCount(run);

        testthreads::ThreadsVariable threads(7);
        EXPECT_EQ(run().values[0],
                  testtrees::largestOverRows(V, rows, cols, [&](const std::vector<double>& row) {
                      return C::critical(row, table);
                  }));
    }
}

TYPED_TEST(RowWiseThreads, ABadL1NodePrintsOnceAndFails) {
    const treeindexing::Table table = Calls<TypeParam>::ranges({-1, 2, 1}, 1, kCols);
    const std::vector<double> V(static_cast<std::size_t>(kRows) * kCols, 1.0);
    takeConsoleOutput();
    testthreads::expectSameUnderEveryThreadCount([&] {
        std::vector<double> X(V.size());
        Outcome outcome{{0.0}, ""};
        try {
            TypeParam::proxRows(X.data(), V.data(), kRows, kCols, table);
        } catch (const RoutineFailure& failure) {
            outcome.values[0] = 1.0;
            EXPECT_STREQ(failure.reason(), "badL1Node");
        }
        outcome.printed = takeConsoleOutput();
        EXPECT_EQ(outcome.printed, "\n Error! \n Check ind");
        return outcome;
    });
}

// Rows without columns, as many as an int counts: every row is the same empty vector, so the
// largest critical weight is that of one empty vector and the operator writes nothing. Neither
// may walk the 2^31 rows (which took minutes and, on threads, overran an int row index).
TYPED_TEST(RowWiseThreads, TheMostRowsWithoutColumnsNeedNoPassOverThem) {
    using C = Calls<TypeParam>;
    const std::vector<double> none;
    testthreads::ThreadsVariable threads(7);
    EXPECT_EQ(C::criticalRows(none, INT_MAX, 0, {-1, -1, 1}, 1), C::critical(none, {-1, -1, 1}, 1));
    EXPECT_TRUE(C::proxRows(none, INT_MAX, 0, {-1, -1, 1}, 1).empty());
}

// The blocks of rows at the very end of the int range: indices past it must not wrap.
TEST(RowBlocks, TheLastRowsOfTheIntRangeComeInBlocksThatEndThere) {
    treetable::RowBlock block(0);
    std::vector<std::pair<std::ptrdiff_t, int>> visited;
    treetable::forEachRowBlock(nullptr, INT_MAX, 0, std::ptrdiff_t{INT_MAX} - 6, INT_MAX, block,
                               [&](double* const*, std::ptrdiff_t first, int count) {
                                   visited.emplace_back(first, count);
                                   ASSERT_LT(visited.size(), 3u);
                               });
    const std::vector<std::pair<std::ptrdiff_t, int>> expected = {
        {std::ptrdiff_t{INT_MAX} - 6, 4}, {std::ptrdiff_t{INT_MAX} - 2, 2}};
    EXPECT_EQ(visited, expected);
}

}  // namespace
