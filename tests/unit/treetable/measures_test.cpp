// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The penalty value and the largest group ratio of both indexings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "support/routine_failure.hpp"
#include "tests/support/console_capture.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/unit/treetable/indexing.hpp"

namespace {

using treeindexing::Calls;
using treeindexing::kInf;

TREE_INDEXING_SUITE(PenaltyValue);

TREE_INDEXING_SUITE(GroupRatioCeiling);

TYPED_TEST(PenaltyValue, WorkedExamples) {
    using C = Calls<TypeParam>;
    EXPECT_EQ(C::penalty({3, -4}, {-1, -1, 0.5, 1, 2, 2}, 2), 13.5);
    EXPECT_EQ(C::penalty({3, -4}, {-1, -1, 0.5}, 0), 3.5);
    EXPECT_EQ(C::penalty({3, -4}, {1, 2, 2}, 0), 0.0);
}

// Where the indexing allows it, groups are scattered and the last one lists a position
// twice, which must count twice.
TYPED_TEST(PenaltyValue, MatchesTheFormulaOnRandomTrees) {
    std::mt19937_64 rng(8);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + trial % 30;
        testtrees::TreePenalty tree =
            testtrees::randomTree(rng, n, trial % 2 == 0, TypeParam::kAnyLists);
        if (TypeParam::kAnyLists)
            tree.groups.back().positions.push_back(tree.groups.back().positions.front());
        const std::vector<double> x = testdata::awkward(rng, n);
        const double expected = static_cast<double>(testtrees::reference::penalty(tree, x));
        EXPECT_NEAR(Calls<TypeParam>::penalty(x, TypeParam::tableOf(tree)), expected,
                    1e-12 * (1 + std::fabs(expected)));
    }
}

TYPED_TEST(PenaltyValue, BadL1NodeFails) {
    takeConsoleOutput();
    EXPECT_THROW(Calls<TypeParam>::penalty({1, 2}, {-1, 0, 1}, 1), RoutineFailure);
    EXPECT_EQ(takeConsoleOutput(), "\n Error! \n Check ind");
}

TYPED_TEST(GroupRatioCeiling, WorkedExamples) {
    using C = Calls<TypeParam>;
    EXPECT_EQ(C::ratio({3, 4}, {1, 1, 1, 2, 2, 2, 1, 2, 10}, 3), 3.0);
    EXPECT_EQ(C::ratio({3, 4}, {}, 0), 0.0);
    // Weight zero: infinite for a non-zero group, NaN (passed over) for a zero one.
    EXPECT_EQ(C::ratio({3, 0}, {1, 1, 0}, 1), kInf);
    EXPECT_EQ(C::ratio({0, 4}, {1, 1, 0, 2, 2, 8}, 2), 0.5);
    // Never negative: negative weights give negative ratios, which never win.
    EXPECT_EQ(C::ratio({3, 4}, {1, 2, -1}, 1), 0.0);
}

TYPED_TEST(GroupRatioCeiling, L1NodeIsOneGroupPerEntry) {
    using C = Calls<TypeParam>;
    EXPECT_EQ(C::ratio({1, -6, 2}, {-1, -1, 2}, 1), 3.0);
    EXPECT_EQ(C::ratio({1, -6, 2}, {-1, -1, 2, 1, 3, 10}, 2), 3.0);
    EXPECT_EQ(C::ratio({1, -6, 2}, {-1, -1, 20, 1, 3, 1}, 2), std::sqrt(41.0));
    EXPECT_EQ(C::ratio({0, 0}, {-1, -1, 0}, 1), 0.0);  // 0/0 passed over
}

}  // namespace
