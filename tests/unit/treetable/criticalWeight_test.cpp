// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The critical weight of both indexings, of a vector and over the rows of a matrix.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "support/routine_failure.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/tree_checks.hpp"
#include "tests/unit/treetable/indexing.hpp"

namespace {

using treeindexing::Calls;
using treeindexing::kInf;
using treeindexing::kNan;

TREE_INDEXING_SUITE(CriticalWeight);

TYPED_TEST(CriticalWeight, WorkedExamples) {
    using C = Calls<TypeParam>;
    // The first estimate 5 gives zero; halving finds 2.5 non-zero; the bisection keeps 5.
    EXPECT_EQ(C::critical({3, 4}, {1, 2, 1}, 1), 5.0);
    // Doubling from sqrt(5) finds zero at 2 sqrt(5); the bisection ends just above 3.
    const double lambda = C::critical({1, -3}, {-1, -1, 1}, 1);
    EXPECT_GE(lambda, 3.0);
    EXPECT_LE(lambda, 3.0 + 3e-10);
}

TYPED_TEST(CriticalWeight, DecidedAnswersWhereNoSearchCouldEnd) {
    using C = Calls<TypeParam>;
    // Empty or zero v: every factor gives zero.
    EXPECT_EQ(C::critical({}, {1, 0, 1}, 1), 0.0);
    EXPECT_EQ(C::critical({0, -0.0, 0}, {1, 3, 1}, 1), 0.0);
    // A non-zero entry that no node reaches, without an L1 node: no factor gives zero.
    EXPECT_EQ(C::critical({1, 2}, {1, 1, 1}, 1), kInf);
    EXPECT_EQ(C::critical({1, 2}, {1, 2, 1}, 0), kInf);
    EXPECT_EQ(C::critical({0, 2}, {2, 2, 1}, 1), 2.0);  // the unreached entry is zero
    // Every weight zero.
    EXPECT_EQ(C::critical({1, 2}, {-1, -1, 0, 1, 2, 0}, 2), kInf);
    // With an L1 node every entry is reached.
    EXPECT_NEAR(C::critical({0, 2}, {-1, -1, 1}, 1), 2.0, 1e-9);
}

// Inputs that make the search unable to bracket the answer still end.
TYPED_TEST(CriticalWeight, EndsOnInputsItCannotBracket) {
    using C = Calls<TypeParam>;
    // A negative weight scales its group up at every factor, even infinite ones.
    EXPECT_EQ(C::critical({1, 2}, {1, 2, -1}, 1), kInf);
    // Squares that underflow: the group's length is taken in scaled form.
    EXPECT_NEAR(C::critical({1e-170, -1e-170}, {1, 2, 1}, 1), std::sqrt(2.0) * 1e-170, 1e-179);
    // A subnormal answer: the bisection stops when no factor lies between its ends.
    EXPECT_EQ(C::critical({4e-320}, {-1, -1, 1}, 1), 4e-320);
    // Squares that overflow: the first estimate is infinite, the answer is not.
    const double lambda = C::critical({1e200, -3e200}, {-1, -1, 1}, 1);
    EXPECT_GE(lambda, 3e200);
    EXPECT_LE(lambda, 3e200 * (1 + 1e-10));
    // Garbage weights and entries: only that it ends.
    for (double w : {kNan, kInf, -kInf, DBL_MAX, DBL_MIN, 4e-320}) {
        C::critical({1, -2, 3}, {-1, -1, w, 1, 2, 1}, 2);
        C::critical({1, -2, 3}, {1, 3, w, 2, 3, 1}, 2);
        C::critical({kNan, kInf, 1}, {1, 3, w}, 1);
    }
}

TYPED_TEST(CriticalWeight, BadL1NodeFailsEvenWhenTheAnswerIsKnown) {
    takeConsoleOutput();
    EXPECT_THROW(Calls<TypeParam>::critical({}, {-1, 2, 1}, 1), RoutineFailure);
    EXPECT_EQ(takeConsoleOutput(), "\n Error! \n Check ind");
}

// On random trees that reach every entry, the result is the smallest factor that gives zero.
// Every other tree gets a group of all positions (in reverse order where the indexing allows
// it); the rest of the trees with an L1 node rely on it alone to reach every entry.
TYPED_TEST(CriticalWeight, IsTheSmallestFactorGivingZero) {
    std::mt19937_64 rng(77);
    int finite = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + trial % 12;
        testtrees::TreePenalty tree =
            testtrees::randomTree(rng, n, trial % 3 == 0, TypeParam::kAnyLists);
        if (!tree.hasL1 || trial % 2 == 0) {
            testtrees::Group everything{{}, trial % 4 < 2 ? 0.7 : 0.9};
            for (int i = 0; i < n; ++i)
                everything.positions.push_back(TypeParam::kAnyLists ? n - 1 - i : i);
            tree.groups.push_back(everything);
        }
        const std::vector<double> v =
            trial % 5 == 0 ? testdata::gaussian(rng, n) : testdata::awkward(rng, n);
        const double lambda = Calls<TypeParam>::critical(v, TypeParam::tableOf(tree));
        SCOPED_TRACE(trial);
        if (testtrees::allZero(v)) {
            EXPECT_EQ(lambda, 0.0);
        } else {
            testtrees::expectCriticalWeight(Calls<TypeParam>::proxOf, tree, v, lambda);
            ++finite;
        }
    }
    EXPECT_GT(finite, 250);
}

TYPED_TEST(CriticalWeight, OfRowsIsTheLargestRowResult) {
    using C = Calls<TypeParam>;
    EXPECT_EQ(C::criticalRows({3, 1, 4, 0}, 2, 2, {1, 2, 1}, 1), 5.0);
    // No rows: 0, and the table is never read.
    EXPECT_EQ(C::criticalRows({3, 1, 4, 0}, 0, 2, {-1, 2, 1}, 1), 0.0);
    EXPECT_EQ(C::criticalRows({}, 0, 3, treeindexing::Table{}), 0.0);

    std::mt19937_64 rng(12);
    for (int trial = 0; trial < 30; ++trial) {
        const int rows = 1 + trial % 4, cols = 1 + trial % 6;
        const testtrees::TreePenalty tree =
            testtrees::randomTree(rng, cols, true, TypeParam::kAnyLists);
        const treeindexing::Table table = TypeParam::tableOf(tree);
        const std::vector<double> M = testdata::awkward(rng, static_cast<std::size_t>(rows) * cols);
        EXPECT_EQ(C::criticalRows(M, rows, cols, table),
                  testtrees::largestOverRows(M, rows, cols, [&](const std::vector<double>& row) {
                      return C::critical(row, table);
                  }));
    }
}

}  // namespace
