// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// At 2^800 and 2^-800 times unit-scale data (weights scaled alike), where plain sums of
// squares overflow or underflow, the tree routines of both indexings give their unit-scale
// results scaled.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/tree_penalty.hpp"
#include "tests/unit/treetable/indexing.hpp"

namespace {

using treeindexing::Calls;

TREE_INDEXING_SUITE(TreeScale);

// After the L1 node, two groups and then all four positions after the groups inside them:
// the ranges {1, 2}, {3, 4}, or where the indexing allows it the scattered {2, 4}, {1, 3}.
testtrees::TreePenalty fourPositions(bool scattered) {
    testtrees::TreePenalty tree{4, true, 0.1, {{{0, 1}, 0.5}, {{2, 3}, 0.7}, {{0, 1, 2, 3}, 0.9}}};
    if (scattered) {
        tree.groups[0].positions = {1, 3};
        tree.groups[1].positions = {0, 2};
    }
    return tree;
}

// Two rows of four, column-major; the first row is the vector of the vector routines.
const std::vector<double> kV = {1.5, 0.3, -0.4, 2.0, 0.8, -1.0, 1.1, 0.2};
const std::vector<double> kRow = {1.5, -0.4, 0.8, 1.1};

std::vector<double> scaled(std::vector<double> values, double s) {
    for (double& value : values) value *= s;
    return values;
}

TYPED_TEST(TreeScale, ResultsScaleWithTheDataAtTheEndsOfTheRange) {
    using C = Calls<TypeParam>;
    const testtrees::TreePenalty tree = fourPositions(TypeParam::kAnyLists);
    const treeindexing::Table table = TypeParam::tableOf(tree);
    const std::vector<double> X = C::proxRows(kV, 2, 4, table), x = C::prox(kRow, table);
    const double penalty = C::penalty(kRow, table), ratio = C::ratio(kRow, table);
    const double critical = C::critical(kRow, table);
    const double criticalRows = C::criticalRows(kV, 2, 4, table);
    for (int e : {800, -800}) {
        const double s = std::ldexp(1.0, e);
        const std::vector<double> V = scaled(kV, s), v = scaled(kRow, s);
        const treeindexing::Table weighted = TypeParam::tableOf(tree.scaled(s));
        const std::vector<double> Xs = C::proxRows(V, 2, 4, weighted), xs = C::prox(v, weighted);
        for (int k = 0; k < 8; ++k) EXPECT_NEAR(Xs[k] / s, X[k], 1e-9) << "2^" << e;
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(xs[k] / s, x[k], 1e-9) << "2^" << e;
        // With the table's own weights the penalty scales with the data.
        EXPECT_NEAR(C::penalty(v, table) / s, penalty, 1e-9 * penalty) << "2^" << e;
        // Ratios of lengths to weights scaled alike are unchanged; the critical factor scales.
        EXPECT_NEAR(C::ratio(v, weighted), ratio, 1e-9 * ratio) << "2^" << e;
        EXPECT_NEAR(C::critical(v, table) / s, critical, 1e-9 * critical) << "2^" << e;
        EXPECT_NEAR(C::criticalRows(V, 2, 4, table) / s, criticalRows, 1e-9 * criticalRows)
            << "2^" << e;
    }
}

}  // namespace
