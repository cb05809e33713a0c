// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "host/routine_failure.hpp"
#include "indextree/indextree.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/tree_checks.hpp"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

double critical(const std::vector<double>& v, const std::vector<double>& ind, int nodes) {
    double value = -7;
    criticalWeight(&value, v.data(), static_cast<int>(v.size()), ind.data(), nodes);
    return value;
}

std::vector<double> proxOf(const testtrees::TreePenalty& tree, const std::vector<double>& v) {
    const std::vector<double> ind = tree.rangeTable();
    std::vector<double> x(v.size());
    treeprox(x.data(), v.data(), static_cast<int>(v.size()), ind.data(), tree.nodes());
    return x;
}

TEST(CriticalWeight, WorkedExamples) {
    // The first estimate 5 gives zero; halving finds 2.5 non-zero; the bisection keeps 5.
    EXPECT_EQ(critical({3, 4}, {1, 2, 1}, 1), 5.0);
    // Doubling from sqrt(5) finds zero at 2 sqrt(5); the bisection ends just above 3.
    const double lambda = critical({1, -3}, {-1, -1, 1}, 1);
    EXPECT_GE(lambda, 3.0);
    EXPECT_LE(lambda, 3.0 + 3e-10);
}

TEST(CriticalWeight, DecidedAnswersWhereNoSearchCouldEnd) {
    // Empty or zero v: every factor gives zero.
    EXPECT_EQ(critical({}, {1, 0, 1}, 1), 0.0);
    EXPECT_EQ(critical({0, -0.0, 0}, {1, 3, 1}, 1), 0.0);
    // A non-zero entry that no node reaches, without an L1 node: no factor gives zero.
    EXPECT_EQ(critical({1, 2}, {1, 1, 1}, 1), kInf);
    EXPECT_EQ(critical({1, 2}, {1, 2, 1}, 0), kInf);
    EXPECT_EQ(critical({0, 2}, {2, 2, 1}, 1), 2.0);  // the unreached entry is zero
    // Every weight zero.
    EXPECT_EQ(critical({1, 2}, {-1, -1, 0, 1, 2, 0}, 2), kInf);
    // With an L1 node every entry is reached.
    EXPECT_NEAR(critical({0, 2}, {-1, -1, 1}, 1), 2.0, 1e-9);
}

// Inputs that make the search unable to bracket the answer still end.
TEST(CriticalWeight, EndsOnInputsItCannotBracket) {
    // A negative weight scales its group up at every factor, even infinite ones.
    EXPECT_EQ(critical({1, 2}, {1, 2, -1}, 1), kInf);
    // Squares that underflow: the group's length is taken in scaled form.
    EXPECT_NEAR(critical({1e-170, -1e-170}, {1, 2, 1}, 1), std::sqrt(2.0) * 1e-170, 1e-179);
    // A subnormal answer: the bisection stops when no factor lies between its ends.
    EXPECT_EQ(critical({4e-320}, {-1, -1, 1}, 1), 4e-320);
    // Squares that overflow: the first estimate is infinite, the answer is not.
    const double lambda = critical({1e200, -3e200}, {-1, -1, 1}, 1);
    EXPECT_GE(lambda, 3e200);
    EXPECT_LE(lambda, 3e200 * (1 + 1e-10));
    // Garbage weights and entries: only that it ends.
    for (double w : {kNan, kInf, -kInf, DBL_MAX, DBL_MIN, 4e-320}) {
        critical({1, -2, 3}, {-1, -1, w, 1, 2, 1}, 2);
        critical({1, -2, 3}, {1, 3, w, 2, 3, 1}, 2);
        critical({kNan, kInf, 1}, {1, 3, w}, 1);
    }
}

TEST(CriticalWeight, BadL1NodeFailsEvenWhenTheAnswerIsKnown) {
    takeConsoleOutput();
    EXPECT_THROW(critical({}, {-1, 2, 1}, 1), RoutineFailure);
    EXPECT_EQ(takeConsoleOutput(), "\n Error! \n Check ind");
}

// On random trees that reach every entry, the result is the smallest factor that gives zero.
TEST(CriticalWeight, IsTheSmallestFactorGivingZero) {
    std::mt19937_64 rng(77);
    int finite = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + trial % 12;
        testtrees::TreePenalty tree = testtrees::randomTree(rng, n, trial % 3 == 0, false);
        if (!tree.hasL1) tree.groups.push_back(testtrees::Group{{}, 0.7});
        if (!tree.hasL1)
            for (int i = 0; i < n; ++i) tree.groups.back().positions.push_back(i);
        const std::vector<double> v = testdata::awkward(rng, n);
        const double lambda = critical(v, tree.rangeTable(), tree.nodes());
        SCOPED_TRACE(trial);
        if (testtrees::allZero(v)) {
            EXPECT_EQ(lambda, 0.0);
        } else {
            testtrees::expectCriticalWeight(proxOf, tree, v, lambda);
            ++finite;
        }
    }
    EXPECT_GT(finite, 250);
}

TEST(CriticalWeightRows, IsTheLargestRowResult) {
    const std::vector<double> V = {3, 1, 4, 0}, ind = {1, 2, 1};
    double value = -7;
    criticalWeight_mt(&value, V.data(), 2, 2, ind.data(), 1);
    EXPECT_EQ(value, 5.0);
    // No rows: 0, and the table is never read.
    const std::vector<double> bad = {-1, 2, 1};
    criticalWeight_mt(&value, V.data(), 0, 2, bad.data(), 1);
    EXPECT_EQ(value, 0.0);

    std::mt19937_64 rng(12);
    for (int trial = 0; trial < 30; ++trial) {
        const int rows = 1 + trial % 4, cols = 1 + trial % 6;
        const testtrees::TreePenalty tree = testtrees::randomTree(rng, cols, true, false);
        const std::vector<double> table = tree.rangeTable();
        const std::vector<double> M = testdata::awkward(rng, static_cast<std::size_t>(rows) * cols);
        criticalWeight_mt(&value, M.data(), rows, cols, table.data(), tree.nodes());
        EXPECT_EQ(value,
                  testtrees::largestOverRows(M, rows, cols, [&](const std::vector<double>& row) {
                      return critical(row, table, tree.nodes());
                  }));
    }
}

}  // namespace
