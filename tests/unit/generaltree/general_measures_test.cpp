// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "generaltree/generaltree.hpp"
#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/tree_checks.hpp"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// One of the routines that return a value through their first argument.
template <class Routine>
double valueOf(Routine routine, const std::vector<double>& x, const std::vector<double>& G,
               const std::vector<double>& ind, int nodes) {
    double value = -7;
    routine(&value, x.data(), static_cast<int>(x.size()), G.data(), ind.data(), nodes);
    return value;
}

double penalty(const std::vector<double>& x, const std::vector<double>& G,
               const std::vector<double>& ind, int nodes) {
    return valueOf(general_penaltyValue, x, G, ind, nodes);
}

double ratio(const std::vector<double>& x, const std::vector<double>& G,
             const std::vector<double>& ind, int nodes) {
    return valueOf(general_groupRatioCeiling, x, G, ind, nodes);
}

double critical(const std::vector<double>& v, const std::vector<double>& G,
                const std::vector<double>& ind, int nodes) {
    return valueOf(general_criticalWeight, v, G, ind, nodes);
}

std::vector<double> proxOf(const testtrees::TreePenalty& tree, const std::vector<double>& v) {
    std::vector<double> G;
    const std::vector<double> ind = tree.listTable(&G);
    std::vector<double> x(v.size());
    general_treeprox(x.data(), v.data(), static_cast<int>(v.size()), G.data(), ind.data(),
                     tree.nodes());
    return x;
}

TEST(GeneralPenaltyValue, WorkedExamples) {
    EXPECT_EQ(penalty({3, 0, 4}, {1, 3}, {1, 2, 2}, 1), 10.0);
    EXPECT_EQ(penalty({3, 4}, {1, 1}, {1, 2, 1}, 1), std::sqrt(18.0));   // 3 counted twice
    EXPECT_EQ(penalty({3, -4, 1}, {2}, {-1, -1, 2, 1, 1, 3}, 2), 28.0);  // 2*8 + 3*4
}

TEST(GeneralPenaltyValue, MatchesTheFormulaOnRandomTrees) {
    std::mt19937_64 rng(18);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + trial % 30;
        testtrees::TreePenalty tree = testtrees::randomTree(rng, n, trial % 2 == 0, true);
        // Some positions listed twice, which must count twice.
        tree.groups.back().positions.push_back(tree.groups.back().positions.front());
        const std::vector<double> x = testdata::awkward(rng, n);
        std::vector<double> G;
        const std::vector<double> ind = tree.listTable(&G);
        const double expected = static_cast<double>(testtrees::reference::penalty(tree, x));
        EXPECT_NEAR(penalty(x, G, ind, tree.nodes()), expected, 1e-12 * (1 + std::fabs(expected)));
    }
}

TEST(GeneralGroupRatioCeiling, LargestRatioWithTheL1NodeAsSingletons) {
    EXPECT_EQ(ratio({3, 0, 4}, {1, 3, 2}, {1, 2, 1, 3, 3, 1}, 2), 5.0);
    EXPECT_EQ(ratio({3, 0, 4}, {1, 3}, {-1, -1, 0.5, 1, 2, 1}, 2), 8.0);
    EXPECT_EQ(ratio({3, 0, 4}, {2}, {1, 1, 0}, 1), 0.0);  // 0/0 passed over
    EXPECT_EQ(ratio({3, 0, 4}, {1}, {1, 1, 0}, 1), kInf);
    EXPECT_EQ(ratio({3, 0, 4}, {}, {}, 0), 0.0);
}

TEST(GeneralCriticalWeight, WorkedExampleAndDecidedAnswers) {
    EXPECT_EQ(critical({3, 0, 4}, {1, 3}, {1, 2, 1}, 1), 5.0);
    EXPECT_EQ(critical({0, 0}, {1}, {1, 1, 1}, 1), 0.0);
    EXPECT_EQ(critical({}, {}, {1, 0, 1}, 1), 0.0);
    // Position 2 is listed by no slice: nothing zeroes it.
    EXPECT_EQ(critical({3, 1, 4}, {1, 3}, {1, 2, 1}, 1), kInf);
    EXPECT_EQ(critical({3, 1, 4}, {1, 2, 3}, {1, 3, 0}, 1), kInf);
}

TEST(GeneralCriticalWeight, IsTheSmallestFactorGivingZero) {
    std::mt19937_64 rng(78);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 1 + trial % 12;
        testtrees::TreePenalty tree = testtrees::randomTree(rng, n, trial % 3 == 0, true);
        testtrees::Group everything{{}, 0.9};
        for (int i = n - 1; i >= 0; --i) everything.positions.push_back(i);
        tree.groups.push_back(everything);
        const std::vector<double> v = testdata::gaussian(rng, n);
        std::vector<double> G;
        const std::vector<double> ind = tree.listTable(&G);
        SCOPED_TRACE(trial);
        testtrees::expectCriticalWeight(proxOf, tree, v, critical(v, G, ind, tree.nodes()));
    }
}

TEST(GeneralCriticalWeightRows, IsTheLargestRowResult) {
    std::mt19937_64 rng(13);
    double value = -7;
    const std::vector<double> none;
    general_criticalWeight_mt(&value, none.data(), 0, 3, none.data(), none.data(), 0);
    EXPECT_EQ(value, 0.0);
    for (int trial = 0; trial < 30; ++trial) {
        const int rows = 1 + trial % 4, cols = 1 + trial % 6;
        const testtrees::TreePenalty tree = testtrees::randomTree(rng, cols, true, true);
        std::vector<double> G;
        const std::vector<double> ind = tree.listTable(&G);
        const std::vector<double> M = testdata::awkward(rng, static_cast<std::size_t>(rows) * cols);
        general_criticalWeight_mt(&value, M.data(), rows, cols, G.data(), ind.data(), tree.nodes());
        EXPECT_EQ(value,
                  testtrees::largestOverRows(M, rows, cols, [&](const std::vector<double>& row) {
                      return critical(row, G, ind, tree.nodes());
                  }));
    }
}

}  // namespace
