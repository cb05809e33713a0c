// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

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

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::vector<double> prox(const std::vector<double>& v, const std::vector<double>& ind, int nodes) {
    std::vector<double> x(v.size(), -7.0);
    treeprox(x.data(), v.data(), static_cast<int>(v.size()), ind.data(), nodes);
    return x;
}

std::vector<double> proxOf(const testtrees::TreePenalty& tree, const std::vector<double>& v) {
    return prox(v, tree.rangeTable(), tree.nodes());
}

TEST(TreeProx, WorkedExamples) {
    // The L1 node gives (2, 0, 0); the group 1..3 then has length 2 and is halved.
    EXPECT_EQ(prox({3, -1, 0.5}, {-1, -1, 1, 1, 3, 1}, 2), (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(prox({3, 4}, {1, 2, 2.5}, 1), (std::vector<double>{1.5, 2}));
}

TEST(TreeProx, ThresholdsAreStrict) {
    // A group whose length equals its weight, and entries equal to the L1 weight, go to zero.
    const std::vector<double> cleared = prox({-3, 4}, {1, 2, 5}, 1);
    EXPECT_EQ(cleared, (std::vector<double>{0, 0}));
    EXPECT_FALSE(std::signbit(cleared[0]));  // set to +0, not scaled by 0
    const std::vector<double> x = prox({2, -2, 3, -0.0}, {-1, -1, 2}, 1);
    EXPECT_EQ(x, (std::vector<double>{0, 0, 1, 0}));
    EXPECT_FALSE(std::signbit(x[1]) || std::signbit(x[3]));
}

TEST(TreeProx, NodeZeroIsReadWhateverTheCount) {
    // nodes = 0 still soft-thresholds with an L1 node, and copies v without one.
    EXPECT_EQ(prox({3, -0.5}, {-1, -1, 1}, 0), (std::vector<double>{2, 0}));
    EXPECT_EQ(prox({3, -0.5}, {1, 2, 100}, 0), (std::vector<double>{3, -0.5}));
    // Truncation: (-1.7, -1.2) is the L1 node; a start of 2.9 begins at the second entry.
    EXPECT_EQ(prox({3, -0.5}, {-1.7, -1.2, 1}, 1), (std::vector<double>{2, 0}));
    EXPECT_EQ(prox({3, 4, 0}, {2.9, 3, 4}, 1), (std::vector<double>{3, 0, 0}));
    // A node whose end is below its start covers nothing.
    EXPECT_EQ(prox({3, 4}, {2, 1, 100}, 1), (std::vector<double>{3, 4}));
}

TEST(TreeProx, ZeroWeightKeepsNonZeroGroupsAndClearsNegativeZeros) {
    const std::vector<double> x = prox({-0.0, 0.0, 1.5, -2}, {1, 2, 0, 3, 4, 0}, 2);
    EXPECT_EQ(x, (std::vector<double>{0, 0, 1.5, -2}));
    EXPECT_FALSE(std::signbit(x[0]));
}

TEST(TreeProx, NonFiniteEntries) {
    // NaN: zero under the L1 node; otherwise it zeroes the first group that holds it.
    EXPECT_EQ(prox({kNan, 3}, {-1, -1, 1}, 1), (std::vector<double>{0, 2}));
    EXPECT_EQ(prox({kNan, 3, 4}, {1, 2, 1, 3, 3, 1}, 2), (std::vector<double>{0, 0, 3}));
    // Infinity: its group becomes NaN (inf/inf), which a later group containing it clears.
    std::vector<double> x = prox({kInf, 1, 5}, {1, 2, 1}, 1);
    EXPECT_TRUE(std::isnan(x[0]) && std::isnan(x[1]));
    EXPECT_EQ(x[2], 5);
    x = prox({kInf, 1, 5}, {1, 2, 1, 1, 3, 1}, 2);
    EXPECT_EQ(x, (std::vector<double>{0, 0, 0}));
}

TEST(TreeProx, BadL1NodePrintsAndFailsBeforeWriting) {
    takeConsoleOutput();
    std::vector<double> x = {-7, -7};
    const std::vector<double> v = {1, 2}, ind = {-1, 3, 1};
    EXPECT_THROW(treeprox(x.data(), v.data(), 2, ind.data(), 1), RoutineFailure);
    EXPECT_EQ(takeConsoleOutput(), "\n Error! \n Check ind");
    EXPECT_EQ(x, (std::vector<double>{-7, -7}));
    // n = 0 and nodes = 0 still look at node 0.
    EXPECT_THROW(treeprox(x.data(), v.data(), 0, ind.data(), 0), RoutineFailure);
    takeConsoleOutput();
}

// On random trees of ranges (nested or disjoint, deepest first), with and without an L1 node,
// the result minimises the objective.
TEST(TreeProx, MinimisesTheObjectiveOnRandomTrees) {
    std::mt19937_64 rng(41);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 1 + trial % 9;
        const testtrees::TreePenalty tree = testtrees::randomTree(rng, n, trial % 2 == 0, false);
        const std::vector<double> v = testdata::gaussian(rng, n, trial % 3 == 0 ? 0.3 : 2.0);
        SCOPED_TRACE(trial);
        testtrees::expectMinimisesObjective(proxOf, tree, v, rng);
    }
}

// Group lengths are taken side by side (disjoint groups of a vector, or one group of
// several rows); the results are those of one group at a time, bit for bit.
TEST(TreeProx, IsBitForBitTheGroupByGroupDefinition) {
    std::mt19937_64 rng(47);
    for (const testtrees::TreePenalty& tree : testtrees::treesForOrderChecks(rng, false)) {
        const std::vector<double> v = testdata::awkward(rng, static_cast<std::size_t>(tree.n));
        testtrees::expectGroupByGroup(proxOf, tree, v);
        testtrees::expectGroupByGroup(
            [](const testtrees::TreePenalty& t, const std::vector<double>& row) {
                // Six identical rows: blocks of four and a remainder of two.
                const int rows = 6, cols = static_cast<int>(row.size());
                std::vector<double> V, X(rows * row.size());
                for (double entry : row) V.insert(V.end(), rows, entry);
                const std::vector<double> ind = t.rangeTable();
                treeprox_mt(X.data(), V.data(), rows, cols, ind.data(), t.nodes());
                return testtrees::rowOf(X, rows, cols, rows - 1);
            },
            tree, v);
    }
}

TEST(TreeProxRows, EveryRowIsTheVectorResult) {
    std::mt19937_64 rng(5);
    for (int trial = 0; trial < 40; ++trial) {
        const int rows = trial % 5, cols = 1 + trial % 7;
        const testtrees::TreePenalty tree = testtrees::randomTree(rng, cols, trial % 2 == 1, false);
        const std::vector<double> ind = tree.rangeTable();
        const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(rows) * cols);
        std::vector<double> X(V.size(), -7.0);
        treeprox_mt(X.data(), V.data(), rows, cols, ind.data(), tree.nodes());
        testtrees::expectRowByRow(X, V, rows, cols, [&](const std::vector<double>& row) {
            return prox(row, ind, tree.nodes());
        });
    }
}

TEST(TreeProxRows, WorkedExampleAndEmptyShapes) {
    const std::vector<double> V = {3, 1, 4, 0}, ind = {1, 2, 2.5};
    std::vector<double> X(4, -7.0);
    treeprox_mt(X.data(), V.data(), 2, 2, ind.data(), 1);
    EXPECT_EQ(X, (std::vector<double>{1.5, 0, 2, 0}));
    // No rows: the table is never read, so a bad L1 node goes unnoticed. No columns: each
    // row still reads node 0.
    const std::vector<double> bad = {-1, 2, 1};
    EXPECT_NO_THROW(treeprox_mt(X.data(), V.data(), 0, 2, bad.data(), 1));
    EXPECT_THROW(treeprox_mt(X.data(), V.data(), 2, 0, bad.data(), 1), RoutineFailure);
    takeConsoleOutput();
}

}  // namespace
