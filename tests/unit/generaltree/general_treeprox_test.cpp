// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// What only index lists can state: scattered, overlapping and shared slices, positions listed
// twice, entries of G truncated. The properties both indexings share are tested in
// tests/unit/treetable/.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "generaltree/generaltree.hpp"
#include "tests/support/random_trees.hpp"

namespace {

std::vector<double> prox(const std::vector<double>& v, const std::vector<double>& G,
                         const std::vector<double>& ind, int nodes) {
    std::vector<double> x(v.size(), -7.0);
    general_treeprox(x.data(), v.data(), static_cast<int>(v.size()), G.data(), ind.data(), nodes);
    return x;
}

std::vector<double> proxOf(const testtrees::TreePenalty& tree, const std::vector<double>& v) {
    std::vector<double> G;
    const std::vector<double> ind = tree.listTable(&G);
    return prox(v, G, ind, tree.nodes());
}

TEST(GeneralTreeProx, WorkedExamples) {
    // The group {1, 3}: length 5, halved; position 2 untouched.
    EXPECT_EQ(prox({3, 7, 4}, {1, 3}, {1, 2, 2.5}, 1), (std::vector<double>{1.5, 7, 2}));
    // Overlapping groups {1} then {1, 2}.
    const double f = (std::sqrt(20.0) - 1) / std::sqrt(20.0);
    EXPECT_EQ(prox({3, 4}, {1, 1, 2}, {1, 1, 1, 2, 3, 1}, 2), (std::vector<double>{2 * f, 4 * f}));
    // A position listed twice counts twice and is scaled twice.
    const double r = std::sqrt(18.0), g = (r - 1) / r;
    EXPECT_EQ(prox({3, 5}, {1, 1}, {1, 2, 1}, 1), (std::vector<double>{3 * g * g, 5}));
    // 2.9 in G addresses position 2; the L1 node reaches positions that no slice lists.
    EXPECT_EQ(prox({1, 3, 4}, {2.9}, {1, 1, 10}, 1), (std::vector<double>{1, 0, 4}));
    EXPECT_EQ(prox({1, -3, 4}, {2}, {-1, -1, 0.5, 1, 1, 10}, 2),
              (std::vector<double>{0.5, 0, 3.5}));
}

TEST(GeneralTreeProx, NestedGroupsMayShareTheirSlices) {
    // G = (2, 3, 1) with slices 1..1, 1..2, 1..3: the groups {2} within {2, 3} within all.
    const testtrees::TreePenalty tree{3, false, 0, {{{1}, 0.5}, {{1, 2}, 1.0}, {{1, 2, 0}, 0.25}}};
    const std::vector<double> v = {1, -2, 3};
    EXPECT_EQ(prox(v, {2, 3, 1}, {1, 1, 0.5, 1, 2, 1, 1, 3, 0.25}, 3), proxOf(tree, v));
}

}  // namespace
