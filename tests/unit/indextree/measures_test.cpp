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

namespace {

const double kInf = std::numeric_limits<double>::infinity();

double penalty(const std::vector<double>& x, const std::vector<double>& ind, int nodes) {
    double value = -7;
    penaltyValue(&value, x.data(), static_cast<int>(x.size()), ind.data(), nodes);
    return value;
}

double ratio(const std::vector<double>& x, const std::vector<double>& ind, int nodes) {
    double value = -7;
    groupRatioCeiling(&value, x.data(), static_cast<int>(x.size()), ind.data(), nodes);
    return value;
}

TEST(PenaltyValue, WorkedExamples) {
    EXPECT_EQ(penalty({3, -4}, {-1, -1, 0.5, 1, 2, 2}, 2), 13.5);
    EXPECT_EQ(penalty({3, -4}, {-1, -1, 0.5}, 0), 3.5);
    EXPECT_EQ(penalty({3, -4}, {1, 2, 2}, 0), 0.0);
}

TEST(PenaltyValue, MatchesTheFormulaOnRandomTrees) {
    std::mt19937_64 rng(8);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + trial % 30;
        const testtrees::TreePenalty tree = testtrees::randomTree(rng, n, trial % 2 == 0, false);
        const std::vector<double> x = testdata::awkward(rng, n);
        const long double expected = testtrees::reference::penalty(tree, x);
        EXPECT_NEAR(penalty(x, tree.rangeTable(), tree.nodes()), static_cast<double>(expected),
                    1e-12 * (1 + std::fabs(static_cast<double>(expected))));
    }
}

TEST(PenaltyValue, BadL1NodeFails) {
    takeConsoleOutput();
    EXPECT_THROW(penalty({1, 2}, {-1, 0, 1}, 1), RoutineFailure);
    EXPECT_EQ(takeConsoleOutput(), "\n Error! \n Check ind");
}

TEST(GroupRatioCeiling, WorkedExamples) {
    EXPECT_EQ(ratio({3, 4}, {1, 1, 1, 2, 2, 2, 1, 2, 10}, 3), 3.0);
    EXPECT_EQ(ratio({3, 4}, {}, 0), 0.0);
    // Weight zero: infinite for a non-zero group, NaN (passed over) for a zero one.
    EXPECT_EQ(ratio({3, 0}, {1, 1, 0}, 1), kInf);
    EXPECT_EQ(ratio({0, 4}, {1, 1, 0, 2, 2, 8}, 2), 0.5);
    // Never negative: negative weights give negative ratios, which never win.
    EXPECT_EQ(ratio({3, 4}, {1, 2, -1}, 1), 0.0);
}

TEST(GroupRatioCeiling, L1NodeIsOneGroupPerEntry) {
    EXPECT_EQ(ratio({1, -6, 2}, {-1, -1, 2}, 1), 3.0);
    EXPECT_EQ(ratio({1, -6, 2}, {-1, -1, 2, 1, 3, 10}, 2), 3.0);
    EXPECT_EQ(ratio({1, -6, 2}, {-1, -1, 20, 1, 3, 1}, 2), std::sqrt(41.0));
    EXPECT_EQ(ratio({0, 0}, {-1, -1, 0}, 1), 0.0);  // 0/0 passed over
}

}  // namespace
