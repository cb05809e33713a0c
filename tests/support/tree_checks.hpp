// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// GoogleTest checks shared by the tests of both tree families, stated against the
// definitions: a proximal operator minimises 0.5*||x - v||^2 + Omega(x); the critical weight
// is the smallest factor of the weights at which that operator gives zero.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "tests/support/random.hpp"
#include "tests/support/random_trees.hpp"
#include "tests/support/tree_penalty.hpp"

namespace testtrees {

// A family's proximal operator, called with a penalty in that family's table form.
using Prox = std::function<std::vector<double>(const TreePenalty&, const std::vector<double>&)>;

inline bool allZero(const std::vector<double>& x) {
    for (double entry : x)
        if (!(entry == 0.0)) return false;
    return true;
}

// x agrees with the slow dual solver, and no random perturbation of x, large or small, or
// with some entries set to zero, has a lower objective.
inline void expectMinimisesObjective(const Prox& prox, const TreePenalty& tree,
                                     const std::vector<double>& v, std::mt19937_64& rng) {
    const std::vector<double> x = prox(tree, v);
    const std::vector<double> expected = reference::proxByDualAscent(tree, v, rng);
    for (std::size_t i = 0; i < v.size(); ++i)
        ASSERT_NEAR(x[i], expected[i], 1e-7) << "entry " << i;

    const long double best = reference::objective(tree, v, x);
    std::uniform_int_distribution<int> coin(0, 3);
    for (double scale : {1.0, 1e-2, 1e-4, 1e-6}) {
        for (int trial = 0; trial < 25; ++trial) {
            std::vector<double> y = testdata::gaussian(rng, v.size(), scale);
            for (std::size_t i = 0; i < v.size(); ++i) y[i] = coin(rng) == 0 ? 0.0 : x[i] + y[i];
            EXPECT_LE(best, reference::objective(tree, v, y) + 1e-12L) << "scale " << scale;
        }
    }
}

// x is, bit for bit, the operator applied one group at a time.
inline void expectGroupByGroup(const Prox& prox, const TreePenalty& tree,
                               const std::vector<double>& v) {
    const std::vector<double> x = prox(tree, v);
    const std::vector<double> expected = reference::proxGroupByGroup(tree, v);
    ASSERT_EQ(x.size(), expected.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        ASSERT_EQ(std::memcmp(&x[i], &expected[i], sizeof(double)), 0)
            << "entry " << i << ": " << x[i] << " instead of " << expected[i];
}

// Trees on which the routines take group lengths side by side: complete trees whose levels
// hold runs of disjoint groups, forests, and random trees.
inline std::vector<TreePenalty> treesForOrderChecks(std::mt19937_64& rng, bool scattered) {
    std::vector<TreePenalty> trees;
    for (int depth : {1, 3, 6})
        for (int branching : {2, 3, 5}) {
            TreePenalty tree = balancedTree(97, depth, branching, 0.8);
            tree.hasL1 = depth == 3;
            tree.l1Weight = 0.1;
            trees.push_back(tree);
        }
    for (int trial = 0; trial < 40; ++trial)
        trees.push_back(randomTree(rng, 1 + trial * 3, trial % 2 == 0, scattered));
    return trees;
}

// Row i of a rows-by-cols column-major matrix.
inline std::vector<double> rowOf(const std::vector<double>& M, int rows, int cols, int i) {
    std::vector<double> row(static_cast<std::size_t>(cols));
    for (int j = 0; j < cols; ++j) row[j] = M[i + static_cast<std::size_t>(j) * rows];
    return row;
}

// Every row of X is, bit for bit, vectorRoutine of that row of V.
inline void expectRowByRow(
    const std::vector<double>& X, const std::vector<double>& V, int rows, int cols,
    const std::function<std::vector<double>(const std::vector<double>&)>& vectorRoutine) {
    for (int i = 0; i < rows; ++i) {
        const std::vector<double> expected = vectorRoutine(rowOf(V, rows, cols, i));
        const std::vector<double> got = rowOf(X, rows, cols, i);
        ASSERT_EQ(std::memcmp(got.data(), expected.data(), cols * sizeof(double)), 0)
            << "row " << i;
    }
}

// The largest rowValue over the rows of V, and 0 if none is larger.
inline double largestOverRows(const std::vector<double>& V, int rows, int cols,
                              const std::function<double(const std::vector<double>&)>& rowValue) {
    double largest = 0;
    for (int i = 0; i < rows; ++i) largest = std::max(largest, rowValue(rowOf(V, rows, cols, i)));
    return largest;
}

// lambda gives zero, and lambda * (1 - 1e-6) does not.
inline void expectCriticalWeight(const Prox& prox, const TreePenalty& tree,
                                 const std::vector<double>& v, double lambda) {
    ASSERT_TRUE(std::isfinite(lambda)) << lambda;
    EXPECT_TRUE(allZero(prox(tree.scaled(lambda), v))) << "lambda " << lambda;
    EXPECT_FALSE(allZero(prox(tree.scaled(lambda * (1 - 1e-6)), v))) << "lambda " << lambda;
}

}  // namespace testtrees
