// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The proximal operator of both indexings: worked examples, edge cases, optimality against an
// independent solver, the group-by-group definition bit for bit, and the row-wise routine.
#include <gtest/gtest.h>

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

TREE_INDEXING_SUITE(TreeProx);

TYPED_TEST(TreeProx, WorkedExamples) {
    using C = Calls<TypeParam>;
    // The L1 node gives (2, 0, 0); the group 1..3 then has length 2 and is halved.
    EXPECT_EQ(C::prox({3, -1, 0.5}, {-1, -1, 1, 1, 3, 1}, 2), (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(C::prox({3, 4}, {1, 2, 2.5}, 1), (std::vector<double>{1.5, 2}));
}

TYPED_TEST(TreeProx, ThresholdsAreStrict) {
    using C = Calls<TypeParam>;
    // A group whose length equals its weight, and entries equal to the L1 weight, go to zero.
    const std::vector<double> cleared = C::prox({-3, 4}, {1, 2, 5}, 1);
    EXPECT_EQ(cleared, (std::vector<double>{0, 0}));
    EXPECT_FALSE(std::signbit(cleared[0]));  // set to +0, not scaled by 0
    const std::vector<double> x = C::prox({2, -2, 3, -0.0}, {-1, -1, 2}, 1);
    EXPECT_EQ(x, (std::vector<double>{0, 0, 1, 0}));
    EXPECT_FALSE(std::signbit(x[1]) || std::signbit(x[3]));
}

TYPED_TEST(TreeProx, ZeroWeightKeepsNonZeroGroupsAndClearsNegativeZeros) {
    const std::vector<double> x =
        Calls<TypeParam>::prox({-0.0, 0.0, 1.5, -2}, {1, 2, 0, 3, 4, 0}, 2);
    EXPECT_EQ(x, (std::vector<double>{0, 0, 1.5, -2}));
    EXPECT_FALSE(std::signbit(x[0]));
}

TYPED_TEST(TreeProx, NonFiniteEntries) {
    using C = Calls<TypeParam>;
    // NaN: zero under the L1 node; otherwise it zeroes the first group that holds it.
    EXPECT_EQ(C::prox({kNan, 3}, {-1, -1, 1}, 1), (std::vector<double>{0, 2}));
    EXPECT_EQ(C::prox({kNan, 3, 4}, {1, 2, 1, 3, 3, 1}, 2), (std::vector<double>{0, 0, 3}));
    // Infinity: its group becomes NaN (inf/inf), which a later group containing it clears.
    std::vector<double> x = C::prox({kInf, 1, 5}, {1, 2, 1}, 1);
    EXPECT_TRUE(std::isnan(x[0]) && std::isnan(x[1]));
    EXPECT_EQ(x[2], 5);
    x = C::prox({kInf, 1, 5}, {1, 2, 1, 1, 3, 1}, 2);
    EXPECT_EQ(x, (std::vector<double>{0, 0, 0}));
}

TYPED_TEST(TreeProx, BadL1NodePrintsAndFailsBeforeWriting) {
    using C = Calls<TypeParam>;
    takeConsoleOutput();
    for (const std::vector<double>& ind : {std::vector<double>{-1, 3, 1}, {-1, 1, 1}}) {
        std::vector<double> x = {-7, -7};
        const std::vector<double> v = {1, 2};
        const treeindexing::Table table = C::ranges(ind, 1, v.size());
        EXPECT_THROW(TypeParam::prox(x.data(), v.data(), 2, table), RoutineFailure);
        EXPECT_EQ(takeConsoleOutput(), "\n Error! \n Check ind");
        EXPECT_EQ(x, (std::vector<double>{-7, -7}));
        // n = 0 and nodes = 0 still look at node 0.
        EXPECT_THROW(TypeParam::prox(x.data(), v.data(), 0, C::ranges(ind, 0, 0)),
                     RoutineFailure);
        EXPECT_EQ(takeConsoleOutput(), "\n Error! \n Check ind");
    }
}

// On random trees (nested or disjoint groups, deepest first; scattered where the indexing
// allows), with and without an L1 node, the result minimises the objective.
TYPED_TEST(TreeProx, MinimisesTheObjectiveOnRandomTrees) {
    std::mt19937_64 rng(41);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 1 + trial % 9;
        const testtrees::TreePenalty tree =
            testtrees::randomTree(rng, n, trial % 2 == 0, TypeParam::kAnyLists);
        const std::vector<double> v = testdata::gaussian(rng, n, trial % 3 == 0 ? 0.3 : 2.0);
        SCOPED_TRACE(trial);
        testtrees::expectMinimisesObjective(Calls<TypeParam>::proxOf, tree, v, rng);
    }
}

// Group lengths are taken side by side (disjoint groups of a vector, or one group of
// several rows); the results are those of one group at a time, bit for bit. Where the
// indexing allows it, the last group lists a position twice, which counts and scales twice.
TYPED_TEST(TreeProx, IsBitForBitTheGroupByGroupDefinition) {
    using C = Calls<TypeParam>;
    std::mt19937_64 rng(47);
    for (testtrees::TreePenalty tree : testtrees::treesForOrderChecks(rng, TypeParam::kAnyLists)) {
        if (TypeParam::kAnyLists)
            tree.groups.back().positions.push_back(tree.groups.back().positions.front());
        const std::vector<double> v = testdata::awkward(rng, static_cast<std::size_t>(tree.n));
        testtrees::expectGroupByGroup(C::proxOf, tree, v);
        testtrees::expectGroupByGroup(
            [](const testtrees::TreePenalty& t, const std::vector<double>& row) {
                // Six identical rows: blocks of four and a remainder of two.
                const int rows = 6, cols = static_cast<int>(row.size());
                std::vector<double> V;
                for (double entry : row) V.insert(V.end(), rows, entry);
                const std::vector<double> X = C::proxRows(V, rows, cols, TypeParam::tableOf(t));
                return testtrees::rowOf(X, rows, cols, rows - 1);
            },
            tree, v);
    }
}

TYPED_TEST(TreeProx, RowsAreTheVectorResults) {
    using C = Calls<TypeParam>;
    std::mt19937_64 rng(5);
    for (int trial = 0; trial < 40; ++trial) {
        const int rows = trial % 5, cols = 1 + trial % 7;
        const testtrees::TreePenalty tree =
            testtrees::randomTree(rng, cols, trial % 2 == 1, TypeParam::kAnyLists);
        const treeindexing::Table table = TypeParam::tableOf(tree);
        const std::vector<double> V = testdata::awkward(rng, static_cast<std::size_t>(rows) * cols);
        testtrees::expectRowByRow(
            C::proxRows(V, rows, cols, table), V, rows, cols,
            [&](const std::vector<double>& row) { return C::prox(row, table); });
    }
}

TYPED_TEST(TreeProx, RowsWorkedExampleAndEmptyShapes) {
    using C = Calls<TypeParam>;
    EXPECT_EQ(C::proxRows({3, 1, 4, 0}, 2, 2, {1, 2, 2.5}, 1),
              (std::vector<double>{1.5, 0, 2, 0}));
    // No rows: the table is never read, so a bad L1 node goes unnoticed. No columns: each
    // row still reads node 0.
    const std::vector<double> bad = {-1, 2, 1};
    EXPECT_NO_THROW(C::proxRows({}, 0, 2, bad, 1));
    EXPECT_THROW(C::proxRows({}, 2, 0, bad, 1), RoutineFailure);
    takeConsoleOutput();
}

}  // namespace
